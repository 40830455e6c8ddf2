#include "frame/admin/kxpacktable.h"

#include "platform/db/database.h"
#include "platform/db/dberrors.h"
#include "platform/db/table.h"
#include "platform/db/tablemaintenance.h"

namespace kx {
namespace {

// Only this table may be open: a pack must not change rows under another
// data set.
bool OpenAlone(db::TTable& table) {
    if (!table.Exclusive())
        return false;
    const QList<db::TDataSet*> open = table.Database()->DataSets();
    return open.size() == 1 && open.first() == &table;
}

void Reindex(db::TTable& table) {
    const QString name = QString(table.TableName()).replace(u'"', QStringLiteral("\"\""));
    db::TQuery statement;
    statement.SetDatabaseName(table.DatabaseName());
    statement.SetParamCheck(false);
    statement.SQL().SetText(QStringLiteral("REINDEX \"") + name + u'"');
    statement.ExecSQL();
}

} // namespace

TKXPackTable::TKXPackTable(QObject* owner) : QObject(owner) {}

// One VACUUM packs every table: it rewrites each table and builds each
// index once, page by page, without reading a table into memory. The back
// table's rows stay as they are; only its free pages go.
void TKXPackTable::PackAll() {
    if (!DataBase->DataSets().isEmpty())
        db::DatabaseError(QStringLiteral("表必须以独占方式打开"));
    db::PackDatabase(*DataBase);
}

void TKXPackTable::PackTable(db::TTable& table) {
    if (!table.Active())
        db::DatabaseError(QStringLiteral("维护数据库时表必须被打开"));
    if (!OpenAlone(table))
        db::DatabaseError(QStringLiteral("表必须以独占方式打开"));
    if (table.TableType() != QLatin1String(db::kTableType))
        db::DatabaseError(QStringLiteral("必须是Paradox 或 dBASE 数据库才能维护"));
    table.Close();
    Reindex(table);
    table.Open();
}

} // namespace kx

#include "moc_kxpacktable.cpp"
