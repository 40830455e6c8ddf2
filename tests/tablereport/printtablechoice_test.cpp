#include "tablereport/printtablechoice.h"

#include "platform/db/field.h"
#include "platform/sys/exception.h"
#include "platform/ui/messagedialog.h"
#include "tablereport/reportruntime.h"
#include "tablereport/templatestream.h"
#include "tests/platform/db/dbfixture.h"
#include "tests/tablereport/fakemeasurer.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(PrintTableChoiceTest, CatalogueStatementQuotesItsValues) {
    EXPECT_EQ(CatalogueSelect("MoneyIntoOutForm", ""),
              "SELECT  *  FROM  SYS_PRINT_NAME_TABLE WHERE PRINT_INDEX = 'MoneyIntoOutForm' "
              "ORDER BY PRINT_TYPE");
    EXPECT_EQ(CatalogueSelect("A'B", "M'D"),
              "SELECT  *  FROM  SYS_PRINT_NAME_TABLE WHERE PRINT_INDEX = 'A''B' AND PRINT_TYPE = "
              "'M''D' ORDER BY PRINT_TYPE");
    EXPECT_EQ(TemplateBodySelect("SYS_PRINT_DATA_TABLE", "X' OR '1'='1"),
              "SELECT * FROM SYS_PRINT_DATA_TABLE WHERE PRINT_ID = 'X'' OR ''1''=''1'");
}

TEST(PrintTableChoiceTest, CatalogueFieldsShowTheTitleAndHideTheKeys) {
    const TFieldsDataArray rules = CatalogueFieldRules();
    ASSERT_EQ(rules.Count(), 6);
    EXPECT_EQ(rules[0].FieldName, "PRINT_NAME");
    EXPECT_EQ(rules[0].DisplayLabel, "报表名称");
    EXPECT_TRUE(rules[0].Visible);
    for (const char* hidden : {"PRINT_INDEX", "PRINT_ID", "PRINT_TYPE"}) {
        const auto rule = std::find_if(rules.begin(), rules.end(),
                                       [&](const TFieldsData& r) { return r.FieldName == hidden; });
        ASSERT_NE(rule, rules.end()) << hidden;
        EXPECT_TRUE(rule->Required) << hidden;
        EXPECT_FALSE(rule->Visible) << hidden;
    }
}

// The state a command meets, and what it answered.
struct CommandCase {
    const char* Name;
    TChooserCommand Command;
    bool Active;
    int Rows;
    bool Selected;
    bool Found;
    int Status; // -1 no check, 0 failing, 1 passing
    bool Single;
    bool Proceed;
    const char* Prompt;
    bool LocateAsked;
};

TEST(PrintTableChoiceTest, CommandsRefuseInTheirOrder) {
    using C = TChooserCommand;
    const char* status = "状态不是：已审核 的记录不可以打印";
    const CommandCase cases[] = {
        {"print empty", C::Print, true, 0, false, false, 0, false, false,
         "没有报表模版记录,不能打印报表", false},
        {"print unselected", C::Print, true, 2, false, false, 0, false, false,
         "请选择要打印的报表模版", false},
        {"print not found", C::Print, true, 2, true, false, 0, false, false,
         "没有找到报表模版,不能打印报表", true},
        {"print status", C::Print, true, 2, true, true, 0, false, false, status, true},
        {"print goes", C::Print, true, 2, true, true, 1, false, true, "", true},
        {"print closed", C::Print, false, 0, true, true, -1, false, false,
         "没有报表模版记录,不能打印报表", false},
        {"preview empty", C::Preview, true, 0, true, true, -1, false, false,
         "没有报表模版记录,不能预览报表", false},
        {"preview unselected", C::Preview, true, 1, false, true, -1, false, false,
         "请选择要预览的报表模版", false},
        {"preview not found", C::Preview, true, 1, true, false, 0, false, false,
         "没有找到报表模版,不能预览报表", true},
        {"preview status", C::Preview, true, 1, true, true, 0, false, false, status, true},
        {"preview goes", C::Preview, true, 1, true, true, -1, false, true, "", true},
        {"edit empty", C::Edit, true, 0, false, false, 0, false, false,
         "没有报表模版记录,不能修改报表模版", false},
        {"edit unselected", C::Edit, true, 1, false, false, 0, false, false,
         "请选择要修改的报表模版", false},
        {"edit status before locate", C::Edit, true, 1, true, false, 0, false, false, status,
         false},
        {"edit not found", C::Edit, true, 1, true, false, 1, false, false,
         "没有找到报表模版,不能修改报表模版", true},
        {"edit goes", C::Edit, true, 1, true, true, -1, false, true, "", true},
        {"delete closed is silent", C::Delete, false, 0, true, true, -1, false, false, "", false},
        {"delete empty", C::Delete, true, 0, false, false, -1, false, false,
         "没有报表模版记录,不能删除报表模版", false},
        {"delete unselected", C::Delete, true, 1, false, false, -1, false, false,
         "请选择要删除的报表模版", false},
        {"delete not found", C::Delete, true, 1, true, false, -1, false, false,
         "没有找到报表模版,不能删除报表模版", true},
        {"delete ignores status", C::Delete, true, 1, true, true, 0, false, true, "", true},
        {"add empty", C::Add, true, 0, false, false, -1, true, true, "", false},
        {"add single", C::Add, true, 1, false, false, -1, true, false, "该报表只能有1个", false},
        {"add nine", C::Add, true, 9, false, false, -1, false, true, "", false},
        {"add ten", C::Add, true, 10, false, false, 0, false, false, "不能超过10个报表", false},
        {"add status", C::Add, true, 3, false, false, 0, false, false, status, false},
    };
    for (const CommandCase& c : cases) {
        bool asked = false;
        TChooserChecks checks;
        checks.QueryActive = c.Active;
        checks.RowCount = c.Rows;
        if (c.Selected)
            checks.SelectedName = QStringLiteral("员工资料");
        checks.Locate = [&](const QString& name) {
            asked = true;
            EXPECT_EQ(name, "员工资料");
            return c.Found;
        };
        if (c.Status >= 0)
            checks.StatusAllows = [&c] { return c.Status == 1; };
        checks.StatusValue = QStringLiteral("已审核");
        checks.SingleTemplate = c.Single;
        const TChooserVerdict verdict = CheckChooserCommand(c.Command, checks);
        EXPECT_EQ(verdict.Proceed, c.Proceed) << c.Name;
        EXPECT_EQ(verdict.Prompt, QString::fromUtf8(c.Prompt)) << c.Name;
        EXPECT_EQ(asked, c.LocateAsked) << c.Name;
    }
}

TEST(PrintTableChoiceTest, PrintTypeChoosesTheFieldList) {
    const TPrintFieldsArray master{{"A", "甲", "M", true, false}};
    const TPrintFieldsArray detail{{"B", "乙", "D", false, true}};
    EXPECT_EQ(PrintFieldsOfType("M", master, detail), &master);
    EXPECT_EQ(PrintFieldsOfType("MD", master, detail), &detail);
    for (const char* other : {"", "D", "m", "M "})
        EXPECT_EQ(PrintFieldsOfType(other, master, detail), nullptr) << other;
}

TEST(PrintTableChoiceTest, BindingLinesNameTheirComponents) {
    EXPECT_EQ(FillerSetData("M,F.Query", ""), QStringList{"SetDataSet(M,F.Query);"});
    EXPECT_EQ(FillerSetData("", "D,F.Q2"), QStringList{"SetDataSet(D,F.Q2);"});
    EXPECT_EQ(FillerSetData("M,F.Q", "D,F.Q2"),
              QStringList({"SetDataSet(M,F.Q);", "SetDataSet(D,F.Q2);"}));
    EXPECT_EQ(BoundComponentName("SetDataSet(M, MoneyIntoOutForm.Query );"),
              "MoneyIntoOutForm.Query");
    EXPECT_EQ(BoundComponentName("setdataset(D,Query)"), "Query");
    for (const char* nothing : {"SETVARVALUE(a,b)", "SetDataSet(M)", "SetDataSet M,F.Q", ""})
        EXPECT_EQ(BoundComponentName(nothing), "") << nothing;
}

class PrintTableChoiceDbTest : public db::test::DbTest {
protected:
    PrintTableChoiceDbTest() {
        old_ = ui::SetMessageSink([this](const ui::MessageRequest& r) {
            prompts_ << r.text;
            return false;
        });
    }
    ~PrintTableChoiceDbTest() override { ui::SetMessageSink(old_); }

    // A template of one line whose cell holds text.
    QByteArray Template(const QString& text) {
        TReportControl grid(&measurer_);
        grid.AppendLine()->CreateCells(0, 1, 200);
        grid.Lines[0]->Cells[0]->SetCellText(text);
        grid.UpdateLines();
        return WriteTemplate(grid);
    }
    QString CellText() const { return filler_.Template().Lines[0]->Cells[0]->Text(); }

    FakeMeasurer measurer_;
    TReportRunTime filler_{&measurer_};
    QStringList prompts_;
    ui::MessageSink old_;
};

TEST_F(PrintTableChoiceDbTest, BodyComesFromTheFolderWhenOneIsGiven) {
    const QString dir = folder_.Path();
    const QString path = QDir(dir).filePath("BX260101120000");
    EXPECT_FALSE(LoadTemplateBody(filler_, {dir, "SYS_PRINT_DATA_TABLE", "RUReravezDataBase"},
                                  "BX260101120000"));
    EXPECT_EQ(prompts_, QStringList{"报表模版文件:" + path + "\n没有找到报表模版文件"});
    EXPECT_EQ(MissingTemplateFilePrompt(path), "报表模版文件:" + path + "\r\n没有找到报表模版文件");

    // a folder of that name is no template file either
    ASSERT_TRUE(QDir(dir).mkdir("BX1"));
    EXPECT_FALSE(LoadTemplateBody(filler_, {dir, "", "RUReravezDataBase"}, "BX1"));
    EXPECT_EQ(prompts_.size(), 2);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Template("文件"));
    file.close();
    prompts_.clear();
    EXPECT_TRUE(LoadTemplateBody(filler_, {dir, "SYS_PRINT_DATA_TABLE", "RUReravezDataBase"},
                                 "BX260101120000"));
    EXPECT_EQ(filler_.ReportFile(), path);
    EXPECT_EQ(CellText(), "文件");
    EXPECT_TRUE(prompts_.isEmpty());
}

TEST_F(PrintTableChoiceDbTest, BodyComesFromTheTableWithoutAFolder) {
    const TTemplatePlace place{"", "SYS_PRINT_DATA_TABLE", "RUReravezDataBase"};
    EXPECT_FALSE(LoadTemplateBody(filler_, place, "A'1"));
    EXPECT_EQ(prompts_, QStringList{"数据库里没有找到报表模版文件"});

    db::TQuery* rows = NewQuery("SELECT * FROM SYS_PRINT_DATA_TABLE");
    rows->Open();
    for (const char* id : {"A'1", "A2"}) {
        rows->Append();
        rows->FieldByName("PRINT_ID")->SetAsString(id);
        rows->FieldByName("PRINT_TABLE")->SetAsBytes(Template(QString::fromUtf8(id)));
        rows->Post();
    }
    prompts_.clear();
    EXPECT_TRUE(LoadTemplateBody(filler_, place, "A'1"));
    EXPECT_EQ(CellText(), "A'1");
    EXPECT_TRUE(LoadTemplateBody(filler_, place, "A2"));
    EXPECT_EQ(CellText(), "A2");
    EXPECT_TRUE(filler_.ReportFile().isEmpty());
    EXPECT_TRUE(prompts_.isEmpty());
}

TEST_F(PrintTableChoiceDbTest, CatalogueStatementFindsTitlesWithQuotes) {
    Exec({"INSERT INTO SYS_PRINT_NAME_TABLE (PRINT_INDEX, PRINT_NAME, PRINT_TYPE, PRINT_ID) "
          "VALUES ('O''Neil', 'a', 'MD', '1'), ('O''Neil', 'b', 'M', '2'), "
          "('Other', 'c', 'M', '3')"});
    EXPECT_EQ(Column(CatalogueSelect("O'Neil", "")), QStringList({"O'Neil", "O'Neil"}));
    db::TQuery* rows = NewQuery(CatalogueSelect("O'Neil", ""));
    rows->Open();
    EXPECT_EQ(rows->FieldByName("PRINT_TYPE")->AsString(), "M");
    rows->Close();
    rows->SQL().SetText(CatalogueSelect("O'Neil", "MD"));
    rows->Open();
    ASSERT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ(rows->FieldByName("PRINT_NAME")->AsString(), "a");
}

TEST_F(PrintTableChoiceDbTest, StatusCheckComparesTheCurrentRecord) {
    Exec({"CREATE TABLE ST (N INTEGER, STATUS VARCHAR(10))",
          "INSERT INTO ST VALUES (1, '已审核'), (2, '未审核')"});
    db::TQuery* rows = NewQuery("SELECT * FROM ST ORDER BY N");
    rows->Open();
    EXPECT_TRUE(StatusAllows(rows, "STATUS", "已审核"));
    rows->Next();
    EXPECT_FALSE(StatusAllows(rows, "STATUS", "已审核"));
}

TEST_F(PrintTableChoiceDbTest, KeeperReturnsEveryDataSetToItsRecord) {
    Exec({"CREATE TABLE KP (N INTEGER)", "INSERT INTO KP VALUES (1), (2), (3), (4)"});
    db::TQuery* first = NewQuery("SELECT * FROM KP ORDER BY N");
    db::TQuery* second = NewQuery("SELECT * FROM KP ORDER BY N DESC");
    db::TQuery* closed = NewQuery("SELECT * FROM KP");
    first->Open();
    second->Open();
    first->SetRecNo(3);
    second->SetRecNo(2);
    EXPECT_THROW(
        {
            const TRecordKeeper keeper({nullptr, first, second, closed, first});
            first->Last();
            second->First();
            closed->Open();
            closed->Last();
            throw Exception("filling failed");
        },
        Exception);
    EXPECT_EQ(first->FieldByName("N")->AsInteger(), 3);
    EXPECT_EQ(second->FieldByName("N")->AsInteger(), 3);
    EXPECT_EQ(closed->RecNo(), 4);
}

} // namespace
} // namespace kx
