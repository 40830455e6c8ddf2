// The subject and fund-account windows opened from the main window's
// commands: codes numbered per parent, level limits, and deletions refused
// while rows elsewhere still use a code.

#include "cashbook/moneyaccountform.h"
#include "cashbook/moneyintoouttypeform.h"
#include "cashbook/registerwindows.h"
#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kxdbcombobox.h"
#include "frame/controls/kxdbedit.h"
#include "frame/data/kxquery.h"
#include "tests/core/programfixture.h"
#include "tests/support/closewindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QStyle>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

class CodeTreeFormTest : public ::testing::Test {
protected:
    CodeTreeFormTest() {
        test::ResetProgramState();
        messages_.answer = true;
        AppUserId = QStringLiteral("U01");
        AppUserName = QStringLiteral("张三");
        RegisterWindows();
        // Add, edit and browse on both windows of the basic-data group.
        for (int program : {1, 4})
            Exec(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, "
                                "ADD_RIGHT, EDIT_RIGHT, BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT) "
                                "VALUES ('U01', 2, %1, '是', '是', '是', '是', '否')")
                     .arg(program));
    }
    ~CodeTreeFormTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TMoneyIntoOutTypeForm::kFormName);
        TWindowRegistry::Unregister(TMoneyAccountForm::kFormName);
        test::ResetProgramState();
    }

    void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }

    template <class Form> Form* Open(const QString& command) {
        if (!main_)
            main_ = std::make_unique<TMainForm>();
        main_->MenuItem(command)->trigger();
        QCoreApplication::sendPostedEvents();
        auto* window = qobject_cast<Form*>(FindWorkingWindow(Form::kFormName));
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    TMoneyIntoOutTypeForm* OpenSubjects() { return Open<TMoneyIntoOutTypeForm>("N14"); }
    TMoneyAccountForm* OpenAccounts() { return Open<TMoneyAccountForm>("N27"); }

    static void Select(TCodeTreeForm* window, const QString& id) {
        for (QTreeWidgetItemIterator it(window->KXTreeView); *it; ++it) {
            if (window->KXTreeView->GetNodeID(*it) == id) {
                window->KXTreeView->setCurrentItem(*it);
                return;
            }
        }
        ADD_FAILURE() << "no node " << id.toStdString();
    }
    static void Expand(TCodeTreeForm* window, const QString& id) {
        Select(window, id);
        window->KXTreeView->currentItem()->setExpanded(true);
    }
    // Adds a child of the selected node under that name, as the user does.
    static void AddChild(TCodeTreeForm* window, TKXDBEdit* nameEdit, const QString& name) {
        window->button_add->click();
        ASSERT_EQ(window->Query->State(), db::dsInsert);
        Type(nameEdit, name);
        window->button_save->click();
        EXPECT_EQ(window->Query->State(), db::dsBrowse);
    }
    // Chinese text arrives from the input method, not as key presses.
    static void Type(TKXDBEdit* edit, const QString& text) {
        edit->setFocus();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(edit, &event);
    }
    static void Grab(QWidget* window, const QString& name) {
        const QString folder = QDir::temp().filePath(QStringLiteral("kx-screens"));
        QDir().mkpath(folder);
        EXPECT_TRUE(window->grab().save(folder + '/' + name + ".png"));
    }
    QString Subject(const QString& id, const QString& columns) {
        return Value("SELECT " + columns +
                     " FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE MONEY_TYPE_ID = " + QuotedStr(id));
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(CodeTreeFormTest, SubjectsAreNumberedPerParentAndStopAtTheFourthLevel) {
    TMoneyIntoOutTypeForm* window = OpenSubjects();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->button_find->isVisible());
    EXPECT_FALSE(window->button_print->isVisible());
    Grab(window, "subjects");

    AddChild(window, window->KXDBEdit1, "收入");
    EXPECT_EQ(Subject("001", "PRIOR_ID || '/' || MONEY_TYPE_NAME || '/' || ORDER_ID || '/' || "
                             "CREATE_NAME || '/' || CREATE_DATE"),
              "G001/收入/1/张三/" + AppToday);
    AddChild(window, window->KXDBEdit1, "支出");
    EXPECT_EQ(Subject("002", "ORDER_ID"), "2");
    EXPECT_EQ(window->KXTreeView->topLevelItem(0)->child(1)->text(0), "支出");

    QString parent = "001";
    for (const QString name : {"工资", "奖金", "年终"}) {
        Expand(window, parent);
        AddChild(window, window->KXDBEdit1, name);
        parent += "001";
        EXPECT_EQ(Subject(parent, "MONEY_TYPE_NAME || '/' || ORDER_ID"), name + "/1");
    }
    EXPECT_EQ(parent, "001001001001");
    TTreeNode* first = window->KXTreeView->topLevelItem(0)->child(0);
    first->setExpanded(false);
    EXPECT_EQ(first->icon(0).pixmap(16).toImage(),
              window->style()->standardIcon(QStyle::SP_DirClosedIcon).pixmap(16).toImage());
    first->setExpanded(true);
    Expand(window, parent);
    messages_.Clear();
    window->button_add->click();
    EXPECT_EQ(window->Query->State(), db::dsBrowse);
    EXPECT_EQ(messages_.Texts(), QStringList{"借贷科目只能有四级"});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_MONEY_INTO_OUT_TYPE_TABLE"), "5");

    // Renaming the selected subject renames its node.
    window->button_edit->click();
    ASSERT_EQ(window->Query->State(), db::dsEdit);
    EXPECT_FALSE(window->Panel4->isEnabled());
    window->KXDBEdit1->setFocus();
    window->KXDBEdit1->selectAll();
    Type(window->KXDBEdit1, "年终奖");
    window->button_save->click();
    EXPECT_TRUE(window->Panel4->isEnabled());
    EXPECT_EQ(Subject(parent, "MONEY_TYPE_NAME || '/' || EDIT_NAME"), "年终奖/张三");
    EXPECT_EQ(window->KXTreeView->GetNodeName(window->SelectedNode), "年终奖");
    EXPECT_EQ(window->SelectedNode->text(0), "年终奖");
    test::CloseAndFree(window);
}

TEST_F(CodeTreeFormTest, RootAndParentsAndUsedSubjectsAreNotDeleted) {
    Exec("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, MONEY_TYPE_NAME, "
         "ORDER_ID) VALUES ('001', 'G001', '收入', 1), ('001001', '001', '工资', 1), "
         "('002', 'G001', '支出', 2), ('003', 'G001', '杂项', 3)");
    Exec("INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID) VALUES "
         "('1', '200703000001', '002')");
    TMoneyIntoOutTypeForm* window = OpenSubjects();
    ASSERT_NE(window, nullptr);
    Expand(window, "G001");

    const struct {
        const char* id;
        const char* message;
    } refusals[] = {{"G001", "根节点不能删除"},
                    {"001", "请先删除该借贷科目的下级借贷科目"},
                    {"002", "有该借贷科目的收支记录，该借贷科目不能删除"}};
    for (const auto& refusal : refusals) {
        Select(window, refusal.id);
        messages_.Clear();
        window->button_delete->click();
        EXPECT_EQ(messages_.Texts(), QStringList{refusal.message}) << refusal.id;
    }
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_MONEY_INTO_OUT_TYPE_TABLE"), "4");
    EXPECT_EQ(window->KXTreeView->topLevelItem(0)->childCount(), 3);

    Select(window, "003");
    messages_.answer = false;
    window->button_delete->click();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_MONEY_INTO_OUT_TYPE_TABLE"), "4");
    EXPECT_EQ(window->KXTreeView->topLevelItem(0)->childCount(), 3) << "deletion declined";
    messages_.answer = true;
    window->button_delete->click();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE MONEY_TYPE_ID = "
                    "'003'"),
              "0");
    EXPECT_EQ(window->KXTreeView->topLevelItem(0)->childCount(), 2);

    // A child added under a node never opened shows once the node is opened.
    Select(window, "001");
    AddChild(window, window->KXDBEdit1, "奖金");
    EXPECT_EQ(Subject("001002", "PRIOR_ID || '/' || ORDER_ID"), "001/2");
    EXPECT_EQ(window->SelectedNode->childCount(), 1);
    window->SelectedNode->setExpanded(true);
    EXPECT_EQ(window->SelectedNode->childCount(), 2);
    EXPECT_EQ(window->SelectedNode->child(1)->text(0), "奖金");
    test::CloseAndFree(window);
}

TEST_F(CodeTreeFormTest, AccountsStayOnOneLevelAndLedgerRowsKeepThem) {
    TMoneyAccountForm* window = OpenAccounts();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->button_find->isVisible());
    EXPECT_FALSE(window->button_print->isVisible());
    Grab(window, "accounts");
    AddChild(window, window->KXDBEdit5, "现金");
    AddChild(window, window->KXDBEdit5, "工行");
    EXPECT_EQ(Value("SELECT GROUP_CONCAT(MONEY_ACCOUNT_ID || ':' || ORDER_ID, ',') FROM "
                    "KX_MONEY_ACCOUNT_TABLE"),
              "001:1,002:2");

    messages_.Clear();
    window->button_add->click();
    Type(window->KXDBEdit5, "现金");
    window->button_save->click();
    EXPECT_EQ(window->Query->State(), db::dsInsert) << "a duplicate name stays in edit";
    EXPECT_EQ(messages_.Texts(), QStringList{"资金账号名称重复"});
    window->button_cancel->click();

    // A duplicate order number and an empty name are refused the same way.
    Expand(window, "G001");
    Select(window, "002");
    messages_.Clear();
    window->button_edit->click();
    window->KXDBEdit3->setFocus();
    window->KXDBEdit3->selectAll();
    QTest::keyClicks(window->KXDBEdit3, "1");
    window->button_save->click();
    EXPECT_EQ(window->Query->State(), db::dsEdit);
    window->button_cancel->click();
    window->button_edit->click();
    window->KXDBEdit5->setFocus();
    window->KXDBEdit5->selectAll();
    QTest::keyClick(window->KXDBEdit5, Qt::Key_Delete);
    window->button_save->click();
    EXPECT_EQ(window->Query->State(), db::dsEdit);
    window->button_cancel->click();
    EXPECT_EQ(messages_.Texts(), (QStringList{"序号重复", "资金账号必须有一个值"}));
    EXPECT_EQ(Value("SELECT MONEY_ACCOUNT_NAME || ':' || ORDER_ID FROM KX_MONEY_ACCOUNT_TABLE "
                    "WHERE MONEY_ACCOUNT_ID = '002'"),
              "工行:2");

    Select(window, "001");
    messages_.Clear();
    window->button_add->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"资金账号只能有一级"});

    Exec("INSERT INTO KX_MONEY_MONTH_TABLE (MONEY_ACCOUNT_ID) VALUES ('001')");
    Exec("INSERT INTO KX_MONEY_DAY_TABLE (MONEY_ACCOUNT_ID) VALUES ('002')");
    for (const QString id : {"001", "002"}) {
        Select(window, id);
        messages_.Clear();
        window->button_delete->click();
        EXPECT_EQ(messages_.Texts(), QStringList{"有该资金账号的收支台账记录，该资金账号不能删除"});
    }
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_MONEY_ACCOUNT_TABLE"), "2");
    test::CloseAndFree(window);
}

// The drop-down choice of the very first add in a freshly opened window is
// stored, picked with the keyboard or from the opened list.
TEST_F(CodeTreeFormTest, TheFirstAddInAFreshWindowKeepsItsDropDownChoice) {
    enum class TPick { Keys, List };
    struct TCase {
        const char* command;
        const char* column;
        TPick pick;
        const char* choice;
    };
    const TCase cases[] = {
        {"N27", "MONEY_ACCOUNT_TYPE", TPick::Keys, "银行账"},
        {"N27", "MONEY_ACCOUNT_TYPE", TPick::List, "现金账"},
        {"N14", "CASH_FLOWS", TPick::Keys, nullptr},
        {"N14", "CASH_FLOWS", TPick::List, nullptr},
    };
    int added = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.command) + (c.pick == TPick::Keys ? " keys" : " list"));
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool accounts = QLatin1String(c.command) == QLatin1String("N27");
        TCodeTreeForm* window = accounts ? static_cast<TCodeTreeForm*>(OpenAccounts())
                                         : static_cast<TCodeTreeForm*>(OpenSubjects());
        ASSERT_NE(window, nullptr);
        auto* account = qobject_cast<TMoneyAccountForm*>(window);
        auto* subject = qobject_cast<TMoneyIntoOutTypeForm*>(window);
        TKXDBComboBox* combo = accounts ? account->KXDBComboBox1 : subject->KXDBComboBox1;
        TKXDBEdit* nameEdit = accounts ? account->KXDBEdit5 : subject->KXDBEdit1;
        window->button_add->click();
        ASSERT_EQ(window->Query->State(), db::dsInsert);
        const QString name = QStringLiteral("名称%1").arg(++added);
        Type(nameEdit, name);
        const QString choice = c.choice ? QString::fromUtf8(c.choice) : combo->itemText(2);
        combo->setFocus();
        if (c.pick == TPick::Keys) {
            while (combo->currentText() != choice)
                QTest::keyClick(combo, Qt::Key_Down);
            QTest::keyClick(combo, Qt::Key_Tab);
        } else {
            combo->showPopup();
            QAbstractItemView* list = combo->view();
            const QModelIndex item = list->model()->index(combo->findText(choice), 0);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(item).center());
        }
        ASSERT_EQ(combo->currentText(), choice);
        window->button_save->click();
        EXPECT_EQ(window->Query->State(), db::dsBrowse);
        const QString table = accounts ? "KX_MONEY_ACCOUNT_TABLE" : "KX_MONEY_INTO_OUT_TYPE_TABLE";
        const QString nameColumn = accounts ? "MONEY_ACCOUNT_NAME" : "MONEY_TYPE_NAME";
        EXPECT_EQ(Value("SELECT ifnull(" + QString::fromLatin1(c.column) + ",'-') FROM " + table +
                        " WHERE " + nameColumn + " = " + QuotedStr(name)),
                  choice);
        test::CloseAndFree(window);
    }
}

} // namespace
} // namespace kx::cashbook
