#pragma once
// What the benchmarks over a data folder share: a fresh data folder made
// from schema/ with the alias "RUReravezLink" pointing at it, under a
// private configuration folder, and the check of a bare SQLite call.

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

} // namespace kx::bench
