#pragma once
// Helpers of the expression tests: a value shown as "<KIND> <text>" so that a
// table of cases can state kind and value in one string.

#include "bandreport/brevaluator.h"
#include "bandreport/brevvalue.h"
#include "platform/sys/numberformat.h"

#include <QString>

#include <string>

namespace kx::test {

inline std::string Describe(const TBREvValue& value) {
    QString text;
    switch (value.Kind) {
    case TBREvKind::Integer:
        text = QStringLiteral("INTEGER %1").arg(value.IntegerValue);
        break;
    case TBREvKind::Float:
        text = QStringLiteral("FLOAT ") + sys::FloatToStr(value.FloatValue);
        break;
    case TBREvKind::String:
        text = QStringLiteral("STRING ") + value.Text();
        break;
    case TBREvKind::Boolean:
        text =
            value.BooleanValue ? QStringLiteral("BOOLEAN True") : QStringLiteral("BOOLEAN False");
        break;
    case TBREvKind::Error:
        text = QStringLiteral("ERROR ") + value.Text();
        break;
    }
    return text.toStdString();
}

inline std::string Evaluate(const QString& expression, TBREvEnvironment* environment = nullptr) {
    TBREvaluator evaluator;
    evaluator.SetEnvironment(environment);
    return Describe(evaluator.EvaluateOnce(expression));
}

struct ExpressionCase {
    const char* Expression;
    const char* Expected;
};

} // namespace kx::test
