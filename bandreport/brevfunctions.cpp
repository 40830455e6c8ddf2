#include "bandreport/brevfunctions.h"

#include "bandreport/brevmessages.h"
#include "platform/sys/cp936.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/exception.h"
#include "platform/sys/numberformat.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kx {
namespace {

const QString kLongTimeFormat = QStringLiteral("hh:nn:ss");
const QString kShortDateFormat = QStringLiteral("yyyy-mm-dd");

// A whole number that fits the 32-bit INTEGER; NaN and infinities do not.
bool FitsInteger(double value) {
    return value >= std::numeric_limits<qint32>::min() &&
           value <= std::numeric_limits<qint32>::max();
}

bool IsKind(const TBREvValue& value, TBREvKind kind) {
    return value.Kind == kind;
}

bool IsTrailByte(const QByteArray& bytes, qint64 index) {
    return index > 0 && index < bytes.size() &&
           cp936::IsLeadByte(bytes, static_cast<int>(index - 1));
}

bool IsLeadByteAt(const QByteArray& bytes, qint64 index) {
    return index >= 0 && index < bytes.size() && cp936::IsLeadByte(bytes, static_cast<int>(index));
}

// DIV takes a FLOAT as its nearest integer, halves to the even one.
bool IntegerOperand(const TBREvValue& value, qint32& integer) {
    if (value.Kind == TBREvKind::Integer) {
        integer = value.IntegerValue;
        return true;
    }
    if (value.Kind != TBREvKind::Float)
        return false;
    const double rounded = std::nearbyint(value.FloatValue);
    if (!FitsInteger(rounded))
        return false;
    integer = static_cast<qint32>(rounded);
    return true;
}

} // namespace

QString CurrentTimeText() {
    return sys::FormatDateTime(kLongTimeFormat, QDateTime::currentDateTime());
}

QString CurrentDateText() {
    return sys::FormatDateTime(kShortDateFormat, QDate::currentDate());
}

void TBREvTrue::Compute(TBREvValue& result) {
    result = ArgumentCount() == 0 ? TBREvValue::FromBoolean(true)
                                  : TBREvValue::MakeError(brmsg::TooManyArguments());
}

void TBREvFalse::Compute(TBREvValue& result) {
    result = ArgumentCount() == 0 ? TBREvValue::FromBoolean(false)
                                  : TBREvValue::MakeError(brmsg::TooManyArguments());
}

void TBREvIfFunction::Compute(TBREvValue& result) {
    if (ArgumentCount() != 3 || !IsKind(Argument(0), TBREvKind::Boolean)) {
        result = TBREvValue::MakeError(brmsg::WrongArguments(QStringLiteral("IF")));
        return;
    }
    result = Argument(0).BooleanValue ? Argument(1) : Argument(2);
}

void TBREvTypeOfFunction::Compute(TBREvValue& result) {
    if (ArgumentCount() != 1) {
        result = TBREvValue::MakeError(brmsg::WrongArguments(QStringLiteral("TypeOf")));
        return;
    }
    static const char* const kNames[] = {"INTEGER", "FLOAT", "STRING", "BOOLEAN", "ERROR"};
    result = TBREvValue::FromBytes(kNames[static_cast<int>(Argument(0).Kind)]);
}

void TBREvIntFunction::Compute(TBREvValue& result) {
    result = TBREvValue::MakeError(brmsg::WrongArguments(QStringLiteral("INT")));
    if (ArgumentCount() != 1)
        return;
    const TBREvValue& x = Argument(0);
    if (x.Kind == TBREvKind::Integer) {
        result = x;
    } else if (x.Kind == TBREvKind::Float) {
        const double whole = std::trunc(x.FloatValue);
        if (FitsInteger(whole))
            result = TBREvValue::FromInteger(static_cast<qint32>(whole));
    }
}

void TBREvFracFunction::Compute(TBREvValue& result) {
    result = TBREvValue::MakeError();
    if (ArgumentCount() != 1)
        return;
    const TBREvValue& x = Argument(0);
    if (x.Kind == TBREvKind::Integer)
        result = TBREvValue::FromFloat(0.0);
    else if (x.Kind == TBREvKind::Float)
        result = TBREvValue::FromFloat(x.FloatValue - std::trunc(x.FloatValue));
}

void TBREvSQRTFunction::Compute(TBREvValue& result) {
    if (ArgumentCount() != 1 || !Argument(0).IsNumber() || Argument(0).AsDouble() < 0) {
        result = TBREvValue::MakeError(brmsg::InvalidSqrtArgument());
        return;
    }
    result = TBREvValue::FromFloat(std::sqrt(Argument(0).AsDouble()));
}

void TBREvDivFunction::Compute(TBREvValue& result) {
    qint32 dividend = 0;
    qint32 divisor = 0;
    const bool integers = ArgumentCount() == 2 && IntegerOperand(Argument(0), dividend) &&
                          IntegerOperand(Argument(1), divisor);
    if (integers && divisor == 0) {
        result = TBREvValue::MakeError(brmsg::DivisionByZero());
        return;
    }
    // The one quotient that leaves the 32-bit range.
    const bool overflows = dividend == std::numeric_limits<qint32>::min() && divisor == -1;
    if (!integers || overflows) {
        result = TBREvValue::MakeError(brmsg::WrongArguments(QStringLiteral("DIV")));
        return;
    }
    result = TBREvValue::FromInteger(dividend / divisor);
}

void TBREvStrFunction::Compute(TBREvValue& result) {
    const bool convertible = ArgumentCount() == 1 && !IsKind(Argument(0), TBREvKind::String) &&
                             !IsKind(Argument(0), TBREvKind::Error);
    result = convertible ? TBREvValue::FromBytes(ValueToText(Argument(0)))
                         : TBREvValue::MakeError(brmsg::ConversionError());
}

void TBREvCaseFunction::Compute(TBREvValue& result) {
    if (ArgumentCount() != 1) {
        result = TBREvValue::MakeError(brmsg::MissingArgument(name_));
        return;
    }
    const TBREvValue& x = Argument(0);
    if (x.Kind != TBREvKind::String) {
        result = TBREvValue::MakeError(x.IsError() ? x.Text() : QString());
        return;
    }
    result = TBREvValue::FromText(Convert(x.Text()));
}

QString TBREvUpperFunction::Convert(const QString& text) const {
    return text.toUpper();
}

QString TBREvLowerFunction::Convert(const QString& text) const {
    return text.toLower();
}

QString TBREvPrettyFunction::Convert(const QString& text) const {
    const int first = !text.isEmpty() && text[0].isHighSurrogate() ? 2 : 1;
    return text.left(first).toUpper() + text.mid(first).toLower();
}

void TBREvTimeFunction::Compute(TBREvValue& result) {
    result =
        ArgumentCount() == 0 ? TBREvValue::FromText(CurrentTimeText()) : TBREvValue::MakeError();
}

void TBREvDateFunction::Compute(TBREvValue& result) {
    result =
        ArgumentCount() == 0 ? TBREvValue::FromText(CurrentDateText()) : TBREvValue::MakeError();
}

void TBREvCopyFunction::Compute(TBREvValue& result) {
    if (ArgumentCount() != 3 || !IsKind(Argument(0), TBREvKind::String) ||
        !IsKind(Argument(1), TBREvKind::Integer) || !IsKind(Argument(2), TBREvKind::Integer)) {
        result = TBREvValue::MakeError();
        return;
    }
    const QByteArray& text = Argument(0).StringValue;
    // 1-based byte positions, widened so that no sum can overflow.
    qint64 start = std::max<qint64>(Argument(1).IntegerValue, 1);
    qint64 count = Argument(2).IntegerValue;
    if (count > 0 && IsTrailByte(text, start - 1)) {
        ++start;
        --count;
    }
    if (count > 0 && IsLeadByteAt(text, start + count - 2))
        --count;
    if (count <= 0 || start > text.size()) {
        result = TBREvValue::FromBytes({});
        return;
    }
    result = TBREvValue::FromBytes(text.mid(start - 1, count));
}

void TBREvFormatNumericFunction::Compute(TBREvValue& result) {
    if (ArgumentCount() != 2 || !IsKind(Argument(0), TBREvKind::String) ||
        !Argument(1).IsNumber()) {
        result = TBREvValue::MakeError();
        return;
    }
    try {
        result = TBREvValue::FromText(sys::FormatFloat(Argument(0).Text(), Argument(1).AsDouble()));
    } catch (const Exception&) {
        result = TBREvValue::MakeError(brmsg::InvalidFormat());
    }
}

} // namespace kx
