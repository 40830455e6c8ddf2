#include "frame/dialogs/selecteditform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
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
#include "platform/ui/tag.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>

#include <algorithm>

namespace kx {
namespace {

constexpr int kValueWidth = 60;
const QString kBrowseHint = QStringLiteral("按回车键进行查找");

} // namespace

TSelectEditForm::TSelectEditForm(QWidget* parent)
    : TGridListEditForm(QStringLiteral("KXDBEdit1"), parent), KXDBEdit1(ValueEdit()),
      KXEdit1(new TKXEdit(this)), editStack_(new QStackedLayout),
      fieldsData_(CodeListFieldRules()) {
    setWindowTitle(QStringLiteral("数据选择编辑窗口"));
    resize(404, 293);
    Label1->setText(QStringLiteral("数据输入"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    KXEdit1->setObjectName(QStringLiteral("KXEdit1"));
    // Tag 4: the data source leaves the search edit writable while browsing.
    ui::SetTag(KXEdit1, 4);
    // The search edit shares the value edit's place, so it follows it in
    // the tab order.
    QWidget::setTabOrder(KXDBEdit1, KXEdit1);
    editStack_->addWidget(KXEdit1);
    editStack_->addWidget(KXDBEdit1);
    PlaceEditor(editStack_);

    Query->AfterPost = [this](db::TDataSet*) { MirrorCurrentValue(); };
    Query->AfterScroll = [this](db::TDataSet*) { MirrorCurrentValue(); };
    DS->Button_Add = button_add;
    DS->Button_Find = button_All;
    DS->OnStateChange = [this](db::TDataSource*) { DSStateChange(); };

    Query->SetFieldsData(fieldsData_);
    DBGrid->SetFieldsData(fieldsData_);
    ApplyControlColors(AppBrowseColor, AppFocusColor);
    Query->SetDatabaseName(kDatabaseName);
    Query->SqlSaveMode = true;
    Query->SqlType = urStandard;
    ApplyImeToForm(this, AppImeName);

    connect(button_add, &QPushButton::clicked, this, ui::Guard([this] { button_addClick(); }));
    connect(button_All, &QPushButton::clicked, this, ui::Guard([this] { button_AllClick(); }));
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
    StampQuery(AppUserName, AppToday);

    DS->RightAdd = true;
    DS->RightEdit = true;
    DS->RightDelete = true;
    ShowStateColors(AppEditColor, AppBrowseColor, AppFocusColor);
    KXDBEdit1->SetImeName(AppImeName);

    Query->OpenQuery();
    if (Query->FieldCount() > 0)
        Query->Fields()[0]->SetDisplayWidth(kValueWidth);
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
    switch (key) {
    case Qt::Key_F3:
        return !Editing() && ClickIfEnabled(button_Ok);
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
        return TGridListEditForm::HandleKey(key);
    }
}

void TSelectEditForm::button_addClick() {
    Query->AppendRecord();
}

void TSelectEditForm::DeleteRow() {
    if (!Query->IsEmpty())
        Query->DeleteRecord();
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

} // namespace kx

#include "moc_selecteditform.cpp"
