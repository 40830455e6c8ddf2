#include "platform/db/savepoint.h"

#include "platform/db/dberrors.h"

#include <sqlite3.h>

namespace kx::db {

Savepoint::Savepoint(sqlite3* db, const char* name) : db_(db), name_(name) {
    Run("SAVEPOINT ");
}

Savepoint::~Savepoint() {
    if (released_)
        return;
    sqlite3_exec(db_, ("ROLLBACK TO " + name_).constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db_, ("RELEASE " + name_).constData(), nullptr, nullptr, nullptr);
}

void Savepoint::Release() {
    Run("RELEASE ");
    released_ = true;
}

void Savepoint::Run(const QByteArray& verb) {
    const QByteArray sql = verb + name_;
    const int rc = sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw SqliteError(db_, rc, QString::fromLatin1(sql));
}

} // namespace kx::db
