#include "staff/deptform.h"

#include "bandreport/brprintable.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/options.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxdbedit.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/selectitemqueryform.h"
#include "platform/db/field.h"
#include "platform/db/params.h"
#include "platform/db/query.h"
#include "platform/db/updatesql.h"
#include "platform/ui/tag.h"
#include "staff/deptprintrows.h"
#include "staff/deptreports.h"
#include "staff/deptrules.h"
#include "tablereport/kxexcel.h"
#include "tablereport/listreportlayout.h"
#include "tablereport/prevform.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kx::staff {
namespace {

const QString kChooseNode = QStringLiteral("必须选择一个节点");
const QString kTitle = QStringLiteral("岚衡出纳记账管理系统");
const QString kReportTitle = QStringLiteral("公司部门资料");
constexpr int kDeptNameBytes = 20;

const QStringList kColumns = {
    "COMPANY_ID",        "PRIOR_ID",         "COMPANY_NAME",  "COMPANY_CARD",
    "COMPANY_ADDRESS",   "COMPANY_POSTCODE", "COMPANY_PHONE", "COMPANY_FAX",
    "COMPANY_EMAIL",     "ACCOUNT_NUMBER",   "COMPANY_BANK",  "COMPANY_TAX_NUMBER",
    "COMPANY_PRINCIPAL", "ORDER_ID",         "NOTE",          "EDIT_NAME",
    "EDIT_DATE",         "CREATE_NAME",      "CREATE_DATE"};

QList<QIcon> FolderImages(const QStyle* style) {
    return {style->standardIcon(QStyle::SP_DirClosedIcon),
            style->standardIcon(QStyle::SP_DirOpenIcon), style->standardIcon(QStyle::SP_FileIcon)};
}

TFieldsData Field(const char* name, const char* label, bool required, const char* type = "C") {
    TFieldsData field;
    field.FieldName = QString::fromLatin1(name);
    field.DisplayLabel = QString::fromUtf8(label);
    field.TypeCode = QString::fromLatin1(type);
    field.Required = required;
    field.Visible = true;
    return field;
}

TCheckData DuplicateCheck(const QStringList& columns, const QString& message, QWidget* control) {
    TCheckData check;
    for (int i = 0; i < columns.size(); ++i)
        check.Links[i] = TCheckFieldsData{columns[i], columns[i], {}, {}, QStringLiteral("C")};
    check.NumberField = columns.last();
    check.Message = message;
    check.BaseSelect = QStringLiteral("SELECT COMPANY_ID FROM SYS_COMPANY_TABLE WHERE ");
    check.MustNotExist = true;
    // A number the user typed is refused, not silently replaced by the next
    // free one.
    check.NoRenumber = true;
    check.Control = control;
    return check;
}

TInsertData AutoValue(const char* field, const char* kind, int width, const QString& value = {}) {
    TInsertData entry;
    entry.FieldName = QString::fromLatin1(field);
    entry.DisplayLabel = entry.FieldName;
    entry.Kind = QString::fromLatin1(kind);
    entry.Width = width;
    entry.Value = value;
    return entry;
}

int Level(const TTreeNode* node) {
    int level = 0;
    for (const TTreeNode* parent = node->parent(); parent; parent = parent->parent())
        ++level;
    return level;
}

} // namespace

TDeptForm::TDeptForm(QWidget* owner)
    : TKXDForm(owner), Panel4(new QFrame(Panel1)), KXTreeView(new TKXTreeView(Panel4)),
      PageControl1(new QStackedWidget(Panel1)), QyPrint(new db::TQuery(this)),
      RepDept(new TDeptReport(this, QyPrint, false)),
      RepDeptOrder(new TDeptReport(this, QyPrint, true)), currentCode_(kCompanyRootID) {
    setWindowTitle(QStringLiteral("公司部门资料录入编辑窗口"));
    setMinimumSize(758, 498);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(758, 498);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    KXTreeView->SetImages(FolderImages(style()));
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto* treeLayout = new QVBoxLayout(Panel4);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(KXTreeView);

    TabSheetCompany = BuildCompanyPage();
    TabSheetDept = BuildDeptPage();
    PageControl1->addWidget(TabSheetCompany);
    PageControl1->addWidget(TabSheetDept);
    PanelAudit = BuildAuditStrip();
    auto* right = new QVBoxLayout;
    right->addWidget(PageControl1, 1);
    right->addWidget(PanelAudit);
    auto* layout = new QHBoxLayout(Panel1);
    layout->addWidget(Panel4, 2);
    layout->addLayout(right, 3);

    connect(KXTreeView, &QTreeWidget::itemCollapsed, this,
            [this](TTreeNode* node) { KXTreeViewCollapsing(node); });
    connect(KXTreeView, &QTreeWidget::itemClicked, this, [this] { KXTreeViewClick(); });
    button_find->setVisible(false);
    DS->ButtonFind = nullptr;
    SetOnClick(button_print, [this](QObject*) { button_printClick(); });
    QyPrint->setObjectName(QStringLiteral("QyPrint"));
    QyPrint->SetDatabaseName(kDatabaseName);
    QyPrint->SQL().SetText(
        QStringLiteral("SELECT  *  FROM  SYS_COMPANY_TABLE WHERE ORDER_ID = :ORDER_ID"));
    QyPrint->SetRequestLive(true);
    QyPrint->SetCachedUpdates(true);
    RepDept->OnPreview = [this](QObject* sender) { RepPreview(sender, false); };
    RepDeptOrder->OnPreview = [this](QObject* sender) { RepPreview(sender, true); };
}

TKXDBEdit* TDeptForm::AddEdit(QGridLayout* grid, int row, int column, const QString& caption,
                              const QString& field) {
    QWidget* page = grid->parentWidget();
    auto* label = new QLabel(caption, page);
    label->setObjectName("Label" + field);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* edit = new TKXDBEdit(page);
    edit->setObjectName(field);
    edit->SetDataSource(DS);
    edit->SetDataField(field);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1);
    return edit;
}

QGroupBox* TDeptForm::BuildDeptPage() {
    auto* page = new QGroupBox(QStringLiteral("部门资料"), PageControl1);
    page->setObjectName(QStringLiteral("TabSheetDept"));
    auto* grid = new QGridLayout(page);
    KXDBEditDeptOrder = AddEdit(grid, 0, 0, QStringLiteral("序号"), QStringLiteral("ORDER_ID"));
    KXDBEditDeptName =
        AddEdit(grid, 1, 0, QStringLiteral("部门名称"), QStringLiteral("COMPANY_NAME"));
    KXDBEditDeptName->SetMaxLength(kDeptNameBytes);
    KXDBEditDeptPhone =
        AddEdit(grid, 2, 0, QStringLiteral("部门电话"), QStringLiteral("COMPANY_PHONE"));
    KXDBEditDeptNote = AddEdit(grid, 3, 0, QStringLiteral("备注"), QStringLiteral("NOTE"));
    KXDBEditDeptOrder->setObjectName(QStringLiteral("KXDBEditDeptOrder"));
    KXDBEditDeptName->setObjectName(QStringLiteral("KXDBEditDeptName"));
    KXDBEditDeptPhone->setObjectName(QStringLiteral("KXDBEditDeptPhone"));
    KXDBEditDeptNote->setObjectName(QStringLiteral("KXDBEditDeptNote"));
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QGroupBox* TDeptForm::BuildCompanyPage() {
    auto* page = new QGroupBox(QStringLiteral("公司资料"), PageControl1);
    page->setObjectName(QStringLiteral("TabSheetCompany"));
    auto* grid = new QGridLayout(page);
    KXDBEditCompanyName =
        AddEdit(grid, 0, 0, QStringLiteral("公司名称"), QStringLiteral("COMPANY_NAME"));
    KXDBEditPostcode =
        AddEdit(grid, 1, 0, QStringLiteral("邮编"), QStringLiteral("COMPANY_POSTCODE"));
    KXDBEditFax = AddEdit(grid, 2, 0, QStringLiteral("传真"), QStringLiteral("COMPANY_FAX"));
    KXDBEditPhone = AddEdit(grid, 3, 0, QStringLiteral("电话"), QStringLiteral("COMPANY_PHONE"));
    KXDBEditAddress =
        AddEdit(grid, 4, 0, QStringLiteral("单位地址"), QStringLiteral("COMPANY_ADDRESS"));
    KXDBEditEmail = AddEdit(grid, 5, 0, QStringLiteral("E_MAIL"), QStringLiteral("COMPANY_EMAIL"));
    KXDBEditBank = AddEdit(grid, 6, 0, QStringLiteral("开户银行"), QStringLiteral("COMPANY_BANK"));
    KXDBEditAccount =
        AddEdit(grid, 7, 0, QStringLiteral("公司帐号"), QStringLiteral("ACCOUNT_NUMBER"));
    KXDBEditCompanyNote = AddEdit(grid, 8, 0, QStringLiteral("备注"), QStringLiteral("NOTE"));
    KXDBEditCompanyName->setObjectName(QStringLiteral("KXDBEditCompanyName"));
    KXDBEditCompanyNote->setObjectName(QStringLiteral("KXDBEditCompanyNote"));
    KXDBEditPhone->setObjectName(QStringLiteral("KXDBEditPhone"));
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(9, 1);
    return page;
}

QFrame* TDeptForm::BuildAuditStrip() {
    auto* strip = new QFrame(Panel1);
    strip->setObjectName(QStringLiteral("PanelAudit"));
    strip->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* grid = new QGridLayout(strip);
    const struct {
        const char* caption;
        const char* field;
        int row;
        int column;
    } stamps[] = {{"修改人员", "EDIT_NAME", 0, 0},
                  {"修改日期", "EDIT_DATE", 0, 2},
                  {"建档人员", "CREATE_NAME", 1, 0},
                  {"建档日期", "CREATE_DATE", 1, 2}};
    for (const auto& stamp : stamps) {
        TKXDBEdit* edit = AddEdit(grid, stamp.row, stamp.column, QString::fromUtf8(stamp.caption),
                                  QString::fromLatin1(stamp.field));
        // Read-only in every state: the query writes the stamps.
        ui::SetTag(edit, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return strip;
}

void TDeptForm::WriteUpdateStatements() {
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : kColumns) {
        parameters.append(':' + column);
        assignments.append(column + " = :" + column + (column == kColumns.last() ? "" : ","));
    }
    const QString where =
        QStringLiteral("where COMPANY_ID = :OLD_COMPANY_ID and PRIOR_ID = :OLD_PRIOR_ID");
    UpdateSQL1->InsertSQL().SetLines({"insert into SYS_COMPANY_TABLE",
                                      "(" + kColumns.join(", ") + ")", "values",
                                      "(" + parameters.join(", ") + ")"});
    UpdateSQL1->ModifySQL().SetLines(QStringList{"update SYS_COMPANY_TABLE", "set"} + assignments +
                                     QStringList{where});
    UpdateSQL1->DeleteSQL().SetLines({"delete from SYS_COMPANY_TABLE", where});
}

void TDeptForm::FormCreate() {
    TKXDForm::FormCreate();
    FieldsData = {Field("ORDER_ID", "序号", true),
                  Field("COMPANY_ID", "纪录编号", true),
                  Field("COMPANY_NAME", "单位名称", true),
                  Field("COMPANY_ADDRESS", "单位地址", false),
                  Field("COMPANY_POSTCODE", "邮编", false),
                  Field("COMPANY_PHONE", "电话", false),
                  Field("COMPANY_FAX", "传真", false),
                  Field("COMPANY_EMAIL", "电子邮箱", false),
                  Field("ACCOUNT_NUMBER", "银行账号", false),
                  Field("COMPANY_BANK", "开户银行", false),
                  Field("PRIOR_ID", "PRIOR_ID", true),
                  Field("NOTE", "备注", false),
                  Field("CREATE_NAME", "建档人员", false),
                  Field("CREATE_DATE", "建档日期", false, "D"),
                  Field("EDIT_NAME", "修改人员", false),
                  Field("EDIT_DATE", "修改日期", false, "D")};
    CheckData = {
        DuplicateCheck({"PRIOR_ID", "ORDER_ID"}, QStringLiteral("序号重复"), KXDBEditDeptOrder),
        DuplicateCheck({"COMPANY_ID"}, QStringLiteral("纪录编号重复"), nullptr)};
    Query->SetFieldsData(FieldsData);
    Query->SetCheckData(CheckData);
    Query->SetTableName(QStringLiteral("SYS_COMPANY_TABLE"));
    Query->SetKXDS(DS);
    WriteUpdateStatements();
    ProgramGroupName = QStringLiteral("基本数据录入编辑");
    ProgramName = QStringLiteral("单位部门资料录入编辑");

    KXTreeView->OnExpanding = [this](QObject*, TTreeNode* node, bool&) {
        KXTreeViewExpanding(node);
    };
    KXTreeView->OnChange = [this](QObject*, TTreeNode* node) { KXTreeViewChange(node); };
    KXTreeView->HookEvents();
    QyPrint->ParamByName(QStringLiteral("ORDER_ID"))->SetAsInteger(0);
    QyPrint->Open();
    Query->AfterInsert = [this](db::TDataSet*) { QueryAfterInsert(); };
    Query->AfterEdit = [this](db::TDataSet*) { QueryAfterEdit(); };
    DS->OnStateChange = [this](db::TDataSource*) { DSStateChange(); };
    OrderByText = QStringLiteral(" ORDER BY ORDER_ID");
    currentCode_ = kCompanyRootID;
    InsertData = {AutoValue("COMPANY_ID", "C", 3), AutoValue("CREATE_NAME", "A", 0),
                  AutoValue("CREATE_DATE", "A", 0), AutoValue("ORDER_ID", "C", 0)};

    KXTreeView->SetDataBaseName(kDatabaseName);
    KXTreeView->RootID = kCompanyRootID;
    KXTreeView->RootName = AppCompanyName.isEmpty() ? QStringLiteral("公司名称") : AppCompanyName;
    // The root can always be opened, departments or not.
    KXTreeView->SetNodeSql(1, {}, {}, QStringLiteral("A"), {}, 0);
    KXTreeView->BuildTree();
    if (KXTreeView->topLevelItemCount() > 0) {
        SelectedNode = KXTreeView->topLevelItem(0);
        KXTreeView->setCurrentItem(SelectedNode);
        OpenCurrentDept();
    }
}

void TDeptForm::FormShow() {
    TKXDForm::FormShow();
    InsertData[1].Value = AppUserName;
    InsertData[2].Value = AppToday;
    Query->SetInsertData(InsertData);
    EditData = {TEditData{QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), AppUserName},
                TEditData{QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), AppToday}};
    Query->SetEditData(EditData);
    ShowPageFor(SelectedNode);
    KXTreeView->setFocus();
}

// New codes count on among the parent's children, behind the parent's code.
void TDeptForm::SetCounterScope(const QString& parentCode) {
    const QString scope = "  PRIOR_ID = " + QuotedStr(parentCode);
    InsertData[0].Prefix = parentCode == kCompanyRootID ? QString() : parentCode;
    InsertData[0].ExtraWhere = scope;
    InsertData[3].ExtraWhere = scope;
}

void TDeptForm::OpenCurrentDept() {
    if (Query->State() == db::dsInsert || Query->State() == db::dsEdit)
        return;
    if (Query->Active() && !Query->IsEmpty() &&
        Query->FieldByName(QStringLiteral("COMPANY_ID"))->AsString() == currentCode_)
        return;
    Query->CloseQuery();
    Query->SQL().SetText("SELECT  *  FROM  SYS_COMPANY_TABLE WHERE COMPANY_ID = " +
                         QuotedStr(currentCode_) + OrderByText);
    Query->OpenQuery();
}

void TDeptForm::ShowPageFor(const TTreeNode* node) {
    PageControl1->setCurrentWidget(node && node->parent() ? TabSheetDept : TabSheetCompany);
}

void TDeptForm::KXTreeViewExpanding(TTreeNode* node) {
    for (int which : {0, 1})
        KXTreeView->SetNodeSql(which, {}, {}, {}, {}, 0);
    const QString children = QStringLiteral(
        "SELECT COMPANY_ID,COMPANY_NAME,ORDER_ID FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = ");
    if (Level(node) == 0)
        KXTreeView->SetNodeSql(0, children + QuotedStr(kCompanyRootID) + OrderByText, {}, {}, {},
                               0);
    else
        KXTreeView->SetNodeSql(0, children, OrderByText, QStringLiteral("C"), {}, 0);
    KXTreeView->SetNodeSql(
        1, QStringLiteral("SELECT Count(COMPANY_ID) FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = "), {},
        QStringLiteral("C"), {}, 0);
}

void TDeptForm::KXTreeViewChange(TTreeNode* node) {
    SelectedNode = node;
    if (!node) {
        Query->CloseQuery();
        currentCode_ = kCompanyRootID;
        return;
    }
    ShowPageFor(node);
    currentCode_ = KXTreeView->GetNodeID(node);
    OpenCurrentDept();
}

void TDeptForm::KXTreeViewCollapsing(TTreeNode* node) {
    node->setIcon(0, FolderImages(style()).front());
}

void TDeptForm::KXTreeViewClick() {
    ShowPageFor(SelectedNode);
}

void TDeptForm::QueryAfterInsert() {
    if (companyMode_) {
        Query->FieldByName(QStringLiteral("COMPANY_ID"))->SetAsString(kCompanyRootID);
        Query->FieldByName(QStringLiteral("PRIOR_ID"))->SetAsString(kCompanyRowParent);
        PageControl1->setCurrentWidget(TabSheetCompany);
        KXDBEditCompanyName->setFocus();
        return;
    }
    Query->FieldByName(QStringLiteral("PRIOR_ID"))->SetAsString(currentCode_);
    PageControl1->setCurrentWidget(TabSheetDept);
    KXDBEditDeptName->setFocus();
}

void TDeptForm::QueryAfterEdit() {
    (companyMode_ ? KXDBEditCompanyName : KXDBEditDeptName)->setFocus();
}

// While a row is added or edited the selection stays on its node.
void TDeptForm::DSStateChange() {
    const bool editing = Query->State() == db::dsInsert || Query->State() == db::dsEdit;
    Panel4->setEnabled(!editing);
    if (!editing)
        ShowPageFor(SelectedNode);
}

void TDeptForm::button_addClick(QObject* sender) {
    if (!SelectedNode) {
        ShowPromptMessage(kChooseNode);
        return;
    }
    const QString refusal = AddDeptRefusal(currentCode_);
    if (!refusal.isEmpty()) {
        ShowPromptMessage(refusal);
        return;
    }
    SetCounterScope(currentCode_);
    companyMode_ = false;
    TKXDForm::button_addClick(sender);
}

void TDeptForm::button_editClick(QObject* sender) {
    if (!SelectedNode) {
        ShowPromptMessage(kChooseNode);
        return;
    }
    if (SelectedNode->parent()) {
        companyMode_ = false;
        TKXDForm::button_editClick(sender);
        return;
    }
    companyMode_ = true;
    if (!ActiveQuery || !ActiveQuery->Active())
        return;
    RefreshToday();
    if (ActiveQuery->IsEmpty())
        ActiveQuery->AppendRecord();
    else
        ActiveQuery->EditRecord();
}

void TDeptForm::button_saveClick(QObject* sender) {
    const bool inserting = Query->State() == db::dsInsert;
    if (!inserting && Query->State() != db::dsEdit)
        return;
    const bool companyRow = SelectedNode && !SelectedNode->parent() && companyMode_;
    // The typed text: an input writes its field only when the save runs.
    const QString name = (companyRow ? KXDBEditCompanyName : KXDBEditDeptName)->text();
    if (companyRow) {
        Query->FieldByName(QStringLiteral("COMPANY_ID"))->SetAsString(kCompanyRootID);
        Query->FieldByName(QStringLiteral("PRIOR_ID"))->SetAsString(kCompanyRowParent);
        Query->FieldByName(QStringLiteral("COMPANY_NAME"))->SetAsString(name);
    }
    TKXDForm::button_saveClick(sender);
    const QString code = Query->FieldByName(QStringLiteral("COMPANY_ID"))->AsString();
    OpenCurrentDept();
    if (!Query->Saved || !SelectedNode)
        return;
    if (inserting && !companyMode_) {
        KXTreeView->AddNode(SelectedNode, name, code);
    } else if (code != currentCode_) {
        KXTreeView->RenameNodes(code, name);
    } else {
        SelectedNode->setText(0, name);
        KXTreeView->SetNodeName(SelectedNode, name);
    }
    ShowPageFor(SelectedNode);
    OpenCurrentDept();
    if (!SelectedNode->parent())
        CompanySaved(inserting);
}

// The company's name heads the tree, the main window and the printouts.
void TDeptForm::CompanySaved(bool inserted) {
    if (!inserted)
        update();
    if (!Query->Active() || Query->IsEmpty())
        return;
    AppCompanyName = KXDBEditCompanyName->text();
    // The window's owner is the main window.
    if (QWidget* owner = parentWidget())
        owner->window()->setWindowTitle(AppCompanyName + kTitle);
}

void TDeptForm::button_deleteClick(QObject* sender) {
    if (!SelectedNode) {
        ShowPromptMessage(kChooseNode);
        return;
    }
    QString refusal;
    if (!SelectedNode->parent())
        refusal = QStringLiteral("根节点不能删除");
    else if (SelectedNode->childCount() > 0)
        refusal = QStringLiteral("请先删除该部门的下级部门");
    else
        refusal = DeleteDeptRefusal(currentCode_);
    if (!refusal.isEmpty()) {
        ShowPromptMessage(refusal);
        return;
    }
    TKXDForm::button_deleteClick(sender);
    if (Query->Saved)
        KXTreeView->DeleteNode(SelectedNode, false);
}

// Choice 1 numbers the names within their parents, choice 2 prints a number
// column instead.
void TDeptForm::button_printClick() {
    if (!SelectedNode)
        return;
    const int choice = SelectOneOfTwo(QStringLiteral("不打印序号"), QStringLiteral("打印序号"),
                                      QStringLiteral("打印选择窗口"));
    if (choice == 0)
        return;
    FillPrintBuffer(choice == 1);
    TDeptReport* report = choice == 1 ? RepDept : RepDeptOrder;
    if (choice == 2 && QyPrint->IsEmpty()) {
        ShowPromptMessage(QStringLiteral("没有数据，不能打印"));
        return;
    }
    report->CompanyLabel->SetCaption(AppCompanyName);
    report->ReportTitle = kReportTitle;
    PreviewWithPageCount(*report, report->PageCountLabel);
}

// A row that cannot be posted stops the print with the engine's error
// rather than leaving a gap in the list; the rows posted so far are dropped.
void TDeptForm::FillPrintBuffer(bool numbering) {
    QyPrint->CancelUpdates();
    std::optional<TDeptPrintRow> head;
    if (Level(SelectedNode) > 0)
        head = TDeptPrintRow{1, Query->FieldByName(QStringLiteral("COMPANY_NAME"))->AsString(),
                             Query->FieldByName(QStringLiteral("COMPANY_PHONE"))->AsString(),
                             Query->FieldByName(QStringLiteral("NOTE"))->AsString()};
    const QList<TDeptPrintRow> rows = FillDeptPrintRows(currentCode_, numbering, head);
    auto dropRows = qScopeGuard([this] {
        if (QyPrint->State() == db::dsInsert)
            QyPrint->Cancel();
        QyPrint->CancelUpdates();
    });
    for (const TDeptPrintRow& row : rows) {
        QyPrint->Append();
        QyPrint->FieldByName(QStringLiteral("ORDER_ID"))->SetAsInteger(row.OrderId);
        QyPrint->FieldByName(QStringLiteral("COMPANY_NAME"))->SetAsString(row.CompanyName);
        QyPrint->FieldByName(QStringLiteral("COMPANY_PHONE"))->SetAsString(row.CompanyPhone);
        QyPrint->FieldByName(QStringLiteral("NOTE"))->SetAsString(row.Note);
        QyPrint->Post();
    }
    dropRows.dismiss();
}

void TDeptForm::RepPreview(QObject* sender, bool numberColumn) {
    TPrevForm* form = CreatePrevForm(this, sender);
    form->ExcelNumberColumn = numberColumn;
    form->Button_Excel->setVisible(true);
    form->KXExcel->SetDataSet(QyPrint);
    form->KXExcel->SetReportName(kReportTitle);
    form->ExcelFields = {{QStringLiteral("COMPANY_NAME"), {}, QStringLiteral("部门名称")},
                         {QStringLiteral("COMPANY_PHONE"), {}, QStringLiteral("电话")},
                         {QStringLiteral("NOTE"), {}, QStringLiteral("备注")}};
    form->show();
}

} // namespace kx::staff
