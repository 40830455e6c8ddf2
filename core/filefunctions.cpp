#include "core/filefunctions.h"

#include "platform/sys/configstore.h"
#include "platform/sys/files.h"

#include <QFileInfo>

namespace kx {

QString GetAliasPath(const QString& aliasName) {
    return sys::AliasPath(aliasName);
}

QString GetTempFolder() {
    return sys::TempFolder();
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

void DeleteDataFiles(const QString& folder) {
    sys::DeleteFilesByExtension(folder, {QStringLiteral(".DB"), QStringLiteral(".MB")},
                                {QStringLiteral("SYS_BACK_TABLE.DB")});
}

bool CopyFolder(const QString& source, const QString& target) {
    return sys::CopyFolder(source, target);
}

} // namespace kx
