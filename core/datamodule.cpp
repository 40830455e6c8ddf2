#include "core/datamodule.h"

#include "core/appstate.h"
#include "core/messages.h"
#include "platform/db/session.h"

namespace kx {
namespace {

const QString kAliasMissingText =
    QStringLiteral("1.没有找到软件设置的数据库连接参数，如果操作系统是Window7 或 "
                   "以上的操作系统，用鼠标右键点桌面软件图标，在弹出的菜单里点属性，点兼容方式，把 "
                   "以管理员身份运行此软件 打勾,然后重新打开软件。") +
    QStringLiteral("\n\r") +
    QStringLiteral(
        "2.如果打勾后还提示此信息，或者是XP操作系统提示此信息，就要重新安装软件，"
        "如果有录入的数据，不要卸载和删除以前装的软件，换个盘重新安装，不要覆盖以前的软件"
        "，安装好后用最新的数据备份恢复数据");

} // namespace

TDM::TDM(QObject* owner) : QObject(owner), MainDatabase(new db::TDatabase(this)) {
    MainDatabase->setObjectName(QStringLiteral("MainDatabase"));
    MainDatabase->SetAliasName(kAliasName);
    MainDatabase->SetDatabaseName(kDatabaseName);
    MainDatabase->SetLoginPrompt(false);
    DataModuleCreate();
}

void TDM::DataModuleCreate() {
    db::TSession& session = db::TSession::Default();
    if (session.IsAlias(MainDatabase->AliasName())) {
        session.SetActive(false);
        MainDatabase->SetConnected(false);
        MainDatabase->SetKeepConnection(true);
        MainDatabase->SetExclusive(false);
        MainDatabase->SetHandleShared(false);
        return;
    }
    ShowPromptMessage(kAliasMissingText);
    AppAliasMissing = true;
    session.SetActive(false);
}

} // namespace kx

#include "moc_datamodule.cpp"
