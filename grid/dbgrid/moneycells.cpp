#include "grid/dbgrid/moneycells.h"

#include "core/moneytext.h"
#include "platform/sys/numberformat.h"

#include <algorithm>
#include <cmath>

namespace kx {

namespace {

const QChar OverflowMark = u'#';

} // namespace

TMoneyDigits MoneyDigitsOf(const QString& amountText) {
    TMoneyDigits result;
    QString digits = amountText;
    const int point = digits.indexOf(u'.');
    if (point >= 0)
        digits.remove(point, 1);
    if (digits.startsWith(u'-')) {
        result.Negative = true;
        digits = digits.mid(1).trimmed();
    }
    result.Digits = digits;
    return result;
}

QString MoneyValueText(double value) {
    return sys::FormatFloat(QStringLiteral("0.00"), value);
}

QString FooterMoneyText(const QString& footerText) {
    QString text = footerText;
    if (text.startsWith(u'￥'))
        text.remove(0, 1);
    if (text.isEmpty())
        return {};
    return MoneyValueText(MoneyTextToFloat(text));
}

QString RoundedFooterText(const TFieldsDataArray& rules, const QString& fieldName,
                          const QString& text) {
    QString plain = text;
    plain.remove(u',');
    if (plain.startsWith(u'￥'))
        plain.remove(0, 1);
    bool numeric = false;
    plain.toDouble(&numeric);
    if (!numeric)
        return text;
    for (const TFieldsData& rule : rules) {
        if (rule.FieldName.compare(fieldName, Qt::CaseInsensitive) != 0 ||
            rule.Decimals.isEmpty() || rule.TypeCode != QLatin1String("N"))
            continue;
        const int decimals = qRound(rule.Decimals.toDouble());
        const QString rounded = FormatRoundNumber(decimals, rule.RoundMode, MoneyTextToFloat(text));
        return sys::FloatToStr(MoneyTextToFloat(rounded));
    }
    return text;
}

int MoneyCellCount(int digitCount, int minDigits, int capWidth, int cellWidth) {
    const int count = std::max(digitCount, minDigits);
    return std::max(0, std::min(count, capWidth / std::max(1, cellWidth)));
}

ui::TColor MoneyRuleColor(int place) {
    switch (place) {
    case 1:
    case 6:
    case 9:
    case 12:
    case 15:
    case 18:
        return ui::clGreen;
    case 3:
        return ui::clRed;
    default:
        return ui::clGrayText;
    }
}

int MoneyCellWidth(const ui::TCanvas& canvas) {
    return canvas.TextWidth(QStringLiteral("0")) + 4;
}

void DrawMoneyCells(ui::TCanvas& canvas, const ui::TRect& rect, const TMoneyDigits& digits,
                    int minDigits, int capWidth) {
    canvas.FillRect(rect);
    const int width = MoneyCellWidth(canvas);
    const int count =
        MoneyCellCount(static_cast<int>(digits.Digits.size()), minDigits, capWidth, width);
    const bool overflow = digits.Digits.size() > count;
    const ui::TClip saved = canvas.Clip();
    canvas.IntersectClipRect(rect);
    const ui::TColor fontColor = canvas.FontColor();
    if (digits.Negative || overflow)
        canvas.SetFontColor(ui::clRed);
    const int y = rect.Top + (rect.Height() - canvas.TextHeight(QStringLiteral("0"))) / 2;
    const auto savedPen = canvas.PenColor();
    for (int place = 1; place <= count; ++place) {
        const int right = rect.Right - (place - 1) * width;
        const int index = static_cast<int>(digits.Digits.size()) - place;
        if (overflow)
            canvas.TextOut(right - width + 2, y, OverflowMark);
        else if (index >= 0)
            canvas.TextOut(right - width + 2, y, digits.Digits.mid(index, 1));
        canvas.SetPenColor(MoneyRuleColor(place));
        canvas.MoveTo(right - 1, rect.Top);
        canvas.LineTo(right - 1, rect.Bottom);
    }
    canvas.SetPenColor(savedPen);
    canvas.SetFontColor(fontColor);
    canvas.SetClip(saved);
}

} // namespace kx
