#include "staff/setemployeefieldform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/ui/application.h"
#include "staff/employeefieldslot.h"
#include "staff/selectemployeefieldform.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace kx::staff {
namespace {

constexpr int kClientWidth = 809;
constexpr int kClientHeight = 230;
constexpr int kSlotPanelHeight = 160;
constexpr int kButtonPanelHeight = 70;
constexpr ui::TColor kAqua = 0xFFFF00;

struct TBuiltIn {
    const char* FieldName;
    const char* DisplayName;
    const char* FieldWidth;
    const char* DisplayWidth;
};

// What a key slot offers the dialog while its row is missing.
TBuiltIn BuiltInDefinition(int slot) {
    if (slot == kIdSlot)
        return {"EMPLOYEE_ID", "员工编号", "20", "10"};
    if (slot == kNameSlot)
        return {"EMPLOYEE_NAME", "员工姓名", "50", "20"};
    return {"EMPLOYEE_TEXT_NOTE", "备注", "160", "80"};
}

QString SlotSelect(int slot) {
    const QString head = QStringLiteral("SELECT * FROM SYS_EMPLOYEE_FIELD_TABLE WHERE ");
    if (slot == kIdSlot)
        return head + "FIELD_NAME = 'EMPLOYEE_ID'";
    if (slot == kNameSlot)
        return head + "FIELD_NAME = 'EMPLOYEE_NAME'";
    if (slot == kNoteSlot)
        return head + "FIELD_NAME = 'EMPLOYEE_TEXT_NOTE'";
    return head + "FIELD_ORDER = " + QString::number(slot);
}

} // namespace

TSetEmployeeFieldForm::TSetEmployeeFieldForm(QWidget* parent)
    : QDialog(parent), Panel3(new QFrame(this)), Panel1(new QFrame(this)),
      Label10(new QLabel(QStringLiteral("备注字段和字符字段12可以输入160英文字符,"
                                        "其他字符字段可以输入50个英文字符"),
                         Panel3)),
      Button_Close(new QPushButton(QStringLiteral("关闭"), Panel1)) {
    setObjectName(QStringLiteral("SetEmployeeFieldForm"));
    setWindowTitle(QStringLiteral("员工资料字段设置窗口"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowTitleHint);
    setFont(QFont(QStringLiteral("宋体"), 9));
    setFixedSize(kClientWidth, kClientHeight);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(0, 0, kClientWidth, kSlotPanelHeight);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, kClientHeight - kButtonPanelHeight, kClientWidth, kButtonPanelHeight);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setStyleSheet(QStringLiteral("color: red"));
    Label10->move(188, 138);
    Label10->adjustSize();
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    Button_Close->setGeometry(367, 22, 75, 25);
    Button_Close->setAutoDefault(false);
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);

    for (const TEmployeeEditor& editor : EmployeeEditors())
        editors_.insert(editor.Name, MakeEditor(editor));
    for (int slot = 1; slot <= kNoteSlot; ++slot) {
        auto* button = new QPushButton(kFreeSlotCaption, Panel3);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(slot));
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(slotgrid::SlotButtonRect(slot));
        connect(button, &QPushButton::clicked, this,
                ui::Guard([this, slot] { SlotButtonClick(slot); }));
        SpeedButtons.append(button);
    }
    ApplySlots();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* TSetEmployeeFieldForm::MakeEditor(const TEmployeeEditor& editor) {
    QWidget* widget = nullptr;
    if (editor.ButtonEdit) {
        auto* edit = new TKXDBComboEdit(Panel3);
        edit->SetButtonEnabled(false);
        edit->setEnabled(false);
        widget = edit;
    } else {
        auto* edit = new TKXDBEdit(Panel3);
        edit->SetReadOnly(true);
        edit->SetColor(ui::clWhite);
        edit->SetColorOnFocus(kAqua);
        widget = edit;
    }
    widget->setObjectName(editor.Name);
    return widget;
}

// Shows the slot captions and moves each editor to its place; the editor
// placed last lies on top.
void TSetEmployeeFieldForm::ApplySlots() {
    for (int slot = 1; slot <= kNoteSlot; ++slot)
        SpeedButtons[slot - 1]->setText(slots_.Caption(slot));
    for (const TEditorPlace& place : slots_.Editors) {
        QWidget* editor = editors_.value(place.Name);
        editor->setGeometry(place.Rect);
        if (place.InSight())
            editor->raise();
    }
}

void TSetEmployeeFieldForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    ui::Guard([this] { ShowFieldSlots(); })();
}

void TSetEmployeeFieldForm::ShowFieldSlots() {
    if (!FieldDataSet)
        return;
    slots_ = LayoutSetupSlots(ReadEmployeeFieldRows(*FieldDataSet));
    ApplySlots();
}

void TSetEmployeeFieldForm::SlotButtonClick(int slot) {
    TSelectEmployeeFieldForm dialog(this);
    {
        const auto query = OpenSqlQuery(kDatabaseName, SlotSelect(slot));
        if (!query->IsEmpty()) {
            const auto text = [&](const char* column) {
                return query->FieldByName(QString::fromLatin1(column))->AsString();
            };
            dialog.FieldName = text("FIELD_NAME");
            dialog.FieldDisplayName = text("FIELD_DISPLAY_NAME");
            dialog.FieldType = text("FIELD_TYPE");
            dialog.FieldFindType = text("FIELD_FIND_TYPE");
            dialog.FieldWidth = text("FIELD_WIDTH");
            dialog.FieldDisplayWidth = text("FIELD_DISPLAY_WIDTH");
            dialog.CheckBox1->setChecked(text("FIELD_ORDER_TYPE") == kSortFlagYes);
        } else if (IsKeySlot(slot)) {
            const TBuiltIn builtIn = BuiltInDefinition(slot);
            dialog.FieldName = QString::fromLatin1(builtIn.FieldName);
            dialog.FieldDisplayName = QString::fromUtf8(builtIn.DisplayName);
            dialog.FieldType = QStringLiteral("String");
            dialog.FieldFindType = QStringLiteral("T");
            dialog.FieldWidth = QString::fromLatin1(builtIn.FieldWidth);
            dialog.FieldDisplayWidth = QString::fromLatin1(builtIn.DisplayWidth);
        }
    }
    dialog.FieldOrder = QString::number(slot);
    ForceForegroundFocus(&dialog);
    const int result = dialog.exec();
    if (result == QDialog::Accepted) {
        slots_.SetCaption(slot, dialog.FieldDisplayName);
        if (!IsKeySlot(slot)) {
            // A slot emptied or given another column shows no stale editor.
            slots_.ClearSlot(slot);
            slots_.PlaceField(dialog.FieldName, dialog.FieldFindType, slot,
                              dialog.FieldDisplayName);
        }
        ApplySlots();
    }
    FieldsChanged = true;
}

} // namespace kx::staff

#include "moc_setemployeefieldform.cpp"
