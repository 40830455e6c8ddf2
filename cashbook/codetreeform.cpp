#include "cashbook/codetreeform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxdbedit.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "platform/db/updatesql.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace kx::cashbook {
namespace {

const QString kChooseNode = QStringLiteral("必须选择一个节点");

QList<QIcon> FolderImages(const QStyle* style) {
    return {style->standardIcon(QStyle::SP_DirClosedIcon),
            style->standardIcon(QStyle::SP_DirOpenIcon), style->standardIcon(QStyle::SP_FileIcon)};
}

} // namespace

TCodeTreeForm::TCodeTreeForm(QWidget* owner, const TCodeTreeWindow& window)
    : TKXDForm(owner), Panel4(new QFrame(Panel1)), KXTreeView(new TKXTreeView(Panel4)),
      DetailPanel(new QWidget(Panel1)), window_(window),
      detailLayout_(new QFormLayout(DetailPanel)) {
    auto* layout = new QHBoxLayout(Panel1);
    layout->addWidget(Panel4, 1);
    layout->addWidget(DetailPanel, 1);
    auto* treeLayout = new QVBoxLayout(Panel4);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(KXTreeView);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    DetailPanel->setObjectName(QStringLiteral("DetailPanel"));
    KXTreeView->SetImages(FolderImages(style()));
    connect(KXTreeView, &QTreeWidget::itemCollapsed, this,
            [this](TTreeNode* node) { KXTreeViewCollapsing(node); });
    button_find->setVisible(false);
    button_print->setVisible(false);
    // Find and print stay hidden whatever the rights allow.
    DS->ButtonFind = nullptr;
    DS->ButtonPrint = nullptr;
}

void TCodeTreeForm::AddRow(const QString& caption, QWidget* input) {
    detailLayout_->addRow(caption, input);
}

void TCodeTreeForm::AddAuditInputs() {
    for (const auto& [caption, column] :
         {std::pair{"建档人员", "CREATE_NAME"}, std::pair{"建档日期", "CREATE_DATE"},
          std::pair{"修改人员", "EDIT_NAME"}, std::pair{"修改日期", "EDIT_DATE"}})
        AddInput<TKXDBEdit>(QString::fromUtf8(caption), QString::fromLatin1(column))
            ->SetReadOnly(true);
}

TFieldsData TCodeTreeForm::Field(const QString& name, const QString& label, const QString& type) {
    TFieldsData field;
    field.FieldName = name;
    field.DisplayLabel = label;
    field.TypeCode = type;
    field.Visible = true;
    return field;
}

TCheckData TCodeTreeForm::DuplicateCheck(const QString& baseSelect, const QStringList& columns,
                                         const QString& message, QWidget* control) {
    TCheckData check;
    for (int i = 0; i < columns.size(); ++i)
        check.Links[i] = TCheckFieldsData{columns[i], columns[i], {}, {}, QStringLiteral("C")};
    check.NumberField = columns.last();
    check.Message = message;
    check.BaseSelect = baseSelect;
    check.MustNotExist = true;
    // An order number the user typed is refused, not silently replaced by
    // the next free one.
    check.NoRenumber = true;
    check.Control = control;
    return check;
}

TInsertData TCodeTreeForm::AutoValue(const QString& field, const QString& kind, int width) const {
    TInsertData entry;
    entry.FieldName = field;
    entry.DisplayLabel = field;
    entry.Kind = kind;
    entry.Width = width;
    return entry;
}

void TCodeTreeForm::FormCreate() {
    TKXDForm::FormCreate();
    Query->SetFieldsData(FieldsData);
    Query->SetCheckData(CheckData);
    Query->SetTableName(window_.Rules->Table);
    Query->SetKXDS(DS);
    WriteUpdateStatements();
    ProgramGroupName = QStringLiteral("基本数据录入编辑");
    ProgramName = window_.ProgramName;
    KXTreeView->OnExpanding = [this](QObject*, TTreeNode* node, bool&) {
        KXTreeViewExpanding(node);
    };
    KXTreeView->OnChange = [this](QObject*, TTreeNode* node) { KXTreeViewChange(node); };
    KXTreeView->HookEvents();
    Query->AfterInsert = [this](db::TDataSet*) { QueryAfterInsert(); };
    DS->OnStateChange = [this](db::TDataSource*) { DSStateChange(); };
    OrderByText = QStringLiteral(" ORDER BY ORDER_ID");
    selectedId_ = kRootID;
    KXTreeView->SetDataBaseName(kDatabaseName);
    KXTreeView->RootID = kRootID;
    KXTreeView->RootName = window_.RootName;
    // The root can always be opened, rows or not.
    KXTreeView->SetNodeSql(1, {}, {}, QStringLiteral("A"), {}, 0);
    KXTreeView->BuildTree();
    SelectedNode = KXTreeView->topLevelItem(0);
    KXTreeView->setCurrentItem(SelectedNode);
    LoadSelectedRow();
}

void TCodeTreeForm::FormShow() {
    TKXDForm::FormShow();
    const QString& id = window_.Rules->IdColumn;
    InsertData = {AutoValue(id, QStringLiteral("C"), 3),
                  AutoValue(QStringLiteral("CREATE_NAME"), QStringLiteral("A"), 0),
                  AutoValue(QStringLiteral("CREATE_DATE"), QStringLiteral("A"), 0),
                  AutoValue(QStringLiteral("ORDER_ID"), QStringLiteral("C"), 0)};
    InsertData[1].Value = AppUserName;
    InsertData[2].Value = AppToday;
    SetCounterScope(selectedId_);
    EditData = {TEditData{QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), AppUserName},
                TEditData{QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), AppToday}};
    Query->SetEditData(EditData);
    KXTreeView->setFocus();
}

// New codes count on among the siblings of the parent, behind its code.
void TCodeTreeForm::SetCounterScope(const QString& parentId) {
    const QString condition = "  PRIOR_ID = " + QuotedStr(parentId);
    InsertData[0].Prefix = parentId == kRootID ? QString() : parentId;
    InsertData[0].ExtraWhere = condition;
    InsertData[3].ExtraWhere = condition;
    Query->SetInsertData(InsertData);
}

void TCodeTreeForm::WriteUpdateStatements() {
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : window_.Columns) {
        parameters.append(':' + column);
        assignments.append(column + " = :" + column +
                           (column == window_.Columns.last() ? "" : ","));
    }
    const QString& table = window_.Rules->Table;
    const QString& id = window_.Rules->IdColumn;
    const QString where = "where " + id + " = :OLD_" + id;
    UpdateSQL1->InsertSQL().SetLines({"insert into " + table,
                                      "(" + window_.Columns.join(", ") + ")", "values",
                                      "(" + parameters.join(", ") + ")"});
    UpdateSQL1->ModifySQL().SetLines(QStringList{"update " + table, "set"} + assignments +
                                     QStringList{where});
    UpdateSQL1->DeleteSQL().SetLines({"delete from " + table, where});
}

void TCodeTreeForm::LoadSelectedRow() {
    if (Query->State() == db::dsInsert || Query->State() == db::dsEdit)
        return;
    const QString& id = window_.Rules->IdColumn;
    if (Query->Active() && !Query->IsEmpty() && Query->FieldByName(id)->AsString() == selectedId_)
        return;
    Query->CloseQuery();
    Query->SQL().SetText("SELECT  *  FROM  " + window_.Rules->Table + " WHERE  " + id + " = " +
                         QuotedStr(selectedId_) + OrderByText);
    Query->OpenQuery();
}

QString TCodeTreeForm::Select(const QString& columns) const {
    return "SELECT " + columns + " FROM " + window_.Rules->Table + " WHERE PRIOR_ID = ";
}

int TCodeTreeForm::Level(const TTreeNode* node) const {
    int level = 0;
    for (const TTreeNode* parent = node->parent(); parent; parent = parent->parent())
        ++level;
    return level;
}

void TCodeTreeForm::KXTreeViewExpanding(TTreeNode* node) {
    for (int which : {0, 1})
        KXTreeView->SetNodeSql(which, {}, {}, {}, {}, 0);
    const QString& id = window_.Rules->IdColumn;
    const QString children = Select(id + "," + window_.NameColumn + ",ORDER_ID");
    const int level = Level(node);
    if (level == 0)
        KXTreeView->SetNodeSql(0, children + QuotedStr(kRootID) + OrderByText, {}, {}, {}, 0);
    else
        KXTreeView->SetNodeSql(0, children, OrderByText, QStringLiteral("C"), {}, 0);
    if (level < window_.Rules->MaxLevels)
        KXTreeView->SetNodeSql(1, Select("Count(" + id + ")"), {}, QStringLiteral("C"), {}, 0);
}

void TCodeTreeForm::KXTreeViewChange(TTreeNode* node) {
    SelectedNode = node;
    if (!node) {
        Query->CloseQuery();
        selectedId_ = kRootID;
        return;
    }
    selectedId_ = KXTreeView->GetNodeID(node);
    LoadSelectedRow();
}

// A closed node shows the closed folder, selected or not.
void TCodeTreeForm::KXTreeViewCollapsing(TTreeNode* node) {
    node->setIcon(0, FolderImages(style()).front());
}

void TCodeTreeForm::QueryAfterInsert() {
    Query->FieldByName(QStringLiteral("PRIOR_ID"))->SetAsString(selectedId_);
}

// The selection stays on the row being edited.
void TCodeTreeForm::DSStateChange() {
    Panel4->setEnabled(Query->State() != db::dsInsert && Query->State() != db::dsEdit);
}

void TCodeTreeForm::button_addClick(QObject* sender) {
    if (!SelectedNode) {
        ShowPromptMessage(kChooseNode);
        return;
    }
    const QString refusal = AddChildRefusal(*window_.Rules, selectedId_, Level(SelectedNode));
    if (!refusal.isEmpty()) {
        ShowPromptMessage(refusal);
        return;
    }
    SetCounterScope(selectedId_);
    TKXDForm::button_addClick(sender);
}

void TCodeTreeForm::button_editClick(QObject* sender) {
    if (!SelectedNode) {
        ShowPromptMessage(kChooseNode);
        return;
    }
    if (SelectedNode->parent())
        TKXDForm::button_editClick(sender);
}

void TCodeTreeForm::button_saveClick(QObject* sender) {
    const bool inserting = Query->State() == db::dsInsert;
    const bool editing = Query->State() == db::dsEdit;
    if (!inserting && !editing)
        return;
    // The typed text: the input writes its field only when the save runs.
    const QString name = NameEdit->text();
    const QString savedId = Query->FieldByName(window_.Rules->IdColumn)->AsString();
    TKXDForm::button_saveClick(sender);
    // A refused save leaves the row in edit.
    const bool saved = Query->State() == db::dsBrowse;
    LoadSelectedRow();
    if (!saved || !SelectedNode)
        return;
    if (inserting)
        KXTreeView->AddNode(SelectedNode, name, savedId);
    else if (savedId == selectedId_) {
        SelectedNode->setText(0, name);
        KXTreeView->SetNodeName(SelectedNode, name);
    } else
        KXTreeView->RenameNodes(savedId, name);
}

void TCodeTreeForm::button_deleteClick(QObject* sender) {
    if (!SelectedNode) {
        ShowPromptMessage(kChooseNode);
        return;
    }
    if (!SelectedNode->parent()) {
        ShowPromptMessage(QStringLiteral("根节点不能删除"));
        return;
    }
    if (SelectedNode->childCount() > 0) {
        ShowPromptMessage(window_.ChildrenMessage);
        return;
    }
    const QString refusal = DeleteRefusal(*window_.Rules, selectedId_);
    if (!refusal.isEmpty()) {
        ShowPromptMessage(refusal);
        return;
    }
    TKXDForm::button_deleteClick(sender);
    const QString& rules = window_.Rules->IdColumn;
    const bool deleted =
        GetSqlFirstFloat(kDatabaseName, "SELECT COUNT(*) FROM " + window_.Rules->Table + " WHERE " +
                                            rules + " = " + QuotedStr(selectedId_)) == 0;
    if (deleted)
        KXTreeView->DeleteNode(SelectedNode, false);
}

} // namespace kx::cashbook
