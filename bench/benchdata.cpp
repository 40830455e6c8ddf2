#include "bench/benchdata.h"

#include "platform/db/collation.h"
#include "platform/db/query.h"
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

void FillMoneyRecords(const QString& file) {
    sqlite3* db = nullptr;
    CheckSqlite(sqlite3_open(QFile::encodeName(file).constData(), &db), db);
    db::RegisterCollations(db);
    CheckSqlite(
        sqlite3_exec(
            db,
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
            "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID, "
            "MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, MONEY_OUT_NUMBER, "
            "MONEY_NUMBER_FIELD1, MONEY_NUMBER_FIELD2, MONEY_NUMBER_FIELD3, MONEY_TEXT_NOTE, "
            "STATUS, CREATE_NAME, CREATE_DATE) "
            "SELECT printf('070305%06d', i), "
            "printf('%04d%02d%06d', 2005 + i / 50000, 1 + (i / 2000) % 12, i % 50000), "
            "printf('%03d%03d', 1 + i % 7, 1 + i % 11), printf('%03d', 1 + i % 5), "
            "date('2005-01-01', '+' || (i / 140) || ' days'), "
            "(i % 977) * 10.25, (i % 613) * 3.5, i % 10, (i % 89) / 100.0, (i % 7) * 100, "
            "'收到货款', '未审核', '张三', date('2005-01-01', '+' || (i / 140) || ' days') "
            "FROM n",
            nullptr, nullptr, nullptr),
        db);
    sqlite3_close(db);
}

void ExecSql(const QString& sql) {
    db::TQuery statement;
    statement.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    statement.SetParamCheck(false);
    statement.SQL().Add(sql);
    statement.ExecSQL();
}

} // namespace kx::bench
