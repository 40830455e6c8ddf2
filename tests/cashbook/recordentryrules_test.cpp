#include "cashbook/recordentryrules.h"

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

TEST(EntryCheckData, RecordNumberCheckIsLeftOutInModeThree) {
    for (int mode : {0, 1, 2, 3, 9}) {
        const TCheckDataArray checks = EntryCheckData(mode);
        ASSERT_EQ(checks.Count(), mode == 3 ? 1 : 2) << mode;
        const TCheckData& internal = checks[checks.Count() - 1];
        EXPECT_EQ(internal.BaseSelect,
                  "SELECT MONEY_RECORD_ID FROM KX_INTO_OUT_MONEY_TABLE WHERE ");
        EXPECT_EQ(internal.Message, "内部编号重复");
        EXPECT_TRUE(internal.MustNotExist);
        EXPECT_EQ(internal.Links[0].ColumnName, "MONEY_RECORD_ID");
        EXPECT_EQ(internal.Links[0].Kind, "C");
    }
    const TCheckDataArray modeOne = EntryCheckData(1);
    const TCheckData& number = modeOne[0];
    EXPECT_EQ(number.BaseSelect, "SELECT MONEY_ID FROM KX_INTO_OUT_MONEY_TABLE WHERE ");
    EXPECT_EQ(number.NumberField, "MONEY_ID");
    EXPECT_EQ(number.Message, "纪录编号重复");
}

TEST(EntryInsertData, SixValuesWithGeneratedNumbersFiveWithout) {
    const TInsertDataArray generated = EntryInsertData(true, "张三", "2007-03-05");
    QStringList fields;
    for (const TInsertData& entry : generated)
        fields << entry.FieldName + ':' + entry.Kind + ':' + entry.Value + ':' +
                      QString::number(entry.Width);
    EXPECT_EQ(fields, QStringList({"MONEY_ID:M::12", "CREATE_NAME:A:张三:0",
                                   "CREATE_DATE:A:2007-03-05:0", "MONEY_DATE:A:2007-03-05:0",
                                   "STATUS:A:未审核:0", "MONEY_RECORD_ID:T::12"}));
    const TInsertDataArray typed = EntryInsertData(false, "张三", "2007-03-05");
    ASSERT_EQ(typed.Count(), 5);
    EXPECT_EQ(typed[0].FieldName, "CREATE_NAME");
}

// The window changes the scope in the arrays the list's query holds.
TEST(ApplyNumberingScope, ReachesTheSharedCheckAndCounter) {
    const TCheckDataArray checks = EntryCheckData(0);
    const TInsertDataArray values = EntryInsertData(true, "张三", "2007-03-05");
    const TCheckDataArray held = checks;
    const TInsertDataArray heldValues = values;
    TNumberingScope scope;
    ASSERT_TRUE(NumberingScopeFor(0, "001002", "001", scope));
    ApplyNumberingScope(scope, checks, values);
    EXPECT_EQ(held[0].ExtraWhere, " AND SUBSTRING(MONEY_TYPE_ID FROM 1  FOR 3)  = '001'");
    EXPECT_EQ(held[1].ExtraWhere, "") << "internal numbers are unique everywhere";
    EXPECT_EQ(heldValues[0].ExtraWhere, " SUBSTRING(MONEY_TYPE_ID FROM 1  FOR 3) = '001'");
    EXPECT_EQ(heldValues[5].ExtraWhere, "");
}

TEST(RecheckNumberInNewScope, OnlyModesWithScopesCheckAgain) {
    for (int mode : {0, 1, 2, 3}) {
        const TCheckDataArray checks = EntryCheckData(mode);
        for (TCheckData& check : checks)
            check.Links[0].OldValue = "200703000001";
        RecheckNumberInNewScope(mode, checks);
        const bool again = mode == 0 || mode == 2;
        EXPECT_EQ(checks[0].Links[0].OldValue.isEmpty(), again) << mode;
        EXPECT_EQ(checks[checks.Count() - 1].Links[0].OldValue, "200703000001") << mode;
    }
}

TEST(EntrySaveRefusal, ChecksInOrder) {
    const TEntrySaveTexts good{"1", "记录编号", "2007-03-05", "现金", "070305101010", "001"};
    EXPECT_TRUE(EntrySaveRefusal(good).Message.isEmpty());
    const struct {
        TEntrySaveTexts texts;
        const char* message;
        TEntryFocus focus;
    } cases[] = {
        {{" ", "凭证号", "", "", "", ""}, "必须输入凭证号", TEntryFocus::MoneyId},
        {{"1", "记录编号", " ", "", "", ""}, "必须输入账款日期", TEntryFocus::MoneyDate},
        {{"1", "记录编号", "2007-03-05", "  ", "", ""}, "资金账号字段必须输入", TEntryFocus::None},
        {{"1", "记录编号", "2007-03-05", "现金", "", ""}, "必须输入记录编号", TEntryFocus::None},
        {{"1", "记录编号", "2007-03-05", "现金", "1", ""}, "必须选择帐款类别", TEntryFocus::None},
        {{"1", "记录编号", "2007-03-05", "现金", "1", "G001"},
         "必须选择帐款类别",
         TEntryFocus::None},
    };
    for (const auto& c : cases) {
        const TEntrySaveRefusal refusal = EntrySaveRefusal(c.texts);
        EXPECT_EQ(refusal.Message, c.message);
        EXPECT_EQ(refusal.Focus, c.focus) << c.message;
    }
}

TEST(BadEntryMessage, NumbersAndDatesThatAreNone) {
    const struct {
        TEntryInput input;
        const char* text;
        bool refused;
    } cases[] = {
        {TEntryInput::Number, "12.50", false},   {TEntryInput::Number, "-3", false},
        {TEntryInput::Number, " ", false},       {TEntryInput::Number, "12abc", true},
        {TEntryInput::Number, "1.2.3", true},    {TEntryInput::Date, "2008-02-29", false},
        {TEntryInput::Date, "2007-02-29", true}, {TEntryInput::Date, "2007-13-01", true},
        {TEntryInput::Date, "", false},          {TEntryInput::Text, "abc", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BadEntryMessage(c.input, "金额", c.text),
                  c.refused ? QStringLiteral("金额是错误的数据") : QString())
            << c.text;
}

TEST(StatusPanelColor, VioletOnlyForUnverified) {
    EXPECT_EQ(StatusPanelColor("未审核"), 0xFFD2FFu);
    for (const char* status : {"已审核", "", "作废"})
        EXPECT_EQ(StatusPanelColor(status), 0xC4E1E1u) << status;
}

} // namespace
} // namespace kx::cashbook
