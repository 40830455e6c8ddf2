#include "bandreport/brcompress.h"
#include "bandreport/brerror.h"
#include "bandreport/brpagelist.h"
#include "core/filefunctions.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace kx {
namespace {

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(text);
}

qint32 IntAt(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

QByteArray PageBytes(int page, int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((page * 31 + i * 7) % 251);
    return bytes;
}

QByteArray FileBytes(const QString& fileName) {
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void WriteFile(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(TBRCompressTest, CodesTheWorkedValuesOnAFreshTree) {
    const struct {
        QByteArray plain;
        QByteArray coded;
    } cases[] = {
        {Hex("00"), Hex("80")},
        {QByteArray("abc"), Hex("463d01")},
        {Hex("ff"), Hex("0000")},
        {QByteArray(), QByteArray()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TBRCompress::Encode(c.plain).toHex(), c.coded.toHex()) << c.plain.toHex().data();
        qsizetype consumed = -1;
        EXPECT_EQ(
            TBRCompress::Decode(c.coded.constData(), c.coded.size(), c.plain.size(), &consumed),
            c.plain);
        EXPECT_EQ(consumed, c.coded.size());
    }
}

TEST(TBRCompressTest, RoundTripsAnyBytesConsumingExactlyWhatWasWritten) {
    QRandomGenerator random(21);
    for (int size : {1, 2, 255, 256, 4096, 70000}) {
        QByteArray plain(size, '\0');
        for (char& byte : plain)
            byte = char(size > 4096 ? random.bounded(4) * 60 : random.bounded(256));
        const QByteArray coded = TBRCompress::Encode(plain) + QByteArray("tail");
        qsizetype consumed = 0;
        EXPECT_EQ(TBRCompress::Decode(coded.constData(), coded.size(), size, &consumed), plain);
        EXPECT_EQ(consumed, coded.size() - 4) << size;
    }
}

TEST(TBRCompressTest, RefusesCodedBytesThatRunOut) {
    const QByteArray coded = TBRCompress::Encode(QByteArray("report"));
    EXPECT_THROW(TBRCompress::Decode(coded.constData(), coded.size() - 1, 6), EBRError);
    EXPECT_THROW(TBRCompress::Decode(nullptr, 0, 1), EBRError);
}

class TBRPageListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    QString Path(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }

    static void FillRun(TBRPageList& list, int pages, bool compression,
                        qint64 limit = TBRPageList::kDefaultMemoryLimit) {
        list.SetStream(TBRStream::CreateInMemory(limit));
        list.SetCompression(compression);
        for (int page = 1; page <= pages; ++page)
            list.AddPage(PageBytes(page, 100 + page * 13));
        list.Finish();
    }

    QTemporaryDir folder_;
};

TEST_F(TBRPageListTest, TheHeaderAndTheRecordsStandAsLaidOut) {
    TBRPageList list;
    FillRun(list, 2, false);
    list.CopyToFile(Path("run.brp"));
    const QByteArray bytes = FileBytes(Path("run.brp"));

    EXPECT_EQ(bytes.left(4).toHex(), "03002800");
    EXPECT_EQ(IntAt(bytes, 8), 2);
    const double stamp = std::bit_cast<double>(qFromLittleEndian<quint64>(bytes.constData() + 16));
    EXPECT_NEAR(stamp, TBRPageList::OleTimeStamp(), 1.0 / 24);
    EXPECT_EQ(bytes.at(25), 0);
    for (int offset : {4, 5, 6, 7, 12, 13, 14, 15, 24, 26, 127})
        EXPECT_EQ(bytes.at(offset), 0) << offset;

    const qint64 first = 128;
    const qint64 second = first + 12 + 113;
    EXPECT_EQ(IntAt(bytes, first), 1);
    EXPECT_EQ(IntAt(bytes, first + 4), second);
    EXPECT_EQ(bytes.mid(first + 8, 113), PageBytes(1, 113));
    EXPECT_EQ(IntAt(bytes, second - 4), first);
    EXPECT_EQ(IntAt(bytes, second), 2);
    EXPECT_EQ(IntAt(bytes, second + 4), bytes.size());
    EXPECT_EQ(IntAt(bytes, bytes.size() - 4), second);
}

TEST_F(TBRPageListTest, ACompressedPageKeepsItsByteCountBeforeTheCode) {
    TBRPageList list;
    list.SetStream(TBRStream::CreateInMemory(TBRPageList::kDefaultMemoryLimit));
    list.SetCompression(true);
    list.AddPage(QByteArray());
    list.AddPage(QByteArray("abc"));
    list.CopyToFile(Path("packed.brp"));
    const QByteArray bytes = FileBytes(Path("packed.brp"));
    EXPECT_EQ(bytes.at(25), 1);
    EXPECT_EQ(IntAt(bytes, 128 + 4), 128 + 16);
    EXPECT_EQ(IntAt(bytes, 128 + 8), 0);
    EXPECT_EQ(bytes.mid(144 + 8, 7).toHex(), "03000000463d01");
    EXPECT_EQ(list.GetPage(1), QByteArray());
    EXPECT_EQ(list.GetPage(2), QByteArray("abc"));
}

TEST_F(TBRPageListTest, PagesReadInAnyOrderAndNumbersOutsideTheRunGiveNothing) {
    for (bool compression : {false, true}) {
        TBRPageList list;
        FillRun(list, 6, compression);
        for (int page : {1, 5, 3, 6, 2, 2, 4})
            EXPECT_EQ(list.GetPage(page), PageBytes(page, 100 + page * 13)) << page;
        const qint64 position = list.Stream()->Position();
        for (int page : {0, -1, 7})
            EXPECT_FALSE(list.GetPage(page).has_value()) << page;
        EXPECT_EQ(list.Stream()->Position(), position);
    }
}

TEST_F(TBRPageListTest, SavedPagesLoadBackIdenticalAndTheFileSaysIfItIsCompressed) {
    for (bool compression : {false, true}) {
        TBRPageList written;
        FillRun(written, 4, compression);
        written.CopyToFile(Path("saved.brp"));

        TBRPageList loaded;
        loaded.SetCompression(!compression);
        loaded.OpenPageFile(Path("saved.brp"));
        EXPECT_EQ(loaded.PageCount(), 4);
        EXPECT_EQ(loaded.Compression(), compression);
        for (int page = 4; page >= 1; --page)
            EXPECT_EQ(loaded.GetPage(page), written.GetPage(page));
        loaded.CopyToFile(Path("again.brp"));
        EXPECT_EQ(FileBytes(Path("again.brp")), FileBytes(Path("saved.brp")));
    }
}

TEST_F(TBRPageListTest, SavingARunThatStoppedEarlyWritesItsRealPageCount) {
    TBRPageList list;
    list.SetStream(TBRStream::CreateInMemory(TBRPageList::kDefaultMemoryLimit));
    for (int page = 1; page <= 3; ++page)
        list.AddPage(PageBytes(page, 20));
    list.CopyToFile(Path("stopped.brp"));
    EXPECT_EQ(IntAt(FileBytes(Path("stopped.brp")), 8), 3);
}

TEST_F(TBRPageListTest, TheOlderHeaderLayoutIsRead) {
    // An older file: a 124-byte header and a first page whose picture
    // carries the " EMF" signature 40 bytes into its data.
    QByteArray page(88, 'p');
    page.replace(40, 4, QByteArray(" EMF"));
    page[44] = 0;
    QByteArray bytes(124, '\0');
    qToLittleEndian<quint16>(3, bytes.data());
    qToLittleEndian<quint16>(40, bytes.data() + 2);
    qToLittleEndian<qint32>(1, bytes.data() + 8);
    QByteArray record(8, '\0');
    qToLittleEndian<qint32>(1, record.data());
    qToLittleEndian<qint32>(124 + 12 + page.size(), record.data() + 4);
    record += page;
    record += QByteArray(4, '\0');
    qToLittleEndian<qint32>(124, record.data() + record.size() - 4);
    bytes += record;
    WriteFile(Path("old.brp"), bytes);

    TBRPageList list;
    list.OpenPageFile(Path("old.brp"));
    EXPECT_EQ(list.Stream()->HeaderSize(), 124);
    EXPECT_EQ(list.PageCount(), 1);
    EXPECT_EQ(list.GetPage(1), page);
}

TEST_F(TBRPageListTest, DamagedFilesAreRefusedWithAClearMessage) {
    TBRPageList written;
    FillRun(written, 3, false);
    written.CopyToFile(Path("good.brp"));
    const QByteArray good = FileBytes(Path("good.brp"));
    TBRPageList packed;
    FillRun(packed, 2, true);
    packed.CopyToFile(Path("packed.brp"));
    const QByteArray goodPacked = FileBytes(Path("packed.brp"));
    const qint64 second = IntAt(good, 128 + 4);

    const auto setInt = [](QByteArray bytes, qsizetype offset, qint32 value) {
        qToLittleEndian<qint32>(value, bytes.data() + offset);
        return bytes;
    };
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"short header", good.left(100)},
        {"not a page file", QByteArray(400, 'x')},
        {"negative count", setInt(good, 8, -1)},
        {"count past the records", setInt(good, 8, 4)},
        {"huge count", setInt(good, 8, 0x7fffffff)},
        {"truncated", good.left(good.size() - 10)},
        {"page out of order", setInt(good, second, 3)},
        {"next before the record", setInt(good, 128 + 4, 130)},
        {"next past the end", setInt(good, 128 + 4, good.size() + 100)},
        {"no link back", setInt(good, second - 4, 0)},
        {"negative byte count", setInt(goodPacked, 128 + 8, -5)},
        {"byte count beyond the code", setInt(goodPacked, 128 + 8, 1 << 30)},
        {"code cut short", setInt(goodPacked, 128 + 8, IntAt(goodPacked, 128 + 8) + 40)},
    };
    for (const auto& c : cases) {
        WriteFile(Path("bad.brp"), c.bytes);
        TBRPageList list;
        FillRun(list, 1, false);
        try {
            list.OpenPageFile(Path("bad.brp"));
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const EBRError& error) {
            EXPECT_TRUE(error.Message().contains(QStringLiteral("is not a valid page file")))
                << c.name << ": " << error.what();
        }
        EXPECT_EQ(list.PageCount(), 1) << c.name;
        EXPECT_EQ(list.GetPage(1), PageBytes(1, 113)) << c.name;
    }
}

TEST_F(TBRPageListTest, AMissingFileRaisesAnOpenError) {
    TBRPageList list;
    EXPECT_THROW(list.OpenPageFile(Path("missing.brp")), EBRError);
}

TEST_F(TBRPageListTest, TheStreamMovesToATemporaryFilePastItsLimitAndRemovesIt) {
    const qint64 total = 128 + 12 + 113;
    const struct {
        qint64 limit;
        bool inMemory;
    } cases[] = {{total, true}, {total - 1, false}, {0, false}};
    for (const auto& c : cases) {
        QString tempFile;
        {
            TBRPageList list;
            FillRun(list, 1, false, c.limit);
            EXPECT_EQ(list.Stream()->InMemory(), c.inMemory) << c.limit;
            tempFile = list.Stream()->TempFileName();
            if (!c.inMemory) {
                EXPECT_TRUE(QFile::exists(tempFile));
                EXPECT_TRUE(tempFile.startsWith(GetTempFolder() + QStringLiteral("BRP")));
                EXPECT_EQ(list.GetPage(1), PageBytes(1, 113));
            }
        }
        EXPECT_TRUE(c.inMemory ? tempFile.isEmpty() : !QFile::exists(tempFile)) << c.limit;
    }
}

TEST_F(TBRPageListTest, ATemporaryFileGoesAlsoWhenARunFails) {
    QString tempFile;
    try {
        TBRPageList list;
        FillRun(list, 2, false, 0);
        tempFile = list.Stream()->TempFileName();
        throw EBRError(QStringLiteral("run failed"));
    } catch (const EBRError&) {
    }
    ASSERT_FALSE(tempFile.isEmpty());
    EXPECT_FALSE(QFile::exists(tempFile));
}

} // namespace
} // namespace kx
