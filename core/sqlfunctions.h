#pragma once
// Text SQL on a named database. Each function makes its own query and frees
// it on every path; opening and reading let the engine's exception reach the
// caller, ExecSqlText reports failure by its result only.

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

class QComboBox;
class QWidget;

namespace kx {

namespace db {
class TQuery;
}

// The text as an SQL string literal, single quotes doubled, so that typed
// text can never end the literal.
QString QuotedStr(const QString& text);

bool ExecSqlText(const QString& databaseName, const QString& sqlText);
// Formats with the run-time library's Format first.
bool ExecSqlFormat(const QString& databaseName, const QString& format, const QVariantList& args);

// An open query owned by the caller; ":" in the text is plain text.
std::unique_ptr<db::TQuery> OpenSqlQuery(const QString& databaseName, const QString& sqlText);
// As OpenSqlQuery; when opening fails the window gets the focus first.
std::unique_ptr<db::TQuery> OpenSqlQueryFocus(const QString& databaseName, const QString& sqlText,
                                              QWidget* window);

// The first column of the first row as text; empty without a row.
QString GetSqlFirstValue(const QString& databaseName, const QString& sqlText);
QString GetSqlFirstValueFormat(const QString& databaseName, const QString& format,
                               const QVariantList& args);
// The first column of the first row as an amount; 0 without a row.
double GetSqlFirstFloat(const QString& databaseName, const QString& sqlText);
// Null without a row; the value of a one-column row; else a list of the
// row's values.
QVariant GetSqlFirstRow(const QString& databaseName, const QString& sqlText);
QVariant GetSqlFirstRowFormat(const QString& databaseName, const QString& format,
                              const QVariantList& args);

// The combo box's items := the text of the field in every row of the open
// query, in row order; the query is left after its last row.
void FillComboFromQuery(QComboBox* combo, db::TQuery& query, const QString& fieldName);

} // namespace kx
