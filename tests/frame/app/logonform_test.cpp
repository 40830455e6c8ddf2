#include "frame/app/logonform.h"

#include "core/appstate.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxedit.h"
#include "tests/core/programfixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kx {
namespace {

class LogonFormTest : public ::testing::Test {
protected:
    LogonFormTest() {
        test::ResetProgramState();
        test::InsertUser(data_.Folder, "ADMIN", "管理员", "secret", true);
        logon_ = std::make_unique<TLogonForm>();
        logon_->show();
        logon_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(logon_.get()));
    }
    ~LogonFormTest() override { test::ResetProgramState(); }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    std::unique_ptr<TLogonForm> logon_;
};

TEST_F(LogonFormTest, CaptionsColoursAndFirstFocus) {
    EXPECT_EQ(logon_->windowTitle(), "用户登陆窗口");
    EXPECT_EQ(logon_->LongNameLabel->text(), "用户名称");
    EXPECT_EQ(logon_->LongPasswordLabel->text(), "用户口令");
    EXPECT_EQ(logon_->ButtonOK->text(), "确定[F3]");
    EXPECT_EQ(logon_->ButtonCancel->text(), "取消[F4]");
    EXPECT_EQ(logon_->PasswordEdit->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(logon_->UserIDBox->hasFocus());
    EXPECT_EQ(logon_->UserIDBox->Color(), AppFocusColor);
    EXPECT_EQ(logon_->PasswordEdit->Color(), AppEditColor);
    EXPECT_EQ(logon_->PasswordEdit->SavedColor(), AppEditColor);
}

TEST_F(LogonFormTest, EnterMovesOnInTabOrderAndNeverPressesAButton) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(logon_->PasswordEdit->hasFocus());
    EXPECT_TRUE(logon_->isVisible());
    QTest::keyClick(logon_->PasswordEdit, Qt::Key_Return);
    EXPECT_TRUE(logon_->ButtonOK->hasFocus());
    EXPECT_TRUE(logon_->isVisible());
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(LogonFormTest, F3ChecksAndF4Cancels) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    EXPECT_EQ(messages_.Texts(), QStringList{"错误的用户编号或错误的口令"});
    EXPECT_TRUE(logon_->UserIDBox->hasFocus());
    logon_->UserIDBox->setEditText("ADMIN");
    logon_->PasswordEdit->setText("secret");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    EXPECT_EQ(logon_->result(), QDialog::Accepted);

    TLogonForm other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(other.result(), QDialog::Rejected);
}

} // namespace
} // namespace kx
