#include "tools/mkdatafolder/datafolder.h"

#include "platform/db/collation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace kx::tools {
namespace {

QString Exec(sqlite3* db, const QByteArray& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return {};
    QString error = QString::fromUtf8(message ? message : "unknown error");
    sqlite3_free(message);
    return error;
}

QString RunSchema(sqlite3* db, const QDir& schema) {
    const QStringList files = schema.entryList({"*.sql"}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        return QStringLiteral("no schema files in %1").arg(schema.path());
    for (const QString& name : files) {
        QFile file(schema.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot read %1").arg(file.fileName());
        const QString error = Exec(db, file.readAll());
        if (!error.isEmpty())
            return QStringLiteral("%1: %2").arg(name, error);
    }
    return {};
}

// The shipped templates go beside the database; a file already in the
// folder is the user's and stays as it is.
QString CopyTemplates(const QDir& schema, const QDir& data) {
    const QDir templates(schema.filePath(QStringLiteral("templates")));
    for (const QString& name : templates.entryList(QDir::Files, QDir::Name)) {
        const QString target = data.filePath(name);
        if (QFileInfo::exists(target))
            continue;
        if (!QFile::copy(templates.filePath(name), target))
            return QStringLiteral("cannot copy %1 to %2").arg(templates.filePath(name), target);
    }
    return {};
}

} // namespace

QString CreateDataFolder(const QString& schemaDir, const QString& dataDir) {
    if (!QDir().mkpath(dataDir))
        return QStringLiteral("cannot create folder %1").arg(dataDir);
    const QString path = QDir(dataDir).filePath(kDatabaseFileName);
    if (QFileInfo::exists(path))
        return QStringLiteral("%1 already exists").arg(path);

    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("cannot create %1").arg(path);
    }
    db::RegisterCollations(db);
    QString error = Exec(db, "PRAGMA journal_mode=DELETE; BEGIN;");
    if (error.isEmpty())
        error = RunSchema(db, QDir(schemaDir));
    error = error.isEmpty() ? Exec(db, "COMMIT;") : error;
    sqlite3_close(db);
    // Without its templates the folder is not finished: the next attempt
    // starts again from the schema.
    if (error.isEmpty())
        error = CopyTemplates(QDir(schemaDir), QDir(dataDir));
    if (!error.isEmpty())
        QFile::remove(path);
    return error;
}

} // namespace kx::tools
