#include "bandreport/brevaggregates.h"

#include "bandreport/brevaluator.h"
#include "bandreport/brevenvironment.h"
#include "evaluate.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

using test::Describe;

// An expression over a named constant X whose value each step rewrites, as
// the report rewrites its page number between detail prints.
class Accumulation {
public:
    explicit Accumulation(const QString& expression) {
        environment_.DefineFunction(QStringLiteral("X"), QStringLiteral("0"));
        environment_.CompileAll();
        evaluator_.SetEnvironment(&environment_);
        evaluator_.Compile(expression);
        evaluator_.ResetElements();
    }
    ~Accumulation() {
        evaluator_.DropCompiled();
        environment_.ReleaseAll();
    }

    std::string Over(const std::vector<TBREvValue>& values) {
        for (const TBREvValue& value : values) {
            TBREvEnvironment::StoreResultConstant(
                environment_.FindConstantElement(QStringLiteral("X")), value);
            evaluator_.AccumulateAggregates();
        }
        return Describe(evaluator_.ComputeResult());
    }
    TBREvaluator& Evaluator() { return evaluator_; }

private:
    TBREvEnvironment environment_;
    TBREvaluator evaluator_;
};

TBREvValue I(qint32 v) {
    return TBREvValue::FromInteger(v);
}
TBREvValue F(double v) {
    return TBREvValue::FromFloat(v);
}
TBREvValue S(const char* v) {
    return TBREvValue::FromText(QString::fromUtf8(v));
}
TBREvValue B(bool v) {
    return TBREvValue::FromBoolean(v);
}

struct AggregateCase {
    const char* Expression;
    std::vector<TBREvValue> Values;
    const char* Expected;
};

TEST(BREvAggregatesTest, AccumulatedValues) {
    const std::vector<AggregateCase> cases = {
        {"SUM(X)", {}, "INTEGER 0"},
        {"SUM(X)", {I(1), I(2), I(3)}, "INTEGER 6"},
        {"SUM(X)", {F(1.5), F(2)}, "FLOAT 3.5"},
        {"SUM(X)", {I(1), F(2.5)}, "FLOAT 3.5"},
        {"SUM(X)", {I(1), B(true), I(2)}, "INTEGER 3"},
        {"SUM(X)", {I(1), TBREvValue::MakeError(QStringLiteral("e")), I(2)}, "INTEGER 3"},
        {"SUM(X)", {I(1), S("x"), I(2)}, "ERROR "},
        {"SUM(X)", {S("x"), I(2)}, "ERROR "},
        {"SUM(X,X)", {I(1)}, "ERROR "},
        {"AVERAGE(X)", {}, "FLOAT 0"},
        {"AVERAGE(X)", {I(1), I(2)}, "FLOAT 1.5"},
        {"AVERAGE(X)", {I(3), B(true)}, "FLOAT 1.5"},
        {"AVERAGE(X)", {S("x")}, "ERROR "},
        {"MAX(X)", {}, "INTEGER 0"},
        {"MAX(X)", {I(3), I(7), I(5)}, "INTEGER 7"},
        {"MIN(X)", {I(3), I(7), I(-5)}, "INTEGER -5"},
        {"MAX(X)", {F(1.5), I(2)}, "INTEGER 2"},
        {"MIN(X)", {S("b"), S("a"), S("c")}, "STRING a"},
        {"MAX(X)", {S("啊"), S("中")}, "STRING 中"},
        {"MIN(X)", {B(true), B(false), B(true)}, "BOOLEAN False"},
        {"MAX(X)", {B(true), B(false), B(true)}, "BOOLEAN True"},
        {"MAX(X)", {B(false), B(false)}, "BOOLEAN False"},
        {"MAX(X)", {TBREvValue::MakeError(QStringLiteral("e")), I(9)}, "ERROR e"},
        {"MAX(X,1)", {I(1)}, "ERROR "},
        {"COUNT", {I(0), I(0), I(0)}, "INTEGER 3"},
        {"COUNT(X)", {I(0)}, "ERROR COUNT - Too many arguments"},
        {"SUM(X)+COUNT", {I(4), I(6)}, "INTEGER 12"},
    };
    for (const AggregateCase& c : cases) {
        Accumulation accumulation(QString::fromUtf8(c.Expression));
        EXPECT_EQ(accumulation.Over(c.Values), c.Expected) << c.Expression;
    }
}

TEST(BREvAggregatesTest, PlainComputationOnlyReports) {
    Accumulation accumulation(QStringLiteral("COUNT"));
    accumulation.Over({I(0), I(0)});
    TBREvaluator& evaluator = accumulation.Evaluator();
    evaluator.ComputeResult();
    EXPECT_EQ(Describe(evaluator.ComputeResult()), "INTEGER 2");
}

TEST(BREvAggregatesTest, RestartClearsEveryAggregate) {
    Accumulation accumulation(QStringLiteral("STR(SUM(X))+'/'+STR(AVERAGE(X))+'/'+STR(COUNT)"));
    EXPECT_EQ(accumulation.Over({I(2), I(4)}), "STRING 6/3/2");
    accumulation.Evaluator().ResetElements();
    EXPECT_EQ(accumulation.Over({}), "STRING 0/0/0");
    EXPECT_EQ(accumulation.Over({I(5)}), "STRING 5/5/1");
}

TEST(BREvAggregatesTest, BothBranchesOfIfAccumulate) {
    Accumulation accumulation(QStringLiteral("IF(X>1, SUM(X), COUNT)"));
    EXPECT_EQ(accumulation.Over({I(1), I(2)}), "INTEGER 3");
    EXPECT_EQ(accumulation.Over({I(0)}), "INTEGER 3");
}

} // namespace
} // namespace kx
