#include "grid/base/filterexpressionparser.h"

#include "platform/sys/exception.h"

#include <QDateTime>
#include <QDebug>

#include <gtest/gtest.h>

namespace kx {
namespace {

// Same type and value, element by element for lists: a text "5" must not
// pass for the number 5.
bool Same(const QVariant& a, const QVariant& b) {
    if (a.metaType() != b.metaType())
        return false;
    if (a.typeId() != QMetaType::QVariantList)
        return a == b;
    const QVariantList left = a.toList();
    const QVariantList right = b.toList();
    if (left.size() != right.size())
        return false;
    for (qsizetype i = 0; i < left.size(); ++i)
        if (!Same(left[i], right[i]))
            return false;
    return true;
}

std::string Shown(const QVariant& value) {
    QString text;
    QDebug(&text) << value;
    return text.toStdString();
}

QVariant Texts(std::initializer_list<const char*> texts) {
    QVariantList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

struct ParseCase {
    const char* text;
    quint8 type;
    quint8 operator1;
    QVariant operand1;
    quint8 relation;
    quint8 operator2;
    QVariant operand2;
    bool secondRead;
};

class FilterParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(FilterParseTest, FillsTheExpression) {
    const ParseCase& c = GetParam();
    TSTFilterExpressionX expression;
    expression.ExpressionType = c.type;
    const bool secondRead = ParseFilterRowExpression(QString::fromUtf8(c.text), expression);
    EXPECT_EQ(secondRead, c.secondRead);
    EXPECT_EQ(expression.ExpressionType, c.type);
    EXPECT_EQ(expression.Operator1, c.operator1);
    EXPECT_TRUE(Same(expression.Operand1, c.operand1))
        << Shown(expression.Operand1) << " vs " << Shown(c.operand1);
    EXPECT_EQ(expression.Relation, c.relation);
    EXPECT_EQ(expression.Operator2, c.operator2);
    EXPECT_TRUE(Same(expression.Operand2, c.operand2))
        << Shown(expression.Operand2) << " vs " << Shown(c.operand2);
}

const QVariant kNone;

QVariant Text(const char* text) {
    return QString::fromUtf8(text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FilterParseTest,
    testing::Values(
        ParseCase{"abc", fetText, fopLike, Text("abc"), 0, 0, kNone, false},
        ParseCase{"5", fetNumber, fopEqual, 5.0, 0, 0, kNone, false},
        ParseCase{"5", fetOther, fopEqual, Text("5"), 0, 0, kNone, false},
        ParseCase{"1,2,3", fetText, fopIn, Texts({"1", "2", "3"}), 0, 0, kNone, false},
        ParseCase{"1,5", fetNumber, fopIn, QVariantList{1.0, 5.0}, 0, 0, kNone, false},
        ParseCase{"> 5 AND < 10", fetNumber, fopGreater, 5.0, fopAnd, fopLess, 10.0, true},
        ParseCase{"= NULL", fetText, fopIsNull, kNone, 0, 0, kNone, false},
        ParseCase{"<> null", fetText, fopIsNotNull, kNone, 0, 0, kNone, false},
        ParseCase{"!= NULL", fetText, fopIsNotNull, kNone, 0, 0, kNone, false},
        ParseCase{"= 5 AND", fetNumber, fopEqual, 5.0, fopAnd, 0, kNone, false},
        ParseCase{"= 5 AND = 6)", fetNumber, fopEqual, 5.0, fopAnd, fopEqual, 6.0, true},
        ParseCase{"New York", fetText, fopLike, Text("New York"), 0, 0, kNone, false},
        ParseCase{"A AND B", fetText, fopLike, Text("A"), fopAnd, fopLike, Text("B"), true},
        ParseCase{"x y or z", fetText, fopLike, Text("x y"), fopOr, fopLike, Text("z"), true},
        ParseCase{"a & b", fetText, fopLike, Text("a"), fopAnd, fopLike, Text("b"), true},
        ParseCase{"a | 'b c'", fetText, fopLike, Text("a"), fopOr, fopLike, Text("b c"), true},
        ParseCase{"IN ('a b', c)", fetText, fopIn, Texts({"a b", " c"}), 0, 0, kNone, false},
        ParseCase{"IN ( 1, 2 )", fetNumber, fopIn, QVariantList{1.0, 2.0}, 0, 0, kNone, false},
        ParseCase{"not in (a)", fetText, fopNotIn, Text("a"), 0, 0, kNone, false},
        ParseCase{"! IN (a,b)", fetText, fopNotIn, Texts({"a", "b"}), 0, 0, kNone, false},
        ParseCase{"NOT LIKE x", fetText, fopNotLike, Text("x"), 0, 0, kNone, false},
        ParseCase{"!~ x", fetText, fopNotLike, Text("x"), 0, 0, kNone, false},
        ParseCase{"~x", fetText, fopLike, Text("x"), 0, 0, kNone, false},
        ParseCase{">=1", fetNumber, fopGreaterOrEqual, 1.0, 0, 0, kNone, false},
        ParseCase{"<=-1.5", fetNumber, fopLessOrEqual, -1.5, 0, 0, kNone, false},
        ParseCase{"<>'it'", fetText, fopNotEqual, Text("it"), 0, 0, kNone, false},
        // A keyword needs a whole word: these are plain values.
        ParseCase{"notebook", fetText, fopLike, Text("notebook"), 0, 0, kNone, false},
        ParseCase{"Oregon", fetText, fopLike, Text("Oregon"), 0, 0, kNone, false},
        ParseCase{"账户 AND 现金", fetText, fopLike, Text("账户"), fopAnd, fopLike, Text("现金"),
                  true},
        ParseCase{"2007-03-05", fetDateTime, fopEqual, QDateTime(QDate(2007, 3, 5), QTime(0, 0)), 0,
                  0, kNone, false},
        // An operator's value after the relation is not checked for ")".
        ParseCase{"IN (1) OR IN (2, 3", fetNumber, fopIn, 1.0, fopOr, fopIn, QVariantList{2.0, 3.0},
                  true},
        ParseCase{"", fetText, 0, kNone, 0, 0, kNone, false},
        ParseCase{" \t ", fetText, 0, kNone, 0, 0, kNone, false}));

struct ErrorCase {
    const char* text;
    quint8 type;
    const char* message;
};

class FilterErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(FilterErrorTest, RaisesTheMessageWithTheTrimmedText) {
    const ErrorCase& c = GetParam();
    TSTFilterExpressionX expression;
    expression.ExpressionType = c.type;
    try {
        ParseFilterRowExpression(QString::fromUtf8(c.text), expression);
        ADD_FAILURE() << "no error for " << c.text;
    } catch (const EConvertError&) {
        ADD_FAILURE() << "conversion error for " << c.text;
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message().toStdString(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FilterErrorTest,
    testing::Values(ErrorCase{"NULL", fetText, "Unexpected expression after operator: NULL"},
                    ErrorCase{"NOT NULL", fetText,
                              "Unexpected expression after operator: NOT NULL"},
                    ErrorCase{"=", fetText, "Unexpected expression after operator: ="},
                    ErrorCase{"  'abc  ", fetText, "Quote is absent: 'abc"},
                    ErrorCase{"IN 1, 2", fetText, "'(' expected: IN 1, 2"},
                    ErrorCase{"IN (1, 2", fetText, "')' expected: IN (1, 2"},
                    ErrorCase{"= 5 = 6", fetNumber, "Unexpected AND or OR: = 5 = 6"},
                    ErrorCase{"> NULL", fetNumber, "Unexpected expression before Null: > NULL"},
                    ErrorCase{"(", fetText, "Error in expression: ("},
                    ErrorCase{"a (b", fetText, "Incorrect expression: a (b"},
                    ErrorCase{"= 5 AND (", fetNumber, "Incorrect expression: = 5 AND ("},
                    // Found while the value before it is read.
                    ErrorCase{"x IN y", fetText, "'(' expected: x IN y"},
                    ErrorCase{"x 'y", fetText, "Quote is absent: x 'y"}));

TEST(FilterParse, ValuesThatDoNotConvertRaiseTheConversionError) {
    TSTFilterExpressionX number;
    number.ExpressionType = fetNumber;
    EXPECT_THROW(ParseFilterRowExpression(QStringLiteral("abc"), number), EConvertError);
    EXPECT_THROW(ParseFilterRowExpression(QStringLiteral("IN (1, x)"), number), EConvertError);

    TSTFilterExpressionX date;
    date.ExpressionType = fetDateTime;
    try {
        ParseFilterRowExpression(QStringLiteral("2007-13-45"), date);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& error) {
        // The application's handler turns this text into its date prompt.
        EXPECT_TRUE(error.Message().contains(QStringLiteral("is not a valid date")));
    }
}

TEST(FilterParse, ParsingClearsWhatAnEarlierParseLeft) {
    TSTFilterExpressionX expression;
    expression.ExpressionType = fetText;
    ASSERT_TRUE(ParseFilterRowExpression(QStringLiteral("a OR b"), expression));
    EXPECT_FALSE(ParseFilterRowExpression(QStringLiteral("   "), expression));
    EXPECT_EQ(expression.Operator1, fopNone);
    EXPECT_EQ(expression.Relation, fopNone);
    EXPECT_EQ(expression.Operator2, fopNone);
    EXPECT_FALSE(expression.Operand1.isValid());
    EXPECT_FALSE(expression.Operand2.isValid());
}

TEST(FilterParse, ResetLeavesNullOperandsAndKeepsTheType) {
    TSTFilterExpressionX expression;
    expression.ExpressionType = fetNumber;
    ParseFilterRowExpression(QStringLiteral("> 1 AND < 2"), expression);
    ResetFilterExpression(expression);
    EXPECT_EQ(expression.ExpressionType, fetNumber);
    EXPECT_EQ(expression.Operator1, fopNone);
    EXPECT_EQ(expression.Relation, fopNone);
    EXPECT_EQ(expression.Operator2, fopNone);
    EXPECT_TRUE(Same(expression.Operand1, FilterNull()));
    EXPECT_TRUE(Same(expression.Operand2, FilterNull()));
    EXPECT_TRUE(expression.Operand1.isValid() && expression.Operand1.isNull());
}

// Deciding whether a blank ends a value scans the rest of the text; long
// values and lists must still parse at once.
TEST(FilterParse, LongTextsParseQuickly) {
    QString words;
    QString quotedList = QStringLiteral("x");
    for (int i = 0; i < 400; ++i) {
        words += QStringLiteral("w ");
        quotedList += QStringLiteral(" 'a', 'b',");
    }
    TSTFilterExpressionX expression;
    expression.ExpressionType = fetText;
    ParseFilterRowExpression(words, expression);
    EXPECT_EQ(expression.Operator1, fopLike);
    EXPECT_EQ(expression.Operand1.toString(), words.trimmed());

    ParseFilterRowExpression(quotedList, expression);
    EXPECT_EQ(expression.Operator1, fopIn);
    EXPECT_EQ(expression.Operand1.toList().size(), 801);
}

} // namespace
} // namespace kx
