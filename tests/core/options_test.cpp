#include "core/options.h"

#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "tests/core/programfixture.h"

#include <QDate>

#include <gtest/gtest.h>

namespace kx {
namespace {

class OptionsTest : public ::testing::Test {
protected:
    void Exec(const QString& sql) { test::ExecOnFile(data_.Folder.DatabaseFile(), sql); }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
};

TEST_F(OptionsTest, YesIsExactlyYes) {
    Exec("INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('a', '是'), ('b', '否'), "
         "('c', ''), ('d', '是 ')");
    EXPECT_TRUE(IsOptionYes("a"));
    for (const char* name : {"b", "c", "d", "missing"})
        EXPECT_FALSE(IsOptionYes(name)) << name;
    EXPECT_EQ(GetOption("b"), "否");
    EXPECT_EQ(GetOptionText("missing"), "");
}

TEST_F(OptionsTest, SetInsertsThenUpdatesAnyText) {
    SetOption("整页打印", "是");
    EXPECT_TRUE(IsOptionYes("整页打印"));
    SetOption("整页打印", "否");
    EXPECT_EQ(GetOption("整页打印"), "否");
    SetOption("it's", "a'b");
    EXPECT_EQ(GetOption("it's"), "a'b");
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName, "SELECT COUNT(*) FROM SYS_ID_TABLE"), "2");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(OptionsTest, FailedWriteIsToldAndNothingIsRaised) {
    Exec("CREATE TRIGGER NO_OPTIONS BEFORE INSERT ON SYS_ID_TABLE BEGIN SELECT RAISE(ABORT, "
         "'refused'); END");
    SetOption("GACCOUNT_DAY", "25");
    EXPECT_EQ(messages_.Texts(), QStringList{"参数保存过程发生错误"});
    EXPECT_EQ(messages_.Requests().first().owner, nullptr);
    EXPECT_EQ(GetOption("GACCOUNT_DAY"), "");
}

TEST_F(OptionsTest, NumberingModeIsOneUnlessStored) {
    const struct {
        const char* stored;
        int mode;
    } cases[] = {{nullptr, 1}, {"", 1}, {"2", 2}, {"0", 0}, {"3", 3}};
    for (const auto& c : cases) {
        Exec("DELETE FROM SYS_ID_TABLE");
        if (c.stored)
            SetOption("分类编号", c.stored);
        AppNumberingMode = -1;
        LoadNumberingMode();
        EXPECT_EQ(AppNumberingMode, c.mode) << (c.stored ? c.stored : "missing");
    }
}

TEST_F(OptionsTest, TodayIsTheMachinesDate) {
    AppToday.clear();
    RefreshToday();
    EXPECT_EQ(AppToday, QDate::currentDate().toString("yyyy-MM-dd"));
}

TEST(TreeClauses, SelectASubtreeByItsCode) {
    EXPECT_EQ(MoneyTypePrefixClause("001002", 2),
              " SUBSTRING(MONEY_TYPE_ID FROM 1  FOR  6) = '001002'");
    EXPECT_EQ(MoneyTypePrefixClause("001", 1, "A"),
              " SUBSTRING(A.MONEY_TYPE_ID FROM 1  FOR  3) = '001'");
    EXPECT_EQ(MoneyTypePrefixClause("001", 0), "");
    EXPECT_EQ(MoneyTypeCodeClause("001002003"),
              " SUBSTRING(MONEY_TYPE_ID FROM 1  FOR  9) = '001002003'");
    EXPECT_EQ(MoneyTypeCodeClause(""), "");
    EXPECT_EQ(CompanyPrefixClause("001", 1), " SUBSTRING(COMPANY_ID FROM 1  FOR  3) = '001'");
    EXPECT_EQ(CompanyPrefixClause("001002", 2, "B"),
              " SUBSTRING(B.COMPANY_ID FROM  1  FOR  6) = '001002'");
    EXPECT_EQ(CompanyPrefixClause("0'1", 1), " SUBSTRING(COMPANY_ID FROM 1  FOR  3) = '0''1'");
}

TEST_F(OptionsTest, PathsAndTopSubjectWalkTheStoredTree) {
    Exec("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, MONEY_TYPE_NAME) "
         "VALUES ('001', 'G001', '收入'), ('001002', '001', '销售'), ('001002003', '001002', "
         "'零售'), ('900', '901', '甲'), ('901', '900', '乙')");
    Exec("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME) VALUES "
         "('G001', 'G002', '岚衡公司'), ('001', 'G001', '财务部'), ('001001', '001', '出纳组')");
    EXPECT_EQ(GetMoneyTypePath("001002003"), "收入-销售-零售");
    EXPECT_EQ(GetMoneyTypePath("001"), "收入");
    EXPECT_EQ(GetMoneyTypePath("404"), "");
    EXPECT_EQ(GetTopMoneyType("001002003"), "001");
    EXPECT_EQ(GetTopMoneyType("001"), "001");
    EXPECT_EQ(GetTopMoneyType("G001"), "");
    EXPECT_EQ(GetTopMoneyType("404"), "");
    EXPECT_EQ(GetCompanyPath("001001"), "财务部出纳组");
    EXPECT_EQ(GetCompanyPath("001"), "财务部");
    EXPECT_EQ(GetCompanyPath2("G001"), "岚衡公司");
    // A loop in the stored tree ends the walk instead of the program.
    EXPECT_EQ(GetMoneyTypePath("900"), "-乙-甲");
    EXPECT_EQ(GetTopMoneyType("900"), "");
}

} // namespace
} // namespace kx
