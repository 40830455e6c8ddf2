#pragma once
// The program's two small configuration files, plain INI files a user or a
// test can also write by hand:
//   $XDG_CONFIG_HOME/kxcashier/settings.ini  section [RARARUZIDI], one key per
//                                            value ("RUReravezColor", "KXBank", ...)
//   $XDG_CONFIG_HOME/kxcashier/aliases.ini   one section per database alias,
//                                            its key PATH the data folder
// ~/.config stands in for XDG_CONFIG_HOME when it is unset. Written by hand,
// a value holding ',', ';' or '\', or beginning with a blank, goes in double
// quotes, as the program itself writes such values.

#include <QString>

#include <optional>

namespace kx::sys {

// The folder both files live in, without a trailing "/".
QString ConfigFolder();
QString SettingsFilePath();
QString AliasesFilePath();

// The settings store. Opening creates the folder when it is missing; a file
// that cannot be opened, read or written is a failure the caller reports.
// A missing value reads as empty.
std::optional<QString> ReadSettingsValue(const QString& name);
bool WriteSettingsValue(const QString& name, const QString& value);
bool DeleteSettingsValue(const QString& name);

// The alias store. An unknown alias, or an aliases file that cannot be read,
// has no path: AliasExists is false and AliasPath empty.
bool AliasExists(const QString& alias);
QString AliasPath(const QString& alias);
bool SetAliasPath(const QString& alias, const QString& path);

} // namespace kx::sys
