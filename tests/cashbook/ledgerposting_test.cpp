#include "cashbook/ledgerposting.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/options.h"
#include "core/sqlfunctions.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

// A message as the box shows it: each CR LF or LF CR pair is one line break.
QStringList Shown(const QString& text) {
    return {QString(text)
                .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                .replace(QLatin1String("\n\r"), QLatin1String("\n"))};
}

class LedgerPostingTest : public ::testing::Test {
protected:
    LedgerPostingTest() {
        AppUserName = QStringLiteral("王会计");
        AppToday = QStringLiteral("2008-09-30");
    }

    void Exec(const QString& sql) { test::ExecOnFile(data_.Folder.DatabaseFile(), sql); }
    QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }

    bool Post(const char* date, const char* in, const char* out, bool post = true,
              const TStampRecord& stamp = {}) {
        return PostMoneyToLedgers(date, "001", "现金", in, out, post, stamp);
    }

    // prior/in/out/balance of the account's row, status last.
    QString MonthRow(const char* month) {
        return Value(QStringLiteral("SELECT printf('%.2f/%.2f/%.2f/%.2f ',PRIOR_MONTH_MONEY,"
                                    "INTO_MONTH_MONEY,OUT_MONTH_MONEY,TODAY_MONTH_MONEY)||STATUS "
                                    "FROM KX_MONEY_MONTH_TABLE WHERE MONEY_ACCOUNT_ID='001' AND "
                                    "MONEY_MONTH='%1'")
                         .arg(month));
    }
    QString DayRow(const char* date) {
        return Value(QStringLiteral("SELECT printf('%.2f/%.2f/%.2f/%.2f ',PRIOR_DAY_MONEY,"
                                    "INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY)||STATUS FROM "
                                    "KX_MONEY_DAY_TABLE WHERE MONEY_ACCOUNT_ID='001' AND "
                                    "MONEY_DAY_DATE='%1'")
                         .arg(date));
    }
    // Every ledger row, so a test sees any change at all.
    QString Ledgers() {
        return Value("SELECT group_concat(r, ';') FROM (SELECT MONEY_MONTH||MONEY_ACCOUNT_ID||"
                     "STATUS||MONEY_START_DATE||MONEY_END_DATE||PRIOR_MONTH_MONEY||"
                     "INTO_MONTH_MONEY||OUT_MONTH_MONEY||TODAY_MONTH_MONEY AS r FROM "
                     "KX_MONEY_MONTH_TABLE UNION ALL SELECT MONEY_DAY_DATE||MONEY_ACCOUNT_ID||"
                     "STATUS||PRIOR_DAY_MONEY||INTO_DAY_MONEY||OUT_DAY_MONEY||TODAY_DAY_MONEY "
                     "FROM KX_MONEY_DAY_TABLE)");
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
};

TEST_F(LedgerPostingTest, FirstPostCreatesUnverifiedRowsCarryingZero) {
    Exec("INSERT INTO KX_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME,"
         "START_MONEY_ACCOUNT) VALUES('001','G001','现金',500)");
    ASSERT_TRUE(Post("2008-09-10", "150.5", "20"));
    EXPECT_EQ(MonthRow("2008年09月"), "0.00/150.50/20.00/130.50 未审核");
    EXPECT_EQ(DayRow("2008-09-10"), "0.00/150.50/20.00/130.50 未审核");
    EXPECT_EQ(Value("SELECT MONEY_START_DATE||' '||MONEY_END_DATE||' '||CREATE_NAME||' '||"
                    "CREATE_DATE FROM KX_MONEY_MONTH_TABLE"),
              "2008-09-01 2008-09-30 王会计 2008-09-30");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(LedgerPostingTest, EarlierPostCarriesEarlierBalanceAndShiftsLaterRows) {
    ASSERT_TRUE(Post("2008-10-05", "100", "0"));
    ASSERT_TRUE(Post("2008-08-20", "5", "0"));
    ASSERT_TRUE(Post("2008-09-10", "0", "30"));
    EXPECT_EQ(MonthRow("2008年08月"), "0.00/5.00/0.00/5.00 未审核");
    EXPECT_EQ(MonthRow("2008年09月"), "5.00/0.00/30.00/-25.00 未审核");
    EXPECT_EQ(MonthRow("2008年10月"), "-25.00/100.00/0.00/75.00 未审核");
    EXPECT_EQ(DayRow("2008-09-10"), "5.00/0.00/30.00/-25.00 未审核");
    EXPECT_EQ(DayRow("2008-10-05"), "-25.00/100.00/0.00/75.00 未审核");

    ASSERT_TRUE(Post("2008-09-10", "0.125", "10"));
    EXPECT_EQ(DayRow("2008-09-10"), "5.00/0.13/40.00/-34.88 未审核");
    EXPECT_EQ(MonthRow("2008年10月"), "-34.88/100.00/0.00/65.12 未审核");
}

TEST_F(LedgerPostingTest, TakeBackSubtractsAndKeepsTheRows) {
    ASSERT_TRUE(Post("2008-09-10", "0", "30"));
    ASSERT_TRUE(Post("2008-10-05", "100", "0"));
    ASSERT_TRUE(Post("2008-09-10", "0", "30", false));
    EXPECT_EQ(MonthRow("2008年09月"), "0.00/0.00/0.00/0.00 未审核");
    EXPECT_EQ(MonthRow("2008年10月"), "0.00/100.00/0.00/100.00 未审核");
    EXPECT_EQ(DayRow("2008-09-10"), "0.00/0.00/0.00/0.00 未审核");
    EXPECT_EQ(DayRow("2008-10-05"), "0.00/100.00/0.00/100.00 未审核");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM KX_MONEY_DAY_TABLE"), "2");
}

struct RefusalCase {
    const char* name;
    const char* closingDay;
    const char* rows;
    const char* date;
    bool post;
    const char* message;
};

TEST_F(LedgerPostingTest, EveryRefusalChangesNothing) {
    const char* september = "INSERT INTO KX_MONEY_MONTH_TABLE(MONEY_MONTH,MONEY_ACCOUNT_ID,STATUS,"
                            "MONEY_START_DATE,MONEY_END_DATE,PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,"
                            "OUT_MONTH_MONEY,TODAY_MONTH_MONEY) VALUES";
    const RefusalCase cases[] = {
        {"two month rows", "0",
         "('2008年09月','001','未审核','2008-09-01','2008-09-30',0,0,0,0),"
         "('2008年10月','001','未审核','2008-09-05','2008-10-31',0,0,0,0)",
         "2008-09-10", true,
         "帐款日期:2008-09-10\n\r资金账号:现金\r\n该日期包含在 2 个台帐记录里,"
         "请先修改这些台帐的起始和结束日期范围"},
        {"row of another month", "28",
         "('2008年09月','001','未审核','2008-09-01','2008-09-30',0,0,0,0)", "2008-09-29", false,
         "帐款日期:2008-09-29\n\r资金账号:现金\r\n台帐年月:2008年10月\r\n"
         "该帐款日期在台帐里记录包含在台帐年月 2008年09月 里\r\n请先修改台帐里的台帐年月"},
        {"verified month", "0", "('2008年09月','001','已审核','2008-09-01','2008-09-30',0,0,0,0)",
         "2008-09-10", true,
         "资金账号:现金\r\n台帐年月:2008年09月\r\n"
         "台帐数据库中该年月该资金账号的台帐记录是已审核的，不能审核该项收支记录"},
        {"same month, other range", "0",
         "('2008年09月','001','未审核','2008-09-05','2008-09-30',0,0,0,0)", "2008-09-02", true,
         "资金账号:现金\r\n台帐年月:2008年09月\r\n日期范围 09/01/2008 <----> 09/30/2008\r\n"
         "台帐年月:2008年09月\r\n日期范围 2008-09-05 <----> 2008-09-30\r\n"
         "同一台帐年月,不同的日期范围,不能审核记录,请修改台帐里面的该台帐年月的日期范围"},
    };
    for (const RefusalCase& c : cases) {
        Exec("DELETE FROM KX_MONEY_MONTH_TABLE");
        Exec(QString::fromUtf8(september) + QString::fromUtf8(c.rows));
        SetOption("GACCOUNT_DAY", c.closingDay);
        messages_.Clear();
        const QString before = Ledgers();
        bool stamped = false;
        EXPECT_FALSE(Post(c.date, "10", "0", c.post, [&] { return stamped = true; })) << c.name;
        EXPECT_EQ(messages_.Texts(), Shown(c.message)) << c.name;
        EXPECT_EQ(Ledgers(), before) << c.name;
        EXPECT_FALSE(stamped) << c.name;
    }
}

TEST_F(LedgerPostingTest, VerifiedDayRowRefusesAndMonthStaysUntouched) {
    ASSERT_TRUE(Post("2008-09-10", "10", "0"));
    Exec("UPDATE KX_MONEY_DAY_TABLE SET STATUS='已审核'");
    const QString before = Ledgers();
    for (bool post : {true, false}) {
        messages_.Clear();
        EXPECT_FALSE(Post("2008-09-10", "10", "0", post));
        EXPECT_EQ(messages_.Texts(), Shown("资金账号:现金\r\n台帐日期:2008-09-10\r\n"
                                           "台帐数据库中该年月该资金账号的台帐记录是已审核的，"
                                           "不能审核该项收支记录"));
        EXPECT_EQ(Ledgers(), before);
    }
}

TEST_F(LedgerPostingTest, FailingDayStatementRollsBackTheMonthStage) {
    ASSERT_TRUE(Post("2008-10-05", "100", "0"));
    Exec("CREATE TRIGGER fail_day BEFORE INSERT ON KX_MONEY_DAY_TABLE "
         "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    const QString before = Ledgers();
    bool stamped = false;
    EXPECT_FALSE(Post("2008-09-10", "10", "0", true, [&] { return stamped = true; }));
    EXPECT_EQ(messages_.Texts(), QStringList{"修改资金进出日台帐数据库时发生错误"});
    EXPECT_EQ(Ledgers(), before);
    EXPECT_FALSE(stamped);
}

TEST_F(LedgerPostingTest, StampSharesThePostingsTransaction) {
    Exec("INSERT INTO KX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,STATUS) "
         "VALUES('080910120000','1','001','未审核')");
    const auto stampVerified = [&](bool succeeds) {
        return [this, succeeds] {
            ExecSqlText(kDatabaseName, "UPDATE KX_INTO_OUT_MONEY_TABLE SET STATUS='已审核'");
            return succeeds;
        };
    };
    const QString before = Ledgers();
    EXPECT_FALSE(Post("2008-09-10", "10", "0", true, stampVerified(false)));
    EXPECT_EQ(Ledgers(), before);
    EXPECT_EQ(Value("SELECT STATUS FROM KX_INTO_OUT_MONEY_TABLE"), "未审核");

    EXPECT_THROW(
        Post("2008-09-10", "10", "0", true, []() -> bool { throw std::runtime_error("x"); }),
        std::runtime_error);
    EXPECT_EQ(Ledgers(), before);

    EXPECT_TRUE(Post("2008-09-10", "10", "0", true, stampVerified(true)));
    EXPECT_EQ(Value("SELECT STATUS FROM KX_INTO_OUT_MONEY_TABLE"), "已审核");
    EXPECT_EQ(DayRow("2008-09-10"), "0.00/10.00/0.00/10.00 未审核");
}

TEST_F(LedgerPostingTest, QuoteInAccountCodeStaysInsideItsLiteral) {
    EXPECT_TRUE(PostMoneyToLedgers("2008-09-10", "0'1", "现金", "10", "0", true));
    EXPECT_EQ(Value("SELECT MONEY_ACCOUNT_ID FROM KX_MONEY_DAY_TABLE"), "0'1");
}

} // namespace
} // namespace kx::cashbook
