#pragma once
// Folder and file helpers on "/" paths.

#include <QString>
#include <QStringList>

namespace kx::sys {

// The system's temporary folder, ending in "/".
QString TempFolder();

// Names (not paths) of the files directly in the folder, hidden ones
// included, sorted by name. With extensions (".DB", ".MB"), only the files
// whose name ends in one of them, letter case ignored. A folder that cannot
// be listed gives an empty list.
QStringList ListFiles(const QString& folder, const QStringList& extensions = {});

// Deletes the files of the folder whose extension is one of extensions,
// except those named in keepNames; both comparisons ignore letter case.
// False when a matching file could not be deleted.
bool DeleteFilesByExtension(const QString& folder, const QStringList& extensions,
                            const QStringList& keepNames = {});

// Copies the folder with everything in it so that target becomes the copy.
// Fails, copying nothing, when target exists already or lies inside source;
// false also when any file could not be copied.
bool CopyFolder(const QString& source, const QString& target);

} // namespace kx::sys
