#include "cashbook/setaccountdateform.h"

#include "core/options.h"
#include "frame/controls/kxcombobox.h"
#include "tests/core/programfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

class SetAccountDateFormTest : public ::testing::Test {
protected:
    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
};

TEST_F(SetAccountDateFormTest, ShowsTheStoredDayAndStoresTheChosenOne) {
    SetOption("GACCOUNT_DAY", "28");
    TSetAccountDateForm form;
    form.show();
    EXPECT_EQ(form.KXComboBox1->count(), 32);
    EXPECT_EQ(form.KXComboBox1->currentText(), "28号");

    form.KXComboBox1->setCurrentIndex(31);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(GetOptionText("GACCOUNT_DAY"), "0");

    form.show();
    EXPECT_EQ(form.KXComboBox1->currentIndex(), -1);
    form.KXComboBox1->setCurrentIndex(4);
    form.Button_Close->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(GetOptionText("GACCOUNT_DAY"), "0");
    form.show();
    form.KXComboBox1->setCurrentIndex(4);
    form.Button_ok->click();
    EXPECT_EQ(GetOptionText("GACCOUNT_DAY"), "5");
}

TEST_F(SetAccountDateFormTest, EveryTextFits) {
    TSetAccountDateForm form;
    form.show();
    for (const QLabel* label : form.findChildren<QLabel*>())
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
}

} // namespace
} // namespace kx::cashbook
