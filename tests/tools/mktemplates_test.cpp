// The default print templates that ship with every data folder: they are
// what the builder makes from the windows' printable fields today, every
// tag names something the window or the filler knows, and each prints its
// records with their amounts and sums.

#include "tools/mktemplates/defaulttemplates.h"

#include "cashbook/ledgerviews.h"
#include "platform/db/query.h"
#include "platform/print/printer.h"
#include "platform/sys/numberformat.h"
#include "platform/ui/messagedialog.h"
#include "staff/employeefields.h"
#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportcontrol.h"
#include "tablereport/reportruntime.h"
#include "tablereport/reportruntimetext.h"
#include "tablereport/templatestream.h"
#include "tests/platform/db/dbfixture.h"
#include "tests/support/printedpage.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace kx::tools {
namespace {

QString ShippedFolder() {
    return QDir(test::SchemaDir()).filePath(QStringLiteral("templates"));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TemplateIds() {
    QStringList ids;
    for (const TDefaultTemplate& shipped : DefaultTemplates())
        ids.append(shipped.PrintId);
    ids.sort();
    return ids;
}

class DefaultTemplatesTest : public db::test::DbTest {
protected:
    TQtTextMeasurer measurer_;
};

TEST_F(DefaultTemplatesTest, BuildingThemAgainGivesTheShippedFiles) {
    // The first-run set-up's catalogue rows, all master templates.
    EXPECT_EQ(TemplateIds(), QStringList({"200700000007", "200700000008", "200700000009",
                                          "200700000010", "200700000019"}));
    EXPECT_EQ(QDir(ShippedFolder()).entryList(QDir::Files, QDir::Name), TemplateIds());

    QTemporaryDir out;
    ASSERT_EQ(WriteDefaultTemplates(out.path(), measurer_), QString());
    for (const QString& id : TemplateIds()) {
        SCOPED_TRACE(id.toStdString());
        const QByteArray built = ReadFile(QDir(out.path()).filePath(id));
        ASSERT_FALSE(built.isEmpty());
        EXPECT_TRUE(built == ReadFile(QDir(ShippedFolder()).filePath(id)))
            << "run kxmktemplates schema schema/templates and commit the result";
    }
}

TEST_F(DefaultTemplatesTest, AColumnTheWindowDoesNotOfferStopsTheBuild) {
    struct Case {
        const char* what;
        TTemplateColumn column;
        const char* mentions;
    };
    const Case cases[] = {
        {"unknown caption", {QStringLiteral("没有的字段"), 10}, "没有的字段"},
        {"too wide", {QStringLiteral("状态"), 5000}, "too wide"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TDefaultTemplate shipped = DefaultTemplates().front();
        shipped.Columns.insert(shipped.Columns.begin() + 1, c.column);
        TReportControl page(&measurer_);
        try {
            BuildDefaultTemplate(shipped, shipped.PrintFields(), page);
            ADD_FAILURE() << "built";
        } catch (const Exception& error) {
            EXPECT_TRUE(error.Message().contains(QString::fromUtf8(c.mentions))) << error.what();
        }
    }
}

const QString kLongName = QStringLiteral("工商银行基本户账号一二");
const QString kLongAmount = QStringLiteral("-999,999,999,999.99");

// The longest value a cashier keeps under each caption; notes, which may
// wrap, are left out.
QString LongestValue(const TTemplateColumn& column) {
    static const QMap<QString, QString> values = {
        {QString(), QStringLiteral("999999")},
        {QStringLiteral("状态"), QStringLiteral("未审核")},
        {QStringLiteral("借贷日期"), QStringLiteral("2008-09-10")},
        {QStringLiteral("出生日期"), QStringLiteral("1980-05-06")},
        {QStringLiteral("台账年月"), QStringLiteral("2008年09月")},
        {QStringLiteral("记录编号"), QStringLiteral("200809000001")},
        {QStringLiteral("账款类别"), kLongName},
        {QStringLiteral("资金账号"), kLongName},
        {QStringLiteral("员工姓名"), kLongName},
        {QStringLiteral("任职部门"), kLongName},
        {QStringLiteral("员工编号"), QStringLiteral("20080001")},
        {QStringLiteral("性别"), QStringLiteral("男")},
        {QStringLiteral("联系电话"), QStringLiteral("13800138000")},
    };
    return column.Kind == TColumnKind::Text ? values.value(column.Caption) : kLongAmount;
}

TEST_F(DefaultTemplatesTest, TheLongestValuesKeepEveryDetailLineToOneRow) {
    for (const TDefaultTemplate& shipped : DefaultTemplates()) {
        SCOPED_TRACE(shipped.PrintId.toStdString());
        TReportControl page(&measurer_);
        LoadTemplateFile(QDir(ShippedFolder()).filePath(shipped.PrintId), page);
        // title, company and date, captions, then the detail line
        TReportLine& detail = *page.Lines.at(3);
        ASSERT_EQ(detail.Cells.size(), shipped.Columns.size());
        for (std::size_t i = 0; i < detail.Cells.size(); ++i) {
            const QString value = LongestValue(shipped.Columns[i]);
            if (value.isEmpty())
                continue;
            TReportCell& cell = *detail.Cells[i];
            cell.SetCellText(value);
            cell.CalcHeight();
            EXPECT_LE(cell.NeededHeight(), detail.UserHeight)
                << shipped.Columns[i].Caption.toStdString() << " wraps " << value.toStdString();
        }
    }
}

// What a "<...>" tag may name: the filler's variables and functions, and
// the company variable the chooser sets.
bool KnownVariable(const QString& tag) {
    static const QStringList names = {"`单位名称", "`序号", "`Date", "`PageNum/"};
    return names.contains(tag) || IsSumTag(tag) || IsPageSumTag(tag);
}

// The detail column a sum tag adds up, from 0.
int SummedColumn(const QString& tag) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("\\((\\d+)\\)")).match(tag);
    return match.hasMatch() ? match.captured(1).toInt() - 1 : -1;
}

TEST_F(DefaultTemplatesTest, EveryTagNamesAFieldOrAVariableTheWindowOffers) {
    for (const TDefaultTemplate& shipped : DefaultTemplates()) {
        SCOPED_TRACE(shipped.PrintId.toStdString());
        const TPrintFieldsArray fields = shipped.PrintFields();
        TReportControl page(&measurer_);
        LoadTemplateFile(QDir(ShippedFolder()).filePath(shipped.PrintId), page);
        EXPECT_EQ(page.Orientation, shipped.Landscape ? print::kLandscape : print::kPortrait);

        const TReportLine* detail = nullptr;
        std::vector<QString> sumTags;
        for (const auto& line : page.Lines) {
            for (const auto& cell : line->Cells) {
                const QString& text = cell->Text();
                const QString tag = TranslateTags(text, fields);
                if (text.startsWith(u'[') || text.startsWith(u'#')) {
                    EXPECT_TRUE(tag.startsWith(u'#')) << text.toStdString();
                    EXPECT_TRUE(std::ranges::any_of(fields, [&tag](const TPrintFields& field) {
                        return field.InDetail &&
                               tag == u'#' + field.DataSetName + u'.' + field.FieldName;
                    })) << text.toStdString();
                    EXPECT_TRUE(detail == nullptr || detail == line.get())
                        << "detail tags stay on one line";
                    detail = line.get();
                } else if (text.startsWith(u'{')) {
                    EXPECT_TRUE(tag.startsWith(u'@')) << text.toStdString();
                } else if (text.startsWith(u'<')) {
                    EXPECT_TRUE(KnownVariable(tag)) << text.toStdString();
                    if (IsSumTag(tag) || IsPageSumTag(tag))
                        sumTags.push_back(tag);
                } else {
                    EXPECT_FALSE(text.contains(u'[') || text.contains(u'{') || text.contains(u'<'))
                        << "a tag starts its cell: " << text.toStdString();
                }
            }
        }
        ASSERT_NE(detail, nullptr);
        EXPECT_FALSE(sumTags.empty());
        // The filler measures these texts as written, tags included: one
        // that wraps would make its line taller than the rest.
        for (const auto& line : page.Lines) {
            if (line.get() == detail)
                continue;
            EXPECT_LE(line->ContentHeight, line->UserHeight)
                << "line " << page.IndexOf(line.get()) << " wraps";
        }
        for (const QString& tag : sumTags) {
            const int column = SummedColumn(tag);
            ASSERT_TRUE(column >= 0 && std::size_t(column) < detail->Cells.size())
                << tag.toStdString();
            const TReportCell& summed = *detail->Cells[std::size_t(column)];
            EXPECT_TRUE((summed.Text().startsWith(u'[') || summed.Text().startsWith(u'#')) &&
                        !summed.DisplayFormat().isEmpty())
                << tag.toStdString() << " adds up " << summed.Text().toStdString();
        }
    }
}

// Printing goes to a PDF file in a folder of the test's own, read back as
// text.
class DefaultTemplatePrintTest : public DefaultTemplatesTest {
protected:
    void SetUp() override {
        if (!print::InstalledPrinters().isEmpty())
            GTEST_SKIP() << "print queues are installed";
        oldSink_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
            prompts_ << request.text;
            return false;
        });
        printing_ = true;
        AddRows();
    }
    void TearDown() override {
        if (!printing_)
            return;
        ui::SetMessageSink(oldSink_);
    }

    void AddRows() {
        Exec({"INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, "
              "MONEY_ACCOUNT_NAME, ORDER_ID) VALUES ('001', 'G001', '工行基本户', 1)",
              "INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, "
              "MONEY_TYPE_NAME, ORDER_ID) VALUES ('001', 'G001', '短期借款', 1)",
              "INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, "
              "MONEY_TYPE_NAME, ORDER_ID) VALUES ('002', 'G001', '往来款项', 2)"});
        const char* records[] = {
            "'R1','200809000001','001','2008-09-10',1234.5,NULL,'借入货款','未审核'",
            "'R2','200809000002','002','2008-09-11',100,50.25,'归还利息','已审核'",
            "'R3','200809000003','001','2008-09-12',NULL,300,'支付押金','未审核'"};
        for (const char* values : records)
            Exec({QStringLiteral("INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, "
                                 "MONEY_TYPE_ID, MONEY_DATE, MONEY_INTO_NUMBER, MONEY_OUT_NUMBER, "
                                 "MONEY_TEXT_FIELD1, STATUS, MONEY_ACCOUNT_ID) VALUES (%1,'001')")
                      .arg(QString::fromUtf8(values))});
        Exec({"INSERT INTO KX_MONEY_DAY_TABLE (MONEY_DAY_DATE, MONEY_ACCOUNT_ID, STATUS, "
              "PRIOR_DAY_MONEY, INTO_DAY_MONEY, OUT_DAY_MONEY, TODAY_DAY_MONEY, NOTE) VALUES "
              "('2008-09-10','001','未审核',0,1234.5,0,1234.5,'开户首日')",
              "INSERT INTO KX_MONEY_DAY_TABLE (MONEY_DAY_DATE, MONEY_ACCOUNT_ID, STATUS, "
              "PRIOR_DAY_MONEY, INTO_DAY_MONEY, OUT_DAY_MONEY, TODAY_DAY_MONEY) VALUES "
              "('2008-09-11','001','未审核',1234.5,100,50.25,1284.25)",
              "INSERT INTO KX_MONEY_MONTH_TABLE (MONEY_MONTH, MONEY_ACCOUNT_ID, STATUS, "
              "MONEY_START_DATE, MONEY_END_DATE, PRIOR_MONTH_MONEY, INTO_MONTH_MONEY, "
              "OUT_MONTH_MONEY, TODAY_MONTH_MONEY) VALUES ('2008年09月','001','未审核',"
              "'2008-09-01','2008-09-30',0,1334.5,350.25,984.25)",
              "INSERT INTO KX_INTO_OUT_MONEY_SUM_TABLE VALUES ('001', 1234.5, 300, 934.5)",
              "INSERT INTO KX_INTO_OUT_MONEY_SUM_TABLE VALUES ('002', 100, 50.25, 49.75)",
              "INSERT INTO KX_EMPLOYEE_TABLE (EMPLOYEE_RECORD_ID, EMPLOYEE_ID, EMPLOYEE_NAME, "
              "EMPLOYEE_TEXT_FIELD1, EMPLOYEE_DATE_FIELD1, EMPLOYEE_TEXT_FIELD6, "
              "EMPLOYEE_NUMBER_FIELD1, EMPLOYEE_NUMBER_FIELD2) VALUES "
              "('E1','0001','王小明','男','1980-05-06','13800138000',1234.5,88)",
              "INSERT INTO KX_EMPLOYEE_TABLE (EMPLOYEE_RECORD_ID, EMPLOYEE_ID, EMPLOYEE_NAME, "
              "EMPLOYEE_NUMBER_FIELD1) VALUES ('E2','0002','李红',100)"});
    }

    // Prints through the shipped file as the chooser does: the variables,
    // the window's data set under the letters its binding lines give, and
    // every page without a dialog.
    QString PrintToText(const TDefaultTemplate& shipped, const QString& sql,
                        const QStringList& letters) {
        db::TQuery* query = NewQuery(sql, false);
        query->Open();
        TReportRunTime filler(&measurer_);
        // Tags turn into fields as the file loads.
        filler.PrintFields = shipped.PrintFields();
        filler.SetReportFile(QDir(folder_.Path()).filePath(shipped.PrintId));
        filler.Title = shipped.Title;
        filler.SetVarValue(QStringLiteral("单位名称"), QStringLiteral("岚衡测试公司"));
        filler.DataSet = letters.isEmpty() ? query : nullptr;
        for (const QString& letter : letters)
            filler.BindDataSet(letter, query);
        filler.Print(1);
        const QStringList pdfs = pdfs_.TakeFiles();
        if (pdfs.size() != 1)
            return {};
        QProcess pdftotext;
        pdftotext.start(
            QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfs.first(), QStringLiteral("-")});
        if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
            return QStringLiteral("pdftotext failed: ") + pdftotext.errorString();
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }

    test::PdfCapture pdfs_;
    QStringList prompts_;
    ui::MessageSink oldSink_;
    bool printing_ = false;
};

const TDefaultTemplate& Template(const QString& id) {
    for (const TDefaultTemplate& shipped : DefaultTemplates())
        if (shipped.PrintId == id)
            return shipped;
    throw std::runtime_error("no template " + id.toStdString());
}

TEST_F(DefaultTemplatePrintTest, EachTemplatePrintsItsRecordsAmountsAndSums) {
    struct Case {
        const char* id;
        QString sql;
        QStringList letters;
        QStringList expected;
    };
    const QString records =
        QStringLiteral("SELECT R.*, A.MONEY_ACCOUNT_NAME, T.MONEY_TYPE_NAME FROM "
                       "KX_INTO_OUT_MONEY_TABLE R LEFT JOIN KX_MONEY_ACCOUNT_TABLE A ON "
                       "A.MONEY_ACCOUNT_ID = R.MONEY_ACCOUNT_ID LEFT JOIN "
                       "KX_MONEY_INTO_OUT_TYPE_TABLE T ON T.MONEY_TYPE_ID = R.MONEY_TYPE_ID "
                       "ORDER BY R.MONEY_ID");
    const auto ledger = [](cashbook::TLedgerView view) {
        return cashbook::LedgerListSql(view, {}, {}) + cashbook::LedgerNames(view).OrderBy;
    };
    const QString sums = QStringLiteral(
        "SELECT S.*, T.MONEY_TYPE_NAME FROM KX_INTO_OUT_MONEY_SUM_TABLE S LEFT JOIN "
        "KX_MONEY_INTO_OUT_TYPE_TABLE T ON T.MONEY_TYPE_ID = S.MONEY_TYPE_ID ORDER BY T.ORDER_ID");
    const QString employees = QStringLiteral("SELECT E.*, '财务部' AS COMPANY_DEPT_NAME FROM "
                                             "KX_EMPLOYEE_TABLE E ORDER BY E.EMPLOYEE_ID");
    const Case cases[] = {
        {"200700000007",
         records,
         {"M", "D"},
         {"资金借贷记录报表", "200809000002", "短期借款", "工行基本户", "借入货款", "1,234.50",
          "50.25", "1,334.50", "350.25", "未审核"}},
        {"200700000008",
         ledger(cashbook::TLedgerView::Day),
         {},
         {"资金账号日台账", "2008-09-11", "工行基本户", "开户首日", "1,284.25", "1,334.50",
          "50.25"}},
        {"200700000009",
         ledger(cashbook::TLedgerView::Month),
         {},
         {"资金账号月台账", "2008年09月", "工行基本户", "984.25", "1,334.50", "350.25"}},
        {"200700000019",
         sums,
         {"M", "D"},
         {"资金借贷数据统计报表", "往来款项", "934.50", "1,334.50", "350.25", "984.25"}},
        {"200700000010",
         employees,
         {"M"},
         {"员工资料", "王小明", "财务部", "13800138000", "1980-05-06", "1,334.50", "88.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const QString text = PrintToText(Template(QString::fromLatin1(c.id)), c.sql, c.letters);
        EXPECT_EQ(prompts_, QStringList());
        prompts_.clear();
        const QString flat = QString(text).remove(QRegularExpression(QStringLiteral("\\s")));
        for (const QString& expected : c.expected + QStringList{"岚衡测试公司", "第1/1页"})
            EXPECT_TRUE(flat.contains(expected)) << expected.toStdString() << " not in:\n"
                                                 << text.toStdString();
    }
}

// A records list of long names and large amounts, as printed: every page
// but the last holds as many records as the first (no line wraps), every
// record prints once, and the report total is the table's.
TEST_F(DefaultTemplatePrintTest, LongValuesFillEveryPageAlikeAndAddUp) {
    Exec({QStringLiteral("INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, "
                         "MONEY_ACCOUNT_NAME, ORDER_ID) VALUES ('009', 'G001', '%1', 9)")
              .arg(kLongName),
          QStringLiteral("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, "
                         "MONEY_TYPE_NAME, ORDER_ID) VALUES ('009', 'G001', '%1', 9)")
              .arg(kLongName),
          "DELETE FROM KX_INTO_OUT_MONEY_TABLE"});
    constexpr int kRecords = 75;
    QStringList inserts;
    for (int i = 1; i <= kRecords; ++i)
        inserts << QStringLiteral(
                       "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, "
                       "MONEY_TYPE_ID, MONEY_DATE, MONEY_INTO_NUMBER, MONEY_OUT_NUMBER, "
                       "MONEY_TEXT_FIELD1, STATUS, MONEY_ACCOUNT_ID) VALUES ('R%1', '2008%2', "
                       "'009', '2008-09-10', 9999999999.99, %3, '借入货款', '未审核', '009')")
                       .arg(i)
                       .arg(i, 8, 10, QLatin1Char('0'))
                       .arg(i * 111111111.11, 0, 'f', 2);
    Exec(inserts);
    db::TQuery* query = NewQuery(
        QStringLiteral("SELECT R.*, A.MONEY_ACCOUNT_NAME, T.MONEY_TYPE_NAME FROM "
                       "KX_INTO_OUT_MONEY_TABLE R LEFT JOIN KX_MONEY_ACCOUNT_TABLE A ON "
                       "A.MONEY_ACCOUNT_ID = R.MONEY_ACCOUNT_ID LEFT JOIN "
                       "KX_MONEY_INTO_OUT_TYPE_TABLE T ON T.MONEY_TYPE_ID = R.MONEY_TYPE_ID "
                       "ORDER BY R.MONEY_ID"),
        false);
    query->Open();
    const TDefaultTemplate& shipped = Template(QStringLiteral("200700000007"));
    TReportRunTime filler(&measurer_);
    filler.PrintFields = shipped.PrintFields();
    filler.SetReportFile(QDir(folder_.Path()).filePath(shipped.PrintId));
    for (const QString& letter : {QStringLiteral("M"), QStringLiteral("D")})
        filler.BindDataSet(letter, query);
    filler.Paginate(true, filler.Paginate(false, 0));
    ASSERT_GT(filler.PageStreams.size(), 2u);
    QStringList numbers;
    std::vector<int> perPage;
    QStringList lastLine;
    for (const QByteArray& stream : filler.PageStreams) {
        TReportControl page(&measurer_);
        ReadTemplate(stream, page, {.ForGrid = false});
        perPage.push_back(page.FooterStart - 3);
        for (int i = 3; i < page.FooterStart; ++i)
            numbers << page.Lines[std::size_t(i)]->Cells[3]->Text();
        lastLine.clear();
        for (const auto& cell : page.Lines[page.Lines.size() - 2]->Cells)
            lastLine << cell->Text();
    }
    const int full = perPage.front();
    EXPECT_EQ(int(filler.PageStreams.size()), (kRecords + full - 1) / full);
    for (std::size_t p = 0; p + 1 < perPage.size(); ++p)
        EXPECT_EQ(perPage[p], full) << "page " << p + 1;
    QStringList expected;
    for (int i = 1; i <= kRecords; ++i)
        expected << QStringLiteral("2008%1").arg(i, 8, 10, QLatin1Char('0'));
    EXPECT_EQ(numbers, expected);
    db::TQuery* sums = NewQuery(QStringLiteral("SELECT SUM(MONEY_INTO_NUMBER) AS I, "
                                               "SUM(MONEY_OUT_NUMBER) AS O FROM "
                                               "KX_INTO_OUT_MONEY_TABLE"),
                                false);
    sums->Open();
    ASSERT_GE(lastLine.size(), 3);
    EXPECT_EQ(lastLine[0], QStringLiteral("合计"));
    EXPECT_EQ(lastLine[lastLine.size() - 3],
              sys::FormatFloat(QStringLiteral("#,##0.00"), sums->FieldByName("I")->AsFloat()));
    EXPECT_EQ(lastLine[lastLine.size() - 2],
              sys::FormatFloat(QStringLiteral("#,##0.00"), sums->FieldByName("O")->AsFloat()));
    EXPECT_EQ(prompts_, QStringList());
}

// The employee list's captions are the user's to rename; its template
// names the fields, so a renamed caption still prints the values.
TEST_F(DefaultTemplatePrintTest, RenamedEmployeeCaptionStillPrintsTheNames) {
    ASSERT_TRUE(staff::SeedDefaultEmployeeFields());
    Exec({"UPDATE SYS_EMPLOYEE_FIELD_TABLE SET FIELD_DISPLAY_NAME = '姓名' "
          "WHERE FIELD_NAME = 'EMPLOYEE_NAME'"});
    const QString text = PrintToText(Template(QStringLiteral("200700000010")),
                                     QStringLiteral("SELECT E.*, '财务部' AS COMPANY_DEPT_NAME "
                                                    "FROM KX_EMPLOYEE_TABLE E"),
                                     {"M"});
    EXPECT_TRUE(text.contains(QStringLiteral("王小明"))) << text.toStdString();
    EXPECT_FALSE(text.contains(u'[')) << text.toStdString();
    EXPECT_EQ(prompts_, QStringList());
}

} // namespace
} // namespace kx::tools
