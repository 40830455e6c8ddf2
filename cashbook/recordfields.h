#pragma once
// The stored columns of KX_INTO_OUT_MONEY_TABLE with their field types, and
// the making of a record list's fields from them; the records list and the
// drill-down windows both build their fields this way.

#include "platform/db/field.h"

#include <QList>
#include <QString>

#include <utility>

class QObject;

namespace kx::db {
class TDataSet;
}

namespace kx::cashbook {

struct TRecordColumnType {
    db::TFieldType Type = db::ftString;
    int Size = 0; // text sizes count code page 936 bytes
};

// In table order.
const QList<std::pair<QString, TRecordColumnType>>& RecordStoredColumns();
// The type of a stored column; a plain text of no size for another name.
TRecordColumnType RecordColumnType(const QString& name);

// Adds a field of the kind to the records' data set, owned by owner.
db::TField* AddRecordField(QObject* owner, db::TDataSet& records, const QString& name,
                           db::TFieldType type, int size, db::TFieldKind kind);

} // namespace kx::cashbook
