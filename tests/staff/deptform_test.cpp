// The department window opened from the main window's command: departments
// numbered per parent, renamed, and deleted only when nothing hangs on them;
// the company row names the tree and the main window.

#include "staff/deptform.h"

#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kxdbedit.h"
#include "frame/data/kxquery.h"
#include "staff/registerwindows.h"
#include "tests/core/programfixture.h"
#include "tests/support/clippedtexts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

class DeptFormTest : public ::testing::Test {
protected:
    DeptFormTest() {
        test::ResetProgramState();
        messages_.answer = true;
        AppUserId = QStringLiteral("U01");
        AppUserName = QStringLiteral("张三");
        AppCompanyName = QStringLiteral("岚衡公司");
        RegisterWindows();
        Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, ADD_RIGHT, EDIT_RIGHT, "
             "BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT) VALUES ('U01', 2, 2, '是', '是', '是', "
             "'是', '否')");
        Exec("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) VALUES "
             "('G001', 'G002', '岚衡公司', 1)");
    }
    ~DeptFormTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TDeptForm::kFormName);
        test::ResetProgramState();
    }

    static void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    static QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }
    static QString Dept(const QString& code, const QString& columns) {
        return Value("SELECT " + columns +
                     " FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = " + QuotedStr(code));
    }

    // Through the menu command, or a double click on the icon's text.
    TDeptForm* Open(bool byIcon = false) {
        main_ = std::make_unique<TMainForm>();
        if (byIcon) {
            auto* label = main_->findChild<QLabel*>(QStringLiteral("Label4"));
            EXPECT_NE(label, nullptr);
            QTest::mouseDClick(label, Qt::LeftButton);
        } else {
            main_->MenuItem("N26")->trigger();
        }
        QCoreApplication::sendPostedEvents();
        auto* window = qobject_cast<TDeptForm*>(FindWorkingWindow(TDeptForm::kFormName));
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    static TTreeNode* Node(TDeptForm* window, const QString& code) {
        for (QTreeWidgetItemIterator it(window->KXTreeView); *it; ++it) {
            if (window->KXTreeView->GetNodeID(*it) == code)
                return *it;
        }
        ADD_FAILURE() << "no node " << code.toStdString();
        return nullptr;
    }
    static void Select(TDeptForm* window, const QString& code) {
        window->KXTreeView->setCurrentItem(Node(window, code));
    }
    static void Expand(TDeptForm* window, const QString& code) {
        Select(window, code);
        window->KXTreeView->currentItem()->setExpanded(true);
    }
    // Chinese text arrives from the input method, not as key presses.
    static void Type(TKXDBEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit, &event);
    }
    static void AddDept(TDeptForm* window, const QString& name) {
        window->button_add->click();
        ASSERT_EQ(window->Query->State(), db::dsInsert);
        EXPECT_EQ(window->PageControl1->currentWidget(), window->TabSheetDept);
        EXPECT_FALSE(window->Panel4->isEnabled());
        Type(window->KXDBEditDeptName, name);
        window->button_save->click();
        EXPECT_EQ(window->Query->State(), db::dsBrowse);
        EXPECT_TRUE(window->Panel4->isEnabled());
    }
    static void Grab(QWidget* window, const QString& name) {
        const QString folder = QDir::temp().filePath(QStringLiteral("kx-screens"));
        QDir().mkpath(folder);
        EXPECT_TRUE(window->grab().save(folder + '/' + name + ".png"));
        EXPECT_EQ(test::ClippedTexts(*window), QStringList{}) << name.toStdString();
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(DeptFormTest, DepartmentsAreNumberedPerParentDownToTheFourthLevel) {
    TDeptForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "公司部门资料录入编辑窗口");
    EXPECT_TRUE(window->button_print->isVisible());
    EXPECT_FALSE(window->button_find->isVisible());
    EXPECT_EQ(window->KXTreeView->topLevelItem(0)->text(0), "岚衡公司");
    EXPECT_EQ(window->PageControl1->currentWidget(), window->TabSheetCompany);
    Grab(window, "dept-company");
    const QRect strip(window->PanelAudit->mapTo(window, QPoint()), window->PanelAudit->size());
    EXPECT_TRUE(window->rect().contains(strip)) << strip.bottom() << '/' << window->height();

    AddDept(window, "财务部");
    AddDept(window, "销售部");
    EXPECT_EQ(Dept("001", "PRIOR_ID || '/' || COMPANY_NAME || '/' || ORDER_ID || '/' || "
                          "CREATE_NAME || '/' || CREATE_DATE"),
              "G001/财务部/1/张三/" + AppToday);
    EXPECT_EQ(Dept("002", "PRIOR_ID || '/' || ORDER_ID"), "G001/2");
    EXPECT_EQ(window->KXTreeView->topLevelItem(0)->child(1)->text(0), "销售部");

    QString parent = "002";
    for (const QString name : {"一组", "一班", "一队"}) {
        Expand(window, parent);
        AddDept(window, name);
        parent += "001";
        EXPECT_EQ(Dept(parent, "PRIOR_ID || '/' || COMPANY_NAME || '/' || ORDER_ID"),
                  parent.left(parent.size() - 3) + '/' + name + "/1");
    }
    Expand(window, parent);
    EXPECT_EQ(window->PageControl1->currentWidget(), window->TabSheetDept);
    Grab(window, "dept-department");
    messages_.Clear();
    window->button_add->click();
    EXPECT_EQ(window->Query->State(), db::dsBrowse);
    EXPECT_EQ(messages_.Texts(), QStringList{"部门只能有四级"});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_COMPANY_TABLE"), "6");

    // A typed order number already taken in the parent is refused.
    Select(window, "002");
    window->button_edit->click();
    ASSERT_EQ(window->Query->State(), db::dsEdit);
    window->KXDBEditDeptOrder->setFocus();
    window->KXDBEditDeptOrder->selectAll();
    QTest::keyClicks(window->KXDBEditDeptOrder, "1");
    messages_.Clear();
    window->button_save->click();
    EXPECT_EQ(window->Query->State(), db::dsEdit);
    EXPECT_EQ(messages_.Texts(), QStringList{"序号重复"});
    window->button_cancel->click();

    // Renaming renames the node; the phone is kept with it.
    window->button_edit->click();
    Type(window->KXDBEditDeptName, "市场部");
    window->KXDBEditDeptPhone->setFocus();
    QTest::keyClicks(window->KXDBEditDeptPhone, "010-888");
    window->button_save->click();
    EXPECT_EQ(Dept("002", "COMPANY_NAME || '/' || COMPANY_PHONE || '/' || EDIT_NAME"),
              "市场部/010-888/张三");
    EXPECT_EQ(Node(window, "002")->text(0), "市场部");
    EXPECT_EQ(window->KXTreeView->GetNodeName(Node(window, "002")), "市场部");
    window->close();
}

TEST_F(DeptFormTest, DeletionIsRefusedForTheRootParentsAndDepartmentsWithEmployees) {
    Exec("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) VALUES "
         "('001', 'G001', '财务部', 1), ('001001', '001', '出纳组', 1), "
         "('002', 'G001', '销售部', 2), ('003', 'G001', '后勤部', 3)");
    Exec("INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, EMPLOYEE_ID, "
         "EMPLOYEE_NAME) VALUES ('002', '070305101010', '00001', '李四')");
    TDeptForm* window = Open(true);
    ASSERT_NE(window, nullptr);
    Expand(window, "G001");
    const struct {
        const char* code;
        const char* message;
    } refusals[] = {{"G001", "根节点不能删除"},
                    {"001", "请先删除该部门的下级部门"},
                    {"002", "员工数据库中有对该记录的引用,记录不能删除"}};
    for (const auto& refusal : refusals) {
        Select(window, refusal.code);
        messages_.Clear();
        window->button_delete->click();
        EXPECT_EQ(messages_.Texts(), QStringList{refusal.message}) << refusal.code;
    }
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_COMPANY_TABLE"), "5");

    Select(window, "003");
    messages_.answer = false;
    window->button_delete->click();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = '003'"), "1");
    messages_.answer = true;
    messages_.Clear();
    window->button_delete->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"请确认是否删除 ?"});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = '003'"), "0");
    EXPECT_EQ(window->KXTreeView->topLevelItem(0)->childCount(), 2);

    // A department added below a node never opened shows once it is opened.
    Select(window, "001");
    AddDept(window, "会计组");
    EXPECT_EQ(Dept("001002", "PRIOR_ID || '/' || ORDER_ID"), "001/2");
    EXPECT_EQ(Node(window, "001")->childCount(), 1);
    Node(window, "001")->setExpanded(true);
    EXPECT_EQ(Node(window, "001")->childCount(), 2);
    EXPECT_EQ(Node(window, "001")->child(1)->text(0), "会计组");
    window->close();
}

TEST_F(DeptFormTest, SavingTheCompanyRenamesTheRootAndTheMainWindow) {
    Exec("DELETE FROM SYS_COMPANY_TABLE");
    TDeptForm* window = Open();
    ASSERT_NE(window, nullptr);
    // Without a company row, editing the root appends it.
    window->button_edit->click();
    ASSERT_EQ(window->Query->State(), db::dsInsert);
    EXPECT_EQ(window->PageControl1->currentWidget(), window->TabSheetCompany);
    Type(window->KXDBEditCompanyName, "新公司");
    window->button_save->click();
    EXPECT_EQ(Dept("G001", "PRIOR_ID || '/' || COMPANY_NAME"), "G002/新公司");

    window->button_edit->click();
    ASSERT_EQ(window->Query->State(), db::dsEdit);
    Type(window->KXDBEditCompanyName, "O'Neil公司");
    window->button_save->click();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_COMPANY_TABLE"), "1");
    EXPECT_EQ(Dept("G001", "COMPANY_NAME"), "O'Neil公司");
    EXPECT_EQ(AppCompanyName, "O'Neil公司");
    EXPECT_EQ(main_->windowTitle(), "O'Neil公司岚衡出纳记账管理系统");
    EXPECT_EQ(window->KXTreeView->topLevelItem(0)->text(0), "O'Neil公司");

    // A department added below the company keeps the company's name.
    AddDept(window, "财务部");
    EXPECT_EQ(Dept("001", "PRIOR_ID"), "G001");
    EXPECT_EQ(AppCompanyName, "O'Neil公司");
    window->close();
}

} // namespace
} // namespace kx::staff
