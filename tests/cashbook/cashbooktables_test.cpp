#include "cashbook/cashbooktables.h"

#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

class CashbookTablesTest : public ::testing::Test {
protected:
    QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
};

TEST_F(CashbookTablesTest, SlotsAreSeededOnceInOrderWithTheirWindowsCaptions) {
    ASSERT_TRUE(SeedDefaultFieldSlots(TSlotCaptions::Ledger));
    EXPECT_FALSE(SeedDefaultFieldSlots(TSlotCaptions::List));
    EXPECT_EQ(
        Value("SELECT group_concat(FIELD_ORDER||':'||FIELD_NAME||':'||FIELD_DISPLAY_NAME||"
              "':'||FIELD_TYPE||':'||FIELD_FIND_TYPE||':'||FIELD_WIDTH||':'||"
              "FIELD_DISPLAY_WIDTH||':'||ifnull(FIELD_ORDER_TYPE,'-'), ' ') FROM "
              "(SELECT * FROM SYS_MONEY_FIELD_TABLE ORDER BY rowid)"),
        "1:MONEY_ID:记录编号:String:T:20:13:- 2:MONEY_DATE:借贷日期:Date:D:17:17:- "
        "3:MONEY_TEXT_FIELD1:摘要:String:DT:20:20:- "
        "5:MONEY_ACCOUNT_NAME:资金账号:String:DT:20:20:- "
        "6:MONEY_INTO_NUMBER:借款金额:Float:T:0:10:- 7:MONEY_OUT_NUMBER:贷款金额:Float:T:0:10:- "
        "8:MONEY_EMPLOYEE_NAME:经办人员:String:DT:20:20:- "
        "21:MONEY_TEXT_NOTE:备注:String:T:160:80:-");
    EXPECT_EQ(DefaultFieldSlots(TSlotCaptions::List)[4].DisplayName, "借入金额");
    EXPECT_EQ(DefaultFieldSlots(TSlotCaptions::List)[5].DisplayName, "贷出金额");
}

TEST_F(CashbookTablesTest, LaterMonthTextSortsLater) {
    EXPECT_EQ(Value("SELECT '2008年10月' > '2008年09月'"), "1");
    EXPECT_EQ(Value("SELECT '2009年01月' > '2008年12月'"), "1");
}

} // namespace
} // namespace kx::cashbook
