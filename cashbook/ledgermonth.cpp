#include "cashbook/ledgermonth.h"

#include "core/moneytext.h"
#include "core/options.h"
#include "platform/sys/dateformat.h"

#include <algorithm>
#include <cmath>

namespace kx::cashbook {
namespace {

QString MonthTextOf(const QDate& firstDay) {
    return QStringLiteral("%1年%2月")
        .arg(firstDay.year(), 4, 10, QLatin1Char('0'))
        .arg(firstDay.month(), 2, 10, QLatin1Char('0'));
}

// Day `day` of the month starting at firstDay, or its last day when shorter.
QDate DayOrLast(const QDate& firstDay, int day) {
    return firstDay.addDays(std::min(day, firstDay.daysInMonth()) - 1);
}

int RoundedDay(const QString& text) {
    return static_cast<int>(std::lround(MoneyTextToFloat(text)));
}

} // namespace

TLedgerMonth LedgerMonthOf(const QDate& date, int closingDay) {
    const QDate firstDay(date.year(), date.month(), 1);
    if (closingDay < 1 || closingDay > 31)
        return {MonthTextOf(firstDay), firstDay, DayOrLast(firstDay, 31)};
    if (date.day() > closingDay) {
        const QDate nextFirst = firstDay.addMonths(1);
        return {MonthTextOf(nextFirst), DayOrLast(firstDay, closingDay).addDays(1),
                DayOrLast(nextFirst, closingDay)};
    }
    const QDate priorFirst = firstDay.addMonths(-1);
    const QDate start =
        closingDay < priorFirst.daysInMonth() ? priorFirst.addDays(closingDay) : firstDay;
    return {MonthTextOf(firstDay), start, DayOrLast(firstDay, closingDay)};
}

int ClosingDay() {
    return RoundedDay(GetOptionText(QStringLiteral("GACCOUNT_DAY")));
}

QString SqlDateText(const QDate& date) {
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

bool GetLedgerMonth(const QString& dateText, QString& monthText, QString& startDate,
                    QString& endDate) {
    const TLedgerMonth month = LedgerMonthOf(sys::StrToDate(dateText), ClosingDay());
    monthText = month.MonthText;
    startDate = SqlDateText(month.StartDate);
    endDate = SqlDateText(month.EndDate);
    return true;
}

int ClosingDayItemIndex(const QString& optionText) {
    const int day = RoundedDay(optionText);
    return day >= 1 && day <= 31 ? day - 1 : -1;
}

QString ClosingDayOptionText(const QString& itemText) {
    const QString text = itemText.trimmed();
    const qsizetype mark = text.indexOf(QStringLiteral("号"));
    return QString::number(mark < 0 ? 0 : RoundedDay(text.left(mark)));
}

} // namespace kx::cashbook
