#include "cashbook/recordcolumns.h"
#include "core/appstate.h"
#include "tests/cashbook/slotrows.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

using test::FirstRunSlots;
using test::Slot;

QStringList RuleNames(const TFieldsDataArray& fields) {
    QStringList names;
    for (const TFieldsData& rule : fields)
        if (!rule.FieldName.isEmpty())
            names << rule.FieldName;
    return names;
}

QStringList PrintNames(const TPrintFieldsArray& printFields) {
    QStringList names;
    for (const TPrintFields& entry : printFields)
        if (!entry.FieldName.isEmpty())
            names << entry.FieldName;
    return names;
}

const TFieldsData& RuleOf(const TFieldsDataArray& fields, const QString& name) {
    for (const TFieldsData& rule : fields)
        if (rule.FieldName == name)
            return rule;
    throw std::runtime_error("no rule " + name.toStdString());
}

class RecordColumnsTest : public ::testing::Test {
protected:
    void SetUp() override { AppFieldCaptions.clear(); }
    void TearDown() override { AppFieldCaptions.clear(); }
    TFieldsDataArray fields_;
    TPrintFieldsArray print_;
};

// The fields of the record data set that have a rule show, in the order
// the slots give them while no layout is stored.
TEST_F(RecordColumnsTest, DefaultSlotsGiveTheStatedColumnOrder) {
    BuildDrillDownColumns(FirstRunSlots(), true, fields_, print_);
    const QStringList ruled = RuleNames(fields_);
    QStringList shown;
    for (const QString& field : OrderFieldsByLayout(RecordFieldDesignOrder(), FirstRunSlots()))
        if (ruled.contains(field))
            shown << field;
    EXPECT_EQ(shown, QStringList({"STATUS", "MONEY_ID", "MONEY_TYPE_NAME", "MONEY_DATE",
                                  "MONEY_TEXT_FIELD1", "MONEY_ACCOUNT_NAME", "MONEY_INTO_NUMBER",
                                  "MONEY_OUT_NUMBER", "MONEY_SUM_NUMBER", "MONEY_EMPLOYEE_NAME",
                                  "MONEY_TEXT_NOTE", "VERIFY_NAME", "VERIFY_DATE", "EDIT_NAME",
                                  "EDIT_DATE", "CREATE_NAME", "CREATE_DATE"}));
}

TEST_F(RecordColumnsTest, FieldMovesClampAndSkipUnknownFields) {
    const QStringList order = {"STATUS", "A", "B", "C", "MONEY_OUT_NUMBER", "MONEY_SUM_NUMBER"};
    // Slot 1 names a field the list lacks; slot 2's goes to position 3; the
    // balance stays after the amount out.
    EXPECT_EQ(OrderFieldsByLayout(order, {Slot("1", "X", "", "T"), Slot("2", "A", "", "T")}),
              QStringList({"STATUS", "B", "C", "A", "MONEY_OUT_NUMBER", "MONEY_SUM_NUMBER"}));
    TMoneyFieldSlots many;
    for (int n = 0; n < 9; ++n)
        many << Slot(QString::number(n + 1), "Y", "", "T");
    many << Slot("10", "B", "", "T");
    EXPECT_EQ(OrderFieldsByLayout(order, many).last(), "B");
}

TEST_F(RecordColumnsTest, FieldTypeCodes) {
    const std::pair<const char*, const char*> cases[] = {
        {"String", "C"}, {"Integer", "N"}, {"Float", "N"}, {"Date", "D"}, {"Memo", "C"}, {"", "C"}};
    for (const auto& [type, code] : cases)
        EXPECT_EQ(FieldTypeCode(type), code) << type;
}

TEST_F(RecordColumnsTest, ListColumnsInFinancialFormat) {
    TSortChoices sort;
    BuildListColumns(FirstRunSlots(), true, fields_, print_, sort);
    EXPECT_EQ(fields_.Count(), 38);
    EXPECT_EQ(print_.size(), 38u);
    EXPECT_EQ(
        RuleNames(fields_),
        QStringList({"STATUS", "MONEY_ID", "MONEY_DATE", "MONEY_TEXT_FIELD1", "MONEY_ACCOUNT_NAME",
                     "MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER", "MONEY_EMPLOYEE_NAME",
                     "MONEY_TEXT_NOTE", "MONEY_TYPE_NAME", "VERIFY_NAME", "VERIFY_DATE",
                     "CREATE_NAME", "CREATE_DATE", "EDIT_NAME", "EDIT_DATE"}));
    const TFieldsData& status = fields_[0];
    EXPECT_EQ(status.DisplayLabel, "状态");
    EXPECT_EQ(status.DisplayWidth, 8);
    EXPECT_TRUE(status.Required);
    EXPECT_EQ(status.FindKind, "B");
    EXPECT_EQ(status.FindKey, "未审核;已审核");
    EXPECT_EQ(status.FooterValue, "合计");
    EXPECT_EQ(RuleOf(fields_, "MONEY_ID").FooterValue, "@Count");
    EXPECT_EQ(RuleOf(fields_, "MONEY_ID").DisplayWidth, 13);
    EXPECT_EQ(RuleOf(fields_, "MONEY_DATE").TypeCode, "D");
    EXPECT_EQ(RuleOf(fields_, "MONEY_ACCOUNT_NAME").FindKind, "ESB");
    EXPECT_EQ(RuleOf(fields_, "MONEY_ACCOUNT_NAME").FindKey, "MONEY_ACCOUNT_ID");
    for (const char* amount : {"MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER"}) {
        const TFieldsData& rule = RuleOf(fields_, amount);
        EXPECT_TRUE(rule.MoneyCell);
        EXPECT_EQ(rule.DigitCount, 11);
        EXPECT_EQ(rule.DisplayWidth, 21);
        EXPECT_EQ(rule.FooterValue, "@Sum");
    }
    EXPECT_TRUE(RuleOf(fields_, "MONEY_TYPE_NAME").FindKind.isEmpty());
    EXPECT_EQ(RuleOf(fields_, "CREATE_DATE").FindKind, "D");
    EXPECT_EQ(print_[0].DataSetName, "D");
    EXPECT_EQ(print_[9].FieldName, "MONEY_TYPE_NAME");
    EXPECT_EQ(print_[9].DataSetName, "M");
    EXPECT_TRUE(print_[9].InMaster && print_[9].InDetail);
    EXPECT_TRUE(sort.Fields.isEmpty());
}

TEST_F(RecordColumnsTest, ListAmountsWithoutFinancialFormatKeepTheirSlotWidth) {
    TSortChoices sort;
    BuildListColumns(FirstRunSlots(), false, fields_, print_, sort);
    const TFieldsData& amount = RuleOf(fields_, "MONEY_INTO_NUMBER");
    EXPECT_FALSE(amount.MoneyCell);
    EXPECT_EQ(amount.DisplayWidth, 10);
    EXPECT_EQ(amount.TypeCode, "N");
    EXPECT_EQ(amount.FooterValue, "@Sum");
}

// The account name is looked up, so a list sorted by it sorts by the code.
TEST_F(RecordColumnsTest, SortChoicesFollowFlaggedSlotsAndSortAccountsByCode) {
    TMoneyFieldSlots slotRows = FirstRunSlots();
    slotRows[1].OrderType = "是";
    slotRows[3].OrderType = "是";
    slotRows[4].OrderType = "否";
    TSortChoices sort;
    BuildListColumns(slotRows, true, fields_, print_, sort);
    EXPECT_EQ(sort.Captions, QStringList({"借贷日期", "资金账号"}));
    EXPECT_EQ(sort.Fields, QStringList({"MONEY_DATE", "MONEY_ACCOUNT_ID"}));
}

TEST_F(RecordColumnsTest, CaptionsOfFreeColumnsAreRemembered) {
    TMoneyFieldSlots slotRows = FirstRunSlots();
    slotRows << Slot("9", "MONEY_NUMBER_FIELD3", "件数", "T", "Float")
             << Slot("10", "MONEY_DATE_FIELD2", "到期日", "D", "Date");
    TSortChoices sort;
    BuildListColumns(slotRows, true, fields_, print_, sort);
    EXPECT_EQ(AppFieldCaptions.value("MONEY_TEXT_FIELD1"), "摘要");
    EXPECT_EQ(AppFieldCaptions.value("MONEY_NUMBER_FIELD3"), "件数");
    EXPECT_EQ(AppFieldCaptions.value("MONEY_DATE_FIELD2"), "到期日");
    EXPECT_FALSE(AppFieldCaptions.contains("MONEY_INTO_NUMBER"));
    EXPECT_FALSE(AppFieldCaptions.contains("MONEY_ACCOUNT_NAME"));
}

TEST_F(RecordColumnsTest, DrillDownPutsTheBalanceAfterTheAmountOut) {
    BuildDrillDownColumns(FirstRunSlots(), false, fields_, print_);
    EXPECT_EQ(print_.size(), 48u);
    const QStringList names = RuleNames(fields_);
    EXPECT_EQ(names.indexOf("MONEY_SUM_NUMBER"), names.indexOf("MONEY_OUT_NUMBER") + 1);
    const TFieldsData& balance = RuleOf(fields_, "MONEY_SUM_NUMBER");
    EXPECT_EQ(balance.DisplayLabel, "资金余额");
    EXPECT_EQ(balance.DisplayWidth, 10);
    EXPECT_TRUE(RuleOf(fields_, "STATUS").FindKind.isEmpty());
    EXPECT_EQ(
        PrintNames(print_),
        QStringList({"STATUS", "MONEY_ID", "MONEY_DATE", "MONEY_TEXT_FIELD1", "MONEY_ACCOUNT_NAME",
                     "MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER", "MONEY_SUM_NUMBER",
                     "MONEY_EMPLOYEE_NAME", "MONEY_TEXT_NOTE", "VERIFY_NAME", "VERIFY_DATE",
                     "CREATE_NAME", "CREATE_DATE", "EDIT_NAME", "EDIT_DATE"}));
    for (const TPrintFields& entry : print_) {
        if (!entry.FieldName.isEmpty()) {
            EXPECT_TRUE(entry.DataSetName == "M" && !entry.InMaster && entry.InDetail);
        }
    }
}

// Without a slot for the amount out, the balance and the result columns
// still show, after the slot rules.
TEST_F(RecordColumnsTest, BalanceShowsWithoutAnAmountOutSlot) {
    TMoneyFieldSlots slotRows = FirstRunSlots();
    slotRows.removeAt(5);
    BuildDrillDownColumns(slotRows, true, fields_, print_);
    QStringList names = RuleNames(fields_);
    EXPECT_EQ(names.indexOf("MONEY_SUM_NUMBER"), names.indexOf("MONEY_TEXT_NOTE") + 1);
    EXPECT_EQ(RuleOf(fields_, "MONEY_SUM_NUMBER").DisplayWidth, 21);

    BuildStatisticsColumns(slotRows, false, fields_, print_);
    names = RuleNames(fields_);
    EXPECT_EQ(names.indexOf("MONEY_TYPE_NAME"), names.indexOf("MONEY_TEXT_NOTE") + 1);
    EXPECT_EQ(names.indexOf("MONEY_SUM_NUMBER"), names.indexOf("MONEY_TYPE_NAME") + 1);
}

TEST_F(RecordColumnsTest, StatisticsColumnsAndPrintCaptions) {
    TMoneyFieldSlots slotRows = FirstRunSlots();
    slotRows[4].DisplayName = "收入";
    BuildStatisticsColumns(slotRows, true, fields_, print_);
    const QStringList names = RuleNames(fields_);
    EXPECT_EQ(names.mid(names.indexOf("MONEY_OUT_NUMBER"), 3),
              QStringList({"MONEY_OUT_NUMBER", "MONEY_TYPE_NAME", "MONEY_SUM_NUMBER"}));
    EXPECT_EQ(RuleOf(fields_, "MONEY_TYPE_NAME").FooterValue, "合计");
    EXPECT_TRUE(RuleOf(fields_, "MONEY_ID").FooterValue.isEmpty());
    // The balance is no column of the records: the find dialog must not
    // offer it.
    EXPECT_TRUE(RuleOf(fields_, "MONEY_SUM_NUMBER").FindKind.isEmpty());
    EXPECT_TRUE(RuleOf(fields_, "MONEY_SUM_NUMBER").MoneyCell);
    ASSERT_EQ(print_.size(), 10u);
    EXPECT_EQ(PrintNames(print_), QStringList({"MONEY_TYPE_NAME", "MONEY_INTO_NUMBER",
                                               "MONEY_OUT_NUMBER", "MONEY_SUM_NUMBER"}));
    EXPECT_EQ(print_[1].Caption, "收入");
    EXPECT_EQ(print_[2].Caption, "贷出金额");

    AppFieldCaptions.clear();
    BuildStatisticsColumns({Slot("5", "MONEY_ACCOUNT_NAME", "资金账号", "DT")}, true, fields_,
                           print_);
    EXPECT_EQ(print_[1].Caption, "借入金额");
    EXPECT_EQ(print_[2].Caption, "贷出金额");
}

} // namespace
} // namespace kx
