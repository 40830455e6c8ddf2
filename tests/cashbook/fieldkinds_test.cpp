#include "cashbook/fieldkinds.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(FieldKinds, EachKindStandsForOneColumnWithItsDefaults) {
    ASSERT_EQ(FieldKinds().size(), 20);
    EXPECT_EQ(FieldKinds().first(), "1字符字段");
    EXPECT_EQ(FieldKinds().last(), "备注字段");
    const struct {
        const char* kind;
        const char* column;
        const char* type;
        const char* width;
        const char* displayWidth;
        const char* findType;
    } cases[] = {
        {"1字符字段", "MONEY_TEXT_FIELD1", "String", "50", "20", "T"},
        {"5字符字段", "MONEY_TEXT_FIELD5", "String", "50", "20", "T"},
        {"6字符字段", "MONEY_TEXT_FIELD6", "String", "160", "80", "T"},
        {"2日期字段", "MONEY_DATE_FIELD2", "Date", "0", "10", "D"},
        {"3数据字段", "MONEY_NUMBER_FIELD3", "Float", "0", "10", "T"},
        {"编号字段", "MONEY_ID", "String", "20", "16", "T"},
        {"借贷日期字段", "MONEY_DATE", "Date", "0", "10", "D"},
        {"资金账号字段", "MONEY_ACCOUNT_NAME", "String", "20", "20", "DT"},
        {"借款字段", "MONEY_INTO_NUMBER", "Float", "0", "10", "T"},
        {"贷款字段", "MONEY_OUT_NUMBER", "Float", "0", "10", "T"},
        {"部门字段", "MONEY_DEPT_NAME", "String", "20", "20", "DT"},
        {"人员字段", "MONEY_EMPLOYEE_NAME", "String", "20", "20", "DT"},
        {"备注字段", "MONEY_TEXT_NOTE", "String", "160", "80", "T"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FieldKindColumn(c.kind), c.column) << c.kind;
        EXPECT_EQ(ColumnFieldKind(c.column), c.kind) << c.column;
        const std::optional<TFieldKindDefaults> defaults = FieldKindDefaults(c.column);
        ASSERT_TRUE(defaults) << c.column;
        EXPECT_EQ(defaults->FieldType, c.type) << c.column;
        EXPECT_EQ(defaults->FieldWidth, c.width) << c.column;
        EXPECT_EQ(defaults->DisplayWidth, c.displayWidth) << c.column;
        EXPECT_EQ(defaults->FindType, c.findType) << c.column;
    }
    for (const char* other : {"", "8字符字段", " 1字符字段", "MONEY_TEXT_FIELD1"})
        EXPECT_TRUE(FieldKindColumn(other).isEmpty()) << other;
    for (const char* other : {"", "MONEY_TYPE_NAME", "MONEY_TEXT_FIELD8", "STATUS"})
        EXPECT_FALSE(FieldKindDefaults(other)) << other;
}

TEST(FieldKinds, ChoiceInputMakesOnlyTextKindsPicked) {
    const struct {
        const char* column;
        const QString& mode;
        const char* written;
    } cases[] = {
        {"MONEY_TEXT_FIELD1", kChoiceInput, "DT"},  {"MONEY_TEXT_FIELD1", kDirectInput, "T"},
        {"MONEY_INTO_NUMBER", kChoiceInput, "T"},   {"MONEY_NUMBER_FIELD2", kChoiceInput, "T"},
        {"MONEY_DATE", kDirectInput, "D"},          {"MONEY_DATE_FIELD1", kChoiceInput, "D"},
        {"MONEY_ACCOUNT_NAME", kDirectInput, "DT"}, {"MONEY_ID", kChoiceInput, "DT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrittenFindType(*FieldKindDefaults(c.column), c.mode), c.written) << c.column;
}

TEST(FieldKinds, KindTextDecidesTheInputModeBox) {
    const struct {
        const char* kind;
        QString mode;
        bool locked;
    } cases[] = {
        {"1日期字段", kChoiceInput, true},
        {"借贷日期字段", kChoiceInput, true},
        {"日期字段x", kChoiceInput, true},
        {"2数据字段", kDirectInput, true},
        {"编号字段", kDirectInput, true},
        {"备注字段", kDirectInput, true},
        {"人员字段", kChoiceInput, true},
        {"资金账号字段", kChoiceInput, true},
        {"3字符字段", QString(), false},
        {"借款字段", QString(), false},
        {"", QString(), false},
        {"资金账号", QString(), false},
    };
    for (const auto& c : cases) {
        const TInputModeRule rule = InputModeForKind(c.kind);
        EXPECT_EQ(rule.Mode, c.mode) << c.kind;
        EXPECT_EQ(rule.Locked, c.locked) << c.kind;
    }
}

TEST(FieldKinds, DialogOpensOnTheSlotsColumnAndFindType) {
    const struct {
        const char* column;
        const char* findType;
        const char* kind;
        bool kindEnabled;
        QString mode;
        bool modeEnabled;
    } cases[] = {
        {"MONEY_ID", "DT", "编号字段", false, kDirectInput, false},
        {"MONEY_TEXT_NOTE", "T", "备注字段", false, kDirectInput, false},
        {"MONEY_DEPT_NAME", "T", "部门字段", true, kChoiceInput, false},
        // The date and account slots keep the mode of their find type.
        {"MONEY_DATE", "T", "借贷日期字段", true, kDirectInput, false},
        {"MONEY_DATE_FIELD2", "D", "2日期字段", true, kChoiceInput, false},
        {"MONEY_ACCOUNT_NAME", "DT", "资金账号字段", true, kChoiceInput, false},
        {"MONEY_TEXT_FIELD4", "DT", "4字符字段", true, kChoiceInput, true},
        {"MONEY_NUMBER_FIELD1", "T", "1数据字段", true, kDirectInput, true},
        {"", "", "", true, kDirectInput, true},
    };
    for (const auto& c : cases) {
        const TSlotDialogStart start = SlotDialogStart(c.column, c.findType);
        EXPECT_EQ(start.Kind, c.kind) << c.column;
        EXPECT_EQ(start.KindEnabled, c.kindEnabled) << c.column;
        EXPECT_EQ(start.Mode, c.mode) << c.column;
        EXPECT_EQ(start.ModeEnabled, c.modeEnabled) << c.column;
    }
}

} // namespace
} // namespace kx
