// Backs up 200 MB of mixed files (half text-like, half random) at the
// program's compression level and restores them, against gzip -1 and
// gzip -d over the same files in the same run. Each pair is timed
// alternately, and the best of the repetitions counts, so that load from
// other processes weighs on both sides alike.

#include "frame/admin/kxbackupfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>
#include <vector>

namespace {

constexpr qint64 kMegabyte = 1024 * 1024;

struct Timings {
    std::vector<double> backup, gzip, restore, gunzip;
};

Timings timings;
QTemporaryDir* workDir = nullptr;

QString WorkPath(const QString& name) {
    return workDir->filePath(name);
}

// Lines of ledger-like words and numbers: compresses about as well as the
// program's own tables.
QByteArray TextLike(qint64 size, std::mt19937_64& random) {
    static const char* const words[] = {"cash",    "bank",   "receipt", "payment", "voucher",
                                        "account", "salary", "office",  "travel",  "refund",
                                        "deposit", "fee",    "yuan",    "ledger",  "verified"};
    QByteArray text;
    text.reserve(size + 128);
    while (text.size() < size) {
        text += "2015-03-" + QByteArray::number(random() % 28 + 1) + ' ';
        for (int word = 0; word < 6; ++word) {
            text += words[random() % std::size(words)];
            text += ' ';
        }
        text += QByteArray::number(qulonglong(random() % 100000)) + ".00\r\n";
    }
    text.resize(size);
    return text;
}

QByteArray RandomBytes(qint64 size, std::mt19937_64& random) {
    QByteArray bytes(size, Qt::Uninitialized);
    auto* words = reinterpret_cast<quint64*>(bytes.data());
    for (qint64 i = 0; i < size / 8; ++i)
        words[i] = random();
    return bytes;
}

void WriteSourceFiles() {
    QDir().mkpath(WorkPath("src"));
    std::mt19937_64 random(20150307);
    for (int pair = 0; pair < 20; ++pair) {
        const qint64 size = (1 + 2 * (pair % 5)) * kMegabyte;
        for (const bool text : {true, false}) {
            QFile file(WorkPath(QStringLiteral("src/%1%2").arg(text ? "t" : "r").arg(pair)));
            if (!file.open(QIODevice::WriteOnly))
                std::abort();
            file.write(text ? TextLike(size, random) : RandomBytes(size, random));
        }
    }
}

template <typename Work> double Seconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void RunShell(const QString& command) {
    if (std::system(command.toLocal8Bit().constData()) != 0)
        std::abort();
}

void Check(bool ok) {
    if (!ok)
        std::abort();
}

kx::TKXBackupFile& Component() {
    static kx::TKXBackupFile backup;
    static const bool reportsErrors = [] {
        backup.OnError = [](QObject*, int code, const QString&) {
            std::fprintf(stderr, "archive error %d\n", code);
        };
        return true;
    }();
    Check(reportsErrors);
    return backup;
}

void Backup() {
    Check(Component().Backup(WorkPath("src"), WorkPath("archive"), true));
}

void Gzip() {
    RunShell(QStringLiteral("gzip -1 -c '%1'/* > '%2'").arg(WorkPath("src"), WorkPath("all.gz")));
}

void BM_BackupAgainstGzip(benchmark::State& state) {
    for (auto _ : state) {
        timings.backup.push_back(Seconds(Backup));
        timings.gzip.push_back(Seconds(Gzip));
        state.SetIterationTime(timings.backup.back());
    }
}

void BM_RestoreAgainstGunzip(benchmark::State& state) {
    if (timings.backup.empty()) {
        Backup();
        Gzip();
    }
    for (auto _ : state) {
        QDir(WorkPath("dst")).removeRecursively();
        timings.restore.push_back(
            Seconds([] { Check(Component().Restore(WorkPath("archive"), WorkPath("dst"))); }));
        timings.gunzip.push_back(Seconds([] {
            RunShell(QStringLiteral("gzip -d -c '%1' > '%2'")
                         .arg(WorkPath("all.gz"), WorkPath("all.out")));
        }));
        state.SetIterationTime(timings.restore.back());
    }
}

BENCHMARK(BM_BackupAgainstGzip)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RestoreAgainstGunzip)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

double Best(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    workDir = &dir;
    WriteSourceFiles();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (!timings.backup.empty())
        std::printf("backup %.3f s, gzip -1 %.3f s\nratio backup/gzip %.3f\n", Best(timings.backup),
                    Best(timings.gzip), Best(timings.backup) / Best(timings.gzip));
    if (!timings.restore.empty())
        std::printf("restore %.3f s, gzip -d %.3f s\nratio restore/gunzip %.3f\n",
                    Best(timings.restore), Best(timings.gunzip),
                    Best(timings.restore) / Best(timings.gunzip));
    benchmark::Shutdown();
    return 0;
}
