#include "frame/app/kxappform.h"

#include "platform/ui/tag.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace kx {

TKXAppForm::TKXAppForm(QWidget* owner)
    : TKXBaseForm(owner), CoolBar1(new QFrame(this)), ToolBar1(new QWidget(CoolBar1)) {
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->setMinimumHeight(51);
    CoolBar1->setFrameShape(QFrame::StyledPanel);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    // Save moves the focus here so that a bound control writes its text first.
    ToolBar1->setFocusPolicy(Qt::StrongFocus);
    auto* coolLayout = new QVBoxLayout(CoolBar1);
    coolLayout->setContentsMargins(0, 0, 0, 0);
    coolLayout->addWidget(ToolBar1);
    auto* barLayout = new QHBoxLayout(ToolBar1);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->setSpacing(0);

    button_add = AddToolButton("button_add", QStringLiteral("增加F5"));
    button_edit = AddToolButton("button_edit", QStringLiteral("编辑F6"));
    button_delete = AddToolButton("button_delete", QStringLiteral("删除F7"));
    button_save = AddToolButton("button_save", QStringLiteral("保存F8"));
    button_cancel = AddToolButton("button_cancel", QStringLiteral("取消F9"));
    button_find = AddToolButton("button_find", QStringLiteral("查找F10"));
    button_First = AddToolButton("button_First", QStringLiteral("头一条"));
    button_Prior = AddToolButton("button_Prior", QStringLiteral("前一条 "));
    button_next = AddToolButton("button_next", QStringLiteral("下一条"));
    button_Last = AddToolButton("button_Last", QStringLiteral("末一条"));
    Button_Other = AddToolButton("Button_Other", QStringLiteral("补充"));
    button_check = AddToolButton("button_check", QStringLiteral("确认"));
    button_print = AddToolButton("button_print", QStringLiteral("打印F11"));
    button_close = AddToolButton("button_close", QStringLiteral("关闭F12"));
    barLayout->addStretch();
    for (QToolButton* hidden : {button_First, button_Prior, button_next, button_Last, Button_Other})
        hidden->setVisible(false);
    ui::SetTag(button_check, 1);
    ui::SetTag(button_close, 1);

    SetOnClick(button_save, [this](QObject* sender) { button_saveClick(sender); });
    SetOnClick(button_check, [this](QObject* sender) { button_checkClick(sender); });
    SetOnClick(button_close, [this](QObject* sender) { button_closeClick(sender); });

    auto* formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->setSpacing(0);
    formLayout->addWidget(CoolBar1);
}

QToolButton* TKXAppForm::AddToolButton(const char* name, const QString& caption) {
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setMinimumSize(49, 51);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    ToolBar1->layout()->addWidget(button);
    return button;
}

void TKXAppForm::FormShow() {
    TKXBaseForm::FormShow();
    if (CoolBar1->isVisibleTo(this))
        ToolBar1->setFocus();
}

void TKXAppForm::FormClose(TCloseAction& action) {
    TKXBaseForm::FormClose(action);
    action = TCloseAction::caFree;
}

void TKXAppForm::FormKeyDown(int& key, ui::TShiftState shift) {
    TKXBaseForm::FormKeyDown(key, shift);
    const QString name = FunctionKeyButton(TFormKind::AppForm, key);
    if (!name.isEmpty() && ClickByKey(findChild<QAbstractButton*>(name)))
        key = 0;
}

void TKXAppForm::button_saveClick(QObject* /*sender*/) {
    Checking = false;
    ToolBar1->setFocus();
}

void TKXAppForm::button_checkClick(QObject* /*sender*/) {
    Checking = true;
}

void TKXAppForm::button_closeClick(QObject* /*sender*/) {
    close();
}

} // namespace kx
