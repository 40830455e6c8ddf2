// The backup command's archive step on a data folder of 100,000 in/out
// records, against gzip -1 of the same files, in turns:
//   backup   the archive written under a temporary name and renamed into
//            place, as the "数据备份" command writes it, over gzip -1 -c of
//            the data folder's files into one file.
// The packing that follows a backup is not part of it: it is the
// database's work, not the archive's. Its time is printed once after the
// table, for comparison.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "frame/admin/databackup.h"
#include "frame/admin/kxbackupfile.h"
#include "frame/admin/kxpacktable.h"
#include "frame/dialogs/kxthread.h"
#include "platform/db/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct Setup {
    kx::bench::TBenchDataFolder data;
    kx::TKXThread thread;
    kx::TDataBackup backup{nullptr, &thread};

    Setup() {
        kx::bench::FillMoneyRecords(data.File());
        QDir().mkpath(Out());
        backup.KXBackupFile->OnError = [](QObject*, int code, const QString& text) {
            std::fprintf(stderr, "archive error %d: %s\n", code, text.toUtf8().constData());
        };
    }
    QString Out() const { return data.Path(QStringLiteral("out")); }
};

Setup* setup = nullptr;
kx::bench::Turns backupTurns(kx::bench::Clock::Wall);

void Check(bool ok) {
    if (!ok)
        std::abort();
}

void Backup() {
    Check(setup->backup.WriteArchive(setup->data.Folder() + u'/',
                                     setup->Out() + QStringLiteral("/公司dadudez备份文件")));
}

void Gzip() {
    const QString command = QStringLiteral("gzip -1 -c '%1'/* > '%2'")
                                .arg(setup->data.Folder(), setup->Out() + "/all.gz");
    Check(std::system(QFile::encodeName(command).constData()) == 0);
}

void BM_BackupAgainstGzip(benchmark::State& state) {
    kx::bench::RunTurns(state, backupTurns, Gzip, Backup);
}

BENCHMARK(BM_BackupAgainstGzip)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Setup data;
    setup = &data;
    kx::bench::RunBenchmarks(argc, argv);
    if (backupTurns.SubjectSeconds() && backupTurns.AnchorSeconds())
        std::printf("data folder %.1f MB: backup %.3f s, gzip -1 %.3f s\n",
                    QFileInfo(data.data.File()).size() / 1048576.0, *backupTurns.SubjectSeconds(),
                    *backupTurns.AnchorSeconds());
    kx::bench::PrintRatio("backup", backupTurns.Ratio());
    kx::db::TDatabase database;
    database.SetAliasName(QStringLiteral("RUReravezLink"));
    database.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    kx::TKXPackTable pack;
    pack.DataBase = &database;
    QElapsedTimer clock;
    clock.start();
    pack.PackAll();
    std::printf("packing afterwards %.3f s\n", clock.elapsed() / 1000.0);
    return 0;
}
