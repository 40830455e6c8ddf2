#include "bandreport/brevenvironment.h"

#include "bandreport/brevaluator.h"
#include "evaluate.h"
#include "platform/ui/application.h"

#include <QDate>

#include <gtest/gtest.h>

namespace kx {
namespace {

using test::Describe;
using test::Evaluate;

// The report's own functions, as a report defines them.
class ReportFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        functions.DefineFunction(QStringLiteral("PageNumber"), QStringLiteral("0"));
        functions.DefineFunction(QStringLiteral("ColumnNumber"), QStringLiteral("0"));
        functions.DefineFunction(QStringLiteral("ReportTitle"), QStringLiteral("''"));
    }
    TBREvEnvironment functions;
};

TEST_F(ReportFunctions, NamesAreUpperCaseInDefinitionOrder) {
    functions.DefineFunction(QStringLiteral("reporttitle"), QStringLiteral("'other'"));
    EXPECT_EQ(functions.Names(), QStringList({"PAGENUMBER", "COLUMNNUMBER", "REPORTTITLE"}));
    EXPECT_EQ(functions.FunctionText(QStringLiteral("ReportTitle")), QStringLiteral("''"));
}

TEST_F(ReportFunctions, ConstantsAreRewrittenWhileCompiled) {
    functions.CompileAll();
    TBREvEnvironment::StoreIntegerConstant(
        functions.FindConstantElement(QStringLiteral("pagenumber")), 5);
    TBREvEnvironment::StoreStringConstant(
        functions.FindConstantElement(QStringLiteral("REPORTTITLE")), QStringLiteral("部门表"));
    EXPECT_EQ(Evaluate(QStringLiteral("PAGENUMBER+1"), &functions), "INTEGER 6");
    EXPECT_EQ(Evaluate(QStringLiteral("ReportTitle+'!'"), &functions), "STRING 部门表!");
    EXPECT_EQ(Describe(functions.EvaluateFunction(QStringLiteral("PageNumber"))), "INTEGER 5");

    // A constant of the wrong class is left alone.
    TBREvEnvironment::StoreStringConstant(
        functions.FindConstantElement(QStringLiteral("PAGENUMBER")), QStringLiteral("x"));
    TBREvEnvironment::StoreResultConstant(
        functions.FindConstantElement(QStringLiteral("REPORTTITLE")), TBREvValue::FromInteger(1));
    EXPECT_EQ(Evaluate(QStringLiteral("STR(PAGENUMBER)+REPORTTITLE"), &functions),
              "STRING 5部门表");
    functions.ReleaseAll();
}

TEST_F(ReportFunctions, CompiledUntilTheLastReleaseBalancesTheCompiles) {
    EXPECT_EQ(functions.FindConstantElement(QStringLiteral("PAGENUMBER")), nullptr);
    functions.CompileAll();
    functions.CompileAll();
    functions.ReleaseAll();
    EXPECT_TRUE(functions.IsCompiled());
    EXPECT_NE(functions.FindConstantElement(QStringLiteral("PAGENUMBER")), nullptr);
    functions.ReleaseAll();
    EXPECT_FALSE(functions.IsCompiled());
    EXPECT_EQ(functions.FindConstantElement(QStringLiteral("PAGENUMBER")), nullptr);
    functions.ReleaseAll();
    EXPECT_FALSE(functions.IsCompiled());
}

TEST_F(ReportFunctions, FunctionDefinedWhileCompiledIsCompiledAtOnce) {
    functions.CompileAll();
    functions.DefineFunction(QStringLiteral("Twice"), QStringLiteral("PAGENUMBER*2+1"));
    EXPECT_EQ(Describe(functions.EvaluateFunction(QStringLiteral("TWICE"))), "INTEGER 1");
    EXPECT_EQ(Describe(functions.EvaluateFunction(QStringLiteral("NOPE"))), "ERROR ");
    functions.ReleaseAll();
}

TEST_F(ReportFunctions, ReferenceToARemovedFunctionReadsAsUnknown) {
    functions.CompileAll();
    TBREvaluator evaluator;
    evaluator.SetEnvironment(&functions);
    evaluator.Compile(QStringLiteral("ColumnNumber"));
    functions.RemoveFunction(QStringLiteral("columnnumber"));
    EXPECT_EQ(Describe(evaluator.ComputeResult()), "ERROR Unknown function : COLUMNNUMBER");
    EXPECT_EQ(functions.Names(), QStringList({"PAGENUMBER", "REPORTTITLE"}));
    functions.ReleaseAll();
}

TEST(BREvEnvironmentTest, RecursiveReferencesAreRefused) {
    TBREvEnvironment functions;
    functions.DefineFunction(QStringLiteral("A"), QStringLiteral("B+1"));
    functions.DefineFunction(QStringLiteral("B"), QStringLiteral("A*2"));
    functions.DefineFunction(QStringLiteral("C"), QStringLiteral("C"));
    functions.CompileAll();
    EXPECT_EQ(Describe(functions.EvaluateFunction(QStringLiteral("A"))),
              "ERROR Recursive calls not allowed");
    EXPECT_EQ(Evaluate(QStringLiteral("C"), &functions), "ERROR Recursive calls not allowed");
    // The guard is lifted once the evaluation is over.
    EXPECT_EQ(Evaluate(QStringLiteral("TYPEOF(B)"), &functions), "STRING ERROR");
    functions.ReleaseAll();
}

TEST(BREvEnvironmentTest, GlobalFunctionsAreReachedFromEveryExpression) {
    TBREvEnvironment functions;
    functions.DefineFunction(QStringLiteral("AppName"), QStringLiteral("'mine'"));
    functions.CompileAll();
    const std::string name = ui::ApplicationTitle().toStdString();
    EXPECT_EQ(Evaluate(QStringLiteral("AppName")), "STRING " + name);
    EXPECT_EQ(Evaluate(QStringLiteral("APPNAME"), &functions), "STRING mine");
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(Evaluate(QStringLiteral("AppStartDate"), &functions),
              "STRING " + today.toStdString());
    EXPECT_EQ(GlobalReportEnvironment().Names(),
              QStringList({"APPSTARTTIME", "APPSTARTDATE", "APPNAME"}));
    functions.ReleaseAll();
}

} // namespace
} // namespace kx
