#include "frame/dialogs/selectmonthform.h"

#include "frame/controls/kxedit.h"
#include "tests/frame/controlsfixture.h"

#include <QPushButton>

namespace kx {
namespace {

TEST(ParseMonthText, TakesTenBytesOfYearAndMonth) {
    QString year, month;
    ParseMonthText("2007年03月", year, month);
    EXPECT_EQ(year, "2007");
    EXPECT_EQ(month, "03");
    for (const QString other : {"2007-03-05", "2007年3月", "20x7年03月", ""}) {
        ParseMonthText(other, year, month);
        EXPECT_EQ(year, "") << other.toStdString();
        EXPECT_EQ(month, "") << other.toStdString();
    }
}

struct MonthCase {
    QString year;
    QString month;
    QString refusal;
    bool yearBox;
};

TEST(CheckYearMonth, RefusesInOrder) {
    const MonthCase cases[] = {
        {"", "03", "必须有一个年份", true},
        {"207", "03", "错误的年份,正确的年份如2000年是:\"2000\"", true},
        {"2007", " ", "必须输入月份", false},
        {"2007", "3", "月份必须是2位数，如2月应为：02 ", false},
        {"2007", "13", "月份不能大于12", false},
        {"2007", "00", "月份不能小于1", false},
        {" 2007 ", "12", "", false},
    };
    for (const MonthCase& c : cases) {
        bool yearBox = false;
        EXPECT_EQ(CheckYearMonth(c.year, c.month, yearBox), c.refusal) << c.month.toStdString();
        if (!c.refusal.isEmpty()) {
            EXPECT_EQ(yearBox, c.yearBox) << c.refusal.toStdString();
        }
    }
}

class SelectMonthFormTest : public ::testing::Test {
protected:
    test::MessageTextRecorder messages_;
    TSelectMonthForm form_;
};

TEST_F(SelectMonthFormTest, PresetThenEscapeChecksLikeOk) {
    form_.MonthText = "2007年03月";
    test::OnNextModal([this](QWidget*) {
        EXPECT_EQ(form_.YearEdit->text(), "2007");
        EXPECT_EQ(form_.MonthEdit->text(), "03");
        EXPECT_TRUE(form_.YearEdit->hasFocus());
        form_.MonthEdit->setText("13");
        test::PressKey(&form_, Qt::Key_Escape);
        EXPECT_TRUE(form_.MonthEdit->hasFocus());
        form_.MonthEdit->setText("12");
        test::PressKey(&form_, Qt::Key_Escape);
    });
    EXPECT_EQ(form_.exec(), QDialog::Accepted);
    EXPECT_EQ(messages_.texts, QStringList({"月份不能大于12"}));
}

TEST_F(SelectMonthFormTest, EnterMovesOnAndF12Closes) {
    form_.MonthText = "2007-03-05";
    test::OnNextModal([this](QWidget*) {
        EXPECT_EQ(form_.YearEdit->text(), "");
        test::TypeText(form_.YearEdit, "2008");
        test::PressKey(&form_, Qt::Key_Return);
        EXPECT_TRUE(form_.MonthEdit->hasFocus());
        test::PressKey(&form_, Qt::Key_F12);
    });
    EXPECT_EQ(form_.exec(), QDialog::Rejected);
}

} // namespace
} // namespace kx
