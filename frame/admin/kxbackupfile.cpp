#include "frame/admin/kxbackupfile.h"

#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"
#include "platform/sys/files.h"
#include "platform/ui/messagedialog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <deque>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>

namespace kx {
namespace {

constexpr qint64 kBlockSize = 16384;
// A block with its length may take this much: a new block starts only while
// the volume has this room left.
constexpr qint64 kBlockRoom = 16484;
// Longer names exist on no file system we read or write.
constexpr qint32 kMaxNameLength = 4096;

const QByteArray kBlockMark("EC2\0", 4);
const QByteArray kFileListName("FILE:LIST");
const QByteArray kNextDisk("NEXT:DISK");
const QString kStreamName = QStringLiteral(":STREAM");
// The prefix of a file restored beside its target, before it takes its place.
const QString kStagedPrefix = QStringLiteral(".kxrestore-");

enum ErrorCode {
    errReadFile = 1,
    errWriteArchive = 4,
    errCompress = 6,
    errFileIdList = 7,
};

// Raised inside a run; the run keeps its code, and a text naming what failed
// when there is one, and reports them at the end.
struct RunFailure {
    int code;
    QString text = {};
};

using Block = std::array<char, kBlockSize>;

// Packed DOS date and time in local time: date in the high 16 bits, time
// (two-second steps) in the low 16 bits.
quint32 PackDosDateTime(const QDateTime& time) {
    const QDateTime local = time.toLocalTime();
    const QDate date = local.date();
    if (!local.isValid() || date.year() < 1980)
        return (1u << 21) | (1u << 16);
    if (date.year() > 2107)
        return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
    const QTime clock = local.time();
    return (quint32(date.year() - 1980) << 25) | (quint32(date.month()) << 21) |
           (quint32(date.day()) << 16) | (quint32(clock.hour()) << 11) |
           (quint32(clock.minute()) << 5) | quint32(clock.second() / 2);
}

QDateTime UnpackDosDateTime(quint32 packed) {
    const QDate date(1980 + int(packed >> 25), int((packed >> 21) & 15), int((packed >> 16) & 31));
    const QTime clock(int((packed >> 11) & 31), int((packed >> 5) & 63), int(packed & 31) * 2);
    return date.isValid() && clock.isValid() ? QDateTime(date, clock) : QDateTime();
}

int Percent(qint64 done, qint64 total) {
    if (total <= 0)
        return 100;
    return int(std::min<qint64>(100, done * 100 / total));
}

// Volume k is the archive's name with the extension of its file name
// replaced by "." and k in three digits.
QString VolumeFileName(const QString& archive, const QString& digits) {
    const qsizetype nameStart = archive.lastIndexOf(u'/') + 1;
    qsizetype dot = archive.lastIndexOf(u'.');
    if (dot < nameStart)
        dot = archive.size();
    return archive.left(dot) + u'.' + digits;
}

QString ThreeDigits(int number) {
    return QStringLiteral("%1").arg(number % 1000, 3, 10, QLatin1Char('0'));
}

int ZlibLevel(TKXBackupFile::TCompressionLevel level) {
    switch (level) {
    case TKXBackupFile::clNone:
        return Z_NO_COMPRESSION;
    case TKXBackupFile::clDefault:
        return Z_DEFAULT_COMPRESSION;
    case TKXBackupFile::clMax:
        return Z_BEST_COMPRESSION;
    case TKXBackupFile::clFastest:
        break;
    }
    return Z_BEST_SPEED;
}

QString ErrorText(int code) {
    switch (code) {
    case 1:
        return QStringLiteral("不能读文件");
    case 2:
        return QStringLiteral("覆盖文件失败");
    case 3:
        return QStringLiteral("不能读备份的文件");
    case 4:
        return QStringLiteral("不能写备份的文件");
    case 5:
        return QStringLiteral("无效的备份文件");
    case 6:
        return QStringLiteral("压缩错误");
    case 7:
        return QStringLiteral("不能建立临时文件去保存文件标示");
    default:
        return {};
    }
}

std::filesystem::path FileSystemPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Each block is a zlib stream of its own. Resetting one stream gives the
// same bytes as a fresh one without allocating per block.
class BlockCompressor {
public:
    explicit BlockCompressor(int level) {
        if (deflateInit(&stream_, level) != Z_OK)
            throw RunFailure{errCompress};
    }
    ~BlockCompressor() { deflateEnd(&stream_); }
    BlockCompressor(const BlockCompressor&) = delete;
    BlockCompressor& operator=(const BlockCompressor&) = delete;

    // The compressed size, or nothing when the block does not fit into one
    // block's room compressed.
    std::optional<qint64> Compress(const char* data, qint64 size) {
        if (deflateReset(&stream_) != Z_OK)
            throw RunFailure{errCompress};
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        stream_.avail_in = uInt(size);
        stream_.next_out = reinterpret_cast<Bytef*>(output_.data());
        stream_.avail_out = uInt(output_.size());
        switch (deflate(&stream_, Z_FINISH)) {
        case Z_STREAM_END:
            return kBlockSize - stream_.avail_out;
        case Z_OK:
            return std::nullopt;
        default:
            throw RunFailure{errCompress};
        }
    }
    const char* Output() const { return output_.data(); }

private:
    z_stream stream_{};
    Block output_;
};

class BlockInflater {
public:
    BlockInflater() {
        if (inflateInit(&stream_) != Z_OK)
            throw RunFailure{errCompress};
    }
    ~BlockInflater() { inflateEnd(&stream_); }
    BlockInflater(const BlockInflater&) = delete;
    BlockInflater& operator=(const BlockInflater&) = delete;

    // The payload must be exactly one complete zlib stream of at most one
    // block; anything else is a damaged archive.
    qint64 Inflate(const char* data, qint64 size) {
        if (inflateReset(&stream_) != Z_OK)
            throw RunFailure{errCompress};
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        stream_.avail_in = uInt(size);
        stream_.next_out = reinterpret_cast<Bytef*>(output_.data());
        stream_.avail_out = uInt(output_.size());
        if (inflate(&stream_, Z_NO_FLUSH) != Z_STREAM_END || stream_.avail_in != 0)
            throw RunFailure{errCompress};
        return kBlockSize - stream_.avail_out;
    }
    const char* Output() const { return output_.data(); }

private:
    z_stream stream_{};
    Block output_;
};

// What Backup and Restore share: the Continue flag, the error code, the
// progress count and the events.
class RunState {
public:
    explicit RunState(TKXBackupFile& owner) : owner_(owner) {}

    bool Continues() const { return continue_; }
    int Error() const { return error_; }
    void Fail(const RunFailure& failure) {
        error_ = failure.code;
        errorText_ = failure.text.isEmpty() ? ErrorText(failure.code) : failure.text;
        continue_ = false;
    }

    void Progress(const QString& fileName, int percent) {
        if (owner_.OnProgress)
            owner_.OnProgress(&owner_, fileName, percent, continue_);
    }

    void Pump() {
        if (owner_.ProcessMessages)
            owner_.ProcessMessages();
    }

    void BlockDone(const QString& fileName, qint64 bytes) {
        Pump();
        done_ += bytes;
        Progress(fileName, Percent(done_, total_));
    }

    void SetTotal(qint64 total) { total_ = total; }

    // True when the next volume is there to go on with.
    bool AskForDisk(int number, const QString& numberText) {
        if (owner_.OnNeedDisk) {
            owner_.OnNeedDisk(&owner_, quint16(number), continue_);
            return continue_;
        }
        QMessageBox box(
            QMessageBox::Information, QStringLiteral("Information"),
            QStringLiteral("请插入一个空白的磁盘%1并且按《确定》按钮继续。").arg(numberText),
            QMessageBox::Ok | QMessageBox::Cancel);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        continue_ = box.exec() == QMessageBox::Ok;
        return continue_;
    }

    void Stop() { continue_ = false; }

    void Finish() {
        Progress(QString(), 100);
        if (error_ != 0)
            owner_.ReportError(error_, errorText_);
    }

private:
    TKXBackupFile& owner_;
    bool continue_ = true;
    int error_ = 0;
    QString errorText_;
    qint64 total_ = 0;
    qint64 done_ = 0;
};

// The volumes of an archive being written; every volume file it creates is
// known, so that a failed run can take them all away again.
class ArchiveWriter {
public:
    ArchiveWriter(QString fileName, QIODevice* stream)
        : fileName_(std::move(fileName)), stream_(stream) {}

    void Start() {
        if (fileName_ != kStreamName) {
            OpenVolume(fileName_);
        } else if (stream_ && stream_->isWritable()) {
            device_ = stream_;
        } else {
            throw RunFailure{errWriteArchive};
        }
    }

    void OpenVolume(const QString& path) {
        file_.setFileName(path);
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw RunFailure{errWriteArchive};
        created_.append(path);
        device_ = &file_;
    }

    void NextVolume(const QString& digits) { OpenVolume(VolumeFileName(fileName_, digits)); }

    void Write(const char* data, qint64 size) {
        if (device_->write(data, size) != size)
            throw RunFailure{errWriteArchive};
    }
    void Write(const QByteArray& bytes) { Write(bytes.constData(), bytes.size()); }
    void WriteInt32(qint32 value) {
        const qint32 little = qToLittleEndian(value);
        Write(reinterpret_cast<const char*>(&little), sizeof little);
    }

    bool HasRoomForBlock(int maxSize) const {
        return maxSize == 0 || device_->pos() < qint64(maxSize) - kBlockRoom;
    }

    void CloseVolume() {
        if (device_ != &file_)
            return;
        const bool flushed = file_.flush();
        file_.close();
        if (!flushed)
            throw RunFailure{errWriteArchive};
    }

    void RemoveVolumes() {
        file_.close();
        for (const QString& path : created_)
            QFile::remove(path);
    }

private:
    QString fileName_;
    QIODevice* stream_;
    QFile file_;
    QIODevice* device_ = nullptr;
    QStringList created_;
};

// Reads the volumes of an archive; running out of data anywhere is damage.
class ArchiveReader {
public:
    ArchiveReader(QString fileName, QIODevice* stream)
        : fileName_(std::move(fileName)), stream_(stream) {}

    const QString& FileName() const { return fileName_; }

    void Start() {
        if (fileName_ != kStreamName) {
            OpenVolume(fileName_);
        } else if (stream_ && stream_->isReadable()) {
            device_ = stream_;
        } else {
            throw RunFailure{errReadFile};
        }
    }

    void OpenVolume(const QString& path) {
        file_.setFileName(path);
        if (!file_.open(QIODevice::ReadOnly))
            throw RunFailure{errReadFile};
        device_ = &file_;
    }

    void CloseVolume() { file_.close(); }

    void Read(char* data, qint64 size) {
        if (device_->read(data, size) != size)
            throw RunFailure{errReadFile};
    }
    QByteArray ReadBytes(qint64 size) {
        QByteArray bytes(size, Qt::Uninitialized);
        Read(bytes.data(), size);
        return bytes;
    }
    qint32 ReadInt32() {
        qint32 little = 0;
        Read(reinterpret_cast<char*>(&little), sizeof little);
        return qFromLittleEndian(little);
    }
    void Skip(qint64 size) {
        if (device_->skip(size) != size)
            throw RunFailure{errReadFile};
    }

private:
    QString fileName_;
    QIODevice* stream_;
    QFile file_;
    QIODevice* device_ = nullptr;
};

class BackupRun {
public:
    BackupRun(TKXBackupFile& owner, const QString& fileName)
        : owner_(owner), state_(owner), writer_(fileName, owner.ArchiveStream),
          archivePath_(fileName == kStreamName ? QString()
                                               : QFileInfo(fileName).absoluteFilePath()) {}

    bool Run(const QString& source, bool sourceIsFolder) {
        const QStringList files = sourceIsFolder ? FolderFiles(source) : PatternFiles(source);
        state_.Progress(QString(), 0);
        qint64 total = 0;
        for (const QString& path : files)
            total += QFileInfo(path).size();

        bool completed = false;
        QTemporaryFile fileList(QDir::tempPath() + QStringLiteral("/FIDXXXXXX"));
        try {
            // Each file is stored under its full path in its real letter
            // case: Linux tells "RUReravezDataBase.sqlite" from its
            // lower-case name, and a restore must give back the very file
            // the program opens.
            QList<Entry> entries;
            for (const QString& path : files)
                entries.append({path, path, EncodedName(path)});
            if (owner_.SaveFileID) {
                total += WriteFileList(files, fileList);
                entries.prepend(
                    {fileList.fileName(), QString::fromLatin1(kFileListName), kFileListName, true});
            }
            state_.SetTotal(total);
            compressor_.emplace(ZlibLevel(owner_.CompressionLevel));
            writer_.Start();
            WriteHeader(total, int(files.size()));
            for (const Entry& entry : entries) {
                if (!state_.Continues())
                    break;
                if (QFileInfo::exists(entry.path))
                    WriteEntry(entry);
            }
            if (state_.Continues()) {
                writer_.WriteInt32(0);
                completed = true;
            }
            writer_.CloseVolume();
        } catch (const RunFailure& failure) {
            state_.Fail(failure);
            completed = false;
        } catch (...) {
            writer_.RemoveVolumes();
            throw;
        }
        if (!completed)
            writer_.RemoveVolumes();
        state_.Finish();
        return completed;
    }

    int FileCount() const { return fileCount_; }

private:
    struct Entry {
        QString path;
        QString storedName;
        QByteArray encodedName;
        bool isFileList = false;
    };

    // Regular files only: a pipe or a device would never end.
    static constexpr QDir::Filters kFiles = QDir::Files | QDir::Hidden;

    QStringList FolderFiles(const QString& folder) const {
        QStringList files;
        for (const QFileInfo& info : QDir(folder).entryInfoList(kFiles, QDir::Name))
            AddFile(info, files);
        return files;
    }

    QStringList PatternFiles(const QString& source) const {
        QStringList files;
        const bool recursive = source.endsWith(QStringLiteral(" /s"), Qt::CaseInsensitive);
        AddMatches(recursive ? source.chopped(3).trimmed() : source, recursive, files);
        return files;
    }

    // Subfolders first, then the folder's own files.
    void AddMatches(const QString& pattern, bool recursive, QStringList& files) const {
        const QFileInfo patternInfo(pattern);
        const QDir dir = patternInfo.dir();
        if (recursive) {
            for (const QString& sub :
                 dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks,
                               QDir::Name))
                AddMatches(dir.filePath(sub) + u'/' + patternInfo.fileName(), true, files);
        }
        for (const QFileInfo& info :
             dir.entryInfoList(QStringList{patternInfo.fileName()}, kFiles, QDir::Name))
            AddFile(info, files);
    }

    void AddFile(const QFileInfo& info, QStringList& files) const {
        const QString path = info.absoluteFilePath();
        // A restore's leftover is no data of the user's.
        if (path != archivePath_ && !TKXBackupFile::IsStagedName(info.fileName()) &&
            !files.contains(path))
            files.append(path);
    }

    // The names, dates and sizes of the listed files, archived first as
    // "FILE:LIST"; returns its length.
    qint64 WriteFileList(const QStringList& files, QTemporaryFile& fileList) const {
        QString text;
        for (const QString& path : files) {
            const QFileInfo info(path);
            // Joined, not formatted: a "%1" in a name is part of the name.
            if (info.exists())
                text += path + u'\t' +
                        QString::number(qint32(PackDosDateTime(info.lastModified()))) + u'=' +
                        QString::number(info.size()) + QStringLiteral("\r\n");
        }
        const QByteArray bytes = cp936::Encode(text);
        if (!fileList.open() || fileList.write(bytes) != bytes.size() || !fileList.flush())
            throw RunFailure{errFileIdList};
        fileList.close();
        return bytes.size();
    }

    void WriteHeader(qint64 total, int fileCount) {
        const QByteArray title = cp936::Encode(owner_.BackupTitle);
        writer_.WriteInt32(qint32(title.size()));
        writer_.Write(title);
        writer_.WriteInt32(qint32(std::min<qint64>(total, std::numeric_limits<qint32>::max())));
        writer_.WriteInt32(fileCount);
    }

    // A name GBK cannot hold would come back as another file's name, so it
    // stops the backup before anything is written, and the message says
    // which file it is.
    static QByteArray EncodedName(const QString& name) {
        const QByteArray bytes = cp936::Encode(name);
        if (cp936::Decode(bytes) != name)
            throw RunFailure{errWriteArchive, ErrorText(errWriteArchive) + "：文件名“" + name +
                                                  "”含有GBK编码不能表示的字符"};
        if (bytes.size() > kMaxNameLength)
            throw RunFailure{errReadFile};
        return bytes;
    }

    void WriteEntry(const Entry& entry) {
        writer_.WriteInt32(qint32(entry.encodedName.size()));
        writer_.Write(entry.encodedName);
        QFile file(entry.path);
        if (!file.open(QIODevice::ReadOnly))
            throw RunFailure{errReadFile};
        writer_.WriteInt32(
            qint32(PackDosDateTime(file.fileTime(QFileDevice::FileModificationTime))));
        qint64 remaining = file.size();
        bool freshVolume = false;
        for (;;) {
            const bool wroteBlock = WriteBlockStream(file, remaining, entry.storedName);
            if (remaining == 0 || !state_.Continues())
                break;
            // A new volume that takes no block would be followed by another.
            if (freshVolume && !wroteBlock)
                throw RunFailure{errWriteArchive};
            SwitchVolume();
            freshVolume = true;
            if (!state_.Continues())
                break;
        }
        if (remaining == 0 && !entry.isFileList)
            ++fileCount_;
    }

    bool WriteBlockStream(QFile& file, qint64& remaining, const QString& name) {
        writer_.Write(kBlockMark);
        bool wroteBlock = false;
        while (remaining > 0 && state_.Continues() && writer_.HasRoomForBlock(owner_.MaxSize)) {
            const qint64 size = std::min(remaining, kBlockSize);
            if (file.read(input_.data(), size) != size)
                throw RunFailure{errReadFile};
            remaining -= size;
            if (const auto packed = compressor_->Compress(input_.data(), size)) {
                writer_.WriteInt32(qint32(*packed));
                writer_.Write(compressor_->Output(), *packed);
            } else {
                writer_.WriteInt32(qint32(-size));
                writer_.Write(input_.data(), size);
            }
            wroteBlock = true;
            state_.BlockDone(name, size);
        }
        writer_.WriteInt32(0);
        return wroteBlock;
    }

    void SwitchVolume() {
        ++volume_;
        const QString digits = ThreeDigits(volume_);
        writer_.WriteInt32(qint32(kNextDisk.size() + digits.size()));
        writer_.Write(kNextDisk + digits.toLatin1());
        writer_.CloseVolume();
        if (state_.AskForDisk(volume_, digits))
            writer_.NextVolume(digits);
    }

    TKXBackupFile& owner_;
    RunState state_;
    ArchiveWriter writer_;
    std::optional<BlockCompressor> compressor_;
    QString archivePath_;
    int volume_ = 1;
    int fileCount_ = 0;
    Block input_;
};

class RestoreRun {
public:
    RestoreRun(TKXBackupFile& owner, const QString& fileName, const QString& folder)
        : owner_(owner), state_(owner), reader_(fileName, owner.ArchiveStream), folder_(folder) {}

    bool Run() {
        ReadHeader();
        bool ended = false;
        try {
            inflater_.emplace();
            ended = ReadEntries();
            if (ended)
                CheckStaged();
            if (ended && state_.Continues())
                Commit();
        } catch (const RunFailure& failure) {
            state_.Fail(failure);
        }
        reader_.CloseVolume();
        const bool restored = ended && state_.Error() == 0 && state_.Continues();
        state_.Finish();
        return restored;
    }

    int FileCount() const { return fileCount_; }

private:
    // A restored file waits under a temporary name beside its target until
    // the whole archive has been read.
    struct StagedFile {
        StagedFile(QString target, quint32 date, std::unique_ptr<QFile> file)
            : target(std::move(target)), date(date), file(std::move(file)) {}
        ~StagedFile() {
            if (committed)
                return;
            // QFile::remove gives up when closing cannot flush, as on a full
            // disk.
            file->close();
            sys::RemoveFile(file->fileName());
        }
        StagedFile(const StagedFile&) = delete;
        StagedFile& operator=(const StagedFile&) = delete;

        QString target;
        quint32 date;
        std::unique_ptr<QFile> file;
        bool committed = false;
    };

    void ReadHeader() {
        try {
            reader_.Start();
            const qint32 titleLength = reader_.ReadInt32();
            if (titleLength < 0)
                throw RunFailure{errReadFile};
            reader_.Skip(titleLength);
            state_.SetTotal(reader_.ReadInt32());
            reader_.ReadInt32();
        } catch (const RunFailure&) {
            throw Exception(QStringLiteral("不能读备份的文件"));
        }
    }

    // True when the end mark was read.
    bool ReadEntries() {
        while (state_.Continues()) {
            const qint32 length = reader_.ReadInt32();
            if (length == 0)
                return true;
            if (length < 0 || length > kMaxNameLength)
                throw RunFailure{errReadFile};
            const QByteArray name = reader_.ReadBytes(length);
            if (name.startsWith(kNextDisk))
                SwitchVolume(name);
            else
                ReadEntry(name);
        }
        return false;
    }

    void ReadEntry(const QByteArray& name) {
        const quint32 date = quint32(reader_.ReadInt32());
        current_ = nullptr;
        if (name == kFileListName) {
            ReadBlockStream(nullptr, QString());
            return;
        }
        QString target = TargetPath(cp936::Decode(name));
        bool doRestore = ShouldRestore(target, date);
        if (owner_.OnRestoreFile)
            owner_.OnRestoreFile(&owner_, target, qint32(date), doRestore);
        if (doRestore && !QDir().mkpath(QFileInfo(target).absolutePath()))
            doRestore = false;
        if (!doRestore) {
            ReadBlockStream(nullptr, QString());
            return;
        }
        StagedFile& staged = Stage(target, date);
        ReadBlockStream(staged.file.get(), target);
        ++fileCount_;
        CloseSegment(staged);
        current_ = &staged;
    }

    // Only the stored name's file part is used with a folder, and no name
    // may climb out of where it points. A zero byte ends a name anywhere.
    QString TargetPath(const QString& storedName) const {
        static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
        const QStringList parts = storedName.split(separators);
        if (parts.back().isEmpty() || parts.contains(QStringLiteral("..")) ||
            parts.contains(QStringLiteral(".")) || storedName.contains(QChar()))
            throw RunFailure{errReadFile};
        // Joined as text: Qt would take a part beginning with ":" for a
        // resource path and drop the folder.
        if (!folder_.isEmpty())
            return folder_ + (folder_.endsWith(u'/') ? "" : "/") + parts.back();
        if (!storedName.startsWith(u'/'))
            throw RunFailure{errReadFile};
        return storedName;
    }

    const StagedFile* LastStaged(const QString& target) const {
        const auto found = std::find_if(staged_.rbegin(), staged_.rend(),
                                        [&](const StagedFile& f) { return f.target == target; });
        return found == staged_.rend() ? nullptr : &*found;
    }

    // A file staged earlier in this run counts as there already.
    bool ShouldRestore(const QString& target, quint32 date) const {
        const StagedFile* staged = LastStaged(target);
        const QFileInfo info(target);
        const bool exists = staged || info.exists();
        const quint32 existing = staged   ? staged->date
                                 : exists ? PackDosDateTime(info.lastModified())
                                          : 0;
        switch (owner_.RestoreMode) {
        case TKXBackupFile::rmNoOverwrite:
            return !exists;
        case TKXBackupFile::rmNewer:
            return !exists || existing < date;
        case TKXBackupFile::rmExisting:
            return exists;
        case TKXBackupFile::rmExistingNewer:
            return exists && existing < date;
        case TKXBackupFile::rmAll:
            break;
        }
        return true;
    }

    StagedFile& Stage(const QString& target, quint32 date) {
        const QFileInfo info(target);
        if (info.isDir())
            throw RunFailure{errReadFile};
        const QDir dir = info.absoluteDir();
        for (int attempt = 0; attempt < 16; ++attempt) {
            auto file = std::make_unique<QFile>(dir.filePath(
                kStagedPrefix + QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8,
                                                         16, QLatin1Char('0'))));
            if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                if (info.exists())
                    file->setPermissions(info.permissions());
                return staged_.emplace_back(target, date, std::move(file));
            }
            if (!file->exists())
                break;
        }
        throw RunFailure{errReadFile};
    }

    // After each segment of a file, also after its continuation on a further
    // volume.
    void CloseSegment(StagedFile& staged) {
        QString target = staged.target;
        if (owner_.OnFileRestored)
            owner_.OnFileRestored(&owner_, target, *staged.file);
        if (!staged.file->flush())
            throw RunFailure{errReadFile};
        const QDateTime time = UnpackDosDateTime(staged.date);
        if (time.isValid())
            staged.file->setFileTime(time, QFileDevice::FileModificationTime);
        staged.file->close();
    }

    void SwitchVolume(const QByteArray& name) {
        const QByteArray digits = name.mid(kNextDisk.size());
        if (digits.size() != 3 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            throw RunFailure{errReadFile};
        const int number = digits.toInt();
        reader_.CloseVolume();
        const QString path = VolumeFileName(reader_.FileName(), QString::fromLatin1(digits));
        do {
            if (!state_.AskForDisk(number, QString::number(number)))
                return;
        } while (!QFileInfo::exists(path));
        reader_.OpenVolume(path);
        if (!current_) {
            ReadBlockStream(nullptr, QString());
            return;
        }
        if (!current_->file->open(QIODevice::WriteOnly | QIODevice::Append))
            throw RunFailure{errReadFile};
        ReadBlockStream(current_->file.get(), current_->target);
        CloseSegment(*current_);
    }

    // Without a target the blocks are passed over undecompressed.
    void ReadBlockStream(QFile* target, const QString& name) {
        if (reader_.ReadBytes(kBlockMark.size()) != kBlockMark)
            throw RunFailure{errReadFile};
        while (state_.Continues()) {
            const qint32 length = reader_.ReadInt32();
            if (length == 0)
                return;
            if (length < -kBlockSize || length > kBlockSize)
                throw RunFailure{errReadFile};
            const qint64 size = length < 0 ? -qint64(length) : length;
            if (!target) {
                reader_.Skip(size);
                state_.Pump();
                continue;
            }
            reader_.Read(input_.data(), size);
            const char* data = input_.data();
            qint64 produced = size;
            if (length > 0) {
                produced = inflater_->Inflate(input_.data(), size);
                data = inflater_->Output();
            }
            if (target->write(data, produced) != produced)
                throw RunFailure{errReadFile};
            state_.BlockDone(name, produced);
        }
    }

    void CheckStaged() {
        if (!owner_.OnCheckRestored)
            return;
        bool continueRun = true;
        for (const StagedFile& staged : staged_) {
            owner_.OnCheckRestored(&owner_, staged.target, staged.file->fileName(), continueRun);
            if (!continueRun) {
                state_.Stop();
                return;
            }
        }
    }

    // Each file and its folder reach the disk before the rename and the
    // folder again after it: a power cut leaves the old file or the new one.
    void Commit() {
        for (const StagedFile& staged : staged_) {
            if (!sys::SyncToDisk(staged.file->fileName()) ||
                !sys::SyncToDisk(QFileInfo(staged.target).absolutePath()))
                throw RunFailure{errReadFile};
        }
        for (StagedFile& staged : staged_) {
            std::error_code error;
            std::filesystem::rename(FileSystemPath(staged.file->fileName()),
                                    FileSystemPath(staged.target), error);
            if (error)
                throw RunFailure{errReadFile};
            staged.committed = true;
            sys::SyncToDisk(QFileInfo(staged.target).absolutePath());
        }
    }

    TKXBackupFile& owner_;
    RunState state_;
    ArchiveReader reader_;
    QString folder_;
    std::optional<BlockInflater> inflater_;
    std::deque<StagedFile> staged_;
    StagedFile* current_ = nullptr;
    int fileCount_ = 0;
    Block input_;
};

} // namespace

TKXBackupFile::TKXBackupFile(QObject* owner) : QObject(owner) {}

void TKXBackupFile::SetBackupMode(TBackupMode mode) {
    backupMode_ = mode;
    if (mode == bmIncremental)
        SetArchiveFlag = true;
}

bool TKXBackupFile::Backup(const QString& source, const QString& fileName, bool sourceIsFolder,
                           int volumeLimit) {
    MaxSize = volumeLimit;
    fileCount_ = 0;
    BackupRun run(*this, fileName);
    const bool completed = run.Run(source, sourceIsFolder);
    fileCount_ = run.FileCount();
    return completed;
}

bool TKXBackupFile::Restore(const QString& fileName, const QString& folder) {
    fileCount_ = 0;
    if (fileName != kStreamName && !QFileInfo::exists(fileName))
        return false;
    RestoreRun run(*this, fileName, folder);
    const bool restored = run.Run();
    fileCount_ = run.FileCount();
    return restored;
}

bool TKXBackupFile::IsStagedName(const QString& fileName) {
    return fileName.startsWith(kStagedPrefix);
}

void TKXBackupFile::RemoveStagedFiles(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({kStagedPrefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System))
        sys::RemoveFile(dir.filePath(name));
}

void TKXBackupFile::ReportError(int code) {
    ReportError(code, ErrorText(code));
}

void TKXBackupFile::ReportError(int code, const QString& text) {
    if (OnError)
        OnError(this, code, text);
    else
        ui::ShowMessageDialog(nullptr, QStringLiteral("错误信息"), text, ui::MessageIcon::Error,
                              ui::MessageButtons::Ok);
}

} // namespace kx

#include "moc_kxbackupfile.cpp"
