#include "cashbook/ledgermonth.h"

#include "core/options.h"
#include "platform/sys/exception.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

class LedgerMonthTest : public ::testing::Test {
protected:
    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
};

struct MonthCase {
    const char* closingDay; // nullptr: no option row
    const char* date;
    const char* month;
    const char* start;
    const char* end;
};

TEST_F(LedgerMonthTest, DateFallsInItsLedgerMonth) {
    const MonthCase cases[] = {
        {nullptr, "2008-02-15", "2008年02月", "02/01/2008", "02/29/2008"},
        {"0", "2008-02-15", "2008年02月", "02/01/2008", "02/29/2008"},
        {"32", "2008-02-15", "2008年02月", "02/01/2008", "02/29/2008"},
        {"abc", "2009-02-15", "2009年02月", "02/01/2009", "02/28/2009"},
        {"31", "2008-01-31", "2008年01月", "01/01/2008", "01/31/2008"},
        {"31", "2008-12-31", "2008年12月", "12/01/2008", "12/31/2008"},
        {"30", "2008-12-31", "2009年01月", "12/31/2008", "01/30/2009"},
        {"30", "2009-01-05", "2009年01月", "12/31/2008", "01/30/2009"},
        {"30", "2008-02-15", "2008年02月", "01/31/2008", "02/29/2008"},
        {"30", "2008-03-01", "2008年03月", "03/01/2008", "03/30/2008"},
        {"30", "2008-03-31", "2008年04月", "03/31/2008", "04/30/2008"},
        {"28", "2008-08-29", "2008年09月", "08/29/2008", "09/28/2008"},
        {"28", "2008-09-28", "2008年09月", "08/29/2008", "09/28/2008"},
        {"28", "2008-09-29", "2008年10月", "09/29/2008", "10/28/2008"},
        {"28", "2008-02-29", "2008年03月", "02/29/2008", "03/28/2008"},
        {"28", "2009-03-01", "2009年03月", "03/01/2009", "03/28/2009"},
        {"28.4", "2008-09-28", "2008年09月", "08/29/2008", "09/28/2008"},
        {"1", "2008-12-02", "2009年01月", "12/02/2008", "01/01/2009"},
    };
    for (const MonthCase& c : cases) {
        if (c.closingDay)
            SetOption("GACCOUNT_DAY", c.closingDay);
        QString month, start, end;
        EXPECT_TRUE(GetLedgerMonth(c.date, month, start, end));
        EXPECT_EQ(QStringList({month, start, end}), QStringList({c.month, c.start, c.end}))
            << (c.closingDay ? c.closingDay : "missing") << " " << c.date;
    }
}

TEST_F(LedgerMonthTest, TextThatIsNoDateRaises) {
    QString month, start, end;
    EXPECT_THROW(GetLedgerMonth("2008-02-30", month, start, end), EConvertError);
}

TEST(ClosingDayItems, MapBetweenOptionAndList) {
    const std::pair<const char*, int> indexes[] = {{"28", 27}, {"1", 0},   {"31", 30}, {"0", -1},
                                                   {"", -1},   {"32", -1}, {"x", -1}};
    for (const auto& [option, index] : indexes)
        EXPECT_EQ(ClosingDayItemIndex(option), index) << option;
    const std::pair<const char*, const char*> texts[] = {
        {"28号", "28"}, {" 5号 ", "5"}, {"31号", "31"}, {"", "0"}, {"  ", "0"}};
    for (const auto& [item, option] : texts)
        EXPECT_EQ(ClosingDayOptionText(item), option) << item;
}

} // namespace
} // namespace kx::cashbook
