#pragma once
// Folder and file helpers on "/" paths.

#include <QString>
#include <QStringList>

namespace kx::sys {

// Names (not paths) of the files directly in the folder, hidden ones
// included, sorted by name. A folder that cannot be listed gives an empty
// list.
QStringList ListFiles(const QString& folder);

// Copies the folder with everything in it so that target becomes the copy.
// Fails, copying nothing, when target exists already or lies inside source;
// false also when any file could not be copied.
bool CopyFolder(const QString& source, const QString& target);

} // namespace kx::sys
