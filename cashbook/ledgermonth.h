#pragma once
// The ledger month a date belongs to. The option "GACCOUNT_DAY" holds the
// closing day D: from 1 to 31 a ledger month ends on day D (or on the
// month's last day when it is shorter) and the dates after it belong to the
// next month; any other value means calendar months.

#include <QDate>
#include <QString>

namespace kx::cashbook {

struct TLedgerMonth {
    QString MonthText; // "2008年09月"
    QDate StartDate;
    QDate EndDate;
};

TLedgerMonth LedgerMonthOf(const QDate& date, int closingDay);

// The stored closing day, rounded; 0 when missing or not a number.
int ClosingDay();

// A date as SQL text wants it, 'MM/DD/YYYY' without the quotes.
QString SqlDateText(const QDate& date);

// DateText is "YYYY-MM-DD"; StartDate and EndDate come as 'MM/DD/YYYY'.
// Raises the conversion error for a text that is no date; else true.
bool GetLedgerMonth(const QString& dateText, QString& monthText, QString& startDate,
                    QString& endDate);

// The closing-day dialog's list: "1号" to "31号" and a blank last item.
// The item a stored closing day selects, -1 for none; and the option text a
// chosen item stores ("28", "0" for the blank item or no choice).
int ClosingDayItemIndex(const QString& optionText);
QString ClosingDayOptionText(const QString& itemText);

} // namespace kx::cashbook
