#pragma once
// Errors of the data layer. The application handler matches engine errors by
// code, category, subcode and native code, so every error we map ourselves
// carries native code 0; errors we do not map keep SQLite's extended result
// code as native code, so they never match a prompt by accident.

#include "platform/sys/exception.h"

#include <QList>
#include <QString>

struct sqlite3;

namespace kx::db {

// Engine error codes; the category is the high byte, the subcode the low byte.
inline constexpr quint16 kErrKeyViolation = 9729;     // 38, 1
inline constexpr quint16 kErrRecordReferenced = 9734; // 38, 6
inline constexpr quint16 kErrValueTooLarge = 10029;   // 39, 45
inline constexpr quint16 kErrTablesOpen = 10243;      // 40, 3
inline constexpr quint16 kErrRecordChanged = 10763;   // 42, 11
inline constexpr quint16 kErrCannotOpen = 10770;      // 42, 18
inline constexpr quint16 kErrGeneralSql = 13059;      // 51, 3

struct TDBError {
    quint16 ErrorCode = 0;
    int Category = 0;
    int SubCode = 0;
    int NativeError = 0;
    QString Message;
};

// A database error raised by the layer itself (unknown field, wrong state).
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EDatabaseError"); }
};

// An error reported by the storage engine, with its list of errors.
class EDBEngineError : public EDatabaseError {
public:
    explicit EDBEngineError(QList<TDBError> errors);

    QString ClassName() const override { return QStringLiteral("EDBEngineError"); }
    const QList<TDBError>& Errors() const { return errors_; }
    int ErrorCount() const { return static_cast<int>(errors_.size()); }

private:
    QList<TDBError> errors_;
};

// An engine error with one entry; the category and subcode come from the code.
EDBEngineError EngineError(quint16 code, const QString& message, int nativeError = 0);

// The engine error for a failed SQLite call on db, mapped to the codes the
// application recognises; context (usually the SQL) is added to the message.
// A statement stopped by a failing progress hook raises the hook's exception.
EDBEngineError SqliteError(sqlite3* db, int resultCode, const QString& context = {});

[[noreturn]] void DatabaseError(const QString& message);

} // namespace kx::db
