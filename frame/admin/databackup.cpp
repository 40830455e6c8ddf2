#include "frame/admin/databackup.h"

#include "core/appstate.h"
#include "core/filefunctions.h"
#include "core/messages.h"
#include "core/settingfunctions.h"
#include "frame/admin/backupfolder.h"
#include "frame/admin/kxbackupfile.h"
#include "frame/admin/kxpacktable.h"
#include "frame/dialogs/kxthread.h"
#include "platform/db/database.h"
#include "platform/sys/exception.h"
#include "platform/sys/files.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QScopeGuard>

#include <filesystem>

namespace kx {
namespace {

const QString kFolderValue = QStringLiteral("RUReravezData");
const QString kSucceeded = QStringLiteral("数据库成功备份到：");
const QString kRestoreFailed = QStringLiteral("备份的数据库文件恢复失败");
const QString kManualCopyAutomatic =
    QStringLiteral("dadudez电子文档需要手工备份,如果要备份电子文档请将软件安装目录下的DataFile目录"
                   "下的文件复制到其他地方保存起来");
const QString kManualCopyCommand =
    QStringLiteral("出纳记账电子文档需要手工备份,如果要备份电子文档请将软件安装目录下的DataFile目录"
                   "下的文件复制到其他地方保存起来");
// The journals SQLite keeps beside a database file while it is changed.
const QStringList kJournalSuffixes = {QStringLiteral("-journal"), QStringLiteral("-wal")};

QString WithSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool SameFolder(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (!canonicalA.isEmpty())
        return canonicalA == QFileInfo(b).canonicalFilePath();
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

// A backup never goes into the data folder it saves.
QString AwayFromDataFolder(const QString& folder) {
    return SameFolder(folder, AppDataFolder) ? WithSlash(AppProgramFolder) : folder;
}

// Archives cut short by a crash: hidden, and ending in ".part".
void RemovePartialArchives(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral(".*备份文件.part")}, QDir::Files | QDir::Hidden))
        sys::RemoveFile(dir.filePath(name));
}

std::filesystem::path FileSystemPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString DefaultRestoreFile() {
    return QFileDialog::getOpenFileName(QApplication::activeWindow());
}

} // namespace

TDataBackup::TDataBackup(db::TDatabase* database, TKXThread* thread, QObject* owner)
    : QObject(owner), KXBackupFile(new TKXBackupFile(this)), KXPackTable(new TKXPackTable(this)),
      KXThread(thread), ChooseRestoreFile(&DefaultRestoreFile), database_(database) {
    KXBackupFile->CompressionLevel = TKXBackupFile::clFastest;
    KXBackupFile->RestoreMode = TKXBackupFile::rmAll;
    KXBackupFile->RestoreFullPath = true;
    KXBackupFile->ProcessMessages = [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    KXBackupFile->OnProgress = [this](QObject*, const QString&, int percent, bool&) {
        ShowProgress(percent);
    };
    KXPackTable->DataBase = database;
}

QString TDataBackup::BackupName(const QString& folder, const QString& company,
                                const QDateTime& time, const QString& what) {
    return WithSlash(folder) + QString(company).replace(u'/', u'_') + QStringLiteral("dadudez") +
           time.toString(QStringLiteral("yyyy-MM-dd hh.mm")) + what;
}

void TDataBackup::AutoBackupAtShow() {
    if (ShowConfirmMessage(QStringLiteral("是否备份数据")))
        RunBackup(Caller::Automatic);
}

bool TDataBackup::BackupData() {
    return RunBackup(Caller::Command);
}

void TDataBackup::CloseDataSets() {
    database_->CloseDataSets();
    database_->SetKeepConnection(true);
}

void TDataBackup::ShowProgress(int percent) {
    KXThread->SetProgress1(percent);
}

bool TDataBackup::RunBackup(Caller caller) {
    const bool command = caller == Caller::Command;
    if (command) {
        if (WorkingWindowListed()) {
            ShowPromptMessage(QStringLiteral("请先关闭其它的窗口"));
            return false;
        }
        CloseDataSets();
    }
    const auto cleanUp = qScopeGuard([this] {
        KXThread->Stop();
        KXThread->SetProgressBar1(false);
        database_->SetKeepConnection(false);
    });
    QString folder = GetBackupFolder(kFolderValue, command);
    if (folder.isEmpty()) {
        ShowPromptMessage(QStringLiteral("没有指定保存备份文件的位置,不能备份数据"));
        return false;
    }
    folder = CheckBackupFolder(kFolderValue, AwayFromDataFolder(folder), !command);
    if (folder.isEmpty())
        return false;
    // A folder chosen anew may be the data folder again.
    folder = AwayFromDataFolder(folder);
    QDir().mkpath(folder);

    KXThread->SetCaption(QStringLiteral("正在备份数据....."));
    KXThread->SetProgressBar1(true);
    KXThread->SetProgressMax1(100);
    KXThread->Start();
    const QDateTime time = Now();
    const QString archive = BackupName(folder, AppCompanyName, time, QStringLiteral("备份文件"));
    if (!command)
        CloseDataSets();
    if (!WriteArchive(WithSlash(AppDataFolder), archive)) {
        KXThread->Stop();
        ShowPromptMessage(QStringLiteral("数据备份失败"));
        return false;
    }
    try {
        KXPackTable->PackAll();
    } catch (const Exception&) {
        if (command)
            KXThread->Stop();
        ShowPromptMessage(kSucceeded + archive + QStringLiteral("\n\r") +
                          QStringLiteral("但是数据库整理过程发生错误"));
        if (command)
            return true;
    }
    BackupDocuments(caller, archive, time, folder);
    return true;
}

void TDataBackup::BackupDocuments(Caller caller, const QString& archive, const QDateTime& time,
                                  const QString& folder) {
    const bool command = caller == Caller::Command;
    const QString documents = AppProgramFolder + QStringLiteral("/DataFile");
    const QString done = kSucceeded + archive;
    if (!DirectoryIsThere(documents)) {
        KXThread->Stop();
        ShowPromptMessage(done);
        return;
    }
    if (command)
        KXThread->Stop();
    if (!ShowConfirmMessage(QStringLiteral("是否备份电子文件"))) {
        KXThread->Stop();
        ShowPromptMessage(done);
        return;
    }
    if (command)
        KXThread->Start();
    const bool copied = CopyFolder(
        documents, BackupName(folder, AppCompanyName, time, QStringLiteral("电子文档备份文件")));
    KXThread->Stop();
    if (copied)
        ShowPromptMessage(done);
    else
        ShowPromptMessage(done + QStringLiteral("\r\n") +
                          (command ? kManualCopyCommand : kManualCopyAutomatic));
}

bool TDataBackup::WriteArchive(const QString& dataFolder, const QString& archive) {
    const QFileInfo target(archive);
    // Hidden and without the archive's name at its end, so that an archive
    // cut short by a crash never passes for a backup.
    const QString partial =
        target.dir().filePath(QStringLiteral(".") + target.fileName() + QStringLiteral(".part"));
    RemovePartialArchives(target.absolutePath());
    if (!KXBackupFile->Backup(dataFolder, partial, true))
        return false;
    if (!sys::SyncToDisk(partial)) {
        sys::RemoveFile(partial);
        KXBackupFile->ReportError(4);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(FileSystemPath(partial), FileSystemPath(archive), error);
    if (!error) {
        sys::SyncToDisk(target.absolutePath());
        return true;
    }
    sys::RemoveFile(partial);
    KXBackupFile->ReportError(4);
    return false;
}

void TDataBackup::RemoveLeftovers() {
    TKXBackupFile::RemoveStagedFiles(AppDataFolder);
    const QString backups = ReadSetting(kFolderValue);
    if (!backups.isEmpty())
        RemovePartialArchives(backups);
}

bool TDataBackup::CloseDatabaseFully() {
    database_->CloseDataSets();
    if (database_->InTransaction())
        return false;
    database_->SetConnected(false);
    const QString file = QDir(AppDataFolder).filePath(QLatin1String(db::TDatabase::kFileName));
    for (const QString& suffix : kJournalSuffixes) {
        if (QFileInfo::exists(file + suffix))
            return false;
    }
    return true;
}

TDataBackup::TArchiveCheck TDataBackup::CheckArchive(const QString& archive) {
    bool found = false;
    KXBackupFile->OnRestoreFile = [&found](QObject*, QString& fileName, qint32, bool& doRestore) {
        found = found || QFileInfo(fileName).fileName() == QLatin1String(db::TDatabase::kFileName);
        doRestore = false;
    };
    const auto restoreAll = qScopeGuard([this] { KXBackupFile->OnRestoreFile = nullptr; });
    if (!KXBackupFile->Restore(archive, WithSlash(AppDataFolder)))
        return TArchiveCheck::Unreadable;
    return found ? TArchiveCheck::Ours : TArchiveCheck::NotOurs;
}

bool TDataBackup::RestoreChosenArchive() {
    KXThread->SetCaption(QStringLiteral("正在恢复数据....."));
    const QString file = ChooseRestoreFile();
    if (file.isEmpty())
        return false;
    if (!ShowConfirmMessage(
            QStringLiteral("如果进行恢复操作，备份文件以后进行的数据库操作的数据会丢失，") +
            QStringLiteral("\r\n") + QStringLiteral("是否用文件：") + u'"' + file + u'"' +
            QStringLiteral(" 恢复数据库")))
        return false;
    KXThread->SetProgressBar1(true);
    KXThread->SetProgressMax1(100);
    KXThread->Start();
    // Read through once without writing: a file that is no archive of ours
    // must not report success however well it reads.
    const TArchiveCheck check = CheckArchive(file);
    if (check == TArchiveCheck::NotOurs) {
        KXThread->Stop();
        ShowPromptMessage(kRestoreFailed + QStringLiteral("\r\n") +
                          QStringLiteral("所选文件中没有数据库文件,不是数据备份文件"));
        return false;
    }
    // The database in the archive must prove itself before it replaces the
    // one that works.
    QString fault;
    KXBackupFile->OnCheckRestored = [&fault](QObject*, const QString& target, const QString& staged,
                                             bool& continueRun) {
        const QString name = QFileInfo(target).fileName();
        if (name != QLatin1String(db::TDatabase::kFileName))
            return;
        fault = DatabaseFileFault(staged, QStringLiteral("备份文件中的") + name);
        continueRun = fault.isEmpty();
    };
    const auto checkNoMore = qScopeGuard([this] { KXBackupFile->OnCheckRestored = nullptr; });
    if (check != TArchiveCheck::Ours || !KXBackupFile->Restore(file, WithSlash(AppDataFolder))) {
        KXThread->Stop();
        ShowPromptMessage(fault.isEmpty() ? kRestoreFailed
                                          : kRestoreFailed + QStringLiteral("\r\n") + fault);
        return false;
    }
    AppUserId = kLockedOutUser;
    AppUserName = kLockedOutUser;
    AppSystemUser = false;
    KXThread->Stop();
    ShowPromptMessage(QStringLiteral("备份的数据库文件已成功恢复,请关闭软件后再打开软件"));
    return true;
}

bool TDataBackup::RestoreData() {
    if (WorkingWindowListed()) {
        ShowPromptMessage(QStringLiteral("请先关闭其它的窗口"));
        return false;
    }
    const bool closed = CloseDatabaseFully();
    bool restored = false;
    try {
        restored = closed && RestoreChosenArchive();
    } catch (...) {
        KXThread->Stop();
        KXThread->SetProgressBar1(false);
        database_->SetConnected(true);
        throw;
    }
    KXThread->Stop();
    KXThread->SetProgressBar1(false);
    if (!closed)
        ShowPromptMessage(kRestoreFailed);
    database_->SetConnected(true);
    return restored;
}

} // namespace kx

#include "moc_databackup.cpp"
