#include "core/filefunctions.h"

#include "platform/sys/configstore.h"
#include "platform/sys/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kx {

QString GetAliasPath(const QString& aliasName) {
    return sys::AliasPath(aliasName);
}

QString GetProgramFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kxcashier");
}

QString GetTempFolder() {
    return GetProgramFolder() + QStringLiteral("/temp/");
}

bool DirectoryIsThere(const QString& path) {
    return QFileInfo(path).isDir();
}

QString GetParentFolder(const QString& path) {
    const qsizetype last = path.lastIndexOf(u'/');
    if (last < 0 || last == path.size() - 1)
        return {};
    return path.left(last + 1);
}

void DeleteTempFiles(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name : sys::ListFiles(folder))
        QFile::remove(dir.filePath(name));
}

bool CopyFolder(const QString& source, const QString& target) {
    return sys::CopyFolder(source, target);
}

} // namespace kx
