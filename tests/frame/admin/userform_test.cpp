// The users window opened from the main window's "用户管理": users kept
// with the system user's guards, and the rights boxes writing and reading
// SYS_RIGHT_TABLE.

#include "frame/admin/userform.h"

#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kxdbcombobox.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxpagecontrol.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/field.h"
#include "tests/core/programfixture.h"
#include "tests/frame/admin/windowpicture.h"
#include "tests/support/closewindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kx {
namespace {

class UserFormTest : public ::testing::Test {
protected:
    UserFormTest() {
        test::ResetProgramState();
        StartGridUnit();
        test::InsertUser(data_.Folder, "ADM", "管理员", "918", true);
        test::InsertUser(data_.Folder, "U01", "张三", "918", false);
        AppUserId = "ADM";
        AppUserName = "管理员";
        AppSystemUser = true;
        messages_.answer = true;
        TWindowRegistry::Register(TUserForm::kFormName, [](QWidget* owner) {
            return TKXFormEvents::Create<TUserForm>(owner);
        });
    }
    ~UserFormTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TUserForm::kFormName);
        EndGridUnit();
        test::ResetProgramState();
    }

    TUserForm* Open() {
        if (!main_)
            main_ = std::make_unique<TMainForm>();
        main_->MenuItem("USERMENU")->trigger();
        QCoreApplication::sendPostedEvents();
        auto* window = qobject_cast<TUserForm*>(FindWorkingWindow("UserForm"));
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }
    static void Press(QWidget* window, Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != window)
            target = window;
        QTest::keyClick(target, key);
        QCoreApplication::sendPostedEvents();
    }
    static void Click(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.first()).center());
    }
    // Typed key by key; QTest's key clicks know ASCII only.
    static void Type(QWidget* edit, const QString& text) {
        edit->setFocus();
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress,
                            c.unicode() < 128 ? QChar(c).toUpper().unicode() : int(Qt::Key_unknown),
                            Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
            QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &release);
        }
    }
    static void ShowRights(TUserForm* window) {
        window->PageControl1->setCurrentWidget(window->TabSheetRights);
        QApplication::processEvents();
    }
    static void ChooseGroup(TUserForm* window, const QString& name) {
        QComboBox* groups = window->KXDBComboBoxCompose;
        groups->setCurrentIndex(groups->findText(name));
        emit groups->activated(groups->currentIndex());
    }
    // The user's rights for the program as stored: add, browse, print,
    // verify.
    QString Stored(const QString& user, int group, int program) {
        return Value(QStringLiteral("SELECT ifnull(ADD_RIGHT, '-') || ifnull(BROWSE_RIGHT, '-') "
                                    "|| ifnull(PRINT_RIGHT, '-') || ifnull(VERIFY_RIGHT, '-') FROM "
                                    "SYS_RIGHT_TABLE WHERE USE_ID = %1 AND COMPOSE_ID = %2 AND "
                                    "PROGRAM_ID = %3")
                         .arg(QuotedStr(user))
                         .arg(group)
                         .arg(program));
    }
    static QString Ticks(TUserForm* window) {
        QString ticks;
        for (QCheckBox* box : {window->CB1, window->CB2, window->CB3, window->CB4})
            ticks += !box->isEnabled() ? 'x' : box->isChecked() ? '1' : '0';
        return ticks;
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(UserFormTest, RightsBoxesRoundTripThroughTheRightsTable) {
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->button_print->isVisibleTo(window)) << "printing comes with the reports";
    ShowRights(window);
    EXPECT_FALSE(window->button_add->isEnabled());
    EXPECT_FALSE(window->button_find->isEnabled());
    EXPECT_FALSE(window->PanelRights->isEnabled());

    Click(window->KXDBListBoxUser, "张三");
    ChooseGroup(window, "出纳记账管理");
    EXPECT_FALSE(window->PanelRights->isEnabled()) << "no program chosen yet";
    // Browse and print only.
    Click(window->KXDBListBoxProgram, "资金借贷数据统计报表");
    ASSERT_TRUE(window->PanelRights->isEnabled());
    EXPECT_EQ(Ticks(window), "x00x");
    QTest::mouseClick(window->CB3, Qt::LeftButton);
    EXPECT_EQ(Ticks(window), "x11x");
    EXPECT_EQ(Stored("U01", 1, 3), "-是是-");
    QTest::mouseClick(window->CB2, Qt::LeftButton);
    EXPECT_EQ(Ticks(window), "x11x") << "browsing stays while printing is given";

    Click(window->KXDBListBoxProgram, "资金借贷记录录入编辑");
    EXPECT_EQ(Ticks(window), "0000");
    window->ButtonSelectAll->click();
    EXPECT_EQ(Stored("U01", 1, 1), "是是是是");
    EXPECT_EQ(Stored("ADM", 1, 1), "") << "only the chosen user's row";

    test::CloseAndFree(window);
    window = Open();
    ASSERT_NE(window, nullptr);
    ShowRights(window);
    Click(window->KXDBListBoxUser, "张三");
    ChooseGroup(window, "出纳记账管理");
    Click(window->KXDBListBoxProgram, "资金借贷数据统计报表");
    EXPECT_EQ(Ticks(window), "x11x");
    window->ButtonInvert->click();
    EXPECT_EQ(Ticks(window), "x00x");
    EXPECT_EQ(Stored("U01", 1, 3), "-否否-");
    Click(window->KXDBListBoxProgram, "资金借贷记录录入编辑");
    EXPECT_EQ(Ticks(window), "1111");
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
    test::CloseAndFree(window);
}

TEST_F(UserFormTest, TheSystemUserCanBeNeitherStoppedNorDeleted) {
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->Query->Locate("USE_ID", "ADM"));
    Press(window, Qt::Key_F7);
    EXPECT_EQ(messages_.Texts(), QStringList{"该用户是系统管理员，不能被删除"});

    messages_.Clear();
    Press(window, Qt::Key_F6);
    ASSERT_EQ(window->Query->State(), db::dsEdit);
    EXPECT_TRUE(window->EditUseId->ReadOnly());
    window->ComboStopRight->setCurrentText("停用");
    window->Query->FieldByName("STOP_RIGHT")->SetAsString("停用");
    Press(window, Qt::Key_F8);
    EXPECT_EQ(messages_.Texts(), QStringList{"该用户是系统管理员,不能被停用"});
    EXPECT_EQ(window->ComboStopRight->currentText(), "有效");
    EXPECT_EQ(Value("SELECT STOP_RIGHT FROM SYS_USER_TABLE WHERE USE_ID = 'ADM'"), "有效");
    Press(window, Qt::Key_F9);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_USER_TABLE"), "2");
    test::CloseAndFree(window);
}

TEST_F(UserFormTest, ANewUserGetsTheDefaultPasswordAndIsToldItOnce) {
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    Press(window, Qt::Key_F5);
    ASSERT_EQ(window->Query->State(), db::dsInsert);
    Type(window->EditUseId, "u03");
    Type(window->EditUseName, " 王五 ");
    Press(window, Qt::Key_F8);
    EXPECT_EQ(messages_.Texts(), QStringList{"新用户的口令是: 918 "});
    EXPECT_EQ(Value("SELECT USE_NAME || '/' || USE_PASSWORD || '/' || SYS_USER || '/' || "
                    "STOP_RIGHT || '/' || CREATE_NAME FROM SYS_USER_TABLE WHERE USE_ID = 'U03'"),
              "王五/918/否/有效/管理员");

    messages_.Clear();
    Press(window, Qt::Key_F6);
    Type(window->EditNote, "x");
    Press(window, Qt::Key_F8);
    EXPECT_TRUE(messages_.Texts().isEmpty()) << "editing names no password";
    EXPECT_EQ(Value("SELECT NOTE || '/' || EDIT_NAME FROM SYS_USER_TABLE WHERE USE_ID = 'U03'"),
              "x/管理员");

    messages_.Clear();
    Press(window, Qt::Key_F5);
    Type(window->EditUseId, "u04");
    Type(window->EditUseName, "王五");
    Press(window, Qt::Key_F8);
    EXPECT_EQ(messages_.Texts(), QStringList{"用户名称重复"});

    messages_.Clear();
    window->EditUseName->clear();
    Type(window->EditUseName, "   ");
    Press(window, Qt::Key_F8);
    EXPECT_EQ(messages_.Texts(), QStringList{"用户姓名必须有一个值"}) << "blanks are no name";
    Press(window, Qt::Key_F9);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_USER_TABLE"), "3");
    test::CloseAndFree(window);
}

TEST_F(UserFormTest, ADeletedUserLosesItsRightsAndClosingDropsItsGridLayouts) {
    Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, BROWSE_RIGHT) VALUES "
         "('U01', 1, 1, '是'), ('ADM', 1, 1, '是')");
    for (const char* table : {"SYS_SHOW_INTO_OUT_MONEY_TABLE", "SYS_EMPLOYEE_DBGRID_TABLE",
                              "SYS_MONEY_INTO_OUT_QUERY_TABLE", "SYS_INTO_OUT_ACCOUNT_TABLE",
                              "SYS_MONEY_INTO_OUT_TABLE"})
        Exec(QStringLiteral("INSERT INTO %1 (USE_ID, FORM_NAME) VALUES ('U01', 'F'), ('ADM', 'F')")
                 .arg(table));
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->Query->Locate("USE_ID", "U01"));
    Press(window, Qt::Key_F7);
    EXPECT_EQ(messages_.Texts(), QStringList{"请确认是否删除 ?"});
    EXPECT_EQ(Value("SELECT group_concat(USE_ID) FROM SYS_RIGHT_TABLE"), "ADM");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_MONEY_INTO_OUT_TABLE"), "2");
    test::CloseAndFree(window);
    EXPECT_EQ(Value("SELECT group_concat(USE_ID) FROM (SELECT USE_ID FROM "
                    "SYS_SHOW_INTO_OUT_MONEY_TABLE UNION ALL SELECT USE_ID FROM "
                    "SYS_EMPLOYEE_DBGRID_TABLE UNION ALL SELECT USE_ID FROM "
                    "SYS_MONEY_INTO_OUT_QUERY_TABLE UNION ALL SELECT USE_ID FROM "
                    "SYS_INTO_OUT_ACCOUNT_TABLE UNION ALL SELECT USE_ID FROM "
                    "SYS_MONEY_INTO_OUT_TABLE)"),
              "ADM,ADM,ADM,ADM,ADM");
}

TEST_F(UserFormTest, AUserAndItsRightsAreDeletedTogetherOrNotAtAll) {
    Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, BROWSE_RIGHT) VALUES "
         "('U01', 1, 1, '是')");
    Exec("CREATE TRIGGER KEEP_RIGHTS BEFORE DELETE ON SYS_RIGHT_TABLE BEGIN SELECT "
         "RAISE(ABORT, 'rights kept'); END");
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->Query->Locate("USE_ID", "U01"));
    Press(window, Qt::Key_F7);
    EXPECT_TRUE(messages_.Texts().contains("用户权限删除过程发生错误"))
        << messages_.Texts().join('|').toStdString();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_USER_TABLE WHERE USE_ID = 'U01'"), "1");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_RIGHT_TABLE"), "1");
    EXPECT_EQ(window->Query->RecordCount(), 2) << "the list still shows the user";
    test::CloseAndFree(window);
}

// Rights left under an id by a crash or an archive never pass to a new user
// of that id; a refused new user leaves the rights of the one it clashed
// with alone.
TEST_F(UserFormTest, ANewUserHasOnlyTheRightsItIsGiven) {
    Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, BROWSE_RIGHT) VALUES "
         "('U03', 1, 1, '是'), ('U01', 1, 1, '是')");
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    Press(window, Qt::Key_F5);
    Type(window->EditUseId, "u01");
    Type(window->EditUseName, "重名");
    Press(window, Qt::Key_F8);
    EXPECT_EQ(messages_.Texts(), QStringList{"用户编号重复"});
    Press(window, Qt::Key_F9);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'U01'"), "1");

    messages_.Clear();
    Press(window, Qt::Key_F5);
    Type(window->EditUseId, "u03");
    Type(window->EditUseName, "王五");
    Press(window, Qt::Key_F8);
    EXPECT_EQ(messages_.Texts(), QStringList{"新用户的口令是: 918 "});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_USER_TABLE WHERE USE_ID = 'U03'"), "1");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'U03'"), "0");
    EXPECT_FALSE(DM->MainDatabase->InTransaction());
    test::CloseAndFree(window);
}

TEST_F(UserFormTest, NoDeleteMeansTheRightsStay) {
    Exec("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, BROWSE_RIGHT) VALUES "
         "('U01', 1, 1, '是')");
    messages_.answer = false;
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->Query->Locate("USE_ID", "U01"));
    Press(window, Qt::Key_F7);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_USER_TABLE"), "2");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM SYS_RIGHT_TABLE"), "1");
    test::CloseAndFree(window);
}

TEST_F(UserFormTest, CaptionsFitOnBothPages) {
    TUserForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(625, 353));
    EXPECT_EQ(test::ClippedTexts(*window), QStringList());
    EXPECT_TRUE(test::SaveWindowPicture(*window, "userform_users"));
    ShowRights(window);
    Click(window->KXDBListBoxUser, "张三");
    ChooseGroup(window, "基本数据录入编辑");
    Click(window->KXDBListBoxProgram, "单位部门资料录入编辑");
    EXPECT_EQ(test::ClippedTexts(*window), QStringList());
    EXPECT_TRUE(test::SaveWindowPicture(*window, "userform_rights"));
    test::CloseAndFree(window);
}

} // namespace
} // namespace kx
