#include "tablereport/reportdesignform.h"

#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "platform/db/field.h"
#include "platform/db/params.h"
#include "platform/db/query.h"
#include "platform/db/updatesql.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "platform/ui/messagedialog.h"
#include "tablereport/borderform.h"
#include "tablereport/cellfontform.h"
#include "tablereport/colorform.h"
#include "tablereport/diagonalform.h"
#include "tablereport/frmnewtable.h"
#include "tablereport/marginkform.h"
#include "tablereport/printcatalogue.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/reportcontrolwidget.h"
#include "tablereport/saveprinttableeditform.h"
#include "tablereport/saveprinttableform.h"
#include "tablereport/templatestream.h"
#include "tablereport/vsplitform.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kx {
namespace {

const QString kNoReport = QStringLiteral("[无报表]");
const QString kInfoCaption = QStringLiteral("提示信息");

void ShowBox(QWidget* owner, const QString& caption, const QString& text) {
    ui::ShowMessageDialog(owner, caption, text, ui::MessageIcon::Warning, ui::MessageButtons::Ok);
}

QString AskFileName(QWidget* owner, QFileDialog::AcceptMode mode, const QStringList& filters,
                    const QString& start, const QString& suffix = {}) {
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    if (!start.isEmpty())
        dialog.selectFile(start);
    if (ui::ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

const QStringList& TemplateFilters() {
    static const QStringList filters{QStringLiteral("报表模板 (*.Rep)"),
                                     QStringLiteral("All Files (*.*)")};
    return filters;
}

QToolButton* ToggleButton(const QString& text, const QString& hint, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(hint);
    button->setCheckable(true);
    return button;
}

int PressedIndex(const std::array<QToolButton*, 3>& group) {
    for (int i = 0; i < 3; ++i)
        if (group[i]->isChecked())
            return i;
    return -1;
}

// One button of a group down at most, and none when the user lifts it.
void MakeGroup(const std::array<QToolButton*, 3>& group, const std::function<void()>& changed) {
    for (QToolButton* button : group)
        QObject::connect(button, &QToolButton::clicked, button, ui::Guard([group, button, changed] {
                             if (button->isChecked())
                                 for (QToolButton* other : group)
                                     if (other != button)
                                         other->setChecked(false);
                             changed();
                         }));
}

} // namespace

TReportDesignForm::TReportDesignForm(QWidget* parent)
    : QDialog(parent), Page(new TReportControlWidget(&measurer_, new QWidget(this))),
      ScrollBox(new QScrollArea(this)), MainMenu(new QMenuBar(this)), FontBox(new QComboBox(this)),
      SizeBox(new QComboBox(this)), FormatBox(new QComboBox(this)),
      VariableBox(new QComboBox(this)), MasterList(new QListWidget(this)),
      DetailList(new QListWidget(this)), catalogue_(new TKXQuery(this)),
      catalogueUpdate_(new db::TUpdateSQL(this)) {
    SetupCatalogueQuery(*catalogue_, *catalogueUpdate_);
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    Page->Control.PrinterPage = CurrentPrinterPage;
    resize(1000, 720);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(MainMenu);
    BuildMenu();
    BuildToolBars(layout);
    auto* body = new QHBoxLayout;
    BuildSideBar(body);
    // The page lies on a sheet the scroll box shows, so it can sit centred.
    QWidget* sheet = Page->parentWidget();
    sheet->setBackgroundRole(QPalette::Dark);
    sheet->setAutoFillBackground(true);
    ScrollBox->setWidget(sheet);
    ScrollBox->setWidgetResizable(false);
    body->addWidget(ScrollBox, 1);
    layout->addLayout(body, 1);

    FillFontBox();
    SizeBox->setEditable(true);
    SizeBox->addItems(DesignerFontSizes());
    SizeBox->setCurrentText(QStringLiteral("9"));
    MarkSaved();
    SetCaption(kNoReport);
    OpenStartupArgument();
    LayOutPage();
    Page->UpdateSize();

    connect(FontBox, &QComboBox::textActivated, this, ui::Guard([this] { ApplyFontBar(); }));
    connect(SizeBox, &QComboBox::textActivated, this, ui::Guard([this] { ApplyFontBar(); }));
    for (QToolButton* button : StyleButtons)
        connect(button, &QToolButton::clicked, this, ui::Guard([this] { ApplyFontBar(); }));
    MakeGroup(HorzButtons, [this] { ApplyAlignment(); });
    MakeGroup(VertButtons, [this] { ApplyAlignment(); });
    connect(FormatBox, &QComboBox::textActivated, this,
            ui::Guard([this](const QString& text) { ApplyFormat(text); }));
    connect(VariableBox, &QComboBox::textActivated, this,
            ui::Guard([this](const QString& text) { ApplyVariable(text); }));
}

TReportDesignForm::~TReportDesignForm() = default;

TReportControl& TReportDesignForm::Control() const {
    return Page->Control;
}

int TReportDesignForm::Zoom() const {
    return Page->Control.Zoom;
}

QAction* TReportDesignForm::AddCommand(const QString& text, const QString& hint,
                                       void (TReportDesignForm::*run)()) {
    auto* action = new QAction(text, this);
    action->setToolTip(hint);
    connect(action, &QAction::triggered, this, ui::Guard([this, run] { (this->*run)(); }));
    return action;
}

void TReportDesignForm::BuildMenu() {
    OpenAction = AddCommand(QStringLiteral("打开(&O)"), QStringLiteral("打开report文件"),
                            &TReportDesignForm::Open);
    OpenAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    CloseAction = AddCommand(QStringLiteral("关闭(&C)"), QStringLiteral("关闭当前文件"),
                             &TReportDesignForm::CloseTemplate);
    SaveAction = new QAction(QStringLiteral("保存"), this);
    SaveAction->setShortcut(QKeySequence(Qt::Key_F2));
    connect(SaveAction, &QAction::triggered, this, ui::Guard([this] { SaveTemplate(); }));
    SaveAsAction = new QAction(QStringLiteral("另存为(&S)"), this);
    SaveAsAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    connect(SaveAsAction, &QAction::triggered, this, ui::Guard([this] { SaveAs(); }));
    PropertiesAction = AddCommand(QStringLiteral("报表属性设置(&M)"), QStringLiteral("打印设置"),
                                  &TReportDesignForm::EditProperties);
    PrintAction = AddCommand(QStringLiteral("打印"), QStringLiteral("打印"),
                             &TReportDesignForm::PrintTemplate);
    PreviewAction = AddCommand(QStringLiteral("打印预览"), QStringLiteral("打印预览"),
                               &TReportDesignForm::PreviewTemplate);
    ExitAction = new QAction(QStringLiteral("退出(&X)"), this);
    ExitAction->setToolTip(QStringLiteral("退出"));
    ExitAction->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
    connect(ExitAction, &QAction::triggered, this, &QWidget::close);

    NewTableAction = AddCommand(QStringLiteral("新建表格(&N)"), QStringLiteral("新建表格"),
                                &TReportDesignForm::NewTable);
    NewTableAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    InsertLineAction = new QAction(QStringLiteral("插入行(&I)"), this);
    InsertLineAction->setToolTip(QStringLiteral("插入一行表格"));
    connect(InsertLineAction, &QAction::triggered, this,
            ui::Guard([this] { EditPage(&TReportControl::InsertLine); }));
    AddLineAction = new QAction(QStringLiteral("添加行(&A)"), this);
    AddLineAction->setToolTip(QStringLiteral("添加一行表格"));
    connect(AddLineAction, &QAction::triggered, this, ui::Guard([this] {
                if (HasLastSelected())
                    EditPage(&TReportControl::AddLine);
            }));
    const auto editCommand = [this](const QString& text, const QString& hint,
                                    void (TReportControl::*operation)()) {
        auto* action = new QAction(text, this);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this,
                ui::Guard([this, operation] { EditPage(operation); }));
        return action;
    };
    DeleteLineAction = editCommand(QStringLiteral("删除行(&D)"), QStringLiteral("删除一行表格"),
                                   &TReportControl::DeleteLine);
    InsertCellAction = editCommand(QStringLiteral("插入单元格"), QStringLiteral("插入一个单元格"),
                                   &TReportControl::InsertCell);
    AddCellAction = editCommand(QStringLiteral("添加单元格"), QStringLiteral("添加单元格"),
                                &TReportControl::AddCell);
    DeleteCellAction = editCommand(QStringLiteral("删除单元格"), QStringLiteral("删除单元格"),
                                   &TReportControl::DeleteCell);
    CombineAction = editCommand(QStringLiteral("合并单元格(&C)"), QStringLiteral("合并单元格"),
                                &TReportControl::CombineCells);
    VSplitAction = AddCommand(QStringLiteral("纵向拆分单元格"), QStringLiteral("纵向拆分单元格"),
                              &TReportDesignForm::SplitVertically);
    SplitAction = new QAction(QStringLiteral("拆分单元格(&L)"), this);
    SplitAction->setToolTip(QStringLiteral("拆分单元格"));
    connect(SplitAction, &QAction::triggered, this, ui::Guard([this] {
                EditPage(&TReportControl::SplitCell);
                ApplyFontBar();
            }));
    BordersAction = AddCommand(QStringLiteral("边框线"), QStringLiteral("单元格边框设置"),
                               &TReportDesignForm::EditBorders);
    DiagonalAction = AddCommand(QStringLiteral("斜线"), QStringLiteral("单元格斜线设置"),
                                &TReportDesignForm::EditDiagonal);
    FontAction = AddCommand(QStringLiteral("字体..."), QStringLiteral("字体设置"),
                            &TReportDesignForm::EditFont);
    ColorAction = AddCommand(QStringLiteral("颜色..."), QStringLiteral("单元格颜色设置"),
                             &TReportDesignForm::EditColors);

    FitAction = new QAction(QStringLiteral("适合"), this);
    FitAction->setToolTip(QStringLiteral("宿放为窗口大小"));
    connect(FitAction, &QAction::triggered, this, ui::Guard([this] {
                Page->EndCellEdit();
                FitToWindow();
            }));
    ZoomInAction = new QAction(QStringLiteral("放大"), this);
    connect(ZoomInAction, &QAction::triggered, this,
            ui::Guard([this] { SetZoom(Zoom() + kDesignerZoomStep); }));
    ZoomOutAction = new QAction(QStringLiteral("缩小"), this);
    connect(ZoomOutAction, &QAction::triggered, this,
            ui::Guard([this] { SetZoom(Zoom() - kDesignerZoomStep); }));
    PictureAction = AddCommand(QStringLiteral("填图片"), QStringLiteral("填图片"),
                               &TReportDesignForm::LoadPicture);
    ClearPictureAction = AddCommand(QStringLiteral("清图片"), QStringLiteral("清图片"),
                                    &TReportDesignForm::ClearPicture);
    MasterFieldAction = new QAction(QStringLiteral("主表字段"), this);
    MasterFieldAction->setToolTip(QStringLiteral("将数据字段增加到报表中"));
    connect(MasterFieldAction, &QAction::triggered, this, ui::Guard([this] { InsertField(true); }));
    DetailFieldAction = new QAction(QStringLiteral("从表字段"), this);
    DetailFieldAction->setToolTip(QStringLiteral("将从表数据字段增加到报表中"));
    connect(DetailFieldAction, &QAction::triggered, this,
            ui::Guard([this] { InsertField(false); }));

    QMenu* file = MainMenu->addMenu(QStringLiteral("文件(&F)"));
    file->addActions({OpenAction, CloseAction, SaveAction, SaveAsAction});
    file->addSeparator();
    file->addAction(PropertiesAction);
    file->addSeparator();
    file->addAction(ExitAction);
    QMenu* table = MainMenu->addMenu(QStringLiteral("表格(&T)"));
    table->addAction(NewTableAction);
    table->addSeparator();
    table->addActions({InsertLineAction, AddLineAction, DeleteLineAction});
    table->addSeparator();
    table->addActions({InsertCellAction, AddCellAction, DeleteCellAction});
    table->addSeparator();
    table->addActions({CombineAction, VSplitAction, SplitAction});
    QMenu* format = MainMenu->addMenu(QStringLiteral("格式(&R)"));
    format->addActions({BordersAction, DiagonalAction, FontAction, ColorAction});
}

void TReportDesignForm::BuildToolBars(QVBoxLayout* layout) {
    auto* commands = new QToolBar(this);
    commands->addActions(
        {OpenAction, CloseAction, SaveAction, PropertiesAction, PrintAction, PreviewAction});
    commands->addSeparator();
    commands->addActions({NewTableAction, InsertLineAction, AddLineAction, DeleteLineAction,
                          InsertCellAction, AddCellAction, DeleteCellAction});
    commands->addSeparator();
    commands->addAction(CombineAction);
    commands->widgetForAction(CombineAction)->setProperty("text", QStringLiteral("合"));
    commands->addAction(VSplitAction);
    commands->widgetForAction(VSplitAction)->setProperty("text", QStringLiteral("拆"));
    commands->addSeparator();
    commands->addActions({BordersAction, DiagonalAction, FontAction, ColorAction});
    commands->addSeparator();
    commands->addActions(
        {FitAction, ZoomInAction, ZoomOutAction, PictureAction, ClearPictureAction});
    commands->addSeparator();
    commands->addAction(ExitAction);
    layout->addWidget(commands);

    auto* fontBar = new QToolBar(this);
    fontBar->addWidget(FontBox);
    fontBar->addWidget(SizeBox);
    StyleButtons = {ToggleButton(QStringLiteral("B"), QStringLiteral("粗体"), fontBar),
                    ToggleButton(QStringLiteral("I"), QStringLiteral("斜体"), fontBar),
                    ToggleButton(QStringLiteral("U"), QStringLiteral("下划线"), fontBar)};
    HorzButtons = {ToggleButton(QStringLiteral("左"), QStringLiteral("左对齐"), fontBar),
                   ToggleButton(QStringLiteral("中"), QStringLiteral("居中"), fontBar),
                   ToggleButton(QStringLiteral("右"), QStringLiteral("右对齐"), fontBar)};
    VertButtons = {ToggleButton(QStringLiteral("上"), QStringLiteral("顶端对齐"), fontBar),
                   ToggleButton(QStringLiteral("中"), QStringLiteral("垂直居中"), fontBar),
                   ToggleButton(QStringLiteral("下"), QStringLiteral("底端对齐"), fontBar)};
    for (const auto* group : {&StyleButtons, &HorzButtons, &VertButtons}) {
        fontBar->addSeparator();
        for (QToolButton* button : *group)
            fontBar->addWidget(button);
    }
    layout->addWidget(fontBar);
}

void TReportDesignForm::BuildSideBar(QHBoxLayout* layout) {
    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("数值格式:"), this));
    FormatBox->setEditable(true);
    FormatBox->addItems(DesignerNumberFormats());
    FormatBox->setCurrentIndex(-1);
    side->addWidget(FormatBox);
    side->addWidget(new QLabel(QStringLiteral("变量与函数"), this));
    VariableBox->addItems(DesignerVariables());
    VariableBox->setCurrentIndex(-1);
    side->addWidget(VariableBox);
    const auto fieldButton = [this](QAction* action) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return button;
    };
    side->addWidget(MasterList, 1);
    side->addWidget(fieldButton(MasterFieldAction));
    side->addWidget(DetailList, 1);
    side->addWidget(fieldButton(DetailFieldAction));
    auto* panel = new QWidget(this);
    panel->setLayout(side);
    panel->setFixedWidth(160);
    layout->addWidget(panel);
}

void TReportDesignForm::FillFontBox() {
    FontBox->addItems(QFontDatabase::families());
    if (FontBox->count() > 1)
        FontBox->setCurrentIndex(1);
    const int song = FontBox->findText(QStringLiteral("宋体"));
    if (song >= 0)
        FontBox->setCurrentIndex(song);
}

void TReportDesignForm::OpenStartupArgument() {
    const QString path = StartupTemplatePath(QCoreApplication::arguments());
    if (path.isEmpty())
        return;
    // A template that cannot be read is reported once per run; every later
    // designer starts empty instead of failing again.
    static bool reported = false;
    try {
        OpenTemplateFile(path);
    } catch (...) {
        if (!std::exchange(reported, true))
            ui::HandleCurrentException();
    }
}

void TReportDesignForm::SetCaption(const QString& caption) {
    setWindowTitle(QStringLiteral("报表设置 - ") + caption);
}

bool TReportDesignForm::HasLastSelected() const {
    return Control().LastSelected != nullptr;
}

void TReportDesignForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Filler.PrintFields = PrintFields;
    QStringList setData;
    for (const QString& line : {DataSetLine1, DataSetLine2})
        if (!line.isEmpty())
            setData << QStringLiteral("SetDataSet(") + line + QStringLiteral(");");
    Filler.SetSetData(setData);
    MasterList->clear();
    DetailList->clear();
    for (const TPrintFields& field : PrintFields) {
        if (field.Caption.isEmpty())
            continue;
        if (field.InMaster)
            MasterList->addItem(field.Caption);
        if (field.InDetail)
            DetailList->addItem(field.Caption);
    }
    SetZoom(Zoom());
}

void TReportDesignForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FitToWindow();
}

void TReportDesignForm::reject() {
    if (AskToClose())
        QDialog::reject();
}

bool TReportDesignForm::AskToClose() {
    if (document_.Saved)
        return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("注意"),
                    QStringLiteral("保存报表按“是”，不保存报表按“否”，取消本次操作按“取消”"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveTemplate();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TReportDesignForm::SetZoom(int percent) {
    Page->hide();
    Control().SetZoom(std::max(percent, kMinDesignerZoom));
    Page->UpdateSize();
    Centre();
    Page->show();
}

void TReportDesignForm::FitToWindow() {
    SetZoom(DesignerFitZoom({Control().PageWidth, Control().PageHeight}, size()));
}

void TReportDesignForm::UpdateOldies() {
    SetZoom(100);
}

void TReportDesignForm::Centre() {
    const QPoint pos = DesignerPagePos(Page->size(), width(), ScrollBox->width(), height());
    QWidget* sheet = ScrollBox->widget();
    const QSize room = ScrollBox->viewport()->size();
    sheet->resize(std::max(room.width(), pos.x() + Page->width() + 10),
                  std::max(room.height(), pos.y() + Page->height() + 10));
    Page->move(pos);
}

void TReportDesignForm::EditPage(void (TReportControl::*operation)()) {
    // Structural changes free cells; the editor must not keep one.
    Page->EndCellEdit();
    (Control().*operation)();
    Page->UpdateSize();
    Centre();
    Page->update();
    MarkUnsaved();
}

void TReportDesignForm::OpenTemplateFile(const QString& path) {
    Page->EndCellEdit();
    LoadTemplateFile(path, Control());
    document_.Stream = nullptr;
    document_.FileMode = true;
    document_.Path = path;
    MarkSaved();
    SetCaption(path);
    Page->UpdateSize();
    Page->update();
}

void TReportDesignForm::OpenTemplateStream(QByteArray* stream) {
    Page->EndCellEdit();
    ReadTemplate(*stream, Control());
    ForgetCatalogueRow();
    document_.FileMode = false;
    document_.Stream = stream;
    MarkSaved();
    Page->UpdateSize();
    Page->update();
}

bool TReportDesignForm::OpenCatalogueTemplate() {
    const TPrintCatalogue catalogue = Catalogue();
    if (catalogue.InFiles()) {
        const QString path = catalogue.BodyPath(PrintId);
        if (!QFileInfo::exists(path)) {
            ShowPromptMessage(MissingTemplateFilePrompt(path));
            return false;
        }
        OpenTemplateFile(path);
    } else if (!LoadCatalogueBody()) {
        return false;
    }
    ForgetCatalogueRow();
    UpdateOldies();
    document_.CatalogueMode = true;
    return true;
}

bool TReportDesignForm::LoadCatalogueBody() {
    const std::optional<QByteArray> body = Catalogue().ReadTableBody(PrintId);
    if (!body) {
        ShowPromptMessage(QStringLiteral("数据库里没有找到报表模版文件"));
        return false;
    }
    Page->EndCellEdit();
    ReadTemplate(*body, Control());
    MarkSaved();
    Page->UpdateSize();
    return true;
}

TPrintCatalogue TReportDesignForm::Catalogue() const {
    return {DatabaseName, TemplateDir, TemplateTable};
}

bool TReportDesignForm::SaveTemplate() {
    Page->EndCellEdit();
    switch (SaveTargetOf(document_, PrintId, TemplateDir, TemplateTable)) {
    case TSaveTarget::Nothing:
        return true;
    case TSaveTarget::File:
        return SaveToFile(document_.Path);
    case TSaveTarget::SaveAs:
        return SaveAs();
    case TSaveTarget::Stream:
        *document_.Stream = WriteTemplate(Control());
        MarkSaved();
        return true;
    case TSaveTarget::NoPrintId:
        ShowPromptMessage(QStringLiteral("没有报表模板记录编号,报表模板不能保存"));
        return false;
    case TSaveTarget::CatalogueFile:
        return SaveToFile(Catalogue().BodyPath(PrintId));
    case TSaveTarget::CatalogueTable:
        return SaveCatalogueBody();
    case TSaveTarget::NoCataloguePlace:
        ShowPromptMessage(QStringLiteral("没有保存模板文件的路经或数据表,不能保存报表模板文件"));
        return false;
    }
    return false;
}

bool TReportDesignForm::SaveToFile(const QString& path) {
    try {
        SaveTemplateFile(Control(), path);
    } catch (const Exception&) {
        // The old file is untouched; the user sees why and keeps the window.
        ui::HandleCurrentException();
        return false;
    }
    MarkSaved();
    return true;
}

bool TReportDesignForm::SaveCatalogueBody() {
    try {
        Catalogue().WriteTableBody(PrintId, WriteTemplate(Control()));
    } catch (const std::exception&) {
        // The row keeps its old body; the prompt tells the user it failed.
        ShowPromptMessage(QStringLiteral("报表模板保存过程发生错误"));
        return false;
    }
    MarkSaved();
    return true;
}

void TReportDesignForm::Open() {
    switch (SelectOneOfTwo(QStringLiteral("打开保存在数据库里的报表模板"),
                           QStringLiteral("打开保存在其它地方的报表模板"),
                           QStringLiteral("操作选择窗口"))) {
    case 1:
        OpenFromCatalogue();
        break;
    case 2:
        OpenFromFile();
        break;
    default:
        break;
    }
}

void TReportDesignForm::OpenFromCatalogue() {
    if (!Catalogue().HasPlace()) {
        ShowPromptMessage(QStringLiteral("没有保存模板的文件或数据表,不能打开报表模板文件"));
        return;
    }
    TSavePrintTableEditForm editor(this);
    editor.PrintIndex = PrintIndex;
    editor.PrintType = PrintType;
    editor.TemplateDir = TemplateDir;
    editor.TemplateTable = TemplateTable;
    editor.DatabaseName = DatabaseName;
    if (ui::ExecModal(editor) != QDialog::Accepted)
        return;
    const QString oldId = PrintId;
    const QString oldTitle = ReportTitle;
    PrintId = editor.Query->FieldByName(QStringLiteral("PRINT_ID"))->AsString();
    ReportTitle = editor.Query->FieldByName(QStringLiteral("PRINT_NAME"))->AsString();
    // A template that could not be opened must not be saved over the row
    // the user picked.
    if (!OpenCatalogueTemplate()) {
        PrintId = oldId;
        ReportTitle = oldTitle;
    }
}

void TReportDesignForm::OpenFromFile() {
    const QString path = AskFileName(this, QFileDialog::AcceptOpen, TemplateFilters(), QString());
    if (path.isEmpty())
        return;
    ReportTitle = QFileInfo(path).completeBaseName();
    OpenTemplateFile(path);
    ForgetCatalogueRow();
    document_.CatalogueMode = false;
    UpdateOldies();
}

bool TReportDesignForm::SaveAs() {
    Page->EndCellEdit();
    switch (SelectOneOfTwo(QStringLiteral("将报表模板保存到数据库里"),
                           QStringLiteral("将报表模板保存到其它地方"),
                           QStringLiteral("操作选择窗口"))) {
    case 1:
        return SaveIntoCatalogue();
    case 2:
        return SaveAsFile();
    default:
        return false;
    }
}

bool TReportDesignForm::SaveIntoCatalogue() {
    // Without a place for the body, a title row would point at nothing.
    if (!Catalogue().HasPlace()) {
        ShowPromptMessage(QStringLiteral("没有保存模板文件的路经或数据表,不能保存报表模板文件"));
        return false;
    }
    TSavePrintTableForm titleForm(this);
    if (ui::ExecModal(titleForm) != QDialog::Accepted) {
        ShowPromptMessage(QStringLiteral("报表模板没有保存到数据库里"));
        return false;
    }
    const QString oldTitle = ReportTitle;
    bool added = false;
    if (!SaveCatalogueTitle(titleForm.TitleEdit->text(), added))
        return false;
    const QString oldId = PrintId;
    const bool oldMode = document_.CatalogueMode;
    PrintId = catalogue_->FieldByName(QStringLiteral("PRINT_ID"))->AsString();
    document_.CatalogueMode = true;
    if (SaveTemplate())
        return true;
    PrintId = oldId;
    ReportTitle = oldTitle;
    document_.CatalogueMode = oldMode;
    if (added)
        DropNewCatalogueRow();
    return false;
}

bool TReportDesignForm::SaveCatalogueTitle(const QString& title, bool& added) {
    try {
        if (!catalogue_->Active()) {
            catalogue_->SetDatabaseName(DatabaseName);
            catalogue_->SQL().SetText(
                QStringLiteral("SELECT  *  FROM  SYS_PRINT_NAME_TABLE WHERE PRINT_ID = :PRINT_ID"));
            catalogue_->ParamByName(QStringLiteral("PRINT_ID"))->SetAsString(QString());
            catalogue_->OpenQuery();
        }
        added = catalogue_->IsEmpty();
        if (added)
            catalogue_->AppendRecord();
        else
            catalogue_->EditRecord();
        catalogue_->FieldByName(QStringLiteral("PRINT_INDEX"))->SetAsString(PrintIndex);
        catalogue_->FieldByName(QStringLiteral("PRINT_TYPE"))->SetAsString(PrintType);
        catalogue_->FieldByName(QStringLiteral("PRINT_NAME"))->SetAsString(title);
        catalogue_->PostRecord();
        if (!catalogue_->Saved)
            Abort();
    } catch (const std::exception&) {
        if (catalogue_->State() == db::dsEdit || catalogue_->State() == db::dsInsert)
            catalogue_->CancelRecord();
        // Whatever is stored stays as it was; the next save starts afresh.
        ForgetCatalogueRow();
        ShowPromptMessage(QStringLiteral("报表模板标题保存过程发生错误"));
        return false;
    }
    ReportTitle = catalogue_->FieldByName(QStringLiteral("PRINT_NAME"))->AsString();
    return true;
}

// A row whose body was never written goes again.
void TReportDesignForm::DropNewCatalogueRow() {
    try {
        catalogue_->NoDeleteConfirm = true;
        catalogue_->DeleteRecord();
    } catch (const std::exception&) {
        ui::HandleCurrentException();
    }
    ForgetCatalogueRow();
}

void TReportDesignForm::ForgetCatalogueRow() {
    catalogue_->CloseQuery();
}

bool TReportDesignForm::SaveAsFile() {
    const QString start = document_.FileMode ? document_.Path : QString();
    const QString path =
        AskFileName(this, QFileDialog::AcceptSave, TemplateFilters(), start, QStringLiteral("ept"));
    if (path.isEmpty() || !SaveToFile(path))
        return false;
    OpenTemplateFile(path);
    UpdateOldies();
    return true;
}

void TReportDesignForm::CloseTemplate() {
    QMessageBox box(QMessageBox::Question, kInfoCaption, QStringLiteral("确实要关闭报表吗？"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    if (box.exec() != QMessageBox::Ok)
        return;
    document_.Stream = nullptr;
    document_.FileMode = true;
    document_.Path.clear();
    document_.CatalogueMode = false;
    ForgetCatalogueRow();
    Page->EndCellEdit();
    Control().LastSelected = nullptr;
    Control().ClearTable();
    Control().RecordedPageWidth = 0;
    LayOutPage();
    MarkSaved();
    SetCaption(kNoReport);
    FitToWindow();
}

void TReportDesignForm::LayOutPage() {
    // A page without a size of its own takes the printer's page: first give
    // the printer the template's paper (A4 portrait for a new one), so the
    // page is laid out as it will be printed, whatever the last job left.
    if (Control().RecordedPageWidth == 0)
        SetPrinterDevMode({.PaperSize = Control().PaperSize,
                           .Orientation = Control().Orientation,
                           .PaperLength = Control().PaperLength,
                           .PaperWidth = Control().PaperWidth});
    Control().UpdatePageSize();
}

void TReportDesignForm::EditProperties() {
    Page->EndCellEdit();
    if (ExecuteMarginkForm(*this, Control()) != 1)
        return;
    MarkUnsaved();
    Page->UpdateSize();
    Centre();
    Page->update();
}

bool TReportDesignForm::LoadIntoFiller() {
    if (!PrinterInstalled()) {
        ShowBox(this, kInfoCaption, QStringLiteral("未安装打印机"));
        return false;
    }
    Page->EndCellEdit();
    Filler.LoadFromStream(WriteTemplate(Control()));
    Filler.SetVarValue(QStringLiteral("单位名称"), CompanyName);
    Filler.Title = ReportTitle;
    return true;
}

void TReportDesignForm::PrintTemplate() {
    if (LoadIntoFiller())
        Filler.Print(1);
}

void TReportDesignForm::PreviewTemplate() {
    if (!LoadIntoFiller())
        return;
    Filler.DataSet = ReportDataSet;
    Filler.PrintPreview(true);
}

void TReportDesignForm::NewTable() {
    Page->EndCellEdit();
    TfrmNewTable dialog(this);
    if (ui::ExecModal(dialog) != QDialog::Accepted)
        return;
    const bool wasEmpty = Control().Lines.empty();
    Control().NewTable(dialog.Columns(), dialog.Rows());
    // Only a table actually built changes where the template is saved.
    if (!wasEmpty || Control().Lines.empty())
        return;
    document_.Stream = nullptr;
    document_.FileMode = true;
    document_.CatalogueMode = false;
    ForgetCatalogueRow();
    MarkUnsaved();
    Page->UpdateSize();
    Centre();
    Page->update();
}

void TReportDesignForm::EditBorders() {
    TReportCell* last = Control().LastSelected;
    if (!last) {
        ShowBox(this, QStringLiteral("警告"), QStringLiteral("请选择单元格!!!"));
        return;
    }
    TBorderForm dialog(this);
    dialog.SetBorders(*last);
    // The border dialog counts as a change even when cancelled.
    MarkUnsaved();
    if (ui::ExecModal(dialog) != QDialog::Accepted)
        return;
    Control().SetCellBorders(dialog.Border(0), dialog.Border(1), dialog.Border(2),
                             dialog.Border(3));
    Page->UpdateSize();
    Page->update();
}

void TReportDesignForm::EditDiagonal() {
    if (!HasLastSelected())
        return;
    TDiagonalForm dialog(this);
    if (ui::ExecModal(dialog) != QDialog::Accepted)
        return;
    Control().SetCellDiagonal(dialog.Diagonal());
    MarkUnsaved();
    Page->update();
}

void TReportDesignForm::EditFont() {
    if (!HasLastSelected()) {
        ShowBox(this, kInfoCaption, QStringLiteral("请选择单元格!!!"));
        return;
    }
    TCellFontForm dialog(this);
    dialog.SetFont(Control().SelectedFont);
    dialog.TextColor = Control().LastSelected->TextColor;
    if (ui::ExecModal(dialog) != QDialog::Accepted)
        return;
    Control().SetCellFont(dialog.LogFont());
    Control().SetCellFontColor(dialog.TextColor);
    MarkUnsaved();
    Page->UpdateSize();
    Page->update();
}

void TReportDesignForm::EditColors() {
    if (!HasLastSelected()) {
        ShowBox(this, kInfoCaption, QStringLiteral("请选择单元格!!!"));
        return;
    }
    TColorForm dialog(this);
    if (ui::ExecModal(dialog) != QDialog::Accepted)
        return;
    Control().SetCellColors(dialog.TextColor, dialog.BackColor);
    MarkUnsaved();
    Page->update();
}

void TReportDesignForm::SplitVertically() {
    if (!HasLastSelected())
        return;
    Page->EndCellEdit();
    TVSplitForm dialog(this);
    if (ui::ExecModal(dialog) != QDialog::Accepted)
        return;
    Control().VSplitCell(dialog.CountEdit->value());
    MarkUnsaved();
    Page->UpdateSize();
    Page->update();
}

void TReportDesignForm::LoadPicture() {
    if (!HasLastSelected()) {
        ShowBox(this, kInfoCaption, QStringLiteral("请先选择单元格!!!"));
        return;
    }
    const QString path =
        AskFileName(this, QFileDialog::AcceptOpen,
                    {QStringLiteral("Bitmaps (*.bmp *.jpg *.ico)"), QStringLiteral("*.bmp (*.bmp)"),
                     QStringLiteral("*.jpg (*.jpg)"), QStringLiteral("*.jpeg (*.jpeg)"),
                     QStringLiteral("*.ico (*.ico)")},
                    QString());
    if (path.isEmpty())
        return;
    // A file that is no picture raises its reason, which the user sees.
    Control().LoadCellPicture(Control().LastSelected, path);
    MarkUnsaved();
}

void TReportDesignForm::ClearPicture() {
    if (!HasLastSelected()) {
        ShowBox(this, kInfoCaption, QStringLiteral("请先选择单元格!!!"));
        return;
    }
    Control().ClearCellPicture(Control().LastSelected);
    MarkUnsaved();
    Page->update();
}

void TReportDesignForm::InsertField(bool master) {
    TReportCell* last = Control().LastSelected;
    if (!last) {
        ShowBox(this, kInfoCaption, QStringLiteral("请先选择单元格!!!"));
        return;
    }
    const QListWidgetItem* item = (master ? MasterList : DetailList)->currentItem();
    if (!item) {
        ShowPromptMessage(QStringLiteral("没有选择数据字段"));
        return;
    }
    if (!Control().IsCellSelected(last)) {
        ShowPromptMessage(QStringLiteral("请先选择单元格"));
        return;
    }
    const QString text = master ? u'{' + item->text() + u'}' : u'[' + item->text() + u']';
    Page->EndCellEdit();
    last->SetCellText(text);
    Control().SetSelectedCellsText(text);
    ApplyFontBar();
}

void TReportDesignForm::ApplyFontBar() {
    if (!HasLastSelected())
        return;
    Control().SetCellFont(FontBarFont(FontBox->currentText(), SizeBox->currentText(),
                                      StyleButtons[0]->isChecked(), StyleButtons[1]->isChecked(),
                                      StyleButtons[2]->isChecked()));
    MarkUnsaved();
    Page->UpdateSize();
    Page->update();
}

void TReportDesignForm::ApplyAlignment() {
    if (!HasLastSelected())
        return;
    Control().SetCellAlign(AlignCode(PressedIndex(HorzButtons)),
                           AlignCode(PressedIndex(VertButtons)));
    MarkUnsaved();
    Page->update();
}

void TReportDesignForm::ApplyFormat(const QString& format) {
    if (!HasLastSelected() || !DesignerNumberFormats().contains(format))
        return;
    Control().SetCellDispFormat(format);
    MarkUnsaved();
    Page->update();
}

void TReportDesignForm::ApplyVariable(const QString& item) {
    TReportCell* last = Control().LastSelected;
    if (!last || !Control().IsCellSelected(last))
        return;
    const QString text = u'<' + item + u'>';
    Page->EndCellEdit();
    last->SetCellText(text);
    Control().SetSelectedCellsText(text);
    ApplyFontBar();
}

void EditPageInDesigner(QWidget* owner, QByteArray& page) {
    TReportDesignForm designer(owner);
    designer.PreviewAction->setEnabled(false);
    designer.OpenTemplateStream(&page);
    ui::ExecModal(designer);
}

} // namespace kx
