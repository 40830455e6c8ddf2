// Backs up 200 MB of mixed files (half text-like, half random) at the
// program's compression level and restores them, against gzip -1 and
// gzip -d over the same files in the same run, each pair taking turns:
//   backup/gzip      the program's backup over gzip -1;
//   restore/gunzip   the program's restore over gzip -d.

#include "bench/benchsupport.h"
#include "frame/admin/kxbackupfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>

namespace {

constexpr qint64 kMegabyte = 1024 * 1024;

// Both sides write files and the gzip side is another process: the clock on
// the wall times them.
kx::bench::Turns backupTurns(kx::bench::Clock::Wall);
kx::bench::Turns restoreTurns(kx::bench::Clock::Wall);
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
    kx::bench::RunTurns(state, backupTurns, Gzip, Backup);
}

void Restore() {
    QDir(WorkPath("dst")).removeRecursively();
    Check(Component().Restore(WorkPath("archive"), WorkPath("dst")));
}

void Gunzip() {
    RunShell(QStringLiteral("gzip -d -c '%1' > '%2'").arg(WorkPath("all.gz"), WorkPath("all.out")));
}

void BM_RestoreAgainstGunzip(benchmark::State& state) {
    if (!QFile::exists(WorkPath("archive"))) {
        Backup();
        Gzip();
    }
    kx::bench::RunTurns(state, restoreTurns, Gunzip, Restore);
}

BENCHMARK(BM_BackupAgainstGzip)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RestoreAgainstGunzip)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void PrintTimes(const char* subject, const char* anchor, const kx::bench::Turns& turns) {
    if (turns.SubjectSeconds() && turns.AnchorSeconds())
        std::printf("%s %.3f s, %s %.3f s\n", subject, *turns.SubjectSeconds(), anchor,
                    *turns.AnchorSeconds());
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    workDir = &dir;
    WriteSourceFiles();
    kx::bench::RunBenchmarks(argc, argv);
    PrintTimes("backup", "gzip -1", backupTurns);
    PrintTimes("restore", "gzip -d", restoreTurns);
    kx::bench::PrintRatio("backup/gzip", backupTurns.Ratio());
    kx::bench::PrintRatio("restore/gunzip", restoreTurns.Ratio());
    return 0;
}
