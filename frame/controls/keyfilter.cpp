#include "frame/controls/keyfilter.h"

namespace kx {
namespace {

constexpr QChar kDecimalSeparator = u'.';
constexpr int kSignedIntegerLength = 11;
constexpr int kDecimalLength = 16;
constexpr int kDateLength = 10;

bool InIntegerSet(QChar key) {
    return key == QChar(8) || key == QChar(13) || key == u'-' || (key >= u'0' && key <= u'9');
}

bool InSet(TEditTypes type, QChar key) {
    if (InIntegerSet(key))
        return true;
    if (type == etFloat)
        return key == u',' || key == u'.';
    return type == etDate && key == u'/';
}

QChar FilterInteger(QChar key, const QString& text, int& maxLength) {
    if ((text.contains(u'-') || key == u'-') && maxLength == 0)
        maxLength = kSignedIntegerLength;
    if (!InSet(etInteger, key))
        return QChar();
    if (key == u'-' && text.contains(u'-'))
        return QChar();
    return key;
}

QChar FilterFloat(QChar key, const QString& text) {
    if (!InSet(etFloat, key))
        return QChar();
    if (key == u'-' && text.contains(u'-'))
        return QChar();
    // A comma only groups thousands and is dropped where the amount is read;
    // taking it for the decimal point would store 1,234.5 as 1.2345.
    if (key == kDecimalSeparator && text.contains(kDecimalSeparator))
        return QChar();
    return key;
}

} // namespace

bool IsNumericEditType(TEditTypes type) {
    return type == etInteger || type == etFloat || type == etDate;
}

QChar FilterEditKey(TEditTypes type, QChar key, const QString& text, int selStart, int selLength,
                    int& maxLength) {
    // Escape is the form's cancel key, never a typed character.
    if (!IsNumericEditType(type) || key == QChar(27))
        return key;
    if (type == etDate)
        return InSet(etDate, key) ? key : QChar();
    // With a selection from the first character (the whole text selected on
    // entry) the key replaces it and passes unfiltered.
    if (selLength > 0 && selStart == 0)
        return key;
    return type == etInteger ? FilterInteger(key, text, maxLength) : FilterFloat(key, text);
}

QString FieldTextOf(TEditTypes type, const QString& text) {
    return type == etFloat ? QString(text).remove(u',') : text;
}

int EntryMaxLength(TEditTypes type, int maxLength) {
    if (type == etFloat && maxLength == 0)
        return kDecimalLength;
    if (type == etDate)
        return kDateLength;
    return maxLength;
}

} // namespace kx
