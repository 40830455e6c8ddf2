#pragma once
// Folder and file helpers on "/" paths.

#include <QDateTime>
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

// The name as a file name: trimmed, at most 100 characters, with the
// characters a file name cannot hold replaced by '_'.
QString SafeFileName(const QString& name);

// Creates an empty new file in folder (made when missing) named after name
// and the time, such as "日记账 2026-12-11 165312.pdf", numbered " (2)",
// " (3)" ... while such a file exists, so that a file the user keeps is
// never overwritten. Answers its path; empty when it cannot be created.
QString CreateTimedFile(const QString& folder, const QString& name, const QString& suffix,
                        const QDateTime& time);

// Flushes a file's or a folder's contents to the disk (a folder's: its
// entries, so that a new or renamed file survives a power cut).
bool SyncToDisk(const QString& path);

// Removes a file even when an earlier write to it failed (a full disk);
// true when no file of that name is left.
bool RemoveFile(const QString& path);

} // namespace kx::sys
