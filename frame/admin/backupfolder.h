#pragma once
// The folder backups are saved in, kept in the settings store under a value
// name ("RUReravezData"): asked for, checked and chosen anew when it is gone.

#include <QString>

namespace kx {

// The stored folder; with ask, the user confirms it or picks another one,
// and without a stored folder the user must pick one. A picked folder is
// stored. Empty when none was chosen or the store cannot be read.
QString GetBackupFolder(const QString& name, bool ask);

// The folder of storedFolder (its part up to the last separator) with one
// trailing "/" when it exists; otherwise, with allowChoose, the user may
// pick a new one, which is stored. Empty when there is no usable folder.
QString CheckBackupFolder(const QString& name, const QString& storedFolder, bool allowChoose);

} // namespace kx
