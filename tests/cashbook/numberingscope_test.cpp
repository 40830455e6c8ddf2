#include "cashbook/numberingscope.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

// The texts are pasted into the check's and the counter's statements as
// they are, blanks included.
TEST(NumberingScope, ConditionsByMode) {
    const struct {
        int mode;
        const char* check;
        const char* counter;
    } cases[] = {
        {0, " AND SUBSTRING(MONEY_TYPE_ID FROM 1  FOR 3)  = '001'",
         " SUBSTRING(MONEY_TYPE_ID FROM 1  FOR 3) = '001'"},
        {1, "", ""},
        {2, " AND MONEY_TYPE_ID = '001002'", " MONEY_TYPE_ID = '001002'"},
        {3, "", ""},
        {7, "", ""},
    };
    for (const auto& c : cases) {
        TNumberingScope scope{"old", "old"};
        EXPECT_TRUE(NumberingScopeFor(c.mode, "001002", "001", scope)) << c.mode;
        EXPECT_EQ(scope.CheckCondition, c.check) << c.mode;
        EXPECT_EQ(scope.CounterCondition, c.counter) << c.mode;
    }
}

TEST(NumberingScope, ModeZeroNeedsATopLevelSubject) {
    TNumberingScope scope{"kept", "kept"};
    EXPECT_FALSE(NumberingScopeFor(0, "", "", scope));
    EXPECT_EQ(scope.CheckCondition, "kept");
    EXPECT_TRUE(NumberingScopeFor(2, "", "", scope));
}

TEST(NumberingScope, QuotesInACodeAreDoubled) {
    TNumberingScope scope;
    NumberingScopeFor(2, "0'1", "", scope);
    EXPECT_EQ(scope.CounterCondition, " MONEY_TYPE_ID = '0''1'");
}

} // namespace
} // namespace kx
