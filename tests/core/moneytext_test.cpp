#include "core/moneytext.h"

#include "platform/ui/messagedialog.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(MoneyText, TextToNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"1,234.50", 1234.5},
                 {" 12 ", 12},
                 {"", 0},
                 {"abc", 0},
                 {"￥1,000", 1000},
                 {" ￥ 2.5", 2.5},
                 {"1,234,567", 1234567},
                 {"-0.5", -0.5},
                 {"12abc", 0},
                 {",", 0},
                 {"1, 234", 0},
                 {"1 ,234", 0},
                 {"1 234", 0},
                 {", 5 ,", 5},
                 {"1,,2,3.5", 123.5},
                 {"abc￥12", 12}};
    for (const auto& c : cases) {
        EXPECT_EQ(MoneyTextToFloat(QString::fromUtf8(c.text)), c.value) << c.text;
        EXPECT_EQ(MoneyTextToFloat2(QString::fromUtf8(c.text)), c.value) << c.text;
    }
}

TEST(MoneyText, RoundingRules) {
    const struct {
        int decimals;
        const char* mode;
        double value;
        const char* text;
    } cases[] = {
        {2, "五舍六入", 1.235, "1.23"},
        {2, "五舍六入", 1.237, "1.24"},
        {2, "五舍六入", 1.236, "1.24"},
        {2, "三舍四入", 1.233, "1.23"},
        {2, "三舍四入", 1.235, "1.24"},
        {2, "三舍四入", 1.234, "1.24"},
        {2, "二舍三入", 1.232, "1.23"},
        {2, "二舍三入", 1.234, "1.24"},
        {2, "", 1.234, "1.23"},
        {2, "一舍二入", 1.231, "1.23"},
        {2, "一舍二入", 1.233, "1.24"},
        {0, "", 2.6, "3"},
        {12, "", 2.6, "3"},
        {-1, "三舍四入", 2.4, "3"},
        {6, "二舍三入", 0.0000004, "0.000001"},
        {2, "三舍四入", -1.235, "-1.23"},
        {2, "", 2.675, "2.68"},
        {2, "", 1.005, "1.01"},
        {2, "other", 0, "0.00"},
        {9, "", 1.0 / 3, "0.333333333"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRoundNumber(c.decimals, QString::fromUtf8(c.mode), c.value),
                  QString::fromUtf8(c.text))
            << c.decimals << " " << c.mode << " " << c.value;
    }
}

TEST(MoneyText, AmountsInCapitals) {
    const struct {
        const char* amount;
        const char* capitals;
    } cases[] = {
        {"1234.56", "壹仟贰佰叁拾肆元伍角陆分"},
        {"100", "壹佰元整"},
        {"0.5", "伍角整"},
        {"0.05", "零伍分"},
        {"-5", "负伍元整"},
        {"-0.5", "负伍角整"},
        {"0", ""},
        {"", ""},
        {"abc", ""},
        {"10120", "壹万壹佰贰拾元整"},
        {"100000001", "壹亿零壹元整"},
        {"100010000", "壹亿零壹万元整"},
        {"120000000000", "壹仟贰佰亿元整"},
        {"1,000.10", "壹仟元壹角整"},
        {"1001", "壹仟零壹元整"},
        {"1010", "壹仟零壹拾元整"},
        {"1100", "壹仟壹佰元整"},
        {"10", "壹拾元整"},
        {"15.08", "壹拾伍元零捌分"},
        {"305", "叁佰零伍元整"},
        {"50000", "伍万元整"},
        {"51234", "伍万壹仟贰佰叁拾肆元整"},
        {"50234", "伍万零贰佰叁拾肆元整"},
        {"999999999999.99", "玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AmountToChinese(QString::fromUtf8(c.amount)), QString::fromUtf8(c.capitals))
            << c.amount;
}

TEST(MoneyText, MoreThanTwelveIntegerDigitsAreRefused) {
    QStringList shown;
    const ui::MessageSink old = ui::SetMessageSink([&](const ui::MessageRequest& request) {
        shown.append(request.text);
        return false;
    });
    EXPECT_EQ(AmountToChinese("1234567890123.45"), "肆角伍分");
    EXPECT_EQ(AmountToChinese("1000000000000"), "整");
    ui::SetMessageSink(old);
    EXPECT_EQ(shown, QStringList({"所处理数据超出范围!", "所处理数据超出范围!"}));
}

} // namespace
} // namespace kx
