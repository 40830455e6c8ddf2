// The backup command on a data folder of 100,000 in/out records: what the
// user waits for between confirming "数据备份" and the message that the
// backup is done, against gzip -1 of the same files, in turns:
//   backup_command/gzip  the archive written under a temporary name and
//                        renamed into place, as the command writes it,
//                        then the packing of the data folder that the
//                        command runs after it, over gzip -1 -c of the data
//                        folder's files into one file;
//   backup/gzip          the archive alone, for comparison.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "frame/admin/databackup.h"
#include "frame/admin/kxbackupfile.h"
#include "frame/admin/kxpacktable.h"
#include "frame/dialogs/kxthread.h"
#include "platform/db/database.h"

#include <QCoreApplication>
#include <QDir>
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
kx::bench::Turns commandTurns(kx::bench::Clock::Wall);

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

// The command's whole wait: the archive, then the packing on the main
// database, every data set of which the command has closed.
void BM_BackupCommandAgainstGzip(benchmark::State& state) {
    kx::db::TDatabase database;
    database.SetAliasName(QStringLiteral("RUReravezLink"));
    database.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    kx::TKXPackTable pack;
    pack.DataBase = &database;
    kx::bench::RunTurns(state, commandTurns, Gzip, [&] {
        Backup();
        pack.PackAll();
    });
}

BENCHMARK(BM_BackupCommandAgainstGzip)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Setup data;
    setup = &data;
    kx::bench::RunBenchmarks(argc, argv);
    if (commandTurns.SubjectSeconds() && commandTurns.AnchorSeconds())
        std::printf("data folder %.1f MB: backup command %.3f s, gzip -1 %.3f s\n",
                    QFileInfo(data.data.File()).size() / 1048576.0, *commandTurns.SubjectSeconds(),
                    *commandTurns.AnchorSeconds());
    kx::bench::PrintRatio("backup_command/gzip", commandTurns.Ratio());
    kx::bench::PrintRatio("backup/gzip", backupTurns.Ratio());
    return 0;
}
