#pragma once
// What the benchmarks over a data folder share: a fresh data folder made
// from schema/ with the alias "RUReravezLink" pointing at it, under a
// private configuration folder, the check of a bare SQLite call, and the
// rows the benchmarks fill it with.

#include <QString>
#include <QTemporaryDir>

struct sqlite3;

namespace kx::bench {

class TBenchDataFolder {
public:
    // Raises when the data folder cannot be made.
    TBenchDataFolder();

    // A path inside the benchmark's private folder.
    QString Path(const QString& name) const { return root_.filePath(name); }
    QString ConfigFolder() const { return Path(QStringLiteral("config")); }
    QString Folder() const { return Path(QStringLiteral("data")); }
    // The data folder's database file.
    QString File() const;

private:
    QTemporaryDir root_;
};

// Raises with the connection's message when rc reports a failure.
void CheckSqlite(int rc, sqlite3* db);

// 100,000 in/out records over 24 months, amounts with up to two decimals
// as typed amounts are stored, written straight into the database file.
void FillMoneyRecords(const QString& file);

// Runs one statement on the data folder's database through the program's
// query.
void ExecSql(const QString& sql);

} // namespace kx::bench
