#pragma once
// Makes a fresh data folder from the shipped schema: the database file with
// every table and its first rows, and the default print templates. Used by
// the run command and by tests; the program itself never creates tables.

#include <QString>

namespace kx::tools {

inline constexpr const char* kDatabaseFileName = "RUReravezDataBase.sqlite";

// Runs every *.sql file of schemaDir, in name order, inside one transaction
// into <dataDir>/RUReravezDataBase.sqlite. Refuses to touch an existing
// database file. Then copies every file of <schemaDir>/templates into
// dataDir, leaving a file of the same name that is already there. Returns
// an empty string on success, else the reason.
QString CreateDataFolder(const QString& schemaDir, const QString& dataDir);

} // namespace kx::tools
