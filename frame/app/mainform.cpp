#include "frame/app/mainform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/filefunctions.h"
#include "core/messages.h"
#include "core/options.h"
#include "core/settingfunctions.h"
#include "core/sqlfunctions.h"
#include "frame/admin/databackup.h"
#include "frame/admin/datarebuildform.h"
#include "frame/app/aboutform.h"
#include "frame/app/kxmain.h"
#include "frame/app/windowregistry.h"
#include "frame/controls/kxcombobox.h"
#include "frame/dialogs/kxthread.h"
#include "frame/dialogs/selectimesform.h"
#include "frame/dialogs/setautoidform.h"
#include "platform/db/session.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/rounding.h"
#include "platform/ui/application.h"
#include "platform/ui/colors.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

namespace kx {

enum class RightCheck { Browse, SystemUser, None };

struct TMainForm::WindowCommand {
    QString menuItem;
    QString formName;
    QString group;
    QString program; // also the name in the refusal text
    RightCheck right = RightCheck::Browse;
};

namespace {

const QString kTitle = QStringLiteral("岚衡出纳记账管理系统");
const QString kStatusDateFormat = QStringLiteral("YYYY'年'MM'月'DD'日");

QString RefusalText(const QString& program) {
    return QStringLiteral("您没有在程序\"") + program + QStringLiteral("\"中的权限");
}

QString StatusDate() {
    return sys::FormatDateTime(kStatusDateFormat, QDateTime::currentDateTime());
}

QPixmap StandardIcon(QStyle::StandardPixmap kind, int size) {
    const QPixmap pixmap = QApplication::style()->standardIcon(kind).pixmap(size, size);
    if (pixmap.width() >= size)
        return pixmap;
    return pixmap.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// Where a menu item's program is checked and which window it opens.
const QList<TMainForm::WindowCommand>& WindowCommands() {
    static const QList<TMainForm::WindowCommand> commands = {
        {"N13", "MoneyIntoOutForm", "出纳记账管理", "资金借贷记录录入编辑"},
        {"N17", "IntoOutMoneyAccountForm", "出纳记账管理", "资金账号台账录入编辑"},
        {"N102", "MoneyIntoOutQueryForm", "出纳记账管理", "资金借贷数据统计报表"},
        {"N27", "MoneyAccountForm", "基本数据录入编辑", "资金账号录入编辑"},
        {"N14", "MoneyIntoOutTypeForm", "基本数据录入编辑", "资金借贷科目录入编辑"},
        {"N26", "DeptForm", "基本数据录入编辑", "单位部门资料录入编辑"},
        {"N11", "EmployeeForm", "基本数据录入编辑", "单位员工资料录入编辑"},
        {"USERMENU", "UserForm", QString(), "用户管理", RightCheck::SystemUser},
        {"CHANGEPASSWORDMENU", "PasswordChangeForm", QString(), QString(), RightCheck::None},
    };
    return commands;
}

const QString kSystemGroup = QStringLiteral("系统管理");

const TMainForm::WindowCommand kDeleteDataCommand{"N6", "DeleteDataForm", kSystemGroup,
                                                  "过时数据删除"};

} // namespace

TMainForm::TMainForm(QWidget* owner)
    : QMainWindow(owner), KXMain(new TKXMain(this)), KXThread(new TKXThread(this)),
      DataBackup(new TDataBackup(DM->MainDatabase, KXThread, this)), Timer(new QTimer(this)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kTitle);
    setMinimumSize(600, 460);
    DataBackup->WorkingWindowListed = [this] { return !KXMain->Children().empty(); };
    Timer->setInterval(100000);
    connect(Timer, &QTimer::timeout, this, ui::Guard([this] { TimerTimer(); }));
    BuildMenus();
    BuildToolBar();
    BuildClientArea();
    BuildStatusBar();
    ConnectCommands();
    KXMain->MainMenu = menuBar();
    KXMain->MainMenuIndex = 4;
    KXMain->ImageFile = QStringLiteral("KXBank");
    KXMain->IsHidePanel = false;
    KXMain->HideToolBar = false;
    FormCreate();
}

TMainForm::~TMainForm() {
    if (DM)
        DM->MainDatabase->CloseDataSets();
}

QAction* TMainForm::AddItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

void TMainForm::AddSeparator(QMenu* menu, const QString& name, bool visible) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    separator->setVisible(visible);
}

QAction* TMainForm::MenuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

void TMainForm::BuildMenus() {
    QMenu* cashier = menuBar()->addMenu(QStringLiteral("出纳记账管理"));
    cashier->menuAction()->setObjectName(QStringLiteral("N23"));
    AddItem(cashier, "N13", "资金借贷记录录入编辑");
    AddSeparator(cashier, "N16");
    AddItem(cashier, "N17", "资金账号台帐录入编辑");
    AddSeparator(cashier, "N1");
    AddItem(cashier, "N102", "资金借贷数据统计报表");
    AddSeparator(cashier, "N28");
    AddItem(cashier, "N29", "应付账款管理");
    AddSeparator(cashier, "N31");
    AddItem(cashier, "N30", "应收账款管理");
    AddSeparator(cashier, "N21", false);
    AddItem(cashier, "N24", "现金流量表管理")->setVisible(false);

    QMenu* basics = menuBar()->addMenu(QStringLiteral("基本数据录入编辑"));
    basics->menuAction()->setObjectName(QStringLiteral("N22"));
    AddItem(basics, "N27", "资金账号录入编辑");
    AddSeparator(basics, "N25");
    AddItem(basics, "N14", "资金借贷科目录入编辑");
    AddSeparator(basics, "N61");
    AddItem(basics, "N26", "单位部门资料录入编辑");
    AddSeparator(basics, "N10");
    AddItem(basics, "N11", "单位员工资料录入编辑");

    QMenu* system = menuBar()->addMenu(QStringLiteral("系统管理"));
    system->menuAction()->setObjectName(QStringLiteral("SYSMENU"));
    AddItem(system, "USERMENU", "用户管理");
    AddItem(system, "CHANGEPASSWORDMENU", "用户口令修改");
    AddSeparator(system, "N8");
    AddItem(system, "N3", "数据备份");
    AddItem(system, "N54", "数据恢复");
    AddSeparator(system, "N34");
    AddItem(system, "N6", "过时数据删除");
    AddSeparator(system, "N12");
    AddItem(system, "N15", "数据修复");
    AddSeparator(system, "N53", false);
    AddItem(system, "N35", "设置输入法")->setVisible(false);
    AddItem(system, "N5", "设置窗口图像")->setVisible(false);
    AddItem(system, "N44", "改变主窗口颜色")->setVisible(false);
    AddSeparator(system, "N18");
    AddItem(system, "N19", "编号方式设置修改");
    AddSeparator(system, "N4");
    AddItem(system, "EXITMENU", "退出[T]");

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助[F1]"));
    help->menuAction()->setObjectName(QStringLiteral("N9"));
    AddItem(help, "F11", "帮助")->setShortcut(Qt::Key_F1);
    AddItem(help, "N2", "关于");

    QMenu* windows = menuBar()->addMenu(QStringLiteral(" "));
    windows->menuAction()->setObjectName(QStringLiteral("N7"));
}

void TMainForm::BuildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(32, 32));
    const struct {
        const char* name;
        const char* text;
        QStyle::StandardPixmap icon;
        bool hint;
    } buttons[] = {
        {"ToolButton2", "单位收支资料管理", QStyle::SP_FileDialogDetailedView, true},
        {"ToolButton1", "单位收支台帐录入编辑", QStyle::SP_FileDialogContentsView, false},
        {"ToolButton11", "单位收支数据统计报表", QStyle::SP_FileDialogInfoView, true},
        {"ToolButton9", "数据备份", QStyle::SP_DialogSaveButton, true},
        {"ToolButton3", "关闭系统", QStyle::SP_DialogCloseButton, true},
    };
    for (const auto& button : buttons) {
        QAction* action = ToolBar1->addAction(QApplication::style()->standardIcon(button.icon),
                                              QString::fromUtf8(button.text));
        action->setObjectName(QString::fromLatin1(button.name));
        if (button.hint)
            action->setToolTip(action->text());
        ToolBar1->widgetForAction(action)->setFixedSize(62, 37);
    }
}

void TMainForm::BuildClientArea() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    SetPanelColor(0xC08000);
    setCentralWidget(Panel1);
    Panel1->installEventFilter(this);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->hide();

    PanelMain = new QWidget(Panel1);
    PanelMain->setObjectName(QStringLiteral("PanelMain"));
    PanelShow = new QWidget(PanelMain);
    PanelShow->setObjectName(QStringLiteral("PanelShow"));
    PanelArchives = new QWidget(PanelShow);
    PanelArchives->setObjectName(QStringLiteral("PanelArchives"));
    PanelArchives->setAutoFillBackground(true);
    QPalette white = PanelArchives->palette();
    white.setColor(QPalette::Window, Qt::white);
    PanelArchives->setPalette(white);

    auto* grid = new QGridLayout(PanelArchives);
    grid->setContentsMargins(24, 24, 24, 24);
    grid->setHorizontalSpacing(32);
    grid->setVerticalSpacing(16);
    const struct {
        const char* image;
        const char* label;
        const char* caption;
        const char* menuItem;
        QStyle::StandardPixmap icon;
    } icons[] = {
        {"Image17", "Label27", "资金借贷记录录入编辑", "N13", QStyle::SP_FileDialogDetailedView},
        {"Image20", "Label45", "资金账号台账录入编辑", "N17", QStyle::SP_FileDialogContentsView},
        {"Image22", "Label43", "资金借贷数据统计报表", "N102", QStyle::SP_FileDialogInfoView},
        {"Image2", "Label12", "资金账号录入编辑", "N27", QStyle::SP_DriveHDIcon},
        {"Image4", "Label2", "资金借贷科目录入编辑", "N14", QStyle::SP_DirIcon},
    };
    int row = 0;
    for (const auto& icon : icons) {
        auto* image = new QLabel(PanelArchives);
        image->setObjectName(QString::fromLatin1(icon.image));
        image->setPixmap(StandardIcon(icon.icon, 32));
        image->setToolTip(QStringLiteral("用鼠标左键双击图标"));
        auto* label = new QLabel(QString::fromUtf8(icon.caption), PanelArchives);
        label->setObjectName(QString::fromLatin1(icon.label));
        grid->addWidget(image, row, 0);
        grid->addWidget(label, row, 1);
        image->installEventFilter(this);
        iconCommands_.insert(image, QString::fromLatin1(icon.menuItem));
        ++row;
    }
    const struct {
        const char* label;
        const char* caption;
        const char* menuItem;
        const char* picture;
        QStyle::StandardPixmap icon;
    } texts[] = {
        {"Label4", "单位部门资料录入编辑", "N26", "Image3", QStyle::SP_ComputerIcon},
        {"Label6", "单位员工资料录入编辑", "N11", "Image23", QStyle::SP_DirHomeIcon},
    };
    for (const auto& text : texts) {
        auto* picture = new QLabel(PanelArchives);
        picture->setObjectName(QString::fromLatin1(text.picture));
        picture->setPixmap(StandardIcon(text.icon, 32));
        auto* label = new QLabel(QString::fromUtf8(text.caption), PanelArchives);
        label->setObjectName(QString::fromLatin1(text.label));
        label->setToolTip(QStringLiteral("用鼠标左键双击文字"));
        grid->addWidget(picture, row, 0);
        grid->addWidget(label, row, 1);
        label->installEventFilter(this);
        iconCommands_.insert(label, QString::fromLatin1(text.menuItem));
        ++row;
    }
    PanelArchives->adjustSize();
}

void TMainForm::BuildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("KXStatusBar"));
    StatusPanel0 = new QLabel(statusBar());
    StatusPanel1 = new QLabel(statusBar());
    for (QLabel* panel : {StatusPanel0, StatusPanel1}) {
        panel->setAlignment(Qt::AlignCenter);
        statusBar()->addWidget(panel);
    }
}

void TMainForm::ConnectCommands() {
    for (const WindowCommand& command : WindowCommands()) {
        QAction* item = MenuItem(command.menuItem);
        connect(item, &QAction::triggered, this,
                ui::Guard([this, command, item] { WindowRoad(command, item); }));
    }
    const QPair<const char*, void (TMainForm::*)()> handlers[] = {
        {"N6", &TMainForm::N6Click},   {"N3", &TMainForm::N3Click},   {"N54", &TMainForm::N54Click},
        {"N15", &TMainForm::N15Click}, {"N19", &TMainForm::N19Click}, {"N35", &TMainForm::N35Click},
        {"F11", &TMainForm::F11Click}, {"N2", &TMainForm::N2Click},   {"N44", &TMainForm::N44Click},
    };
    for (const auto& entry : handlers) {
        const auto handler = entry.second;
        connect(MenuItem(entry.first), &QAction::triggered, this,
                ui::Guard([this, handler] { (this->*handler)(); }));
    }
    connect(MenuItem("EXITMENU"), &QAction::triggered, this, &QWidget::close);
    connect(MenuItem("ToolButton3"), &QAction::triggered, this, &QWidget::close);
    const QPair<const char*, const char*> toolCommands[] = {{"ToolButton2", "N13"},
                                                            {"ToolButton1", "N17"},
                                                            {"ToolButton11", "N102"},
                                                            {"ToolButton9", "N3"}};
    for (const auto& [button, menuItem] : toolCommands)
        connect(MenuItem(button), &QAction::triggered, MenuItem(menuItem), &QAction::trigger);
}

void TMainForm::PlaceFrame(const QRect& frame) {
    // The frame's margins are known once the platform window exists; the
    // window manager may still add its own when it first shows the window.
    winId();
    move(frame.topLeft());
    resize(frame.size().shrunkBy(windowHandle()->frameMargins()));
}

void TMainForm::FormCreate() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // The frame, title bar included, is placed: a restored window keeps its
    // title bar on the screen.
    PlaceFrame(QRect(-4, -4, screen.width() + 9, screen.height() - 35));
    AppMainClientHeight = height() - menuBar()->sizeHint().height();
    AppMainClientWidth = width();
    setWindowState(Qt::WindowMaximized);
    KXMain->DataBaseName = kDatabaseName;
    AppHelpFile = GetParentFolder(QApplication::applicationFilePath()) + AppHelpFile;

    // A second copy must not clean folders or open the database: the first
    // copy owns them.
    KXMain->Start();
    if (ui::TerminateRequested())
        return;

    db::TSession::Default().SetActive(true);
    AppDataFolder = QDir::cleanPath(GetAliasPath(DM->MainDatabase->AliasName()));
    TDataBackup::RemoveLeftovers();
    DM->MainDatabase->SetConnected(true);
    AppProgramFolder = GetProgramFolder();
    AppTempFolder = GetTempFolder();
    // Only the program writes to its temporary folder, so whatever an earlier
    // run left there may go; a data folder placed there is never touched.
    if (QFileInfo(AppTempFolder).canonicalFilePath() !=
        QFileInfo(AppDataFolder).canonicalFilePath())
        DeleteTempFiles(AppTempFolder);

    AppCompanyName = GetSqlFirstValue(
        kDatabaseName,
        QStringLiteral("SELECT COMPANY_NAME FROM  SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001'"));
    AppFinancialFormat = !IsOptionYes(QStringLiteral("非财务格式"));
    const QString idCaption = GetSqlFirstValue(
        kDatabaseName, QStringLiteral("SELECT FIELD_DISPLAY_NAME FROM SYS_EMPLOYEE_FIELD_TABLE "
                                      "WHERE FIELD_NAME = 'EMPLOYEE_ID'"));
    AppFieldCaptions[QStringLiteral("EMPLOYEE_ID")] =
        idCaption.isEmpty() ? QStringLiteral("员工编号") : idCaption;
    const QString nameCaption = GetSqlFirstValue(
        kDatabaseName, QStringLiteral("SELECT FIELD_DISPLAY_NAME FROM SYS_EMPLOYEE_FIELD_TABLE "
                                      "WHERE FIELD_NAME = 'EMPLOYEE_NAME'"));
    AppFieldCaptions[QStringLiteral("EMPLOYEE_NAME")] =
        nameCaption.isEmpty() ? QStringLiteral("员工姓名") : nameCaption;

    LoadBackgroundPicture(KXMain->ReadBackgroundPicture());
    const QString color = ReadSettingNumber(QStringLiteral("RUReravezColor"));
    if (!color.isEmpty())
        SetPanelColor(static_cast<unsigned>(color.toInt()));

    const int panel0Width = static_cast<int>(sys::RoundHalfEven(screen.width() / 5.0 * 3));
    StatusPanel0->setFixedWidth(panel0Width);
    StatusPanel1->setFixedWidth(screen.width() - panel0Width);
    StatusPanel0->setText(QStringLiteral("岚衡软件有限公司 出纳记账管理系统 V1.02"));
    StatusPanel1->setText(StatusDate());
}

void TMainForm::LoadBackgroundPicture(const QString& path) {
    if (path.isEmpty())
        return;
    const QPixmap picture(path);
    if (picture.isNull()) {
        ShowPromptMessage(QStringLiteral("窗口背景图像文件不能读取：") + path);
        return;
    }
    Image1->setPixmap(picture);
    Image1->show();
}

void TMainForm::SetPanelColor(unsigned color) {
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, ui::ToQColor(color, palette));
    Panel1->setPalette(palette);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    ui::Guard([this] { FormShow(); })();
}

void TMainForm::FormShow() {
    setWindowTitle(AppCompanyName + kTitle);
    Timer->start();
    CenterIconPanel();
    if (!IsOptionYes(QStringLiteral("不自动数据备份")) && !AppFirstRunDone)
        AutoBackupAtShow();
}

void TMainForm::AutoBackupAtShow() {
    DataBackup->AutoBackupAtShow();
}

bool TMainForm::BackupData() {
    return DataBackup->BackupData();
}

bool TMainForm::RestoreData() {
    return DataBackup->RestoreData();
}

void TMainForm::TimerTimer() {
    StatusPanel1->setText(StatusDate());
}

void TMainForm::CenterIconPanel() {
    PanelShow->setGeometry(0, 20, PanelMain->width() - 20, PanelMain->height() - 40);
    PanelArchives->move(
        static_cast<int>(sys::RoundHalfEven((PanelShow->width() - PanelArchives->width()) / 2.0)),
        static_cast<int>(
            sys::RoundHalfEven((PanelShow->height() - PanelArchives->height()) / 2.0)));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel1 && event->type() == QEvent::Resize) {
        Image1->setGeometry(Panel1->rect());
        PanelMain->setGeometry(Panel1->rect());
        CenterIconPanel();
    } else if (event->type() == QEvent::MouseButtonDblClick &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const auto command = iconCommands_.constFind(static_cast<QWidget*>(watched));
        if (command != iconCommands_.constEnd()) {
            ui::Guard([this, &command] { RunIconCommand(*command); })();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::RunIconCommand(const QString& menuItem) {
    QAction* item = MenuItem(menuItem);
    if (item->isEnabled())
        item->trigger();
}

bool TMainForm::ExclusiveWindowGuard() {
    if (!KXMain->ExclusiveWindowOpen)
        return false;
    ShowPromptMessageTo(nullptr, QStringLiteral("当数据备份与恢复窗口打开时,不能打开其它的窗口"));
    return true;
}

bool TMainForm::ActivateOpenWindow(const QString& formName) {
    if (!KXMain->ActivateChild(formName))
        return false;
    if (TWorkingWindow* open = TWindowRegistry::Last(formName))
        open->ShowInPlace(AppChildTop);
    return true;
}

bool TMainForm::MayOpen(const WindowCommand& command) {
    switch (command.right) {
    case RightCheck::None:
        return true;
    case RightCheck::SystemUser:
        return AppSystemUser;
    case RightCheck::Browse:
        break;
    }
    return KXMain->CheckBrowseRight(command.group, command.program, AppUserId);
}

bool TMainForm::OtherWindowsOpen() {
    if (KXMain->Children().empty())
        return false;
    ShowPromptMessageTo(nullptr, QStringLiteral("请先关闭其它的窗口"));
    return true;
}

void TMainForm::WindowRoad(const WindowCommand& command, QAction* source) {
    if (ExclusiveWindowGuard() || ActivateOpenWindow(command.formName))
        return;
    if (!MayOpen(command)) {
        ShowPromptMessageTo(nullptr, RefusalText(command.program));
        return;
    }
    OpenWindow(command, source, [this, command, source] { WindowRoad(command, source); });
}

void TMainForm::OpenWindow(const WindowCommand& command, QAction* source,
                           std::function<void()> handler) {
    // A form name without a registered factory opens nothing: its command
    // ends here, after every check has been made.
    TWorkingWindow* window = TWindowRegistry::Create(command.formName, this);
    if (!window)
        return;
    window->SetNotTopShow(true);
    const qint64 id = window->ShowInPlace(AppChildTop);
    // A window whose placement failed has already reported its close; listing
    // it would leave an entry that nothing removes.
    if (id == 0)
        return;
    KXMain->RegisterChild(command.formName, id, source->text(), std::move(handler));
}

void TMainForm::N6Click() {
    const WindowCommand& command = kDeleteDataCommand;
    if (!KXMain->ExclusiveWindowOpen && OtherWindowsOpen())
        return;
    if (ActivateOpenWindow(command.formName))
        return;
    if (!MayOpen(command)) {
        ShowPromptMessageTo(nullptr, RefusalText(command.program));
        return;
    }
    KXMain->ExclusiveWindowOpen = true;
    OpenWindow(command, MenuItem(command.menuItem), [this] { N6Click(); });
    // Not listed means not open: nothing may stay locked out by it.
    if (!KXMain->FindChildByName(command.formName))
        KXMain->ExclusiveWindowOpen = false;
}

void TMainForm::N3Click() {
    if (KXMain->CheckBrowseRight(kSystemGroup, QStringLiteral("数据备份"), AppUserId))
        BackupData();
    else
        ShowPromptMessageTo(nullptr, RefusalText(QStringLiteral("数据备份")));
}

void TMainForm::N54Click() {
    if (AppSystemUser)
        RestoreData();
    else
        ShowPromptMessage(QStringLiteral("只有系统管理员才能有恢复数据库的权限"));
}

void TMainForm::N15Click() {
    if (!KXMain->ExclusiveWindowOpen && OtherWindowsOpen())
        return;
    if (!AppSystemUser) {
        ShowPromptMessageTo(nullptr, RefusalText(QStringLiteral("数据修复")));
        return;
    }
    TDataRebuildForm repair(*DM->MainDatabase, this);
    ui::ExecModal(repair);
}

void TMainForm::N19Click() {
    if (!AppSystemUser) {
        ShowPromptMessage(QStringLiteral("只有系统管理员才能有设置修改编号方式的权限"));
        return;
    }
    if (OtherWindowsOpen())
        return;
    TSetAutoIDForm options(this);
    ui::ExecModal(options);
}

void TMainForm::N35Click() {
    TSelectImesForm chooser(this);
    if (ui::ExecModal(chooser) != QDialog::Accepted)
        return;
    AppImeName = chooser.KXComboBox1->currentText();
    WriteSetting(QStringLiteral("RUReravezImes"), AppImeName);
}

void TMainForm::F11Click() {
    if (!QFileInfo::exists(AppHelpFile)) {
        ShowPromptMessage(QStringLiteral("找不到帮助文件：") + AppHelpFile);
        return;
    }
    if (!OpenHelpUrl(QUrl::fromLocalFile(AppHelpFile)))
        ShowPromptMessage(QStringLiteral("没有能打开帮助文件的程序：") + AppHelpFile);
}

void TMainForm::N2Click() {
    if (AboutForm)
        ui::ExecModal(*AboutForm);
}

void TMainForm::N44Click() {
    const QColor chosen = QColorDialog::getColor(Panel1->palette().color(QPalette::Window), this);
    if (!chosen.isValid())
        return;
    ShowPromptMessage(
        QStringLiteral("如果有主窗口图像，只有在\"改变主窗口图像\"菜单里清除窗口背景图像"
                       "，才能看到主窗口颜色"));
    const ui::TColor color = ui::RGBColor(chosen.red(), chosen.green(), chosen.blue());
    SetPanelColor(color);
    WriteSettingValue(QStringLiteral("RUReravezColor"), QString::number(color));
}

} // namespace kx

#include "moc_mainform.cpp"
