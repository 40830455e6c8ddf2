#include "platform/db/database.h"

#include "platform/db/collation.h"
#include "platform/db/dberrors.h"
#include "platform/db/progresshook.h"
#include "platform/db/query.h"
#include "platform/db/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace kx::db {
namespace {

constexpr qint64 kMiB = 1024 * 1024;

// Reads go straight to the file's pages through a mapping of the whole file
// and room to grow, instead of copying each page into the page cache; the
// cache keeps a quarter of the file for the pages a save changes and for
// the index pages a list reads again.
void SizeForFile(sqlite3* db, qint64 fileBytes) {
    const qint64 mapped = std::clamp(2 * fileBytes, 64 * kMiB, 2048 * kMiB - 1);
    const qint64 cacheKiB = std::clamp(fileBytes / 4, 8 * kMiB, 64 * kMiB) / 1024;
    const QByteArray pragmas = QStringLiteral("PRAGMA mmap_size=%1; PRAGMA cache_size=-%2")
                                   .arg(mapped)
                                   .arg(cacheKiB)
                                   .toLatin1();
    sqlite3_exec(db, pragmas.constData(), nullptr, nullptr, nullptr);
}

} // namespace

TDatabase::TDatabase(QObject* owner) : QObject(owner) {
    TSession::Default().AddDatabase(this);
}

TDatabase::~TDatabase() {
    for (TQuery* query : QList<TQuery*>(queries_))
        query->DatabaseDestroyed();
    Disconnect();
    TSession::Default().RemoveDatabase(this);
}

void TDatabase::SetAliasName(const QString& alias) {
    if (alias == aliasName_)
        return;
    Close();
    aliasName_ = alias;
}

void TDatabase::SetDatabaseName(const QString& name) {
    databaseName_ = name;
}

void TDatabase::SetKeepConnection(bool keep) {
    keepConnection_ = keep;
    if (!keep)
        QueryClosed();
}

void TDatabase::SetConnected(bool connected) {
    if (connected == Connected())
        return;
    if (connected) {
        Connect();
    } else {
        CloseDataSets();
        Disconnect();
    }
}

QString TDatabase::Directory() const {
    return TSession::Default().AliasPath(aliasName_);
}

QString TDatabase::FileName() const {
    return QDir(Directory()).filePath(QLatin1String(kFileName));
}

void TDatabase::Connect() {
    const QString path = FileName();
    if (!QFileInfo(path).isFile())
        throw EngineError(kErrCannotOpen, QStringLiteral("Cannot open %1").arg(path));
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const EDBEngineError error = SqliteError(db, rc, path);
        sqlite3_close(db);
        throw error;
    }
    db_ = db;
    try {
        RegisterCollations(db_);
        AttachProgressHook(db_);
        sqlite3_busy_timeout(db_, 5000);
        Exec("PRAGMA journal_mode=DELETE");
        Exec("PRAGMA synchronous=FULL");
        SizeForFile(db_, QFileInfo(path).size());
        Exec("PRAGMA case_sensitive_like=ON");
        Exec("PRAGMA foreign_keys=ON");
        if (exclusive_)
            Exec("PRAGMA locking_mode=EXCLUSIVE");
        Exec("SELECT count(*) FROM sqlite_master");
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

void TDatabase::Disconnect() {
    if (!db_)
        return;
    for (TQuery* query : queries_)
        query->UnPrepare();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    declaredColumns_.clear();
}

void TDatabase::Exec(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw SqliteError(db_, rc, QString::fromLatin1(sql));
}

void TDatabase::CloseDataSets() {
    for (TQuery* query : QList<TQuery*>(queries_))
        query->Close();
}

QList<TDataSet*> TDatabase::DataSets() const {
    QList<TDataSet*> open;
    for (TQuery* query : queries_) {
        if (query->Active())
            open.append(query);
    }
    return open;
}

void TDatabase::StartTransaction() {
    if (InTransaction())
        DatabaseError(QStringLiteral("A transaction is already active"));
    Handle();
    Exec("BEGIN IMMEDIATE");
}

void TDatabase::Commit() {
    if (InTransaction())
        Exec("COMMIT");
}

void TDatabase::Rollback() {
    if (InTransaction())
        Exec("ROLLBACK");
}

bool TDatabase::InTransaction() const {
    return db_ && !sqlite3_get_autocommit(db_);
}

sqlite3* TDatabase::Handle() {
    if (!db_)
        Connect();
    return db_;
}

TDeclaredColumns TDatabase::DeclaredColumns(const QString& table) {
    const QString key = table.toUpper();
    if (const auto known = declaredColumns_.constFind(key); known != declaredColumns_.cend())
        return *known;
    sqlite3* db = Handle();
    const QString sql = QStringLiteral("PRAGMA table_info(\"%1\")")
                            .arg(QString(table).replace(u'"', QStringLiteral("\"\"")));
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &raw, nullptr);
    if (rc != SQLITE_OK)
        throw SqliteError(db, rc, sql);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    TDeclaredColumns columns;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        columns.append({QString::fromUtf8(sqlite3_column_text(raw, 1)),
                        QString::fromUtf8(sqlite3_column_text(raw, 2))});
    }
    if (rc != SQLITE_DONE)
        throw SqliteError(db, rc, sql);
    // A table that is missing now may be made later on this connection.
    if (!columns.isEmpty())
        declaredColumns_.insert(key, columns);
    return columns;
}

void TDatabase::AddQuery(TQuery* query) {
    if (!queries_.contains(query))
        queries_.append(query);
}

void TDatabase::RemoveQuery(TQuery* query) {
    queries_.removeOne(query);
    QueryClosed();
}

void TDatabase::QueryClosed() {
    if (!keepConnection_ && db_ && !InTransaction() && DataSets().isEmpty())
        Disconnect();
}

} // namespace kx::db

#include "moc_database.cpp"
