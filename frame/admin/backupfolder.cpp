#include "frame/admin/backupfolder.h"

#include "core/filefunctions.h"
#include "core/messages.h"
#include "frame/dialogs/opendirdialog.h"
#include "platform/sys/configstore.h"

#include <optional>

namespace kx {
namespace {

const QString kStoreError = QStringLiteral("数据备份保存位置读取错误");
const QString kLineBreak = QStringLiteral("\n\r");

// The folder the user picks, empty when cancelled.
QString PickFolder() {
    TOpenDirDialog dialog;
    return dialog.Execute() ? dialog.GetDirectory() : QString();
}

bool StoreFolder(const QString& name, const QString& folder) {
    if (sys::WriteSettingsValue(name, folder))
        return true;
    ShowPromptMessageTo(nullptr, kStoreError);
    return false;
}

} // namespace

QString GetBackupFolder(const QString& name, bool ask) {
    const std::optional<QString> stored = sys::ReadSettingsValue(name);
    if (!stored) {
        ShowPromptMessageTo(nullptr, kStoreError);
        return QString();
    }
    QString folder = *stored;
    if (ask && !folder.isEmpty() &&
        ShowConfirmMessage(QStringLiteral("是否备份文件保存到:") + u'\r' + folder))
        return folder;
    if (!ask && !folder.isEmpty())
        return folder;
    if (!ask)
        ShowPromptMessageTo(nullptr, QStringLiteral("必须选择数据备份保存位置"));
    folder = PickFolder();
    if (!folder.isEmpty() && !StoreFolder(name, folder))
        return QString();
    return folder;
}

QString CheckBackupFolder(const QString& name, const QString& storedFolder, bool allowChoose) {
    const qsizetype cut = std::max(storedFolder.lastIndexOf(u'\\'), storedFolder.lastIndexOf(u'/'));
    const QString folder = cut >= 0 ? storedFolder.left(cut) : storedFolder;
    if (DirectoryIsThere(folder))
        return folder + u'/';
    const QString where = QStringLiteral("指定保存数据备份文件的路径是:") + folder + kLineBreak;
    if (!allowChoose) {
        ShowPromptMessage(where + QStringLiteral("此路径不存在,不能保存数据备份文件"));
        return QString();
    }
    const QString noFolder = QStringLiteral("没有指定新的保存数据备份文件的路径") + kLineBreak +
                             QStringLiteral("不能备份数据");
    if (!ShowConfirmMessage(where +
                            QStringLiteral("此路径不存在,是否选择新的保存数据备份文件的路径"))) {
        ShowPromptMessage(noFolder);
        return QString();
    }
    const QString picked = PickFolder();
    if (picked.isEmpty()) {
        ShowPromptMessage(noFolder);
        return QString();
    }
    if (!StoreFolder(name, picked))
        return QString();
    if (DirectoryIsThere(picked))
        return picked;
    ShowPromptMessage(QStringLiteral("选择的保存数据备份文件的路径是:") + picked + kLineBreak +
                      QStringLiteral("此路径不存在,不能保存数据备份文件"));
    return QString();
}

} // namespace kx
