#include "cashbook/setintooutmoneyfieldform.h"

#include "cashbook/entrylayout.h"
#include "cashbook/recordcolumns.h"
#include "cashbook/selectintomoneyfieldform.h"
#include "cashbook/slotsetup.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/ui/application.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace kx {
namespace {

constexpr int kClientWidth = 809;
constexpr int kClientHeight = 227;
constexpr int kPanelTop = 182;
// The note's preview spans the four slot columns beside slot 21's button.
constexpr int kNotePreviewTop = 109;
constexpr int kNotePreviewWidth = 740;
const QString kRecordNumberEdit = QStringLiteral("KXDBEdit_MONEY_ID");
const QString kNoteEdit = QStringLiteral("KXDBEdit_MONEY_TEXT_NOTE");
const QString kAccountEdit = QStringLiteral("KXDBComboEdit_MONEY_ACCOUNT_NAME");

} // namespace

TSetIntoOutMoneyFieldForm::TSetIntoOutMoneyFieldForm(QWidget* parent)
    : QDialog(parent),
      Label10(new QLabel(QStringLiteral("备注字段、字符字段6 和字符字段7 "
                                        "可以输入160英文字符,其他字符字段可以输入50个英文字符"),
                         this)) {
    setWindowTitle(QStringLiteral("资金借贷记录字段设置窗口"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    for (int slot = 1; slot <= kNoteSlot; ++slot) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(slot));
        button->setText(kFreeSlotCaption);
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(SlotButtonRect(slot));
        connect(button, &QToolButton::clicked, this,
                ui::Guard([this, slot] { SpeedButtonClick(slot); }));
        speedButtons_.at(static_cast<std::size_t>(slot - 1)) = button;
    }
    MakePreviewControls();
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setGeometry(8, 146, kClientWidth - 16, 18);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(0, kPanelTop, kClientWidth, kClientHeight - kPanelTop);
    Button_Close = new QPushButton(QStringLiteral("关闭"), panel);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    Button_Close->setAutoDefault(false);
    Button_Close->setGeometry((kClientWidth - 81) / 2, 10, 81, 25);
    connect(Button_Close, &QPushButton::clicked, this, &QWidget::close);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// Every input the entry window prepares, unbound so that it shows as an
// empty box, parked out of sight until a slot row places it; the record
// number and the note keep their places beside slots 1 and 21.
void TSetIntoOutMoneyFieldForm::MakePreviewControls() {
    for (const TEntryControlRule& rule : EntryControlRules()) {
        QWidget* control = nullptr;
        if (rule.ButtonEdit) {
            auto* edit = new TKXDBComboEdit(this);
            edit->setEnabled(rule.Name == kAccountEdit);
            control = edit;
        } else {
            auto* edit = new TKXDBEdit(this);
            edit->SetReadOnly(true);
            control = edit;
        }
        control->setObjectName(rule.Name);
        control->setGeometry(EntrySlotRect(1).left(), kOutOfSightTop, kEntrySlotWidth,
                             kEntrySlotHeight);
    }
    PreviewControl(kRecordNumberEdit)->move(EntrySlotRect(1).topLeft());
    PreviewControl(kNoteEdit)->setGeometry(EntrySlotRect(1).left(), kNotePreviewTop,
                                           kNotePreviewWidth, kEntrySlotHeight);
}

QWidget* TSetIntoOutMoneyFieldForm::PreviewControl(const QString& name) const {
    return findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

void TSetIntoOutMoneyFieldForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    try {
        LoadSlots();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TSetIntoOutMoneyFieldForm::LoadSlots() {
    if (!FieldQuery)
        return;
    for (const TMoneyFieldSlot& row : ReadFieldSlots(*FieldQuery)) {
        if (row.FieldName == QLatin1String("MONEY_ID"))
            SpeedButton(1)->setText(row.DisplayName);
        if (row.FieldName == QLatin1String("MONEY_TEXT_NOTE"))
            SpeedButton(kNoteSlot)->setText(row.DisplayName);
        PlaceFieldControl(row.FieldName, row.FindType, row.DisplayName, EntrySlotNumber(row.Order));
    }
}

void TSetIntoOutMoneyFieldForm::PlaceFieldControl(const QString& column, const QString& findType,
                                                  const QString& caption, int slot) {
    const std::optional<TPreviewPlacement> placement = PreviewPlacement(column, findType, slot);
    if (!placement)
        return;
    if (!placement->Hidden.isEmpty()) {
        QWidget* hidden = PreviewControl(placement->Hidden);
        hidden->move(hidden->x(), kOutOfSightTop);
        std::replace(placed_.begin(), placed_.end(), hidden, static_cast<QWidget*>(nullptr));
    }
    QWidget* control = PreviewControl(placement->Control);
    control->setGeometry(placement->Rect);
    control->raise();
    placed_.at(static_cast<std::size_t>(slot - 1)) = control;
    ApplyTabOrder();
    SpeedButton(slot)->setText(caption);
}

// The placed previews take the focus in slot order.
void TSetIntoOutMoneyFieldForm::ApplyTabOrder() {
    QWidget* previous = PreviewControl(kRecordNumberEdit);
    for (QWidget* control : placed_) {
        if (!control)
            continue;
        setTabOrder(previous, control);
        previous = control;
    }
    setTabOrder(previous, PreviewControl(kNoteEdit));
}

void TSetIntoOutMoneyFieldForm::SpeedButtonClick(int slot) {
    TSelectIntoMoneyFieldForm dialog;
    {
        const std::unique_ptr<db::TQuery> row = OpenSqlQuery(kDatabaseName, SlotRowSql(slot));
        if (row->IsEmpty()) {
            const TSlotOffer offer = SlotWithoutRow(slot);
            dialog.SlotFieldName = offer.FieldName;
            dialog.SlotDisplayName = offer.DisplayName;
            dialog.SlotFindType = offer.FindType;
        } else {
            dialog.SlotFieldName = row->FieldByName("FIELD_NAME")->AsString();
            dialog.SlotDisplayName = row->FieldByName("FIELD_DISPLAY_NAME")->AsString();
            dialog.SlotFindType = row->FieldByName("FIELD_FIND_TYPE")->AsString();
            dialog.CheckBox1->setChecked(row->FieldByName("FIELD_ORDER_TYPE")->AsString() ==
                                         QStringLiteral("是"));
        }
    }
    dialog.SlotOrder = QString::number(slot);
    // Only a real change of the slots makes the caller rebuild its columns,
    // which throws away every user's stored column layout.
    const QStringList before = FieldSlotTableRows();
    ForceForegroundFocus(&dialog);
    if (ui::ExecModal(dialog) == QDialog::Accepted) {
        SpeedButton(slot)->setText(dialog.SlotDisplayName);
        PlaceFieldControl(dialog.SlotFieldName, dialog.SlotFindType, dialog.SlotDisplayName, slot);
    }
    if (FieldSlotTableRows() != before)
        SlotsChanged = true;
}

bool TSetIntoOutMoneyFieldForm::FormCloseQuery() {
    if (HasAccountSlot())
        return true;
    ShowPromptMessage(QStringLiteral("必须有个字段选择资金账号字段"));
    return false;
}

void TSetIntoOutMoneyFieldForm::done(int result) {
    bool canClose = false;
    try {
        canClose = FormCloseQuery();
    } catch (...) {
        ui::HandleCurrentException();
    }
    if (canClose)
        QDialog::done(result);
}

} // namespace kx

#include "moc_setintooutmoneyfieldform.cpp"
