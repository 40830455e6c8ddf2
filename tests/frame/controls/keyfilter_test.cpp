#include "frame/controls/keyfilter.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

struct FilterCase {
    TEditTypes type;
    QChar key;
    QString text;
    int selStart;
    int selLength;
    QChar expected; // null: refused
};

class FilterEditKeyTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterEditKeyTest, TakesReplacesOrRefuses) {
    const FilterCase& c = GetParam();
    int maxLength = 0;
    EXPECT_EQ(FilterEditKey(c.type, c.key, c.text, c.selStart, c.selLength, maxLength), c.expected)
        << "type " << c.type << " key " << int(c.key.unicode()) << " text " << c.text.toStdString();
}

const QChar kRefused;

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterEditKeyTest,
    ::testing::Values(
        // Text types are never filtered.
        FilterCase{etString, u'a', "", 0, 0, u'a'}, FilterCase{etTime, u'中', "", 0, 0, u'中'},
        FilterCase{etPhone, u'#', "", 0, 0, u'#'},
        // Integers: digits, sign, backspace and Enter only.
        FilterCase{etInteger, u'7', "12", 2, 0, u'7'},
        FilterCase{etInteger, u'a', "12", 2, 0, kRefused},
        FilterCase{etInteger, u' ', "12", 2, 0, kRefused},
        FilterCase{etInteger, u'.', "12", 2, 0, kRefused},
        FilterCase{etInteger, QChar(8), "12", 2, 0, QChar(8)},
        FilterCase{etInteger, QChar(13), "12", 2, 0, QChar(13)},
        FilterCase{etInteger, QChar(22), "12", 2, 0, kRefused},
        FilterCase{etInteger, u'-', "3500", 1, 0, u'-'},
        FilterCase{etInteger, u'-', "12-", 3, 0, kRefused},
        FilterCase{etInteger, u'中', "", 0, 0, kRefused},
        // A selection from the first character lets any key replace it.
        FilterCase{etInteger, u'a', "12", 0, 2, u'a'}, FilterCase{etFloat, u'x', "3.5", 0, 3, u'x'},
        // ...but not a selection further on.
        FilterCase{etInteger, u'a', "123", 1, 2, kRefused},
        // Decimals: one point; commas group thousands and never become the point.
        FilterCase{etFloat, u'.', "35", 2, 0, u'.'}, FilterCase{etFloat, u',', "35", 2, 0, u','},
        FilterCase{etFloat, u',', "1,234", 5, 0, u','},
        FilterCase{etFloat, u'.', "1,234", 5, 0, u'.'},
        FilterCase{etFloat, u'.', "1.2", 3, 0, kRefused},
        FilterCase{etFloat, u'-', "-3", 2, 0, kRefused},
        FilterCase{etFloat, u'/', "3", 1, 0, kRefused},
        // Dates: digits, "-" and "/" whatever the selection.
        FilterCase{etDate, u'/', "2000", 4, 0, u'/'}, FilterCase{etDate, u'-', "2000-", 5, 0, u'-'},
        FilterCase{etDate, u'a', "2000", 0, 4, kRefused},
        FilterCase{etDate, u'.', "2000", 4, 0, kRefused},
        // "#", "$", "%" and the apostrophe belong to no number or date.
        FilterCase{etInteger, u'#', "1", 1, 0, kRefused},
        FilterCase{etInteger, u'\'', "1", 1, 0, kRefused},
        FilterCase{etFloat, u'$', "1", 1, 0, kRefused},
        FilterCase{etFloat, u'%', "1", 1, 0, kRefused},
        FilterCase{etDate, u'\'', "1", 1, 0, kRefused},
        FilterCase{etDate, u'#', "1", 1, 0, kRefused},
        // Escape stays the form's cancel key.
        FilterCase{etInteger, QChar(27), "1", 1, 0, QChar(27)}));

TEST(FilterEditKey, SignedIntegerGetsElevenCharactersOnlyOnce) {
    int maxLength = 0;
    FilterEditKey(etInteger, u'5', "35", 2, 0, maxLength);
    EXPECT_EQ(maxLength, 0);
    FilterEditKey(etInteger, u'-', "35", 0, 0, maxLength);
    EXPECT_EQ(maxLength, 11);
    maxLength = 6;
    FilterEditKey(etInteger, u'-', "35", 0, 0, maxLength);
    EXPECT_EQ(maxLength, 6);
    maxLength = 0;
    FilterEditKey(etInteger, u'1', "-3", 2, 0, maxLength);
    EXPECT_EQ(maxLength, 11);
}

TEST(EntryMaxLength, CapsDecimalsAndDates) {
    EXPECT_EQ(EntryMaxLength(etFloat, 0), 16);
    EXPECT_EQ(EntryMaxLength(etFloat, 8), 8);
    EXPECT_EQ(EntryMaxLength(etDate, 0), 10);
    EXPECT_EQ(EntryMaxLength(etDate, 30), 10);
    EXPECT_EQ(EntryMaxLength(etInteger, 0), 0);
    EXPECT_EQ(EntryMaxLength(etString, 5), 5);
}

} // namespace
} // namespace kx
