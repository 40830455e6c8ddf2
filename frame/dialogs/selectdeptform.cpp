#include "frame/dialogs/selectdeptform.h"

#include "core/datamodule.h"
#include "core/messages.h"
#include "core/options.h"
#include "frame/controls/kxtreeview.h"
#include "frame/dialogs/companypickersql.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kx {
namespace {

QList<QIcon> FolderImages(const QStyle* style) {
    return {style->standardIcon(QStyle::SP_DirClosedIcon),
            style->standardIcon(QStyle::SP_DirOpenIcon), style->standardIcon(QStyle::SP_FileIcon)};
}

} // namespace

TSelectDeptForm::TSelectDeptForm(QWidget* parent)
    : QDialog(parent), KXTreeView(new TKXTreeView(this)),
      SureButton(new QPushButton(QStringLiteral("确定"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭"), this)) {
    setWindowTitle(QStringLiteral("部门选择窗口"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(504, 488);
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    KXTreeView->setFixedHeight(441);
    KXTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    KXTreeView->viewport()->setCursor(Qt::PointingHandCursor);
    KXTreeView->SetImages(FolderImages(style()));
    KXTreeView->SetSelectColor(ui::clBlack);
    SureButton->setObjectName(QStringLiteral("SureButton"));
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    SureButton->setAutoDefault(false);
    CloseButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 0);
    buttons->addStretch();
    buttons->addWidget(SureButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(KXTreeView);
    layout->addLayout(buttons, 1);

    KXTreeView->OnExpanding = [this](QObject*, TTreeNode* node, bool&) { TreeExpanding(node); };
    KXTreeView->OnChange = [this](QObject*, TTreeNode* node) { TreeChange(node); };
    KXTreeView->HookEvents();
    KXTreeView->SetDataBaseName(kDatabaseName);
    connect(KXTreeView, &QTreeWidget::itemCollapsed, this,
            [this](TTreeNode* node) { node->setIcon(0, FolderImages(style()).front()); });
    connect(KXTreeView, &QTreeWidget::itemDoubleClicked, this,
            ui::Guard([this] { SureButtonClick(); }));
    connect(SureButton, &QPushButton::clicked, this, ui::Guard([this] { SureButtonClick(); }));
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    ui::ClickOnEscape(this, SureButton);
}

void TSelectDeptForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSelectDeptForm::FormShow() {
    if (StartId == SelectedId)
        return;
    SelectedId = StartId;
    SelectedName = StartName;
    KXTreeView->ClearTree();
    KXTreeView->RootID = StartId;
    KXTreeView->RootName = StartName;
    // The root shows as openable before anything is read below it.
    KXTreeView->SetNodeSql(1, QString(), QString(), QStringLiteral("A"), QString(), 0);
    KXTreeView->BuildTree();
    if (KXTreeView->topLevelItemCount() > 0)
        KXTreeView->setCurrentItem(KXTreeView->topLevelItem(0));
}

void TSelectDeptForm::TreeExpanding(QTreeWidgetItem* node) {
    KXTreeView->SetNodeSql(0, QString(), QString(), QString(), QString(), 0);
    KXTreeView->SetNodeSql(1, QString(), QString(), QString(), QString(), 0);
    const TNodeSql children = DeptChildrenSql(StartId, NodeLevel(node));
    const TNodeSql count = DeptCountSql();
    KXTreeView->SetNodeSql(0, children.HeadSql, children.TailSql, children.KeyKind, QString(), 0);
    KXTreeView->SetNodeSql(1, count.HeadSql, count.TailSql, count.KeyKind, QString(), 0);
}

void TSelectDeptForm::TreeChange(QTreeWidgetItem* node) {
    SelectedId = node ? KXTreeView->GetNodeID(node) : StartId;
    SelectedName = node ? KXTreeView->GetNodeName(node) : StartName;
}

void TSelectDeptForm::SureButtonClick() {
    if (!KXTreeView->currentItem()) {
        ShowPromptMessage(QStringLiteral("必须选择一个业务单位节点"));
        return;
    }
    accept();
}

bool SelectDeptCondition(TSelectDeptForm& Form, QString& Name, QString& Condition,
                         const QString& TablePrefix) {
    ForceForegroundFocus(&Form);
    if (ui::ExecModal(Form) != QDialog::Accepted)
        return true;
    Condition = CompanyPrefixClause(Form.SelectedId, NodeLevel(Form.KXTreeView->currentItem()),
                                    TablePrefix);
    Name = Form.SelectedName;
    return false;
}

} // namespace kx

#include "moc_selectdeptform.cpp"
