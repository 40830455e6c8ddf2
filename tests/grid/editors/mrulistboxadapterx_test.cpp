#include "grid/editors/mrulistboxadapterx.h"

#include "grid/editors/customdbeditx.h"
#include "grid/editors/mrulistboxx.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kx {
namespace {

// An unbound edit with its real recently-used list, and a control to leave
// it for.
class MRUListboxAdapterTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form_);
        edit_ = new TCustomDBEditX(&form_);
        other_ = new QLineEdit(&form_);
        layout->addWidget(edit_);
        layout->addWidget(other_);
        form_.show();
        QApplication::setActiveWindow(&form_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
        edit_->MRUList().SetActive(true);
        edit_->MRUList().SetItems({QStringLiteral("apple"), QStringLiteral("apricot"),
                                   QStringLiteral("avocado"), QStringLiteral("banana")});
        edit_->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    TMRUListboxX* Listbox() const {
        return static_cast<TMRUListboxAdapterX*>(edit_->MRUListbox())->Listbox();
    }

    QWidget form_;
    TCustomDBEditX* edit_;
    QLineEdit* other_;
};

TEST_F(MRUListboxAdapterTest, TypingOpensTheListUnderTheEditWithTheMatchingTexts) {
    QTest::keyClicks(edit_, QStringLiteral("a"));
    ASSERT_TRUE(edit_->MRUDroppedDown());
    TMRUListboxX* list = Listbox();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->RowsFit(), 3);
    EXPECT_EQ(list->width(), edit_->width());
    EXPECT_TRUE(list->selectedItems().isEmpty());
    const QPoint editBottom = edit_->mapToGlobal(QPoint(0, edit_->height()));
    EXPECT_EQ(list->geometry().top(), editBottom.y());
    EXPECT_EQ(list->geometry().left(), editBottom.x());
    EXPECT_TRUE(edit_->hasFocus());

    // Typing on narrows the items of the open list; its size stays.
    QTest::keyClicks(edit_, QStringLiteral("pr"));
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("apricot"));
    EXPECT_EQ(list->RowsFit(), 3);
}

TEST_F(MRUListboxAdapterTest, DownThenEnterTakesTheTextAndEscTakesNothing) {
    QTest::keyClicks(edit_, QStringLiteral("a"));
    ASSERT_TRUE(edit_->MRUDroppedDown());
    QTest::keyClick(edit_, Qt::Key_Down);
    QTest::keyClick(edit_, Qt::Key_Down);
    QTest::keyClick(edit_, Qt::Key_Return);
    EXPECT_FALSE(edit_->MRUDroppedDown());
    EXPECT_FALSE(Listbox()->isVisible());
    EXPECT_EQ(edit_->text(), QStringLiteral("apricot"));

    edit_->selectAll();
    QTest::keyClicks(edit_, QStringLiteral("b"));
    ASSERT_TRUE(edit_->MRUDroppedDown());
    QTest::keyClick(edit_, Qt::Key_Down);
    QTest::keyClick(edit_, Qt::Key_Escape);
    EXPECT_FALSE(Listbox()->isVisible());
    EXPECT_EQ(edit_->text(), QStringLiteral("b"));
}

TEST_F(MRUListboxAdapterTest, AClickOnAnItemTakesItAndLeavingTheEditClosesTheList) {
    QTest::keyClicks(edit_, QStringLiteral("a"));
    TMRUListboxX* list = Listbox();
    const QRect third = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_FALSE(edit_->MRUDroppedDown());
    EXPECT_EQ(edit_->text(), QStringLiteral("avocado"));

    edit_->selectAll();
    QTest::keyClicks(edit_, QStringLiteral("a"));
    ASSERT_TRUE(list->isVisible());
    other_->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(edit_->MRUDroppedDown());
    EXPECT_FALSE(list->isVisible());
}

} // namespace
} // namespace kx
