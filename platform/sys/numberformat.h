#pragma once
// Numbers to text and back in the program's one fixed notation, independent
// of the machine's locale, so stored texts and reports read the same on every
// desktop ('.' is the decimal point, ',' the thousands separator). Every
// formatter takes the value's decimal text with 15 significant digits and
// rounds halves away from zero (see rounding.h).

#include <QString>
#include <QVariantList>

namespace kx::sys {

// General form with at most 15 significant digits, no trailing zeros and no
// trailing ".": 0.1 + 0.2 -> "0.3", 1234.5 -> "1234.5", 1e20 -> "1E20",
// 0.00001 -> "1E-5".
QString FloatToStr(double value);

// A number for SQL text: '.' decimal point, at most 15 significant digits,
// never an exponent (1e20 -> "100000000000000000000"). NaN and infinities,
// which no column can hold, give "NULL".
QString SqlNumber(double value);

// Display format patterns: "0" and "#" digit placeholders, "." decimal point,
// "," anywhere for thousands separators, "E+0"/"E-0" exponent forms, text in
// '...' or "..." and any other character as a literal. Up to three sections
// separated by ";": positive;negative;zero. The negative section carries its
// own sign; the zero section applies when the value rounds to zero. An empty
// pattern gives FloatToStr.
QString FormatFloat(const QString& pattern, double value);

// The printf-like formatter: %[index:][-][width][.precision]type with d, u,
// x (integers), f, n (thousands), e, g (floats), s (text) and %%; "*" takes a
// width or precision from the arguments. Raises kx::EConvertError "Format
// '<format>' invalid or incompatible with argument" for an unknown type, a
// missing argument or one of the wrong kind.
QString Format(const QString& format, const QVariantList& args);

// Text to numbers. Blanks around the number are allowed; thousands
// separators are not. Raise kx::EConvertError "'<text>' is not a valid
// floating point value" or "'<text>' is not a valid integer value".
double StrToFloat(const QString& text);
bool TryStrToFloat(const QString& text, double& value);

// Amount text as the program reads amounts everywhere: blanks around it,
// everything up to a "￥" and every comma are dropped; empty or not a number
// (a blank left between digits, as in "1, 234") counts as 0.
double AmountTextToFloat(const QString& text);
// Decimal, or hexadecimal after "$" or "0x"; 32-bit range.
int StrToInt(const QString& text);
bool TryStrToInt(const QString& text, int& value);

} // namespace kx::sys
