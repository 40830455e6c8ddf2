#pragma once
// Amounts as text: reading what the user or a grid shows, rounding by the
// program's named rules, and writing an amount in Chinese capitals for
// cheques and vouchers.

#include <QString>

namespace kx {

// Blanks around the text, everything up to a "￥" and every comma are
// dropped; an empty text or one that is not a number (a blank between
// digits, as in "1, 234") gives 0.
double MoneyTextToFloat(const QString& text);
double MoneyTextToFloat2(const QString& text);

// The value with 0 to 9 decimals (any other count means 0), rounded plainly
// or by one of the rules "五舍六入", "三舍四入", "二舍三入", "一舍二入"
// (the digit beyond the kept decimals is dropped up to n and rounds up from
// m); any other rule name rounds plainly.
QString FormatRoundNumber(int decimals, const QString& modeName, double value);

// 1234.56 as "壹仟贰佰叁拾肆元伍角陆分"; zero as an empty text. More than
// twelve integer digits are refused with a prompt and leave only the
// fraction.
QString AmountToChinese(const QString& amountText);

} // namespace kx
