#pragma once
// Table maintenance over the database file: the table list, verify,
// rebuild and pack. Tables may be named with or without ".DB"; every table
// is reported as type "PARADOX", the only type the maintenance code knows.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kx::db {

class TDatabase;

inline constexpr const char* kTableType = "PARADOX";

// The user tables, in name order, with ".DB" appended when asked.
QStringList TableNames(TDatabase& database, bool withExtensions);

// Raises EDBEngineError 10770 with SQLite's findings when the table is
// damaged, and SQLite's error for an unknown table.
void VerifyTable(TDatabase& database, const QString& tableName);

// SQLite's findings about the table and its indexes, empty when they are
// sound. Damage that stops the check is a finding too; raises only when the
// check cannot run at all.
QStringList TableFindings(TDatabase& database, const QString& tableName);

// Rows of a damaged table that could not be read: those whose row ids lie
// between After and Before (a bound that is missing is open).
struct TUnreadableRows {
    std::optional<qint64> After;
    std::optional<qint64> Before;
};

// Copies the table's readable rows into a fresh one of the same definition
// and indexes, inside a savepoint: on any other failure the table stays as
// it was and the error is raised. Pages of the old table or its indexes
// that are too damaged to free are left out of the file by a VACUUM.
QList<TUnreadableRows> RebuildTable(TDatabase& database, const QString& tableName);

// Gives free pages back to the file system (VACUUM). Refused with
// EDBEngineError 10243 while a data set of the database is open or a
// transaction runs.
void PackDatabase(TDatabase& database);

// What a look at a database file, made without changing it, found.
enum class TFileFault { None, Missing, CannotOpen, NotADatabase, Damaged, TableMissing };

struct TFileCheck {
    TFileFault Fault = TFileFault::None;
    // SQLite's message, or the first table missing.
    QString Detail;
};

// Opens the file read-only, runs SQLite's integrity check over it and looks
// for each of the tables (compared ignoring case).
TFileCheck CheckDatabaseFile(const QString& path, const QStringList& tables);

} // namespace kx::db
