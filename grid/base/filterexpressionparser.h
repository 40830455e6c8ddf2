#pragma once
// Turns the text typed into a grid's filter row into at most two conditions
// joined by AND or OR, with operands converted to the column's value type.

#include <QString>
#include <QVariant>

#include <array>

namespace kx {

// Value types of a filter expression, taken from the column's field.
inline constexpr quint8 fetOther = 0;
inline constexpr quint8 fetText = 1;
inline constexpr quint8 fetNumber = 2;
inline constexpr quint8 fetDateTime = 3;
inline constexpr quint8 fetLogical = 4;

// Operator codes; fopAnd and fopOr only ever appear as the relation,
// fopValue only as a token.
inline constexpr quint8 fopNone = 0;
inline constexpr quint8 fopEqual = 1;
inline constexpr quint8 fopNotEqual = 2;
inline constexpr quint8 fopGreater = 3;
inline constexpr quint8 fopLess = 4;
inline constexpr quint8 fopGreaterOrEqual = 5;
inline constexpr quint8 fopLessOrEqual = 6;
inline constexpr quint8 fopLike = 7;
inline constexpr quint8 fopNotLike = 8;
inline constexpr quint8 fopIn = 9;
inline constexpr quint8 fopNotIn = 10;
inline constexpr quint8 fopIsNull = 11;
inline constexpr quint8 fopIsNotNull = 12;
inline constexpr quint8 fopAnd = 13;
inline constexpr quint8 fopOr = 14;
inline constexpr quint8 fopValue = 15;

// The symbol shown for each operator code.
inline constexpr std::array<const char*, 16> FilterOperatorSymbols = {
    "", "=", "<>", ">", "<", ">=", "<=", "~", "!~", "In", "!In", "Null", "Null", "AND", "OR", ""};

// Operands are an unassigned QVariant, Null (see FilterNull), one value, or
// a QVariantList of values.
struct TSTFilterExpressionX {
    quint8 ExpressionType = fetOther;
    quint8 Operator1 = fopNone;
    QVariant Operand1;
    quint8 Relation = fopNone;
    quint8 Operator2 = fopNone;
    QVariant Operand2;
};

// The Null operand: valid but null, unlike an unassigned QVariant.
QVariant FilterNull();

// Fills the expression from the text, keeping its ExpressionType. True only
// when a second condition was read. Errors throw kx::Exception with the
// message followed by the trimmed text; values that do not convert to the
// value type throw kx::EConvertError. The expression may then hold a
// partial result.
bool ParseFilterRowExpression(const QString& text, TSTFilterExpressionX& expression);

// Clears operators and relation and sets both operands to Null, which is
// what the grid's column filter expects of a cleared filter.
void ResetFilterExpression(TSTFilterExpressionX& expression);

} // namespace kx
