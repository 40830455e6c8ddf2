#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "tests/platform/db/dbfixture.h"

namespace kx::db::test {
namespace {

class DataSetTest : public DbTest {
protected:
    void SetUp() override {
        Exec({"INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, SYS_USER) VALUES ('G001', '张三', "
              "'是')",
              "INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, SYS_USER) VALUES ('G002', '李四', "
              "'否')",
              "INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, SYS_USER) VALUES ('G003', '王五', "
              "'否')"});
    }
};

TEST_F(DataSetTest, OpensAndReadsEveryRowByName) {
    TQuery* query = NewQuery("SELECT  *  FROM  SYS_USER_TABLE ORDER BY USE_ID");
    query->Open();
    QStringList names;
    for (query->First(); !query->Eof(); query->Next())
        names.append(query->FieldByName("use_name")->AsString());
    EXPECT_EQ(names, QStringList({"张三", "李四", "王五"}));
    EXPECT_EQ(query->RecordCount(), 3);
    EXPECT_EQ(query->FieldByName("USE_ID")->DataType(), ftString);
    EXPECT_EQ(query->FieldByName("USE_ID")->Size(), 6);
    EXPECT_EQ(query->FieldByName("CREATE_DATE")->DataType(), ftDate);
}

} // namespace
} // namespace kx::db::test
