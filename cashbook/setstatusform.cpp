#include "cashbook/setstatusform.h"

#include "cashbook/statuschoice.h"
#include "core/appstate.h"
#include "core/messages.h"
#include "frame/controls/kxcombobox.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

TSetStatusForm::TSetStatusForm(QWidget* parent)
    : QDialog(parent), KXComboBox1(new TKXComboBox(this)),
      Button_ok(new QPushButton(QStringLiteral("确定"), this)),
      Button_Close(new QPushButton(QStringLiteral("关闭"), this)) {
    setWindowTitle(QStringLiteral("状态选择窗口"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    KXComboBox1->setObjectName(QStringLiteral("KXComboBox1"));
    KXComboBox1->SetStyle(csDropDownList);
    KXComboBox1->SetColorOnFocus(AppFocusColor);
    KXComboBox1->setMinimumWidth(160);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    Button_ok->setAutoDefault(false);
    Button_Close->setAutoDefault(false);

    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(QStringLiteral("状态"), this));
    choice->addWidget(KXComboBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(20);
    layout->addLayout(choice);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button_ok, &QPushButton::clicked, this, ui::Guard([this] { Button_okClick(); }));
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    ui::ClickOnEscape(this, Button_ok);
}

void TSetStatusForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSetStatusForm::FormShow() {
    QStringList items;
    for (int index = 0; index < KXComboBox1->count(); ++index)
        items.append(KXComboBox1->itemText(index));
    KXComboBox1->setCurrentIndex(PreselectedStatusIndex(items, CurrentStatus));
    KXComboBox1->setFocus();
}

void TSetStatusForm::Button_okClick() {
    if (KXComboBox1->Text().trimmed().isEmpty()) {
        ShowPromptMessage(QStringLiteral("必须选择状态"));
        KXComboBox1->setFocus();
        return;
    }
    accept();
}

} // namespace kx

#include "moc_setstatusform.cpp"
