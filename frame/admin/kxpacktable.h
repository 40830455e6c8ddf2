#pragma once
// Packs the tables of a database. Our store is one SQLite file: one VACUUM
// packs all tables together, and a single table is packed by rebuilding its
// indexes.

#include <QObject>

namespace kx {

namespace db {
class TDatabase;
class TTable;
} // namespace db

class TKXPackTable : public QObject {
    Q_OBJECT
public:
    explicit TKXPackTable(QObject* owner = nullptr);

    db::TDatabase* DataBase = nullptr;

    // Every table of DataBase; the rows of "SYS_BACK_TABLE" stay as they
    // are. Every data set of the database must be closed. A failure leaves
    // the file as it was and reaches the caller.
    void PackAll();

    // One table, open and opened exclusively; it is open again afterwards.
    void PackTable(db::TTable& table);
};

} // namespace kx
