#include "platform/sys/numberformat.h"
#include "platform/sys/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace kx::sys;

struct Case {
    double value;
    int decimals;
    double expected;
};

TEST(Rounding, HalfEvenDecidesOnTheDecimalText) {
    const Case cases[] = {
        {2.5, 0, 2},         {3.5, 0, 4},      {-2.5, 0, -2},    {0.5, 0, 0},      {1.5, 0, 2},
        {1234.5, 0, 1234},   {0.125, 2, 0.12}, {0.135, 2, 0.14}, {2.675, 2, 2.68}, {2.665, 2, 2.66},
        {1.25, 1, 1.2},      {9.995, 2, 10},   {2.6, 0, 3},      {1250, -2, 1200}, {1350, -2, 1400},
        {0.1 + 0.2, 2, 0.3}, {2.51, 0, 3},     {0.0049, 2, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value, c.decimals), c.expected) << c.value << " " << c.decimals;
}

TEST(Rounding, HalfAwayFromZeroDecidesOnTheDecimalText) {
    const Case cases[] = {
        {2.5, 0, 3},
        {-2.5, 0, -3},
        {0.5, 0, 1},
        {2.675, 2, 2.68},
        {1.005, 2, 1.01},
        {1.235, 2, 1.24},
        {-1.235, 2, -1.24},
        {9.995, 2, 10},
        {2.6, 0, 3},
        {0.0000004, 6, 0},
        {0.0000005, 6, 0.000001},
        {1250, -2, 1300},
        {0.1 + 0.2, 2, 0.3},
        {123.456, 5, 123.456},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundHalfAwayFromZero(c.value, c.decimals), c.expected)
            << c.value << " " << c.decimals;
    }
}

TEST(Rounding, NonFiniteValuesPassThrough) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(RoundHalfEven(nan, 2)));
    EXPECT_EQ(RoundHalfAwayFromZero(-inf, 2), -inf);
}

// The named rules of the amount rounding move the value by units one digit
// beyond the kept decimals, then round plainly; built from these pieces they
// must give the amounts the rules promise, boundaries included.
TEST(Rounding, NamedAmountRulesFromThePieces) {
    struct RuleCase {
        int units;
        int decimals;
        double value;
        const char* expected;
    };
    const RuleCase cases[] = {
        {-1, 2, 1.235, "1.23"},         {-1, 2, 1.237, "1.24"},   {-1, 2, 1.236, "1.24"},
        {+1, 2, 1.233, "1.23"},         {+1, 2, 1.235, "1.24"},   {+1, 2, 1.234, "1.24"},
        {+2, 2, 1.232, "1.23"},         {+2, 2, 1.234, "1.24"},   {+2, 2, 1.233, "1.24"},
        {+3, 2, 1.231, "1.23"},         {+3, 2, 1.233, "1.24"},   {+3, 2, 1.232, "1.24"},
        {+2, 6, 0.0000004, "0.000001"}, {+1, 2, -1.235, "-1.23"},
    };
    for (const RuleCase& c : cases) {
        const double unit = std::pow(10.0, -(c.decimals + 1));
        const double moved = RoundHalfAwayFromZero(c.value, c.decimals + 1) + c.units * unit;
        const QString text = Format(QStringLiteral("%20.*f"), {c.decimals, moved}).trimmed();
        EXPECT_EQ(text, QString::fromLatin1(c.expected)) << c.units << " " << c.value;
    }
    EXPECT_EQ(Format(QStringLiteral("%20.0f"), {2.6}).trimmed(), QStringLiteral("3"));
    EXPECT_EQ(Format(QStringLiteral("%20.2f"), {1.23}).trimmed(), QStringLiteral("1.23"));
}

} // namespace
