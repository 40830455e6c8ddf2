#include "frame/dialogs/selectemployeeform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/controls/kxtreeview.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/companypickersql.h"
#include "platform/db/datasource.h"
#include "platform/db/fieldtypes.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidgetItemIterator>

namespace kx {
namespace {

const QString kRootId = QStringLiteral("G001");

TFieldsData Rule(const QString& field, const QString& caption, const QString& type, bool required,
                 bool visible, const QString& findKind = {}) {
    TFieldsData rule;
    rule.FieldName = field;
    rule.DisplayLabel = caption;
    rule.TypeCode = type;
    rule.Required = required;
    rule.Visible = visible;
    rule.FindKind = findKind;
    return rule;
}

TFieldsDataArray EmployeeListRules() {
    const QString c = QStringLiteral("C");
    const QString d = QStringLiteral("D");
    const QString t = QStringLiteral("T");
    return {Rule("EMPLOYEE_ID", AppFieldCaptions.value("EMPLOYEE_ID"), c, true, true),
            Rule("EMPLOYEE_NAME", AppFieldCaptions.value("EMPLOYEE_NAME"), c, true, true, t),
            Rule("NOTE", "备注", c, false, true, t),
            Rule("CREATE_NAME", "建档人员", c, false, true),
            Rule("CREATE_DATE", "建档日期", d, false, true),
            Rule("EDIT_NAME", "修改人员", c, false, true),
            Rule("EDIT_DATE", "修改日期", d, false, true),
            Rule("COMPANY_ID", "选择", c, true, false),
            Rule("COMPANY_NAME", "部门名称", c, false, true)};
}

db::TField* AddField(QObject* owner, db::TDataSet* dataSet, const QString& name,
                     db::TFieldKind kind) {
    auto* field = new db::TStringField(owner);
    field->SetFieldName(name);
    field->SetFieldKind(kind);
    field->SetDataSet(dataSet);
    return field;
}

int NodeCount(QTreeWidget* tree) {
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++count;
    return count;
}

} // namespace

TSelectEmployeeForm::TSelectEmployeeForm(QWidget* parent)
    : QDialog(parent), SelectedDeptId(kRootId), SelectedDeptName(AppCompanyName),
      KXTreeView(new TKXTreeView(this)), DBGrid(new TKXNDBGrid(this)),
      CheckBox1(new QCheckBox(QStringLiteral("不显示下级部门人员记录"), this)),
      SureButton(new QPushButton(QStringLiteral("确认[F3]"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭[F12]"), this)),
      Query_Select(new TKXQuery(this)), DS_Select(new db::TDataSource(this)),
      QyDept(new db::TQuery(this)) {
    setWindowTitle(QStringLiteral("人员选择窗口"));
    setFixedSize(700, 450);
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    KXTreeView->setFixedWidth(272);
    KXTreeView->setRootIsDecorated(false);
    KXTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid->setObjectName(QStringLiteral("DBGrid"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    SureButton->setObjectName(QStringLiteral("SureButton"));
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    SureButton->setDefault(true);
    CloseButton->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(KXTreeView, 0, 0);
    layout->addWidget(DBGrid, 0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CheckBox1);
    bottom->addStretch();
    bottom->addWidget(SureButton);
    bottom->addWidget(CloseButton);
    layout->addLayout(bottom, 1, 0, 1, 2);
    layout->setRowStretch(0, 1);

    QyDept->SetDatabaseName(kDatabaseName);
    QyDept->SetParamCheck(false);
    QyDept->SQL().SetText(QStringLiteral("SELECT COMPANY_ID,COMPANY_NAME FROM SYS_COMPANY_TABLE"));
    Query_Select->setObjectName(QStringLiteral("Query_Select"));
    Query_Select->SetCachedUpdates(true);
    Query_Select->SetParamCheck(false);
    Query_Select->SetDatabaseName(kDatabaseName);
    AddField(this, Query_Select, QStringLiteral("COMPANY_ID"), db::fkData);
    AddField(this, Query_Select, QStringLiteral("EMPLOYEE_ID"), db::fkData);
    AddField(this, Query_Select, QStringLiteral("EMPLOYEE_NAME"), db::fkData);
    db::TField* deptName =
        AddField(this, Query_Select, QStringLiteral("COMPANY_NAME"), db::fkLookup);
    deptName->SetSize(50);
    deptName->SetDisplayWidth(32);
    deptName->SetLookupDataSet(QyDept);
    deptName->SetKeyFields(QStringLiteral("COMPANY_ID"));
    deptName->SetLookupKeyFields(QStringLiteral("COMPANY_ID"));
    deptName->SetLookupResultField(QStringLiteral("COMPANY_NAME"));
    const TFieldsDataArray rules = EmployeeListRules();
    Query_Select->SetFieldsData(rules);
    DBGrid->SetFieldsData(rules);
    Query_Select->SetDBNGride(DBGrid);
    DS_Select->SetDataSet(Query_Select);
    DBGrid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                       dgRowSelect | dgAlwaysShowSelection | dgConfirmDelete | dgCancelOnExit);
    DBGrid->SetReadOnly(true);
    DBGrid->SetDataSource(DS_Select);
    DBGrid->SetColor(AppBrowseColor);

    KXTreeView->OnExpanding = [this](QObject*, TTreeNode* node, bool&) { TreeExpanding(node); };
    KXTreeView->OnChange = [this](QObject*, TTreeNode* node) { TreeChange(node); };
    KXTreeView->SetDataBaseName(kDatabaseName);
    KXTreeView->HookEvents();
    KXTreeView->RootID = kRootId;
    KXTreeView->RootName = AppCompanyName;
    KXTreeView->SetNodeSql(1, QString(), QString(), QStringLiteral("A"), QString(), 0);
    auto palette = KXTreeView->palette();
    palette.setColor(QPalette::Base, ui::ToQColor(AppBrowseColor, palette));
    KXTreeView->setPalette(palette);

    connect(SureButton, &QPushButton::clicked, this, ui::Guard([this] { SureButtonClick(); }));
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(CheckBox1, &QCheckBox::clicked, this, ui::Guard([this] {
                listDeptId_.clear();
                RefreshEmployeeList();
            }));
    DBGrid->OnDblClick = [this](QObject*) { SureButton->click(); };
    new ui::KeyPreview(this, [this](QKeyEvent* event) { return HandleKey(event->key()); });
}

TSelectEmployeeForm::~TSelectEmployeeForm() {
    Query_Select->CloseQuery();
}

void TSelectEmployeeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSelectEmployeeForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        holdReloads_ = false;
}

void TSelectEmployeeForm::FormShow() {
    if (NodeCount(KXTreeView) <= 1) {
        KXTreeView->BuildTree();
        if (KXTreeView->topLevelItemCount() > 0)
            KXTreeView->setCurrentItem(KXTreeView->topLevelItem(0));
    }
    RefreshEmployeeList();
    DBGrid->viewport()->update();
    DBGrid->setFocus();
}

void TSelectEmployeeForm::TreeExpanding(QTreeWidgetItem* node) {
    KXTreeView->SetNodeSql(0, QString(), QString(), QString(), QString(), 0);
    KXTreeView->SetNodeSql(1, QString(), QString(), QString(), QString(), 0);
    const TNodeSql children = DeptChildrenSql(kRootId, NodeLevel(node));
    const TNodeSql count = DeptCountSql();
    KXTreeView->SetNodeSql(0, children.HeadSql, children.TailSql, children.KeyKind, QString(), 0);
    KXTreeView->SetNodeSql(1, count.HeadSql, count.TailSql, count.KeyKind, QString(), 0);
}

void TSelectEmployeeForm::TreeChange(QTreeWidgetItem* node) {
    if (!node) {
        Query_Select->CloseQuery();
        SelectedDeptId = kRootId;
        selectedLevel_ = -1;
        return;
    }
    selectedLevel_ = NodeLevel(node);
    SelectedDeptId = KXTreeView->GetNodeID(node);
    SelectedDeptName = KXTreeView->GetNodeName(node);
    if (!holdReloads_)
        RefreshEmployeeList();
}

void TSelectEmployeeForm::RefreshEmployeeList() {
    const bool editing =
        Query_Select->State() == db::dsInsert || Query_Select->State() == db::dsEdit;
    if (editing || (Query_Select->Active() && listDeptId_ == SelectedDeptId))
        return;
    listDeptId_ = SelectedDeptId;
    Query_Select->SQL().SetText(
        EmployeeListSql(listDeptId_, std::max(selectedLevel_, 0), CheckBox1->isChecked()));
    Query_Select->CloseQuery();
    // Department names may have changed since the picker was made.
    QyDept->Close();
    QyDept->Open();
    Query_Select->OpenQuery();
}

bool TSelectEmployeeForm::HandleKey(int key) {
    switch (key) {
    case Qt::Key_F3:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SureButton->click();
        return true;
    case Qt::Key_F12:
    case Qt::Key_Escape:
        CloseButton->click();
        return true;
    default:
        return false;
    }
}

void TSelectEmployeeForm::SureButtonClick() {
    if (DeptOnly && selectedLevel_ < 0) {
        ShowPromptMessage(QStringLiteral("必须选择一个部门[节点]"));
        return;
    }
    if (!DeptOnly && (!Query_Select->Active() || Query_Select->IsEmpty())) {
        ShowPromptMessage(QStringLiteral("必须选择一个人员记录"));
        return;
    }
    accept();
}

int SelectEmployeeName(TSelectEmployeeForm& Form, QString& Name, QString& QuotedName) {
    ForceForegroundFocus(&Form);
    if (ui::ExecModal(Form) != QDialog::Accepted)
        return 0;
    Name = Form.Query_Select->FieldByName(QStringLiteral("EMPLOYEE_NAME"))->AsString();
    QuotedName = QuotedNameTail(Name);
    return 0;
}

} // namespace kx

#include "moc_selectemployeeform.cpp"
