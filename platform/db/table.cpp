#include "platform/db/table.h"

#include "platform/db/tablemaintenance.h"

namespace kx::db {

TTable::TTable(QObject* owner) : TQuery(owner) {
    SetRequestLive(true);
    SetParamCheck(false);
}

void TTable::SetTableName(const QString& name) {
    tableName_ = name;
    SQL().SetLines({QStringLiteral("SELECT * FROM ") + name});
}

QString TTable::TableType() const {
    return QString::fromLatin1(kTableType);
}

} // namespace kx::db

#include "moc_table.cpp"
