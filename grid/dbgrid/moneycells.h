#pragma once
// Amounts drawn the way a paper ledger is ruled: one digit per narrow cell,
// a coloured rule after each digit place (green at the units of each
// thousands group, red between the units and the tenths, grey elsewhere).
// A cell too narrow for all the digits of its amount shows "#" in every
// digit place instead of a cut-down, wrong amount.

#include "core/fieldsdata.h"
#include "platform/ui/canvas.h"

#include <QString>

namespace kx {

// The digits of an amount text with its first "." removed; a leading "-"
// makes it negative and is dropped with the blanks around the rest.
struct TMoneyDigits {
    QString Digits;
    bool Negative = false;
};

TMoneyDigits MoneyDigitsOf(const QString& amountText);
// A data cell's amount, "0.00".
QString MoneyValueText(double value);
// A footer's text without its leading "￥", read as an amount and written
// "0.00"; an empty text stays empty.
QString FooterMoneyText(const QString& footerText);

// A footer's number text rounded by the rule of its field (a number rule
// with decimals), written as a plain number; any other text as it is.
QString RoundedFooterText(const TFieldsDataArray& rules, const QString& fieldName,
                          const QString& text);

// The digit cells of a cell capWidth pixels wide: one per digit, at least
// minDigits, at most as many whole cells of cellWidth as fit, so that no
// digit is cut at the cell's left edge.
int MoneyCellCount(int digitCount, int minDigits, int capWidth, int cellWidth);
// The rule after digit place i, counted from 1 at the right.
ui::TColor MoneyRuleColor(int place);
// Width of one digit cell in the canvas's font.
int MoneyCellWidth(const ui::TCanvas& canvas);

// Fills rect with the brush and draws the digit cells from its right edge,
// clipped to rect. Digits are red when negative, else in the font colour.
void DrawMoneyCells(ui::TCanvas& canvas, const ui::TRect& rect, const TMoneyDigits& digits,
                    int minDigits, int capWidth);

} // namespace kx
