#pragma once
// The SQL our windows write is the desktop engine's dialect; this step turns
// it into SQLite's just before every prepare. Only dialect differences are
// rewritten, never inside string literals or quoted names:
//   SUBSTRING(x FROM a FOR b)            -> substr(x, a, b)
//   EXTRACT(YEAR|MONTH|DAY FROM x)       -> CAST(strftime('%Y'|'%m'|'%d', x) AS INTEGER)
//   --                                   -> - -  (SQLite would read a comment)
//   TABLE_NAME.DB                        -> TABLE_NAME
//   'MM/DD/YYYY' meeting a date column   -> 'YYYY-MM-DD'
//   'MM/DD/YYYY' meeting a date-time one -> 'YYYY-MM-DD 00:00:00'
// Keywords in any letter case and any spacing. A literal meets a column when
// it is compared with it (=, <>, <, BETWEEN, IN (...)), assigned to it by
// SET, or stands at its place in an INSERT's VALUES; the column's declared
// type decides. Any other literal is text and stays as written, however
// much it looks like a date.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace kx::db {

struct TDeclaredColumn {
    QString Name;
    QString Type;
};
using TDeclaredColumns = QList<TDeclaredColumn>;
// A table's columns in declared order; empty for a table the database does
// not hold.
using TColumnLookup = std::function<TDeclaredColumns(const QString& table)>;

QString TranslateSql(const QString& sql, const TColumnLookup& columns);

// The ":NAME" parameters outside literals, in order of first appearance.
QStringList ParamNames(const QString& sql);

} // namespace kx::db
