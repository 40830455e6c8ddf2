// The password change: its checks in order, and the window opened from the
// main window's "用户口令修改", storing what the log-on compares.

#include "frame/admin/passwordchange.h"
#include "frame/admin/passwordchangeform.h"

#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "frame/app/kxmain.h"
#include "frame/app/mainform.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kxedit.h"
#include "tests/core/programfixture.h"
#include "tests/frame/admin/windowpicture.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(CheckPasswordChange, RefusalsComeInOrderWithTheirFocus) {
    const auto storedIs918 = [](const QString& old) { return old == "918"; };
    const struct {
        const char* oldText;
        const char* newText;
        const char* confirm;
        QString message;
        TPasswordEdit focus;
    } cases[] = {
        {"  ", "a", "a", "必须输入新口令", TPasswordEdit::New},
        {"917", "a", "a", "错误的老口令", TPasswordEdit::Old},
        {" 918 ", " ", "a", "必须输入新口令", TPasswordEdit::New},
        {"918", "a", "", "必须输入新口令", TPasswordEdit::Confirm},
        {"918", "ab", "a", "新口令与确认的新口令不一致", TPasswordEdit::New},
        {"918", "ab ", " ab", QString(), TPasswordEdit::Old},
    };
    for (const auto& c : cases) {
        const TPasswordRefusal refusal =
            CheckPasswordChange(c.oldText, c.newText, c.confirm, storedIs918);
        EXPECT_EQ(refusal.Message, c.message) << c.oldText << "|" << c.newText << "|" << c.confirm;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(refusal.Focus, c.focus) << c.oldText << "|" << c.newText;
        }
    }
}

TEST(PasswordStatements, TypedTextsAreTrimmedAndQuoted) {
    EXPECT_EQ(PasswordCheckSql("U'1", "' OR '1'='1 "),
              "SELECT  USE_ID,USE_NAME,SYS_USER,STOP_RIGHT from SYS_USER_TABLE where USE_ID = "
              "'U''1' and USE_PASSWORD = ''' OR ''1''=''1'");
    EXPECT_EQ(PasswordUpdateSql("U01", "new pw  "),
              "Update SYS_USER_TABLE set USE_PASSWORD  = 'new pw' where  USE_ID  = 'U01'");
}

class PasswordChangeFormTest : public ::testing::Test {
protected:
    PasswordChangeFormTest() {
        test::ResetProgramState();
        test::InsertUser(data_.Folder, "U01", "张三", "918", false);
        test::InsertUser(data_.Folder, "U02", "李四", "918", false);
        AppUserId = "U01";
        TWindowRegistry::Register(TPasswordChangeForm::kFormName, [](QWidget* owner) {
            return TKXFormEvents::Create<TPasswordChangeForm>(owner);
        });
    }
    ~PasswordChangeFormTest() override {
        main_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TWindowRegistry::Unregister(TPasswordChangeForm::kFormName);
        test::ResetProgramState();
    }
    TPasswordChangeForm* Open() {
        main_ = std::make_unique<TMainForm>();
        main_->MenuItem("CHANGEPASSWORDMENU")->trigger();
        QCoreApplication::sendPostedEvents();
        auto* window = qobject_cast<TPasswordChangeForm*>(FindWorkingWindow("PasswordChangeForm"));
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    static void Type(QWidget* edit, const QString& text) {
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
    static void Press(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCoreApplication::sendPostedEvents();
    }
    QString Password(const QString& id) {
        return GetSqlFirstValue(kDatabaseName,
                                "SELECT USE_PASSWORD FROM SYS_USER_TABLE WHERE USE_ID = " +
                                    QuotedStr(id));
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TMainForm> main_;
};

TEST_F(PasswordChangeFormTest, ANewPasswordWithTrailingBlanksIsStoredAsTheLogOnComparesIt) {
    TPasswordChangeForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), window->OldPasswordEdit);
    Type(window->OldPasswordEdit, "918");
    Press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), window->NewPasswordEdit) << "Enter moves on";
    QTest::keyClicks(window->NewPasswordEdit, "abc  ");
    Press(Qt::Key_Return);
    QTest::keyClicks(window->ConfirmPasswordEdit, "abc");
    Press(Qt::Key_F3);
    EXPECT_EQ(messages_.Texts(), QStringList{"口令改变成功"});
    EXPECT_EQ(Password("U01"), "abc");
    EXPECT_EQ(Password("U02"), "918");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FindWorkingWindow("PasswordChangeForm"), nullptr) << "the window closes";
}

TEST_F(PasswordChangeFormTest, AQuoteInTheOldPasswordIsTextAndAWrongOneChangesNothing) {
    QPointer<TPasswordChangeForm> window = Open();
    ASSERT_NE(window, nullptr);
    Type(window->OldPasswordEdit, "' OR '1'='1");
    Type(window->NewPasswordEdit, "x");
    Type(window->ConfirmPasswordEdit, "x");
    window->SureButton->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"错误的老口令"});
    EXPECT_EQ(QApplication::focusWidget(), window->OldPasswordEdit);
    EXPECT_EQ(Password("U01"), "918");

    messages_.Clear();
    window->OldPasswordEdit->setText("918");
    window->ConfirmPasswordEdit->setText("y");
    window->SureButton->click();
    EXPECT_EQ(messages_.Texts(), QStringList{"新口令与确认的新口令不一致"});
    EXPECT_EQ(QApplication::focusWidget(), window->NewPasswordEdit);
    EXPECT_EQ(Password("U01"), "918");

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->NewPasswordEdit->text().isEmpty());
    EXPECT_TRUE(window->ConfirmPasswordEdit->text().isEmpty());
    EXPECT_FALSE(window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window) << "the closed window frees itself";
}

TEST_F(PasswordChangeFormTest, CaptionsFit) {
    TPasswordChangeForm* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(278, 158));
    EXPECT_EQ(test::ClippedTexts(*window), QStringList());
    EXPECT_TRUE(test::SaveWindowPicture(*window, "passwordchangeform"));
}

} // namespace
} // namespace kx
