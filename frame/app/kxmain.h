#pragma once
// The window manager on the main window: the list of open working windows and
// the "打开的窗口" menu, the messages by which working windows report that
// they were shown, minimised or closed, the refusal to close the main window
// while one is open, the browse right of a program, the single running
// instance and the background picture's path in the settings store.

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <list>
#include <memory>

class QAction;
class QMenuBar;
class QWidget;

namespace kx {

namespace sys {
class SingleInstanceGuard;
}

inline const QString kHideFormMessage = QStringLiteral("TKXHideFormMessage");
inline const QString kShowFormMessage = QStringLiteral("TKXShowFormMessage");
inline const QString kCloseFormMessage = QStringLiteral("TKXCloseFormMessage");

// One open working window.
struct TChildForm {
    qint64 WindowId = 0;
    bool Visible = true;
    QString FormName;
    QPointer<QAction> MenuItem;
};

class TKXMain : public QObject {
    Q_OBJECT
public:
    // Raises EInvalidOperation "TKXMain" when the owner already has one.
    explicit TKXMain(QWidget* owner);
    ~TKXMain() override;

    QString DataBaseName;
    QMenuBar* MainMenu = nullptr;
    int MainMenuIndex = 0;
    // The settings value that holds the background picture's path.
    QString ImageFile;
    // With either set, the manager would hide the main window's panels or
    // tool bars while a working window shows; the program sets both False.
    bool IsHidePanel = true;
    bool HideToolBar = false;

    // The outdated-data deletion window is open; cleared by every close
    // message of a listed window.
    bool ExclusiveWindowOpen = false;

    // Watches the owner's messages and checks for a running instance.
    void Start();
    void CheckSingleInstance(const QString& title);

    // True when the named window is open; it is then restored and brought
    // to the front.
    bool ActivateChild(const QString& formName);
    // Lists a newly shown window, newest first, with an item under
    // "打开的窗口" that runs handler.
    void RegisterChild(const QString& formName, qint64 id, const QString& caption,
                       std::function<void()> handler);
    bool CheckBrowseRight(const QString& groupName, const QString& programName,
                          const QString& userId);

    TChildForm* FindChildById(qint64 id);
    TChildForm* FindChildByName(const QString& formName);
    bool AnyChildVisible() const;
    // Newest first.
    const std::list<TChildForm>& Children() const { return children_; }

    // The path chosen (and stored), or empty.
    QString ChooseBackgroundPicture();
    void ClearBackgroundPicture();
    // The stored path when that file exists, else empty.
    QString ReadBackgroundPicture();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MainWindowProc(QEvent* event);
    bool MainFormClose();
    void RemoveChild(std::list<TChildForm>::iterator child);
    void BringOwnerForward();
    bool SettingsStoreOpens();

    QWidget* owner_;
    QEvent::Type hideMessage_ = QEvent::None;
    QEvent::Type showMessage_ = QEvent::None;
    QEvent::Type closeMessage_ = QEvent::None;
    std::list<TChildForm> children_;
    std::unique_ptr<sys::SingleInstanceGuard> instanceGuard_;
};

// The open (shown) top-level window of a working window's class ("T" + form
// name).
QWidget* FindWorkingWindow(const QString& formName);

} // namespace kx
