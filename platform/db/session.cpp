#include "platform/db/session.h"

#include "platform/db/database.h"
#include "platform/db/dberrors.h"
#include "platform/sys/configstore.h"

namespace kx::db {

TSession& TSession::Default() {
    static TSession session;
    return session;
}

TSession::~TSession() {
    temporary_.clear();
}

bool TSession::IsAlias(const QString& alias) const {
    return sys::AliasExists(alias);
}

QString TSession::AliasPath(const QString& alias) const {
    if (!sys::AliasExists(alias))
        throw EngineError(kErrCannotOpen, QStringLiteral("Unknown alias: %1").arg(alias));
    return sys::AliasPath(alias);
}

TDatabase* TSession::FindDatabase(const QString& databaseName) const {
    for (TDatabase* database : databases_) {
        if (database->DatabaseName().compare(databaseName, Qt::CaseInsensitive) == 0)
            return database;
    }
    return nullptr;
}

TDatabase* TSession::OpenDatabase(const QString& databaseName) {
    if (TDatabase* database = FindDatabase(databaseName))
        return database;
    if (databaseName.isEmpty() || !IsAlias(databaseName))
        throw EngineError(kErrCannotOpen, QStringLiteral("Unknown database: %1").arg(databaseName));
    auto database = std::make_unique<TDatabase>();
    database->SetAliasName(databaseName);
    database->SetDatabaseName(databaseName);
    temporary_.push_back(std::move(database));
    return temporary_.back().get();
}

void TSession::AddDatabase(TDatabase* database) {
    if (!databases_.contains(database))
        databases_.append(database);
}

void TSession::RemoveDatabase(TDatabase* database) {
    databases_.removeOne(database);
}

} // namespace kx::db
