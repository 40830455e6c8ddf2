#include "bench/benchdata.h"

#include "platform/sys/configstore.h"
#include "tools/mkdatafolder/datafolder.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>
#include <stdexcept>

namespace kx::bench {

TBenchDataFolder::TBenchDataFolder() {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigFolder()));
    const QString error = tools::CreateDataFolder(QStringLiteral(KX_SOURCE_SCHEMA_DIR), Folder());
    if (!error.isEmpty())
        throw std::runtime_error(error.toStdString());
    sys::SetAliasPath(QStringLiteral("RUReravezLink"), Folder());
}

QString TBenchDataFolder::File() const {
    return QDir(Folder()).filePath(tools::kDatabaseFileName);
}

void CheckSqlite(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

} // namespace kx::bench
