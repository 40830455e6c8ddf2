#include "platform/db/dberrors.h"

#include "platform/db/progresshook.h"

#include <sqlite3.h>

namespace kx::db {
namespace {

quint16 MappedCode(int extendedCode) {
    switch (extendedCode) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
        return kErrKeyViolation;
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return kErrRecordReferenced;
    default:
        break;
    }
    switch (extendedCode & 0xff) {
    case SQLITE_TOOBIG:
        return kErrValueTooLarge;
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return kErrCannotOpen;
    default:
        return 0;
    }
}

QString JoinMessage(const QString& message, const QString& context) {
    const QString trimmed = context.trimmed();
    if (trimmed.isEmpty())
        return message;
    return message + QLatin1Char('\n') + trimmed;
}

} // namespace

EDBEngineError::EDBEngineError(QList<TDBError> errors)
    : EDatabaseError(errors.isEmpty() ? QString() : errors.first().Message),
      errors_(std::move(errors)) {}

EDBEngineError EngineError(quint16 code, const QString& message, int nativeError) {
    return EDBEngineError({TDBError{code, code >> 8, code & 0xff, nativeError, message}});
}

EDBEngineError SqliteError(sqlite3* db, int resultCode, const QString& context) {
    const int extended = db ? sqlite3_extended_errcode(db) : resultCode;
    if ((resultCode & 0xff) == SQLITE_INTERRUPT)
        RethrowProgressHookFailure();
    const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode));
    const quint16 mapped = MappedCode(extended);
    if (mapped != 0)
        return EngineError(mapped, JoinMessage(message, context));
    return EngineError(kErrGeneralSql, JoinMessage(message, context), extended);
}

void DatabaseError(const QString& message) {
    throw EDatabaseError(message);
}

} // namespace kx::db
