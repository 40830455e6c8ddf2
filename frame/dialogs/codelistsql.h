#pragma once
// The statements of the code-list window and of the look-up pickers over the
// one-column code-list tables (a value column named like the data column it
// fills, plus the audit columns). Typed text reaches SQL only as a quoted
// literal.

#include "core/fieldsdata.h"

#include <QString>
#include <QStringList>

namespace kx {

// "SELECT *  FROM " + table + " ORDER BY " + field.
QString CodeListSelect(const QString& table, const QString& field);

// The values that contain the trimmed search text; an empty text lists all.
QString CodeListSearchSql(const QString& table, const QString& field, const QString& searchText);

// The update statements, line by line: a rename finds the stored row by the
// value it had when editing began (":OLD_" + field).
struct TCodeListUpdateLines {
    QStringList Modify;
    QStringList Insert;
    QStringList Delete;
};
TCodeListUpdateLines CodeListUpdateLines(const QString& table, const QString& field);

// The value column first (the field name until a list is set up), then the
// audit columns.
TFieldsDataArray CodeListFieldRules();
void SetCodeListValueRule(const TFieldsDataArray& rules, const QString& field,
                          const QString& caption);

// A saved value may not exist yet: caption + "重复" when it does.
TCheckData CodeListDuplicateCheck(const QString& table, const QString& field,
                                  const QString& caption);

// The values of a look-up picker's column that contain the text, which is
// not trimmed: a trailing blank only matches values that hold one.
QString PickTextValueSql(const QString& column, const QString& table, const QString& text);

} // namespace kx
