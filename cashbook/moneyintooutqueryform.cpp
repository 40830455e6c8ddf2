#include "cashbook/moneyintooutqueryform.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/recordcolumns.h"
#include "cashbook/selectshowintooutmoneydetailform.h"
#include "cashbook/subjecttreesql.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/options.h"
#include "frame/controls/kx3dlabel.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/companypickersql.h"
#include "frame/dialogs/findformdialog.h"
#include "frame/dialogs/kxthread.h"
#include "frame/dialogs/lookuppickers.h"
#include "frame/dialogs/selectdeptform.h"
#include "frame/dialogs/selectemployeeform.h"
#include "platform/db/fieldtypes.h"
#include "platform/db/query.h"
#include "platform/db/updatesql.h"
#include "tablereport/printchoosercall.h"

#include <QHBoxLayout>
#include <QHash>
#include <QScopeGuard>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace kx::cashbook {
namespace {

constexpr int kRuleCount = 38;
constexpr int kPrintCount = 10;
const QString kFindLabel = QStringLiteral("查找条件：");

db::TField* AddResultField(QObject* owner, db::TDataSet& list, const QString& name,
                           db::TFieldType type, db::TFieldKind kind = db::fkData) {
    db::TField* field = db::CreateField(type, owner);
    field->SetFieldName(name);
    field->SetFieldKind(kind);
    if (type == db::ftString)
        field->SetSize(16);
    field->SetDataSet(&list);
    return field;
}

void WriteSlotStatements(db::TUpdateSQL& update) {
    const QStringList columns = {"FIELD_NAME",       "FIELD_DISPLAY_NAME",  "FIELD_TYPE",
                                 "FIELD_WIDTH",      "FIELD_DISPLAY_WIDTH", "FIELD_FIND_TYPE",
                                 "FIELD_ORDER_TYPE", "FIELD_ORDER"};
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : columns) {
        parameters.append(':' + column);
        assignments.append(column + " = :" + column + (column == columns.last() ? "" : ","));
    }
    const QString key = QStringLiteral("where FIELD_NAME = :OLD_FIELD_NAME");
    update.InsertSQL().SetLines({"insert into SYS_MONEY_FIELD_TABLE",
                                 "(" + columns.join(", ") + ")", "values",
                                 "(" + parameters.join(", ") + ")"});
    update.ModifySQL().SetLines(QStringList{"update SYS_MONEY_FIELD_TABLE", "set"} + assignments +
                                QStringList{key});
    update.DeleteSQL().SetLines({"delete from SYS_MONEY_FIELD_TABLE", key});
}

} // namespace

TMoneyIntoOutQueryForm::TMoneyIntoOutQueryForm(QWidget* owner)
    : TKXDForm(owner), QyFieldName(new TKXQuery(this)), UPFieldName(new db::TUpdateSQL(this)),
      QyMontyType(new db::TQuery(this)), Panel4(new QFrame(Panel1)),
      KXTreeView(new TKXTreeView(Panel4)), Panel3(new QFrame(Panel1)),
      KX3DLabel1(new TKX3DLabel(Panel3)), DBGrid1(new TKXNDBGrid(Panel1)),
      Panel5(new QFrame(Panel1)), SpeedButton4(new QToolButton(Panel5)),
      FindFormDialog(new TFindFormDialog(this)), KXThread(new TKXThread(this)) {
    // Print templates bind to the lists by this name.
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("资金借贷数据统计报表窗口"));
    QyFieldName->setObjectName(QStringLiteral("QyFieldName"));
    UPFieldName->setObjectName(QStringLiteral("UPFieldName"));
    QyMontyType->setObjectName(QStringLiteral("QyMontyType"));
    Panel4->setObjectName(QStringLiteral("Panel4"));
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    Panel3->setObjectName(QStringLiteral("Panel3"));
    KX3DLabel1->setObjectName(QStringLiteral("KX3DLabel1"));
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    Panel5->setObjectName(QStringLiteral("Panel5"));
    SpeedButton4->setObjectName(QStringLiteral("SpeedButton4"));
    FindFormDialog->setObjectName(QStringLiteral("FindFormDialog"));
    KXThread->setObjectName(QStringLiteral("KXThread"));

    button_find->setText(QStringLiteral("查找F10"));
    button_print->setText(QStringLiteral("打印F11"));
    button_close->setText(QStringLiteral("关闭F12"));
    for (QToolButton* hidden : {button_add, button_edit, button_delete, button_save, button_cancel,
                                button_check, Button_Other})
        hidden->setVisible(false);
    for (QToolButton* move : {button_First, button_Prior, button_next, button_Last})
        move->setVisible(true);
    // Nothing is edited here: no right may show those buttons again.
    DS->ButtonAdd = nullptr;
    DS->ButtonEdit = nullptr;
    DS->ButtonDelete = nullptr;
    DS->ButtonSave = nullptr;
    DS->ButtonCancel = nullptr;
    DS->ButtonCheck = nullptr;

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
    // The label spans its bar less 5 pixels on each side.
    labelLayout->setContentsMargins(5, 2, 5, 2);
    labelLayout->addWidget(KX3DLabel1);

    SpeedButton4->setText(QStringLiteral("资金借贷明细资料"));
    SpeedButton4->setToolButtonStyle(Qt::ToolButtonTextOnly);
    SpeedButton4->setMinimumWidth(
        SpeedButton4->fontMetrics().horizontalAdvance(SpeedButton4->text()) + 24);
    // The button stays centred in its bar whatever the bar's width.
    auto* buttonLayout = new QHBoxLayout(Panel5);
    buttonLayout->setContentsMargins(0, 2, 0, 2);
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(SpeedButton4);
    buttonLayout->addStretch(1);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(Panel3);
    right->addWidget(DBGrid1, 1);
    right->addWidget(Panel5);
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

    QyMontyType->SetDatabaseName(kDatabaseName);
    QyMontyType->SQL().SetText(
        QStringLiteral("SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME FROM KX_MONEY_INTO_OUT_TYPE_TABLE"));
    // The rows of a run live in the list's cache only: nothing is written to
    // the table, and reopening the list discards them.
    Query->SQL().SetText(QStringLiteral("SELECT  *  FROM  KX_INTO_OUT_MONEY_SUM_TABLE"));
    Query->SetUpdateObject(nullptr);
    AddResultField(this, *Query, QStringLiteral("MONEY_TYPE_ID"), db::ftString);
    db::TField* name =
        AddResultField(this, *Query, QStringLiteral("MONEY_TYPE_NAME"), db::ftString, db::fkLookup);
    name->SetSize(20);
    name->SetKeyFields(QStringLiteral("MONEY_TYPE_ID"));
    name->SetLookupKeyFields(QStringLiteral("MONEY_TYPE_ID"));
    name->SetLookupResultField(QStringLiteral("MONEY_TYPE_NAME"));
    name->SetLookupDataSet(QyMontyType);
    for (const char* amount : {"MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER", "MONEY_SUM_NUMBER"})
        AddResultField(this, *Query, QString::fromLatin1(amount), db::ftFloat);

    QyFieldName->SetDatabaseName(kDatabaseName);
    QyFieldName->SetCachedUpdates(true);
    QyFieldName->SetUpdateObject(UPFieldName);
    QyFieldName->SQL().SetText(
        QStringLiteral("SELECT  *  FROM  SYS_MONEY_FIELD_TABLE  ORDER BY FIELD_ORDER"));
    WriteSlotStatements(*UPFieldName);

    KXThread->SetCaption(QStringLiteral("正在统计......"));
    KXThread->SetKind(TOptionKind::crFind);

    SetOnClick(button_find, [this](QObject*) { button_findClick(); });
    SetOnClick(SpeedButton4, [this](QObject*) { SpeedButton4Click(); });
    SetOnClick(button_print, [this](QObject*) { button_printClick(); });
}

TMoneyIntoOutQueryForm::~TMoneyIntoOutQueryForm() = default;

void TMoneyIntoOutQueryForm::FormCreate() {
    if (AppMainClientHeight > 35 && AppMainClientWidth > 10) {
        setMinimumSize(AppMainClientWidth - 10, AppMainClientHeight - 35);
        setMaximumSize(AppMainClientWidth - 10, AppMainClientHeight - 35);
    }
    TKXDForm::FormCreate();
    FieldsData.SetLength(kRuleCount);
    PrintFields.assign(kPrintCount, TPrintFields{});
    DBGrid1->FormName = kFormName;
    DBGrid1->SetLayoutTable(QStringLiteral("SYS_MONEY_INTO_OUT_QUERY_TABLE"));
    DBGrid1->DataBaseName = kDatabaseName;
    DBGrid1->UserID = AppUserId;
    DBGrid1->SetSaveColumnOrder(true);
    DBGrid1->ShowEmptyRows = true;
    ProgramGroupName = QStringLiteral("出纳记账管理");
    ProgramName = QStringLiteral("资金借贷数据统计报表");
    Loading = true;
    Query->SetDBNGride(DBGrid1);
    Query->SetKXDS(DS);
    Query->BeforeInsert = [](db::TDataSet*) { RefreshToday(); };
    Query->BeforeEdit = [](db::TDataSet*) { RefreshToday(); };

    SeedDefaultFieldSlots(TSlotCaptions::List);
    QyFieldName->OpenQuery();

    FindFormDialog->Caption = QStringLiteral("资金借贷记录");
    FindFormDialog->SqlType = urStandard;
    FindFormDialog->ColorOnFocus = AppFocusColor;
    FindFormDialog->ColorNotOnFocus = AppEditColor;
    FindFormDialog->Color = AppEditColor;
    // A named field set offers "全部数据".
    FindFormDialog->FieldSetTag = kFormName;
    FindFormDialog->PopupWindow = [this](QString& text, QString& code, QString& fieldName) {
        FindFormDialogPopupWindow(text, code, fieldName);
    };
    ResetColumns();

    KXTreeView->OnExpanding = [this](QObject*, TTreeNode* node, bool&) {
        KXTreeViewExpanding(node);
    };
    KXTreeView->OnChange = [this](QObject*, TTreeNode* node) { KXTreeViewChange(node); };
    KXTreeView->HookEvents();
    SubjectId = kTreeRootId;
    KXTreeView->RootName = QStringLiteral("账款类别");
    KXTreeView->RootID = kTreeRootId;
    KXTreeView->SetDataBaseName(kDatabaseName);
    // The root can always be opened, subjects or not.
    KXTreeView->SetNodeSql(1, {}, {}, QStringLiteral("A"), {}, 0);
}

void TMoneyIntoOutQueryForm::ResetColumns() {
    BuildStatisticsColumns(ReadFieldSlots(*QyFieldName), AppFinancialFormat, FieldsData,
                           PrintFields);
    Query->SetFieldsData(FieldsData);
    DBGrid1->SetFieldsData(FieldsData);
    FindFormDialog->SetFieldsData(FieldsData);
}

void TMoneyIntoOutQueryForm::FormShow() {
    TKXDForm::FormShow();
    KXTreeView->BuildTree();
    if (KXTreeView->topLevelItemCount() > 0)
        KXTreeView->setCurrentItem(KXTreeView->topLevelItem(0));
    if (FindFormDialog->Execute()) {
        FindCondition = FindFormDialog->GetAllData()
                            ? QString()
                            : '(' + FindFormDialog->GetConditionList().join(QString()) + ')';
        ShowFindCondition(FindFormDialog->GetConditionText());
    } else {
        FindCondition = kNoRecordsCondition;
        ShowFindCondition(QStringLiteral("不显示资料"));
    }
    ComputeSubjectSums();
}

void TMoneyIntoOutQueryForm::FormDestroy() {
    TKXDForm::FormDestroy();
    delete DeptPicker;
    delete EmployeePicker;
}

void TMoneyIntoOutQueryForm::ShowFindCondition(const QString& text) {
    KX3DLabel1->SetCaption(kFindLabel + text);
}

void TMoneyIntoOutQueryForm::ComputeSubjectSums() {
    Loading = false;
    KXThread->SetProgressBar1(false);
    KXThread->SetProgressBar2(false);
    KXThread->Start();
    TSubjectSums sums;
    {
        const auto stop = qScopeGuard([this] { KXThread->Stop(); });
        sums = SumSubjects(
            SubjectId, FindCondition,
            [this](int position, int count) {
                if (position == 0) {
                    KXThread->SetProgressMax1(count);
                    KXThread->SetProgressBar1(true);
                }
                KXThread->SetProgress1(position);
            },
            this);
    }
    FillResultList(sums);
}

// All rows or none: a row that cannot be added leaves the list empty.
void TMoneyIntoOutQueryForm::FillResultList(const TSubjectSums& sums) {
    Query->DisableControls();
    // The grid lays its columns out once it hears of the open list again.
    const auto enable = qScopeGuard([this] {
        Query->EnableControls();
        if (Query->Active()) {
            DBGrid1->LaidOut = false;
            DBGrid1->ApplyLayout();
        }
    });
    Query->CloseQuery();
    QyMontyType->Close();
    QyMontyType->Open();
    Query->OpenQuery();
    try {
        for (const TSubjectSum& sum : sums) {
            Query->CacheOnly = true;
            Query->AppendRecord();
            Query->FieldByName(QStringLiteral("MONEY_TYPE_ID"))->SetAsString(sum.SubjectId);
            Query->FieldByName(QStringLiteral("MONEY_INTO_NUMBER"))->SetAsFloat(sum.Into);
            Query->FieldByName(QStringLiteral("MONEY_OUT_NUMBER"))->SetAsFloat(sum.Out);
            Query->FieldByName(QStringLiteral("MONEY_SUM_NUMBER"))->SetAsFloat(sum.Balance);
            Query->PostRecord();
        }
    } catch (...) {
        Query->CancelRecord();
        Query->CloseQuery();
        Query->OpenQuery();
        ForceForegroundFocus(this);
        throw;
    }
    Query->First();
}

void TMoneyIntoOutQueryForm::KXTreeViewExpanding(TTreeNode* node) {
    SetSubjectNodeSql(*KXTreeView, NodeLevel(node));
}

void TMoneyIntoOutQueryForm::KXTreeViewChange(TTreeNode* node) {
    if (!node) {
        Query->CloseQuery();
        SubjectId = kTreeRootId;
        SubjectName.clear();
        return;
    }
    SubjectId = KXTreeView->GetNodeID(node);
    SubjectName = KXTreeView->GetNodeName(node);
    if (!Loading)
        ComputeSubjectSums();
}

void TMoneyIntoOutQueryForm::button_findClick() {
    if (!FindFormDialog->Execute())
        return;
    FindCondition = FindFormDialog->GetAllData()
                        ? QString()
                        : '(' + FindFormDialog->GetConditionList().join(QString()) + ')';
    ShowFindCondition(FindFormDialog->GetConditionText());
    ComputeSubjectSums();
}

void TMoneyIntoOutQueryForm::FindFormDialogPopupWindow(QString& text, QString& code,
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
        if (!DeptPicker) {
            DeptPicker = new TSelectDeptForm;
            DeptPicker->StartId = kTreeRootId;
            DeptPicker->StartName = AppCompanyName;
        }
        SelectDeptCondition(*DeptPicker, text, code, QString());
    } else if (fieldName == QLatin1String("MONEY_EMPLOYEE_NAME")) {
        if (!EmployeePicker)
            EmployeePicker = new TSelectEmployeeForm;
        SelectEmployeeName(*EmployeePicker, text, code);
    }
}

// An empty result prints too: the templates can be set up before any
// record exists.
void TMoneyIntoOutQueryForm::button_printClick() {
    TPrintChooserCall call;
    call.KindCaption1 = QStringLiteral("设置资金借贷数据统计报表(报表模版)");
    call.PrintIndex = kFormName;
    call.PrintFields = PrintFields;
    call.DataSetLine1 = QStringLiteral("M,MoneyIntoOutQueryForm.Query");
    call.DataSetLine2 = QStringLiteral("D,MoneyIntoOutQueryForm.Query");
    call.List = Query;
    call.ExcelReportName = QStringLiteral("资金借贷数据统计报表");
    call.ExcelColumnCount = kPrintCount;
    call.FooterGrid = DBGrid1;
    ShowPrintChooser(call);
}

void TMoneyIntoOutQueryForm::SpeedButton4Click() {
    if (!Query->Active() || Query->IsEmpty())
        return;
    SpeedButton4->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { SpeedButton4->setEnabled(true); });
    const std::unique_ptr<TSelectShowIntoOutMoneyDetailForm> detail(
        TKXFormEvents::Create<TSelectShowIntoOutMoneyDetailForm>(nullptr));
    detail->ConditionText = KX3DLabel1->Caption();
    detail->FindCondition = FindCondition;
    detail->Rights = Rights;
    detail->FieldQuery = QyFieldName;
    detail->SubjectLookup = QyMontyType;
    detail->MasterList = Query;
    detail->MasterPrintFields = PrintFields;
    ForceForegroundFocus(detail.get());
    detail->ShowModal();
}

} // namespace kx::cashbook
