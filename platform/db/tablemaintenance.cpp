#include "platform/db/tablemaintenance.h"

#include "platform/db/collation.h"
#include "platform/db/database.h"
#include "platform/db/dberrors.h"
#include "platform/db/savepoint.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <limits>
#include <memory>

namespace kx::db {
namespace {

using StatementGuard = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

QString BareName(const QString& tableName) {
    return tableName.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive) ? tableName.chopped(3)
                                                                         : tableName;
}

QString QuoteName(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

StatementGuard Prepare(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()),
                                      &statement, nullptr);
    if (rc != SQLITE_OK)
        throw SqliteError(db, rc, sql);
    return StatementGuard(statement, sqlite3_finalize);
}

void Exec(sqlite3* db, const QString& sql) {
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw SqliteError(db, rc, sql);
}

QStringList Column(sqlite3* db, const QString& sql, const QString& argument = {}) {
    StatementGuard statement = Prepare(db, sql);
    const QByteArray utf8 = argument.toUtf8();
    if (sqlite3_bind_parameter_count(statement.get()) > 0)
        sqlite3_bind_text(statement.get(), 1, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_STATIC);
    QStringList values;
    int rc = sqlite3_step(statement.get());
    while (rc == SQLITE_ROW) {
        values.append(QString::fromUtf8(sqlite3_column_text(statement.get(), 0)));
        rc = sqlite3_step(statement.get());
    }
    if (rc != SQLITE_DONE)
        throw SqliteError(db, rc, sql);
    return values;
}

// The table's CREATE statement with the table renamed.
QString RenamedDefinition(const QString& definition, const QString& name) {
    static const QRegularExpression head(
        QStringLiteral(R"(^\s*CREATE\s+TABLE\s+("(?:[^"]|"")*"|\[[^\]]*\]|`[^`]*`|\S+?)(?=\s|\())"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = head.match(definition);
    if (!match.hasMatch())
        return {};
    return definition.left(match.capturedStart(1)) + QuoteName(name) +
           definition.mid(match.capturedEnd(1));
}

bool IsDamage(int rc) {
    return (rc & 0xff) == SQLITE_CORRUPT;
}

// Reads a table in row-id order from a start, passing over the pages that
// cannot be read.
class ReadableRows {
public:
    ReadableRows(sqlite3* db, const QString& table)
        : db_(db), sql_(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid >= ? ORDER BY rowid")
                            .arg(QuoteName(table))),
          select_(Prepare(db, sql_)) {}

    // Calls copy for every readable row; returns the stretches passed over.
    template <typename Copy> QList<TUnreadableRows> Read(Copy copy) {
        QList<TUnreadableRows> gaps;
        std::optional<qint64> last;
        qint64 start = std::numeric_limits<qint64>::min();
        for (;;) {
            int rc = Seek(start);
            if (rc == SQLITE_ROW && !gaps.isEmpty() && !gaps.last().Before)
                gaps.last().Before = sqlite3_column_int64(select_.get(), 0);
            for (; rc == SQLITE_ROW; rc = sqlite3_step(select_.get())) {
                last = sqlite3_column_int64(select_.get(), 0);
                copy(select_.get());
            }
            if (rc == SQLITE_DONE)
                return gaps;
            if (!IsDamage(rc))
                throw SqliteError(db_, rc, sql_);
            gaps.append({last, std::nullopt});
            const std::optional<qint64> next = NextReadable(last ? *last : 0);
            if (!next)
                return gaps;
            start = *next;
        }
    }

private:
    int Seek(qint64 start) {
        sqlite3_reset(select_.get());
        sqlite3_bind_int64(select_.get(), 1, start);
        return sqlite3_step(select_.get());
    }
    bool Readable(qint64 start) {
        const int rc = Seek(start);
        if (rc == SQLITE_ROW || rc == SQLITE_DONE)
            return true;
        if (!IsDamage(rc))
            throw SqliteError(db_, rc, sql_);
        return false;
    }

    // The first start after a damaged stretch from which the table reads
    // again: steps that double until a seek passes the damage, then a
    // binary search back, so that no readable row is passed over.
    std::optional<qint64> NextReadable(qint64 failed) {
        qint64 step = 1;
        while (failed <= std::numeric_limits<qint64>::max() - step) {
            const qint64 probe = failed + step;
            if (Readable(probe)) {
                qint64 bad = failed + step / 2;
                qint64 good = probe;
                while (good - bad > 1) {
                    const qint64 middle = bad + (good - bad) / 2;
                    (Readable(middle) ? good : bad) = middle;
                }
                return good;
            }
            if (step > std::numeric_limits<qint64>::max() / 2)
                break;
            step *= 2;
        }
        return std::nullopt;
    }

    sqlite3* db_;
    QString sql_;
    StatementGuard select_;
};

// `to` is written into the SQL as it is.
QList<TUnreadableRows> CopyReadableRows(sqlite3* db, const QString& from, const QString& to) {
    const int columns =
        Column(db, QStringLiteral("SELECT count(*) FROM pragma_table_info(?)"), from)
            .value(0)
            .toInt();
    QStringList marks;
    for (int i = 0; i < columns; ++i)
        marks.append(QStringLiteral("?"));
    const QString insertSql =
        QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(to, marks.join(u','));
    StatementGuard insert = Prepare(db, insertSql);
    ReadableRows rows(db, from);
    return rows.Read([&](sqlite3_stmt* row) {
        sqlite3_reset(insert.get());
        for (int i = 0; i < columns; ++i)
            sqlite3_bind_value(insert.get(), i + 1, sqlite3_column_value(row, i + 1));
        const int rc = sqlite3_step(insert.get());
        if (rc != SQLITE_DONE)
            throw SqliteError(db, rc, insertSql);
    });
}

// Takes a table whose pages are too damaged to free, with its indexes and
// triggers, out of the schema; its pages stay unused until a VACUUM.
void ForgetTable(sqlite3* db, const QString& table) {
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 0, nullptr);
    Exec(db, QStringLiteral("PRAGMA writable_schema = ON"));
    try {
        Exec(db, QStringLiteral("DELETE FROM sqlite_master WHERE tbl_name = %1")
                     .arg(u'\'' + QString(table).replace(u'\'', QStringLiteral("''")) + u'\''));
    } catch (...) {
        sqlite3_exec(db, "PRAGMA writable_schema = RESET", nullptr, nullptr, nullptr);
        throw;
    }
    // Also reads the schema again, without the table.
    Exec(db, QStringLiteral("PRAGMA writable_schema = RESET"));
}

// The readable rows go to a temporary table outside any transaction; then,
// in one savepoint, the damaged table leaves the schema and a new one of
// the same definition takes them in. A VACUUM drops the old pages.
QList<TUnreadableRows> RebuildDamagedTable(sqlite3* db, const QString& name,
                                           const QString& definition, const QStringList& indexes) {
    if (sqlite3_get_autocommit(db) == 0)
        throw EngineError(kErrTablesOpen,
                          QStringLiteral("A damaged table cannot be rebuilt inside a transaction"));
    const QString aside = QStringLiteral("temp.kx_readable_rows");
    Exec(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(aside));
    Exec(db,
         QStringLiteral("CREATE TABLE %1 AS SELECT * FROM %2 WHERE 0").arg(aside, QuoteName(name)));
    const auto dropAside = [&] {
        sqlite3_exec(db, "DROP TABLE IF EXISTS temp.kx_readable_rows", nullptr, nullptr, nullptr);
    };
    QList<TUnreadableRows> unreadable;
    try {
        unreadable = CopyReadableRows(db, name, aside);
        Savepoint rebuild(db, "kx_rebuild");
        Exec(db, QStringLiteral("PRAGMA defer_foreign_keys = ON"));
        ForgetTable(db, name);
        Exec(db, definition);
        Exec(db, QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(QuoteName(name), aside));
        for (const QString& index : indexes)
            Exec(db, index);
        rebuild.Release();
    } catch (...) {
        dropAside();
        throw;
    }
    dropAside();
    Exec(db, QStringLiteral("VACUUM"));
    return unreadable;
}

} // namespace

QStringList TableNames(TDatabase& database, bool withExtensions) {
    QStringList names = Column(database.Handle(),
                               QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                              "'table' AND name NOT LIKE 'sqlite%' ORDER BY name"));
    if (withExtensions) {
        for (QString& name : names)
            name += QLatin1String(".DB");
    }
    return names;
}

void VerifyTable(TDatabase& database, const QString& tableName) {
    const QString name = BareName(tableName);
    const QStringList findings = Column(
        database.Handle(), QStringLiteral("PRAGMA integrity_check(%1)").arg(QuoteName(name)));
    if (findings != QStringList{QStringLiteral("ok")})
        throw EngineError(kErrCannotOpen, name + QStringLiteral(": ") + findings.join(u'\n'));
}

QStringList TableFindings(TDatabase& database, const QString& tableName) {
    sqlite3* db = database.Handle();
    const QString sql =
        QStringLiteral("PRAGMA integrity_check(%1)").arg(QuoteName(BareName(tableName)));
    StatementGuard statement = Prepare(db, sql);
    QStringList findings;
    int rc = sqlite3_step(statement.get());
    for (; rc == SQLITE_ROW; rc = sqlite3_step(statement.get()))
        findings.append(QString::fromUtf8(sqlite3_column_text(statement.get(), 0)));
    if (IsDamage(rc))
        return {QString::fromUtf8(sqlite3_errmsg(db))};
    if (rc != SQLITE_DONE)
        throw SqliteError(db, rc, sql);
    return findings == QStringList{QStringLiteral("ok")} ? QStringList() : findings;
}

QList<TUnreadableRows> RebuildTable(TDatabase& database, const QString& tableName) {
    sqlite3* db = database.Handle();
    const QStringList stored = Column(db,
                                      QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                                     "'table' AND name = ? COLLATE NOCASE"),
                                      BareName(tableName));
    if (stored.isEmpty())
        throw EngineError(kErrGeneralSql,
                          QStringLiteral("Table does not exist: %1").arg(BareName(tableName)));
    const QString name = stored.first();
    const QStringList definitions = Column(
        db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"),
        name);
    const QStringList indexes = Column(
        db,
        QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND "
                       "sql IS NOT NULL"),
        name);
    const QString fresh = name + QStringLiteral("_kx_rebuild");
    const QString created = RenamedDefinition(definitions.first(), fresh);
    if (created.isEmpty())
        throw EngineError(kErrGeneralSql,
                          QStringLiteral("Cannot read the definition of %1").arg(name));
    // A write that follows a read of a damaged page in the same transaction
    // fails: a damaged table's readable rows are first copied aside, and its
    // pages are never touched again.
    if (!TableFindings(database, name).isEmpty())
        return RebuildDamagedTable(db, name, definitions.first(), indexes);
    Savepoint rebuild(db, "kx_rebuild");
    Exec(db, QStringLiteral("PRAGMA defer_foreign_keys = ON"));
    Exec(db, created);
    Exec(db,
         QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(QuoteName(fresh), QuoteName(name)));
    Exec(db, QStringLiteral("DROP TABLE %1").arg(QuoteName(name)));
    Exec(db, QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(QuoteName(fresh), QuoteName(name)));
    for (const QString& index : indexes)
        Exec(db, index);
    rebuild.Release();
    return {};
}

// VACUUM builds the packed copy in memory rather than in a temporary file
// that would be written and read once more; a file past 512 MB keeps the
// temporary file, so that packing needs no more memory than that.
void PackDatabase(TDatabase& database) {
    if (!database.DataSets().isEmpty() || database.InTransaction())
        throw EngineError(kErrTablesOpen,
                          QStringLiteral("Tables are open: close every data set before packing"));
    sqlite3* db = database.Handle();
    constexpr qint64 kMostInMemory = 512LL * 1024 * 1024;
    if (QFileInfo(database.FileName()).size() <= kMostInMemory)
        Exec(db, QStringLiteral("PRAGMA temp_store=MEMORY"));
    const int rc = sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA temp_store=DEFAULT", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        return;
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
        throw EngineError(kErrTablesOpen, QString::fromUtf8(sqlite3_errmsg(db)));
    throw SqliteError(db, rc, QStringLiteral("VACUUM"));
}

namespace {

// The first column of every row; the result code of the run.
int ReadColumn(sqlite3* db, const char* sql, QStringList& values) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            values.append(QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

TFileCheck Checked(sqlite3* db, const QStringList& tables) {
    QStringList names;
    int rc = ReadColumn(db, "SELECT name FROM sqlite_master WHERE type = 'table'", names);
    if ((rc & 0xff) == SQLITE_NOTADB)
        return {TFileFault::NotADatabase, QString::fromUtf8(sqlite3_errmsg(db))};
    QStringList findings;
    if (rc == SQLITE_OK)
        rc = ReadColumn(db, "PRAGMA integrity_check", findings);
    if ((rc & 0xff) == SQLITE_CORRUPT || (rc == SQLITE_OK && findings != QStringList{"ok"}))
        return {TFileFault::Damaged,
                rc == SQLITE_OK ? findings.value(0) : QString::fromUtf8(sqlite3_errmsg(db))};
    if (rc != SQLITE_OK)
        return {TFileFault::CannotOpen, QString::fromUtf8(sqlite3_errmsg(db))};
    for (const QString& table : tables) {
        if (!names.contains(table, Qt::CaseInsensitive))
            return {TFileFault::TableMissing, table};
    }
    return {};
}

} // namespace

TFileCheck CheckDatabaseFile(const QString& path, const QStringList& tables) {
    if (!QFileInfo(path).isFile())
        return {TFileFault::Missing, {}};
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    // The program's tables compare text by its own collation.
    if (rc == SQLITE_OK)
        RegisterCollations(db);
    const TFileCheck check =
        rc == SQLITE_OK ? Checked(db, tables)
                        : TFileCheck{TFileFault::CannotOpen, QString::fromUtf8(sqlite3_errstr(rc))};
    sqlite3_close(db);
    return check;
}

} // namespace kx::db
