#include "platform/db/tablemaintenance.h"

#include "platform/db/database.h"
#include "platform/db/dberrors.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

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

void RebuildTable(TDatabase& database, const QString& tableName) {
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
    Exec(db, QStringLiteral("SAVEPOINT kx_rebuild"));
    try {
        Exec(db, QStringLiteral("PRAGMA defer_foreign_keys = ON"));
        Exec(db, created);
        Exec(db, QStringLiteral("INSERT INTO %1 SELECT * FROM %2")
                     .arg(QuoteName(fresh), QuoteName(name)));
        Exec(db, QStringLiteral("DROP TABLE %1").arg(QuoteName(name)));
        Exec(db,
             QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(QuoteName(fresh), QuoteName(name)));
        for (const QString& index : indexes)
            Exec(db, index);
        Exec(db, QStringLiteral("RELEASE kx_rebuild"));
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK TO kx_rebuild", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "RELEASE kx_rebuild", nullptr, nullptr, nullptr);
        throw;
    }
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

} // namespace kx::db
