#include "core/filefunctions.h"

#include "platform/db/database.h"
#include "platform/db/tablemaintenance.h"
#include "platform/sys/configstore.h"
#include "platform/sys/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace kx {
namespace {

// The tables that start-up, log-on and the cash book cannot do without.
const QStringList kProgramTables = {
    QStringLiteral("SYS_USER_TABLE"),
    QStringLiteral("SYS_RIGHT_TABLE"),
    QStringLiteral("SYS_COMPOSE_TABLE"),
    QStringLiteral("SYS_PROGRAM_TABLE"),
    QStringLiteral("SYS_ID_TABLE"),
    QStringLiteral("SYS_COMPANY_TABLE"),
    QStringLiteral("KX_MONEY_ACCOUNT_TABLE"),
    QStringLiteral("KX_MONEY_INTO_OUT_TYPE_TABLE"),
    QStringLiteral("KX_INTO_OUT_MONEY_TABLE"),
};

} // namespace

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

QString DatabaseFileFault(const QString& file, const QString& shownAs) {
    const db::TFileCheck check = db::CheckDatabaseFile(file, kProgramTables);
    const QString name = shownAs.isEmpty() ? file : shownAs;
    switch (check.Fault) {
    case db::TFileFault::None:
        return {};
    case db::TFileFault::Missing:
        return QStringLiteral("数据库文件不存在：") + name;
    case db::TFileFault::CannotOpen:
        return QStringLiteral("数据库文件不能打开：") + name + QStringLiteral("（") + check.Detail +
               QStringLiteral("）");
    case db::TFileFault::NotADatabase:
        return QStringLiteral("文件不是数据库文件：") + name;
    case db::TFileFault::Damaged:
        return QStringLiteral("数据库文件已损坏，完整性检查未通过：") + name;
    case db::TFileFault::TableMissing:
        return QStringLiteral("不是本软件的数据库文件：") + name + QStringLiteral("（缺少数据表") +
               check.Detail + QStringLiteral("）");
    }
    return {};
}

QString DataFolderWriteFault(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kxwrite-XXXXXX")));
    if (!probe.open())
        return QStringLiteral("数据文件夹不能写入：") + folder;
    QFile database(QDir(folder).filePath(QLatin1String(db::TDatabase::kFileName)));
    if (!database.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return QStringLiteral("数据库文件不能写入：") + database.fileName();
    return {};
}

} // namespace kx
