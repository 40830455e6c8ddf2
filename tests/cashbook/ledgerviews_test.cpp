#include "cashbook/ledgerviews.h"

#include "cashbook/unverifiedcolors.h"

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

TEST(LedgerBalance, IsCarriedOverPlusInMinusOutInTwoDecimals) {
    const struct {
        const char *prior, *in, *out;
        double balance;
    } cases[] = {
        {"100", "50.5", "20", 130.5},
        {"100", "50.5", "", 150.5},
        {"", "1,000", "", 1000},
        {"abc", "5", "2", 3},
        {"10", "", "25.5", -15.5},
        {"0.004", "0.002", "", 0.01},
        {"", "", "", 0},
    };
    for (const auto& c : cases) {
        const QString text = LedgerBalanceText(c.prior, c.in, c.out);
        EXPECT_DOUBLE_EQ(text.toDouble(), c.balance) << c.prior << " " << c.in << " " << c.out;
        EXPECT_LE(text.section(u'.', 1).size(), 2) << text.toStdString();
    }
}

TEST(LedgerListSql, FiltersByConditionAndChosenAccount) {
    const QString day = "SELECT DISTINCT B.ORDER_ID,B.MONEY_ACCOUNT_NAME,A.* FROM "
                        "KX_MONEY_DAY_TABLE A,KX_MONEY_ACCOUNT_TABLE B WHERE A.MONEY_ACCOUNT_ID "
                        "= B.MONEY_ACCOUNT_ID";
    EXPECT_EQ(LedgerListSql(TLedgerView::Day, {}, LedgerAccountFilter(false, "G001")), day);
    EXPECT_EQ(
        LedgerListSql(TLedgerView::Day, "(A.STATUS = '已审核')", LedgerAccountFilter(true, "001")),
        day + " AND (A.STATUS = '已审核') AND  (A.MONEY_ACCOUNT_ID = '001') ");
    EXPECT_EQ(LedgerListSql(TLedgerView::Month, kNoRowsCondition, {}),
              QString(day).replace("KX_MONEY_DAY_TABLE", "KX_MONEY_MONTH_TABLE") +
                  " AND A.MONEY_ACCOUNT_ID ='MONEY_ACCOUNT_ID'");
    // An account id is quoted, never pasted as it stands.
    EXPECT_EQ(LedgerAccountFilter(true, "0'1"), " (A.MONEY_ACCOUNT_ID = '0''1') ");
    EXPECT_EQ(FindConditionSql({}), "");
    EXPECT_EQ(FindConditionSql({"A.STATUS = '已审核'", " and A.NOTE = 'x'"}),
              "(A.STATUS = '已审核' and A.NOTE = 'x')");
}

TEST(LedgerRules, DescribeEachViewInSeventeenEntries) {
    for (bool financial : {true, false}) {
        const TFieldsDataArray day = LedgerFieldsData(TLedgerView::Day, financial);
        const TFieldsDataArray month = LedgerFieldsData(TLedgerView::Month, financial);
        ASSERT_EQ(day.Count(), 17);
        ASSERT_EQ(month.Count(), 17);
        EXPECT_EQ(day[14].FieldName, "MONEY_ACCOUNT_ID");
        EXPECT_FALSE(day[14].Visible);
        EXPECT_TRUE(day[15].FieldName.isEmpty());
        EXPECT_EQ(month[16].FieldName, "MONEY_ACCOUNT_ID");
        EXPECT_EQ(month[1].FieldName, "MONEY_MONTH");
        EXPECT_TRUE(month[3].Required && month[4].Required && month[2].Required);
        for (int i : {3, 4, 5, 6}) {
            EXPECT_EQ(day[i].TypeCode, "N");
            EXPECT_EQ(day[i].FooterValue, "@Sum");
            EXPECT_EQ(day[i].MoneyCell, financial);
            EXPECT_EQ(day[i].DigitCount, financial ? 12 : 0);
            EXPECT_EQ(day[i].DisplayWidth, financial ? 21 : 0);
        }
        // Searchable fields are named as columns of the ledger table A.
        for (const TFieldsData& rule : day)
            EXPECT_EQ(rule.TableAlias, rule.FindKind.isEmpty() ? "" : "A")
                << rule.FieldName.toStdString();
        EXPECT_EQ(day[2].FindKind, "");
        EXPECT_EQ(day[0].FindKey, "已审核;未审核");
    }
    const TPrintFieldsArray printed =
        LedgerPrintFields(TLedgerView::Month, LedgerFieldsData(TLedgerView::Month, true));
    ASSERT_EQ(printed.size(), 17u);
    EXPECT_EQ(printed[15].FieldName, "EDIT_DATE");
    EXPECT_EQ(printed[15].DataSetName, "D");
    EXPECT_TRUE(printed[16].FieldName.isEmpty());
}

TEST(LedgerDuplicateCheck, ComparesAccountAndDayOrMonth) {
    const TCheckData day = LedgerDuplicateCheck(TLedgerView::Day)[0];
    EXPECT_EQ(day.BaseSelect, "SELECT MONEY_DAY_DATE FROM KX_MONEY_DAY_TABLE WHERE ");
    EXPECT_EQ(day.Links[0].Kind, "D");
    EXPECT_EQ(day.Links[1].FieldName, "MONEY_ACCOUNT_ID");
    EXPECT_EQ(day.Message, kDayDuplicateMessage);
    const TCheckData month = LedgerDuplicateCheck(TLedgerView::Month)[0];
    EXPECT_EQ(month.Links[0].FieldName, "MONEY_MONTH");
    EXPECT_EQ(month.Links[0].Kind, "C");
    EXPECT_EQ(month.Message, kMonthDuplicateMessage);
    EXPECT_TRUE(day.MustNotExist && month.MustNotExist);
}

TEST(LedgerMonthText, HasFourDigitYearAndTwoDigitMonth) {
    EXPECT_EQ(LedgerMonthText(QDate(2008, 9, 3)), "2008年09月");
    EXPECT_EQ(LedgerMonthText(QDate(2010, 12, 31)), "2010年12月");
    EXPECT_EQ(PickedMonthText("2008", "02"), "2008年02月");
}

TEST(LedgerColors, UnverifiedRowsStandOut) {
    ui::TColor brush = ui::clWindow;
    ui::TColor font = ui::clBlack;
    LedgerCellColors("已审核", brush, font);
    EXPECT_EQ(brush, ui::clWindow);
    LedgerCellColors("未审核", brush, font);
    EXPECT_EQ(brush, kUnverifiedColor);
    EXPECT_EQ(font, ui::clWindowText);
    brush = ui::clHighlight;
    font = ui::clHighlightText;
    LedgerCellColors("未审核", brush, font);
    EXPECT_EQ(brush, ui::clHighlight);
    EXPECT_EQ(font, kUnverifiedColor);
    EXPECT_EQ(LedgerStatusBarColor("未审核"), 0xFFD2FFu);
    EXPECT_EQ(LedgerStatusBarColor("已审核"), 12902881u);
}

} // namespace
} // namespace kx::cashbook
