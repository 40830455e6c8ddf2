#pragma once
// Packs a set of files into one archive, optionally spread over several
// volumes, and unpacks such an archive again. Each file is cut into 16 KB
// blocks, each compressed on its own with zlib or stored as it is when it
// does not shrink.
//
// Linux has no archive attribute: bmIncremental takes every file and
// SetArchiveFlag changes no file.

#include <QObject>
#include <QString>

#include <functional>

class QFile;
class QIODevice;

namespace kx {

class TKXBackupFile : public QObject {
    Q_OBJECT

public:
    enum TBackupMode { bmAll, bmIncremental };
    enum TCompressionLevel { clFastest, clNone, clDefault, clMax };
    enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };

    using TProgressEvent = std::function<void(QObject* sender, const QString& fileName, int percent,
                                              bool& continueRun)>;
    using TNeedDiskEvent = std::function<void(QObject* sender, quint16 diskId, bool& continueRun)>;
    using TRestoreFileEvent =
        std::function<void(QObject* sender, QString& fileName, qint32 fa, bool& doRestore)>;
    using TFileRestoredEvent =
        std::function<void(QObject* sender, QString& fileName, QFile& stream)>;
    using TErrorEvent = std::function<void(QObject* sender, int error, const QString& errorText)>;

    explicit TKXBackupFile(QObject* owner = nullptr);

    QString Version() const { return QStringLiteral("5.00"); }

    TBackupMode BackupMode() const { return backupMode_; }
    // Switching to bmIncremental also sets SetArchiveFlag.
    void SetBackupMode(TBackupMode mode);

    QString BackupTitle;
    TCompressionLevel CompressionLevel = clFastest;
    TRestoreMode RestoreMode = rmAll;
    int MaxSize = 0;
    bool SetArchiveFlag = false;
    bool RestoreFullPath = false;
    bool SaveFileID = false;
    // Read or written instead of a file when the archive's name is ":STREAM".
    QIODevice* ArchiveStream = nullptr;

    TProgressEvent OnProgress;
    TNeedDiskEvent OnNeedDisk;
    TRestoreFileEvent OnRestoreFile;
    TFileRestoredEvent OnFileRestored;
    TErrorEvent OnError;
    // After the whole archive has been read and before any file takes its
    // target's place: stagedFile holds what target would become. Clearing
    // continueRun stops the restore with every file left as it was.
    std::function<void(QObject* sender, const QString& target, const QString& stagedFile,
                       bool& continueRun)>
        OnCheckRestored;
    // Handles pending events after each block, so that the busy window keeps
    // painting during long runs.
    std::function<void()> ProcessMessages;

    // Source is a folder when sourceIsFolder, else a file pattern that may
    // end in " /s" to take the matching files of all subfolders too. Linux
    // has no floppy drives, so volumes come only from a volumeLimit in bytes
    // (0: one volume), which becomes MaxSize. True when the archive was
    // completed; a failed or stopped run leaves no volume behind.
    bool Backup(const QString& source, const QString& fileName, bool sourceIsFolder,
                int volumeLimit = 0);

    // Restores every file of the archive into folder (empty: back to each
    // file's stored path). The files are written beside their targets and
    // take their places only after the archive's end mark was read, so a
    // damaged archive or a stopped run changes no file. False at once for a
    // missing archive; throws kx::Exception when the archive's head cannot
    // be read.
    bool Restore(const QString& fileName, const QString& folder);

    // The code's text goes to OnError, or to an error box when none is set.
    void ReportError(int code);
    // The same with a text that names what failed, in place of the code's.
    void ReportError(int code, const QString& text);

    // A file that a restore writes beside its target before it takes the
    // target's place; a backup never takes one in.
    static bool IsStagedName(const QString& fileName);
    // Removes what a restore stopped by a crash or a power cut left in the
    // folder.
    static void RemoveStagedFiles(const QString& folder);

    // Files written by the last Backup or restored by the last Restore.
    int FileCount() const { return fileCount_; }

private:
    TBackupMode backupMode_ = bmAll;
    int fileCount_ = 0;
};

} // namespace kx
