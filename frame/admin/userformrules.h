#pragma once
// What the users window tells its query, grid and find dialog about the
// users table, the guards that keep the system user, and the statements
// that tidy up after users are gone.

#include "core/fieldsdata.h"

#include <QString>
#include <QStringList>

namespace kx {

// The password every new user starts with.
inline const QString kDefaultPassword = QStringLiteral("918");

TFieldsDataArray UserFieldsData();
// A user id and a user name may each be taken once.
TCheckDataArray UserCheckData();
TInsertDataArray UserInsertData(const QString& userName, const QString& today);
TEditDataArray UserEditData(const QString& userName, const QString& today);

// The system user may be neither stopped nor deleted: the refusal, empty
// when the action may go on.
QString StopUserRefusal(const QString& sysUser, const QString& status);
QString DeleteUserRefusal(const QString& sysUser);

QString NewUserPasswordPrompt();
QString UserRightsDeleteSql(const QString& userId);
// Deletes the grid layouts of users that no longer exist.
QStringList LayoutCleanupStatements();

} // namespace kx
