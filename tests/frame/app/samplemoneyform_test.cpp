// The base forms' whole chain driven through a working window built on them:
// opened from the main window's command, worked with keys and clicks, and
// opened again with the layout each user left.

#include "tests/frame/app/samplemoneyform.h"

#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/findformdialog.h"
#include "frame/dialogs/kxfindform.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/field.h"
#include "tests/core/programfixture.h"
#include "tests/support/closewindow.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kx {
namespace {

const QString kGroup = QStringLiteral("出纳记账管理");
const QString kCommand = QStringLiteral("N13");

class SampleWindowTest : public ::testing::Test {
protected:
    SampleWindowTest() {
        test::ResetProgramState();
        StartGridUnit();
        messages_.answer = true;
        AppUserId = QStringLiteral("U01");
        AppUserName = QStringLiteral("张三");
        TWindowRegistry::Register(sample::TMoneyIntoOutForm::kFormName, [](QWidget* owner) {
            return TKXFormEvents::Create<sample::TMoneyIntoOutForm>(owner);
        });
    }
    ~SampleWindowTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(sample::TMoneyIntoOutForm::kFormName);
        EndGridUnit();
        test::ResetProgramState();
    }

    // The rights row of the records window: add, print and verify as given,
    // browse always.
    void Grant(const QString& user, const QString& add, const QString& verify = "是") {
        Exec(QStringLiteral("DELETE FROM SYS_RIGHT_TABLE WHERE USE_ID = %1").arg(QuotedStr(user)));
        Exec(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, "
                            "ADD_RIGHT, EDIT_RIGHT, BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT) "
                            "VALUES (%1, 1, 1, %2, '是', '是', '否', %3)")
                 .arg(QuotedStr(user), QuotedStr(add), QuotedStr(verify)));
    }
    void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }
    void AddRecord(const QString& id, const QString& moneyId, const QString& note,
                   const QString& status = "未审核") {
        Exec(QStringLiteral("INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, "
                            "MONEY_DATE, MONEY_TEXT_NOTE, STATUS) VALUES (%1, %2, '2007-03-01', "
                            "%3, %4)")
                 .arg(QuotedStr(id), QuotedStr(moneyId), QuotedStr(note), QuotedStr(status)));
    }

    // Opens the window from the main window's menu command, as the user does.
    sample::TMoneyIntoOutForm* Open() {
        if (!main_)
            main_ = std::make_unique<TMainForm>();
        main_->MenuItem(kCommand)->trigger();
        QCoreApplication::sendPostedEvents();
        auto* window =
            qobject_cast<sample::TMoneyIntoOutForm*>(FindWorkingWindow("MoneyIntoOutForm"));
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    // A key as the user presses it: to the control with the focus.
    static void Press(QWidget* window, Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != window)
            target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, key);
        QCoreApplication::sendPostedEvents();
    }
    static void Type(QWidget* edit, const QString& text) {
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
    static int NoteColumn(TKXNDBGrid* grid) {
        for (int i = 0; i < grid->Columns()->Count(); ++i) {
            if (grid->Columns()->GetColumn(i)->FieldName() == "MONEY_TEXT_NOTE")
                return grid->DataToRawColumn(i);
        }
        ADD_FAILURE() << "no note column";
        return 0;
    }
    static int NoteWidth(sample::TMoneyIntoOutForm* window) {
        return window->Query->FieldByName("MONEY_TEXT_NOTE")->DisplayWidth();
    }
    int Rows() { return Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE").toInt(); }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(SampleWindowTest, WithoutTheAddRightF5AddsNothingAndPrintFollowsItsFlag) {
    Grant("U01", "否");
    AddRecord("1", "200703000001", "甲");
    sample::TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->Rights.Add);
    EXPECT_TRUE(window->Rights.Found);
    for (QToolButton* button :
         {window->button_add, window->button_edit, window->button_delete, window->button_print})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_TRUE(window->button_check->isEnabled());

    for (Qt::Key key : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8, Qt::Key_F11})
        Press(window, key);
    EXPECT_EQ(window->Query->State(), db::dsBrowse);
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(messages_.Texts().isEmpty());
    test::CloseAndFree(window);
}

TEST_F(SampleWindowTest, AddSaveEditCancelAndRefuseToCloseWhileEditing) {
    Grant("U01", "是");
    sample::TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->button_add->isEnabled());
    EXPECT_FALSE(window->button_save->isEnabled());
    window->button_add->hide();
    Press(window, Qt::Key_F5);
    EXPECT_EQ(window->Query->State(), db::dsBrowse) << "F5 on a hidden add button";
    window->button_add->show();

    Press(window, Qt::Key_F5);
    ASSERT_EQ(window->Query->State(), db::dsInsert);
    EXPECT_TRUE(window->Adding);
    EXPECT_TRUE(window->button_save->isEnabled());
    EXPECT_FALSE(window->button_add->isEnabled());
    EXPECT_EQ(window->Query->FieldByName("MONEY_DATE")->AsString(), AppToday)
        << "the window's own add step ran after the base step";
    Type(window->MoneyIdEdit, "200703000009");
    Type(window->NoteEdit, "O'Neil");

    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(messages_.Texts(), QStringList{"必须先保存或取消新增的数据或修改后的数据"});

    QTest::mouseClick(window->button_save, Qt::LeftButton);
    EXPECT_EQ(window->Query->State(), db::dsBrowse);
    EXPECT_EQ(Value("SELECT MONEY_TEXT_NOTE || '/' || STATUS || '/' || CREATE_NAME FROM "
                    "KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ID = '200703000009'"),
              "O'Neil/未审核/张三");
    EXPECT_FALSE(window->Checking);

    Press(window, Qt::Key_F6);
    ASSERT_EQ(window->Query->State(), db::dsEdit);
    EXPECT_TRUE(window->Editing);
    Type(window->NoteEdit, "x");
    Press(window, Qt::Key_F9);
    EXPECT_EQ(window->Query->State(), db::dsBrowse);
    EXPECT_EQ(Value("SELECT MONEY_TEXT_NOTE FROM KX_INTO_OUT_MONEY_TABLE"), "O'Neil");

    messages_.Clear();
    test::CloseAndFree(window);
    EXPECT_FALSE(FindWorkingWindow("MoneyIntoOutForm"));
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(SampleWindowTest, NavigateDeleteAndVerify) {
    Grant("U01", "是");
    AddRecord("1", "200703000001", "甲");
    AddRecord("2", "200703000002", "乙");
    sample::TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    window->button_Last->click();
    EXPECT_EQ(window->Query->FieldByName("MONEY_ID")->AsString(), "200703000002");
    window->button_next->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"已到最后一个纪录"});
    EXPECT_EQ(window->Query->FieldByName("MONEY_ID")->AsString(), "200703000002");
    window->button_Prior->click();
    window->button_Prior->click();
    EXPECT_EQ(messages_.Texts(), QStringList({"已到最后一个纪录", "已到第一个纪录"}));
    EXPECT_EQ(window->Query->FieldByName("MONEY_ID")->AsString(), "200703000001");

    QTest::mouseClick(window->button_check, Qt::LeftButton);
    EXPECT_TRUE(window->Checking);
    EXPECT_EQ(Value("SELECT STATUS || '/' || VERIFY_NAME FROM KX_INTO_OUT_MONEY_TABLE WHERE "
                    "MONEY_RECORD_ID = '1'"),
              "已审核/张三");

    window->button_Last->click();
    messages_.Clear();
    Press(window, Qt::Key_F7);
    EXPECT_EQ(messages_.Texts(), QStringList{"请确认是否删除 ?"});
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID = '2'"),
              "0");
    EXPECT_EQ(Rows(), 1);

    Press(window, Qt::Key_F12);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(FindWorkingWindow("MoneyIntoOutForm"));
}

TEST_F(SampleWindowTest, NavigationOnAnEmptyListTellsThereAreNoRecords) {
    Grant("U01", "是");
    sample::TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    for (QToolButton* button :
         {window->button_First, window->button_Prior, window->button_next, window->button_Last})
        button->click();
    EXPECT_EQ(messages_.Texts(), QStringList(4, "没有数据记录"));
    messages_.Clear();
    window->button_check->click();
    EXPECT_FALSE(window->Checking) << "verify on an empty list does nothing";
    Press(window, Qt::Key_F6);
    EXPECT_EQ(window->Query->State(), db::dsBrowse);
    test::CloseAndFree(window);
}

TEST_F(SampleWindowTest, FindNarrowsTheListToTheConditions) {
    Grant("U01", "是");
    AddRecord("1", "200703000001", "甲");
    AddRecord("2", "200703000002", "乙'");
    sample::TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    QTimer::singleShot(0, [window] {
        TKXFindForm* find = window->FindDialog->Form();
        find->ComboBox1->SetText("摘要");
        find->ComboBox2->SetText("等于");
        find->TextEdit->setText("乙'");
        find->DownButton->click();
        find->SureButton->click();
    });
    Press(window, Qt::Key_F10);
    ASSERT_EQ(window->Query->RecordCount(), 1);
    EXPECT_EQ(window->Query->FieldByName("MONEY_ID")->AsString(), "200703000002");
    test::CloseAndFree(window);
}

TEST_F(SampleWindowTest, EachUserFindsTheGridLayoutTheyLeft) {
    Grant("U01", "是");
    Grant("U02", "是");
    AddRecord("1", "200703000001", "甲");
    sample::TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    const int note = NoteColumn(window->DBGrid);
    const int defaultWidth = window->DBGrid->GetColWidths(note);
    window->DBGrid->SetColWidths(note, defaultWidth + 120);
    test::CloseAndFree(window);
    EXPECT_EQ(Value("SELECT FIELD_WIDTH FROM SYS_MONEY_INTO_OUT_TABLE WHERE USE_ID = 'U01' AND "
                    "FIELD_NAME = 'MONEY_TEXT_NOTE'"),
              QString::number(defaultWidth + 120));

    AppUserId = "U02";
    window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->DBGrid->GetColWidths(NoteColumn(window->DBGrid)), defaultWidth);
    EXPECT_EQ(NoteWidth(window), 160) << "another user keeps the default";
    test::CloseAndFree(window);

    AppUserId = "U01";
    window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->DBGrid->GetColWidths(NoteColumn(window->DBGrid)), defaultWidth + 120)
        << "the saved width comes back as it was left";
    test::CloseAndFree(window);
}

TEST_F(SampleWindowTest, AWindowNamingNoProgramMayAddButNotPrintOrVerify) {
    Grant("U01", "否");
    auto* window = TKXFormEvents::Create<sample::TMoneyIntoOutForm>(nullptr);
    window->ProgramGroupName.clear();
    window->show();
    EXPECT_TRUE(window->Rights.Add);
    EXPECT_FALSE(window->Rights.Found);
    for (QToolButton* button : {window->button_add, window->button_edit, window->button_delete})
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_FALSE(window->button_print->isEnabled());
    EXPECT_FALSE(window->button_check->isEnabled());
    EXPECT_EQ(window->Query->UserName, "张三");
    EXPECT_EQ(window->Query->Today, AppToday);
    EXPECT_EQ(window->Query->YearMonthPrefix, AppToday.left(4) + AppToday.mid(5, 2));
    EXPECT_EQ(window->Query->DayPrefix, QDate::currentDate().toString("yyyyMMdd"));
    delete window;
}

TEST_F(SampleWindowTest, ToolButtonCaptionsFit) {
    Grant("U01", "是");
    sample::TMoneyIntoOutForm* window = Open();
    ASSERT_NE(window, nullptr);
    for (QToolButton* button : window->ToolBar1->findChildren<QToolButton*>()) {
        if (button->isVisible()) {
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()))
                << button->objectName().toStdString();
        }
    }
    test::CloseAndFree(window);
}

} // namespace
} // namespace kx
