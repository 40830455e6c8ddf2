#pragma once
// Fields of a data set named by a ';'-separated list, each name trimmed.

#include <QList>
#include <QString>
#include <QVariant>

class QObject;

namespace kx {

namespace db {
class TDataSet;
class TField;
} // namespace db

using TFieldsArrX = QList<db::TField*>;

// Appends the named fields to list (when given). An unknown name raises
// "Field '%s' not found", prefixed with errorComponent's name when it has
// one; nothing after it is appended.
void FieldsByNameList(TFieldsArrX* list, const db::TDataSet& dataSet, const QObject* errorComponent,
                      const QString& fieldNames);
TFieldsArrX FieldListToArray(const db::TDataSet& dataSet, const QObject* errorComponent,
                             const QString& fieldNames);
// Null clears every named field; otherwise one value, or a list of as many
// values as names, is written to the fields.
void SetFieldValues(db::TDataSet& dataSet, const QString& fieldNames, const QVariant& value);

} // namespace kx
