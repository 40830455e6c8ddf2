#pragma once
// Packs the tables of a database. Our store is one SQLite file: a table is
// packed by rebuilding its indexes, and the free pages of every table go
// back to the file system in one VACUUM after the last table.

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

    // Every table of DataBase except "SYS_BACK_TABLE". The first failure
    // stops the run and reaches the caller; tables packed before it stay
    // packed. Every data set of the database must be closed.
    void PackAll();

    // One table, open and opened exclusively; it is open again afterwards.
    void PackTable(db::TTable& table);
};

} // namespace kx
