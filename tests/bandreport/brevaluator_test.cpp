#include "bandreport/brevaluator.h"

#include "bandreport/brevelement.h"
#include "evaluate.h"
#include "platform/sys/cp936.h"
#include "platform/sys/exception.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

using test::Evaluate;
using test::ExpressionCase;

void ExpectAll(const std::vector<ExpressionCase>& cases) {
    for (const ExpressionCase& c : cases)
        EXPECT_EQ(Evaluate(QString::fromUtf8(c.Expression)), c.Expected) << c.Expression;
}

TEST(BREvaluatorTest, PrecedenceAndRightGrouping) {
    ExpectAll({
        {"1+2*3", "INTEGER 7"},
        {"10-4-3", "INTEGER 3"},
        {"10-4+3", "INTEGER 9"},
        {"8/4/2", "FLOAT 1"},
        {"7/2", "FLOAT 3.5"},
        {"(1+2)*3", "INTEGER 9"},
        {"2*(3-1)-1", "INTEGER 3"},
        {"-5+2", "INTEGER -3"},
        {"+4", "INTEGER 4"},
        {"  6 - 1  ", "INTEGER 5"},
        {"2*-3", "ERROR Illegal character in numeric contant \"2*\""},
    });
}

TEST(BREvaluatorTest, NumberLiterals) {
    ExpectAll({
        {"1E3", "FLOAT 1000"},
        {"1.25", "FLOAT 1.25"},
        {"2147483647", "INTEGER 2147483647"},
        {"2147483648", "FLOAT 2147483648"},
        {"1E-3", "ERROR Illegal character in numeric contant \"1E\""},
        {"1.5.5", "ERROR Illegal character in numeric contant \"1.5.5\""},
        {"12a", "ERROR Illegal character in numeric contant \"12a\""},
        {"1 2", "ERROR Illegal character in numeric contant \"1 2\""},
    });
}

TEST(BREvaluatorTest, MixedKindsAndComparisons) {
    ExpectAll({
        {"'A'+1", "STRING A1"},
        {"1=1.0", "BOOLEAN True"},
        {"1+0.5", "FLOAT 1.5"},
        {"TRUE='True'", "BOOLEAN True"},
        {"'x'+TRUE", "STRING xTrue"},
        {"'abc'<'abd'", "BOOLEAN True"},
        {"'ab'<'abc'", "BOOLEAN True"},
        {"'A'='a'", "BOOLEAN False"},
        {"'a'<>'b'", "BOOLEAN True"},
        {"2>=2", "BOOLEAN True"},
        {"2<=1", "BOOLEAN False"},
        {"1.5>1", "BOOLEAN True"},
        {"TRUE=FALSE", "BOOLEAN False"},
        // Code page 936 order, not Unicode order: 啊 is B0A1, 中 is D6D0.
        {"'啊'<'中'", "BOOLEAN True"},
        {"'中文'<'中'", "BOOLEAN False"},
        // No chained comparison: "2<3" is read as a number.
        {"1<2<3", "ERROR Illegal character in numeric contant \"2<3\""},
        {"'a=b'", "STRING a=b"},
        {"'it''s'", "STRING it''s"},
    });
}

TEST(BREvaluatorTest, OperatorsOnEachKind) {
    ExpectAll({
        {"2147483647+1", "INTEGER -2147483648"},
        {"65536*65536", "INTEGER 0"},
        {"5 or 3", "INTEGER 7"},
        {"6 and 3", "INTEGER 2"},
        {"TRUE or FALSE", "BOOLEAN True"},
        {"TRUE and FALSE", "BOOLEAN False"},
        {"1/0", "ERROR Cannot divide by 0"},
        {"1.5/0", "ERROR Cannot divide by 0"},
        {"1.5 or 1", "ERROR Operator OR is not compatible with numeric expressions"},
        {"1.5 and 1", "ERROR Operator AND is not compatible with numeric expressions"},
        {"'a' or 'b'", "ERROR Operator OR is not compatible with string expressions"},
        {"TRUE<FALSE", "ERROR Operator < is not compatible with boolean expressions"},
        {"TRUE>=FALSE", "ERROR Operator >= is not compatible with boolean expressions"},
        {"TRUE+TRUE", "ERROR Cannot add boolean expressions"},
        {"TRUE-TRUE", "ERROR Cannot subtract boolean expressions"},
        {"'a'-'b'", "ERROR Cannot subtract string expressions"},
        {"'a'*'b'", "ERROR Cannot multiply string expressions"},
        {"'a'/'b'", "ERROR Cannot divide string expressions"},
        {"TRUE/TRUE", "ERROR Cannot divide boolean expressions"},
        // The left error wins.
        {"(1/0)+'x'", "ERROR Cannot divide by 0"},
        {"1+(TRUE<TRUE)", "ERROR Operator < is not compatible with boolean expressions"},
    });
}

TEST(BREvaluatorTest, Negation) {
    ExpectAll({
        {"NOT TRUE", "BOOLEAN False"},
        {"not(FALSE)", "BOOLEAN True"},
        {"NOT FALSE AND TRUE", "BOOLEAN True"},
        {"NOT 1", "ERROR Invalid use of NOT"},
        // A name that merely begins with the letters stays a name.
        {"NOTE", "ERROR Unknown function : NOTE"},
        {"Nothing(1)", "ERROR Unknown function : NOTHING"},
    });
}

TEST(BREvaluatorTest, CompileErrorsBecomeValues) {
    ExpectAll({
        {"'abc", "ERROR Missing '"},
        {"'", "ERROR Missing '"},
        {"(1+2", "ERROR Missing )"},
        {"[Field", "ERROR Missing ]"},
        {"()", "ERROR Error in expression : "},
        {"IF(TRUE,,2)", "ERROR Error in expression : "},
        {"1+", "ERROR Illegal character in numeric contant \"1+\""},
        {"#", "ERROR Error in expression : #"},
        {"1+@", "ERROR Error in expression : @"},
        {"FOO(1)", "ERROR Unknown function : FOO"},
        {"foo", "ERROR Unknown function : FOO"},
        {"[foo]", "ERROR Unknown function : foo"},
        {"abc(1", "ERROR Unknown function : "},
    });
}

TEST(BREvaluatorTest, EmptyTextIsOneBlank) {
    EXPECT_EQ(Evaluate(QString()), "STRING  ");
}

TEST(BREvaluatorTest, LibraryFunctionWithoutParenthesesHasNoArguments) {
    ExpectAll({{"COUNT", "INTEGER 0"}, {"SUM", "ERROR "}, {"sum()", "ERROR "}});
}

TEST(BREvaluatorTest, TextsAreCutAt255BytesOnCharacterBoundaries) {
    const QString wide = QString(130, QChar(0x4E2D)); // 260 bytes of 中
    TBREvaluator evaluator;
    const TBREvValue value = evaluator.EvaluateOnce(QStringLiteral("'ab'+'%1'").arg(wide));
    ASSERT_EQ(value.Kind, TBREvKind::String);
    EXPECT_EQ(value.StringValue.size(), 254);
    EXPECT_EQ(value.Text(), QStringLiteral("ab") + QString(126, QChar(0x4E2D)));

    const TBREvValue literal = evaluator.EvaluateOnce(QStringLiteral("'a%1'").arg(wide));
    EXPECT_EQ(literal.StringValue.size(), 255);
}

TEST(BREvaluatorTest, ComputeBeforeCompileRaises) {
    TBREvaluator evaluator;
    try {
        evaluator.ComputeResult();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Evaluator not prepared"));
    }
    evaluator.Compile(QStringLiteral("1"));
    evaluator.DropCompiled();
    EXPECT_THROW(evaluator.ComputeResult(), Exception);
    EXPECT_THROW(evaluator.AccumulateAggregates(), Exception);
}

TEST(BREvaluatorTest, CompiledOnceComputedOften) {
    TBREvaluator evaluator;
    evaluator.Compile(QStringLiteral("2*3+1"));
    EXPECT_TRUE(evaluator.Compiled());
    EXPECT_EQ(test::Describe(evaluator.ComputeResult()), "INTEGER 7");
    EXPECT_EQ(test::Describe(evaluator.ComputeResult()), "INTEGER 7");
    EXPECT_FALSE(evaluator.HasAggregates());
    evaluator.Compile(QStringLiteral("COUNT+1"));
    EXPECT_TRUE(evaluator.HasAggregates());
}

TEST(BREvaluatorTest, DatasetListOwnedOnlyWhenMadeHere) {
    TBREvaluator evaluator;
    EXPECT_EQ(evaluator.Datasets(), nullptr);
    TBRDatasetList* owned = evaluator.OwnedDatasetList();
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(evaluator.OwnedDatasetList(), owned);
    TBRDatasetList handedIn;
    evaluator.AssignDatasets(&handedIn);
    EXPECT_EQ(evaluator.Datasets(), &handedIn);
}

} // namespace
} // namespace kx
