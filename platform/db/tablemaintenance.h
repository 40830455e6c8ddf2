#pragma once
// Table maintenance over the database file: the table list, verify,
// rebuild and pack. Tables may be named with or without ".DB"; every table
// is reported as type "PARADOX", the only type the maintenance code knows.

#include <QString>
#include <QStringList>

namespace kx::db {

class TDatabase;

inline constexpr const char* kTableType = "PARADOX";

// The user tables, in name order, with ".DB" appended when asked.
QStringList TableNames(TDatabase& database, bool withExtensions);

// Raises EDBEngineError 10770 with SQLite's findings when the table is
// damaged, and SQLite's error for an unknown table.
void VerifyTable(TDatabase& database, const QString& tableName);

// Copies the table into a fresh one of the same definition and indexes,
// inside a savepoint: on any failure the table stays as it was and the
// error is raised.
void RebuildTable(TDatabase& database, const QString& tableName);

// Gives free pages back to the file system (VACUUM). Refused with
// EDBEngineError 10243 while a data set of the database is open or a
// transaction runs.
void PackDatabase(TDatabase& database);

} // namespace kx::db
