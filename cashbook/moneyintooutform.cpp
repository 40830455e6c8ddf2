#include "cashbook/moneyintooutform.h"

#include "cashbook/editintooutmoneyform.h"
#include "cashbook/setintooutmoneyfieldform.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/ledgerposting.h"
#include "cashbook/recordcolumns.h"
#include "cashbook/recordlistquery.h"
#include "cashbook/selectmoneytypeform.h"
#include "cashbook/setstatusform.h"
#include "cashbook/subjecttreesql.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/filefunctions.h"
#include "core/messages.h"
#include "core/moneytext.h"
#include "core/options.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kx3dlabel.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/companypickersql.h"
#include "frame/dialogs/findformdialog.h"
#include "frame/dialogs/lookuppickers.h"
#include "frame/dialogs/selectdeptform.h"
#include "frame/dialogs/selectemployeeform.h"
#include "frame/dialogs/selectitemform.h"
#include "platform/db/updatesql.h"
#include "platform/sys/numberformat.h"
#include "tablereport/printchoosercall.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace kx::cashbook {
namespace {

constexpr int kEntryCount = 38;
const QString kFindLabel = QStringLiteral("查找条件：");

// A data folder that takes no writes cannot get its default field rows: say
// so, rather than send the user to the field settings.
QString WithWriteFault(const QString& message) {
    const QString fault = AppDataFolder.isEmpty() ? QString() : DataFolderWriteFault(AppDataFolder);
    return fault.isEmpty() ? message : message + QStringLiteral("\r\n") + fault;
}
const QString kStatusField = QStringLiteral("STATUS");

// Fields the list shows whatever the slots say.
const QStringList kAlwaysShownAfterLayout = {
    "MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER", "MONEY_SUM_NUMBER", "MONEY_ID",
    "CREATE_NAME",       "VERIFY_NAME",      "VERIFY_DATE",      "STATUS",
    "CREATE_DATE",       "EDIT_NAME",        "EDIT_DATE"};
const QStringList kAlwaysShownAfterOpen = {"MONEY_ID",    "MONEY_DATE",  "CREATE_NAME",
                                           "VERIFY_DATE", "VERIFY_NAME", "CREATE_DATE",
                                           "EDIT_NAME",   "EDIT_DATE"};

TCheckData DuplicateCheck(const QString& column, const QString& message) {
    TCheckData check;
    check.Links[0] = TCheckFieldsData{column, column, {}, {}, QStringLiteral("C")};
    check.NumberField = column;
    check.Message = message;
    check.BaseSelect = "SELECT " + column + " FROM KX_INTO_OUT_MONEY_TABLE WHERE ";
    check.MustNotExist = true;
    return check;
}

TInsertData AutoValue(const QString& field, const QString& kind, int width,
                      const QString& value = {}) {
    TInsertData entry;
    entry.FieldName = field;
    entry.DisplayLabel = field;
    entry.Kind = kind;
    entry.Width = width;
    entry.Value = value;
    return entry;
}

void ShowFields(db::TDataSet& dataSet, const QStringList& names) {
    for (const QString& name : names)
        if (db::TField* field = dataSet.FindField(name))
            field->SetVisible(true);
}

// Runs the action when the scope ends, however it ends.
template <class Action> struct TFinally {
    Action action;
    ~TFinally() { action(); }
};
template <class Action> TFinally(Action) -> TFinally<Action>;

} // namespace

TMoneyIntoOutForm::TMoneyIntoOutForm(QWidget* owner)
    : TKXDForm(owner), UPStatus(new db::TUpdateSQL(this)), QyFieldName(new TKXQuery(this)),
      UPFieldName(new db::TUpdateSQL(this)), QyMoneyAccount(new db::TQuery(this)),
      QyMontyType(new db::TQuery(this)), Panel4(new QFrame(Panel1)),
      KXTreeView(new TKXTreeView(Panel4)), Panel3(new QFrame(Panel1)),
      KX3DLabel1(new TKX3DLabel(Panel3)), PanelShow(new QFrame(Panel1)),
      DBGrid1(new TKXNDBGrid(Panel1)), FindFormDialog(new TFindFormDialog(this)) {
    // Print templates bind to the list by this name.
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("资金借贷记录管理窗口"));
    UPStatus->setObjectName(QStringLiteral("UPStatus"));
    QyFieldName->setObjectName(QStringLiteral("QyFieldName"));
    UPFieldName->setObjectName(QStringLiteral("UPFieldName"));
    QyMoneyAccount->setObjectName(QStringLiteral("QyMoneyAccount"));
    QyMontyType->setObjectName(QStringLiteral("QyMontyType"));
    Panel4->setObjectName(QStringLiteral("Panel4"));
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    Panel3->setObjectName(QStringLiteral("Panel3"));
    KX3DLabel1->setObjectName(QStringLiteral("KX3DLabel1"));
    PanelShow->setObjectName(QStringLiteral("PanelShow"));
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    FindFormDialog->setObjectName(QStringLiteral("FindFormDialog"));

    button_check->setText(QStringLiteral("审核"));
    button_check->setVisible(true);
    button_close->setText(QStringLiteral("设 置"));
    button_closeNew = new QToolButton(ToolBar1);
    button_closeNew->setObjectName(QStringLiteral("button_closeNew"));
    button_closeNew->setText(QStringLiteral("关闭F12"));
    button_closeNew->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button_closeNew->setAutoRaise(true);
    button_closeNew->setMinimumSize(button_close->minimumSize());
    button_closeNew->setCursor(Qt::PointingHandCursor);
    button_closeNew->setFocusPolicy(Qt::NoFocus);
    auto* bar = static_cast<QHBoxLayout*>(ToolBar1->layout());
    bar->insertWidget(bar->indexOf(button_close) + 1, button_closeNew);
    for (QToolButton* hidden : {button_save, button_cancel})
        hidden->setVisible(false);
    // Save and cancel have no use here: no right may show them again.
    DS->ButtonSave = nullptr;
    DS->ButtonCancel = nullptr;

    KXTreeView->SetImages({style()->standardIcon(QStyle::SP_DirClosedIcon),
                           style()->standardIcon(QStyle::SP_DirOpenIcon),
                           style()->standardIcon(QStyle::SP_FileIcon)});
    auto* treeLayout = new QVBoxLayout(Panel4);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(KXTreeView);

    KX3DLabel1->SetAutoSize(false);
    KX3DLabel1->SetAlignment(Qt::AlignHCenter);
    KX3DLabel1->SetCaption(kFindLabel);
    KX3DLabel1->setMinimumHeight(KX3DLabel1->fontMetrics().height() + 6);
    auto* labelLayout = new QHBoxLayout(Panel3);
    // The label spans its panel less 5 pixels on each side.
    labelLayout->setContentsMargins(5, 2, 5, 2);
    labelLayout->addWidget(KX3DLabel1);

    auto* busy = new QLabel(QStringLiteral("正在处理数据......"), PanelShow);
    busy->setAlignment(Qt::AlignCenter);
    auto* busyLayout = new QVBoxLayout(PanelShow);
    busyLayout->addWidget(busy);

    auto* listArea = new QGridLayout;
    listArea->addWidget(PanelShow, 0, 0);
    listArea->addWidget(DBGrid1, 0, 0);
    DBGrid1->raise();
    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(Panel3);
    right->addLayout(listArea, 1);
    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel4, 1);
    layout->addLayout(right, 3);

    DBGrid1->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                        dgRowSelect | dgAlwaysShowSelection | dgConfirmDelete | dgCancelOnExit);
    DBGrid1->SetReadOnly(true);
    DBGrid1->SetFooterRowCount(1);
    DBGrid1->SumList()->SetActive(true);
    DBGrid1->SetDataSource(DS);
    DBGrid1->OnDblClick = [this](QObject*) { DBGrid1DblClick(); };
    DBGrid1->OnApplyCellAttr = [this](TKXNDBGrid*, db::TField* field, ui::TCanvas& canvas,
                                      TGridDrawState) { DBGrid1ApplyCellAttr(field, canvas); };

    QyMoneyAccount->SetDatabaseName(kDatabaseName);
    QyMoneyAccount->SQL().SetText(
        QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_ACCOUNT_NAME FROM KX_MONEY_ACCOUNT_TABLE"));
    QyMontyType->SetDatabaseName(kDatabaseName);
    QyMontyType->SQL().SetText(
        QStringLiteral("SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME FROM KX_MONEY_INTO_OUT_TYPE_TABLE"));
    AddRecordFields(this, *Query);
    calculator_ = std::make_unique<TRecordCalculator>(*Query);
    WriteRecordStatements(*UpdateSQL1);
    WriteStatusStatements(*UPStatus);

    QyFieldName->SetDatabaseName(kDatabaseName);
    QyFieldName->SetCachedUpdates(true);
    QyFieldName->SetUpdateObject(UPFieldName);
    QyFieldName->SQL().SetText(
        QStringLiteral("SELECT  *  FROM  SYS_MONEY_FIELD_TABLE  ORDER BY FIELD_ORDER"));
    const QStringList slotColumns = {"FIELD_NAME",       "FIELD_DISPLAY_NAME",  "FIELD_TYPE",
                                     "FIELD_WIDTH",      "FIELD_DISPLAY_WIDTH", "FIELD_FIND_TYPE",
                                     "FIELD_ORDER_TYPE", "FIELD_ORDER"};
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : slotColumns) {
        parameters.append(':' + column);
        assignments.append(column + " = :" + column + (column == slotColumns.last() ? "" : ","));
    }
    const QString slotKey = QStringLiteral("where FIELD_NAME = :OLD_FIELD_NAME");
    UPFieldName->InsertSQL().SetLines({"insert into SYS_MONEY_FIELD_TABLE",
                                       "(" + slotColumns.join(", ") + ")", "values",
                                       "(" + parameters.join(", ") + ")"});
    UPFieldName->ModifySQL().SetLines(QStringList{"update SYS_MONEY_FIELD_TABLE", "set"} +
                                      assignments + QStringList{slotKey});
    UPFieldName->DeleteSQL().SetLines({"delete from SYS_MONEY_FIELD_TABLE", slotKey});

    SetOnClick(button_find, [this](QObject*) { button_findClick(); });
    SetOnClick(button_closeNew, [this](QObject*) { button_closeNewClick(); });
    SetOnClick(button_print, [this](QObject*) { button_printClick(); });
}

TMoneyIntoOutForm::~TMoneyIntoOutForm() = default;

void TMoneyIntoOutForm::FormCreate() {
    if (AppMainClientHeight > 35 && AppMainClientWidth > 10) {
        setFixedHeight(AppMainClientHeight - 35);
        setMinimumWidth(AppMainClientWidth - 10);
        setMaximumWidth(AppMainClientWidth - 10);
    }
    TKXDForm::FormCreate();
    FieldsData.SetLength(kEntryCount);
    PrintFields.assign(kEntryCount, TPrintFields{});
    DBGrid1->ShowEmptyRows = true;
    DBGrid1->FormName = kFormName;
    DBGrid1->SetLayoutTable(QStringLiteral("SYS_MONEY_INTO_OUT_TABLE"));
    DBGrid1->DataBaseName = kDatabaseName;
    DBGrid1->UserID = AppUserId;
    DBGrid1->SetSaveColumnOrder(true);
    SetDuplicateChecks();
    ProgramGroupName = QStringLiteral("出纳记账管理");
    ProgramName = QStringLiteral("资金借贷记录录入编辑");
    TreeRefreshOff = true;

    Query->SetTableName(KX_INTO_OUT_MONEY_TABLE);
    Query->ActiveStatus = true;
    Query->SetKXDS(DS);
    Query->SetDBNGride(DBGrid1);
    Query->BeforeEdit = [this](db::TDataSet*) { QueryBeforeEdit(); };
    Query->BeforeInsert = [this](db::TDataSet*) { QueryBeforeInsert(); };
    Query->BeforePost = [this](db::TDataSet*) { QueryBeforePost(); };
    Query->OnCalcFields = [this](db::TDataSet*) {
        if (calculator_)
            calculator_->Calculate();
    };

    SeedDefaultFieldSlots(TSlotCaptions::List);
    QyFieldName->OpenQuery();
    if (GetSqlFirstValue(kDatabaseName,
                         QStringLiteral("SELECT  FIELD_NAME  FROM  SYS_MONEY_FIELD_TABLE WHERE "
                                        "FIELD_NAME = 'MONEY_ACCOUNT_NAME'"))
            .isEmpty())
        ShowPromptMessage(WithWriteFault(QStringLiteral("必须有个字段选择资金账号字段")));

    FindFormDialog->Caption = QStringLiteral("资金借贷记录");
    FindFormDialog->SqlType = urStandard;
    FindFormDialog->ColorOnFocus = AppFocusColor;
    FindFormDialog->ColorNotOnFocus = AppEditColor;
    FindFormDialog->Color = AppEditColor;
    FindFormDialog->FieldSetTag = QStringLiteral("GQueryFieldData");
    FindFormDialog->PopupWindow = [this](QString& text, QString& code, QString& fieldName) {
        FindFormDialogPopupWindow(text, code, fieldName);
    };
    AutoRecordNumber = IsOptionYes(QStringLiteral("借贷编号"));
    OrderFieldsByLayout();
    ResetColumns();

    KXTreeView->OnExpanding = [this](QObject*, TTreeNode* node, bool&) {
        KXTreeViewExpanding(node);
    };
    KXTreeView->OnChange = [this](QObject*, TTreeNode* node) { KXTreeViewChange(node); };
    KXTreeView->HookEvents();
    SubjectID = kTreeRootId;
    KXTreeView->RootName = QStringLiteral("借贷科目");
    KXTreeView->RootID = kTreeRootId;
    KXTreeView->SetDataBaseName(kDatabaseName);
    // The root can always be opened, subjects or not.
    KXTreeView->SetNodeSql(1, {}, {}, QStringLiteral("A"), {}, 0);
}

// Record numbers are unique program-wide unless numbering mode 3 lets
// them repeat; the internal number always is.
void TMoneyIntoOutForm::SetDuplicateChecks() {
    LoadNumberingMode();
    const TCheckData recordId =
        DuplicateCheck(QStringLiteral("MONEY_RECORD_ID"), QStringLiteral("内部编号重复"));
    if (AppNumberingMode == 3)
        CheckData = {recordId};
    else
        CheckData = {DuplicateCheck(QStringLiteral("MONEY_ID"), QStringLiteral("纪录编号重复")),
                     recordId};
    Query->SetCheckData(CheckData);
}

void TMoneyIntoOutForm::SetAutoValues() {
    InsertData = {};
    if (AutoRecordNumber)
        InsertData.Append(AutoValue(QStringLiteral("MONEY_ID"), QStringLiteral("M"), 12));
    for (const TInsertData& value :
         {AutoValue(QStringLiteral("CREATE_NAME"), QStringLiteral("A"), 0, AppUserName),
          AutoValue(QStringLiteral("CREATE_DATE"), QStringLiteral("A"), 0, AppToday),
          AutoValue(QStringLiteral("MONEY_DATE"), QStringLiteral("A"), 0, AppToday),
          AutoValue(kStatusField, QStringLiteral("A"), 0, kStatusUnverified),
          AutoValue(QStringLiteral("MONEY_RECORD_ID"), QStringLiteral("T"), 12)})
        InsertData.Append(value);
    Query->SetInsertData(InsertData);
}

void TMoneyIntoOutForm::FormShow() {
    TKXDForm::FormShow();
    SetAutoValues();
    EditData = {TEditData{QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), AppUserName},
                TEditData{QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), AppToday}};
    Query->SetEditData(EditData);
    if (!AppSystemUser)
        button_close->setVisible(false);
    KXTreeView->BuildTree();
    KXTreeView->setCurrentItem(KXTreeView->topLevelItem(0));
    if (FindFormDialog->Execute()) {
        FindCondition =
            FindConditionOf(FindFormDialog->GetConditionList(), FindFormDialog->GetAllData());
        ShowFindCondition(FindFormDialog->GetConditionText());
    } else {
        FindCondition = kNoRecordsCondition;
        OrderByText = kDateOrder;
        ShowFindCondition(QStringLiteral("不显示资料"));
    }
    RefreshRecordQuery();
}

void TMoneyIntoOutForm::ShowFindCondition(const QString& text) {
    KX3DLabel1->SetCaption(kFindLabel + text);
}

int TMoneyIntoOutForm::SelectedLevel() const {
    int level = 0;
    const TTreeNode* node = KXTreeView->currentItem();
    for (const TTreeNode* parent = node ? node->parent() : nullptr; parent;
         parent = parent->parent())
        ++level;
    return level;
}

void TMoneyIntoOutForm::RefreshRecordQuery() {
    TreeRefreshOff = false;
    if (Query->Active() && QueriedSubjectID == SubjectID)
        return;
    const int level = SelectedLevel();
    const QString subjectClause = level > 0 ? MoneyTypePrefixClause(SubjectID, level) : QString();
    QueriedSubjectID = SubjectID;
    const QString sql = RecordListSelect(FindCondition, subjectClause, QString());
    Query->DisableControls();
    TFinally enable{[this] {
        Query->EnableControls();
        if (Query->Active()) {
            DBGrid1->LaidOut = false;
            DBGrid1->ApplyLayout();
        }
    }};
    if (OrderByText.isEmpty() && SortFields.size() >= 2)
        OrderByText =
            SelectSortOrder(SortCaptions, SortFields, QString(), QStringLiteral("排序方式选择"));
    if (OrderByText.isEmpty())
        OrderByText = kDateOrder;
    Query->CloseQuery();
    // Names of accounts and subjects added since the last opening show too.
    QyMoneyAccount->Close();
    QyMoneyAccount->Open();
    QyMontyType->Close();
    QyMontyType->Open();
    calculator_->LoadNames(*QyMoneyAccount, *QyMontyType);
    Query->SQL().SetText(sql + OrderByText);
    Query->OpenQuery();
    ShowFields(*Query, kAlwaysShownAfterOpen);
}

void TMoneyIntoOutForm::ResetColumns() {
    TSortChoices sort;
    BuildListColumns(ReadFieldSlots(*QyFieldName), AppFinancialFormat, FieldsData, PrintFields,
                     sort);
    SortCaptions = sort.Captions;
    SortFields = sort.Fields;
    Query->SetFieldsData(FieldsData);
    DBGrid1->SetFieldsData(FieldsData);
    FindFormDialog->SetFieldsData(FieldsData);
}

void TMoneyIntoOutForm::OrderFieldsByLayout() {
    Query->CloseQuery();
    for (db::TField* field : Query->Fields())
        if (field->Index() > 0)
            field->SetVisible(false);
    // From the design order every time, so that the columns run after a
    // set-up as they do when the window opens anew.
    const QStringList order =
        kx::OrderFieldsByLayout(RecordFieldDesignOrder(), ReadFieldSlots(*QyFieldName));
    for (int position = 0; position < order.size(); ++position)
        Query->FieldByName(order[position])->SetIndex(position);
    ShowFields(*Query, kAlwaysShownAfterLayout);
}

void TMoneyIntoOutForm::ReloadAfterFieldSetup() {
    PanelShow->raise();
    QyFieldName->CloseQuery();
    QyFieldName->OpenQuery();
    Query->CloseQuery();
    DBGrid1->DeleteAllLayouts();
    // The statistics window lays its columns out from the same slots.
    ExecSqlText(kDatabaseName, QStringLiteral("DELETE FROM SYS_MONEY_INTO_OUT_TABLE"));
    ExecSqlText(kDatabaseName, QStringLiteral("DELETE FROM SYS_MONEY_INTO_OUT_QUERY_TABLE"));
    DBGrid1->LaidOut = false;
    OrderFieldsByLayout();
    ResetColumns();
    RefreshRecordQuery();
    DBGrid1->raise();
}

void TMoneyIntoOutForm::FormDestroy() {
    TKXDForm::FormDestroy();
    SortCaptions.clear();
    SortFields.clear();
    delete SubjectPicker;
    delete EmployeePicker;
    delete DeptPicker;
}

void TMoneyIntoOutForm::FormKeyDown(int& key, ui::TShiftState shift) {
    if (key == Qt::Key_F12) {
        if (ClickByKey(button_closeNew))
            key = 0;
        return;
    }
    TKXDForm::FormKeyDown(key, shift);
}

void TMoneyIntoOutForm::CreatePickers() {
    if (!SubjectPicker)
        SubjectPicker = new TSelectMoneyTypeForm;
    if (!EmployeePicker)
        EmployeePicker = new TSelectEmployeeForm;
    if (!DeptPicker) {
        DeptPicker = new TSelectDeptForm;
        DeptPicker->StartId = kTreeRootId;
        DeptPicker->StartName = AppCompanyName;
    }
}

void TMoneyIntoOutForm::OpenEntryWindow(bool adding) {
    CreatePickers();
    const std::unique_ptr<TEditIntoOutMoneyForm> entry(
        TKXFormEvents::Create<TEditIntoOutMoneyForm>(nullptr));
    entry->ListQuery = Query;
    entry->Rights = Rights;
    entry->FieldQuery = QyFieldName;
    entry->SubjectPicker = SubjectPicker;
    entry->EmployeePicker = EmployeePicker;
    entry->DeptPicker = DeptPicker;
    entry->SubjectId = SubjectID;
    entry->SubjectName = SubjectName;
    entry->AutoRecordNumber = AutoRecordNumber;
    entry->ListUpdateSQL = UpdateSQL1;
    entry->StatusUpdateSQL = UPStatus;
    entry->PrintFields = PrintFields;
    entry->OpenAdding = adding;
    ForceForegroundFocus(entry.get());
    entry->ShowModal();
    // The entry window sets checks and automatic values of its own on this
    // query; the list's come back when it has closed.
    Query->SetCheckData(CheckData);
    Query->SetInsertData(InsertData);
}

void TMoneyIntoOutForm::button_addClick(QObject* /*sender*/) {
    Query->SetUpdateObject(UpdateSQL1);
    OpenEntryWindow(true);
}

void TMoneyIntoOutForm::button_editClick(QObject* /*sender*/) {
    if (!Query->Active() || Query->IsEmpty()) {
        ShowPromptMessage(QStringLiteral("没有资金借贷记录资料"));
        return;
    }
    Query->SetUpdateObject(UpdateSQL1);
    OpenEntryWindow(false);
}

void TMoneyIntoOutForm::DBGrid1DblClick() {
    OpenEntryWindow(false);
}

void TMoneyIntoOutForm::button_deleteClick(QObject* sender) {
    Query->SetUpdateObject(UpdateSQL1);
    TKXDForm::button_deleteClick(sender);
}

void TMoneyIntoOutForm::button_checkClick(QObject* sender) {
    TKXDForm::button_checkClick(sender);
    if (!Query->Active() || Query->IsEmpty())
        return;
    TFinally attachRecordStatements{[this] { Query->SetUpdateObject(UpdateSQL1); }};
    const auto dialog = std::make_unique<TSetStatusForm>();
    dialog->KXComboBox1->addItems({kStatusUnverified, kStatusVerified});
    dialog->CurrentStatus = Query->FieldByName(kStatusField)->AsString();
    ForceForegroundFocus(dialog.get());
    if (dialog->exec() != QDialog::Accepted)
        return;
    const QString chosen = dialog->KXComboBox1->Text();
    if (chosen != dialog->CurrentStatus)
        VerifyRecord(chosen);
}

// The posting and the stamp go together: when either fails, neither the
// ledgers nor the record change.
void TMoneyIntoOutForm::VerifyRecord(const QString& status) {
    const QString date = Query->FieldByName(QStringLiteral("MONEY_DATE"))->AsString();
    if (date.isEmpty()) {
        ShowPromptMessage(QStringLiteral("没有: 账款日期不能审核"));
        return;
    }
    Query->SetUpdateObject(UPStatus);
    const auto amount = [this](const char* column) {
        return sys::FloatToStr(
            MoneyTextToFloat(Query->FieldByName(QString::fromLatin1(column))->AsString()));
    };
    const auto stamp = [this, &status] {
        Query->UserName = AppUserName;
        Query->Today = AppToday;
        // The stamp writes no edit values, so the row shows none it does
        // not store.
        Query->NotEdit = true;
        Query->SetVerifyStatus(status);
        return Query->Saved;
    };
    PostMoneyToLedgers(date, Query->FieldByName(QStringLiteral("MONEY_ACCOUNT_ID"))->AsString(),
                       Query->FieldByName(QStringLiteral("MONEY_ACCOUNT_NAME"))->AsString(),
                       amount("MONEY_INTO_NUMBER"), amount("MONEY_OUT_NUMBER"),
                       status == kStatusVerified, stamp);
}

void TMoneyIntoOutForm::button_findClick() {
    if (!FindFormDialog->Execute())
        return;
    FindCondition =
        FindConditionOf(FindFormDialog->GetConditionList(), FindFormDialog->GetAllData());
    ShowFindCondition(FindFormDialog->GetConditionText());
    QueriedSubjectID.clear();
    OrderByText.clear();
    RefreshRecordQuery();
}

void TMoneyIntoOutForm::button_printClick() {
    if (!Query->Active() || Query->IsEmpty())
        return;
    TPrintChooserCall call;
    call.KindCaption1 = QStringLiteral("设置资金借贷记录报表(报表模版)");
    call.PrintIndex = kFormName;
    call.PrintFields = PrintFields;
    call.DataSetLine1 = QStringLiteral("M,MoneyIntoOutForm.Query");
    call.DataSetLine2 = QStringLiteral("D,MoneyIntoOutForm.Query");
    call.List = Query;
    call.ExcelReportName = QStringLiteral("资金借贷记录报表");
    call.ExcelColumnCount = kEntryCount;
    call.FooterGrid = DBGrid1;
    ShowPrintChooser(call);
}

void TMoneyIntoOutForm::button_closeClick(QObject* /*sender*/) {
    OpenFieldSetup();
}

void TMoneyIntoOutForm::OpenFieldSetup() {
    TSetIntoOutMoneyFieldForm setup;
    setup.FieldQuery = QyFieldName;
    ForceForegroundFocus(&setup);
    setup.exec();
    if (setup.SlotsChanged)
        ReloadAfterFieldSetup();
}

void TMoneyIntoOutForm::button_closeNewClick() {
    close();
}

void TMoneyIntoOutForm::DBGrid1ApplyCellAttr(db::TField* field, ui::TCanvas& canvas) {
    if (!field)
        return;
    ColourRecordCell(field->DataSet()->FieldByName(kStatusField)->AsString(), canvas);
}

void TMoneyIntoOutForm::FindFormDialogPopupWindow(QString& text, QString& code,
                                                  QString& fieldName) {
    using TPicker = void (*)(QString&, QString&, const QString&);
    static const QHash<QString, TPicker> textPickers = {
        {"MONEY_TEXT_FIELD1", PickMoneyTextValue1}, {"MONEY_TEXT_FIELD2", PickMoneyTextValue2},
        {"MONEY_TEXT_FIELD3", PickMoneyTextValue3}, {"MONEY_TEXT_FIELD4", PickMoneyTextValue4},
        {"MONEY_TEXT_FIELD5", PickMoneyTextValue5}, {"MONEY_TEXT_FIELD6", PickMoneyTextValue6},
        {"MONEY_TEXT_FIELD7", PickMoneyTextValue7}};
    if (fieldName == QLatin1String("MONEY_ACCOUNT_NAME")) {
        SelectMoneyAccount(text, code);
    } else if (const TPicker pick = textPickers.value(fieldName)) {
        pick(text, code, AppFieldCaptions.value(fieldName));
    } else if (fieldName == QLatin1String("MONEY_DEPT_NAME")) {
        CreatePickers();
        SelectDeptCondition(*DeptPicker, text, code, QString());
    } else if (fieldName == QLatin1String("MONEY_EMPLOYEE_NAME")) {
        CreatePickers();
        SelectEmployeeName(*EmployeePicker, text, code);
    }
}

void TMoneyIntoOutForm::KXTreeViewExpanding(TTreeNode* node) {
    SetSubjectNodeSql(*KXTreeView, NodeLevel(node));
}

void TMoneyIntoOutForm::KXTreeViewChange(TTreeNode* node) {
    if (!node) {
        Query->CloseQuery();
        SubjectID = kTreeRootId;
        SubjectName.clear();
        return;
    }
    SubjectID = KXTreeView->GetNodeID(node);
    SubjectName = KXTreeView->GetNodeName(node);
    if (!TreeRefreshOff)
        RefreshRecordQuery();
}

void TMoneyIntoOutForm::QueryBeforeEdit() {
    RefreshToday();
}

void TMoneyIntoOutForm::QueryBeforeInsert() {
    RefreshToday();
}

// An empty amount is stored as 0.
void TMoneyIntoOutForm::QueryBeforePost() {
    for (const char* column : {"MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER"}) {
        db::TField* field = Query->FieldByName(QString::fromLatin1(column));
        field->SetAsFloat(MoneyTextToFloat(field->AsString()));
    }
}

} // namespace kx::cashbook
