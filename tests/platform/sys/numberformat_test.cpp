#include "platform/sys/exception.h"
#include "platform/sys/numberformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace kx::sys;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FormatFloat, PatternsAndSectionsOnTheStandardValues) {
    struct Case {
        const char* pattern;
        const char* plus1234;
        const char* minus1234;
        const char* half;
        const char* zero;
    };
    const Case cases[] = {
        {"0", "1234", "-1234", "1", "0"},
        {"0.00", "1234.00", "-1234.00", "0.50", "0.00"},
        {"#.##", "1234", "-1234", ".5", ""},
        {"#,##0.00", "1,234.00", "-1,234.00", "0.50", "0.00"},
        {"#,##0.00;(#,##0.00)", "1,234.00", "(1,234.00)", "0.50", "0.00"},
        {"#,##0.00;;Zero", "1,234.00", "-1,234.00", "0.50", "Zero"},
        {"0.000E+00", "1.234E+03", "-1.234E+03", "5.000E-01", "0.000E+00"},
        {"#.###E-0", "1.234E3", "-1.234E3", "5E-1", "0E0"},
        {"0.########", "1234", "-1234", "0.5", "0"},
    };
    for (const Case& c : cases) {
        const QString pattern = QString::fromUtf8(c.pattern);
        EXPECT_EQ(FormatFloat(pattern, 1234), QString::fromUtf8(c.plus1234)) << c.pattern;
        EXPECT_EQ(FormatFloat(pattern, -1234), QString::fromUtf8(c.minus1234)) << c.pattern;
        EXPECT_EQ(FormatFloat(pattern, 0.5), QString::fromUtf8(c.half)) << c.pattern;
        EXPECT_EQ(FormatFloat(pattern, 0), QString::fromUtf8(c.zero)) << c.pattern;
    }
}

TEST(FormatFloat, DigitsLiteralsAndRounding) {
    struct Case {
        const char* pattern;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"0.########", 0.1 + 0.2, "0.3"},
        {"0.########", 1234.5, "1234.5"},
        {"0.########", 1.0 / 3, "0.33333333"},
        {"0.00", 2.675, "2.68"},
        {"0.00", 1.005, "1.01"},
        {"0.00", -1.005, "-1.01"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"00000", 42, "00042"},
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0", 999.5, "1,000"},
        {"#,##0", 123, "123"},
        {"0,.00", 1234.5, "1,234.50"},
        {"0.00元", 5, "5.00元"},
        {"'￥'#,##0.00", 1234.5, "￥1,234.50"},
        {"\"合计:\"0", 12, "合计:12"},
        {"'a;b'0", 7, "a;b7"},
        {"0.00;-0.00;零", 0.001, "零"},
        {"0.00;-0.00;零", -0.001, "零"},
        {"0.00", -0.001, "0.00"},
        {"0.00;(0.00)", -2.5, "(2.50)"},
        {"0.00;", -2.5, "-2.50"},
        {"", 1.5, "1.5"},
        {"", 1e20, "1E20"},
        {"0.00", kNaN, "NAN"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.pattern), c.value), QString::fromUtf8(c.expected))
            << c.pattern << " " << c.value;
    }
}

// A list formats row after row with a few patterns in turn, and a report may
// use many: each pattern keeps its own sections whatever came before it.
TEST(FormatFloat, PatternsInTurnKeepTheirOwnSections) {
    for (int round = 0; round < 2; ++round) {
        for (int decimals = 0; decimals < 20; ++decimals) {
            const QString pattern = "0." + QString(decimals, u'0') + ";(0);零";
            const QString fraction = decimals > 0 ? "." + QString(decimals, u'0') : QString();
            EXPECT_EQ(FormatFloat(pattern, 1), "1" + fraction) << pattern.toStdString();
            EXPECT_EQ(FormatFloat(pattern, -1), "(1)") << pattern.toStdString();
            EXPECT_EQ(FormatFloat(pattern, 0), "零") << pattern.toStdString();
            EXPECT_EQ(FormatFloat("#,##0.00", -1234.565), "-1,234.57");
            EXPECT_EQ(FormatFloat("0.########", 0.125), "0.125");
        }
    }
}

TEST(FloatToStr, GeneralFormWithFifteenDigits) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1234.5, "1234.5"},
        {0.1 + 0.2, "0.3"},
        {-0.5, "-0.5"},
        {100, "100"},
        {1e20, "1E20"},
        {1e15, "1E15"},
        {999999999999999, "999999999999999"},
        {123456789012345678.0, "1.23456789012346E17"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {kNaN, "NAN"},
        {kInf, "INF"},
        {-kInf, "-INF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStr(c.value), QString::fromLatin1(c.expected)) << c.value;
}

TEST(SqlNumber, NeverWritesAnExponent) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0"},
        {1234.5, "1234.5"},
        {0.1 + 0.2, "0.3"},
        {-0.000001, "-0.000001"},
        {1e-7, "0.0000001"},
        {1e20, "100000000000000000000"},
        {12345678.9, "12345678.9"},
        {-42, "-42"},
        {kNaN, "NULL"},
        {kInf, "NULL"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SqlNumber(c.value), QString::fromLatin1(c.expected)) << c.value;
}

TEST(Format, SpecifiersWidthsAndIndexes) {
    struct Case {
        const char* format;
        QVariantList args;
        const char* expected;
    };
    const Case cases[] = {
        {"%20.2f", {1.235}, "                1.24"},
        {"%.2f", {2.675}, "2.68"},
        {"%.0f", {2.5}, "3"},
        {"%f", {1.0}, "1.00"},
        {"%.6f", {0.0000004 + 0.0000002}, "0.000001"},
        {"%12.2f", {-1234.5}, "    -1234.50"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {-0.000123}, "-1.23E-004"},
        {"%g", {0.1 + 0.2}, "0.3"},
        {"%d", {42}, "42"},
        {"%5d|%-5d|", {42, 42}, "   42|42   |"},
        {"%.3d", {7}, "007"},
        {"%.3d", {-7}, "-007"},
        {"%*d", {4, 7}, "   7"},
        {"%x", {255}, "FF"},
        {"%.4x", {-1}, "FFFFFFFF"},
        {"%d", {std::numeric_limits<qlonglong>::min()}, "-9223372036854775808"},
        {"%s-%s", {QStringLiteral("a"), QStringLiteral("b")}, "a-b"},
        {"%1:s %0:s %s", {QStringLiteral("a"), QStringLiteral("b")}, "b a b"},
        {"%.2s", {QStringLiteral("abc")}, "ab"},
        {"100%%", {}, "100%"},
        {"NEXT:DISK%s", {QStringLiteral("003")}, "NEXT:DISK003"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Format(QString::fromLatin1(c.format), c.args), QString::fromLatin1(c.expected))
            << c.format;
    }
}

TEST(Format, BadFormatOrArgumentRaisesTheConversionError) {
    struct Case {
        const char* format;
        QVariantList args;
    };
    const Case cases[] = {
        {"%d", {1.5}}, {"%d", {}},    {"%d", {QStringLiteral("1")}},
        {"%f", {5}},   {"%s", {5}},   {"%q", {1}},
        {"abc%", {}},  {"%2:d", {1}},
    };
    for (const Case& c : cases) {
        const QString format = QString::fromLatin1(c.format);
        try {
            Format(format, c.args);
            ADD_FAILURE() << "no error for " << c.format;
        } catch (const kx::EConvertError& e) {
            EXPECT_EQ(
                e.Message(),
                QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
        }
    }
}

TEST(StrToFloat, AcceptsPlainNumbersOnly) {
    struct Case {
        const char* text;
        double value;
    };
    const Case good[] = {
        {"1234.5", 1234.5}, {" 12 ", 12},      {"-.5", -0.5}, {"+5.", 5},
        {"1e3", 1000},      {"1.5E-2", 0.015}, {"0", 0},      {"007", 7},
    };
    for (const Case& c : good)
        EXPECT_DOUBLE_EQ(StrToFloat(QString::fromLatin1(c.text)), c.value) << c.text;

    for (const char* text :
         {"", " ", "abc", "1,234", "1.2.3", "1e", "- 5", "1e400", "nan", "inf", "12abc"}) {
        const QString bad = QString::fromLatin1(text);
        double untouched = 7;
        EXPECT_FALSE(TryStrToFloat(bad, untouched)) << text;
        EXPECT_EQ(untouched, 7);
        try {
            StrToFloat(bad);
            ADD_FAILURE() << "no error for " << text;
        } catch (const kx::EConvertError& e) {
            EXPECT_EQ(e.Message(),
                      u'\'' + bad + QStringLiteral("' is not a valid floating point value"));
        }
    }
    EXPECT_THROW(StrToFloat(QStringLiteral("１２")), kx::EConvertError);
}

TEST(StrToInt, DecimalAndHexadecimalIn32Bits) {
    struct Case {
        const char* text;
        int value;
    };
    const Case good[] = {
        {"42", 42},
        {" -42", -42},
        {"+7", 7},
        {"$FF", 255},
        {"0x10", 16},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"$FFFFFFFF", -1},
    };
    for (const Case& c : good)
        EXPECT_EQ(StrToInt(QString::fromLatin1(c.text)), c.value) << c.text;

    for (const char* text :
         {"", "42 ", "1.5", "2147483648", "-2147483649", "abc", "$", "0x", "$100000000"}) {
        const QString bad = QString::fromLatin1(text);
        try {
            StrToInt(bad);
            ADD_FAILURE() << "no error for " << text;
        } catch (const kx::EConvertError& e) {
            EXPECT_EQ(e.Message(), u'\'' + bad + QStringLiteral("' is not a valid integer value"));
        }
    }
}

} // namespace
