#pragma once
// The report engine's English message texts, word for word as report
// writers meet them in their definitions' error lines (the "contant"
// spelling included, since stored reports and their users expect it).

#include <QString>

namespace kx::brmsg {

inline QString InvalidUseOfNot() {
    return QStringLiteral("Invalid use of NOT");
}
inline QString Missing(const QString& what) {
    return QStringLiteral("Missing %1").arg(what);
}
inline QString ErrorInExpression(const QString& text) {
    return QStringLiteral("Error in expression : %1").arg(text);
}
inline QString IllegalCharacterInNumber(const QString& literal) {
    return QStringLiteral("Illegal character in numeric contant \"%1\"").arg(literal);
}
inline QString UnknownFunction(const QString& name) {
    return QStringLiteral("Unknown function : %1").arg(name);
}
inline QString FieldOfUnknownType(const QString& fieldName) {
    return QStringLiteral("Field %1 is of unknown type").arg(fieldName);
}
inline QString OperatorNotCompatible(const QString& op, const QString& kind) {
    return QStringLiteral("Operator %1 is not compatible with %2 expressions").arg(op, kind);
}
inline QString CannotApply(const QString& verb, const QString& kind) {
    return QStringLiteral("Cannot %1 %2 expressions").arg(verb, kind);
}
inline QString CannotDivideByZero() {
    return QStringLiteral("Cannot divide by 0");
}
inline QString RecursiveCall() {
    return QStringLiteral("Recursive calls not allowed");
}
inline QString TooManyArguments() {
    return QStringLiteral("Too many arguments");
}
inline QString WrongArguments(const QString& function) {
    return QStringLiteral("Wrong arguments for %1").arg(function);
}
inline QString MissingArgument(const QString& function) {
    return QStringLiteral("Missing argument for %1").arg(function);
}
inline QString ConversionError() {
    return QStringLiteral("Conversion error");
}
inline QString DivisionByZero() {
    return QStringLiteral("Division by Zero");
}
inline QString InvalidFormat() {
    return QStringLiteral("Invalid format or value specified");
}
inline QString InvalidSqrtArgument() {
    return QStringLiteral("Invalid argument to SQRT function");
}
inline QString EvaluatorNotPrepared() {
    return QStringLiteral("Evaluator not prepared");
}

} // namespace kx::brmsg
