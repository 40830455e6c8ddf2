#include "bandreport/brevfunctions.h"

#include "bandreport/brfunctionlibrary.h"
#include "evaluate.h"

#include <QDate>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kx {
namespace {

using test::Evaluate;
using test::ExpressionCase;

void ExpectAll(const std::vector<ExpressionCase>& cases) {
    for (const ExpressionCase& c : cases)
        EXPECT_EQ(Evaluate(QString::fromUtf8(c.Expression)), c.Expected) << c.Expression;
}

TEST(BREvFunctionsTest, LogicalAndInformation) {
    ExpectAll({
        {"IF(TRUE,1,'x')", "INTEGER 1"},
        {"IF(FALSE,1,'x')", "STRING x"},
        {"IF(1<2,'yes',1/0)", "STRING yes"},
        {"IF(FALSE,1,1/0)", "ERROR Cannot divide by 0"},
        {"IF(1,2,3)", "ERROR Wrong arguments for IF"},
        {"IF(TRUE,1)", "ERROR Wrong arguments for IF"},
        {"TRUE(1)", "ERROR Too many arguments"},
        {"FALSE(1)", "ERROR Too many arguments"},
        {"TYPEOF(1)", "STRING INTEGER"},
        {"TYPEOF(1.5)", "STRING FLOAT"},
        {"TYPEOF('a')", "STRING STRING"},
        {"TYPEOF(TRUE)", "STRING BOOLEAN"},
        {"TYPEOF(1/0)", "STRING ERROR"},
        {"TYPEOF(1,2)", "ERROR Wrong arguments for TypeOf"},
    });
}

TEST(BREvFunctionsTest, Mathematics) {
    ExpectAll({
        {"DIV(7,2)", "INTEGER 3"},
        {"DIV(7.5,2)", "INTEGER 4"},
        {"DIV(6.5,2)", "INTEGER 3"},
        {"DIV(-7,2)", "INTEGER -3"},
        {"DIV(7,0)", "ERROR Division by Zero"},
        {"DIV(7,0.4)", "ERROR Division by Zero"},
        {"DIV('a',1)", "ERROR Wrong arguments for DIV"},
        {"DIV(1)", "ERROR Wrong arguments for DIV"},
        // Quotients and operands beyond 32 bits are refused, not wrapped.
        {"DIV(2147483647+1,0-1)", "ERROR Wrong arguments for DIV"},
        {"DIV(1E10,2)", "ERROR Wrong arguments for DIV"},
        {"INT(7.9)", "INTEGER 7"},
        {"INT(-7.9)", "INTEGER -7"},
        {"INT(5)", "INTEGER 5"},
        {"INT(3000000000.5)", "ERROR Wrong arguments for INT"},
        {"INT('a')", "ERROR Wrong arguments for INT"},
        {"INT()", "ERROR Wrong arguments for INT"},
        {"FRAC(1.25)", "FLOAT 0.25"},
        {"FRAC(-1.25)", "FLOAT -0.25"},
        {"FRAC(3)", "FLOAT 0"},
        {"FRAC('a')", "ERROR "},
        {"SQRT(9)", "FLOAT 3"},
        {"SQRT(2.25)", "FLOAT 1.5"},
        {"SQRT(-4)", "ERROR Invalid argument to SQRT function"},
        {"SQRT('a')", "ERROR Invalid argument to SQRT function"},
        {"SQRT(1,2)", "ERROR Invalid argument to SQRT function"},
    });
}

TEST(BREvFunctionsTest, Texts) {
    ExpectAll({
        {"STR(12)", "STRING 12"},
        {"STR(1.5)", "STRING 1.5"},
        {"STR(TRUE)", "STRING True"},
        {"STR('a')", "ERROR Conversion error"},
        {"STR(1/0)", "ERROR Conversion error"},
        {"STR(1,2)", "ERROR Conversion error"},
        {"UPPER('abc中')", "STRING ABC中"},
        {"LOWER('ABC')", "STRING abc"},
        {"UPPER(1)", "ERROR "},
        {"UPPER(1/0)", "ERROR Cannot divide by 0"},
        {"UPPER()", "ERROR Missing argument for UPPER"},
        {"LOWER('a','b')", "ERROR Missing argument for LOWER"},
        {"PRETTY('hELLO wORLD')", "STRING Hello world"},
        {"PRETTY('中ABC')", "STRING 中abc"},
        {"PRETTY('')", "STRING "},
        {"PRETTY(TRUE)", "ERROR "},
        {"PRETTY()", "ERROR Missing argument for PRETTY"},
        {"FORMATNUMERIC('0.00',3.14159)", "STRING 3.14"},
        {"FORMATNUMERIC('#,##0',1234567)", "STRING 1,234,567"},
        {"FORMATNUMERIC(1,2)", "ERROR "},
        {"FORMATNUMERIC('0')", "ERROR "},
        {"TIME(1)", "ERROR "},
        {"DATE(1)", "ERROR "},
    });
}

TEST(BREvFunctionsTest, CaseChangesLeaveTrailBytesAlone) {
    // 瞭 is B2 74: its trail byte is the letter 't'.
    TBREvaluator evaluator;
    EXPECT_EQ(evaluator.EvaluateOnce(QStringLiteral("UPPER('瞭a')")).StringValue,
              QByteArray("\xB2\x74\x41"));
    EXPECT_EQ(evaluator.EvaluateOnce(QStringLiteral("LOWER('瞭A')")).StringValue,
              QByteArray("\xB2\x74\x61"));
}

TEST(BREvFunctionsTest, CopyNeverSplitsADoubleByteCharacter) {
    // '中文字' is D6D0 CEC4 D7D6.
    ExpectAll({
        {"COPY('abcdef',2,3)", "STRING bcd"},
        {"COPY('abc',0,2)", "STRING ab"},
        {"COPY('abc',-5,1)", "STRING a"},
        {"COPY('abc',2,10)", "STRING bc"},
        {"COPY('abc',5,2)", "STRING "},
        {"COPY('abc',2,-1)", "STRING "},
        {"COPY('中文字',1,2)", "STRING 中"},
        {"COPY('中文字',1,3)", "STRING 中"},
        {"COPY('中文字',2,2)", "STRING "},
        {"COPY('中文字',2,4)", "STRING 文"},
        {"COPY('中文字',3,4)", "STRING 文字"},
        {"COPY('a中',2,2147483647)", "STRING 中"},
        {"COPY('abc',1.0,1)", "ERROR "},
        {"COPY('abc',1)", "ERROR "},
        {"COPY(1,1,1)", "ERROR "},
    });
}

TEST(BREvFunctionsTest, DateAndTimeOfNow) {
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(Evaluate(QStringLiteral("DATE")), "STRING " + today.toStdString());
    const std::string time = Evaluate(QStringLiteral("TIME"));
    EXPECT_TRUE(QString::fromStdString(time).contains(
        QRegularExpression(QStringLiteral("^STRING \\d\\d:\\d\\d:\\d\\d$"))))
        << time;
}

TEST(BRFunctionLibraryTest, RegisteredInBuilderOrderWithCodesAndDescriptions) {
    const auto& entries = FunctionLibrary().Entries();
    QStringList names;
    for (const TBRLibraryEntry& entry : entries)
        names << entry.Name + u':' + entry.SignatureCode;
    EXPECT_EQ(names.join(u' '),
              QStringLiteral("IF:5BVV STR:7N UPPER:7S LOWER:7S PRETTY:7S TIME:1 DATE:1 COPY:7SNN "
                             "SUM:3N COUNT:3 MAX:3V MIN:3V AVERAGE:3N TRUE:5 FALSE:5 INT:2N "
                             "FRAC:2N SQRT:2N DIV:2NN TYPEOF:6N FORMATNUMERIC:7SN"));
    EXPECT_EQ(FunctionLibrary().Find(QStringLiteral("div"))->Description,
              QStringLiteral("DIV(<X>, <Y>) | Integer division of <X> by <Y>"));
    EXPECT_EQ(FunctionLibrary().Find(QStringLiteral("Copy"))->Description,
              QStringLiteral("COPY(<X>, <St>,<Len>)|Returns a substring of string X"));
    EXPECT_EQ(FunctionLibrary().Find(QStringLiteral("NOPE")), nullptr);
}

} // namespace
} // namespace kx
