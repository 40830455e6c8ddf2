#include "cashbook/selectmoneytypeform.h"

#include "cashbook/subjecttreesql.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/controls/kxtreeview.h"
#include "frame/dialogs/companypickersql.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kx {
namespace {

const QString kRootId = QStringLiteral("G001");
const QString kRootName = QStringLiteral("帐款类别");

QList<QIcon> FolderImages(const QStyle* style) {
    return {style->standardIcon(QStyle::SP_DirClosedIcon),
            style->standardIcon(QStyle::SP_DirOpenIcon), style->standardIcon(QStyle::SP_FileIcon)};
}

} // namespace

TSelectMoneyTypeForm::TSelectMoneyTypeForm(QWidget* parent)
    : QDialog(parent), SelectedID(kRootId), SelectedName(kRootName),
      KXTreeView(new TKXTreeView(this)), Button_ok(new QPushButton(QStringLiteral("确定"), this)),
      Button_Close(new QPushButton(QStringLiteral("关闭"), this)) {
    setWindowTitle(QStringLiteral("资金借贷科目选择窗口"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(360, 440);
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    KXTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    KXTreeView->viewport()->setCursor(Qt::PointingHandCursor);
    KXTreeView->SetImages(FolderImages(style()));
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    Button_ok->setAutoDefault(false);
    Button_Close->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(KXTreeView, 1);
    layout->addLayout(buttons);

    KXTreeView->OnExpanding = [this](QObject*, TTreeNode* node, bool&) {
        KXTreeViewExpanding(node);
    };
    KXTreeView->OnChange = [this](QObject*, TTreeNode* node) { KXTreeViewChange(node); };
    KXTreeView->HookEvents();
    KXTreeView->RootID = kRootId;
    KXTreeView->RootName = kRootName;
    KXTreeView->SetDataBaseName(kDatabaseName);

    connect(KXTreeView, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* node) { node->setIcon(0, FolderImages(style()).front()); });
    connect(KXTreeView, &QTreeWidget::itemDoubleClicked, this,
            ui::Guard([this] { Button_okClick(); }));
    connect(Button_ok, &QPushButton::clicked, this, ui::Guard([this] { Button_okClick(); }));
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    ui::ClickOnEscape(this, Button_ok);
}

void TSelectMoneyTypeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

// A tree read before keeps its expansion and selection.
void TSelectMoneyTypeForm::FormShow() {
    QTreeWidgetItemIterator node(KXTreeView);
    int nodes = 0;
    for (; *node && nodes < 2; ++node)
        ++nodes;
    if (nodes > 1)
        return;
    // The root shows as openable before anything is read below it.
    KXTreeView->SetNodeSql(1, QString(), QString(), QStringLiteral("A"), QString(), 0);
    KXTreeView->BuildTree();
    if (KXTreeView->topLevelItemCount() > 0)
        KXTreeView->setCurrentItem(KXTreeView->topLevelItem(0));
}

void TSelectMoneyTypeForm::KXTreeViewExpanding(QTreeWidgetItem* node) {
    SetSubjectNodeSql(*KXTreeView, NodeLevel(node));
}

void TSelectMoneyTypeForm::KXTreeViewChange(QTreeWidgetItem* node) {
    SelectedID = node ? KXTreeView->GetNodeID(node) : QString();
    SelectedName = node ? KXTreeView->GetNodeName(node) : QString();
}

void TSelectMoneyTypeForm::Button_okClick() {
    if (!KXTreeView->currentItem()) {
        ShowPromptMessage(QStringLiteral("必须选择一个帐款类别节点"));
        return;
    }
    accept();
}

} // namespace kx

#include "moc_selectmoneytypeform.cpp"
