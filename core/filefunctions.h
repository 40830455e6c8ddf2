#pragma once
// Folder and file helpers: the data folder behind the alias, the temporary
// folder, the cleaning of stray table files and folder copies.

#include <QString>

namespace kx {

// The data folder the alias points at; empty when the alias store cannot
// tell.
QString GetAliasPath(const QString& aliasName);

// The system's temporary folder with its trailing separator.
QString GetTempFolder();

bool DirectoryIsThere(const QString& path);

// The path up to and including its last separator; empty when the path has
// no separator or ends with one.
QString GetParentFolder(const QString& path);

// Deletes the folder's files whose extension, in upper case, is ".DB" or
// ".MB", except "SYS_BACK_TABLE.DB". A folder that cannot be listed is left
// alone.
void DeleteDataFiles(const QString& folder);

// Copies the folder source so that target becomes the copy; false when target
// exists already or any file could not be copied.
bool CopyFolder(const QString& source, const QString& target);

} // namespace kx
