#pragma once
// What the banded-report preview window computes without a window: its
// status texts, the statements that store a report's margins, the layouts
// offered by its settings button and the margin dialog's checks.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kx {

// After a paging command: "总共N页, 第M页".
QString PagingStatusText(int pageCount, int page);
// When the printer announces a page: "总共N页,第M页".
QString NewPageStatusText(int pageCount, int page);

struct TReportMargins {
    double Top = 0;
    double Bottom = 0;
    double Left = 0;
    double Right = 0;
};

// Non-empty answer: the report's margins are stored already.
QString MarginRowSql(const QString& reportName);
QString MarginUpdateSql(const QString& reportName, const TReportMargins& margins);
QString MarginInsertSql(const QString& reportName, const TReportMargins& margins);

// One layout the settings button offers: a settings entry (its text held
// "设置:") is listed from its sixth code page 936 byte on.
struct TLayoutItem {
    QString Text;
    bool IsSetting = false;
};
// The items of a ";"-separated list, empty items left out.
QList<TLayoutItem> ParseLayoutItems(const QString& names);

enum class TMarginEdit { Top, Bottom, Left, Right };

struct TMarginRefusal {
    QString Message;
    TMarginEdit Focus;
};

// The first refusal of the margin dialog's four edit texts, in the order
// the user reads them; nothing when all four are positive numbers.
std::optional<TMarginRefusal> CheckMargins(const QStringList& texts);

} // namespace kx
