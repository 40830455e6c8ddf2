#include "bandreport/brevvalue.h"

#include "platform/sys/cp936.h"
#include "platform/sys/numberformat.h"

#include <algorithm>
#include <cstring>

namespace kx {

TBREvValue TBREvValue::FromInteger(qint32 value) {
    TBREvValue result;
    result.IntegerValue = value;
    return result;
}

TBREvValue TBREvValue::FromFloat(double value) {
    TBREvValue result;
    result.Kind = TBREvKind::Float;
    result.FloatValue = value;
    return result;
}

TBREvValue TBREvValue::FromBoolean(bool value) {
    TBREvValue result;
    result.Kind = TBREvKind::Boolean;
    result.BooleanValue = value;
    return result;
}

TBREvValue TBREvValue::FromBytes(const QByteArray& bytes) {
    TBREvValue result;
    result.Kind = TBREvKind::String;
    result.StringValue = CutToValueLength(bytes);
    return result;
}

TBREvValue TBREvValue::FromText(const QString& text) {
    return FromBytes(cp936::Encode(text));
}

TBREvValue TBREvValue::MakeError(const QString& message) {
    TBREvValue result;
    result.Kind = TBREvKind::Error;
    result.StringValue = CutToValueLength(cp936::Encode(message));
    return result;
}

QString TBREvValue::Text() const {
    return cp936::Decode(StringValue);
}

QByteArray CutToValueLength(const QByteArray& bytes) {
    return cp936::CutBytes(bytes, kBRMaxStringBytes);
}

int CompareBytes(const QByteArray& a, const QByteArray& b) {
    const qsizetype common = std::min(a.size(), b.size());
    const int order = common > 0 ? std::memcmp(a.constData(), b.constData(), common) : 0;
    if (order != 0)
        return order;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

QByteArray ValueToText(const TBREvValue& value) {
    switch (value.Kind) {
    case TBREvKind::Integer:
        return QByteArray::number(value.IntegerValue);
    case TBREvKind::Float:
        return sys::FloatToStr(value.FloatValue).toLatin1();
    case TBREvKind::Boolean:
        return value.BooleanValue ? QByteArrayLiteral("True") : QByteArrayLiteral("False");
    case TBREvKind::String:
    case TBREvKind::Error:
        break;
    }
    return value.StringValue;
}

} // namespace kx
