#include "tablereport/prevform.h"

#include "bandreport/bandrep.h"
#include "bandreport/brexportfilter.h"
#include "bandreport/brpreview.h"
#include "bandreport/brprinter.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/settingfunctions.h"
#include "core/sqlfunctions.h"
#include "frame/controls/radiogroup.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"
#include "tablereport/kxexcel.h"
#include "tablereport/prevformlogic.h"
#include "tablereport/setprintform.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kx {
namespace {

constexpr int kFullZoom = 100;
const QString kReopenPrompt = QStringLiteral("请关闭打印预览窗口后，再重新打开");

} // namespace

QPointer<TPrevForm> PrevForm;

TPrevForm::TPrevForm(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint), OwnBRPre(new TBRPreview(this)),
      sbarPrint(new QStatusBar(this)), KXExcel(new TKXExcel(this)),
      TextFilter(new TBRTextFilter(this)), ToolBar(new QToolBar(this)), PopupMenu(new QMenu(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("PrevForm"));
    setWindowTitle(QStringLiteral("打印预览窗口"));
    // Where no window manager maximises it, it still fills the screen.
    resize(screen()->availableGeometry().size());
    setWindowState(Qt::WindowMaximized);
    OwnBRPre->setObjectName(QStringLiteral("OwnBRPre"));
    OwnBRPre->SetZoom(kFullZoom);
    sbarPrint->setObjectName(QStringLiteral("sbarPrint"));
    KXExcel->setObjectName(QStringLiteral("KXExcel"));
    BuildPopupMenu();
    BuildToolBar();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(OwnBRPre, 1);
    layout->addWidget(sbarPrint);
    OwnBRPre->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(OwnBRPre, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu->popup(OwnBRPre->mapToGlobal(at)); });
    OwnBRPre->OnPageAvailable = [this](QObject*, int) { PageAvailable(); };
    new ui::KeyPreview(this, [this](QKeyEvent* event) { return KeyDown(event); });
    OwnBRPre->setFocus();
}

QAction* TPrevForm::AddButton(const QString& name, const QString& caption,
                              void (TPrevForm::*command)()) {
    QAction* action = ToolBar->addAction(caption);
    action->setObjectName(name);
    ToolBar->widgetForAction(action)->setObjectName(name);
    connect(action, &QAction::triggered, this, ui::Guard([this, command] { (this->*command)(); }));
    return action;
}

QAction* TPrevForm::AddItem(const QString& caption, const QKeySequence& key,
                            void (TPrevForm::*command)()) {
    QAction* action = PopupMenu->addAction(caption);
    action->setShortcut(key);
    addAction(action);
    connect(action, &QAction::triggered, this, ui::Guard([this, command] { (this->*command)(); }));
    return action;
}

void TPrevForm::BuildToolBar() {
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Button_OneToOne = AddButton(QStringLiteral("Button_OneToOne"), QStringLiteral("按1:1显示"),
                                &TPrevForm::OneToOne);
    Button_WholePage = AddButton(QStringLiteral("Button_WholePage"), QStringLiteral("整页显示"),
                                 &TPrevForm::WholePage);
    Button_First =
        AddButton(QStringLiteral("Button_First"), QStringLiteral("第一页"), &TPrevForm::FirstPage);
    Button_Prior =
        AddButton(QStringLiteral("Button_Prior"), QStringLiteral("前一页"), &TPrevForm::PriorPage);
    Button_Next =
        AddButton(QStringLiteral("Button_Next"), QStringLiteral("下一页"), &TPrevForm::NextPage);
    Button_Last =
        AddButton(QStringLiteral("Button_Last"), QStringLiteral("末一页"), &TPrevForm::LastPage);
    Button_Print = AddButton(QStringLiteral("Button_Print"), QStringLiteral("F11 打印"),
                             &TPrevForm::PrintReport);
    Button_Set = AddButton(QStringLiteral("Button_Set"), QStringLiteral("打印设置"),
                           &TPrevForm::PrintSetClick);
    Button_Excel = AddButton(QStringLiteral("Button_Excel"), QStringLiteral("导到Excel"),
                             &TPrevForm::ExportToExcel);
    Button_Close = AddButton(QStringLiteral("Button_Close"), QStringLiteral("F4 关闭"),
                             &TPrevForm::CloseClick);
    Button_Set->setVisible(false);
    Button_Excel->setVisible(false);
    auto* printButton = static_cast<QToolButton*>(ToolBar->widgetForAction(Button_Print));
    printButton->setMenu(PopupMenu);
    printButton->setPopupMode(QToolButton::MenuButtonPopup);
}

void TPrevForm::BuildPopupMenu() {
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PrinterSetupItem = AddItem(QStringLiteral("打印机设定"), QKeySequence(Qt::CTRL | Qt::Key_P),
                               &TPrevForm::RepaintLatest);
    ZoomInItem =
        AddItem(QStringLiteral("放大"), QKeySequence(Qt::CTRL | Qt::Key_Up), &TPrevForm::ZoomIn);
    ZoomOutItem =
        AddItem(QStringLiteral("缩小"), QKeySequence(Qt::CTRL | Qt::Key_Down), &TPrevForm::ZoomOut);
}

bool TPrevForm::KeyDown(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier)
        return false;
    if (event->key() == Qt::Key_F11 && Button_Print->isEnabled()) {
        PrintReport();
        return true;
    }
    if ((event->key() == Qt::Key_F4 && Button_Close->isEnabled()) ||
        event->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

int TPrevForm::PageCount() const {
    return OwnBRPre->Printer() ? OwnBRPre->Printer()->PageCount() : 0;
}

void TPrevForm::ShowPage(int page) {
    OwnBRPre->SetPageNumber(page);
    sbarPrint->showMessage(PagingStatusText(PageCount(), OwnBRPre->PageNumber()));
}

void TPrevForm::PageAvailable() {
    OwnBRPre->SetPageNumber(1);
    sbarPrint->showMessage(NewPageStatusText(PageCount(), OwnBRPre->PageNumber()));
}

void TPrevForm::OneToOne() {
    OwnBRPre->SetZoom(kFullZoom);
}

void TPrevForm::WholePage() {
    OwnBRPre->FitWholePage();
}

void TPrevForm::FirstPage() {
    ShowPage(1);
}

void TPrevForm::PriorPage() {
    ShowPage(OwnBRPre->PageNumber() - 1);
}

void TPrevForm::NextPage() {
    ShowPage(OwnBRPre->PageNumber() + 1);
}

void TPrevForm::LastPage() {
    ShowPage(PageCount());
}

void TPrevForm::CloseClick() {
    close();
}

void TPrevForm::ZoomBy(int step) {
    OwnBRPre->SetZoom(OwnBRPre->Zoom() + step);
}

void TPrevForm::ZoomIn() {
    ZoomBy(1);
}

void TPrevForm::ZoomOut() {
    ZoomBy(-1);
}

void TPrevForm::RepaintLatest() {
    if (PrevForm)
        PrevForm->update();
}

void TPrevForm::PrintReport() {
    TBRPrinter* printer = OwnBRPre->Printer();
    if (printer && printer->Report())
        printer->Report()->PrintToPrinter();
}

void TPrevForm::ExportToExcel() {
    KXExcel->SetID(ExcelNumberColumn);
    KXExcel->ExportToExcel(ExcelFields, ExcelTitles, ExcelFooters);
}

void TPrevForm::PrintSetClick() {
    if (LayoutChoice)
        ChooseLayout();
    else
        SetMargins();
}

void TPrevForm::ChooseLayout() {
    const QList<TLayoutItem> items = ParseLayoutItems(LayoutNames);
    if (items.isEmpty())
        return;
    TSelectItemQueryForm form(this);
    form.setWindowTitle(QStringLiteral("打印设置"));
    for (const TLayoutItem& item : items)
        form.RadioGroup->AddItem(item.Text);
    form.RadioGroup->SetItemIndex(LayoutIndex);
    if (ui::ExecModal(form) != QDialog::Accepted || form.ChosenItem - 1 == LayoutIndex)
        return;
    LayoutIndex = form.ChosenItem - 1;
    const bool setting = items.value(LayoutIndex).IsSetting;
    WriteSettingValue(setting ? "Set" + LayoutKey : LayoutKey, QString::number(LayoutIndex));
    ShowPromptMessage(kReopenPrompt);
}

void TPrevForm::SetMargins() {
    if (!Report) {
        ShowPromptMessage(QStringLiteral("没有报表对象"));
        return;
    }
    TBRPage& page = Report->Page();
    TSetPrintForm form(this);
    form.Top = double(page.GetDimension(TBRPage::TopMarginIndex));
    form.Bottom = double(page.GetDimension(TBRPage::BottomMarginIndex));
    form.Left = double(page.GetDimension(TBRPage::LeftMarginIndex));
    form.Right = double(page.GetDimension(TBRPage::RightMarginIndex));
    form.VerticalMarginTotal = VerticalMarginTotal;
    form.HorizontalMarginTotal = HorizontalMarginTotal;
    if (ui::ExecModal(form) != QDialog::Accepted)
        return;
    page.SetDimension(TBRPage::TopMarginIndex, form.Top);
    page.SetDimension(TBRPage::BottomMarginIndex, form.Bottom);
    page.SetDimension(TBRPage::LeftMarginIndex, form.Left);
    page.SetDimension(TBRPage::RightMarginIndex, form.Right);
    const QString name = Report->objectName();
    const TReportMargins margins{double(page.TopMargin()), double(page.BottomMargin()),
                                 double(page.LeftMargin()), double(page.RightMargin())};
    const bool stored = !GetSqlFirstValue(kDatabaseName, MarginRowSql(name)).isEmpty();
    const QString sql = stored ? MarginUpdateSql(name, margins) : MarginInsertSql(name, margins);
    if (!ExecSqlText(kDatabaseName, sql))
        ShowErrorMessage(QStringLiteral("设置参数保存错误"));
    ShowPromptMessage(kReopenPrompt);
}

void TPrevForm::closeEvent(QCloseEvent* event) {
    if (TBRPrinter* printer = OwnBRPre->Printer())
        printer->NotifyReportPreviewClosed();
    QWidget::closeEvent(event);
}

void TPrevForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && screen())
        move(screen()->availableGeometry().topLeft());
}

TPrevForm* CreatePrevForm(QWidget* owner, QObject* printer) {
    auto* form = new TPrevForm(owner);
    PrevForm = form;
    form->OwnBRPre->AttachPrinter(qobject_cast<TBRPrinter*>(printer));
    return form;
}

} // namespace kx

#include "moc_prevform.cpp"
