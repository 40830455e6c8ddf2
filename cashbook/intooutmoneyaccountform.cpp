#include "cashbook/intooutmoneyaccountform.h"
#include "cashbook/selectshowintooutmoneyaccountform.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/editintooutmoneydayform.h"
#include "cashbook/editintooutmoneymonthform.h"
#include "cashbook/setaccountdateform.h"
#include "cashbook/setstatusform.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/moneytext.h"
#include "core/options.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/findformdialog.h"
#include "frame/dialogs/selectmonthform.h"
#include "platform/db/updatesql.h"
#include "platform/ui/application.h"
#include "tablereport/printchoosercall.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace kx::cashbook {
namespace {

const QString kConditionCaption = QStringLiteral("查找条件：");
const QString kFindCaption = QStringLiteral("资金账号日台帐");
constexpr int kTreeWidth = 190;

// A bar whose one inner panel stays centred as the bar is resized.
QFrame* CentredBar(QWidget* parent, const char* name, const QList<QWidget*>& controls) {
    auto* bar = new QFrame(parent);
    bar->setObjectName(QString::fromLatin1(name));
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->addStretch(1);
    for (QWidget* control : controls)
        layout->addWidget(control);
    layout->addStretch(1);
    return bar;
}

TInsertData AutoValue(const char* field, const QString& value) {
    TInsertData entry;
    entry.FieldName = QString::fromLatin1(field);
    entry.DisplayLabel = entry.FieldName;
    entry.Kind = QStringLiteral("A");
    entry.Value = value;
    return entry;
}

} // namespace

TIntoOutMoneyAccountForm::TIntoOutMoneyAccountForm(QWidget* owner)
    : TKXDForm(owner), Panel4(new QFrame(Panel1)), KXTreeView(new TKXTreeView(Panel4)),
      Label1(new QLabel(kConditionCaption)), GridPages(new QStackedWidget), DBGrid1(new TKXNDBGrid),
      DBGrid2(new TKXNDBGrid), SpeedButton1(new QToolButton),
      RadioButton3(new QRadioButton(QStringLiteral("资金账号日台账"))),
      RadioButton4(new QRadioButton(QStringLiteral("资金账号月台账"))), QyMonth(new TKXQuery(this)),
      UpMonth(new db::TUpdateSQL(this)), DSMonth(new TKXDataSource(this)),
      QyFieldName(new db::TQuery(this)), QyMontyType(new db::TQuery(this)),
      FindFormDialog(new TFindFormDialog(this)) {
    // Print templates bind to the lists by this name.
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("资金账号台账管理窗口"));
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFixedWidth(kTreeWidth);
    auto* treeLayout = new QVBoxLayout(Panel4);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(KXTreeView);
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    KXTreeView->SetImages({style()->standardIcon(QStyle::SP_DirClosedIcon),
                           style()->standardIcon(QStyle::SP_DirOpenIcon),
                           style()->standardIcon(QStyle::SP_FileIcon)});

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setContentsMargins(10, 0, 0, 0);
    for (auto [grid, name] : {std::pair{DBGrid1, "DBGrid1"}, std::pair{DBGrid2, "DBGrid2"}}) {
        grid->setObjectName(QString::fromLatin1(name));
        GridPages->addWidget(grid);
    }
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("资金借贷明细资料"));
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    RadioButton4->setObjectName(QStringLiteral("RadioButton4"));
    RadioButton3->setChecked(true);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(Label1);
    right->addWidget(GridPages, 1);
    right->addWidget(CentredBar(Panel1, "Panel5", {SpeedButton1}));
    right->addWidget(CentredBar(Panel1, "Panel6", {RadioButton3, RadioButton4}));
    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel4);
    layout->addLayout(right, 1);

    QyMonth->setObjectName(QStringLiteral("QyMonth"));
    QyMonth->SetCachedUpdates(true);
    QyMonth->SetUpdateObject(UpMonth);
    UpMonth->setObjectName(QStringLiteral("UpMonth"));
    DSMonth->setObjectName(QStringLiteral("DSMonth"));
    DSMonth->SetDataSet(QyMonth);
    DSMonth->SetAutoEdit(false);
    DSMonth->SetActiveColor(true);
    // Both lists drive the same tool buttons; only the current view's list
    // changes state.
    for (TKXDataSource* source : {DS, DSMonth}) {
        source->ButtonAdd = button_add;
        source->ButtonEdit = button_edit;
        source->ButtonCheck = button_check;
        source->ButtonDelete = button_delete;
        source->ButtonCancel = button_cancel;
        source->ButtonSave = button_save;
        source->ButtonFind = button_find;
        source->ButtonPrior = button_Prior;
        source->ButtonNext = button_next;
        source->ButtonFirst = button_First;
        source->ButtonLast = button_Last;
        source->ButtonPrint = button_print;
    }
    QyFieldName->setObjectName(QStringLiteral("QyFieldName"));
    QyMontyType->setObjectName(QStringLiteral("QyMontyType"));

    button_check->setVisible(true);
    button_check->setText(QStringLiteral("审核"));
    Button_Other->setVisible(true);
    Button_Other->setText(QStringLiteral("设 置"));
    SetOnClick(button_find, [this](QObject* sender) { button_findClick(sender); });
    SetOnClick(Button_Other, [this](QObject* sender) { Button_OtherClick(sender); });
    SetOnClick(button_print, [this](QObject*) { button_printClick(); });
    connect(RadioButton3, &QRadioButton::clicked, this,
            ui::Guard([this] { SwitchView(TLedgerView::Day); }));
    connect(RadioButton4, &QRadioButton::clicked, this,
            ui::Guard([this] { SwitchView(TLedgerView::Month); }));
    connect(SpeedButton1, &QToolButton::clicked, this,
            ui::Guard([this] { SpeedButton1Click(SpeedButton1); }));
}

void TIntoOutMoneyAccountForm::FormCreate() {
    if (AppMainClientWidth > 0 && AppMainClientHeight > 0) {
        const QSize size(AppMainClientWidth - 10, AppMainClientHeight - 35);
        setMinimumSize(size);
        setMaximumSize(size);
        resize(size);
    }
    TKXDForm::FormCreate();
    CreateRules();
    SetUpGrid(DBGrid1, Query, TLedgerView::Day);
    SetUpGrid(DBGrid2, QyMonth, TLedgerView::Month);
    ProgramGroupName = QStringLiteral("出纳记账管理");
    ProgramName = QStringLiteral("资金账号台账录入编辑");
    Loading = true;
    FindFormDialog->ColorOnFocus = AppFocusColor;
    FindFormDialog->ColorNotOnFocus = AppEditColor;
    FindFormDialog->Color = AppEditColor;
    FindFormDialog->SetFieldsData(FieldsData);
    FindFormDialog->FieldSetTag = LedgerNames(TLedgerView::Day).FindMarker;
    QyMonth->SetStatusEditValue(kStatusUnverified);
    QyMonth->SqlType = urStandard;
    QyMonth->SetDatabaseName(kDatabaseName);
    SeedAndOpenLookups();
    CreateTree();
}

void TIntoOutMoneyAccountForm::CreateRules() {
    FieldsData = LedgerFieldsData(TLedgerView::Day, AppFinancialFormat);
    MonthFieldsData = LedgerFieldsData(TLedgerView::Month, AppFinancialFormat);
    DayPrintFields = LedgerPrintFields(TLedgerView::Day, FieldsData);
    MonthPrintFields = LedgerPrintFields(TLedgerView::Month, MonthFieldsData);
    CheckData = LedgerDuplicateCheck(TLedgerView::Day);
    for (TLedgerView view : {TLedgerView::Day, TLedgerView::Month}) {
        TKXQuery* list = ListOf(view);
        list->SetTableName(LedgerNames(view).Table);
        list->ActiveStatus = true;
        list->SetFieldsData(RulesOf(view));
        list->SetCheckData(view == TLedgerView::Day ? CheckData
                                                    : LedgerDuplicateCheck(TLedgerView::Month));
        HookListEvents(list, view);
    }
    WriteLedgerUpdateStatements(TLedgerView::Day, *UpdateSQL1);
    WriteLedgerUpdateStatements(TLedgerView::Month, *UpMonth);
}

void TIntoOutMoneyAccountForm::SetUpGrid(TKXNDBGrid* grid, TKXQuery* list, TLedgerView view) {
    grid->SetDataSource(view == TLedgerView::Day ? static_cast<db::TDataSource*>(DS) : DSMonth);
    grid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                     dgRowSelect | dgAlwaysShowSelection | dgConfirmDelete | dgCancelOnExit);
    grid->FormName = LedgerNames(view).LayoutName;
    grid->UserID = AppUserId;
    grid->DataBaseName = kDatabaseName;
    grid->SetLayoutTable(QStringLiteral("SYS_INTO_OUT_ACCOUNT_TABLE"));
    grid->SetSaveColumnOrder(true);
    grid->SetFieldsData(RulesOf(view));
    grid->ShowEmptyRows = true;
    grid->SetFooterRowCount(1);
    grid->SumList()->SetActive(true);
    grid->OnApplyCellAttr = [this](TKXNDBGrid*, db::TField* field, ui::TCanvas& canvas,
                                   TGridDrawState) { ApplyCellAttr(field, canvas); };
    grid->OnDblClick = [this, view](QObject*) { GridDblClick(view); };
    grid->OnMouseDown = [grid](QObject*, ui::TMouseButton button, ui::TShiftState, int, int) {
        if (button == ui::TMouseButton::mbRight)
            grid->RestoreDefaultLayout();
    };
    list->SetDBNGride(grid);
    list->SetKXDS(view == TLedgerView::Day ? DS : DSMonth);
}

void TIntoOutMoneyAccountForm::HookListEvents(TKXQuery* list, TLedgerView view) {
    list->BeforeInsert = [](db::TDataSet*) { RefreshToday(); };
    list->BeforeEdit = [](db::TDataSet*) { RefreshToday(); };
    list->AfterInsert = [this, list, view](db::TDataSet*) { ListAfterInsert(list, view); };
    list->AfterOpen = [this, list, view](db::TDataSet*) { PutFieldsInRuleOrder(list, view); };
    list->BeforePost = [this, list, view](db::TDataSet*) { ListBeforePost(list, view); };
}

// The slot rows are written by whichever window finds them missing first;
// the drill-down reads them and the subject names from here.
void TIntoOutMoneyAccountForm::SeedAndOpenLookups() {
    SeedDefaultFieldSlots(TSlotCaptions::Ledger);
    QyFieldName->SetDatabaseName(kDatabaseName);
    QyFieldName->SQL().SetText(
        QStringLiteral("SELECT  *  FROM  SYS_MONEY_FIELD_TABLE  ORDER BY FIELD_ORDER"));
    QyFieldName->Open();
    QyMontyType->SetDatabaseName(kDatabaseName);
    QyMontyType->SQL().SetText(
        QStringLiteral("SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME FROM KX_MONEY_INTO_OUT_TYPE_TABLE"));
    QyMontyType->Open();
}

void TIntoOutMoneyAccountForm::CreateTree() {
    KXTreeView->OnExpanding = [this](QObject*, TTreeNode* node, bool&) {
        KXTreeViewExpanding(node);
    };
    KXTreeView->OnChange = [this](QObject*, TTreeNode* node) { KXTreeViewChange(node); };
    KXTreeView->HookEvents();
    AccountId = kTreeRootId;
    KXTreeView->RootName = QStringLiteral("资金账号");
    KXTreeView->RootID = kTreeRootId;
    KXTreeView->SetDataBaseName(kDatabaseName);
    // The root can always be opened, accounts or not.
    KXTreeView->SetNodeSql(1, {}, {}, QStringLiteral("A"), {}, 0);
}

void TIntoOutMoneyAccountForm::FormShow() {
    TKXDForm::FormShow();
    ActiveQuery = Query;
    NavigationDataSet = Query;
    InsertData = {AutoValue("STATUS", kStatusUnverified), AutoValue("CREATE_NAME", AppUserName),
                  AutoValue("CREATE_DATE", AppToday)};
    EditData = {TEditData{QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), AppUserName},
                TEditData{QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), AppToday}};
    for (TKXQuery* list : {Query, QyMonth}) {
        list->SetInsertData(InsertData);
        list->SetEditData(EditData);
    }
    SetupQuery(QyMonth);
    SetupDataSource(DSMonth);
    Button_Other->setVisible(AppSystemUser);
    KXTreeView->BuildTree();
    if (KXTreeView->topLevelItemCount() > 0)
        KXTreeView->setCurrentItem(KXTreeView->topLevelItem(0));
    RunFirstFind();
}

void TIntoOutMoneyAccountForm::RunFirstFind() {
    FindFormDialog->Caption = kFindCaption;
    if (FindFormDialog->Execute()) {
        DayCondition = FindFormDialog->GetAllData()
                           ? QString()
                           : FindConditionSql(FindFormDialog->GetConditionList());
        ShowConditionLabel(kConditionCaption + FindFormDialog->GetConditionText());
    } else {
        DayCondition = kNoRowsCondition;
        ShowConditionLabel(kConditionCaption + QStringLiteral("不显示资料"));
    }
    DayConditionText = Label1->text();
    RefreshDayLedger();
}

void TIntoOutMoneyAccountForm::ShowConditionLabel(const QString& text) {
    Label1->setText(text);
    Label1->setToolTip(text);
}

TKXQuery* TIntoOutMoneyAccountForm::ListOf(TLedgerView view) const {
    return view == TLedgerView::Day ? Query : QyMonth;
}

TFieldsDataArray TIntoOutMoneyAccountForm::RulesOf(TLedgerView view) const {
    return view == TLedgerView::Day ? FieldsData : MonthFieldsData;
}

void TIntoOutMoneyAccountForm::RefreshDayLedger() {
    RefreshLedger(TLedgerView::Day);
}

void TIntoOutMoneyAccountForm::RefreshMonthLedger() {
    RefreshLedger(TLedgerView::Month);
}

void TIntoOutMoneyAccountForm::RefreshLedger(TLedgerView view) {
    if (view != view_)
        return;
    Loading = false;
    const QString condition = view == TLedgerView::Day ? DayCondition : MonthCondition;
    const QString sql =
        LedgerListSql(view, condition, LedgerAccountFilter(accountChosen_, AccountId));
    OrderByText = LedgerNames(view).OrderBy;
    TKXQuery* list = ListOf(view);
    list->CloseQuery();
    list->SQL().SetText(sql + OrderByText);
    list->OpenQuery();
    GridPages->setCurrentWidget(view == TLedgerView::Day ? DBGrid1 : DBGrid2);
}

void TIntoOutMoneyAccountForm::KXTreeViewExpanding(TTreeNode* node) {
    for (int which : {0, 1})
        KXTreeView->SetNodeSql(which, {}, {}, {}, {}, 0);
    if (node && !node->parent())
        KXTreeView->SetNodeSql(
            0,
            QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_ACCOUNT_NAME,ORDER_ID "
                           "FROM KX_MONEY_ACCOUNT_TABLE WHERE PRIOR_ID = 'G001'"),
            QStringLiteral(" ORDER BY ORDER_ID"), {}, {}, 0);
}

void TIntoOutMoneyAccountForm::KXTreeViewChange(TTreeNode* node) {
    if (!node) {
        Query->CloseQuery();
        accountChosen_ = false;
        AccountId = kTreeRootId;
        AccountName.clear();
        return;
    }
    accountChosen_ = node->parent() != nullptr;
    AccountId = accountChosen_ ? KXTreeView->GetNodeID(node) : kTreeRootId;
    AccountName = accountChosen_ ? KXTreeView->GetNodeName(node) : QString();
    if (Loading)
        return;
    RefreshDayLedger();
    RefreshMonthLedger();
}

void TIntoOutMoneyAccountForm::SwitchView(TLedgerView view) {
    const QString& text = view == TLedgerView::Day ? DayConditionText : MonthConditionText;
    ShowConditionLabel(text.isEmpty() ? kConditionCaption : text);
    view_ = view;
    ActiveQuery = ListOf(view);
    NavigationDataSet = ListOf(view);
    RefreshLedger(view);
}

void TIntoOutMoneyAccountForm::button_findClick(QObject* /*sender*/) {
    const QString& marker = LedgerNames(view_).FindMarker;
    if (FindFormDialog->FieldSetTag != marker) {
        FindFormDialog->SetFieldsData(RulesOf(view_));
        FindFormDialog->FieldSetTag = marker;
    }
    FindFormDialog->Caption = kFindCaption;
    if (!FindFormDialog->Execute())
        return;
    const QString condition = FindFormDialog->GetAllData()
                                  ? QString()
                                  : FindConditionSql(FindFormDialog->GetConditionList());
    ShowConditionLabel(kConditionCaption + FindFormDialog->GetConditionText());
    if (view_ == TLedgerView::Day) {
        DayCondition = condition;
        DayConditionText = Label1->text();
    } else {
        MonthCondition = condition;
        MonthConditionText = Label1->text();
    }
    RefreshLedger(view_);
}

void TIntoOutMoneyAccountForm::button_addClick(QObject* /*sender*/) {
    OpenEditor(view_, true, button_add);
}

void TIntoOutMoneyAccountForm::button_editClick(QObject* /*sender*/) {
    if (ListOf(view_)->Active() && !ListOf(view_)->IsEmpty())
        OpenEditor(view_, false, button_edit);
}

void TIntoOutMoneyAccountForm::GridDblClick(TLedgerView view) {
    if (view != view_ || (view == TLedgerView::Day && EditorOpen))
        return;
    TKXQuery* list = ListOf(view);
    if (!list->Active() || list->IsEmpty())
        return;
    EditorOpen = view == TLedgerView::Month;
    const auto closed = qScopeGuard([this] { EditorOpen = false; });
    OpenEditor(view, false, button_edit);
}

// The entry window works on this window's list, so the list follows each
// change at once.
void TIntoOutMoneyAccountForm::OpenEditor(TLedgerView view, bool adding, QToolButton* button) {
    const bool wasEnabled = button->isEnabled();
    button->setEnabled(false);
    const auto enableAgain = qScopeGuard([button, wasEnabled] { button->setEnabled(wasEnabled); });
    std::unique_ptr<TLedgerEntryForm> editor;
    if (view == TLedgerView::Day) {
        Query->SetUpdateObject(UpdateSQL1);
        editor.reset(TKXFormEvents::Create<TEditIntoOutMoneyDayForm>(nullptr));
    } else {
        QyMonth->SetUpdateObject(UpMonth);
        if (!MonthPicker)
            MonthPicker = new TSelectMonthForm(this);
        auto* monthEditor = TKXFormEvents::Create<TEditIntoOutMoneyMonthForm>(nullptr);
        monthEditor->MonthPicker = MonthPicker;
        editor.reset(monthEditor);
    }
    editor->AccountId = AccountId;
    editor->AccountName = AccountName;
    editor->Rights = Rights;
    editor->ListQuery = ListOf(view);
    editor->OpenAdding = adding;
    ForceForegroundFocus(editor.get());
    editor->ShowModal();
}

// Verifying stamps the ledger row only; the amounts stay as they are.
void TIntoOutMoneyAccountForm::button_checkClick(QObject* sender) {
    TKXQuery* list = ListOf(view_);
    if (!list->Active() || list->IsEmpty())
        return;
    Adding = false;
    Editing = false;
    TKXAppForm::button_checkClick(sender);
    TSetStatusForm dialog;
    dialog.KXComboBox1->addItems({kStatusUnverified, kStatusVerified});
    const QString current = list->FieldByName(QStringLiteral("STATUS"))->AsString();
    dialog.CurrentStatus = current;
    ForceForegroundFocus(&dialog);
    if (ui::ExecModal(dialog) != QDialog::Accepted)
        return;
    const QString chosen = dialog.KXComboBox1->currentText();
    if (chosen != current)
        list->SetVerifyStatus(chosen);
}

void TIntoOutMoneyAccountForm::SpeedButton1Click(QObject* /*sender*/) {
    TKXQuery* list = ListOf(view_);
    if (!list->Active() || list->IsEmpty())
        return;
    SpeedButton1->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { SpeedButton1->setEnabled(true); });
    const bool day = view_ == TLedgerView::Day;
    const std::unique_ptr<TSelectShowIntoOutMoneyAccountForm> records(
        TKXFormEvents::Create<TSelectShowIntoOutMoneyAccountForm>(nullptr));
    records->MasterList = list;
    records->IsDayLedger = day;
    records->FieldQuery = QyFieldName;
    records->SubjectLookup = QyMontyType;
    records->Rights = Rights;
    records->MasterPrintFields = day ? DayPrintFields : MonthPrintFields;
    ForceForegroundFocus(records.get());
    records->ShowModal();
}

void TIntoOutMoneyAccountForm::button_printClick() {
    TKXQuery* list = ListOf(view_);
    if (!list->Active() || list->IsEmpty())
        return;
    const bool day = view_ == TLedgerView::Day;
    TPrintChooserCall call;
    call.KindCaption1 = day ? QStringLiteral("设置资金账号日台账(报表模版)")
                            : QStringLiteral("设置资金账号月台账(报表模版)");
    call.PrintIndex = kFormName + (day ? u'1' : u'2');
    call.PrintFields = day ? DayPrintFields : MonthPrintFields;
    call.List = list;
    call.ReportDataSet = list;
    call.ExcelReportName =
        day ? QStringLiteral("资金账号日台账") : QStringLiteral("资金账号月台账");
    call.ExcelColumnCount = static_cast<int>(call.PrintFields.size());
    ShowPrintChooser(call);
}

void TIntoOutMoneyAccountForm::Button_OtherClick(QObject* /*sender*/) {
    TSetAccountDateForm dialog;
    ForceForegroundFocus(&dialog);
    ui::ExecModal(dialog);
}

void TIntoOutMoneyAccountForm::ApplyCellAttr(db::TField* field, ui::TCanvas& canvas) {
    ui::TColor brush = canvas.BrushColor();
    ui::TColor font = canvas.FontColor();
    LedgerCellColors(field->DataSet()->FieldByName(QStringLiteral("STATUS"))->AsString(), brush,
                     font);
    canvas.SetBrushColor(brush);
    canvas.SetFontColor(font);
}

// The columns stand as the rules list them, the account beside the period;
// a user's own column order is laid over this.
void TIntoOutMoneyAccountForm::PutFieldsInRuleOrder(TKXQuery* list, TLedgerView view) {
    int index = 0;
    for (const TFieldsData& rule : RulesOf(view)) {
        if (db::TField* field = list->FindField(rule.FieldName))
            field->SetIndex(index++);
    }
}

void TIntoOutMoneyAccountForm::ListAfterInsert(TKXQuery* list, TLedgerView view) {
    const QDate today = QDate::fromString(AppToday, Qt::ISODate);
    if (view == TLedgerView::Day)
        list->FieldByName(QStringLiteral("MONEY_DAY_DATE"))->SetAsString(AppToday);
    else
        list->FieldByName(QStringLiteral("MONEY_MONTH"))->SetAsString(LedgerMonthText(today));
}

// Empty amounts are stored as 0, and thousands separators are dropped.
void TIntoOutMoneyAccountForm::ListBeforePost(TKXQuery* list, TLedgerView view) {
    const TLedgerNames& names = LedgerNames(view);
    for (const QString& name :
         {names.PriorField, names.IntoField, names.OutField, names.TodayField}) {
        db::TField* field = list->FieldByName(name);
        field->SetAsFloat(MoneyTextToFloat(field->Text()));
    }
}

} // namespace kx::cashbook
