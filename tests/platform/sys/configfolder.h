#pragma once
// Points XDG_CONFIG_HOME at a folder of the test's own for the test's life,
// and puts the run's folder back afterwards.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

class ConfigFolderScope {
public:
    ConfigFolderScope() : saved_(qgetenv("XDG_CONFIG_HOME")) { Use(dir_.path()); }
    ~ConfigFolderScope() { qputenv("XDG_CONFIG_HOME", saved_); }
    ConfigFolderScope(const ConfigFolderScope&) = delete;
    ConfigFolderScope& operator=(const ConfigFolderScope&) = delete;

    QString Path() const { return dir_.path(); }
    void Use(const QString& folder) { qputenv("XDG_CONFIG_HOME", folder.toUtf8()); }

    // A configuration folder that can never be made: its parent is a file.
    void UseBlockedFolder() {
        const QString file = dir_.filePath(QStringLiteral("plain-file"));
        QFile(file).open(QIODevice::WriteOnly);
        Use(file);
    }

private:
    QByteArray saved_;
    QTemporaryDir dir_;
};
