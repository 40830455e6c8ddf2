#include "staff/selectemployeefieldform.h"

#include "core/appstate.h"
#include "core/messages.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxedit.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"
#include "staff/employeefieldslot.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kx::staff {
namespace {

constexpr int kCaptionBytes = 12;

} // namespace

TSelectEmployeeFieldForm::TSelectEmployeeFieldForm(QWidget* parent)
    : QDialog(parent), KXEdit1(new TKXEdit(this)), KXComboBox1(new TKXComboBox(this)),
      KXComboBox2(new TKXComboBox(this)),
      CheckBox1(new QCheckBox(QStringLiteral("是排序字段"), this)),
      Button_ok(new QPushButton(QStringLiteral("确定"), this)),
      Button_Close(new QPushButton(QStringLiteral("关闭"), this)) {
    setObjectName(QStringLiteral("SelectEmployeeFieldForm"));
    setWindowTitle(QStringLiteral("字段选择窗口"));
    KXEdit1->setObjectName(QStringLiteral("KXEdit1"));
    KXEdit1->SetMaxLength(kCaptionBytes);
    KXComboBox1->setObjectName(QStringLiteral("KXComboBox1"));
    KXComboBox1->SetStyle(csDropDown);
    KXComboBox1->addItems(EmployeeFieldCategories());
    KXComboBox2->setObjectName(QStringLiteral("KXComboBox2"));
    KXComboBox2->SetStyle(csDropDownList);
    KXComboBox2->addItems({kTypedInput, kChosenInput});
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    for (QPushButton* button : {Button_ok, Button_Close})
        button->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("字段名称"), KXEdit1);
    form->addRow(QStringLiteral("字段选择"), KXComboBox1);
    form->addRow(QStringLiteral("输入方式选择"), KXComboBox2);
    form->addRow(QString(), CheckBox1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button_ok, &QPushButton::clicked, this, ui::Guard([this] { Button_okClick(); }));
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    connect(KXComboBox1, &QComboBox::currentTextChanged, this,
            ui::Guard([this] { KXComboBox1Change(); }));
    // Esc is the OK button's key.
    ui::ClickOnEscape(this, Button_ok);
    FormCreate();
}

void TSelectEmployeeFieldForm::FormCreate() {
    KXEdit1->SetColorOnFocus(AppFocusColor);
    KXEdit1->SetColor(AppEditColor);
    for (TKXComboBox* box : {KXComboBox1, KXComboBox2}) {
        box->SetColorOnFocus(AppFocusColor);
        box->SetColor(AppEditColor);
    }
}

void TSelectEmployeeFieldForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ui::Guard([this] { FormShow(); })();
}

// The presets change no enabling: only a category the user picks does.
void TSelectEmployeeFieldForm::FormShow() {
    const QSignalBlocker blocker(KXComboBox1);
    KXEdit1->setText(FieldDisplayName);
    KXComboBox2->SetText(FieldFindType == u"DT" || FieldFindType == u"D" ? kChosenInput
                                                                         : kTypedInput);
    KXComboBox1->SetText(ColumnToCategory(FieldName));
    if (IsKeyColumn(FieldName)) {
        KXComboBox1->setEnabled(false);
        KXComboBox2->setEnabled(false);
        KXComboBox2->SetText(kTypedInput);
    } else if (FieldName.startsWith(QLatin1String("EMPLOYEE_DATE_FIELD"))) {
        KXComboBox2->setEnabled(false);
    }
    KXEdit1->setFocus();
}

void TSelectEmployeeFieldForm::KXComboBox1Change() {
    switch (InputModeRuleFor(KXComboBox1->Text())) {
    case TInputModeRule::AlwaysChosen:
        KXComboBox2->SetText(kChosenInput);
        KXComboBox2->setEnabled(false);
        break;
    case TInputModeRule::AlwaysTyped:
        KXComboBox2->SetText(kTypedInput);
        KXComboBox2->setEnabled(false);
        break;
    case TInputModeRule::Free:
        KXComboBox2->setEnabled(true);
        break;
    }
}

void TSelectEmployeeFieldForm::FocusBox(TKXComboBox* box) {
    if (box->isEnabled())
        box->setFocus();
}

void TSelectEmployeeFieldForm::Button_okClick() {
    TSlotRequest request;
    request.Slot = FieldOrder.toInt();
    request.FormerColumn = FieldName;
    request.Caption = KXEdit1->text();
    request.Category = KXComboBox1->Text();
    request.InputMode = KXComboBox2->Text();
    request.Sortable = CheckBox1->isChecked();
    const TSlotOutcome outcome = SaveEmployeeFieldSlot(request);
    if (!outcome.Saved) {
        ShowPromptMessage(outcome.Message);
        if (outcome.Focus == TSlotFocus::Caption)
            KXEdit1->setFocus();
        else if (outcome.Focus == TSlotFocus::Category)
            FocusBox(KXComboBox1);
        else if (outcome.Focus == TSlotFocus::InputMode)
            FocusBox(KXComboBox2);
        return;
    }
    const TEmployeeFieldRow& stored = outcome.Stored;
    FieldName = stored.FieldName;
    FieldDisplayName = stored.DisplayName;
    FieldType = stored.FieldType;
    FieldFindType = stored.FindType;
    FieldWidth = outcome.Removed ? QString() : QString::number(stored.FieldWidth);
    FieldDisplayWidth = outcome.Removed ? QString() : QString::number(stored.DisplayWidth);
    accept();
}

} // namespace kx::staff

#include "moc_selectemployeefieldform.cpp"
