#include "frame/admin/kxbackupfile.h"

#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"
#include "platform/ui/messagedialog.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>

namespace kx {
namespace {

constexpr int kBlock = 16384;

// 2015-03-07 14:05:06 local time, packed: (35 << 25) | (3 << 21) | (7 << 16)
// | (14 << 11) | (5 << 5) | 3.
const QDateTime kArchivedTime(QDate(2015, 3, 7), QTime(14, 5, 6));
constexpr qint32 kArchivedDos = (35 << 25) | (3 << 21) | (7 << 16) | (14 << 11) | (5 << 5) | 3;

QByteArray RandomBytes(qsizetype size, quint32 seed) {
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(generator.generate());
    return bytes;
}

QByteArray TextBytes(qsizetype size) {
    QByteArray text;
    for (int line = 0; text.size() < size; ++line)
        text += "2015-03-07 cash received " + QByteArray::number(line * 37 % 1000) + " yuan\r\n";
    return text.left(size);
}

void WriteFile(const QString& path, const QByteArray& bytes,
               const QDateTime& time = kArchivedTime) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.flush();
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

// Every entry of the folder (temporary leftovers included) with its bytes
// and modification time.
QMap<QString, QByteArray> Snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        files[info.fileName()] =
            ReadFile(info.filePath()) + "@" + info.lastModified().toString(Qt::ISODate).toUtf8();
    return files;
}

QByteArray Inflated(const QByteArray& payload) {
    QByteArray out(kBlock, Qt::Uninitialized);
    uLongf size = kBlock;
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                   reinterpret_cast<const Bytef*>(payload.constData()),
                   uLong(payload.size())) != Z_OK)
        throw std::runtime_error("block does not inflate");
    return out.left(qsizetype(size));
}

// The archive's framing, read independently of the component.
struct ParsedBlock {
    qint32 length;
    qint64 offset; // where the block starts in its volume
    QByteArray payload;

    QByteArray Data() const { return length < 0 ? payload : Inflated(payload); }
};

struct ParsedEntry {
    QByteArray name;
    qint32 date;
    QList<QList<ParsedBlock>> streams; // one per volume the file touches

    QByteArray Data() const {
        QByteArray data;
        for (const auto& stream : streams)
            for (const ParsedBlock& block : stream)
                data += block.Data();
        return data;
    }
};

struct ParsedArchive {
    QByteArray title;
    qint32 total = 0;
    qint32 count = 0;
    QList<ParsedEntry> entries;
    QList<QByteArray> volumeSwitches;
};

class FramingReader {
public:
    explicit FramingReader(QList<QByteArray> volumes) : volumes_(std::move(volumes)) {}

    ParsedArchive Parse() {
        ParsedArchive archive;
        archive.title = Bytes(Int32());
        archive.total = Int32();
        archive.count = Int32();
        for (;;) {
            const qint32 length = Int32();
            if (length == 0)
                break;
            const QByteArray name = Bytes(length);
            if (name.startsWith("NEXT:DISK")) {
                archive.volumeSwitches.append(name);
                if (pos_ != volumes_[volume_].size())
                    throw std::runtime_error("data after the volume switch");
                ++volume_;
                pos_ = 0;
                archive.entries.back().streams.append(Stream());
                continue;
            }
            ParsedEntry entry{name, Int32(), {}};
            entry.streams.append(Stream());
            archive.entries.append(entry);
        }
        if (volume_ != volumes_.size() - 1 || pos_ != volumes_[volume_].size())
            throw std::runtime_error("data after the end mark");
        return archive;
    }

private:
    QList<ParsedBlock> Stream() {
        if (Bytes(4) != QByteArray("EC2\0", 4))
            throw std::runtime_error("no block mark");
        QList<ParsedBlock> blocks;
        for (;;) {
            const qint64 offset = pos_;
            const qint32 length = Int32();
            if (length == 0)
                return blocks;
            if (length > kBlock || length < -kBlock)
                throw std::runtime_error("block too long");
            blocks.append({length, offset, Bytes(length < 0 ? -length : length)});
        }
    }
    QByteArray Bytes(qint64 size) {
        const QByteArray& volume = volumes_[volume_];
        if (size < 0 || pos_ + size > volume.size())
            throw std::runtime_error("archive ends early");
        const QByteArray bytes = volume.mid(pos_, size);
        pos_ += size;
        return bytes;
    }
    qint32 Int32() { return qFromLittleEndian<qint32>(Bytes(4).constData()); }

    QList<QByteArray> volumes_;
    qsizetype volume_ = 0;
    qint64 pos_ = 0;
};

ParsedArchive Parse(const QList<QByteArray>& volumes) {
    return FramingReader(volumes).Parse();
}

// Builds archives by hand, for damage the writer never makes.
class ArchiveBytes {
public:
    ArchiveBytes& Int32(qint32 value) {
        const qint32 little = qToLittleEndian(value);
        bytes_.append(reinterpret_cast<const char*>(&little), 4);
        return *this;
    }
    ArchiveBytes& Raw(const QByteArray& bytes) {
        bytes_ += bytes;
        return *this;
    }
    ArchiveBytes& Header(qint32 total, qint32 count) { return Int32(0).Int32(total).Int32(count); }
    ArchiveBytes& Entry(const QByteArray& name, const QByteArray& data) {
        Int32(qint32(name.size())).Raw(name).Int32(kArchivedDos).Raw(QByteArray("EC2\0", 4));
        if (!data.isEmpty())
            Int32(-qint32(data.size())).Raw(data);
        return Int32(0);
    }
    ArchiveBytes& End() { return Int32(0); }
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

class BackupFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        QDir(root_.path()).mkdir("src");
        QDir(root_.path()).mkdir("dst");
        backup_.OnError = [this](QObject*, int code, const QString& text) {
            errors_.append(code);
            errorTexts_.append(text);
        };
    }

    QString Src(const QString& name = {}) const { return root_.filePath("src/" + name); }
    QString Dst(const QString& name = {}) const { return root_.filePath("dst/" + name); }
    QString ArchivePath() const { return root_.filePath("archive.bak"); }

    bool BackupSource(int volumeLimit = 0) {
        return backup_.Backup(Src(), ArchivePath(), true, volumeLimit);
    }

    ParsedArchive ParseArchive() const { return Parse({ReadFile(ArchivePath())}); }

    void WriteArchive(const QByteArray& bytes) const {
        QFile file(ArchivePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir root_;
    TKXBackupFile backup_;
    QList<int> errors_;
    QStringList errorTexts_;
};

TEST_F(BackupFileTest, EmptyFileIsNameDateMarkAndEmptyStream) {
    WriteFile(Src("empty.txt"), {});
    ASSERT_TRUE(BackupSource());
    EXPECT_EQ(backup_.FileCount(), 1);

    const QByteArray name = cp936::Encode(Src("empty.txt"));
    const QByteArray expected = ArchiveBytes().Header(0, 1).Entry(name, {}).End().Bytes();
    EXPECT_EQ(ReadFile(ArchivePath()).toHex(), expected.toHex());
}

TEST_F(BackupFileTest, HeaderCarriesTitleTotalAndCountWithGbkNames) {
    backup_.BackupTitle = QStringLiteral("出纳备份");
    WriteFile(Src("数据.db"), TextBytes(1000));
    WriteFile(Src("b.txt"), TextBytes(24));
    ASSERT_TRUE(BackupSource());

    const ParsedArchive archive = ParseArchive();
    EXPECT_EQ(archive.title, cp936::Encode(QStringLiteral("出纳备份")));
    EXPECT_EQ(archive.total, 1024);
    EXPECT_EQ(archive.count, 2);
    ASSERT_EQ(archive.entries.size(), 2);
    // Sorted by name; the name is the file's real path, letter case kept.
    EXPECT_EQ(archive.entries[0].name, cp936::Encode(Src("b.txt")));
    EXPECT_EQ(archive.entries[1].name, cp936::Encode(Src("数据.db")));
    EXPECT_EQ(archive.entries[1].date, kArchivedDos);
    EXPECT_EQ(archive.entries[1].Data(), TextBytes(1000));
}

TEST_F(BackupFileTest, FilesAreCutIntoBlocksOf16384Bytes) {
    WriteFile(Src("a16384"), TextBytes(kBlock));
    WriteFile(Src("b16385"), TextBytes(kBlock + 1));
    ASSERT_TRUE(BackupSource());

    const ParsedArchive archive = ParseArchive();
    ASSERT_EQ(archive.entries.size(), 2);
    const auto& one = archive.entries[0].streams.at(0);
    ASSERT_EQ(one.size(), 1);
    EXPECT_GT(one[0].length, 0);
    EXPECT_EQ(one[0].Data(), TextBytes(kBlock));

    const auto& two = archive.entries[1].streams.at(0);
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(two[0].Data().size(), kBlock);
    EXPECT_EQ(two[1].Data(), TextBytes(kBlock + 1).right(1));
}

TEST_F(BackupFileTest, BlocksThatDoNotShrinkAreStoredRaw) {
    const QByteArray random = RandomBytes(2 * kBlock + 7232, 1);
    WriteFile(Src("random.bin"), random);
    ASSERT_TRUE(BackupSource());

    const ParsedArchive archive = ParseArchive();
    const auto& blocks = archive.entries.at(0).streams.at(0);
    ASSERT_EQ(blocks.size(), 3);
    EXPECT_EQ(blocks[0].length, -kBlock);
    EXPECT_EQ(blocks[0].payload, random.left(kBlock));
    EXPECT_EQ(blocks[1].length, -kBlock);
    // A short last block is kept compressed as long as it fits, even when
    // compression made it larger.
    EXPECT_GT(blocks[2].length, 7232);
    EXPECT_EQ(blocks[2].Data(), random.right(7232));
}

TEST_F(BackupFileTest, NoCompressionStoresFullBlocksRaw) {
    backup_.CompressionLevel = TKXBackupFile::clNone;
    WriteFile(Src("text.txt"), TextBytes(kBlock + 100));
    ASSERT_TRUE(BackupSource());
    const ParsedArchive archive = ParseArchive();
    const auto& blocks = archive.entries.at(0).streams.at(0);
    ASSERT_EQ(blocks.size(), 2);
    EXPECT_EQ(blocks[0].length, -kBlock);
    EXPECT_EQ(blocks[1].Data(), TextBytes(kBlock + 100).right(100));
}

TEST_F(BackupFileTest, FolderRoundTripRestoresContentsAndDates) {
    const QList<qsizetype> sizes = {0, 1, kBlock - 1, kBlock, kBlock + 1, 100000};
    for (qsizetype size : sizes)
        WriteFile(Src(QString("t%1.txt").arg(size)), TextBytes(size));
    WriteFile(Src("r.bin"), RandomBytes(70000, 2));
    WriteFile(Src(".hidden"), "hidden");
    // Names come back as they were: letter case and all.
    WriteFile(Src("RUReravezDataBase.sqlite"), TextBytes(5000));
    WriteFile(Src("rate 5%1 of %2.txt"), "percent signs");
    ASSERT_TRUE(BackupSource());
    EXPECT_EQ(backup_.FileCount(), sizes.size() + 4);

    ASSERT_TRUE(backup_.Restore(ArchivePath(), Dst()));
    EXPECT_EQ(backup_.FileCount(), sizes.size() + 4);
    EXPECT_EQ(Snapshot(Dst()), Snapshot(Src()));
    EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(BackupFileTest, EmptyFolderRestoresEveryFileToItsStoredPath) {
    WriteFile(Src("a.txt"), "first");
    WriteFile(Src("RUReravezDataBase.sqlite"), "second");
    ASSERT_TRUE(BackupSource());
    const auto before = Snapshot(Src());
    WriteFile(Src("a.txt"), "changed since");
    QFile::remove(Src("RUReravezDataBase.sqlite"));

    ASSERT_TRUE(backup_.Restore(ArchivePath(), QString()));
    EXPECT_EQ(Snapshot(Src()), before);
}

TEST_F(BackupFileTest, ArchiveInsideTheSourceFolderIsLeftOut) {
    WriteFile(Src("a.txt"), "a");
    ASSERT_TRUE(backup_.Backup(Src(), Src("self.bak"), true));
    const ParsedArchive archive = Parse({ReadFile(Src("self.bak"))});
    ASSERT_EQ(archive.entries.size(), 1);
    EXPECT_EQ(archive.entries[0].name, cp936::Encode(Src("a.txt")));
}

TEST_F(BackupFileTest, PatternWithSubfoldersTakesTheirFilesFirst) {
    QDir(Src()).mkpath("sub/deeper");
    WriteFile(Src("top.txt"), "top");
    WriteFile(Src("top.bin"), "not matched");
    WriteFile(Src("sub/mid.txt"), "mid");
    WriteFile(Src("sub/deeper/low.txt"), "low");
    ASSERT_TRUE(backup_.Backup(Src("*.txt /s"), ArchivePath(), false));

    QList<QByteArray> names;
    for (const ParsedEntry& entry : ParseArchive().entries)
        names.append(entry.name);
    EXPECT_EQ(names, (QList<QByteArray>{Src("sub/deeper/low.txt").toUtf8(),
                                        Src("sub/mid.txt").toUtf8(), Src("top.txt").toUtf8()}));
}

TEST_F(BackupFileTest, ThreeVolumesWithASmallLimit) {
    // 40000 bytes of room before a block must not start: three raw blocks
    // per volume.
    const int limit = 40000 + 16484;
    const QString archive = root_.filePath(QStringLiteral("某公司dadudez2015-03-07 14.05备份文件"));
    const QByteArray random = RandomBytes(7 * kBlock, 3);
    WriteFile(Src("big.bin"), random);
    WriteFile(Src("z.txt"), "after the split");
    QList<int> disksAsked;
    backup_.OnNeedDisk = [&](QObject*, quint16 disk, bool&) { disksAsked.append(disk); };
    ASSERT_TRUE(backup_.Backup(Src(), archive, true, limit));
    EXPECT_EQ(backup_.MaxSize, limit);
    EXPECT_EQ(disksAsked, (QList<int>{2, 3}));

    const QString second = root_.filePath(QStringLiteral("某公司dadudez2015-03-07 14.002"));
    const QString third = root_.filePath(QStringLiteral("某公司dadudez2015-03-07 14.003"));
    ASSERT_TRUE(QFileInfo::exists(second));
    ASSERT_TRUE(QFileInfo::exists(third));
    const ParsedArchive parsed = Parse({ReadFile(archive), ReadFile(second), ReadFile(third)});
    EXPECT_EQ(parsed.volumeSwitches, (QList<QByteArray>{"NEXT:DISK002", "NEXT:DISK003"}));
    ASSERT_EQ(parsed.entries.size(), 2);
    const auto& streams = parsed.entries[0].streams;
    ASSERT_EQ(streams.size(), 3);
    EXPECT_EQ(streams[0].size(), 3);
    EXPECT_EQ(streams[1].size(), 3);
    EXPECT_EQ(streams[2].size(), 1);
    for (const auto& stream : streams)
        for (const ParsedBlock& block : stream)
            EXPECT_LT(block.offset, limit - 16484);
    EXPECT_EQ(parsed.entries[0].Data(), random);

    disksAsked.clear();
    ASSERT_TRUE(backup_.Restore(archive, Dst()));
    EXPECT_EQ(disksAsked, (QList<int>{2, 3}));
    EXPECT_EQ(ReadFile(Dst("big.bin")), random);
    EXPECT_EQ(QFileInfo(Dst("big.bin")).lastModified(), kArchivedTime);
    EXPECT_EQ(ReadFile(Dst("z.txt")), "after the split");
    EXPECT_EQ(backup_.FileCount(), 2);
}

TEST_F(BackupFileTest, CancelledVolumeLeavesNoArchiveAndNoMessage) {
    WriteFile(Src("big.bin"), RandomBytes(6 * kBlock, 4));
    backup_.OnNeedDisk = [](QObject*, quint16 disk, bool& go) { go = disk < 3; };
    EXPECT_FALSE(backup_.Backup(Src(), ArchivePath(), true, 20000 + 16484));
    EXPECT_EQ(QDir(root_.path()).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(BackupFileTest, StoppedOrFailedBackupLeavesNoArchive) {
    WriteFile(Src("a.txt"), TextBytes(3 * kBlock));
    WriteFile(ArchivePath(), "an older archive");
    backup_.OnProgress = [](QObject*, const QString& file, int, bool& go) { go = file.isEmpty(); };
    EXPECT_FALSE(BackupSource());
    EXPECT_FALSE(QFileInfo::exists(ArchivePath()));
    EXPECT_TRUE(errors_.isEmpty());

    backup_.OnProgress = nullptr;
    EXPECT_FALSE(backup_.Backup(Src(), root_.filePath("missing/archive.bak"), true));
    EXPECT_EQ(errors_, QList<int>{4});
    EXPECT_EQ(errorTexts_, QStringList{QStringLiteral("不能写备份的文件")});
}

TEST_F(BackupFileTest, ProgressRunsFromZeroToHundredOncePerBlock) {
    WriteFile(Src("zeros.bin"), QByteArray(25 * 1024 * 1024, '\0'));
    QList<int> percents;
    QStringList names;
    int pumps = 0;
    backup_.ProcessMessages = [&] { ++pumps; };
    backup_.OnProgress = [&](QObject*, const QString& file, int percent, bool&) {
        names.append(file);
        percents.append(percent);
    };
    ASSERT_TRUE(BackupSource());
    const int blocks = 25 * 1024 * 1024 / kBlock;
    EXPECT_EQ(pumps, blocks);
    ASSERT_EQ(percents.size(), blocks + 2);
    EXPECT_EQ(names.front(), QString());
    EXPECT_EQ(percents.front(), 0);
    EXPECT_EQ(names.back(), QString());
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents[blocks / 2], 50);
    EXPECT_EQ(names[1], Src("zeros.bin"));
}

TEST_F(BackupFileTest, FileIdListComesFirstAndIsNotRestored) {
    backup_.SaveFileID = true;
    WriteFile(Src("a%1.txt"), "alpha");
    WriteFile(Src("b.txt"), "bravo!");
    ASSERT_TRUE(BackupSource());
    EXPECT_EQ(backup_.FileCount(), 2);

    const ParsedArchive archive = ParseArchive();
    EXPECT_EQ(archive.count, 2);
    ASSERT_EQ(archive.entries.size(), 3);
    EXPECT_EQ(archive.entries[0].name, "FILE:LIST");
    const QByteArray list = archive.entries[0].Data();
    const QByteArray date = QByteArray::number(kArchivedDos);
    EXPECT_EQ(list, Src("a%1.txt").toUtf8() + "\t" + date + "=5\r\n" + Src("b.txt").toUtf8() +
                        "\t" + date + "=6\r\n");
    EXPECT_EQ(archive.total, 11 + list.size());

    ASSERT_TRUE(backup_.Restore(ArchivePath(), Dst()));
    EXPECT_EQ(backup_.FileCount(), 2);
    EXPECT_EQ(QDir(Dst()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a%1.txt", "b.txt"}));
}

TEST_F(BackupFileTest, NameOutsideGbkStopsTheBackupBeforeAnythingIsWritten) {
    backup_.SaveFileID = true;
    WriteFile(Src("a.txt"), "alpha");
    const QString unstorable = Src(QStringLiteral("收据\U0001F600.txt"));
    WriteFile(unstorable, "receipt");
    WriteFile(ArchivePath(), "an older archive");
    const auto before = Snapshot(root_.path());

    EXPECT_FALSE(BackupSource());
    EXPECT_EQ(errors_, QList<int>{4});
    EXPECT_EQ(errorTexts_,
              QStringList{"不能写备份的文件：文件名“" + unstorable + "”含有GBK编码不能表示的字符"});
    EXPECT_EQ(backup_.FileCount(), 0);
    EXPECT_EQ(Snapshot(root_.path()), before);
}

TEST_F(BackupFileTest, StreamArchiveRoundTrip) {
    WriteFile(Src("a.txt"), TextBytes(50000));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    backup_.ArchiveStream = &buffer;
    ASSERT_TRUE(backup_.Backup(Src(), ":STREAM", true));
    EXPECT_FALSE(QFileInfo::exists(":STREAM"));
    buffer.seek(0);
    ASSERT_TRUE(backup_.Restore(":STREAM", Dst()));
    EXPECT_EQ(ReadFile(Dst("a.txt")), TextBytes(50000));
}

struct ModeCase {
    TKXBackupFile::TRestoreMode mode;
    bool writesOlder;
    bool writesNewer;
    bool writesMissing;
};

class RestoreModeTest : public BackupFileTest, public testing::WithParamInterface<ModeCase> {};

TEST_P(RestoreModeTest, DecidesByExistenceAndDate) {
    for (const char* name : {"older.txt", "newer.txt", "missing.txt"})
        WriteFile(Src(name), "archived");
    ASSERT_TRUE(BackupSource());
    WriteFile(Dst("older.txt"), "live", kArchivedTime.addDays(-1));
    WriteFile(Dst("newer.txt"), "live", kArchivedTime.addSecs(2));

    backup_.RestoreMode = GetParam().mode;
    ASSERT_TRUE(backup_.Restore(ArchivePath(), Dst()));
    EXPECT_EQ(ReadFile(Dst("older.txt")), GetParam().writesOlder ? "archived" : "live");
    EXPECT_EQ(ReadFile(Dst("newer.txt")), GetParam().writesNewer ? "archived" : "live");
    EXPECT_EQ(ReadFile(Dst("missing.txt")), GetParam().writesMissing ? "archived" : "<missing>");
    if (GetParam().writesOlder) {
        EXPECT_EQ(QFileInfo(Dst("older.txt")).lastModified(), kArchivedTime);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, RestoreModeTest,
                         testing::Values(ModeCase{TKXBackupFile::rmAll, true, true, true},
                                         ModeCase{TKXBackupFile::rmNoOverwrite, false, false, true},
                                         ModeCase{TKXBackupFile::rmNewer, true, false, true},
                                         ModeCase{TKXBackupFile::rmExisting, true, true, false},
                                         ModeCase{TKXBackupFile::rmExistingNewer, true, false,
                                                  false}));

TEST_F(BackupFileTest, RestoreEventsMayRenameOrSkipAFile) {
    WriteFile(Src("keep.txt"), "keep");
    WriteFile(Src("skip.txt"), "skip");
    ASSERT_TRUE(BackupSource());
    QStringList restored;
    backup_.OnRestoreFile = [&](QObject*, QString& name, qint32 fa, bool& doRestore) {
        EXPECT_EQ(fa, kArchivedDos);
        if (name.endsWith("skip.txt"))
            doRestore = false;
        else
            name = Dst("renamed.txt");
    };
    backup_.OnFileRestored = [&](QObject*, QString& name, QFile& stream) {
        EXPECT_TRUE(stream.isOpen());
        restored.append(QFileInfo(name).fileName());
    };
    ASSERT_TRUE(backup_.Restore(ArchivePath(), Dst()));
    EXPECT_EQ(restored, QStringList{"renamed.txt"});
    EXPECT_EQ(QDir(Dst()).entryList(QDir::Files | QDir::Hidden), QStringList{"renamed.txt"});
    EXPECT_EQ(backup_.FileCount(), 1);
}

TEST_F(BackupFileTest, MissingArchiveIsSilentAndUnreadableHeadRaises) {
    EXPECT_FALSE(backup_.Restore(root_.filePath("none.bak"), Dst()));
    EXPECT_TRUE(errors_.isEmpty());

    WriteArchive(ArchiveBytes().Int32(0).Int32(5).Bytes());
    try {
        backup_.Restore(ArchivePath(), Dst());
        ADD_FAILURE() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("不能读备份的文件"));
    }
    WriteArchive(ArchiveBytes().Int32(-1).Int32(5).Int32(1).End().Bytes());
    EXPECT_THROW(backup_.Restore(ArchivePath(), Dst()), Exception);
}

// Without an OnError handler the error goes to a box captioned as the
// program's other error boxes.
TEST_F(BackupFileTest, ErrorWithoutHandlerShowsTheProgramsErrorBox) {
    QList<ui::MessageRequest> shown;
    const ui::MessageSink old = ui::SetMessageSink([&shown](const ui::MessageRequest& request) {
        shown.append(request);
        return false;
    });
    TKXBackupFile backup;
    backup.ReportError(1, QStringLiteral("备份文件已损坏"));
    ui::SetMessageSink(old);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].caption, QStringLiteral("错误信息"));
    EXPECT_EQ(shown[0].text, QStringLiteral("备份文件已损坏"));
    EXPECT_EQ(shown[0].icon, ui::MessageIcon::Error);
}

// A good archive of two files, and damage done to it: each restore must
// fail with its error and leave the data folder as it was, including the
// first file, whose own entry is sound.
struct Damage {
    const char* what;
    int error;
    std::function<QByteArray(const QByteArray& archive, const ParsedArchive& parsed)> apply;
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.what;
}

class DamagedArchiveTest : public BackupFileTest, public testing::WithParamInterface<Damage> {};

// Offset of the second entry's first block in the archive.
qint64 SecondEntryBlock(const ParsedArchive& parsed) {
    return parsed.entries.at(1).streams.at(0).at(0).offset;
}

QByteArray Patched(QByteArray bytes, qint64 offset, const QByteArray& with) {
    bytes.replace(offset, with.size(), with);
    return bytes;
}

QByteArray Int32Bytes(qint32 value) {
    return ArchiveBytes().Int32(value).Bytes();
}

TEST_P(DamagedArchiveTest, RefusedWithTheFolderUnchanged) {
    WriteFile(Src("a.txt"), TextBytes(30000));
    WriteFile(Src("b.txt"), TextBytes(40000));
    ASSERT_TRUE(BackupSource());
    const QByteArray good = ReadFile(ArchivePath());
    WriteArchive(GetParam().apply(good, Parse({good})));
    WriteFile(Dst("a.txt"), "live a", kArchivedTime.addDays(-3));
    WriteFile(Dst("b.txt"), "live b", kArchivedTime.addDays(-3));
    const auto before = Snapshot(Dst());

    EXPECT_FALSE(backup_.Restore(ArchivePath(), Dst()));
    EXPECT_EQ(errors_, QList<int>{GetParam().error});
    EXPECT_EQ(Snapshot(Dst()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedArchiveTest,
    testing::Values(Damage{"bad block mark", 1,
                           [](const QByteArray& a, const ParsedArchive& p) {
                               return Patched(a, SecondEntryBlock(p) - 4, "EC3");
                           }},
                    Damage{"no end mark", 1,
                           [](const QByteArray& a, const ParsedArchive&) { return a.chopped(4); }},
                    Damage{"cut inside a block", 1,
                           [](const QByteArray& a, const ParsedArchive& p) {
                               return a.left(SecondEntryBlock(p) + 100);
                           }},
                    Damage{"cut before a block length", 1,
                           [](const QByteArray& a, const ParsedArchive& p) {
                               return a.left(SecondEntryBlock(p) + 2);
                           }},
                    Damage{"block longer than 16384", 1,
                           [](const QByteArray& a, const ParsedArchive& p) {
                               return Patched(a, SecondEntryBlock(p), Int32Bytes(kBlock + 1));
                           }},
                    Damage{"lowest block length", 1,
                           [](const QByteArray& a, const ParsedArchive& p) {
                               return Patched(a, SecondEntryBlock(p), Int32Bytes(INT32_MIN));
                           }},
                    Damage{"negative name length", 1,
                           [](const QByteArray& a, const ParsedArchive&) {
                               return a.chopped(4) + Int32Bytes(-5);
                           }},
                    Damage{"huge name length", 1,
                           [](const QByteArray& a, const ParsedArchive&) {
                               return a.chopped(4) + Int32Bytes(INT32_MAX) + QByteArray(64, 'x');
                           }},
                    Damage{"corrupt deflate data", 6,
                           [](const QByteArray& a, const ParsedArchive& p) {
                               return Patched(a, SecondEntryBlock(p) + 40, QByteArray(8, '\xff'));
                           }},
                    Damage{"zlib stream cut short", 6,
                           [](const QByteArray& a, const ParsedArchive& p) {
                               const ParsedBlock& block = p.entries[1].streams[0][0];
                               const qint64 start = block.offset;
                               const qint64 end = start + 4 + block.length;
                               return a.left(start) + Int32Bytes(block.length - 10) +
                                      a.mid(start + 4, block.length - 10) + a.mid(end);
                           }},
                    Damage{"bad volume record", 1,
                           [](const QByteArray& a, const ParsedArchive&) {
                               return a.chopped(4) + Int32Bytes(12) + "NEXT:DISK0x2";
                           }}),
    [](const testing::TestParamInfo<Damage>& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST_F(BackupFileTest, NamesThatLeaveTheFolderAreRefused) {
    WriteFile(Dst("live.txt"), "live");
    const auto before = Snapshot(Dst());
    for (const QByteArray& name :
         {QByteArray(".."), QByteArray("../evil.txt"), QByteArray("a/../../evil.txt"),
          QByteArray("c:\\data\\..\\evil.txt"), QByteArray("sub/"), QByteArray("./evil.txt"),
          QByteArray("evil.txt\0/x", 10)}) {
        errors_.clear();
        WriteArchive(ArchiveBytes()
                         .Header(4, 2)
                         .Entry("good.txt", "good")
                         .Entry(name, "evil")
                         .End()
                         .Bytes());
        EXPECT_FALSE(backup_.Restore(ArchivePath(), Dst())) << name.toStdString();
        EXPECT_EQ(errors_, QList<int>{1}) << name.toStdString();
        EXPECT_EQ(Snapshot(Dst()), before) << name.toStdString();
        EXPECT_FALSE(QFileInfo::exists(root_.filePath("evil.txt")));
    }
    // Without a folder each file goes to its stored path, which must be a
    // full one.
    errors_.clear();
    WriteArchive(ArchiveBytes().Header(4, 1).Entry("evil.txt", "evil").End().Bytes());
    EXPECT_FALSE(backup_.Restore(ArchivePath(), QString()));
    EXPECT_EQ(errors_, QList<int>{1});
}

TEST_F(BackupFileTest, NamesBeginningWithAColonStayInTheFolder) {
    WriteArchive(ArchiveBytes().Header(4, 1).Entry("/data/:x.txt", "data").End().Bytes());
    ASSERT_TRUE(backup_.Restore(ArchivePath(), Dst()));
    EXPECT_EQ(QDir(Dst()).entryList(QDir::Files | QDir::Hidden), QStringList{":x.txt"});

    WriteArchive(ArchiveBytes().Header(4, 1).Entry(":x.txt", "data").End().Bytes());
    EXPECT_FALSE(backup_.Restore(ArchivePath(), QString()));
    EXPECT_EQ(errors_, QList<int>{1});
}

TEST_F(BackupFileTest, WindowsPathsRestoreByTheirFilePart) {
    WriteArchive(ArchiveBytes()
                     .Header(4, 1)
                     .Entry(cp936::Encode(QStringLiteral("C:\\出纳\\Data\\数据.DB")), "data")
                     .End()
                     .Bytes());
    ASSERT_TRUE(backup_.Restore(ArchivePath(), Dst()));
    EXPECT_EQ(ReadFile(Dst(QStringLiteral("数据.DB"))), "data");
    EXPECT_EQ(QFileInfo(Dst(QStringLiteral("数据.DB"))).lastModified(), kArchivedTime);
}

TEST_F(BackupFileTest, StoppedRestoreChangesNothing) {
    WriteFile(Src("a.txt"), TextBytes(3 * kBlock));
    WriteFile(Src("b.txt"), TextBytes(3 * kBlock));
    ASSERT_TRUE(BackupSource());
    WriteFile(Dst("a.txt"), "live");
    const auto before = Snapshot(Dst());
    int blocks = 0;
    backup_.OnProgress = [&](QObject*, const QString& file, int, bool& go) {
        if (!file.isEmpty() && ++blocks == 4)
            go = false;
    };
    EXPECT_FALSE(backup_.Restore(ArchivePath(), Dst()));
    EXPECT_TRUE(errors_.isEmpty());
    EXPECT_EQ(Snapshot(Dst()), before);
}

TEST_F(BackupFileTest, IncrementalModeSetsTheArchiveFlag) {
    EXPECT_EQ(backup_.Version(), "5.00");
    EXPECT_FALSE(backup_.SetArchiveFlag);
    backup_.SetBackupMode(TKXBackupFile::bmIncremental);
    EXPECT_TRUE(backup_.SetArchiveFlag);
    EXPECT_EQ(backup_.BackupMode(), TKXBackupFile::bmIncremental);
}

} // namespace
} // namespace kx
