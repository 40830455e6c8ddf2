// Deleting an employee takes its attachment rows in one transaction and
// names the stored copies to remove: its own and those of rows whose
// employee vanished earlier.

#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "staff/employeedelete.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::staff {
namespace {

class EmployeeDeleteTest : public ::testing::Test {
protected:
    EmployeeDeleteTest() {
        Exec(
            "INSERT INTO KX_EMPLOYEE_TABLE (COMPANY_ID, EMPLOYEE_RECORD_ID, EMPLOYEE_ID, "
            "EMPLOYEE_NAME) VALUES ('001', 'R1', '00001', '张三'), ('001', 'R2', '00002', '李四')");
        Exec("INSERT INTO KX_EMPLOYEE_MASTER_FILE_TABLE (EMPLOYEE_RECORD_ID, FILE_RECORD_ID, "
             "FILE_TITLE_NAME) VALUES ('R1', 'F1', 'a.doc'), ('R1', 'F2', ''), ('R2', 'F3', "
             "'b.doc'), "
             "('GONE', 'F4', 'c.doc')");
        Exec("INSERT INTO KX_EMPLOYEE_MASTER_PICTURE_TABLE (EMPLOYEE_RECORD_ID, PICTURE_RECORD_ID, "
             "PICTURE_TITLE_NAME) VALUES ('R1', 'G1', 'a.jpg'), ('GONE', 'G2', 'b.jpg'), "
             "('R2', 'G3', 'c.jpg')");
    }
    static void Exec(const QString& sql) { ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)); }
    static QString Ids(const char* table, const char* column) {
        return GetSqlFirstValue(kDatabaseName,
                                QStringLiteral("SELECT group_concat(%1, ',') FROM "
                                               "(SELECT %1 FROM %2 ORDER BY %1)")
                                    .arg(QString::fromLatin1(column), QString::fromLatin1(table)));
    }

    test::OpenDataFolder data_;
};

TEST_F(EmployeeDeleteTest, RowsGoTogetherAndTheCopiesAreNamed) {
    const TEmployeeDeleteResult result = DeleteEmployeeWithAttachments({"001", "R1", "00001"});
    ASSERT_TRUE(result.Deleted) << result.Message.toStdString();
    EXPECT_EQ(Ids("KX_EMPLOYEE_TABLE", "EMPLOYEE_RECORD_ID"), "R2");
    EXPECT_EQ(Ids("KX_EMPLOYEE_MASTER_FILE_TABLE", "FILE_RECORD_ID"), "F3,F4");
    EXPECT_EQ(Ids("KX_EMPLOYEE_MASTER_PICTURE_TABLE", "PICTURE_RECORD_ID"), "G2,G3");
    // A row without a title has no copy; orphans lose their copies only.
    QStringList copies = result.StoredCopies;
    copies.sort();
    EXPECT_EQ(copies, QStringList({"F1", "F4", "G1", "G2"}));
}

TEST_F(EmployeeDeleteTest, AFailedStepDeletesNothing) {
    const struct {
        const char* table;
        const char* message;
    } cases[] = {
        {"KX_EMPLOYEE_MASTER_FILE_TABLE", "该员工的电子文档记录删除过程发生错误"},
        {"KX_EMPLOYEE_MASTER_PICTURE_TABLE", "该员工的图片记录删除过程发生错误"},
        {"KX_EMPLOYEE_TABLE", "数据库操作过程发生错误"},
    };
    for (const auto& c : cases) {
        Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON %1 BEGIN SELECT RAISE(ABORT, "
                            "'refused'); END")
                 .arg(QString::fromLatin1(c.table)));
        const TEmployeeDeleteResult result = DeleteEmployeeWithAttachments({"001", "R1", "00001"});
        EXPECT_FALSE(result.Deleted) << c.table;
        EXPECT_EQ(result.Message, QString::fromUtf8(c.message));
        EXPECT_TRUE(result.StoredCopies.isEmpty());
        EXPECT_EQ(Ids("KX_EMPLOYEE_TABLE", "EMPLOYEE_RECORD_ID"), "R1,R2");
        EXPECT_EQ(Ids("KX_EMPLOYEE_MASTER_FILE_TABLE", "FILE_RECORD_ID"), "F1,F2,F3,F4");
        EXPECT_EQ(Ids("KX_EMPLOYEE_MASTER_PICTURE_TABLE", "PICTURE_RECORD_ID"), "G1,G2,G3");
        Exec("DROP TRIGGER refuse");
    }
}

} // namespace
} // namespace kx::staff
