#include "platform/ui/keypreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kx::ui {
namespace {

class KeyPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form_);
        for (QLineEdit** edit : {&first_, &second_, &hidden_, &disabled_, &third_}) {
            *edit = new QLineEdit(&form_);
            layout->addWidget(*edit);
        }
        hidden_->hide();
        disabled_->setEnabled(false);
        form_.show();
        ActivateForm();
    }
    void ActivateForm() {
        form_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    }

    QWidget form_;
    QLineEdit* first_ = nullptr;
    QLineEdit* second_ = nullptr;
    QLineEdit* hidden_ = nullptr;
    QLineEdit* disabled_ = nullptr;
    QLineEdit* third_ = nullptr;
};

TEST_F(KeyPreviewTest, FormSeesTheKeyFirstAndCanConsumeIt) {
    QList<int> previewed;
    new KeyPreview(&form_, [&](QKeyEvent* event) {
        previewed.append(event->key());
        return event->key() == Qt::Key_A;
    });
    first_->setFocus();
    QTest::keyClick(first_, Qt::Key_A);
    QTest::keyClick(first_, Qt::Key_B);
    EXPECT_EQ(previewed, (QList<int>{Qt::Key_A, Qt::Key_B}));
    EXPECT_EQ(first_->text(), QStringLiteral("b"));
}

TEST_F(KeyPreviewTest, KeyPropagatingToParentsIsPreviewedOnce) {
    int count = 0;
    new KeyPreview(&form_, [&](QKeyEvent*) {
        ++count;
        return false;
    });
    first_->setFocus();
    // A line edit ignores F5, so the key travels on to the form.
    QTest::keyClick(first_, Qt::Key_F5);
    EXPECT_EQ(count, 1);
}

TEST_F(KeyPreviewTest, MoveFocusFollowsTabOrderSkippingHiddenAndDisabled) {
    first_->setFocus();
    MoveFocus(&form_, true);
    EXPECT_EQ(QApplication::focusWidget(), second_);
    MoveFocus(&form_, true);
    EXPECT_EQ(QApplication::focusWidget(), third_);
    MoveFocus(&form_, true);
    EXPECT_EQ(QApplication::focusWidget(), first_);
    MoveFocus(&form_, false);
    EXPECT_EQ(QApplication::focusWidget(), third_);
}

} // namespace
} // namespace kx::ui
