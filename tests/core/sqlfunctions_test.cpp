#include "core/sqlfunctions.h"

#include "platform/db/query.h"
#include "platform/db/variants.h"
#include "tests/core/programfixture.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace kx {
namespace {

class SqlFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ExecOnFile(data_.Folder.DatabaseFile(),
                         "INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES "
                         "('A', '1,234.50'), ('B', 'abc'), ('C', 'x:y')");
    }
    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
};

TEST_F(SqlFunctionsTest, NoRowGivesEmptyZeroAndNull) {
    const QString none = "SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'none'";
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName, none), "");
    EXPECT_EQ(GetSqlFirstFloat(kDatabaseName, none), 0);
    EXPECT_TRUE(db::VarIsNull(GetSqlFirstRow(kDatabaseName, none)));
}

TEST_F(SqlFunctionsTest, FirstValueAsTextAndAsAmount) {
    const QString a = "SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'A'";
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName, a), "1,234.50");
    EXPECT_EQ(GetSqlFirstFloat(kDatabaseName, a), 1234.5);
    EXPECT_EQ(
        GetSqlFirstFloat(kDatabaseName, "SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'B'"), 0);
    EXPECT_EQ(GetSqlFirstValueFormat(
                  kDatabaseName, "SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '%s'", {"C"}),
              "x:y");
}

TEST_F(SqlFunctionsTest, FirstRowOfSeveralColumnsIsAList) {
    const QVariant row = GetSqlFirstRow(
        kDatabaseName, "SELECT NAME_ID, AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'A'");
    EXPECT_EQ(row.toList(), (QVariantList{"A", "1,234.50"}));
    EXPECT_EQ(GetSqlFirstRow(kDatabaseName, "SELECT NAME_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'B'")
                  .toString(),
              "B");
}

TEST_F(SqlFunctionsTest, ColonInTheTextIsNoParameter) {
    const auto query =
        OpenSqlQuery(kDatabaseName, "SELECT NAME_ID FROM SYS_ID_TABLE WHERE AUTO_ID = 'x:y'");
    EXPECT_EQ(query->RecordCount(), 1);
}

TEST_F(SqlFunctionsTest, ExecReportsFailureOnlyByItsResult) {
    EXPECT_TRUE(ExecSqlText(kDatabaseName,
                            "INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('D', '1')"));
    EXPECT_FALSE(ExecSqlText(kDatabaseName,
                             "INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('D', '2')"));
    EXPECT_FALSE(ExecSqlFormat(kDatabaseName, "DELETE FROM NO_SUCH_TABLE WHERE X = %d", {1}));
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(SqlFunctionsTest, OpeningErrorsReachTheCaller) {
    EXPECT_THROW(OpenSqlQuery(kDatabaseName, "SELECT * FROM NO_SUCH_TABLE"), db::EDBEngineError);
    EXPECT_THROW(GetSqlFirstValue(kDatabaseName, "SELECT * FROM NO_SUCH_TABLE"),
                 db::EDBEngineError);
}

TEST_F(SqlFunctionsTest, QuotedTextCannotEndTheLiteral) {
    EXPECT_EQ(QuotedStr("O'Brien"), "'O''Brien'");
    EXPECT_TRUE(ExecSqlText(kDatabaseName, "INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES (" +
                                               QuotedStr("it's") + ", " + QuotedStr("' OR ''='") +
                                               ")"));
    EXPECT_EQ(GetSqlFirstValue(kDatabaseName, "SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = " +
                                                  QuotedStr("it's")),
              "' OR ''='");
}

TEST_F(SqlFunctionsTest, ComboFilledInRowOrderAndQueryLeftAtTheEnd) {
    auto query = OpenSqlQuery(kDatabaseName, "SELECT NAME_ID FROM SYS_ID_TABLE ORDER BY NAME_ID");
    QComboBox combo;
    combo.addItem("old");
    FillComboFromQuery(&combo, *query, "NAME_ID");
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), "A");
    EXPECT_EQ(combo.itemText(2), "C");
    EXPECT_TRUE(query->Eof());
}

} // namespace
} // namespace kx
