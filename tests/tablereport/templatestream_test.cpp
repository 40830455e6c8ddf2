#include "tablereport/templatestream.h"

#include "platform/sys/cp936.h"
#include "tablereport/reportcontrol.h"
#include "tests/tablereport/fakemeasurer.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace kx {
namespace {

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QByteArray ReadFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Builds streams field by field, for versions and damage the writer never
// produces.
class StreamBuilder {
public:
    StreamBuilder& U8(uint8_t v) { return Raw(QByteArray(1, char(v))); }
    StreamBuilder& U16(uint16_t v) { return Int(v); }
    StreamBuilder& I32(int32_t v) { return Int(v); }
    StreamBuilder& Raw(const QByteArray& bytes) {
        bytes_ += bytes;
        return *this;
    }
    StreamBuilder& Text(const QByteArray& bytes) { return I32(int32_t(bytes.size())).Raw(bytes); }
    QByteArray Bytes() const { return bytes_; }

    // Header of a page with the given cell counts per line.
    StreamBuilder& Header(uint16_t signature, std::initializer_list<int32_t> cellCounts) {
        U16(signature).I32(100).I32(758).I32(1037);
        for (int32_t v : {77, 77, 38, 58, 20, 20, 10, 15})
            I32(v);
        U8(1).I32(2000).I32(1).I32(int32_t(cellCounts.size()));
        for (int32_t count : cellCounts)
            I32(count);
        return *this;
    }
    StreamBuilder& Line(int32_t index) {
        for (int32_t v : {index, 20, 0, 77 + 20 * index, 77, 77, 177, 97})
            I32(v);
        return *this;
    }
    // A cell up to its text; the caller adds what the version holds after it.
    StreamBuilder& CellHead(int32_t index, const QByteArray& text) {
        for (int32_t v : {5, index, 77 + 100 * index, 100})
            I32(v);
        for (int i = 0; i < 11; ++i)
            I32(0);
        for (int i = 0; i < 4; ++i)
            U8(1).I32(1);
        for (int32_t v : {0, 0, 0xFFFFFF, 0, 1})
            I32(v);
        return Text(text);
    }
    StreamBuilder& CellTail(int32_t ownerLine, int32_t ownerCell,
                            std::initializer_list<int32_t> merged = {}) {
        Raw(QByteArray(reinterpret_cast<const char*>(TLogFont::Default().Bytes.data()), 60));
        I32(ownerLine).I32(ownerCell).I32(int32_t(merged.size() / 2));
        for (int32_t v : merged)
            I32(v);
        return *this;
    }
    StreamBuilder& Trailer() { return I32(9).I32(1).I32(2970).I32(2100).I32(0); }

private:
    template <typename T> StreamBuilder& Int(T v) {
        char buffer[sizeof(T)];
        qToLittleEndian<T>(v, buffer);
        return Raw(QByteArray(buffer, sizeof(T)));
    }
    QByteArray bytes_;
};

class TemplateStreamTest : public ::testing::Test {
protected:
    FakeMeasurer measurer;
    TReportControl grid{&measurer};

    void Build(int columns, int rows) {
        for (int r = 0; r < rows; ++r)
            grid.AppendLine()->CreateCells(0, columns, columns * 100);
        grid.UpdateLines();
    }
    TReportCell* Cell(TReportControl& page, int line, int cell) {
        return page.Lines[line]->Cells[cell].get();
    }
};

TEST_F(TemplateStreamTest, OneCellTemplateGoldenBytes) {
    Build(1, 1);
    const QByteArray expected =
        Hex("57aa"                                            // signature
            "64000000 f6020000 0d040000"                      // zoom, page 758 x 1037
            "4d000000 4d000000 26000000 3a000000"             // margins px l t r b
            "14000000 14000000 0a000000 0f000000"             // margins mm l t r b
            "01 d0070000 01000000"                            // reserved
            "01000000 01000000"                               // one line of one cell
            "00000000 14000000 00000000 4d000000"             // line 0: content 20, top 77
            "4d000000 4d000000 b1000000 61000000"             // line rectangle
            "05000000 00000000 4d000000 64000000"             // margin, index, left, width
            "4d000000 4d000000 b1000000 61000000"             // cell rectangle
            "53000000 4f000000 ab000000 5f000000"             // text rectangle
            "00000000 14000000 00000000"                      // heights
            "01 01000000 01 01000000 01 01000000 01 01000000" // borders
            "00000000 00000000 ffffff00 00000000 01000000"    // diagonal, colours, alignment
            "00000000 00000000 00"                            // text, format, no picture
            "f0ffffff 00000000 00000000 00000000 00000000"    // font height -16
            "00000001 00000000 cbcecce5 00000000"             // character set 1, 宋体
            "00000000 00000000 00000000 00000000 00000000 00000000"
            "ffffffff ffffffff 00000000"                     // no merges
            "00000000 00000000 00000000 00000000 00000000"); // trailer
    EXPECT_EQ(WriteTemplate(grid).toHex(), expected.toHex());
}

TEST_F(TemplateStreamTest, RoundTripKeepsMergesPictureFontsMarginsAndPaper) {
    QTemporaryDir folder;
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString png = folder.filePath(QStringLiteral("p.png"));
    ASSERT_TRUE(image.save(png));

    Build(3, 3);
    grid.SetMargins(25, 15, 12, 18);
    Cell(grid, 0, 0)->SetCellText(QStringLiteral("收款单位\r\n"));
    Cell(grid, 1, 0)->SetCellText(QStringLiteral("并入"));
    Cell(grid, 0, 0)->AddMergedCell(Cell(grid, 1, 0));
    Cell(grid, 0, 0)->AddMergedCell(Cell(grid, 2, 0));
    TLogFont font = TLogFont::Default();
    font.SetFaceName(QStringLiteral("黑体"));
    font.SetWeight(700);
    font.SetHeight(-21);
    Cell(grid, 0, 1)->SetFont(font);
    Cell(grid, 0, 1)->SetDisplayFormat(QStringLiteral("大写金额"));
    Cell(grid, 0, 2)->Diagonal = DiagonalLeftToCorner | DiagonalRightToMiddle;
    Cell(grid, 0, 2)->SetBackColor(0x00C0FF);
    Cell(grid, 1, 1)->SetBottomLine(false);
    grid.LoadCellPicture(Cell(grid, 1, 2), png);
    grid.Lines[2]->SetUserHeight(45);
    grid.PaperSize = 256;
    grid.PaperLength = 1000;
    grid.PaperWidth = 1500;
    grid.UpdateLines();

    const QByteArray& bmp = Cell(grid, 1, 2)->Picture;
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 2), quint32(bmp.size()));

    const QByteArray written = WriteTemplate(grid);
    TReportControl read(&measurer);
    ReadTemplate(written, read);
    EXPECT_EQ(WriteTemplate(read).toHex(), written.toHex());

    TReportCell* owner = Cell(read, 0, 0);
    EXPECT_EQ(owner->Text(), QStringLiteral("收款单位\r\n并入"));
    EXPECT_EQ(owner->MergedCells, (std::vector<TReportCell*>{Cell(read, 1, 0), Cell(read, 2, 0)}));
    EXPECT_EQ(Cell(read, 2, 0)->MergeOwner, owner);
    EXPECT_EQ(Cell(read, 0, 1)->LogFont().FaceName(), QStringLiteral("黑体"));
    EXPECT_EQ(Cell(read, 0, 1)->DisplayFormat(), QStringLiteral("大写金额"));
    EXPECT_EQ(QImage::fromData(Cell(read, 1, 2)->Picture).size(), QSize(7, 5));
    EXPECT_EQ(read.GetMargins(), (std::array<int32_t, 4>{25, 15, 12, 18}));
    EXPECT_EQ(read.LeftMarginPx, grid.LeftMarginPx);
    EXPECT_EQ(read.PaperSize, 256);
    EXPECT_EQ(read.PaperWidth, 1500);
    EXPECT_EQ(read.CellAt({owner->CellLeft() + 5, read.Lines[2]->LineTop() + 5}), owner);
}

TEST_F(TemplateStreamTest, SavingAtZoomStoresHundredAndLeavesGridZoom) {
    Build(1, 1);
    grid.SetZoom(150);
    const QByteArray bytes = WriteTemplate(grid);
    EXPECT_EQ(qFromLittleEndian<int32_t>(bytes.constData() + 2), 100);
    EXPECT_EQ(grid.Zoom, 150);
    EXPECT_EQ(grid.ControlWidth, 1137);
    TReportControl read(&measurer);
    read.SetZoom(200);
    ReadTemplate(bytes, read);
    EXPECT_EQ(read.Zoom, 100);
    EXPECT_EQ(read.PageWidth, 758);
}

TEST_F(TemplateStreamTest, OlderVersionsReadWithoutFormatOrPicture) {
    const QByteArray text = cp936::Encode(QStringLiteral("旧"));
    const QByteArray oldest = StreamBuilder()
                                  .Header(kTemplateSignatureOldest, {1})
                                  .Line(0)
                                  .CellHead(0, text)
                                  .CellTail(-1, -1)
                                  .Trailer()
                                  .Bytes();
    ReadTemplate(oldest, grid);
    EXPECT_EQ(Cell(grid, 0, 0)->Text(), QStringLiteral("旧"));
    EXPECT_TRUE(Cell(grid, 0, 0)->DisplayFormat().isEmpty());
    EXPECT_EQ(grid.PaperLength, 2970);

    const QByteArray middle = StreamBuilder()
                                  .Header(kTemplateSignatureMiddle, {1})
                                  .Line(0)
                                  .CellHead(0, text)
                                  .Text("0.00")
                                  .CellTail(-1, -1)
                                  .Trailer()
                                  .Bytes();
    ReadTemplate(middle, grid);
    EXPECT_EQ(Cell(grid, 0, 0)->DisplayFormat(), QStringLiteral("0.00"));
    EXPECT_FALSE(Cell(grid, 0, 0)->HasPicture);
}

TEST_F(TemplateStreamTest, FillerReaderKeepsZoomAndLeftEdgesAndPageReaderDropsFormats) {
    StreamBuilder stream;
    stream.Header(kTemplateSignature, {1}).Line(0).CellHead(0, "x").Text("0.00").U8(0);
    QByteArray bytes = stream.CellTail(-1, -1).Trailer().Bytes();
    qToLittleEndian<int32_t>(120, bytes.data() + 2);
    TReportControl filler(&measurer);
    ReadTemplate(bytes, filler, {.ForGrid = false, .KeepDisplayFormats = false});
    EXPECT_EQ(filler.Zoom, 120);
    EXPECT_EQ(filler.Lines[0]->Control, nullptr);
    EXPECT_EQ(Cell(filler, 0, 0)->CellLeft(), 77);
    EXPECT_TRUE(Cell(filler, 0, 0)->DisplayFormat().isEmpty());
}

TEST_F(TemplateStreamTest, OverlongTextIsCutOnCharacterBoundary) {
    const QByteArray text = "a" + cp936::Encode(QString(1600, QChar(0x6C49)));
    const QByteArray bytes = StreamBuilder()
                                 .Header(kTemplateSignatureOldest, {1})
                                 .Line(0)
                                 .CellHead(0, text)
                                 .CellTail(-1, -1)
                                 .Trailer()
                                 .Bytes();
    ReadTemplate(bytes, grid);
    EXPECT_EQ(cp936::ByteLength(Cell(grid, 0, 0)->Text()), 2999);
}

// Each damaged stream is refused with the reader's text and the grid keeps
// what it held.
TEST_F(TemplateStreamTest, DamagedStreamsAreRefusedAndGridIsKept) {
    Build(2, 2);
    Cell(grid, 0, 0)->SetCellText(QStringLiteral("原有"));
    const QByteArray before = WriteTemplate(grid);

    auto twoLines = [](std::initializer_list<int32_t> ownerOfLower,
                       std::initializer_list<int32_t> mergedOfUpper) {
        StreamBuilder s;
        s.Header(kTemplateSignatureOldest, {1, 1}).Line(0).CellHead(0, "");
        s.CellTail(-1, -1, mergedOfUpper).Line(1).CellHead(0, "");
        auto owner = ownerOfLower.begin();
        return s.CellTail(owner[0], owner[1]).Trailer().Bytes();
    };
    const QByteArray good = twoLines({0, 0}, {1, 0});
    {
        TReportControl check(&measurer);
        ASSERT_NO_THROW(ReadTemplate(good, check));
        EXPECT_EQ(Cell(check, 1, 0)->MergeOwner, Cell(check, 0, 0));
    }
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"unknown signature", QByteArray(good).replace(0, 2, Hex("58aa"))},
        {"empty", QByteArray()},
        {"huge line count",
         StreamBuilder().Header(kTemplateSignature, {}).Bytes().replace(55, 4, Hex("ffffff7f"))},
        {"line without cells",
         StreamBuilder().Header(kTemplateSignature, {0}).Line(0).Trailer().Bytes()},
        {"negative text count", StreamBuilder()
                                        .Header(kTemplateSignatureOldest, {1})
                                        .Line(0)
                                        .CellHead(0, "")
                                        .Bytes()
                                        .chopped(4) +
                                    Hex("ffffffff") + QByteArray(400, '\0')},
        {"picture longer than stream", StreamBuilder()
                                           .Header(kTemplateSignature, {1})
                                           .Line(0)
                                           .CellHead(0, "")
                                           .Text("")
                                           .U8(1)
                                           .Raw("BM")
                                           .I32(100000)
                                           .Raw(QByteArray(300, '\0'))
                                           .Bytes()},
        {"owner out of range", twoLines({5, 0}, {1, 0})},
        {"cell wider than any page",
         QByteArray(good).replace(59 + 8 + 32 + 12, 4, Hex("ffffff7f"))},
        {"owner below the cell", twoLines({1, 0}, {})},
        {"owner does not list the cell", twoLines({0, 0}, {})},
        {"listed cell names no owner", twoLines({-1, -1}, {1, 0})},
        {"cell merged into itself", twoLines({-1, -1}, {0, 0})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ReadTemplate(c.bytes, grid);
            ADD_FAILURE() << "accepted";
        } catch (const ETemplateFormat& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("格式不正确"));
        }
        EXPECT_EQ(WriteTemplate(grid), before);
    }
}

TEST_F(TemplateStreamTest, EveryTruncationIsRefused) {
    Build(2, 2);
    Cell(grid, 0, 0)->AddMergedCell(Cell(grid, 1, 0));
    const QByteArray bytes = WriteTemplate(grid);
    for (qsizetype size = 0; size < bytes.size(); ++size) {
        TReportControl page(&measurer);
        EXPECT_THROW(ReadTemplate(bytes.left(size), page, {.Refusal = QStringLiteral("x")}),
                     ETemplateFormat)
            << size;
    }
}

TEST_F(TemplateStreamTest, FailedSaveKeepsTheOldFile) {
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("t.rpt"));
    Build(1, 1);
    SaveTemplateFile(grid, name);
    const QByteArray old = ReadFile(name);
    ASSERT_EQ(old, WriteTemplate(grid));

    Build(6, 6); // a larger template than the file size limit below allows
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = rlim_t(old.size());
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(SaveTemplateFile(grid, name), Exception);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(ReadFile(name), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("t.rpt")});
    SaveTemplateFile(grid, name);
    TReportControl read(&measurer);
    LoadTemplateFile(name, read);
    EXPECT_EQ(read.Lines.size(), 7u);
    EXPECT_THROW(LoadTemplateFile(folder.filePath(QStringLiteral("none.rpt")), read), Exception);
    EXPECT_EQ(read.Lines.size(), 7u);
}

} // namespace
} // namespace kx
