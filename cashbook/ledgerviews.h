#pragma once
// What the ledger window and its entry windows know of the two ledgers: the
// day ledger and the month ledger of the fund accounts, each shown in a view
// of its own with its rules, statements, duplicate check and balance.

#include "core/fieldsdata.h"
#include "platform/ui/colors.h"
#include "tablereport/printfields.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace kx {

namespace db {
class TUpdateSQL;
}

namespace cashbook {

enum class TLedgerView { Day, Month };

// The names that differ between the two ledgers.
struct TLedgerNames {
    QString Table;
    QString PeriodField; // MONEY_DAY_DATE or MONEY_MONTH
    QString PriorField;
    QString IntoField;
    QString OutField;
    QString TodayField;
    QString OrderBy;     // " ORDER BY ..."
    QString FindMarker;  // which rules the find dialog holds
    QString LayoutName;  // the grid's layout key
    QStringList Columns; // every stored column, as the update statements write them
};

const TLedgerNames& LedgerNames(TLedgerView view);

// Each array has 17 entries, those after the last rule empty. Amounts are
// drawn in digit cells while amounts show in financial format.
TFieldsDataArray LedgerFieldsData(TLedgerView view, bool financialFormat);
// The rules up to the audit stamps (day 0..13, month 0..15), in 17 entries.
TPrintFieldsArray LedgerPrintFields(TLedgerView view, const TFieldsDataArray& rules);

// The refusal of a second row for the same account and day, or month.
TCheckDataArray LedgerDuplicateCheck(TLedgerView view);
inline const QString kDayDuplicateMessage =
    QStringLiteral("有该资金账号该日的日台账记录,日台账日期记录重复");
inline const QString kMonthDuplicateMessage =
    QStringLiteral("有该资金账号该月台账记录,月台账记录重复");

// Insert, update and delete of the stored columns, keyed by the old key.
void WriteLedgerUpdateStatements(TLedgerView view, db::TUpdateSQL& update);

// The list statement, without its order: rows of accounts still on file,
// with the find condition and the account filter when given.
QString LedgerListSql(TLedgerView view, const QString& condition, const QString& accountFilter);
// Empty for the root; a condition on the chosen account otherwise.
QString LedgerAccountFilter(bool accountChosen, const QString& accountId);
// The find dialog's pieces as one condition; empty for none.
QString FindConditionSql(const QStringList& pieces);
// The condition of a cancelled first find, which no row meets.
inline const QString kNoRowsCondition = QStringLiteral("A.MONEY_ACCOUNT_ID ='MONEY_ACCOUNT_ID'");

// "2008年09月" of a date, and of the month picker's year and month texts.
QString LedgerMonthText(const QDate& date);
QString PickedMonthText(const QString& year, const QString& month);

// The colours of a ledger row's cell drawn on brush: unverified rows stand
// out, on the selection highlight in their text only.
void LedgerCellColors(const QString& status, ui::TColor& brush, ui::TColor& font);
// The status bar's colour of an entry window.
ui::TColor LedgerStatusBarColor(const QString& status);

// The balance of carried-over + in - out, typed texts, rounded to two
// decimals; empty or invalid texts count as 0.
QString LedgerBalanceText(const QString& prior, const QString& into, const QString& out);

} // namespace cashbook
} // namespace kx
