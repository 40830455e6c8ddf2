#include "core/messages.h"

#include "platform/ui/messagedialog.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace kx {
namespace {

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        old_ = ui::SetMessageSink([this](const ui::MessageRequest& request) {
            seen_.append(request);
            return answer_;
        });
    }
    void TearDown() override { ui::SetMessageSink(old_); }

    ui::MessageSink old_;
    QList<ui::MessageRequest> seen_;
    bool answer_ = false;
};

TEST_F(MessagesTest, CaptionsIconsAndButtons) {
    ShowPromptMessage("p");
    ShowErrorMessage("e");
    answer_ = true;
    EXPECT_TRUE(ShowConfirmMessage("请确认是否删除"));
    answer_ = false;
    EXPECT_FALSE(ShowConfirmMessage("q"));
    ASSERT_EQ(seen_.size(), 4);
    EXPECT_EQ(seen_[0].caption, "提示信息");
    EXPECT_EQ(seen_[0].icon, ui::MessageIcon::Warning);
    EXPECT_EQ(seen_[0].buttons, ui::MessageButtons::Ok);
    EXPECT_EQ(seen_[1].caption, "错误信息");
    EXPECT_EQ(seen_[1].icon, ui::MessageIcon::Error);
    EXPECT_EQ(seen_[2].caption, "提示信息");
    EXPECT_EQ(seen_[2].text, "请确认是否删除 ?");
    EXPECT_EQ(seen_[2].icon, ui::MessageIcon::Question);
    EXPECT_EQ(seen_[2].buttons, ui::MessageButtons::YesNo);
}

TEST_F(MessagesTest, AutomaticOwnerIsTheActiveFormElseTheApplication) {
    ShowPromptMessage("no window");
    QWidget form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ShowErrorMessage("with window");
    QWidget other;
    ShowPromptMessageTo(&other, "explicit");
    ShowErrorMessageTo(nullptr, "application");
    ASSERT_EQ(seen_.size(), 4);
    EXPECT_EQ(seen_[0].owner, nullptr);
    EXPECT_EQ(seen_[1].owner, &form);
    EXPECT_EQ(seen_[2].owner, &other);
    EXPECT_EQ(seen_[3].owner, nullptr);
    EXPECT_EQ(seen_[3].caption, "错误信息");
}

} // namespace
} // namespace kx
