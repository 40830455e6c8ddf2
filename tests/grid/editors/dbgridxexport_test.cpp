#include "grid/editors/dbgridxexport.h"

#include "grid/dbgrid/columnfooterx.h"
#include "platform/sys/cp936.h"
#include "tests/grid/editors/gridiofixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

using GridExportTest = GridIOTest;

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

class TwoColumnExport : public GridExportTest {
protected:
    void SetUp() override {
        Rows({"1, 'x', 0, 0, NULL", "2, 'y', 0, 0, NULL"});
        OpenGrid(QStringLiteral("ID, NAME"));
        Col(0)->Title()->SetCaption(QStringLiteral("A"));
        Col(1)->Title()->SetCaption(QStringLiteral("B"));
    }
};

TEST_F(TwoColumnExport, TextAndCsvOfTheWholeGridMatchTheirBytes) {
    EXPECT_EQ(Export(TGridExportFormat::Text), QByteArray("A\tB\r\n1\tx\r\n2\ty"));
    EXPECT_EQ(Export(TGridExportFormat::Csv),
              QByteArray("\"A\";\"B\"\r\n\"1\";\"x\"\r\n\"2\";\"y\""));
}

TEST_F(TwoColumnExport, WithoutSelectionEveryFormatWritesNothing) {
    for (TGridExportFormat format : {TGridExportFormat::Text, TGridExportFormat::Csv,
                                     TGridExportFormat::Rtf, TGridExportFormat::VCLDBIF})
        EXPECT_TRUE(Export(format, false).isEmpty()) << int(format);
}

TEST_F(TwoColumnExport, TheGridComesBackToItsRecord) {
    query_.SetRecNo(2);
    Export(TGridExportFormat::Text);
    EXPECT_EQ(query_.RecNo(), 2);
    EXPECT_FALSE(query_.ControlsDisabled());
}

TEST_F(GridExportTest, CsvDoublesQuotesAndTextIsWrittenInTheProgramsCodePage) {
    Rows({"1, 'a\"b', 0, 0, NULL", "2, '现金', 0, 0, NULL", "3, NULL, 0, 0, NULL"});
    OpenGrid(QStringLiteral("NAME"));
    grid_.SetOptions(grid_.Options() & ~dgTitles);
    EXPECT_EQ(Export(TGridExportFormat::Csv),
              "\"a\"\"b\"\r\n\"" + cp936::Encode(QStringLiteral("现金")) + "\"\r\n\"\"");
    EXPECT_EQ(Export(TGridExportFormat::Text),
              "a\"b\r\n" + cp936::Encode(QStringLiteral("现金")) + "\r\n");
}

class SelectionExport : public GridExportTest {
protected:
    void SetUp() override {
        Rows({"1, 'a', 1, 1, NULL", "2, 'b', 2, 2, NULL", "3, 'c', 3, 3, NULL",
              "4, 'd', 4, 4, NULL"});
        OpenGrid(QStringLiteral("ID, NAME, QTY"));
        grid_.SetOptions(grid_.Options() & ~dgTitles);
    }
};

TEST_F(SelectionExport, ARectangleRunsFromItsTopRowThroughItsBottomRow) {
    SelectRect(1, 2, 2, 3);
    EXPECT_EQ(Export(TGridExportFormat::Text, false), QByteArray("b\t2\r\nc\t3"));
    SelectRect(2, 3, 0, 4);
    EXPECT_EQ(Export(TGridExportFormat::Text, false), QByteArray("3\tc\t3\r\n4\td\t4"));
}

TEST_F(SelectionExport, SelectedRecordsAndColumnsExportOnlyThemselves) {
    SelectRecords({3, 1});
    EXPECT_EQ(Export(TGridExportFormat::Text, false), QByteArray("1\ta\t1\r\n3\tc\t3"));
    grid_.Selection().Columns().Select(Col(2), false);
    grid_.Selection().Columns().Select(Col(0), true);
    EXPECT_EQ(Export(TGridExportFormat::Text, false), QByteArray("1\t1\r\n2\t2\r\n3\t3\r\n4\t4"));
}

TEST_F(SelectionExport, CellEventsDecideTheExportedText) {
    Col(1)->OnGetCellParams = [](TColumnX*, bool, TColCellParamsX& params) {
        params.CellText = params.CellText.toUpper();
    };
    SelectRecords({2});
    EXPECT_EQ(Export(TGridExportFormat::Text, false), QByteArray("2\tB\t2"));
}

// Footers sum and count the exported records only.
TEST_F(GridExportTest, FootersAreComputedOverTheExportedRecords) {
    Rows({"1, 'a', 0.1, 12000, NULL", "2, 'b', 0.2, 345, NULL", "3, 'c', 5, 0, NULL",
          "4, 'd', 7, 0, NULL"});
    OpenGrid(QStringLiteral("NAME, AMOUNT, QTY"));
    grid_.SetOptions(grid_.Options() & ~dgTitles);
    grid_.SetFooterRowCount(1);
    Col(0)->Footer()->SetValueType(fvtCount);
    Col(1)->Footer()->SetValueType(fvtSum);
    Col(2)->Footer()->SetValueType(fvtSum);
    SelectRecords({1, 2});
    EXPECT_EQ(Export(TGridExportFormat::Text, false),
              QByteArray("a\t0.1\t12000\r\nb\t0.2\t345\r\n2\t0.3\t12345"));
    query_.FieldByName(QStringLiteral("QTY"))->SetDisplayFormat(QStringLiteral("#,##0"));
    SelectRecords({3});
    EXPECT_TRUE(Export(TGridExportFormat::Text, false).endsWith("3\t5.3\t12,345"));
}

TEST_F(GridExportTest, VCLDBIFOfAnIntegerColumnMatchesItsBytes) {
    Rows({"1, NULL, 0, 5, NULL", "2, NULL, 0, NULL, NULL"});
    OpenGrid(QStringLiteral("QTY"));
    EXPECT_EQ(Export(TGridExportFormat::VCLDBIF),
              "VCLDBIF" + Bytes({1, 1, 0, 0, 0, 1, 0, 3, 5, 0, 0, 0, 2, 0}));
}

TEST_F(GridExportTest, VCLDBIFWritesTextDoublesAndDatesAsTheirValues) {
    Rows({"1, '现', 2.5, 0, '1900-01-01'"});
    OpenGrid(QStringLiteral("NAME, AMOUNT, DAY"));
    const QByteArray name = cp936::Encode(QStringLiteral("现"));
    const QByteArray bytes = Export(TGridExportFormat::VCLDBIF);
    const QByteArray cells = bytes.mid(12 + 3 * 2);
    EXPECT_EQ(cells.left(5 + name.size()), Bytes({5, 2, 0, 0, 0}) + name);
    double amount = 0;
    double day = 0;
    memcpy(&amount, cells.constData() + 5 + name.size() + 1, 8);
    memcpy(&day, cells.constData() + 5 + name.size() + 10, 8);
    EXPECT_EQ(amount, 2.5);
    EXPECT_EQ(day, 2.0) << "a date is its day count from 1899-12-30";
    EXPECT_TRUE(cells.endsWith(Bytes({0})));
}

class RtfExport : public GridExportTest {
protected:
    void SetUp() override {
        Rows({"1, 'x', 0, 0, NULL"});
        OpenGrid(QStringLiteral("NAME"));
        grid_.SetOptions(grid_.Options() & ~dgTitles);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(8);
        Col(0)->SetFont(font);
        Col(0)->SetWidth(96);
    }
    // The document's body: what follows the font table.
    QByteArray Body() {
        const QByteArray rtf = Export(TGridExportFormat::Rtf);
        return rtf.mid(rtf.indexOf("{\\fonttbl"));
    }
};

TEST_F(RtfExport, ADataRowMatchesItsLines) {
    ASSERT_EQ(grid_.logicalDpiX(), 96);
    const QByteArray rtf = Export(TGridExportFormat::Rtf);
    EXPECT_TRUE(rtf.startsWith("{\\rtf0\\ansi\r\n{\\colortbl\\red0\\green0\\blue0;"
                               "\\red255\\green255\\blue255;\\red"));
    EXPECT_EQ(Body(), QByteArray("{\\fonttbl\\f0\\fnil Arial;}\r\n"
                                 "\\trowd\\trgaph40\r\n"
                                 "\\clbrdrl\\brdrs\\brdrcf0\r\n"
                                 "\\clbrdrt\\brdrs\\brdrcf0\r\n"
                                 "\\clbrdrb\\brdrs\\brdrcf0\r\n"
                                 "\\clbrdrr\\brdrs\\brdrcf0\r\n"
                                 "\\clshdng10000\\clcfpat1\\cellx1440\r\n"
                                 "{\\trrh0\r\n"
                                 "\\pard\\intbl{\\ql\\sb24\\sa24\\fs16\\f0\\cf0\\cb1 x\\cell}\r\n"
                                 "\\pard\\intbl\\row}\r\n"
                                 "}"));
}

TEST_F(RtfExport, FlatGridsBoldFontsAndAlignmentChangeTheParagraph) {
    grid_.SetFlat(true);
    QFont font = Col(0)->Font();
    font.setBold(true);
    font.setUnderline(true);
    Col(0)->SetFont(font);
    Col(0)->SetAlignment(db::taRightJustify);
    EXPECT_TRUE(
        Body().contains("\\pard\\intbl{\\qr\\sb12\\sa12\\fs16\\b\\ul\\f0\\cf0\\cb1 x\\cell}"));
}

// A cell's text never breaks the document: RTF's own characters are
// escaped, line breaks become \line and Chinese becomes Unicode escapes.
TEST_F(RtfExport, SpecialCharactersLineBreaksAndChineseAreEscaped) {
    Col(0)->OnGetCellParams = [](TColumnX*, bool, TColCellParamsX& params) {
        params.CellText = QStringLiteral("a\\b{c}\r\nd\n现");
    };
    EXPECT_TRUE(Body().contains(" a\\\\b\\{c\\}\\line d\\line \\u29616?\\cell}"));
}

TEST_F(RtfExport, FontNamesDifferingInCaseShareOneEntry) {
    Exec({"DELETE FROM IO_TEST"});
    Rows({"1, 'x', 0, 3, NULL"});
    query_.Close();
    OpenGrid(QStringLiteral("NAME, QTY"));
    grid_.SetOptions(grid_.Options() & ~dgTitles);
    QFont lower(QStringLiteral("arial"));
    lower.setPointSize(8);
    QFont upper(QStringLiteral("ARIAL"));
    upper.setPointSize(8);
    Col(0)->SetFont(lower);
    Col(1)->SetFont(upper);
    const QByteArray rtf = Export(TGridExportFormat::Rtf);
    EXPECT_TRUE(rtf.contains("{\\fonttbl\\f0\\fnil arial;}"));
    EXPECT_EQ(rtf.count("\\f0\\cf0"), 2);
}

TEST_F(RtfExport, FooterRowsTakeTheFootersColourAndText) {
    grid_.SetFooterRowCount(1);
    Col(0)->Footer()->SetValueType(fvtStaticText);
    Col(0)->Footer()->SetValue(QStringLiteral("total"));
    Col(0)->Footer()->SetColor(ui::RGBColor(255, 0, 0));
    Col(0)->Footer()->SetAlignment(db::taCenter);
    const QByteArray rtf = Export(TGridExportFormat::Rtf);
    EXPECT_TRUE(rtf.contains("\\red255\\green0\\blue0;"));
    EXPECT_TRUE(rtf.contains("\\clcfpat3\\cellx1440\r\n{\\trrh0\r\n\\pard\\intbl{\\qc"));
    EXPECT_TRUE(rtf.contains("\\cb3 total\\cell}"));
}

// Three columns: "G|A" and "G|B" under one group, "C" alone over both
// title rows. The group row comes first; C's cell spans both rows, so its
// lower cell is empty and the two cells keep only the outer borders.
TEST_F(GridExportTest, MultiLevelTitlesSpanTheirCells) {
    Rows({"1, 'x', 1, 2, NULL"});
    OpenGrid(QStringLiteral("NAME, AMOUNT, QTY"));
    grid_.SetUseMultiTitle(true);
    Col(0)->Title()->SetCaption(QStringLiteral("G|A"));
    Col(1)->Title()->SetCaption(QStringLiteral("G|B"));
    Col(2)->Title()->SetCaption(QStringLiteral("C"));
    for (int c = 0; c < 3; ++c)
        Col(c)->SetWidth(96);
    grid_.SetFooterRowCount(0);
    const QByteArray rtf = Export(TGridExportFormat::Rtf);
    const qsizetype groupRow = rtf.indexOf("\\trowd");
    const qsizetype leafRow = rtf.indexOf("\\trowd", groupRow + 1);
    const qsizetype dataRow = rtf.indexOf("\\trowd", leafRow + 1);
    ASSERT_GT(dataRow, leafRow);
    const QByteArray group = rtf.mid(groupRow, leafRow - groupRow);
    const QByteArray leaves = rtf.mid(leafRow, dataRow - leafRow);
    // Upper row: G over two cells (left border on the first, right on the
    // second, no border between them), then C with top, left and right.
    EXPECT_EQ(group.left(group.indexOf("{\\trrh0")),
              QByteArray("\\trowd\\trgaph40\r\n"
                         "\\clbrdrl\\brdrs\\brdrcf0\r\n\\clbrdrt\\brdrs\\brdrcf0\r\n"
                         "\\clbrdrb\\brdrs\\brdrcf0\r\n"
                         "\\clshdng10000\\clcfpat2\\cellx1440\r\n"
                         "\\clbrdrt\\brdrs\\brdrcf0\r\n\\clbrdrb\\brdrs\\brdrcf0\r\n"
                         "\\clbrdrr\\brdrs\\brdrcf0\r\n"
                         "\\clshdng10000\\clcfpat2\\cellx2880\r\n"
                         "\\clbrdrl\\brdrs\\brdrcf0\r\n\\clbrdrt\\brdrs\\brdrcf0\r\n"
                         "\\clbrdrr\\brdrs\\brdrcf0\r\n"
                         "\\clshdng10000\\clcfpat2\\cellx4320\r\n"));
    EXPECT_EQ(group.count("\\qc\\sb"), 2) << "G and C carry text";
    EXPECT_TRUE(group.contains(" G\\cell}"));
    EXPECT_TRUE(group.contains(" C\\cell}"));
    EXPECT_TRUE(group.contains("\\pard\\intbl{\\qc\\fs"))
        << "G's second cell is empty, without spacing";
    EXPECT_TRUE(leaves.contains(" A\\cell}"));
    EXPECT_TRUE(leaves.contains(" B\\cell}"));
    EXPECT_EQ(leaves.count("\\qc\\sb"), 2) << "C's lower cell is empty";
    EXPECT_TRUE(leaves.contains("\\clbrdrl\\brdrs\\brdrcf0\r\n\\clbrdrb\\brdrs\\brdrcf0\r\n"
                                "\\clbrdrr\\brdrs\\brdrcf0\r\n"
                                "\\clshdng10000\\clcfpat2\\cellx4320"))
        << "C's lower cell has no top border";
}

TEST_F(TwoColumnExport, WriteToFileWritesTheSameBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.txt"));
    const std::unique_ptr<TDBGridXExport> exporter = MakeGridExporter(TGridExportFormat::Text);
    exporter->Grid = &grid_;
    exporter->WriteToFile(path, true);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("A\tB\r\n1\tx\r\n2\ty"));
}

} // namespace
} // namespace kx::test
