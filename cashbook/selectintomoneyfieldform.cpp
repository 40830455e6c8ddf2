#include "cashbook/selectintomoneyfieldform.h"

#include "cashbook/fieldkinds.h"
#include "cashbook/fieldslotwrite.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxedit.h"
#include "platform/db/query.h"
#include "platform/ui/application.h"
#include "platform/ui/keypreview.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kx {
namespace {

// Six Chinese characters.
constexpr int kCaptionBytes = 12;

} // namespace

TSelectIntoMoneyFieldForm::TSelectIntoMoneyFieldForm(QWidget* parent)
    : QDialog(parent), KXEdit1(new TKXEdit(this)), KXComboBox1(new TKXComboBox(this)),
      KXComboBox2(new TKXComboBox(this)),
      CheckBox1(new QCheckBox(QStringLiteral("是排序字段"), this)),
      Button_ok(new QPushButton(QStringLiteral("确定"), this)),
      Button_Close(new QPushButton(QStringLiteral("关闭"), this)), Query(new db::TQuery(this)) {
    setWindowTitle(QStringLiteral("字段选择窗口"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    KXEdit1->setObjectName(QStringLiteral("KXEdit1"));
    KXEdit1->SetEditType(etString);
    KXEdit1->SetMaxLength(kCaptionBytes);
    KXComboBox1->setObjectName(QStringLiteral("KXComboBox1"));
    KXComboBox1->SetStyle(csDropDown);
    KXComboBox1->addItems(FieldKinds());
    KXComboBox2->setObjectName(QStringLiteral("KXComboBox2"));
    KXComboBox2->SetStyle(csDropDownList);
    KXComboBox2->addItems({kDirectInput, kChoiceInput});
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Query->setObjectName(QStringLiteral("Query"));
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    Button_ok->setAutoDefault(false);
    Button_Close->setAutoDefault(false);
    for (QWidget* input : std::initializer_list<QWidget*>{KXEdit1, KXComboBox1, KXComboBox2})
        input->setFixedWidth(160);

    auto* inputs = new QGridLayout;
    inputs->setHorizontalSpacing(8);
    inputs->setVerticalSpacing(10);
    const auto addRow = [&](int row, const QString& caption, QWidget* input) {
        inputs->addWidget(new QLabel(caption, this), row, 0, Qt::AlignRight);
        inputs->addWidget(input, row, 1);
    };
    addRow(0, QStringLiteral("字段名称"), KXEdit1);
    addRow(1, QStringLiteral("字段选择"), KXComboBox1);
    addRow(2, QStringLiteral("输入方式选择"), KXComboBox2);
    inputs->addWidget(CheckBox1, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(18);
    layout->addLayout(inputs);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(KXComboBox1, &QComboBox::currentTextChanged, this,
            ui::Guard([this] { KXComboBox1Change(); }));
    connect(Button_ok, &QPushButton::clicked, this, ui::Guard([this] { Button_okClick(); }));
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    // Esc confirms, as on the program's other choice dialogs.
    ui::ClickOnEscape(this, Button_ok);
    FormCreate();
}

void TSelectIntoMoneyFieldForm::FormCreate() {
    KXEdit1->SetColorOnFocus(AppFocusColor);
    KXEdit1->SetColor(AppEditColor);
    for (TKXComboBox* box : {KXComboBox1, KXComboBox2}) {
        box->SetColorOnFocus(AppFocusColor);
        box->SetColor(AppEditColor);
    }
    Query->SetDatabaseName(kDatabaseName);
    Query->SetRequestLive(true);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSelectIntoMoneyFieldForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSelectIntoMoneyFieldForm::FormShow() {
    KXEdit1->setText(SlotDisplayName);
    const TSlotDialogStart start = SlotDialogStart(SlotFieldName, SlotFindType);
    {
        // The slot's own input mode stands even where choosing its kind
        // would set another.
        const QSignalBlocker quiet(KXComboBox1);
        KXComboBox1->setCurrentIndex(KXComboBox1->findText(start.Kind));
        KXComboBox1->SetText(start.Kind);
    }
    KXComboBox1->setEnabled(start.KindEnabled);
    KXComboBox2->SetText(start.Mode);
    KXComboBox2->setEnabled(start.ModeEnabled);
    KXEdit1->setFocus();
}

void TSelectIntoMoneyFieldForm::KXComboBox1Change() {
    const TInputModeRule rule = InputModeForKind(KXComboBox1->Text());
    if (!rule.Mode.isEmpty())
        KXComboBox2->SetText(rule.Mode);
    KXComboBox2->setEnabled(!rule.Locked);
}

void TSelectIntoMoneyFieldForm::Button_okClick() {
    TFieldSlotEntry entry;
    entry.Order = SlotOrder;
    entry.FieldName = SlotFieldName;
    entry.KeySlot = !KXComboBox1->isEnabled();
    entry.Caption = KXEdit1->text();
    entry.Kind = KXComboBox1->Text();
    entry.InputMode = KXComboBox2->Text();
    entry.SortField = CheckBox1->isChecked();
    const TFieldSlotOutcome outcome = ConfirmFieldSlot(*Query, entry);
    if (!outcome.Done) {
        ShowPromptMessage(outcome.Refusal);
        switch (outcome.Focus) {
        case TFieldSlotControl::Caption:
            KXEdit1->setFocus();
            break;
        case TFieldSlotControl::Kind:
            FocusWhenEnabled(KXComboBox1);
            break;
        case TFieldSlotControl::InputMode:
            FocusWhenEnabled(KXComboBox2);
            break;
        case TFieldSlotControl::None:
            break;
        }
        return;
    }
    SlotFieldName = outcome.FieldName;
    SlotDisplayName = outcome.DisplayName;
    SlotFindType = outcome.FindType;
    accept();
}

void TSelectIntoMoneyFieldForm::FocusWhenEnabled(QWidget* control) {
    if (control->isEnabled())
        control->setFocus();
}

} // namespace kx

#include "moc_selectintomoneyfieldform.cpp"
