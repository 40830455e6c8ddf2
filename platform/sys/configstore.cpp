#include "platform/sys/configstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace kx::sys {
namespace {

const QString kSettingsSection = QStringLiteral("RARARUZIDI");
const QString kAliasPathKey = QStringLiteral("PATH");

// QSettings opens lazily and reports a file it cannot read only through
// status(); a file that exists but cannot be read, or a folder that cannot
// be made, counts as "cannot open" just like a registry key that could
// neither be opened nor created.
bool CanOpen(const QString& file) {
    const QFileInfo info(file);
    if (info.exists())
        return info.isFile() && info.isReadable();
    return QDir().mkpath(info.absolutePath());
}

// A value written by hand with a comma (PATH=/data/a,b) comes back from the
// INI reader as a list; it is one text to us.
QString ValueText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

std::optional<QString> ReadValue(const QString& file, const QString& section, const QString& key) {
    if (!CanOpen(file))
        return std::nullopt;
    QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    return ValueText(settings.value(section + u'/' + key));
}

bool ContainsKey(const QString& file, const QString& section, const QString& key) {
    if (!QFileInfo(file).isFile())
        return false;
    QSettings settings(file, QSettings::IniFormat);
    return settings.status() == QSettings::NoError && settings.contains(section + u'/' + key);
}

// Changes one key and writes the file at once, so that a failure is known
// to the caller rather than lost in a later background write.
template <typename Change> bool ChangeValue(const QString& file, Change change) {
    if (!CanOpen(file))
        return false;
    QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return false;
    change(settings);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace

QString ConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kxcashier");
}

QString SettingsFilePath() {
    return ConfigFolder() + QStringLiteral("/settings.ini");
}

QString AliasesFilePath() {
    return ConfigFolder() + QStringLiteral("/aliases.ini");
}

std::optional<QString> ReadSettingsValue(const QString& name) {
    return ReadValue(SettingsFilePath(), kSettingsSection, name);
}

bool WriteSettingsValue(const QString& name, const QString& value) {
    return ChangeValue(SettingsFilePath(), [&](QSettings& settings) {
        settings.setValue(kSettingsSection + u'/' + name, value);
    });
}

bool DeleteSettingsValue(const QString& name) {
    return ChangeValue(SettingsFilePath(), [&](QSettings& settings) {
        settings.remove(kSettingsSection + u'/' + name);
    });
}

bool AliasExists(const QString& alias) {
    return ContainsKey(AliasesFilePath(), alias, kAliasPathKey);
}

QString AliasPath(const QString& alias) {
    if (!AliasExists(alias))
        return {};
    return ReadValue(AliasesFilePath(), alias, kAliasPathKey).value_or(QString());
}

bool SetAliasPath(const QString& alias, const QString& path) {
    return ChangeValue(AliasesFilePath(), [&](QSettings& settings) {
        settings.setValue(alias + u'/' + kAliasPathKey, path);
    });
}

} // namespace kx::sys
