#pragma once
// The main window: the menus, tool bar and icons that open every working
// window under the user's rights, the status bar with its date, the client
// panel's colour and background picture. Its start-up steps run when it is
// created; the window manager TKXMain keeps the open working windows.
// Every command makes its checks and gives its refusals; a window whose
// factory is not registered ends the command quietly after them.

#include <QDesktopServices>
#include <QHash>
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;

namespace kx {

class TAboutForm;
class TDataBackup;
class TKXMain;
class TKXThread;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // A command that opens a working window: its menu item, the window's
    // form name and the right it needs.
    struct WindowCommand;

    explicit TMainForm(QWidget* owner = nullptr);
    ~TMainForm() override;

    TKXMain* KXMain;
    TKXThread* KXThread;
    // The backup and restore of the data folder, with their archive and
    // packing components.
    TDataBackup* DataBackup;
    QLabel* StatusPanel0;
    QLabel* StatusPanel1;
    QWidget* Panel1;
    QLabel* Image1;
    QWidget* PanelMain;
    QWidget* PanelShow;
    QWidget* PanelArchives;
    QToolBar* ToolBar1;
    QTimer* Timer;
    // Created at start, shown from the help menu.
    TAboutForm* AboutForm = nullptr;
    // Opens the help file with the desktop's default application; false when
    // none could.
    std::function<bool(const QUrl&)> OpenHelpUrl = &QDesktopServices::openUrl;

    // The menu item of that component name.
    QAction* MenuItem(const QString& name) const;

    bool ExclusiveWindowGuard();
    void AutoBackupAtShow();
    bool BackupData();
    bool RestoreData();
    void CenterIconPanel();
    void TimerTimer();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildClientArea();
    void BuildStatusBar();
    QAction* AddItem(QMenu* menu, const QString& name, const QString& caption);
    void AddSeparator(QMenu* menu, const QString& name, bool visible = true);
    void ConnectCommands();

    void PlaceFrame(const QRect& frame);
    void FormCreate();
    void FormShow();
    void LoadBackgroundPicture(const QString& path);
    void SetPanelColor(unsigned color);

    bool ActivateOpenWindow(const QString& formName);
    bool MayOpen(const WindowCommand& command);
    // Tells the user so when a working window is listed.
    bool OtherWindowsOpen();
    void WindowRoad(const WindowCommand& command, QAction* source);
    // The item under "打开的窗口" runs handler.
    void OpenWindow(const WindowCommand& command, QAction* source, std::function<void()> handler);
    void N6Click();
    void N3Click();
    void N54Click();
    void N15Click();
    void N19Click();
    void N35Click();
    void F11Click();
    void N2Click();
    void N44Click();
    void RunIconCommand(const QString& menuItem);

    bool shown_ = false;
    QHash<QWidget*, QString> iconCommands_;
};

} // namespace kx
