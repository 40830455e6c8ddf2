#include "frame/app/kxmain.h"

#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/configstore.h"
#include "platform/sys/numberformat.h"
#include "platform/sys/singleinstanceguard.h"
#include "platform/ui/application.h"
#include "platform/ui/invalidoperation.h"
#include "platform/ui/windowmessage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace kx {
namespace {

QString ClassNameWithoutNamespace(const QObject* object) {
    const QString name = QString::fromLatin1(object->metaObject()->className());
    return name.mid(name.lastIndexOf(u':') + 1);
}

void ReportSettingsStoreError() {
    ShowPromptMessageTo(nullptr, QStringLiteral("RARARUZIDI键打开或建立错误"));
}

// A minimised window comes back as it was before, maximised or not.
void RestoreMinimized(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
}

} // namespace

QWidget* FindWorkingWindow(const QString& formName) {
    const QString className = u'T' + formName;
    // A closed window lingers hidden until its deferred deletion: it is no
    // longer open.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && ClassNameWithoutNamespace(window) == className)
            return window;
    }
    return nullptr;
}

TKXMain::TKXMain(QWidget* owner) : QObject(owner), owner_(owner) {
    for (QObject* child : owner->children()) {
        if (child != this && qobject_cast<TKXMain*>(child))
            throw ui::EInvalidOperation(QStringLiteral("TKXMain"));
    }
    owner->installEventFilter(this);
}

TKXMain::~TKXMain() = default;

void TKXMain::Start() {
    hideMessage_ = ui::RegisterWindowMessage(kHideFormMessage);
    showMessage_ = ui::RegisterWindowMessage(kShowFormMessage);
    closeMessage_ = ui::RegisterWindowMessage(kCloseFormMessage);
    CheckSingleInstance(ui::ApplicationTitle());
}

void TKXMain::CheckSingleInstance(const QString& title) {
    auto guard = std::make_unique<sys::SingleInstanceGuard>(title);
    switch (guard->Acquire()) {
    case sys::SingleInstanceGuard::Status::First:
        connect(guard.get(), &sys::SingleInstanceGuard::ActivationRequested, this,
                ui::Guard([this] { BringOwnerForward(); }));
        instanceGuard_ = std::move(guard);
        return;
    case sys::SingleInstanceGuard::Status::AlreadyRunning:
        ShowPromptMessageTo(nullptr, QStringLiteral("程序已经运行"));
        guard->RequestActivation();
        ui::RequestTerminate();
        return;
    case sys::SingleInstanceGuard::Status::Unavailable:
        // Without a place for the lock nobody can tell whether another copy
        // runs; refusing would lock the user out, so this one goes on.
        return;
    }
}

void TKXMain::BringOwnerForward() {
    if (owner_->isMinimized())
        RestoreMinimized(owner_);
    owner_->raise();
    owner_->activateWindow();
}

bool TKXMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != owner_)
        return false;
    if (event->type() == QEvent::Close && !MainFormClose()) {
        event->ignore();
        return true;
    }
    if (event->type() >= QEvent::User)
        MainWindowProc(event);
    return false;
}

void TKXMain::MainWindowProc(QEvent* event) {
    const auto* message = dynamic_cast<ui::WindowMessageEvent*>(event);
    if (!message)
        return;
    const auto child = std::find_if(children_.begin(), children_.end(), [&](const TChildForm& c) {
        return message->WindowId() >= 0 && c.WindowId == message->WindowId();
    });
    if (child == children_.end())
        return;
    if (event->type() == hideMessage_) {
        child->Visible = false;
    } else if (event->type() == showMessage_) {
        child->Visible = true;
    } else if (event->type() == closeMessage_) {
        ExclusiveWindowOpen = false;
        RemoveChild(child);
    }
}

void TKXMain::RemoveChild(std::list<TChildForm>::iterator child) {
    if (QAction* item = child->MenuItem) {
        if (auto* menu = qobject_cast<QMenu*>(item->parent()))
            menu->removeAction(item);
        item->deleteLater();
    }
    children_.erase(child);
    if (!MainMenu || MainMenuIndex >= MainMenu->actions().size())
        return;
    QAction* windowMenu = MainMenu->actions().at(MainMenuIndex);
    if (windowMenu->menu() && windowMenu->menu()->actions().isEmpty()) {
        windowMenu->setText(QString());
        windowMenu->setVisible(false);
    }
}

bool TKXMain::MainFormClose() {
    // Every listed window counts, not only the newest: closing over any open
    // working window would throw its unsaved edits away.
    for (auto child = children_.begin(); child != children_.end();) {
        if (FindWorkingWindow(child->FormName)) {
            ShowPromptMessageTo(nullptr, QStringLiteral("请先关闭打开的全部子程序后,才能退出系统"));
            return false;
        }
        auto stale = child++;
        RemoveChild(stale);
    }
    return true;
}

bool TKXMain::ActivateChild(const QString& formName) {
    const auto child = std::find_if(children_.begin(), children_.end(),
                                    [&](const TChildForm& c) { return c.FormName == formName; });
    if (child == children_.end())
        return false;
    QWidget* window = FindWorkingWindow(formName);
    if (!window) {
        RemoveChild(child);
        return false;
    }
    if (window->isMinimized())
        RestoreMinimized(window);
    else
        window->showNormal();
    window->raise();
    window->activateWindow();
    return true;
}

void TKXMain::RegisterChild(const QString& formName, qint64 id, const QString& caption,
                            std::function<void()> handler) {
    TChildForm& child = children_.emplace_front();
    child.WindowId = id;
    child.FormName = formName;
    if (!MainMenu || MainMenuIndex >= MainMenu->actions().size())
        return;
    QAction* windowMenu = MainMenu->actions().at(MainMenuIndex);
    windowMenu->setText(QStringLiteral("打开的窗口"));
    windowMenu->setVisible(true);
    QAction* item = windowMenu->menu()->addAction(caption);
    connect(item, &QAction::triggered, this, ui::Guard(std::move(handler)));
    child.MenuItem = item;
}

TChildForm* TKXMain::FindChildById(qint64 id) {
    if (id < 0)
        return nullptr;
    for (TChildForm& child : children_)
        if (child.WindowId == id)
            return &child;
    return nullptr;
}

TChildForm* TKXMain::FindChildByName(const QString& formName) {
    for (TChildForm& child : children_)
        if (child.FormName == formName)
            return &child;
    return nullptr;
}

bool TKXMain::AnyChildVisible() const {
    return std::any_of(children_.begin(), children_.end(),
                       [](const TChildForm& child) { return child.Visible; });
}

bool TKXMain::CheckBrowseRight(const QString& groupName, const QString& programName,
                               const QString& userId) {
    const double composeId = GetSqlFirstFloat(
        DataBaseName,
        QStringLiteral("SELECT COMPOSE_ID FROM  SYS_COMPOSE_TABLE WHERE COMPOSE_NAME =") +
            QuotedStr(groupName));
    if (composeId == 0) {
        ShowPromptMessageTo(nullptr, groupName + QStringLiteral("程序组找不到"));
        return false;
    }
    const QString compose = sys::SqlNumber(composeId);
    const double programId = GetSqlFirstFloat(
        DataBaseName,
        QStringLiteral("SELECT PROGRAM_ID FROM  SYS_PROGRAM_TABLE WHERE PROGRAM_NAME =") +
            QuotedStr(programName) + QStringLiteral(" and COMPOSE_ID =") + compose);
    if (programId == 0) {
        ShowPromptMessageTo(nullptr, programName + QStringLiteral("程序找不到"));
        return false;
    }
    const std::unique_ptr<db::TQuery> rights =
        OpenSqlQuery(DataBaseName,
                     QStringLiteral("SELECT * FROM  SYS_RIGHT_TABLE WHERE COMPOSE_ID =") + compose +
                         QStringLiteral(" and PROGRAM_ID =") + sys::SqlNumber(programId) +
                         QStringLiteral(" and USE_ID =") + QuotedStr(userId));
    if (rights->IsEmpty())
        return false;
    return rights->FieldByName(QStringLiteral("BROWSE_RIGHT"))->AsString() == QStringLiteral("是");
}

bool TKXMain::SettingsStoreOpens() {
    if (sys::ReadSettingsValue(ImageFile))
        return true;
    ReportSettingsStoreError();
    return false;
}

QString TKXMain::ChooseBackgroundPicture() {
    if (ImageFile.isEmpty() || !SettingsStoreOpens())
        return {};
    const QString path = QFileDialog::getOpenFileName(
        owner_, QString(), QString(),
        QStringLiteral("BMP,JPG,JPEG (*.bmp *.jpg *.jpeg *.BMP *.JPG *.JPEG)"));
    if (path.isEmpty())
        return {};
    if (!QFileInfo::exists(path)) {
        ShowPromptMessageTo(nullptr, QStringLiteral("图像文件不存在"));
        return {};
    }
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (!sys::WriteSettingsValue(ImageFile, fullPath)) {
        ReportSettingsStoreError();
        return {};
    }
    return fullPath;
}

void TKXMain::ClearBackgroundPicture() {
    if (!ImageFile.isEmpty() && !sys::DeleteSettingsValue(ImageFile))
        ReportSettingsStoreError();
}

QString TKXMain::ReadBackgroundPicture() {
    if (ImageFile.isEmpty())
        return {};
    const std::optional<QString> path = sys::ReadSettingsValue(ImageFile);
    if (!path) {
        ReportSettingsStoreError();
        return {};
    }
    return !path->isEmpty() && QFileInfo(*path).isFile() ? *path : QString();
}

} // namespace kx

#include "moc_kxmain.cpp"
