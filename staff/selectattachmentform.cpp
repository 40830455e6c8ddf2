#include "staff/selectattachmentform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "platform/db/updatesql.h"
#include "staff/attachmentactions.h"
#include "staff/attachmentkind.h"
#include "staff/editattachmentform.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace kx::staff {
namespace {

constexpr int kHeadWidth = 769;

// Widths in characters: the text columns hold 255, far more than a row shows.
TFieldsData Field(const QString& name, const QString& label, const char* type, bool required,
                  bool shown, int width = 0) {
    TFieldsData field;
    field.DisplayWidth = width;
    field.FieldName = name;
    field.DisplayLabel = label;
    field.TypeCode = QString::fromLatin1(type);
    field.Required = required;
    field.Visible = shown;
    return field;
}

QStringList Columns(const TAttachmentKind& kind) {
    return {QStringLiteral("EMPLOYEE_RECORD_ID"),
            kind.IdColumn,
            kind.TitleColumn,
            kind.OrderColumn,
            QStringLiteral("NOTE"),
            QStringLiteral("EDIT_NAME"),
            QStringLiteral("EDIT_DATE"),
            QStringLiteral("CREATE_NAME"),
            QStringLiteral("CREATE_DATE")};
}

TInsertData AutoValue(const QString& field, const char* kind, const QString& value = {}) {
    TInsertData entry;
    entry.FieldName = field;
    entry.DisplayLabel = field;
    entry.Kind = QString::fromLatin1(kind);
    entry.Value = value;
    return entry;
}

} // namespace

TSelectAttachmentForm::TSelectAttachmentForm(QWidget* owner, const TAttachmentKind& kind)
    : TKXAppPopForm(owner), LabelHead(new QLabel(Panel3)), kind_(kind) {
    setWindowTitle(kind.ListCaption);
    setMinimumWidth(0);
    setMaximumWidth(QWIDGETSIZE_MAX);
    setFixedSize(790, 450);
    LabelHead->setObjectName(QStringLiteral("LabelHead"));
    LabelHead->setAlignment(Qt::AlignCenter);
    LabelHead->setFixedWidth(kHeadWidth);
    auto* head = new QHBoxLayout(Panel3);
    head->setContentsMargins(4, 4, 4, 4);
    head->addWidget(LabelHead, 0, Qt::AlignHCenter);
    button_find->setText(kind.ViewButton);
    Button_Print->setVisible(false);
    button_Ok->setVisible(false);
    ArrangeButtons();
    SetOnClick(button_find, [this](QObject* sender) { button_findClick(sender); });
    DBGrid->OnDblClick = [this](QObject*) { DBGridDblClick(); };
}

// One row, in the order the user works: edit buttons, view, close.
void TSelectAttachmentForm::ArrangeButtons() {
    auto* bar = static_cast<QBoxLayout*>(Panel2->layout());
    const QList<QPushButton*> order = {button_add,    button_edit, button_delete, button_save,
                                       button_cancel, button_find, button_close};
    for (QPushButton* button : order)
        bar->removeWidget(button);
    bar->addStretch();
    for (QPushButton* button : order)
        bar->addWidget(button);
    bar->addStretch();
}

void TSelectAttachmentForm::WriteUpdateStatements() {
    const QStringList columns = Columns(kind_);
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : columns) {
        parameters.append(':' + column);
        assignments.append(column + " = :" + column + (column == columns.last() ? "" : ","));
    }
    const QString where = "where EMPLOYEE_RECORD_ID = :OLD_EMPLOYEE_RECORD_ID and " +
                          kind_.IdColumn + " = :OLD_" + kind_.IdColumn;
    UpdateSQL1->InsertSQL().SetLines({"insert into " + kind_.Table, "(" + columns.join(", ") + ")",
                                      "values", "(" + parameters.join(", ") + ")"});
    UpdateSQL1->ModifySQL().SetLines(QStringList{"update " + kind_.Table, "set"} + assignments +
                                     QStringList{where});
    UpdateSQL1->DeleteSQL().SetLines({"delete from " + kind_.Table, where});
}

void TSelectAttachmentForm::FormCreate() {
    TKXAppPopForm::FormCreate();
    FieldsData = {};
    if (kind_.Pictures)
        FieldsData.Append(Field(kind_.OrderColumn, QStringLiteral("序号"), "N", true, true, 6));
    const TFieldsData rest[] = {
        Field(kind_.TitleColumn, kind_.TitleCaption, "C", true, true, 30),
        Field(QStringLiteral("NOTE"), QStringLiteral("备注"), "C", false, true, 30),
        Field(QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"), "C", false, true, 10),
        Field(QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"), "D", false, true, 10),
        Field(QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), "C", false, true, 10),
        Field(QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), "D", false, true, 10),
        Field(QStringLiteral("EMPLOYEE_RECORD_ID"), QStringLiteral("EMPLOYEE_RECORD_ID"), "C", true,
              false),
        Field(kind_.IdColumn, QStringLiteral("纪录编号重复"), "C", true, false)};
    for (const TFieldsData& field : rest)
        FieldsData.Append(field);
    Query->SetFieldsData(FieldsData);
    DBGrid->SetFieldsData(FieldsData);

    TCheckData check;
    check.Links[0] = TCheckFieldsData{kind_.IdColumn, kind_.IdColumn, {}, {}, QStringLiteral("C")};
    check.NumberField = kind_.IdColumn;
    check.Message = QStringLiteral("纪录编号重复");
    check.BaseSelect = "SELECT " + kind_.IdColumn + " FROM " + kind_.Table + " WHERE ";
    check.MustNotExist = true;
    CheckData = {check};
    Query->SetCheckData(CheckData);

    Query->SetDatabaseName(kDatabaseName);
    Query->SetTableName(kind_.Table);
    WriteUpdateStatements();
    DBGrid->FormName = kind_.LayoutFormName;
    DBGrid->SetLayoutTable(kind_.LayoutTable);
    DBGrid->DataBaseName = kDatabaseName;
    DBGrid->UserID = AppUserId;
    OrderByText = " ORDER BY " + kind_.OrderColumn + "," + kind_.TitleColumn;
}

void TSelectAttachmentForm::FormShow() {
    TKXAppPopForm::FormShow();
    TInsertData id = AutoValue(kind_.IdColumn, "T");
    id.Prefix = kind_.IdPrefix;
    TInsertData order = AutoValue(kind_.OrderColumn, "C");
    order.ExtraWhere = " EMPLOYEE_RECORD_ID = " + QuotedStr(EmployeeRecordID);
    InsertData = {AutoValue(QStringLiteral("CREATE_NAME"), "A", AppUserName),
                  AutoValue(QStringLiteral("CREATE_DATE"), "A", AppToday), id, order};
    Query->SetInsertData(InsertData);
    EditData = {TEditData{QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), AppUserName},
                TEditData{QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), AppToday}};
    Query->SetEditData(EditData);
    LabelHead->setText(HeadText + u' ' + EmployeeName);
    LoadRows();
}

void TSelectAttachmentForm::LoadRows() {
    Query->CloseQuery();
    Query->SQL().SetText("SELECT * FROM " + kind_.Table + " WHERE EMPLOYEE_RECORD_ID = " +
                         QuotedStr(EmployeeRecordID) + u' ' + OrderByText);
    Query->OpenQuery();
}

void TSelectAttachmentForm::button_addClick(QObject* /*sender*/) {
    OpenEditForm(true);
}

void TSelectAttachmentForm::button_editClick(QObject* /*sender*/) {
    OpenEditForm(false);
}

void TSelectAttachmentForm::OpenEditForm(bool add) {
    if (!add && (!Query->Active() || Query->IsEmpty())) {
        ShowPromptMessage(kind_.EmptyList);
        return;
    }
    const std::unique_ptr<TEditAttachmentForm> editor(CreateEditForm());
    editor->ListQuery = Query;
    editor->Rights = Rights;
    editor->EmployeeRecordID = EmployeeRecordID;
    editor->HeadText = HeadText;
    editor->EmployeeName = EmployeeName;
    editor->AddOnShow = add;
    editor->EditOnShow = !add;
    ForceForegroundFocus(editor.get());
    editor->ShowModal();
}

void TSelectAttachmentForm::button_deleteClick(QObject* /*sender*/) {
    DeleteAttachmentRow(kind_, Query, true);
}

void TSelectAttachmentForm::button_findClick(QObject* /*sender*/) {
    ViewOrExport();
}

void TSelectAttachmentForm::DBGridDblClick() {
    ViewOrExport();
}

void TSelectAttachmentForm::ViewOrExport() {
    ViewOrExportAttachment(this, kind_, Query, kind_.CopyFailed);
}

} // namespace kx::staff
