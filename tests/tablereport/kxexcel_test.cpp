#include "tablereport/kxexcel.h"

#include "platform/db/field.h"
#include "platform/print/printer.h"
#include "platform/ui/messagedialog.h"
#include "tablereport/excelplacement.h"
#include "tests/platform/db/dbfixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <optional>

namespace kx {
namespace {

TExcelFieldName Entry(const char* fieldName, const char* caption = "") {
    return {QString::fromUtf8(fieldName), QString(), QString::fromUtf8(caption)};
}

// A cell as "row,column text", with " @" for the text format.
QStringList Show(const TExcelCells& cells) {
    QStringList shown;
    for (const TExcelCell& cell : cells)
        shown << QStringLiteral("%1,%2 %3%4")
                     .arg(cell.Row)
                     .arg(cell.Column)
                     .arg(cell.Text, cell.TextFormat ? QStringLiteral(" @") : QString());
    return shown;
}

TEST(ExcelPlacementTest, WithoutTitlesTheCaptionsTakeRowOne) {
    const TExcelPlacement placement({Entry("CODE", "代码"), Entry("", "备注"), Entry("NAME", "")},
                                    {}, {}, false);
    EXPECT_EQ(placement.CaptionRow(), 1);
    EXPECT_TRUE(placement.TitleCells().isEmpty());
    // An entry without a field still gets its caption and keeps its column.
    EXPECT_EQ(Show(placement.CaptionCells()), QStringList({"1,1 代码", "1,2 备注"}));
    EXPECT_EQ(Show(placement.RecordCells(1, {" A01 ", "ignored", "张三"})),
              QStringList({"2,1 A01", "2,3 张三"}));
    EXPECT_EQ(Show(placement.RecordCells(2, {"", "x", "李四"})), QStringList({"3,3 李四"}));
}

TEST(ExcelPlacementTest, NumberColumnMovesCaptionsDataAndFootersRight) {
    const TExcelPlacement placement({Entry("CODE", "代码"), Entry("NAME", "姓名")},
                                    {Entry("日记账")}, {Entry("合计", "说明"), Entry("12.5")},
                                    true);
    EXPECT_EQ(Show(placement.TitleCells()), QStringList{"1,1 日记账"});
    EXPECT_EQ(placement.CaptionRow(), 2);
    EXPECT_EQ(Show(placement.CaptionCells()), QStringList({"2,1 序号", "2,2 代码", "2,3 姓名"}));
    EXPECT_EQ(Show(placement.RecordCells(1, {"A01", "张三"})),
              QStringList({"3,1 1", "3,2 A01", "3,3 张三"}));
    EXPECT_EQ(Show(placement.RecordCells(3, {"A03", "王五"})),
              QStringList({"5,1 3", "5,2 A03", "5,3 王五"}));
    EXPECT_EQ(Show(placement.FooterCells(3)), QStringList({"6,2 说明", "7,2 合计", "6,3 12.5"}));
}

TEST(ExcelPlacementTest, TitlesNeverShareTheCaptionRow) {
    const struct {
        const char* Name;
        TExcelFieldArray Titles;
        int CaptionRow;
        QStringList Cells;
    } cases[] = {
        {"no titles", {}, 1, {}},
        {"empty texts are skipped", {Entry("", "标签"), Entry("")}, 1, {}},
        {"text only",
         {Entry("日记账"), Entry(""), Entry("2024年")},
         2,
         {"1,1 日记账", "1,3 2024年"}},
        {"label above text", {Entry("日记账", "标题")}, 3, {"1,1 标题", "2,1 日记账"}},
        // A later title without a label must not pull the captions up over
        // the text below an earlier label.
        {"label first, plain last",
         {Entry("日记账", "标题"), Entry("2024年")},
         3,
         {"1,1 标题", "2,1 日记账", "1,2 2024年"}},
        {"long title text", {Entry("110101199001011234")}, 2, {"1,1 110101199001011234 @"}},
    };
    for (const auto& c : cases) {
        const TExcelPlacement placement({Entry("CODE", "代码")}, c.Titles, {}, true);
        EXPECT_EQ(placement.CaptionRow(), c.CaptionRow) << c.Name;
        EXPECT_EQ(Show(placement.TitleCells()), c.Cells) << c.Name;
        EXPECT_EQ(Show(placement.CaptionCells()).first(),
                  QStringLiteral("%1,1 序号").arg(c.CaptionRow))
            << c.Name;
    }
}

TEST(ExcelPlacementTest, FootersStandBelowTheLastRecord) {
    const TExcelFieldArray columns = {Entry("CODE", "代码"), Entry("NAME", "姓名"),
                                      Entry("AMOUNT", "金额")};
    const TExcelPlacement placement(
        columns, {}, {Entry("合计"), Entry(""), Entry("1234567890", "金额合计")}, false);
    EXPECT_EQ(Show(placement.FooterCells(2)),
              QStringList({"4,1 合计", "4,3 金额合计", "5,3 1234567890 @"}));
    const TExcelPlacement none(columns, {}, {Entry("", "孤立的标签")}, false);
    EXPECT_TRUE(none.FooterCells(2).isEmpty());
}

TEST(ExcelPlacementTest, TextFormatIsMeasuredInCodePage936Bytes) {
    const struct {
        const char* Text;
        bool TextFormat;
    } cases[] = {
        {"12345678", false},   {"123456789", true},   {"1234567890", true},   {"123456.78", false},
        {"1234567.90", false}, {"12345678901", true}, {"1234567890.5", true}, {"2024-01-31", true},
        {"张三李四", false},   {"张三李四王", true},  {"张三.李四", false},   {"张三.李四王", true},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NeedsTextFormat(QString::fromUtf8(c.Text)), c.TextFormat) << c.Text;

    // Data texts are measured after trimming.
    const TExcelPlacement placement({Entry("CODE")}, {}, {}, false);
    EXPECT_EQ(Show(placement.RecordCells(1, {"  123456789  "})), QStringList{"2,1 123456789 @"});
    EXPECT_EQ(Show(placement.RecordCells(1, {"  12345678  "})), QStringList{"2,1 12345678"});
}

TEST(ExcelPlacementTest, PlainNumbersAreTakenAsNumbers) {
    const struct {
        const char* Text;
        std::optional<double> Number;
    } cases[] = {
        {"12.5", 12.5},
        {"-0.75", -0.75},
        {"+3", 3},
        {"007", std::nullopt},
        {"0.5", 0.5},
        {"-012", std::nullopt},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"1,234.5", 1234.5},
        {"1,234,567", 1234567},
        {"1,23", std::nullopt},
        {"12,3456", std::nullopt},
        {"2024-01-31", std::nullopt},
        {"12:30", std::nullopt},
        {"50%", std::nullopt},
        {" 12", std::nullopt},
        {"", std::nullopt},
        {".", std::nullopt},
        {"1e999", std::nullopt},
        {"abc", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GeneralNumber(QString::fromUtf8(c.Text)), c.Number) << c.Text;
}

// The python that has openpyxl; empty when none has.
QString PythonWithOpenpyxl() {
    for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        if (QProcess::execute(python, {"-c", "import openpyxl"}) == 0)
            return python;
    }
    return {};
}

// The sheet names, then each written cell of the first sheet as
// "A1 value format", read by an independent reader.
QString ReadWorkbook(const QString& file) {
    const QString python = PythonWithOpenpyxl();
    if (python.isEmpty())
        return QStringLiteral("python3 with openpyxl (Debian's python3-openpyxl) is missing");
    const char* script = R"(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
print('|'.join(book.sheetnames))
for row in book.worksheets[0].iter_rows():
    for cell in row:
        if cell.value is not None:
            print(cell.coordinate, repr(cell.value), cell.number_format)
)";
    QProcess reader;
    reader.start(python, {"-c", script, file});
    if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
        return QString::fromUtf8(reader.readAllStandardError());
    return QString::fromUtf8(reader.readAllStandardOutput());
}

class KXExcelTest : public db::test::DbTest {
protected:
    void SetUp() override {
        Exec({"CREATE TABLE XLSX_TABLE (ID INTEGER, CODE VARCHAR(30), NAME VARCHAR(20), "
              "AMOUNT CURRENCY)",
              "INSERT INTO XLSX_TABLE VALUES (1, '110101199001011234', ' 张三 ', 12.5)",
              "INSERT INTO XLSX_TABLE VALUES (2, '123456789', '李四', -0.75)",
              "INSERT INTO XLSX_TABLE VALUES (3, '00123', '2024-01-31', 1000)"});
        query_ = NewQuery("SELECT * FROM XLSX_TABLE ORDER BY ID");
        query_->Open();
        excel_.SetDataSet(query_);
        excel_.SetReportName(QStringLiteral("现金/日记账"));
        excel_.OpenFile = [this](const QString& path) {
            opened_ << path;
            return opens_;
        };
        previousSink_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
            prompts_ << request.text;
            return true;
        });
        previousFolder_ = print::PdfFolder();
        print::SetPdfFolder(kept_);
    }
    void TearDown() override {
        ui::SetMessageSink(previousSink_);
        print::SetPdfFolder(previousFolder_);
    }

    // The workbooks written, named after the report and the time.
    QStringList Workbooks() const {
        QStringList paths;
        for (const QString& name : QDir(kept_).entryList(
                 {QStringLiteral("现金_日记账 ????-??-?? ??????*.xlsx")}, QDir::Files, QDir::Name))
            paths << QDir(kept_).filePath(name);
        return paths;
    }
    QString ExpectedFile() const {
        const QStringList paths = Workbooks();
        return paths.size() == 1 ? paths[0] : QString();
    }

    db::TQuery* query_ = nullptr;
    TKXExcel excel_;
    QStringList prompts_;
    QStringList opened_;
    bool opens_ = true;
    ui::MessageSink previousSink_;
    QString previousFolder_;
    QTemporaryDir temp_;
    const QString kept_ = temp_.filePath("Documents/kxcashier");
};

TEST_F(KXExcelTest, RefusalsComeInOrderAndWriteNothing) {
    const TExcelFieldArray columns = {Entry("NAME", "姓名")};
    excel_.SetDataSet(nullptr);
    excel_.SetReportName(QStringLiteral("  "));
    excel_.ExportToExcel(columns, {}, {});
    excel_.SetDataSet(query_);
    query_->Close();
    excel_.ExportToExcel(columns, {}, {});
    query_->Open();
    excel_.ExportToExcel(columns, {}, {});
    query_->SQL().SetText(QStringLiteral("SELECT * FROM XLSX_TABLE WHERE ID = 0"));
    query_->Open();
    excel_.SetReportName(QStringLiteral("报表"));
    excel_.ExportToExcel(columns, {}, {});
    EXPECT_EQ(prompts_, QStringList({"没有数据源", "没有数据源", "没有报表名称", "没有数据"}));
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_TRUE(excel_.LastFile().isEmpty());
    EXPECT_FALSE(QDir(kept_).exists());
}

TEST_F(KXExcelTest, WorkbookHoldsTheRowsAndOpens) {
    excel_.SetID(true);
    // The export starts from the first record wherever the data set stands.
    query_->Last();
    excel_.ExportToExcel(
        {Entry("CODE", "代码"), Entry("", "备注"), Entry("NAME", "姓名"), Entry("AMOUNT", "金额")},
        {Entry("现金日记账", "标题")}, {Entry("合计"), Entry(""), Entry(""), Entry("1011.75")});
    EXPECT_TRUE(prompts_.isEmpty()) << prompts_.join('\n').toStdString();
    EXPECT_EQ(excel_.LastFile(), ExpectedFile());
    EXPECT_EQ(opened_, QStringList{ExpectedFile()});
    EXPECT_TRUE(query_->Eof());
    EXPECT_EQ(ReadWorkbook(ExpectedFile()).toStdString(), "现金_日记账\n"
                                                          "A1 '标题' General\n"
                                                          "A2 '现金日记账' @\n"
                                                          "A3 '序号' General\n"
                                                          "B3 '代码' General\n"
                                                          "C3 '备注' General\n"
                                                          "D3 '姓名' General\n"
                                                          "E3 '金额' General\n"
                                                          "A4 1 General\n"
                                                          "B4 '110101199001011234' @\n"
                                                          "D4 '张三' General\n"
                                                          "E4 12.5 General\n"
                                                          "A5 2 General\n"
                                                          "B5 '123456789' @\n"
                                                          "D5 '李四' General\n"
                                                          "E5 -0.75 General\n"
                                                          "A6 3 General\n"
                                                          "B6 '00123' General\n"
                                                          "D6 '2024-01-31' @\n"
                                                          "E6 1000 General\n"
                                                          "B7 '合计' General\n"
                                                          "E7 1011.75 General\n");
}

TEST_F(KXExcelTest, MissingFieldIsPromptedAndWhatWasPlacedStillOpens) {
    excel_.ExportToExcel({Entry("NAME", "姓名"), Entry("NOPE", "没有")}, {}, {});
    EXPECT_EQ(prompts_, QStringList{"Excel打开过程发生错误"});
    EXPECT_EQ(opened_, QStringList{ExpectedFile()});
    EXPECT_EQ(ReadWorkbook(ExpectedFile()).toStdString(), "现金_日记账\n"
                                                          "A1 '姓名' General\n"
                                                          "B1 '没有' General\n");
}

TEST_F(KXExcelTest, UnwritableWorkbookIsPromptedAndNotOpened) {
    QFile blocker(temp_.filePath("Documents"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    excel_.ExportToExcel({Entry("NAME", "姓名")}, {}, {});
    EXPECT_EQ(prompts_, QStringList{"Excel打开过程发生错误"});
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_TRUE(excel_.LastFile().isEmpty());
}

// Exports are kept: a second export of the same report never overwrites
// the first, which the user may have edited.
TEST_F(KXExcelTest, EachExportIsAFileOfItsOwn) {
    excel_.ExportToExcel({Entry("NAME", "姓名")}, {}, {});
    excel_.ExportToExcel({Entry("NAME", "姓名")}, {}, {});
    QStringList workbooks = Workbooks();
    EXPECT_EQ(workbooks.size(), 2);
    workbooks.sort();
    opened_.sort();
    EXPECT_EQ(opened_, workbooks);
}

TEST_F(KXExcelTest, NothingToOpenTheWorkbookSaysWhereItIs) {
    opens_ = false;
    excel_.ExportToExcel({Entry("NAME", "姓名")}, {}, {});
    EXPECT_EQ(prompts_, QStringList{"没有能打开Excel文件的程序，文件保存在：" + ExpectedFile()});
    EXPECT_TRUE(QFile::exists(ExpectedFile()));
    EXPECT_EQ(excel_.LastFile(), ExpectedFile());
}

} // namespace
} // namespace kx
