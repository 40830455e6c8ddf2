#include "frame/controls/kxcomboedit.h"

#include "frame/controls/editbutton.h"
#include "tests/frame/controlsfixture.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {
namespace {

using test::FocusOn;

class ComboEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form_);
        edit_ = new TKXComboEdit(&form_);
        other_ = new QLineEdit(&form_);
        ok_ = new QPushButton("OK", &form_);
        ok_->setDefault(true);
        layout->addWidget(edit_);
        layout->addWidget(other_);
        layout->addWidget(ok_);
        edit_->OnButtonClick = [this](QObject* sender) {
            EXPECT_EQ(sender, edit_);
            ++clicks_;
        };
        ASSERT_TRUE(test::ShowActive(form_));
    }

    int RightMargin() const { return edit_->textMargins().right(); }

    QDialog form_;
    TKXComboEdit* edit_;
    QLineEdit* other_;
    QPushButton* ok_;
    int clicks_ = 0;
};

TEST_F(ComboEditTest, DisablingAVisibleButtonHidesItAndFreesTheRoom) {
    EXPECT_EQ(edit_->Button()->width(), 21);
    EXPECT_EQ(RightMargin(), 23);
    edit_->SetButtonEnabled(false);
    EXPECT_EQ(edit_->ButtonWidth(), 0);
    EXPECT_EQ(edit_->Button()->width(), 0);
    EXPECT_EQ(RightMargin(), 2);
    edit_->SetButtonEnabled(true);
    EXPECT_EQ(edit_->Button()->width(), 21);
    EXPECT_TRUE(edit_->ButtonEnabled());
}

TEST_F(ComboEditTest, WithoutButtonVisibleADisabledButtonStaysGreyed) {
    edit_->SetButtonVisible(false);
    edit_->SetButtonEnabled(false);
    EXPECT_EQ(edit_->Button()->width(), 21);
    EXPECT_FALSE(edit_->Button()->isEnabled());
}

TEST_F(ComboEditTest, ButtonWidthOneHidesTheHolderAndTooWideIsIgnored) {
    edit_->SetButtonWidth(1);
    EXPECT_FALSE(edit_->ButtonHolder()->isVisible());
    edit_->SetButtonWidth(30);
    EXPECT_TRUE(edit_->ButtonHolder()->isVisible());
    EXPECT_EQ(edit_->Button()->width(), 30);
    edit_->SetButtonWidth(edit_->width() + 10);
    EXPECT_EQ(edit_->ButtonWidth(), 30);
}

TEST_F(ComboEditTest, ClickKeyAndButtonFireOnlyWhileTheButtonShows) {
    FocusOn(edit_);
    QTest::keyClick(edit_, Qt::Key_Down, Qt::AltModifier);
    QTest::mouseClick(edit_->Button(), Qt::LeftButton);
    EXPECT_EQ(clicks_, 2);
    edit_->SetButtonEnabled(false);
    QTest::keyClick(edit_, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(clicks_, 2);
}

TEST_F(ComboEditTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
    int pressed = 0;
    QObject::connect(ok_, &QPushButton::clicked, [&] { ++pressed; });
    FocusOn(edit_);
    QTest::keyClick(edit_, Qt::Key_Return);
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(edit_->text(), "");
    QTest::keyClick(edit_, Qt::Key_Escape);
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(form_.result(), QDialog::Rejected);
}

TEST_F(ComboEditTest, WithoutDirectInputOnlyTheButtonGivesAValue) {
    edit_->SetDirectInput(false);
    FocusOn(edit_);
    test::TypeText(edit_, "abc");
    EXPECT_EQ(edit_->text(), "");
    edit_->SetDirectInput(true);
    edit_->SetReadOnly(true);
    test::TypeText(edit_, "abc");
    EXPECT_EQ(edit_->text(), "");
    edit_->SetReadOnly(false);
    test::TypeText(edit_, "abc");
    EXPECT_EQ(edit_->text(), "abc");
}

TEST_F(ComboEditTest, FiltersKeysByEditType) {
    edit_->SetEditType(etDate);
    FocusOn(edit_);
    test::TypeText(edit_, "2000-0a8-08");
    EXPECT_EQ(edit_->text(), "2000-08-08");
}

TEST(EllipsisPicture, DotsSitByTheButtonWidth) {
    const TEllipsisPicture wide = EllipsisPicture(21);
    EXPECT_EQ(wide.Width, 15);
    EXPECT_EQ(wide.Height, 4);
    EXPECT_EQ(std::vector<int>(wide.Dots, wide.Dots + 3), std::vector<int>({1, 6, 11}));
    const TEllipsisPicture narrow = EllipsisPicture(19);
    EXPECT_EQ(narrow.Width, 13);
    EXPECT_EQ(std::vector<int>(narrow.Dots, narrow.Dots + 3), std::vector<int>({0, 5, 10}));
    EXPECT_EQ(EllipsisPicture(3).Width, 1);
}

} // namespace
} // namespace kx
