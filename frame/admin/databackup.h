#pragma once
// The main window's backup and restore of the data folder: the automatic
// backup offered when the main window first shows, the backup command and
// the restore command. An archive is written under a temporary name beside
// its place and takes its name only when complete; a restore replaces the
// data folder's files only after the whole archive has been read, with the
// database closed (no journal left) before and opened again after.

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

namespace kx {

namespace db {
class TDatabase;
}

class TKXBackupFile;
class TKXPackTable;
class TKXThread;

class TDataBackup : public QObject {
    Q_OBJECT
public:
    TDataBackup(db::TDatabase* database, TKXThread* thread, QObject* owner = nullptr);

    TKXBackupFile* KXBackupFile;
    TKXPackTable* KXPackTable;
    TKXThread* KXThread;

    // True while a working window is listed.
    std::function<bool()> WorkingWindowListed = [] { return false; };
    // The archive the user picks to restore from; empty when cancelled.
    std::function<QString()> ChooseRestoreFile;
    std::function<QDateTime()> Now = &QDateTime::currentDateTime;

    // The offer made when the main window first shows.
    void AutoBackupAtShow();
    // True when the archive was written.
    bool BackupData();
    // True when the archive was restored; the user is then locked out
    // until the program starts again.
    bool RestoreData();

    // Writes the archive of the folder's files under a temporary name in the
    // archive's folder and renames it into place; on failure no file is left
    // and an older archive of that name stays as it was.
    bool WriteArchive(const QString& dataFolder, const QString& archive);

    // Removes what a restore or a backup stopped by a crash left: the files
    // staged in the data folder and partial archives in the backup folder.
    static void RemoveLeftovers();

    // F + company + "dadudez" + "yyyy-mm-dd hh.mm" + what: a "/" in the
    // company's name would make a folder of it.
    static QString BackupName(const QString& folder, const QString& company, const QDateTime& time,
                              const QString& what);

private:
    enum class Caller { Automatic, Command };

    bool RunBackup(Caller caller);
    void BackupDocuments(Caller caller, const QString& archive, const QDateTime& time,
                         const QString& folder);
    void CloseDataSets();
    // Closes the database with no data set, transaction or journal left;
    // false when a journal stays beside the file.
    bool CloseDatabaseFully();
    enum class TArchiveCheck { Unreadable, NotOurs, Ours };
    // Reads the archive through without restoring a file.
    TArchiveCheck CheckArchive(const QString& archive);
    bool RestoreChosenArchive();
    void ShowProgress(int percent);

    db::TDatabase* database_;
};

// The user id and name after a restore: no user id can equal it, so every
// right check refuses until the program starts again.
inline const QString kLockedOutUser = QStringLiteral("数据恢复后请重新启动软件");

} // namespace kx
