#include "core/options.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/controls/kxtreeview.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/companypickersql.h"
#include "frame/dialogs/selectdeptform.h"
#include "frame/dialogs/selectemployeeform.h"
#include "grid/dbgrid/columntitlex.h"
#include "platform/db/field.h"
#include "tests/frame/dialogs/pickerfixture.h"

#include <QCheckBox>
#include <QPushButton>

namespace kx {
namespace {

TEST(CompanyPickerSql, EmployeeListByDepartmentAndCheckBox) {
    const QString head = "SELECT COMPANY_ID,EMPLOYEE_ID,EMPLOYEE_NAME FROM KX_EMPLOYEE_TABLE ";
    const QString tail = " ORDER BY EMPLOYEE_ID";
    EXPECT_EQ(EmployeeListSql("G001", 0, false), head + tail);
    EXPECT_EQ(EmployeeListSql("001002", 2, false),
              head + " WHERE " + CompanyPrefixClause("001002", 2) + tail);
    EXPECT_EQ(EmployeeListSql("001", 1, true), head + " WHERE  COMPANY_ID = '001' " + tail);
    EXPECT_EQ(QuotedNameTail("张三"), "张三'");
    EXPECT_EQ(QuotedNameTail("O'Hara"), "O''Hara'");
}

// A company of four levels below the root, two employees in each
// department, and one department at level 1 without employees.
class CompanyPickerTest : public test::PickerTest {
protected:
    void SetUp() override {
        const QStringList depts[] = {{"G001", "G002", "岚衡公司"},
                                     {"001", "G001", "财务部"},
                                     {"002", "G001", "销售部"},
                                     {"003", "G001", "后勤部"},
                                     {"001001", "001", "会计科"},
                                     {"001001001", "001001", "总账组"},
                                     {"001001001001", "001001001", "凭证班"}};
        int order = 0;
        for (const QStringList& d : depts) {
            Exec({QString("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, "
                          "ORDER_ID) VALUES ('%1', '%2', '%3', %4)")
                      .arg(d[0], d[1], d[2])
                      .arg(++order)});
        }
        AddEmployee("001", "E11", "张三");
        AddEmployee("001001", "E21", "李四");
        AddEmployee("001001001", "E31", "王五");
        AddEmployee("001001001001", "E41", "O'Hara");
        AddEmployee("002", "E51", "赵六");
    }

    void AddEmployee(const QString& dept, const QString& id, const QString& name) {
        Exec({"INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, EMPLOYEE_ID, "
              "EMPLOYEE_NAME) VALUES (" +
              QuotedStr(dept) + ", " + QuotedStr(id) + ", " + QuotedStr(id) + ", " +
              QuotedStr(name) + ")"});
    }

    // The employee numbers the condition selects, on the table alias A.
    QStringList Selected(const QString& condition) {
        std::unique_ptr<db::TQuery> query(
            NewQuery("SELECT A.EMPLOYEE_ID FROM KX_EMPLOYEE_TABLE A" +
                         (condition.isEmpty() ? QString() : " WHERE " + condition) + " ORDER BY 1",
                     nullptr));
        QStringList ids;
        for (query->Open(); !query->Eof(); query->Next())
            ids << query->Fields()[0]->AsString();
        return ids;
    }

    // Opens the nodes along the path of codes and selects the last one.
    static void SelectPath(TKXTreeView* tree, const QStringList& path) {
        TTreeNode* node = tree->topLevelItem(0);
        for (const QString& id : path) {
            node->setExpanded(true);
            TTreeNode* next = nullptr;
            for (int i = 0; i < node->childCount() && !next; ++i)
                if (tree->GetNodeID(node->child(i)) == id)
                    next = node->child(i);
            ASSERT_TRUE(next) << id.toStdString();
            node = next;
        }
        tree->setCurrentItem(node);
    }
};

TEST_F(CompanyPickerTest, TheDepartmentConditionSelectsTheWholeSubtreeAtEveryLevel) {
    TSelectDeptForm form;
    form.StartId = "G001";
    form.StartName = AppCompanyName;
    const struct {
        QStringList path;
        QString name;
        QStringList employees;
    } cases[] = {
        {{}, "岚衡公司", {"E11", "E21", "E31", "E41", "E51"}},
        {{"001"}, "财务部", {"E11", "E21", "E31", "E41"}},
        {{"001", "001001"}, "会计科", {"E21", "E31", "E41"}},
        {{"001", "001001", "001001001"}, "总账组", {"E31", "E41"}},
        {{"001", "001001", "001001001", "001001001001"}, "凭证班", {"E41"}},
        {{"002"}, "销售部", {"E51"}},
    };
    for (const auto& c : cases) {
        QString name = "unchanged";
        QString condition = "unchanged";
        test::OnNextModal([&](QWidget*) {
            SelectPath(form.KXTreeView, c.path);
            test::PressKey(&form, Qt::Key_Escape);
        });
        EXPECT_FALSE(SelectDeptCondition(form, name, condition, "A"));
        EXPECT_EQ(name, c.name);
        const int level = int(c.path.size());
        EXPECT_EQ(condition,
                  level == 0 ? QString() : CompanyPrefixClause(c.path.last(), level, "A"));
        EXPECT_EQ(Selected(condition), c.employees) << condition.toStdString();
    }
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join('|').toStdString();
}

TEST_F(CompanyPickerTest, TheDepartmentTreeStartsAgainAtTheRootUnlessTheRootWasPicked) {
    TSelectDeptForm form;
    form.StartId = "G001";
    form.StartName = AppCompanyName;
    QString name, condition;
    test::OnNextModal([&](QWidget*) {
        TKXTreeView* tree = form.KXTreeView;
        EXPECT_EQ(tree->topLevelItem(0)->text(0), "岚衡公司");
        EXPECT_EQ(tree->topLevelItem(0)->childCount(), 3) << "the root's children are read";
        EXPECT_EQ(tree->topLevelItem(0)->child(0)->child(0)->text(0), "temp")
            << "a department with sub-departments is openable before it is read";
        EXPECT_EQ(tree->topLevelItem(0)->child(1)->childCount(), 0);
        EXPECT_EQ(test::ClippedTexts(form), QStringList());
        SelectPath(tree, {"001", "001001"});
        EXPECT_TRUE(test::SaveShot(form, "selectdeptform"));
        form.SureButton->click();
    });
    ASSERT_FALSE(SelectDeptCondition(form, name, condition, ""));
    test::OnNextModal([&](QWidget*) {
        EXPECT_EQ(form.KXTreeView->currentItem(), form.KXTreeView->topLevelItem(0));
        form.CloseButton->click();
    });
    name = condition = "unchanged";
    EXPECT_TRUE(SelectDeptCondition(form, name, condition, ""));
    EXPECT_EQ(name, "unchanged");
    EXPECT_EQ(condition, "unchanged");
}

TEST_F(CompanyPickerTest, TheEmployeeListFollowsTheDepartmentAndTheCheckBox) {
    AppFieldCaptions["EMPLOYEE_ID"] = "员工编号";
    AppFieldCaptions["EMPLOYEE_NAME"] = "员工姓名";
    TSelectEmployeeForm form;
    const auto listed = [&form] {
        QStringList ids;
        TKXQuery* query = form.Query_Select;
        for (query->First(); !query->Eof(); query->Next())
            ids << query->FieldByName("EMPLOYEE_ID")->AsString() + "@" +
                       query->FieldByName("COMPANY_NAME")->AsString();
        query->First();
        return ids;
    };
    QString name = "unchanged", quoted = "unchanged";
    test::OnNextModal([&](QWidget*) {
        EXPECT_EQ(listed(), QStringList({"E11@财务部", "E21@会计科", "E31@总账组", "E41@凭证班",
                                         "E51@销售部"}));
        TKXNDBGrid* grid = form.DBGrid;
        QStringList titles;
        for (int i = 0; i < grid->Columns()->Count(); ++i)
            titles << grid->Columns()->GetColumn(i)->Title()->Caption();
        EXPECT_EQ(titles, QStringList({"员工编号", "员工姓名", "部门名称"}));
        EXPECT_EQ(test::ClippedTexts(form), QStringList());
        EXPECT_TRUE(test::SaveShot(form, "selectemployeeform"));

        SelectPath(form.KXTreeView, {"001"});
        EXPECT_EQ(form.SelectedDeptId, "001");
        EXPECT_EQ(listed(), QStringList({"E11@财务部", "E21@会计科", "E31@总账组", "E41@凭证班"}));
        form.CheckBox1->click();
        EXPECT_EQ(listed(), QStringList({"E11@财务部"}));
        SelectPath(form.KXTreeView, {"001", "001001", "001001001", "001001001001"});
        EXPECT_EQ(listed(), QStringList({"E41@凭证班"}));
        test::PressKey(&form, Qt::Key_F3);
    });
    EXPECT_EQ(SelectEmployeeName(form, name, quoted), 0);
    EXPECT_EQ(name, "O'Hara");
    EXPECT_EQ(quoted, "O''Hara'");
    EXPECT_EQ(Selected("A.EMPLOYEE_NAME = '" + quoted), QStringList({"E41"}))
        << "the caller's condition with its opening quote finds the employee";

    test::OnNextModal([&](QWidget*) {
        EXPECT_EQ(listed(), QStringList({"E41@凭证班"})) << "the list is kept between uses";
        test::PressKey(&form, Qt::Key_F12);
    });
    name = quoted = "unchanged";
    SelectEmployeeName(form, name, quoted);
    EXPECT_EQ(name, "unchanged");
    EXPECT_EQ(quoted, "unchanged");
}

TEST_F(CompanyPickerTest, OkOnADepartmentWithoutEmployeesNeedsDepartmentOnlyMode) {
    TSelectEmployeeForm form;
    test::OnNextModal([&](QWidget*) {
        SelectPath(form.KXTreeView, {"003"});
        EXPECT_TRUE(form.Query_Select->IsEmpty());
        test::PressKey(&form, Qt::Key_Return);
        EXPECT_EQ(messages_.texts, QStringList({"必须选择一个人员记录"}));
        EXPECT_TRUE(form.isVisible());
        form.DeptOnly = true;
        test::PressKey(&form, Qt::Key_Return);
    });
    EXPECT_EQ(form.exec(), QDialog::Accepted);
    EXPECT_EQ(form.SelectedDeptId, "003");
    EXPECT_EQ(form.SelectedDeptName, "后勤部");
}

} // namespace
} // namespace kx
