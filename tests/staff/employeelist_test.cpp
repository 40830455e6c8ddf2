#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "staff/employeelist.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

TEST(EmployeeList, SelectText) {
    const struct {
        const char* find;
        const char* subtree;
        const char* expected;
    } cases[] = {
        {"", "", "SELECT * FROM KX_EMPLOYEE_TABLE  ORDER BY EMPLOYEE_ID,EMPLOYEE_NAME"},
        {"(EMPLOYEE_NAME = '李四')", "",
         "SELECT * FROM KX_EMPLOYEE_TABLE  WHERE (EMPLOYEE_NAME = '李四') ORDER BY "
         "EMPLOYEE_ID,EMPLOYEE_NAME"},
        {"", " SUBSTRING(COMPANY_ID FROM 1  FOR  3) = '001'",
         "SELECT * FROM KX_EMPLOYEE_TABLE  WHERE  SUBSTRING(COMPANY_ID FROM 1  FOR  3) = '001' "
         "ORDER BY EMPLOYEE_ID,EMPLOYEE_NAME"},
        {"(EMPLOYEE_NAME = '李四')", " SUBSTRING(COMPANY_ID FROM 1  FOR  3) = '001'",
         "SELECT * FROM KX_EMPLOYEE_TABLE  WHERE (EMPLOYEE_NAME = '李四') AND  "
         "SUBSTRING(COMPANY_ID FROM 1  FOR  3) = '001' ORDER BY EMPLOYEE_ID,EMPLOYEE_NAME"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EmployeeListSelect(QString::fromUtf8(c.find), QString::fromUtf8(c.subtree),
                                     kDefaultEmployeeOrder),
                  QString::fromUtf8(c.expected));
}

TEST(EmployeeList, ColumnsOfTheDefaultRows) {
    AppFieldCaptions.clear();
    const TEmployeeColumns columns = BuildEmployeeColumns({});
    QStringList captions;
    for (const TFieldsData& rule : columns.Fields)
        if (rule.Visible)
            captions.append(rule.DisplayLabel);
    EXPECT_EQ(captions.join(','),
              "员工编号,员工姓名,任职部门,性别,出生日期,身份证号,文化水平,技术职称,工作职务,"
              "任职日期,联系电话,养老保险,医疗保险,备注,建档人员,建档日期,修改人员,修改日期,"
              "排列序号");
    EXPECT_EQ(columns.Fields.Count(), 21);
    EXPECT_EQ(columns.Fields[0].FooterValue, "合计:");
    EXPECT_EQ(columns.Fields[1].FooterValue, "@Count");
    EXPECT_EQ(columns.Fields[11].FooterValue, "@Sum");
    EXPECT_EQ(columns.Fields[11].TypeCode, "N");
    EXPECT_EQ(columns.Fields[4].TypeCode, "D");
    EXPECT_EQ(columns.Fields[3].DisplayWidth, 4);
    EXPECT_TRUE(columns.Fields[2].FindKind.isEmpty());
    EXPECT_EQ(columns.Fields[3].FindKind, "DT");
    EXPECT_TRUE(columns.Fields[18].Required);
    EXPECT_FALSE(columns.Fields[18].Visible); // the record id
    EXPECT_EQ(columns.Sort.Captions, QStringList({"排列序号", "员工编号", "员工姓名", "出生日期",
                                                  "任职日期", "养老保险", "医疗保险"}));
    EXPECT_EQ(columns.Sort.Fields.first(), "EMPLOYEE_ORDER_ID,EMPLOYEE_ID");
    ASSERT_EQ(columns.PrintFields.size(), 38u);
    EXPECT_EQ(columns.PrintFields[13].FieldName, "EMPLOYEE_TEXT_NOTE");
    EXPECT_EQ(columns.PrintFields[13].DataSetName, "M");
    EXPECT_TRUE(columns.PrintFields[14].FieldName.isEmpty());
    EXPECT_EQ(AppFieldCaptions.value("EMPLOYEE_TEXT_FIELD3"), "文化水平");
}

TEST(EmployeeList, FieldOrderFollowsTheDefinitions) {
    const QStringList order = EmployeeFieldOrder(DefaultEmployeeFieldRows());
    EXPECT_EQ(order.mid(0, 4), QStringList({"EMPLOYEE_ID", "EMPLOYEE_NAME", "COMPANY_DEPT_NAME",
                                            "EMPLOYEE_TEXT_FIELD1"}));
    EXPECT_EQ(order.size(), 33);
    EXPECT_EQ(order[13], "EMPLOYEE_TEXT_NOTE");
    EXPECT_EQ(order[14], "COMPANY_ID");
}

// Order numbers are text; they must keep rising past 9.
TEST(EmployeeList, OrderNumbersCountAsNumbers) {
    test::OpenDataFolder data;
    EXPECT_EQ(NextEmployeeOrderId(), "1");
    for (const char* order : {"9", "10", "2"})
        ASSERT_TRUE(ExecSqlText(
            kDatabaseName, QStringLiteral("INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, "
                                          "EMPLOYEE_RECORD_ID, EMPLOYEE_ID, EMPLOYEE_ORDER_ID) "
                                          "VALUES ('001', '%1', '%1', '%1')")
                               .arg(QString::fromLatin1(order))));
    EXPECT_EQ(NextEmployeeOrderId(), "11");
}

} // namespace
} // namespace kx::staff
