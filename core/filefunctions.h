#pragma once
// Folder and file helpers: the data folder behind the alias, the program's
// own folder and its temporary folder, the cleaning of that temporary folder
// and folder copies.

#include <QString>

namespace kx {

// The data folder the alias points at; empty when the alias store cannot
// tell.
QString GetAliasPath(const QString& aliasName);

// The program's own folder, $XDG_DATA_HOME/kxcashier (~/.local/share when
// unset), without a trailing separator: attachments and the temporary folder
// live there, whatever data folder the alias names.
QString GetProgramFolder();

// The program's own temporary folder, inside its program folder, with a
// trailing separator. It may not exist yet.
QString GetTempFolder();

bool DirectoryIsThere(const QString& path);

// The path up to and including its last separator; empty when the path has
// no separator or ends with one.
QString GetParentFolder(const QString& path);

// Deletes the files directly in the folder, the leftovers of an earlier run
// in the temporary folder; subfolders stay. A folder that cannot be listed is
// left alone.
void DeleteTempFiles(const QString& folder);

// Copies the folder source so that target becomes the copy; false when target
// exists already or any file could not be copied.
bool CopyFolder(const QString& source, const QString& target);

// Why the file cannot serve as the program's database, in the program's
// words and naming the file (as shownAs when given); empty when it can: it
// opens, passes SQLite's integrity check and holds the program's tables.
QString DatabaseFileFault(const QString& file, const QString& shownAs = {});

// Why nothing can be written to the data folder or its database file, naming
// which; empty when both take writes.
QString DataFolderWriteFault(const QString& folder);

} // namespace kx
