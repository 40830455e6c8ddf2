#include "core/moneytext.h"

#include "core/messages.h"
#include "platform/sys/numberformat.h"

#include <array>

namespace kx {
namespace {

// Fixed-point text with the given decimals, as the "%20.Nf" patterns give it.
QString FixedText(double value, int decimals) {
    return sys::Format(QStringLiteral("%20.%1f").arg(decimals), {value}).trimmed();
}

// The units a rule adds one place beyond the kept decimals.
int RuleUnits(const QString& modeName) {
    if (modeName == QStringLiteral("五舍六入"))
        return -1;
    if (modeName == QStringLiteral("三舍四入"))
        return 1;
    if (modeName == QStringLiteral("二舍三入"))
        return 2;
    if (modeName == QStringLiteral("一舍二入"))
        return 3;
    return 0;
}

QString Digit(QChar digit) {
    static const std::array<QString, 10> names = {"零", "壹", "贰", "叁", "肆",
                                                  "伍", "陆", "柒", "捌", "玖"};
    return names[static_cast<std::size_t>(digit.digitValue())];
}

// The last three digits of a group: hundreds, tens and units.
QString HundredsTail(QChar h, QChar t, QChar u) {
    const bool hasH = h != u'0';
    const bool hasT = t != u'0';
    const bool hasU = u != u'0';
    const QString units = hasU ? Digit(u) : QString();
    if (hasH) {
        const QString hundreds = Digit(h) + "佰";
        if (hasT)
            return hundreds + Digit(t) + "拾" + units;
        return hasU ? hundreds + "零" + units : hundreds;
    }
    if (hasT)
        return "零" + Digit(t) + "拾" + units;
    return hasU ? "零" + units : QString();
}

// One group of up to four digits.
QString GroupCapitals(const QString& group) {
    switch (group.size()) {
    case 1:
        return group[0] == u'0' ? QString() : Digit(group[0]);
    case 2:
        if (group[0] != u'0')
            return Digit(group[0]) + "拾" + (group[1] == u'0' ? QString() : Digit(group[1]));
        return group[1] == u'0' ? QStringLiteral("零") : "零" + Digit(group[1]);
    case 3:
        return group == QStringLiteral("000") ? QStringLiteral("零")
                                              : HundredsTail(group[0], group[1], group[2]);
    default: {
        const QString tail = HundredsTail(group[1], group[2], group[3]);
        if (group[0] != u'0')
            return Digit(group[0]) + "仟" + tail;
        const bool allNonZero = group[1] != u'0' && group[2] != u'0' && group[3] != u'0';
        return allNonZero ? "零" + tail : tail;
    }
    }
}

QString IntegerCapitals(const QString& digits) {
    const qsizetype length = digits.size();
    if (length > 12) {
        ShowPromptMessage(QStringLiteral("所处理数据超出范围!"));
        return {};
    }
    if (length <= 4)
        return GroupCapitals(digits);
    const QString low = GroupCapitals(digits.right(4));
    if (length <= 8)
        return GroupCapitals(digits.left(length - 4)) + "万" + low;
    // Ten thousands are named only when there are any: 100000001 is
    // "壹亿零壹", never "壹亿万零壹".
    const QString middle = digits.mid(length - 8, 4);
    const QString tenThousands =
        middle == QStringLiteral("0000") ? QString() : GroupCapitals(middle) + "万";
    return GroupCapitals(digits.left(length - 8)) + "亿" + tenThousands + low;
}

QString FractionCapitals(QChar tenths, QChar hundredths) {
    const bool hasTenths = tenths != u'0';
    const bool hasHundredths = hundredths != u'0';
    if (!hasTenths)
        return hasHundredths ? "零" + Digit(hundredths) + "分" : QString();
    return Digit(tenths) + "角" + (hasHundredths ? Digit(hundredths) + "分" : QString());
}

} // namespace

double MoneyTextToFloat(const QString& text) {
    return sys::AmountTextToFloat(text);
}

double MoneyTextToFloat2(const QString& text) {
    return MoneyTextToFloat(text);
}

QString FormatRoundNumber(int decimals, const QString& modeName, double value) {
    const int kept = decimals >= 1 && decimals <= 9 ? decimals : 0;
    const int units = RuleUnits(modeName);
    QString text;
    if (units == 0) {
        text = FixedText(value, kept);
    } else {
        const double oneUnit = sys::StrToFloat(QStringLiteral("1e-%1").arg(kept + 1));
        const double adjusted = MoneyTextToFloat(FixedText(value, kept + 1)) + units * oneUnit;
        text = FixedText(adjusted, kept);
    }
    return text.isEmpty() ? QStringLiteral("0") : text;
}

QString AmountToChinese(const QString& amountText) {
    double amount = MoneyTextToFloat(amountText);
    const QString sign = amount < 0 ? QStringLiteral("负") : QString();
    amount = amount < 0 ? -amount : amount;
    const QString fixed = FixedText(amount, 2);
    const qsizetype point = fixed.indexOf(u'.');
    const QString integer = fixed.left(point);
    const QChar tenths = fixed[point + 1];
    const QChar hundredths = fixed[point + 2];
    const bool hasFraction = tenths != u'0' || hundredths != u'0';
    if (!hasFraction && integer == QStringLiteral("0"))
        return {};
    const QString integerText = IntegerCapitals(integer);
    // No "元" without a whole amount before it: 0.5 is "伍角整", -0.5 "负伍角整".
    QString text = sign + integerText + (integerText.isEmpty() ? QString() : QStringLiteral("元"));
    text += FractionCapitals(tenths, hundredths);
    if (!text.contains(QStringLiteral("分")))
        text += QStringLiteral("整");
    return text;
}

} // namespace kx
