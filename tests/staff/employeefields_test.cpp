#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "staff/employeefields.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

TEST(EmployeeFields, CategoriesMapToColumnsBothWays) {
    const QStringList& categories = EmployeeFieldCategories();
    ASSERT_EQ(categories.size(), 25);
    EXPECT_EQ(categories.first(), "1字符字段");
    EXPECT_EQ(categories[12], "1日期字段");
    EXPECT_EQ(categories[16], "1数据字段");
    EXPECT_EQ(categories.mid(22), QStringList({"编号字段", "名称字段", "备注字段"}));
    const struct {
        const char* category;
        const char* column;
    } cases[] = {
        {"1字符字段", "EMPLOYEE_TEXT_FIELD1"},   {"12字符字段", "EMPLOYEE_TEXT_FIELD12"},
        {"2日期字段", "EMPLOYEE_DATE_FIELD2"},   {"4日期字段", "EMPLOYEE_DATE_FIELD4"},
        {"6数据字段", "EMPLOYEE_NUMBER_FIELD6"}, {"编号字段", "EMPLOYEE_ID"},
        {"名称字段", "EMPLOYEE_NAME"},           {"备注字段", "EMPLOYEE_TEXT_NOTE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CategoryToColumn(QString::fromUtf8(c.category)), c.column) << c.category;
        EXPECT_EQ(ColumnToCategory(QString::fromLatin1(c.column)), QString::fromUtf8(c.category));
    }
    for (const char* other : {"13字符字段", "5日期字段", "", "字符字段"})
        EXPECT_TRUE(CategoryToColumn(QString::fromUtf8(other)).isEmpty()) << other;
    EXPECT_TRUE(ColumnToCategory("COMPANY_DEPT_NAME").isEmpty());
}

TEST(EmployeeFields, ColumnDefaults) {
    const struct {
        const char* column;
        const char* type;
        const char* find;
        int displayWidth;
        int width;
    } cases[] = {
        {"EMPLOYEE_ID", "String", "T", 13, 20},
        {"EMPLOYEE_NAME", "String", "T", 20, 20},
        {"EMPLOYEE_DATE_FIELD4", "Date", "D", 10, 0},
        {"EMPLOYEE_TEXT_FIELD12", "String", "T", 20, 50},
        {"EMPLOYEE_TEXT_NOTE", "String", "T", 80, 160},
        {"EMPLOYEE_NUMBER_FIELD1", "Float", "T", 10, 0},
    };
    for (const auto& c : cases) {
        const auto defaults = GetColumnDefaults(QString::fromLatin1(c.column));
        ASSERT_TRUE(defaults) << c.column;
        EXPECT_EQ(defaults->FieldType, c.type) << c.column;
        EXPECT_EQ(defaults->FindType, c.find) << c.column;
        EXPECT_EQ(defaults->DisplayWidth, c.displayWidth) << c.column;
        EXPECT_EQ(defaults->FieldWidth, c.width) << c.column;
    }
    for (const char* none :
         {"COMPANY_DEPT_NAME", "EMPLOYEE_TEXT_FIELD13", "EMPLOYEE_DATE_FIELD5", ""})
        EXPECT_FALSE(GetColumnDefaults(QString::fromLatin1(none))) << none;
}

TEST(EmployeeFields, TypeLettersAndInputModes) {
    EXPECT_EQ(FieldTypeLetter("String"), "C");
    EXPECT_EQ(FieldTypeLetter("Integer"), "N");
    EXPECT_EQ(FieldTypeLetter("Float"), "N");
    EXPECT_EQ(FieldTypeLetter("Date"), "D");
    EXPECT_EQ(FieldTypeLetter("Memo"), "C");
    EXPECT_EQ(InputModeRuleFor("3日期字段"), TInputModeRule::AlwaysChosen);
    EXPECT_EQ(InputModeRuleFor("2数据字段"), TInputModeRule::AlwaysTyped);
    for (const char* key : {"编号字段", "名称字段", "备注字段"})
        EXPECT_EQ(InputModeRuleFor(QString::fromUtf8(key)), TInputModeRule::AlwaysTyped) << key;
    EXPECT_EQ(InputModeRuleFor("5字符字段"), TInputModeRule::Free);
    EXPECT_EQ(InputModeRuleFor("随便"), TInputModeRule::Free);
}

TEST(EmployeeFields, AnEmptyTableIsSeededOnceWithTheFourteenRows) {
    test::OpenDataFolder data;
    ASSERT_TRUE(SeedDefaultEmployeeFields());
    EXPECT_FALSE(SeedDefaultEmployeeFields());
    EXPECT_EQ(GetSqlFirstValue(
                  kDatabaseName,
                  "SELECT group_concat(FIELD_ORDER||':'||FIELD_NAME||':'||FIELD_DISPLAY_NAME||':'||"
                  "FIELD_TYPE||':'||ifnull(FIELD_FIND_TYPE,'-')||':'||FIELD_WIDTH||':'||"
                  "FIELD_DISPLAY_WIDTH||':'||ifnull(FIELD_ORDER_TYPE,'-'), ' ') FROM (SELECT * "
                  "FROM SYS_EMPLOYEE_FIELD_TABLE ORDER BY rowid)"),
              "0:EMPLOYEE_ID:员工编号:String:T:13:10:是 1:EMPLOYEE_NAME:员工姓名:String:T:20:10:是 "
              "2:COMPANY_DEPT_NAME:任职部门:String:-:120:20:- "
              "3:EMPLOYEE_TEXT_FIELD1:性别:String:DT:50:4:- "
              "4:EMPLOYEE_DATE_FIELD1:出生日期:Date:D:0:10:是 "
              "5:EMPLOYEE_TEXT_FIELD2:身份证号:String:T:50:20:- "
              "6:EMPLOYEE_TEXT_FIELD3:文化水平:String:DT:50:20:- "
              "7:EMPLOYEE_TEXT_FIELD4:技术职称:String:DT:50:20:- "
              "8:EMPLOYEE_TEXT_FIELD5:工作职务:String:DT:50:20:- "
              "9:EMPLOYEE_DATE_FIELD2:任职日期:Date:D:0:10:是 "
              "10:EMPLOYEE_TEXT_FIELD6:联系电话:String:T:50:20:- "
              "11:EMPLOYEE_NUMBER_FIELD1:养老保险:Float:T:0:10:是 "
              "12:EMPLOYEE_NUMBER_FIELD2:医疗保险:Float:T:0:10:是 "
              "22:EMPLOYEE_TEXT_NOTE:备注:String:T:160:80:-");
}

} // namespace
} // namespace kx::staff
