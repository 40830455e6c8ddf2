#pragma once
// The SQL our windows write is the desktop engine's dialect; this step turns
// it into SQLite's just before every prepare. Only dialect differences are
// rewritten, never inside string literals or quoted names:
//   SUBSTRING(x FROM a FOR b)            -> substr(x, a, b)
//   EXTRACT(YEAR|MONTH|DAY FROM x)       -> CAST(strftime('%Y'|'%m'|'%d', x) AS INTEGER)
//   'MM/DD/YYYY' (a whole literal)       -> 'YYYY-MM-DD'
//   --                                   -> - -  (SQLite would read a comment)
//   TABLE_NAME.DB                        -> TABLE_NAME
// Keywords in any letter case and any spacing. A text literal that happens
// to look like 'MM/DD/YYYY' is read as a date too: our own code writes text
// values through bound parameters, never as such literals.

#include <QString>
#include <QStringList>

namespace kx::db {

QString TranslateSql(const QString& sql);

// The ":NAME" parameters outside literals, in order of first appearance.
QStringList ParamNames(const QString& sql);

} // namespace kx::db
