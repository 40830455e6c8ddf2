#include "bandreport/brevelement.h"

#include "bandreport/brevaluator.h"
#include "evaluate.h"
#include "tests/platform/db/dbfixture.h"

namespace kx {
namespace {

using test::Describe;

// Two data sets of a run, "Query" and "Other", over tables of every field
// kind an expression reads.
class DataFieldTest : public db::test::DbTest {
protected:
    void SetUp() override {
        Exec({"CREATE TABLE EXPR_TABLE (REN_ID INTEGER, NAME VARCHAR(20), AMOUNT CURRENCY, "
              "RATE REAL, ACTIVE BOOLEAN, DAY DATE, NOTE MEMO)",
              "INSERT INTO EXPR_TABLE VALUES (7, '张三', 12.5, 0.25, 1, '2024-01-31', 'memo')",
              "INSERT INTO EXPR_TABLE VALUES (8, '李四', 30, 0.5, 0, '2024-02-29', NULL)",
              "CREATE TABLE EXPR_OTHER (NAME VARCHAR(20), SMALL SMALLINT)",
              "INSERT INTO EXPR_OTHER VALUES ('other', 3)"});
        query_ = NewQuery("SELECT * FROM EXPR_TABLE ORDER BY REN_ID");
        query_->setObjectName(QStringLiteral("Query"));
        other_ = NewQuery("SELECT * FROM EXPR_OTHER");
        other_->setObjectName(QStringLiteral("Other"));
        query_->Open();
        other_->Open();
        datasets_ = {query_, other_};
        evaluator_.AssignDatasets(&datasets_);
    }

    std::string Evaluate(const char* expression) {
        return Describe(evaluator_.EvaluateOnce(QString::fromUtf8(expression)));
    }

    db::TQuery* query_ = nullptr;
    db::TQuery* other_ = nullptr;
    TBRDatasetList datasets_;
    TBREvaluator evaluator_;
};

TEST_F(DataFieldTest, NamesReachFieldsOfTheRunsDataSets) {
    const std::vector<test::ExpressionCase> cases = {
        {"Query.REN_ID", "INTEGER 7"},
        {"REN_ID", "INTEGER 7"},
        {"[Query.REN_ID]", "INTEGER 7"},
        {"query.ren_id*2", "INTEGER 14"},
        {"NAME", "STRING 张三"},
        {"Other.NAME", "STRING other"},
        {"[other.name]+'!'", "STRING other!"},
        {"SMALL", "INTEGER 3"},
        {"AMOUNT", "FLOAT 12.5"},
        {"RATE*4", "FLOAT 1"},
        {"ACTIVE", "BOOLEAN True"},
        {"NOT Query.ACTIVE", "BOOLEAN False"},
        {"DAY", "STRING 2024-01-31"},
        {"NOTE", "ERROR Field NOTE is of unknown type"},
        {"Other.REN_ID", "ERROR Unknown function : OTHER.REN_ID"},
        {"Nobody.REN_ID", "ERROR Unknown function : NOBODY.REN_ID"},
    };
    for (const test::ExpressionCase& c : cases)
        EXPECT_EQ(Evaluate(c.Expression), c.Expected) << c.Expression;
}

TEST_F(DataFieldTest, ValuesFollowTheCurrentRecord) {
    evaluator_.Compile(QStringLiteral("STR(REN_ID)+':'+NAME+':'+STR(AMOUNT*2)"));
    EXPECT_EQ(Describe(evaluator_.ComputeResult()), "STRING 7:张三:25");
    query_->Next();
    EXPECT_EQ(Describe(evaluator_.ComputeResult()), "STRING 8:李四:60");
}

TEST_F(DataFieldTest, AggregatesAccumulateOncePerRecord) {
    evaluator_.Compile(QStringLiteral("STR(SUM(AMOUNT))+'/'+STR(COUNT)+'/'+MAX(NAME)"));
    evaluator_.ResetElements();
    for (query_->First(); !query_->Eof(); query_->Next())
        evaluator_.AccumulateAggregates();
    // 张 (D5C5) comes after 李 (C0EE) in code page 936, before it in Unicode.
    EXPECT_EQ(Describe(evaluator_.ComputeResult()), "STRING 42.5/2/张三");
}

TEST_F(DataFieldTest, FieldsMadeAtOpenAreFoundAgainAfterReopening) {
    evaluator_.Compile(QStringLiteral("Query.NAME"));
    query_->Close();
    query_->Open();
    query_->Last();
    EXPECT_EQ(Describe(evaluator_.ComputeResult()), "STRING 李四");
    query_->Close();
    EXPECT_EQ(Describe(evaluator_.ComputeResult()), "ERROR Field NAME is of unknown type");
}

TEST_F(DataFieldTest, WithoutADataSetListNamesAreFunctions) {
    TBREvaluator plain;
    EXPECT_EQ(Describe(plain.EvaluateOnce(QStringLiteral("REN_ID"))),
              "ERROR Unknown function : REN_ID");
}

} // namespace
} // namespace kx
