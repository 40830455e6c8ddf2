#include "tablereport/saveprinttableeditform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/app/formbuttons.h"
#include "frame/controls/formimenames.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "platform/db/field.h"
#include "platform/db/params.h"
#include "platform/db/updatesql.h"
#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"
#include "tablereport/printcatalogue.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {
namespace {

constexpr int kTitleLength = 80;

QPushButton* AddButton(QWidget* form, QVBoxLayout* column, const char* name,
                       const QString& caption) {
    auto* button = new QPushButton(caption, form);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}

} // namespace

TSavePrintTableEditForm::TSavePrintTableEditForm(QWidget* parent)
    : QDialog(parent), DatabaseName(kDatabaseName), WorkDate(AppToday), ImeName(AppImeName),
      UserName(AppUserName), BrowseColor(AppBrowseColor), FocusColor(AppFocusColor),
      EditColor(AppEditColor), Label1(new QLabel(QStringLiteral("报表模板标题"), this)),
      TitleEdit(new TKXDBEdit(this)), DBGrid(new TKXNDBGrid(this)), Query(new TKXQuery(this)),
      DS(new TKXDataSource(this)), UpdateSQL1(new db::TUpdateSQL(this)),
      fieldsData_(CatalogueFieldsData()) {
    setWindowTitle(QStringLiteral("报表模板资料录入编辑窗口"));
    resize(460, 300);
    TitleEdit->setObjectName(QStringLiteral("TitleEdit"));
    TitleEdit->setMaxLength(kTitleLength);
    DBGrid->setObjectName(QStringLiteral("DBGrid"));

    auto* right = new QVBoxLayout;
    button_add = AddButton(this, right, "button_add", QStringLiteral("增加[F5]"));
    button_edit = AddButton(this, right, "button_edit", QStringLiteral("编辑[F6]"));
    button_delete = AddButton(this, right, "button_delete", QStringLiteral("删除[F7]"));
    button_save = AddButton(this, right, "button_save", QStringLiteral("保存[F8]"));
    button_cancel = AddButton(this, right, "button_cancel", QStringLiteral("取消[F9]"));
    right->addSpacing(8);
    button_All = AddButton(this, right, "button_All", QStringLiteral("全部数据"));
    button_Ok = AddButton(this, right, "button_Ok", QStringLiteral("确定[F3]"));
    button_close = AddButton(this, right, "button_close", QStringLiteral("关闭[F12]"));
    right->addStretch();
    // Rows are made by the designer's save only.
    for (QPushButton* hidden : {button_add, button_All}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }
    button_save->setEnabled(false);
    button_cancel->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(TitleEdit, 0, 1);
    layout->addWidget(DBGrid, 1, 0, 1, 2);
    layout->addLayout(right, 0, 2, 2, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    DBGrid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                       dgRowSelect | dgAlwaysShowSelection | dgConfirmDelete | dgCancelOnExit);
    DBGrid->SetReadOnly(true);
    DBGrid->SetDataSource(DS);
    TitleEdit->SetDataSource(DS);
    TitleEdit->SetDataField(QStringLiteral("PRINT_NAME"));

    Query->setObjectName(QStringLiteral("Query"));
    SetupCatalogueQuery(*Query, *UpdateSQL1);
    Query->ActiveControl = QStringLiteral("TitleEdit");
    Query->SetDBNGride(DBGrid);
    Query->SetKXDS(DS);
    Query->SetFieldsData(fieldsData_);
    Query->BeforeDelete = [this](db::TDataSet*) { RemoveTableBody(); };
    DBGrid->SetFieldsData(fieldsData_);
    DS->setObjectName(QStringLiteral("DS"));
    DS->SetDataSet(Query);
    DS->SetAutoEdit(false);
    DS->SetActiveColor(true);
    DS->Button_Edit = button_edit;
    DS->Button_Delete = button_delete;
    DS->Button_Save = button_save;
    DS->Button_Cancel = button_cancel;
    DS->Button_Close = button_close;
    DS->OnStateChange = [this](db::TDataSource*) { button_Ok->setEnabled(!Editing()); };

    const std::pair<QPushButton*, void (TSavePrintTableEditForm::*)()> clicks[] = {
        {button_edit, &TSavePrintTableEditForm::button_editClick},
        {button_delete, &TSavePrintTableEditForm::button_deleteClick},
        {button_save, &TSavePrintTableEditForm::button_saveClick},
        {button_cancel, &TSavePrintTableEditForm::button_cancelClick},
        {button_Ok, &TSavePrintTableEditForm::button_OkClick}};
    for (const auto& [button, handler] : clicks) {
        const auto click = handler;
        connect(button, &QPushButton::clicked, this,
                ui::Guard([this, click] { (this->*click)(); }));
    }
    connect(button_close, &QPushButton::clicked, this, &QDialog::reject);
    DBGrid->OnDblClick = [this](QObject*) {
        if (Query->Active() && !Query->IsEmpty() && button_Ok->isEnabled())
            button_Ok->click();
    };
    new ui::KeyPreview(this, [this](QKeyEvent* event) { return HandleKey(event->key()); });
}

TSavePrintTableEditForm::~TSavePrintTableEditForm() {
    Query->CloseQuery();
}

void TSavePrintTableEditForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSavePrintTableEditForm::FormShow() {
    editData_ = TEditDataArray{{QStringLiteral("PRINT_TYPE"), QString(), PrintType}};
    Query->SetEditData(editData_);
    Query->YearMonthPrefix = YearMonthPrefixOf(WorkDate);
    Query->UserName = UserName;
    Query->Today = WorkDate;
    Query->SqlType = SqlType;
    ApplyColors();
    TitleEdit->SetImeName(ImeName);
    ApplyImeToForm(this, ImeName);

    Query->CloseQuery();
    Query->SetDatabaseName(DatabaseName);
    Query->SQL().SetText(QStringLiteral("SELECT  *  FROM  SYS_PRINT_NAME_TABLE WHERE PRINT_INDEX "
                                        "= :PRINT_INDEX AND PRINT_TYPE = :PRINT_TYPE"));
    Query->ParamByName(QStringLiteral("PRINT_INDEX"))->SetAsString(PrintIndex);
    Query->ParamByName(QStringLiteral("PRINT_TYPE"))->SetAsString(PrintType);
    Query->OpenQuery();
    DBGrid->setFocus();
}

void TSavePrintTableEditForm::ApplyColors() {
    Query->ColorOnFocus = FocusColor;
    TitleEdit->SetColor(BrowseColor);
    TitleEdit->SetColorOnFocus(FocusColor);
    DBGrid->SetColor(BrowseColor);
    DBGrid->ColorOnFocus = BrowseColor;
    DS->HookStateChange();
    DS->ApplyRights();
    DS->SetEditColor(EditColor);
    DS->SetBrowseColor(BrowseColor);
    DS->SetColorOnFocus(FocusColor);
    DS->ApplyStateColors();
}

bool TSavePrintTableEditForm::Editing() const {
    return Query->State() == db::dsInsert || Query->State() == db::dsEdit;
}

bool TSavePrintTableEditForm::HandleKey(int key) {
    QPushButton* button = nullptr;
    switch (key) {
    case Qt::Key_F3:
        button = button_Ok;
        break;
    case Qt::Key_F6:
        button = button_edit;
        break;
    case Qt::Key_F7:
        button = button_delete;
        break;
    case Qt::Key_F8:
        button = button_save;
        break;
    case Qt::Key_F9:
        button = button_cancel;
        break;
    case Qt::Key_F12:
        // The close button is disabled while editing; the key still asks,
        // so the user learns why the window stays.
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        button = Editing() ? nullptr : button_Ok;
        break;
    default:
        return false;
    }
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

void TSavePrintTableEditForm::button_editClick() {
    if (Query->Active() && !Query->IsEmpty())
        Query->EditRecord();
}

void TSavePrintTableEditForm::button_deleteClick() {
    if (!Query->Active() || Query->IsEmpty())
        return;
    const QString printId = Query->FieldByName(QStringLiteral("PRINT_ID"))->AsString();
    // Bodies in the template table go inside the row's deletion; a file
    // goes once the row is gone, so no row is ever left without its body.
    Query->DeleteRecord();
    const TPrintCatalogue catalogue{DatabaseName, TemplateDir, TemplateTable};
    if (catalogue.InFiles() && !catalogue.RemoveBody(printId))
        ShowPromptMessage(QStringLiteral("报表模板删除过程发生错误"));
}

// Runs in the row's deletion transaction: a body that stays keeps the row.
void TSavePrintTableEditForm::RemoveTableBody() {
    const TPrintCatalogue catalogue{DatabaseName, TemplateDir, TemplateTable};
    if (catalogue.InFiles())
        return;
    if (!catalogue.RemoveBody(Query->FieldByName(QStringLiteral("PRINT_ID"))->AsString())) {
        ShowPromptMessage(QStringLiteral("报表模板删除过程发生错误"));
        Abort();
    }
}

void TSavePrintTableEditForm::button_saveClick() {
    if (Editing()) {
        Query->FieldByName(QStringLiteral("PRINT_NAME"))->SetAsString(TitleEdit->text());
        Query->PostRecord();
    }
    DBGrid->setFocus();
}

void TSavePrintTableEditForm::button_cancelClick() {
    Query->CancelRecord();
    DBGrid->setFocus();
}

void TSavePrintTableEditForm::button_OkClick() {
    if (Editing())
        return;
    if (!Query->Active() || Query->IsEmpty()) {
        ShowPromptMessage(QStringLiteral("必须选择一个记录"));
        return;
    }
    accept();
}

bool TSavePrintTableEditForm::RefuseClosing() const {
    if (!Editing())
        return false;
    ShowPromptMessage(QStringLiteral("必须保存或取消新增、修改的数据"));
    return true;
}

void TSavePrintTableEditForm::done(int result) {
    if (!RefuseClosing())
        QDialog::done(result);
}

void TSavePrintTableEditForm::closeEvent(QCloseEvent* event) {
    if (RefuseClosing())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace kx

#include "moc_saveprinttableeditform.cpp"
