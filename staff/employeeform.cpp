#include "staff/employeeform.h"

#include "staff/attachmentstore.h"
#include "staff/selectemployeefileform.h"
#include "staff/selectemployeepictureform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/options.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/findformdialog.h"
#include "frame/dialogs/lookuppickers.h"
#include "frame/dialogs/selectdeptform.h"
#include "frame/dialogs/selectitemform.h"
#include "grid/dbgrid/columnfooterx.h"
#include "platform/db/field.h"
#include "platform/db/fieldtypes.h"
#include "platform/db/query.h"
#include "platform/db/updatesql.h"
#include "platform/ui/application.h"
#include "staff/editemployeeform.h"
#include "staff/employeedelete.h"
#include "staff/setemployeefieldform.h"
#include "tablereport/printchoosercall.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace kx::staff {
namespace {

const QString kChooseDept = QStringLiteral("必须选择一个部门名称节点");
const QString kNoDeptsForEdit = QStringLiteral(
    "必须先在“基本数据录入编辑”菜单下打开“公司部门资料录入编辑”窗口输入部门名称资料");
const QString kFindLabel = QStringLiteral("查找条件：");
constexpr int kLabelWidth = 782;
constexpr int kTreeWidth = 200;

QList<QIcon> FolderImages(const QStyle* style) {
    return {style->standardIcon(QStyle::SP_DirClosedIcon),
            style->standardIcon(QStyle::SP_DirOpenIcon), style->standardIcon(QStyle::SP_FileIcon)};
}

db::TField* MakeField(QChar type, QObject* owner) {
    if (type == u'D')
        return new db::TDateField(owner);
    if (type == u'N')
        return new db::TFloatField(owner);
    return new db::TStringField(owner);
}

TCheckData DuplicateCheck(const QString& column, const QString& message, bool noRenumber) {
    TCheckData check;
    check.Links[0] = TCheckFieldsData{column, column, {}, {}, QStringLiteral("C")};
    check.NumberField = column;
    check.BaseSelect = "SELECT " + column + " FROM KX_EMPLOYEE_TABLE WHERE ";
    check.Message = message;
    check.MustNotExist = true;
    check.NoRenumber = noRenumber;
    return check;
}

TInsertData AutoValue(const QString& field, const QString& label, const QString& kind, int width,
                      const QString& value = {}) {
    TInsertData entry;
    entry.FieldName = field;
    entry.DisplayLabel = label;
    entry.Kind = kind;
    entry.Width = width;
    entry.Value = value;
    return entry;
}

template <typename Form>
void ShowAttachments(const QString& headText, const QString& name, const QString& recordId) {
    const std::unique_ptr<Form> window(TKXFormEvents::Create<Form>(nullptr));
    window->HeadText = headText;
    window->EmployeeName = name;
    window->EmployeeRecordID = recordId;
    ForceForegroundFocus(window.get());
    window->ShowModal();
}

} // namespace

TEmployeeForm::TEmployeeForm(QWidget* owner)
    : TKXDForm(owner), Panel4(new QFrame(Panel1)), KXTreeView(new TKXTreeView(Panel4)),
      Label1(new QLabel(Panel1)),
      PanelBusy(new QLabel(QStringLiteral("正在处理数据......"), Panel1)),
      DBGrid1(new TKXNDBGrid(Panel1)), Panel3(new QFrame(Panel1)),
      SpeedButton3(new QPushButton(QStringLiteral("相关图片资料"), Panel3)),
      SpeedButton2(new QPushButton(QStringLiteral("相关电子文档资料"), Panel3)),
      QyField(new TKXQuery(this)), QyDept(new db::TQuery(this)),
      FindFormDialog(new TFindFormDialog(this)) {
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("员工资料录入编辑窗口"));
    Panel4->setObjectName(QStringLiteral("Panel4"));
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    KXTreeView->SetImages(FolderImages(style()));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMaximumWidth(kLabelWidth);
    Panel4->setMinimumWidth(kTreeWidth);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    PanelBusy->setObjectName(QStringLiteral("PanelBusy"));
    PanelBusy->setAlignment(Qt::AlignCenter);
    PanelBusy->setFrameShape(QFrame::Panel);
    PanelBusy->setAutoFillBackground(true);
    PanelBusy->hide();
    Panel3->setObjectName(QStringLiteral("Panel3"));
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    QyField->setObjectName(QStringLiteral("QyField"));
    QyDept->setObjectName(QStringLiteral("QyDept"));

    auto* treeLayout = new QVBoxLayout(Panel4);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(KXTreeView);
    auto* strip = new QHBoxLayout(Panel3);
    strip->addStretch();
    strip->addWidget(SpeedButton3);
    strip->addWidget(SpeedButton2);
    strip->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(Label1);
    right->addWidget(DBGrid1, 1);
    right->addWidget(Panel3);
    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel4);
    layout->addLayout(right, 1);

    Button_Other->setText(QStringLiteral("设 置"));
    button_check->setText(QStringLiteral("移动"));
    button_check->setVisible(true);
    // The move button follows the add right, not the verify right.
    DS->ButtonCheck = nullptr;
    button_save->setVisible(false);
    button_cancel->setVisible(false);

    int height = AppMainClientHeight - 35;
    int width = AppMainClientWidth - 10;
    if (height <= 0 || width <= 0) {
        height = 600;
        width = 1000;
    }
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(width, height);

    QyDept->SetDatabaseName(kDatabaseName);
    QyDept->SetParamCheck(false);
    QyDept->SQL().SetText(QStringLiteral("SELECT COMPANY_ID,COMPANY_NAME FROM SYS_COMPANY_TABLE"));
    AddPersistentFields();
    WriteUpdateStatements();
    Query->SetDBNGride(DBGrid1);
    Query->SetKXDS(DS);
    Query->SetTableName(QStringLiteral("KX_EMPLOYEE_TABLE"));
    DBGrid1->SetDataSource(DS);
    DBGrid1->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                        dgRowSelect | dgAlwaysShowSelection | dgCancelOnExit);
    DBGrid1->SetReadOnly(true);
    DBGrid1->SetFooterRowCount(1);
    DBGrid1->SumList()->SetActive(true);

    SetOnClick(button_find, [this](QObject*) { button_findClick(); });
    SetOnClick(Button_Other, [this](QObject*) { Button_OtherClick(); });
    SetOnClick(button_print, [this](QObject*) { button_printClick(); });
    DBGrid1->OnDblClick = [this](QObject*) { DBGrid1DblClick(); };
    connect(SpeedButton2, &QPushButton::clicked, this, ui::Guard([this] { SpeedButton2Click(); }));
    connect(SpeedButton3, &QPushButton::clicked, this, ui::Guard([this] { SpeedButton3Click(); }));
}

void TEmployeeForm::AddPersistentFields() {
    for (const QString& column : EmployeeTableColumns()) {
        db::TField* field = MakeField(EmployeeColumnType(column), Query);
        field->SetFieldName(column);
        field->SetDataSet(Query);
    }
    auto* deptName = new db::TStringField(Query);
    deptName->SetFieldName(kDeptNameColumn);
    deptName->SetFieldKind(db::fkLookup);
    deptName->SetSize(20);
    deptName->SetLookupDataSet(QyDept);
    deptName->SetKeyFields(QStringLiteral("COMPANY_ID"));
    deptName->SetLookupKeyFields(QStringLiteral("COMPANY_ID"));
    deptName->SetLookupResultField(QStringLiteral("COMPANY_NAME"));
    deptName->SetDataSet(Query);
    deptName->SetIndex(1);
}

void TEmployeeForm::WriteUpdateStatements() {
    const QStringList& columns = EmployeeTableColumns();
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : columns) {
        parameters.append(':' + column);
        assignments.append(column + " = :" + column + (column == columns.last() ? "" : ","));
    }
    const QStringList where = {
        QStringLiteral("where COMPANY_ID = :OLD_COMPANY_ID and EMPLOYEE_RECORD_ID = "
                       ":OLD_EMPLOYEE_RECORD_ID and EMPLOYEE_ID = :OLD_EMPLOYEE_ID")};
    UpdateSQL1->InsertSQL().SetLines({QStringLiteral("insert into KX_EMPLOYEE_TABLE"),
                                      "(" + columns.join(", ") + ")", QStringLiteral("values"),
                                      "(" + parameters.join(", ") + ")"});
    UpdateSQL1->ModifySQL().SetLines(
        QStringList{QStringLiteral("update KX_EMPLOYEE_TABLE"), QStringLiteral("set")} +
        assignments + where);
    UpdateSQL1->DeleteSQL().SetLines(QStringList{QStringLiteral("delete from KX_EMPLOYEE_TABLE")} +
                                     where);
}

void TEmployeeForm::FormCreate() {
    TKXDForm::FormCreate();
    DBGrid1->FormName = kFormName;
    DBGrid1->SetLayoutTable(QStringLiteral("SYS_EMPLOYEE_DBGRID_TABLE"));
    DBGrid1->DataBaseName = kDatabaseName;
    DBGrid1->UserID = AppUserId;
    DBGrid1->SetSaveColumnOrder(true);
    // A typed employee number that is taken is refused, not renumbered; a
    // record id (a time stamp) that is taken is simply made anew.
    CheckData = {DuplicateCheck(kEmployeeId, QStringLiteral("员工编号重复"), true),
                 DuplicateCheck(QStringLiteral("EMPLOYEE_RECORD_ID"),
                                QStringLiteral("纪录编号重复"), false)};
    Query->SetCheckData(CheckData);
    Query->AfterInsert = [this](db::TDataSet*) { QueryAfterInsert(); };
    ProgramGroupName = QStringLiteral("基本数据录入编辑");
    ProgramName = QStringLiteral("单位员工资料录入编辑");

    QyField->SetDatabaseName(kDatabaseName);
    QyField->SQL().SetText(kFieldSelect);
    SeedDefinitions();

    labelText_ = kFindLabel;
    FindFormDialog->Caption = QStringLiteral("员工资料");
    FindFormDialog->ColorOnFocus = AppFocusColor;
    FindFormDialog->ColorNotOnFocus = AppEditColor;
    FindFormDialog->Color = AppEditColor;
    FindFormDialog->FieldSetTag = QStringLiteral("KX_EMPLOYEE_TABLE");
    FindFormDialog->PopupWindow = [this](QString& value, QString& code, QString& fieldName) {
        FindFormDialogPopupWindow(value, code, fieldName);
    };
    autoNumbering_ = IsOptionYes(QStringLiteral("员工编号"));
    ApplyFieldVisibility();
    ResetFieldArrays();

    KXTreeView->OnExpanding = [this](QObject*, TTreeNode* node, bool&) {
        KXTreeViewExpanding(node);
    };
    KXTreeView->OnChange = [this](QObject*, TTreeNode* node) { KXTreeViewChange(node); };
    KXTreeView->HookEvents();
    currentCode_ = kRootID;
    KXTreeView->RootName = AppCompanyName;
    KXTreeView->RootID = kRootID;
    KXTreeView->SetDataBaseName(kDatabaseName);
    KXTreeView->SetNodeSql(1, {}, {}, QStringLiteral("A"), {}, 0);
    KXTreeView->BuildTree();
    if (KXTreeView->topLevelItemCount() > 0) {
        SelectedNode = KXTreeView->topLevelItem(0);
        KXTreeView->setCurrentItem(SelectedNode);
    }
    RefreshEmployeeQuery();
}

// An empty definition table gets the default rows, all of them or none.
void TEmployeeForm::SeedDefinitions() {
    SeedDefaultEmployeeFields();
    QyField->OpenQuery();
}

void TEmployeeForm::FormShow() {
    TKXDForm::FormShow();
    InsertData = {AutoValue(QStringLiteral("EMPLOYEE_RECORD_ID"), QStringLiteral("纪录编号"),
                            QStringLiteral("T"), 0),
                  AutoValue(QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"),
                            QStringLiteral("A"), 0, AppUserName),
                  AutoValue(QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"),
                            QStringLiteral("A"), 0, AppToday)};
    if (autoNumbering_)
        InsertData.Append(
            AutoValue(kEmployeeId, QStringLiteral("员工编号"), QStringLiteral("C"), 5));
    Query->SetInsertData(InsertData);
    EditData = {TEditData{QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), AppUserName},
                TEditData{QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), AppToday}};
    Query->SetEditData(EditData);
    Button_Other->setVisible(AppSystemUser);
    button_check->setEnabled(Rights.Add);
}

// Order numbers count on as numbers: after 9 comes 10.
void TEmployeeForm::QueryAfterInsert() {
    Query->FieldByName(QStringLiteral("EMPLOYEE_ORDER_ID"))->SetAsString(NextEmployeeOrderId());
}

int TEmployeeForm::Level(const TTreeNode* node) const {
    int level = 0;
    for (const TTreeNode* parent = node->parent(); parent; parent = parent->parent())
        ++level;
    return level;
}

bool TEmployeeForm::OnlyRoot() const {
    const TTreeNode* root = KXTreeView->topLevelItem(0);
    return !root || root->childCount() == 0;
}

void TEmployeeForm::KXTreeViewExpanding(TTreeNode* node) {
    for (int which : {0, 1})
        KXTreeView->SetNodeSql(which, {}, {}, {}, {}, 0);
    const QString children = QStringLiteral(
        "SELECT COMPANY_ID,COMPANY_NAME,ORDER_ID FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = ");
    const QString order = QStringLiteral(" ORDER BY ORDER_ID");
    if (Level(node) == 0)
        KXTreeView->SetNodeSql(0, children + QuotedStr(kRootID) + order, {}, {}, {}, 0);
    else
        KXTreeView->SetNodeSql(0, children, order, QStringLiteral("C"), {}, 0);
    KXTreeView->SetNodeSql(
        1, QStringLiteral("SELECT Count(COMPANY_ID) FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = "), {},
        QStringLiteral("C"), {}, 0);
}

void TEmployeeForm::KXTreeViewChange(TTreeNode* node) {
    SelectedNode = node;
    if (!node) {
        Query->CloseQuery();
        currentCode_ = kRootID;
        currentName_.clear();
        return;
    }
    currentCode_ = KXTreeView->GetNodeID(node);
    currentName_ = KXTreeView->GetNodeName(node);
    RefreshEmployeeQuery();
}

void TEmployeeForm::RefreshEmployeeQuery() {
    if (!(Query->Active() && lastOpenedCode_ == currentCode_)) {
        const QString subtree = SelectedNode && SelectedNode->parent()
                                    ? CompanyPrefixClause(currentCode_, Level(SelectedNode))
                                    : QString();
        lastOpenedCode_ = currentCode_;
        if (OrderByText.isEmpty() && columns_.Sort.Captions.size() > 1)
            OrderByText = SelectSortOrder(columns_.Sort.Captions, columns_.Sort.Fields, {},
                                          QStringLiteral("排序方式选择"));
        if (OrderByText.isEmpty())
            OrderByText = kDefaultEmployeeOrder;
        Query->CloseQuery();
        Query->SQL().SetText(EmployeeListSelect(findCondition_, subtree, OrderByText));
        Query->DisableControls();
        QyDept->Close();
        QyDept->Open();
        Query->OpenQuery();
        for (const char* column : {"EMPLOYEE_ID", "EMPLOYEE_NAME", "CREATE_NAME", "CREATE_DATE",
                                   "EDIT_NAME", "EDIT_DATE"})
            Query->FieldByName(QString::fromLatin1(column))->SetVisible(true);
        Query->EnableControls();
        // Laid out while the controls were off, the grid had no columns yet.
        DBGrid1->LaidOut = false;
        DBGrid1->ApplyLayout();
        DBGrid1->SumList()->RecalculateSums();
    }
    Label1->setText(labelText_);
}

void TEmployeeForm::ApplyFieldVisibility() {
    Query->CloseQuery();
    const TEmployeeFieldRows rows = ReadEmployeeFieldRows(*QyField);
    const QStringList order = EmployeeFieldOrder(rows);
    for (int i = 0; i < order.size(); ++i) {
        db::TField* field = Query->FindField(order[i]);
        if (!field)
            continue;
        field->SetIndex(i);
        field->SetVisible(i == 0);
    }
    for (const TEmployeeFieldRow& row : rows)
        if (db::TField* field = Query->FindField(row.FieldName))
            field->SetVisible(true);
    for (const char* column :
         {"EMPLOYEE_ID", "EMPLOYEE_NAME", "CREATE_NAME", "CREATE_DATE", "EDIT_NAME", "EDIT_DATE"})
        Query->FieldByName(QString::fromLatin1(column))->SetVisible(true);
}

void TEmployeeForm::ResetFieldArrays() {
    LoadFieldDefinitions();
    FieldsData = columns_.Fields;
    Query->SetFieldsData(FieldsData);
    DBGrid1->SetFieldsData(FieldsData);
    FindFormDialog->SetFieldsData(FieldsData);
}

void TEmployeeForm::LoadFieldDefinitions() {
    columns_ = BuildEmployeeColumns(ReadEmployeeFieldRows(*QyField));
}

void TEmployeeForm::button_findClick() {
    if (!FindFormDialog->Execute())
        return;
    if (FindFormDialog->GetAllData())
        findCondition_.clear();
    else
        findCondition_ = "(" + FindFormDialog->GetConditionList().join(QString()) + ")";
    labelText_ = kFindLabel + FindFormDialog->GetConditionText();
    lastOpenedCode_.clear();
    OrderByText.clear();
    RefreshEmployeeQuery();
}

void TEmployeeForm::FindFormDialogPopupWindow(QString& value, QString& code, QString& fieldName) {
    using TPicker = void (*)(QString&, QString&, const QString&);
    static constexpr TPicker kPickers[] = {
        PickEmployeeTextValue1,  PickEmployeeTextValue2,  PickEmployeeTextValue3,
        PickEmployeeTextValue4,  PickEmployeeTextValue5,  PickEmployeeTextValue6,
        PickEmployeeTextValue7,  PickEmployeeTextValue8,  PickEmployeeTextValue9,
        PickEmployeeTextValue10, PickEmployeeTextValue11, PickEmployeeTextValue12};
    for (int n = 1; n <= 12; ++n) {
        const QString column = QStringLiteral("EMPLOYEE_TEXT_FIELD%1").arg(n);
        if (fieldName == column) {
            kPickers[n - 1](value, code, AppFieldCaptions.value(column));
            return;
        }
    }
}

void TEmployeeForm::OpenEntryWindow(bool addOnShow, bool editOnShow) {
    const std::unique_ptr<TEditEmployeeForm> editor(
        TKXFormEvents::Create<TEditEmployeeForm>(nullptr));
    editor->ListQuery = Query;
    editor->Rights = Rights;
    editor->DeptID = currentCode_;
    editor->DeptPath = GetCompanyPath2(currentCode_);
    editor->FieldDataSet = QyField;
    editor->AddOnShow = addOnShow;
    editor->EditOnShow = editOnShow;
    editor->CheckData = CheckData;
    editor->DeleteEmployee = [this] { DeleteCurrentEmployee(); };
    ForceForegroundFocus(editor.get());
    editor->ShowModal();
}

void TEmployeeForm::button_addClick(QObject* /*sender*/) {
    if (OnlyRoot()) {
        ShowPromptMessage(QStringLiteral(
            "必须先关闭这个窗口，然后打开“公司部门资料录入编辑”窗口输入部门名称资料"));
        return;
    }
    if (!SelectedNode || !SelectedNode->parent()) {
        ShowPromptMessage(kChooseDept);
        return;
    }
    OpenEntryWindow(true, false);
}

void TEmployeeForm::button_editClick(QObject* /*sender*/) {
    if (OnlyRoot()) {
        ShowPromptMessage(kNoDeptsForEdit);
        return;
    }
    if (!SelectedNode) {
        ShowPromptMessage(kChooseDept);
        return;
    }
    if (!Query->Active() || Query->IsEmpty()) {
        ShowPromptMessage(QStringLiteral("没有员工资料"));
        return;
    }
    OpenEntryWindow(false, true);
}

void TEmployeeForm::DBGrid1DblClick() {
    if (OnlyRoot()) {
        ShowPromptMessage(kNoDeptsForEdit);
        return;
    }
    if (!SelectedNode || ((!Query->Active() || Query->IsEmpty()) && !SelectedNode->parent())) {
        ShowPromptMessage(kChooseDept);
        return;
    }
    OpenEntryWindow(false, false);
}

// The attachment rows go with the employee in one transaction; the stored
// copies only once it has committed.
void TEmployeeForm::button_deleteClick(QObject* /*sender*/) {
    DeleteCurrentEmployee();
}

void TEmployeeForm::DeleteCurrentEmployee() {
    if (!Query->Active() || Query->IsEmpty())
        return;
    if (!Query->NoDeleteConfirm && !ShowConfirmMessage(QStringLiteral("请确认是否删除")))
        return;
    Query->NoDeleteConfirm = false;
    const auto text = [this](const char* column) {
        return Query->FieldByName(QString::fromLatin1(column))->AsString();
    };
    const TEmployeeDeleteResult result = DeleteEmployeeWithAttachments(
        {text("COMPANY_ID"), text("EMPLOYEE_RECORD_ID"), text("EMPLOYEE_ID")});
    if (!result.Deleted) {
        ShowPromptMessage(result.Message);
        return;
    }
    ReopenAfterDelete(Query->RecNo());
    RemoveStoredCopies(result.StoredCopies);
}

void TEmployeeForm::ReopenAfterDelete(int recNo) {
    Query->CloseQuery();
    Query->OpenQuery();
    if (!Query->IsEmpty())
        Query->SetRecNo(std::min(recNo, Query->RecordCount()));
    DBGrid1->LaidOut = false;
    DBGrid1->ApplyLayout();
    DBGrid1->SumList()->RecalculateSums();
}

void TEmployeeForm::RemoveStoredCopies(const QStringList& recordIds) {
    TAttachmentStore().RemoveStoredCopies(recordIds);
}

void TEmployeeForm::button_checkClick(QObject* sender) {
    TKXDForm::button_checkClick(sender);
    if (!Query->Active() || Query->FieldByName(kEmployeeId)->AsString().isEmpty()) {
        ShowPromptMessage(QStringLiteral("没有员工记录"));
        return;
    }
    if (!deptPicker_)
        deptPicker_ = new TSelectDeptForm(this);
    deptPicker_->StartId = kRootID;
    deptPicker_->StartName = AppCompanyName;
    ForceForegroundFocus(deptPicker_);
    try {
        if (deptPicker_->exec() == QDialog::Accepted &&
            deptPicker_->SelectedId !=
                Query->FieldByName(QStringLiteral("COMPANY_ID"))->AsString()) {
            Query->InternalEdit = true;
            Query->EditRecord();
            Query->FieldByName(QStringLiteral("COMPANY_ID"))->SetAsString(deptPicker_->SelectedId);
            Query->PostRecord();
        }
    } catch (...) {
        if (Query->State() == db::dsInsert || Query->State() == db::dsEdit)
            Query->CancelRecord();
        throw;
    }
    if (Query->State() == db::dsInsert || Query->State() == db::dsEdit)
        Query->CancelRecord();
}

void TEmployeeForm::Button_OtherClick() {
    if (!AppSystemUser) {
        ShowPromptMessage(QStringLiteral("只有系统管理员才能设置"));
        return;
    }
    TSetEmployeeFieldForm layout(this);
    layout.FieldDataSet = QyField;
    ForceForegroundFocus(&layout);
    layout.exec();
    if (!layout.FieldsChanged)
        return;
    PanelBusy->setGeometry(DBGrid1->geometry());
    PanelBusy->show();
    PanelBusy->raise();
    const auto hideBusy = qScopeGuard([this] { PanelBusy->hide(); });
    QyField->CloseQuery();
    QyField->OpenQuery();
    Query->CloseQuery();
    DBGrid1->DeleteAllLayouts();
    DBGrid1->LaidOut = false;
    ApplyFieldVisibility();
    ResetFieldArrays();
    RefreshEmployeeQuery();
    DBGrid1->raise();
}

void TEmployeeForm::SpeedButton2Click() {
    if (!Query->Active() || Query->IsEmpty()) {
        ShowPromptMessage(QStringLiteral("没有员工记录，不能有员工电子文档"));
        return;
    }
    SpeedButton2->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { SpeedButton2->setEnabled(true); });
    OpenDocuments(GetCompanyPath2(Query->FieldByName(QStringLiteral("COMPANY_ID"))->AsString()),
                  Query->FieldByName(kEmployeeName)->AsString(),
                  Query->FieldByName(QStringLiteral("EMPLOYEE_RECORD_ID"))->AsString());
}

void TEmployeeForm::SpeedButton3Click() {
    if (!Query->Active() || Query->IsEmpty()) {
        ShowPromptMessage(QStringLiteral("没有员工记录,不能有员工图片资料"));
        return;
    }
    SpeedButton3->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { SpeedButton3->setEnabled(true); });
    OpenPictures(GetCompanyPath2(Query->FieldByName(QStringLiteral("COMPANY_ID"))->AsString()),
                 Query->FieldByName(kEmployeeName)->AsString(),
                 Query->FieldByName(QStringLiteral("EMPLOYEE_RECORD_ID"))->AsString());
}

void TEmployeeForm::OpenDocuments(const QString& headText, const QString& name,
                                  const QString& recordId) {
    ShowAttachments<TSelectEmployeeFileForm>(headText, name, recordId);
}

void TEmployeeForm::OpenPictures(const QString& headText, const QString& name,
                                 const QString& recordId) {
    ShowAttachments<TSelectEmployeePictureForm>(headText, name, recordId);
}

void TEmployeeForm::button_printClick() {
    TPrintChooserCall call;
    call.KindCaption1 = QStringLiteral("设置员工资料报表(报表模版)");
    call.PrintIndex = QStringLiteral("EmployeeFormMaster");
    call.PrintFields = columns_.PrintFields;
    call.DataSetLine1 = QStringLiteral("M,EmployeeForm.Query");
    call.List = Query;
    call.ExcelReportName = QStringLiteral("员工资料");
    call.ExcelColumnCount = static_cast<int>(columns_.PrintFields.size());
    ShowPrintChooser(call);
}

} // namespace kx::staff

#include "moc_employeeform.cpp"
