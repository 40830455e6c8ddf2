// The slot dialog's OK on a seeded definition table: removals, moves,
// renames and every refusal, which must leave the table as it was.

#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "staff/employeefieldslot.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

class EmployeeFieldSlotTest : public ::testing::Test {
protected:
    EmployeeFieldSlotTest() { SeedDefaultEmployeeFields(); }

    static QString Table() {
        return GetSqlFirstValue(kDatabaseName,
                                "SELECT group_concat(FIELD_NAME||':'||FIELD_DISPLAY_NAME||':'||"
                                "ifnull(FIELD_FIND_TYPE,'-')||':'||FIELD_ORDER||':'||"
                                "ifnull(FIELD_ORDER_TYPE,'-'), ' ') FROM (SELECT * FROM "
                                "SYS_EMPLOYEE_FIELD_TABLE ORDER BY FIELD_NAME)");
    }
    static QString Row(const QString& column) {
        return GetSqlFirstValue(
            kDatabaseName, "SELECT FIELD_DISPLAY_NAME||':'||FIELD_TYPE||':'||FIELD_FIND_TYPE||"
                           "':'||FIELD_WIDTH||':'||FIELD_DISPLAY_WIDTH||':'||FIELD_ORDER||':'||"
                           "FIELD_ORDER_TYPE FROM SYS_EMPLOYEE_FIELD_TABLE WHERE FIELD_NAME = " +
                               QuotedStr(column));
    }
    static TSlotRequest Request(int slot, const char* former, const char* caption,
                                const char* category, const char* mode, bool sortable = false) {
        return {slot,
                QString::fromLatin1(former),
                QString::fromUtf8(caption),
                QString::fromUtf8(category),
                QString::fromUtf8(mode),
                sortable};
    }

    test::OpenDataFolder data_;
};

TEST_F(EmployeeFieldSlotTest, ClearingTheCaptionRemovesTheSlotsRowOnly) {
    ASSERT_TRUE(ExecSqlText(kDatabaseName,
                            "INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, "
                            "EMPLOYEE_ID, EMPLOYEE_TEXT_FIELD4) VALUES ('001','1','1','工程师')"));
    const TSlotOutcome outcome =
        SaveEmployeeFieldSlot(Request(7, "EMPLOYEE_TEXT_FIELD4", "  ", "4字符字段", "选择输入"));
    ASSERT_TRUE(outcome.Saved);
    EXPECT_TRUE(outcome.Removed);
    EXPECT_EQ(outcome.Stored.DisplayName, "未定义");
    EXPECT_TRUE(outcome.Stored.FieldName.isEmpty());
    EXPECT_TRUE(Row("EMPLOYEE_TEXT_FIELD4").isEmpty());
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName, "SELECT EMPLOYEE_TEXT_FIELD4 FROM KX_EMPLOYEE_TABLE"),
              "工程师");
    // An undefined slot cleared again removes nothing.
    const QString before = Table();
    EXPECT_TRUE(SaveEmployeeFieldSlot(Request(15, "", "", "", "")).Saved);
    EXPECT_EQ(Table(), before);
}

TEST_F(EmployeeFieldSlotTest, MovingASlotToAnotherColumnKeepsItsCaption) {
    const TSlotOutcome outcome = SaveEmployeeFieldSlot(
        Request(5, "EMPLOYEE_TEXT_FIELD2", "身份证号", "9字符字段", "直接输入"));
    ASSERT_TRUE(outcome.Saved) << outcome.Message.toStdString();
    EXPECT_TRUE(Row("EMPLOYEE_TEXT_FIELD2").isEmpty());
    EXPECT_EQ(Row("EMPLOYEE_TEXT_FIELD9"), "身份证号:String:T:50:20:5:否");
    EXPECT_EQ(outcome.Stored.FieldName, "EMPLOYEE_TEXT_FIELD9");
}

// What the input mode and the category store, and the sort flag written
// on every save.
TEST_F(EmployeeFieldSlotTest, StoredFindTypeAndSortFlag) {
    const struct {
        int slot;
        const char* former;
        const char* category;
        const char* mode;
        bool sortable;
        const char* column;
        const char* row;
    } cases[] = {
        {13, "", "7字符字段", "选择输入", true, "EMPLOYEE_TEXT_FIELD7",
         "籍贯:String:DT:50:20:13:是"},
        {13, "EMPLOYEE_TEXT_FIELD7", "7字符字段", "直接输入", false, "EMPLOYEE_TEXT_FIELD7",
         "籍贯:String:T:50:20:13:否"},
        {14, "", "3日期字段", "选择输入", false, "EMPLOYEE_DATE_FIELD3", "籍贯2:Date:D:0:10:14:否"},
        {15, "", "4数据字段", "选择输入", true, "EMPLOYEE_NUMBER_FIELD4",
         "籍贯3:Float:T:0:10:15:是"},
    };
    const char* captions[] = {"籍贯", "籍贯", "籍贯2", "籍贯3"};
    int i = 0;
    for (const auto& c : cases) {
        const TSlotOutcome outcome = SaveEmployeeFieldSlot(
            Request(c.slot, c.former, captions[i++], c.category, c.mode, c.sortable));
        ASSERT_TRUE(outcome.Saved) << c.column << outcome.Message.toStdString();
        EXPECT_EQ(Row(QString::fromLatin1(c.column)), QString::fromUtf8(c.row)) << c.column;
    }
}

// Every refusal keeps the dialog open and the table as it was.
TEST_F(EmployeeFieldSlotTest, RefusalsChangeNothing) {
    const struct {
        TSlotRequest request;
        const char* message;
        TSlotFocus focus;
    } cases[] = {
        {Request(1, "EMPLOYEE_ID", " ", "编号字段", "直接输入"),
         "该字段是关键字段,必须输入字段名称", TSlotFocus::Caption},
        {Request(21, "EMPLOYEE_TEXT_NOTE", "", "备注字段", "直接输入"),
         "该字段是关键字段,必须输入字段名称", TSlotFocus::Caption},
        {Request(9, "EMPLOYEE_DATE_FIELD2", "日期", "", "选择输入"), "必须选择一个字段",
         TSlotFocus::Category},
        {Request(9, "EMPLOYEE_DATE_FIELD2", "日期", "2日期字段", ""), "必须选择输入方式",
         TSlotFocus::InputMode},
        {Request(5, "EMPLOYEE_TEXT_FIELD2", "号码", "编号字段", "直接输入"),
         "第一个字段才能是\"编号字段\"", TSlotFocus::Category},
        {Request(5, "EMPLOYEE_TEXT_FIELD2", "号码", "名称字段", "直接输入"),
         "第二个字段才能是\"名称字段\"", TSlotFocus::Category},
        {Request(5, "EMPLOYEE_TEXT_FIELD2", "号码", "备注字段", "直接输入"),
         "最后一个字段才能是\"备注字段\"", TSlotFocus::Category},
        {Request(5, "EMPLOYEE_TEXT_FIELD2", "性别", "2字符字段", "直接输入"), "字段名称重复",
         TSlotFocus::Caption},
        {Request(5, "EMPLOYEE_TEXT_FIELD2", "号码", "13字符字段", "直接输入"), "字段类别错误",
         TSlotFocus::None},
        // Slot 8 holds EMPLOYEE_TEXT_FIELD5 already.
        {Request(5, "EMPLOYEE_TEXT_FIELD2", "号码", "5字符字段", "直接输入"),
         "该字段已被定义为：工作职务\r\n不能重复定义", TSlotFocus::None},
    };
    const QString before = Table();
    for (const auto& c : cases) {
        const TSlotOutcome outcome = SaveEmployeeFieldSlot(c.request);
        EXPECT_FALSE(outcome.Saved) << c.message;
        EXPECT_EQ(outcome.Message, QString::fromUtf8(c.message));
        EXPECT_EQ(outcome.Focus, c.focus) << c.message;
        EXPECT_EQ(Table(), before) << c.message;
    }
}

// The key columns are stored with the list's orders 0, 1 and 22; a new
// caption keeps that order.
TEST_F(EmployeeFieldSlotTest, KeySlotsTakeNewCaptionsAndKeepTheirOrder) {
    const struct {
        int slot;
        const char* column;
        const char* category;
        const char* row;
    } cases[] = {
        {1, "EMPLOYEE_ID", "编号字段", "工号:String:T:20:13:0:是"},
        {2, "EMPLOYEE_NAME", "名称字段", "姓名:String:T:20:20:1:否"},
        {21, "EMPLOYEE_TEXT_NOTE", "备注字段", "说明:String:T:160:80:22:否"},
    };
    const char* captions[] = {"工号", "姓名", "说明"};
    int i = 0;
    for (const auto& c : cases) {
        const TSlotOutcome outcome = SaveEmployeeFieldSlot(
            Request(c.slot, c.column, captions[i++], c.category, "直接输入", c.slot == 1));
        ASSERT_TRUE(outcome.Saved) << c.column << outcome.Message.toStdString();
        EXPECT_EQ(Row(QString::fromLatin1(c.column)), QString::fromUtf8(c.row));
    }
}

TEST_F(EmployeeFieldSlotTest, ACaptionWithAQuoteIsStoredAsTyped) {
    const TSlotOutcome outcome =
        SaveEmployeeFieldSlot(Request(16, "", "O'Neil's", "8字符字段", "直接输入"));
    ASSERT_TRUE(outcome.Saved) << outcome.Message.toStdString();
    EXPECT_EQ(Row("EMPLOYEE_TEXT_FIELD8"), "O'Neil's:String:T:50:20:16:否");
    // Renaming a column to its own caption is no duplicate.
    EXPECT_TRUE(SaveEmployeeFieldSlot(
                    Request(16, "EMPLOYEE_TEXT_FIELD8", "O'Neil's", "8字符字段", "直接输入"))
                    .Saved);
    EXPECT_EQ(SaveEmployeeFieldSlot(Request(17, "", "O'Neil's", "9字符字段", "直接输入")).Message,
              "字段名称重复");
}

// The former row goes only together with the new one being written.
TEST_F(EmployeeFieldSlotTest, AFailedWriteKeepsTheFormerRow) {
    ASSERT_TRUE(ExecSqlText(
        kDatabaseName, "CREATE TRIGGER refuse_insert BEFORE INSERT ON SYS_EMPLOYEE_FIELD_TABLE "
                       "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    const QString before = Table();
    const TSlotOutcome outcome = SaveEmployeeFieldSlot(
        Request(5, "EMPLOYEE_TEXT_FIELD2", "身份证号", "9字符字段", "直接输入"));
    EXPECT_FALSE(outcome.Saved);
    EXPECT_EQ(outcome.Message, "设置保存错误");
    EXPECT_EQ(Table(), before);
}

} // namespace
} // namespace kx::staff
