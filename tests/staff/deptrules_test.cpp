// Which departments may be added below a node and which may be deleted.

#include "staff/deptrules.h"

#include "core/sqlfunctions.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

class DeptRulesTest : public ::testing::Test {
protected:
    static void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    test::OpenDataFolder data_;
};

TEST_F(DeptRulesTest, TheTreeStopsAtTheFourthLevelAndTheThousandthChild) {
    const struct {
        const char* parent;
        int level;
        const char* refusal;
    } cases[] = {{"G001", 0, ""},
                 {"001", 1, ""},
                 {"001002", 2, ""},
                 {"001002003", 3, ""},
                 {"001002003004", 4, "部门只能有四级"}};
    for (const auto& c : cases) {
        EXPECT_EQ(DeptLevel(c.parent), c.level) << c.parent;
        EXPECT_EQ(AddDeptRefusal(c.parent), QString::fromUtf8(c.refusal)) << c.parent;
    }
    Exec("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) VALUES "
         "('999', 'G001', '满', 999), ('005998', '005', '差一', 998)");
    EXPECT_EQ(AddDeptRefusal("G001"), "同一级最多只能有999个部门，不能再增加");
    EXPECT_EQ(AddDeptRefusal("005"), "");
}

TEST_F(DeptRulesTest, OnlyAnUnusedLeafDepartmentMayBeDeleted) {
    Exec("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, PRIOR_ID, COMPANY_NAME, ORDER_ID) VALUES "
         "('G001', 'G002', '公司', 1), ('001', 'G001', '财务部', 1), "
         "('001001', '001', '出纳组', 1), ('002', 'G001', '销售部', 2), "
         "('003', 'G001', 'O''Brien部', 3)");
    Exec("INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, EMPLOYEE_ID, "
         "EMPLOYEE_NAME) VALUES ('002', '070305101010', '00001', '张三')");
    const struct {
        const char* code;
        const char* refusal;
    } cases[] = {{"G001", "根节点不能删除"},
                 {"001", "请先删除该部门的下级部门"},
                 {"002", "员工数据库中有对该记录的引用,记录不能删除"},
                 {"001001", ""},
                 {"003", ""},
                 {"x' OR '1'='1", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(DeleteDeptRefusal(c.code), QString::fromUtf8(c.refusal)) << c.code;
}

} // namespace
} // namespace kx::staff
