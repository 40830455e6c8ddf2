#include "frame/dialogs/selecteditform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/app/formbuttons.h"
#include "frame/controls/formimenames.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/codelistsql.h"
#include "platform/db/field.h"
#include "platform/db/updatesql.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"
#include "platform/ui/tag.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace kx {
namespace {

constexpr int kValueWidth = 60;
const QString kBrowseHint = QStringLiteral("按回车键进行查找");

QPushButton* AddButton(QWidget* form, QVBoxLayout* column, const char* name,
                       const QString& caption) {
    auto* button = new QPushButton(caption, form);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}

} // namespace

TSelectEditForm::TSelectEditForm(QWidget* parent)
    : QDialog(parent), Label1(new QLabel(QStringLiteral("数据输入"), this)),
      KXDBEdit1(new TKXDBEdit(this)), KXEdit1(new TKXEdit(this)), DBGrid(new TKXNDBGrid(this)),
      Query(new TKXQuery(this)), DS(new TKXDataSource(this)), UpdateSQL1(new db::TUpdateSQL(this)),
      editStack_(new QStackedLayout), fieldsData_(CodeListFieldRules()) {
    setWindowTitle(QStringLiteral("数据选择编辑窗口"));
    resize(404, 293);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    KXDBEdit1->setObjectName(QStringLiteral("KXDBEdit1"));
    KXEdit1->setObjectName(QStringLiteral("KXEdit1"));
    // Tag 4: the data source leaves the search edit writable while browsing.
    ui::SetTag(KXEdit1, 4);
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
    button_save->setEnabled(false);
    button_cancel->setEnabled(false);

    editStack_->addWidget(KXEdit1);
    editStack_->addWidget(KXDBEdit1);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Label1, 0, 0);
    layout->addLayout(editStack_, 0, 1);
    layout->addWidget(DBGrid, 1, 0, 1, 2);
    layout->addLayout(right, 0, 2, 2, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    DBGrid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                       dgRowSelect | dgAlwaysShowSelection | dgConfirmDelete | dgCancelOnExit);
    DBGrid->SetReadOnly(true);
    DBGrid->SetDataSource(DS);
    KXDBEdit1->SetDataSource(DS);

    Query->setObjectName(QStringLiteral("Query"));
    Query->SetCachedUpdates(true);
    Query->SetRequestLive(true);
    Query->SetUpdateMode(db::upWhereKeyOnly);
    Query->SetUpdateObject(UpdateSQL1);
    Query->ActiveControl = QStringLiteral("KXDBEdit1");
    Query->SetDBNGride(DBGrid);
    Query->SetKXDS(DS);
    Query->AfterPost = [this](db::TDataSet*) { MirrorCurrentValue(); };
    Query->AfterScroll = [this](db::TDataSet*) { MirrorCurrentValue(); };
    DS->setObjectName(QStringLiteral("DS"));
    DS->SetDataSet(Query);
    DS->SetAutoEdit(false);
    DS->SetActiveColor(true);
    DS->Button_Add = button_add;
    DS->Button_Edit = button_edit;
    DS->Button_Delete = button_delete;
    DS->Button_Find = button_All;
    DS->Button_Save = button_save;
    DS->Button_Cancel = button_cancel;
    DS->Button_Close = button_close;
    DS->OnStateChange = [this](db::TDataSource*) { DSStateChange(); };

    Query->SetFieldsData(fieldsData_);
    DBGrid->SetFieldsData(fieldsData_);
    KXDBEdit1->SetColor(AppBrowseColor);
    KXDBEdit1->SetColorOnFocus(AppFocusColor);
    DBGrid->SetColor(AppBrowseColor);
    DBGrid->ColorOnFocus = AppBrowseColor;
    Query->SetDatabaseName(kDatabaseName);
    Query->SqlSaveMode = true;
    Query->SqlType = urStandard;
    ApplyImeToForm(this, AppImeName);

    const std::pair<QPushButton*, void (TSelectEditForm::*)()> clicks[] = {
        {button_add, &TSelectEditForm::button_addClick},
        {button_edit, &TSelectEditForm::button_editClick},
        {button_delete, &TSelectEditForm::button_deleteClick},
        {button_save, &TSelectEditForm::button_saveClick},
        {button_cancel, &TSelectEditForm::button_cancelClick},
        {button_All, &TSelectEditForm::button_AllClick},
        {button_Ok, &TSelectEditForm::button_OkClick}};
    for (const auto& [button, handler] : clicks) {
        const auto click = handler;
        connect(button, &QPushButton::clicked, this,
                ui::Guard([this, click] { (this->*click)(); }));
    }
    connect(button_close, &QPushButton::clicked, this, &QDialog::reject);
    DBGrid->OnDblClick = [this](QObject*) {
        if (Query->Active() && !Query->IsEmpty())
            button_Ok->click();
    };
    new ui::KeyPreview(this, [this](QKeyEvent* event) { return HandleKey(event->key()); });
}

TSelectEditForm::~TSelectEditForm() {
    Query->CloseQuery();
}

void TSelectEditForm::SetupCodeList(const QString& fieldName, const QString& caption,
                                    const QString& tableName) {
    CodeCaption = caption;
    CodeField = fieldName;
    CodeTable = tableName;
    CodeSql = CodeListSelect(tableName, fieldName);
    Query->SetTableName(tableName);
    Query->SQL().SetText(CodeSql);
    KXDBEdit1->SetDataField(fieldName);
    SetCodeListValueRule(fieldsData_, fieldName, caption);
    DBGrid->SetFieldsData(fieldsData_);
    const TCodeListUpdateLines lines = CodeListUpdateLines(tableName, fieldName);
    UpdateSQL1->ModifySQL().SetLines(lines.Modify);
    UpdateSQL1->InsertSQL().SetLines(lines.Insert);
    UpdateSQL1->DeleteSQL().SetLines(lines.Delete);
    Label1->setText(caption);
    // Room for both texts the label takes, so the edit does not jump.
    const QFontMetrics metrics = Label1->fontMetrics();
    Label1->setMinimumWidth(
        std::max(metrics.horizontalAdvance(caption), metrics.horizontalAdvance(kBrowseHint)));
    setWindowTitle(caption + "数据选择编辑窗口");
    checkData_ = TCheckDataArray{CodeListDuplicateCheck(tableName, fieldName, caption)};
    Query->SetCheckData(checkData_);
}

void TSelectEditForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSelectEditForm::FormShow() {
    TInsertData createName;
    createName.FieldName = QStringLiteral("CREATE_NAME");
    createName.Value = AppUserName;
    createName.Kind = QStringLiteral("A");
    TInsertData createDate;
    createDate.FieldName = QStringLiteral("CREATE_DATE");
    createDate.Value = AppToday;
    createDate.Kind = QStringLiteral("A");
    insertData_ = TInsertDataArray{createName, createDate};
    editData_ = TEditDataArray{{QStringLiteral("EDIT_NAME"), QString(), AppUserName},
                               {QStringLiteral("EDIT_DATE"), QString(), AppToday}};
    Query->SetInsertData(insertData_);
    Query->SetEditData(editData_);
    Query->YearMonthPrefix = YearMonthPrefixOf(AppToday);
    Query->UserName = AppUserName;
    Query->Today = AppToday;
    Query->ColorOnFocus = AppFocusColor;

    DS->HookStateChange();
    DS->RightAdd = true;
    DS->RightEdit = true;
    DS->RightDelete = true;
    DS->ApplyRights();
    DS->SetEditColor(AppEditColor);
    DS->SetBrowseColor(AppBrowseColor);
    DS->SetColorOnFocus(AppFocusColor);
    DS->ApplyStateColors();
    KXDBEdit1->SetImeName(AppImeName);

    Query->OpenQuery();
    if (Query->FieldCount() > 0)
        Query->Fields()[0]->SetDisplayWidth(kValueWidth);
}

bool TSelectEditForm::Editing() const {
    return Query->State() == db::dsInsert || Query->State() == db::dsEdit;
}

void TSelectEditForm::DSStateChange() {
    const bool editing = Editing();
    if (editing) {
        Label1->setText(CodeCaption);
        editStack_->setCurrentWidget(KXDBEdit1);
        KXDBEdit1->setFocus();
    } else {
        Label1->setText(kBrowseHint);
        editStack_->setCurrentWidget(KXEdit1);
    }
    button_Ok->setEnabled(button_add->isEnabled());
    KXDBEdit1->SetReadOnly(!editing);
}

void TSelectEditForm::MirrorCurrentValue() {
    const db::TField* field = Query->FindField(CodeField);
    if (field && !CodeField.isEmpty())
        KXEdit1->setText(field->AsString());
}

bool TSelectEditForm::HandleKey(int key) {
    QPushButton* button = nullptr;
    switch (key) {
    case Qt::Key_F3:
        button = Editing() ? nullptr : button_Ok;
        break;
    case Qt::Key_F5:
        button = button_add;
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
        if (focusWidget() != KXEdit1)
            return false;
        try {
            SearchValues();
        } catch (...) {
            ui::HandleCurrentException();
        }
        return true;
    default:
        return false;
    }
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

void TSelectEditForm::button_addClick() {
    Query->AppendRecord();
}

void TSelectEditForm::button_editClick() {
    if (!Query->IsEmpty())
        Query->EditRecord();
}

void TSelectEditForm::button_deleteClick() {
    if (!Query->IsEmpty())
        Query->DeleteRecord();
}

void TSelectEditForm::button_saveClick() {
    if (Editing()) {
        Query->FieldByName(KXDBEdit1->DataField())->SetAsString(KXDBEdit1->text());
        Query->PostRecord();
    }
    DBGrid->setFocus();
}

void TSelectEditForm::button_cancelClick() {
    Query->CancelRecord();
    DBGrid->setFocus();
}

void TSelectEditForm::button_AllClick() {
    Reopen(CodeSql);
}

void TSelectEditForm::SearchValues() {
    Reopen(CodeListSearchSql(CodeTable, CodeField, KXEdit1->text()));
    KXEdit1->setFocus();
}

void TSelectEditForm::Reopen(const QString& sql) {
    Query->CloseQuery();
    Query->SQL().SetText(sql);
    Query->OpenQuery();
}

void TSelectEditForm::button_OkClick() {
    if (!Query->Active() || Query->IsEmpty()) {
        ShowPromptMessage(QStringLiteral("必须选择一个记录"));
        return;
    }
    accept();
}

bool TSelectEditForm::RefuseClosing() const {
    if (!Editing())
        return false;
    ShowPromptMessage(QStringLiteral("必须保存或取消新增、修改的数据"));
    return true;
}

void TSelectEditForm::done(int result) {
    if (!RefuseClosing())
        QDialog::done(result);
}

void TSelectEditForm::closeEvent(QCloseEvent* event) {
    if (RefuseClosing())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace kx

#include "moc_selecteditform.cpp"
