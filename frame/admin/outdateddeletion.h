#pragma once
// The statements of each choice of the outdated-data deletion and their run:
// a choice's statements are all applied or none is, and the tables are packed
// only after they were committed.

#include <QString>
#include <QStringList>

#include <functional>

namespace kx {

namespace db {
class TDatabase;
}

// The choices in the order the deletion window lists them.
enum class TDeleteOption { Year = 0, Account = 1, Employees = 2, AllData = 3 };

// The refusal of a typed deletion year, empty when the text (trimmed) is a
// four-digit year.
QString CheckDeletionYear(const QString& yearText);

// The DELETE statements of a choice. The year must have passed
// CheckDeletionYear; the account id is quoted.
QStringList DeletionStatements(TDeleteOption option, const QString& value = QString());

// Runs the statements in one transaction of the database, each through
// exec (false: it failed); the first failure rolls every one back. After
// the commit, pack gives the freed space back. False when a statement, the
// transaction or the packing failed; rows committed before a packing failure
// stay deleted.
bool RunDeletion(db::TDatabase& database, const QStringList& statements,
                 const std::function<bool(const QString& sql)>& exec,
                 const std::function<void()>& pack);

} // namespace kx
