#include "cashbook/cashbooktables.h"
#include "cashbook/fieldkinds.h"
#include "cashbook/fieldslotwrite.h"
#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "platform/db/query.h"
#include "tests/core/programfixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kx {
namespace {

// A data folder whose slot table holds the records list's first rows.
class FieldSlotWriteTest : public ::testing::Test {
protected:
    FieldSlotWriteTest() {
        cashbook::SeedDefaultFieldSlots(cashbook::TSlotCaptions::List);
        query_.SetDatabaseName(kDatabaseName);
        query_.SetRequestLive(true);
    }

    static TFieldSlotEntry Entry(const QString& order, const QString& fieldName,
                                 const QString& caption, const QString& kind,
                                 const QString& mode = kDirectInput) {
        TFieldSlotEntry entry;
        entry.Order = order;
        entry.FieldName = fieldName;
        entry.KeySlot = fieldName == "MONEY_ID" || fieldName == "MONEY_TEXT_NOTE";
        entry.Caption = caption;
        entry.Kind = kind;
        entry.InputMode = mode;
        return entry;
    }

    // "order:column:caption:type:width:display width:find type:sort flag",
    // in slot order.
    static QString Rows() {
        return GetSqlFirstValue(
            kDatabaseName,
            "SELECT group_concat(FIELD_ORDER||':'||FIELD_NAME||':'||FIELD_DISPLAY_NAME||':'||"
            "FIELD_TYPE||':'||FIELD_WIDTH||':'||FIELD_DISPLAY_WIDTH||':'||FIELD_FIND_TYPE||':'||"
            "ifnull(FIELD_ORDER_TYPE,''), ' ') FROM (SELECT * FROM SYS_MONEY_FIELD_TABLE ORDER "
            "BY FIELD_ORDER, FIELD_NAME)");
    }
    static QString Row(const QString& column) {
        return GetSqlFirstValue(kDatabaseName,
                                "SELECT FIELD_ORDER||':'||FIELD_DISPLAY_NAME||':'||FIELD_TYPE||"
                                "':'||FIELD_WIDTH||':'||FIELD_DISPLAY_WIDTH||':'||"
                                "FIELD_FIND_TYPE||':'||ifnull(FIELD_ORDER_TYPE,'') FROM "
                                "SYS_MONEY_FIELD_TABLE WHERE FIELD_NAME = " +
                                    QuotedStr(column));
    }
    QByteArray FileBytes() const {
        QFile file(data_.Folder.DatabaseFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
    db::TQuery query_;
};

TEST_F(FieldSlotWriteTest, AssignsAFreeSlotWithItsKindsDefaults) {
    TFieldSlotEntry entry = Entry("4", "", " 往来单位 ", "2字符字段", kChoiceInput);
    entry.SortField = true;
    const TFieldSlotOutcome outcome = ConfirmFieldSlot(query_, entry);
    ASSERT_TRUE(outcome.Done) << outcome.Refusal.toStdString();
    EXPECT_EQ(outcome.FieldName, "MONEY_TEXT_FIELD2");
    EXPECT_EQ(outcome.DisplayName, "往来单位");
    EXPECT_EQ(outcome.FindType, "DT");
    EXPECT_EQ(Row("MONEY_TEXT_FIELD2"), "4:往来单位:String:50:20:DT:是");
    EXPECT_EQ(query_.State(), db::dsBrowse);

    const TFieldSlotOutcome amount =
        ConfirmFieldSlot(query_, Entry("9", "", "利息", "2数据字段", kChoiceInput));
    ASSERT_TRUE(amount.Done);
    EXPECT_EQ(Row("MONEY_NUMBER_FIELD2"), "9:利息:Float:0:10:T:否");
}

TEST_F(FieldSlotWriteTest, ANewCaptionOnTheSameKindEditsTheRowInPlace) {
    const QString before = Rows();
    const TFieldSlotOutcome outcome =
        ConfirmFieldSlot(query_, Entry("3", "MONEY_TEXT_FIELD1", "摘要说明", "1字符字段"));
    ASSERT_TRUE(outcome.Done);
    EXPECT_EQ(Row("MONEY_TEXT_FIELD1"), "3:摘要说明:String:50:20:T:否");
    EXPECT_EQ(QString(Rows()).replace("摘要说明:String:50:20:T:否", "摘要:String:20:20:DT:"),
              before);
}

TEST_F(FieldSlotWriteTest, ChangingTheKindMovesTheSlotToTheNewColumnKeepingItsCaption) {
    const TFieldSlotOutcome outcome =
        ConfirmFieldSlot(query_, Entry("3", "MONEY_TEXT_FIELD1", "摘要", "1数据字段"));
    ASSERT_TRUE(outcome.Done) << outcome.Refusal.toStdString();
    EXPECT_TRUE(Row("MONEY_TEXT_FIELD1").isEmpty());
    EXPECT_EQ(Row("MONEY_NUMBER_FIELD1"), "3:摘要:Float:0:10:T:否");
}

TEST_F(FieldSlotWriteTest, ClearingTheCaptionUndefinesTheSlot) {
    const TFieldSlotOutcome outcome =
        ConfirmFieldSlot(query_, Entry("8", "MONEY_EMPLOYEE_NAME", "   ", "人员字段"));
    ASSERT_TRUE(outcome.Done);
    EXPECT_EQ(outcome.DisplayName, "未定义");
    EXPECT_TRUE(outcome.FieldName.isEmpty());
    EXPECT_TRUE(outcome.FindType.isEmpty());
    EXPECT_TRUE(Row("MONEY_EMPLOYEE_NAME").isEmpty());

    const QString before = Rows();
    EXPECT_TRUE(ConfirmFieldSlot(query_, Entry("4", "", "", "")).Done);
    EXPECT_EQ(Rows(), before);
}

// Nothing of the table changes on a refusal, not even a row the slot is
// about to give up.
TEST_F(FieldSlotWriteTest, EveryRefusalLeavesTheDatabaseFileAsItWas) {
    const struct {
        TFieldSlotEntry entry;
        const char* message;
        TFieldSlotControl focus;
    } cases[] = {
        {Entry("1", "MONEY_ID", "  ", "编号字段"), "该字段是关键字段,必须输入字段名称",
         TFieldSlotControl::Caption},
        {Entry("21", "MONEY_TEXT_NOTE", "", "备注字段"), "该字段是关键字段,必须输入字段名称",
         TFieldSlotControl::Caption},
        {Entry("3", "MONEY_TEXT_FIELD1", "摘要", " "), "必须选择一个字段", TFieldSlotControl::Kind},
        {Entry("3", "MONEY_TEXT_FIELD1", "摘要", "1字符字段", ""), "必须选择输入方式",
         TFieldSlotControl::InputMode},
        {Entry("2", "MONEY_DATE", "编号", "编号字段"), "第一个字段才能是\"编号字段\"",
         TFieldSlotControl::Kind},
        {Entry("20", "", "说明", "备注字段"), "最后一个字段才能是\"备注字段\"",
         TFieldSlotControl::Kind},
        {Entry("3", "MONEY_TEXT_FIELD1", "资金账号", "1字符字段"), "字段名称重复",
         TFieldSlotControl::Caption},
        {Entry("4", "", "记录编号", "3字符字段"), "字段名称重复", TFieldSlotControl::Caption},
        {Entry("3", "MONEY_TEXT_FIELD1", "摘要", "资金账号字段"),
         "该字段已被定义为：资金账号\r\n不能重复定义", TFieldSlotControl::None},
        {Entry("3", "MONEY_TEXT_FIELD1", "摘要", "9字符字段"), "字段类别错误",
         TFieldSlotControl::None},
    };
    const QByteArray before = FileBytes();
    ASSERT_FALSE(before.isEmpty());
    for (const auto& c : cases) {
        const TFieldSlotOutcome outcome = ConfirmFieldSlot(query_, c.entry);
        EXPECT_FALSE(outcome.Done) << c.message;
        EXPECT_EQ(outcome.Refusal, c.message);
        EXPECT_EQ(outcome.Focus, c.focus) << c.message;
        EXPECT_EQ(FileBytes(), before) << c.message;
        EXPECT_TRUE(query_.State() == db::dsBrowse || query_.State() == db::dsInactive);
    }
}

TEST_F(FieldSlotWriteTest, AFailedWriteRollsBackTheDeletedRow) {
    const QByteArray before = FileBytes();
    // Longer than the caption column holds: the insert fails after the
    // slot's old row was deleted.
    EXPECT_ANY_THROW(ConfirmFieldSlot(
        query_, Entry("3", "MONEY_TEXT_FIELD1", "一二三四五六七八九十一二", "2字符字段")));
    EXPECT_EQ(query_.State(), db::dsBrowse);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(Row("MONEY_TEXT_FIELD1"), "3:摘要:String:20:20:DT:");
}

TEST_F(FieldSlotWriteTest, ACaptionWithAQuoteIsSavedAndCompared) {
    const TFieldSlotOutcome outcome =
        ConfirmFieldSlot(query_, Entry("4", "", "O'Neil's", "3字符字段"));
    ASSERT_TRUE(outcome.Done) << outcome.Refusal.toStdString();
    EXPECT_EQ(Row("MONEY_TEXT_FIELD3"), "4:O'Neil's:String:50:20:T:否");
    EXPECT_EQ(ConfirmFieldSlot(query_, Entry("9", "", "O'Neil's", "4字符字段")).Refusal,
              "字段名称重复");
    EXPECT_TRUE(
        ConfirmFieldSlot(query_, Entry("4", "MONEY_TEXT_FIELD3", "O'Neil's", "3字符字段")).Done);
    EXPECT_TRUE(ConfirmFieldSlot(query_, Entry("9", "", "' OR ''='", "4字符字段")).Done);
    EXPECT_EQ(Row("MONEY_TEXT_FIELD4"), "9:' OR ''=':String:50:20:T:否");
}

// Slot 2 opens on the record date even when another slot holds it; what it
// does must never cost that slot its row.
TEST_F(FieldSlotWriteTest, ASlotOpenedOnAColumnHeldElsewhereLeavesThatRowAlone) {
    ExecSqlText(kDatabaseName, "UPDATE SYS_MONEY_FIELD_TABLE SET FIELD_ORDER = 4 WHERE "
                               "FIELD_NAME = 'MONEY_DATE'");
    const QString dateRow = Row("MONEY_DATE");
    ASSERT_EQ(dateRow, "4:借贷日期:Date:17:17:D:");

    EXPECT_EQ(
        ConfirmFieldSlot(query_, Entry("2", "MONEY_DATE", "帐款日期", "借贷日期字段")).Refusal,
        "该字段已被定义为：借贷日期\r\n不能重复定义");
    EXPECT_EQ(ConfirmFieldSlot(query_, Entry("2", "MONEY_DATE", "借贷日期", "1日期字段")).Refusal,
              "字段名称重复");

    const TFieldSlotOutcome cleared =
        ConfirmFieldSlot(query_, Entry("2", "MONEY_DATE", "", "借贷日期字段"));
    EXPECT_TRUE(cleared.Done);
    EXPECT_EQ(Row("MONEY_DATE"), dateRow);

    const TFieldSlotOutcome other =
        ConfirmFieldSlot(query_, Entry("2", "MONEY_DATE", "帐款日期", "1日期字段"));
    ASSERT_TRUE(other.Done) << other.Refusal.toStdString();
    EXPECT_EQ(Row("MONEY_DATE"), dateRow);
    EXPECT_EQ(Row("MONEY_DATE_FIELD1"), "2:帐款日期:Date:0:10:D:否");
}

} // namespace
} // namespace kx
