#include "cashbook/selectmoneyaccountrootform.h"

#include "cashbook/subjecttreesql.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/controls/kxtreeview.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

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

TSelectMoneyAccountRootForm::TSelectMoneyAccountRootForm(QWidget* parent)
    : QDialog(parent), KXTreeView(new TKXTreeView(this)),
      Button_ok(new QPushButton(QStringLiteral("确定"), this)) {
    setWindowTitle(QStringLiteral("资金账号选择窗口"));
    // A close box that cancels: with no account to choose, the user still
    // gets out of the window.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(320, 400);
    KXTreeView->setObjectName(QStringLiteral("KXTreeView"));
    KXTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    KXTreeView->viewport()->setCursor(Qt::PointingHandCursor);
    KXTreeView->SetImages(FolderImages(style()));
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_ok->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(KXTreeView, 1);
    layout->addLayout(buttons);

    KXTreeView->HookEvents();
    KXTreeView->SetDataBaseName(kDatabaseName);
    const TNodeSql accounts = AccountChildrenSql();
    KXTreeView->SetNodeSql(0, accounts.HeadSql, accounts.TailSql, accounts.KeyKind, accounts.Suffix,
                           accounts.PadWidth);
    KXTreeView->LoadChildren(nullptr);
    if (KXTreeView->topLevelItemCount() > 0)
        KXTreeView->setCurrentItem(KXTreeView->topLevelItem(0));

    connect(KXTreeView, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* node) { node->setIcon(0, FolderImages(style()).front()); });
    connect(KXTreeView, &QTreeWidget::itemDoubleClicked, this,
            ui::Guard([this] { Button_okClick(); }));
    connect(Button_ok, &QPushButton::clicked, this, ui::Guard([this] { Button_okClick(); }));
    ui::ClickOnEscape(this, Button_ok);
}

void TSelectMoneyAccountRootForm::Button_okClick() {
    QTreeWidgetItem* node = KXTreeView->currentItem();
    if (!node) {
        ShowPromptMessage(QStringLiteral("必须选择一个资金账号节点"));
        return;
    }
    SelectedID = KXTreeView->GetNodeID(node);
    SelectedName = KXTreeView->GetNodeName(node);
    accept();
}

} // namespace kx

#include "moc_selectmoneyaccountrootform.cpp"
