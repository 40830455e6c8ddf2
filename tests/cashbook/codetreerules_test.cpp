#include "cashbook/codetreerules.h"

#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "tests/core/programfixture.h"

#include <gtest/gtest.h>

namespace kx::cashbook {
namespace {

class CodeTreeRulesTest : public ::testing::Test {
protected:
    void Exec(const QString& sql) { test::ExecOnFile(data_.Folder.DatabaseFile(), sql); }

    test::OpenDataFolder data_;
    test::MessageRecorder messages_;
};

TEST_F(CodeTreeRulesTest, ChildrenStopAtTheLevelLimitAndAtCounter999) {
    EXPECT_EQ(AddChildRefusal(SubjectTreeRules(), "G001", 0), "");
    EXPECT_EQ(AddChildRefusal(SubjectTreeRules(), "001001001", 3), "");
    EXPECT_EQ(AddChildRefusal(SubjectTreeRules(), "001001001001", 4), "借贷科目只能有四级");
    EXPECT_EQ(AddChildRefusal(AccountTreeRules(), "G001", 0), "");
    EXPECT_EQ(AddChildRefusal(AccountTreeRules(), "001", 1), "资金账号只能有一级");

    Exec("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,MONEY_TYPE_NAME) "
         "VALUES('001998','001','a')");
    EXPECT_EQ(AddChildRefusal(SubjectTreeRules(), "001", 1), "");
    Exec("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,MONEY_TYPE_NAME) "
         "VALUES('001999','001','b')");
    EXPECT_EQ(AddChildRefusal(SubjectTreeRules(), "001", 1),
              "同一级最多只能有999个下级，不能再增加");
    EXPECT_EQ(AddChildRefusal(SubjectTreeRules(), "002", 1), "");
}

TEST_F(CodeTreeRulesTest, CodesInUseAreKeptInGuardOrder) {
    EXPECT_EQ(DeleteRefusal(SubjectTreeRules(), "001"), "");
    EXPECT_EQ(DeleteRefusal(AccountTreeRules(), "001"), "");
    Exec("INSERT INTO KX_MONEY_MONTH_TABLE(MONEY_MONTH,MONEY_ACCOUNT_ID) "
         "VALUES('2008年09月','001')");
    EXPECT_EQ(DeleteRefusal(AccountTreeRules(), "001"),
              "有该资金账号的收支台账记录，该资金账号不能删除");
    Exec("INSERT INTO KX_MONEY_DAY_TABLE(MONEY_DAY_DATE,MONEY_ACCOUNT_ID) "
         "VALUES('2008-09-01','002')");
    EXPECT_EQ(DeleteRefusal(AccountTreeRules(), "002"),
              "有该资金账号的收支台账记录，该资金账号不能删除");
    Exec("INSERT INTO KX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,"
         "MONEY_ACCOUNT_ID) VALUES('1','1','001002','001')");
    EXPECT_EQ(DeleteRefusal(AccountTreeRules(), "001"),
              "有该资金账号的借贷记录，该资金账号不能删除");
    EXPECT_EQ(DeleteRefusal(SubjectTreeRules(), "001002"),
              "有该借贷科目的收支记录，该借贷科目不能删除");
    EXPECT_EQ(DeleteRefusal(SubjectTreeRules(), "001"), "");
}

} // namespace
} // namespace kx::cashbook
