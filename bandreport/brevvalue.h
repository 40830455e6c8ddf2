#pragma once
// One result of a report expression. Texts are held as code page 936 bytes,
// as the report engine compares, cuts and copies them byte by byte.

#include <QByteArray>
#include <QString>

namespace kx {

enum class TBREvKind : quint8 { Integer = 0, Float = 1, String = 2, Boolean = 3, Error = 4 };

// Longest text a value holds, in code page 936 bytes.
inline constexpr int kBRMaxStringBytes = 255;

struct TBREvValue {
    TBREvKind Kind = TBREvKind::Integer;
    qint32 IntegerValue = 0;
    double FloatValue = 0.0;
    // The text of a STRING, the message of an ERROR; never longer than
    // kBRMaxStringBytes and never ending inside a double-byte character.
    QByteArray StringValue;
    bool BooleanValue = false;

    static TBREvValue FromInteger(qint32 value);
    static TBREvValue FromFloat(double value);
    static TBREvValue FromBoolean(bool value);
    static TBREvValue FromBytes(const QByteArray& bytes);
    static TBREvValue FromText(const QString& text);
    static TBREvValue MakeError(const QString& message = {});

    bool IsError() const { return Kind == TBREvKind::Error; }
    bool IsNumber() const { return Kind == TBREvKind::Integer || Kind == TBREvKind::Float; }
    // An INTEGER or FLOAT as a double.
    double AsDouble() const { return Kind == TBREvKind::Float ? FloatValue : IntegerValue; }
    // The text of a STRING or the message of an ERROR.
    QString Text() const;
};

// Cuts bytes to kBRMaxStringBytes without splitting a double-byte character.
QByteArray CutToValueLength(const QByteArray& bytes);

// Byte-wise order of code page 936 texts, a prefix before the longer text:
// negative, zero or positive.
int CompareBytes(const QByteArray& a, const QByteArray& b);

// A value as text where kinds meet: INTEGER in decimal, FLOAT in the general
// form, BOOLEAN "True" or "False"; a STRING or ERROR gives its bytes.
QByteArray ValueToText(const TBREvValue& value);

} // namespace kx
