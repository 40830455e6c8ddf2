#include "cashbook/entrylayout.h"

#include "core/moneytext.h"

#include <algorithm>

namespace kx {
namespace {

constexpr int kAmountLength = 12;

const QString kAccountName = QStringLiteral("MONEY_ACCOUNT_NAME");
const QString kNote = QStringLiteral("MONEY_TEXT_NOTE");

bool IsTextColumn(const QString& column) {
    return column.startsWith(QLatin1String("MONEY_TEXT_FIELD"));
}

QList<TEntryControlRule> MakeSpecs() {
    const QString typed = QStringLiteral("T");
    const QString date = QStringLiteral("D");
    const QString picked = QStringLiteral("DT");
    QList<TEntryControlRule> rules = {
        {"KXDBEdit_MONEY_ID", "MONEY_ID", typed, false, TEntryInput::Text, 0, 1},
        {"KXDBComboEdit_MONEY_DATE", "MONEY_DATE", date, true, TEntryInput::Date, 0, 2},
        {"KXDBComboEditMONEY_DATE_FIELD1", "MONEY_DATE_FIELD1", date, true, TEntryInput::Date, 0,
         2},
        {"KXDBComboEditMONEY_DATE_FIELD2", "MONEY_DATE_FIELD2", date, true, TEntryInput::Date, 0,
         2},
        {"KXDBComboEdit_MONEY_ACCOUNT_NAME", kAccountName, picked, true, TEntryInput::Text, 0, 2},
    };
    for (int n = 1; n <= 7; ++n) {
        const QString column = QStringLiteral("MONEY_TEXT_FIELD%1").arg(n);
        rules.append({"KXDBComboEdit_" + column, column, picked, true, TEntryInput::Text, 0, 2});
        rules.append({"KXDBEdit_" + column, column, typed, false, TEntryInput::Text, 0, 2});
    }
    rules.append({"KXDBComboEdit_MONEY_DEPT_NAME", "MONEY_DEPT_NAME", picked, true,
                  TEntryInput::Text, 0, 1});
    rules.append({"KXDBComboEdit_MONEY_EMPLOYEE_NAME", "MONEY_EMPLOYEE_NAME", picked, true,
                  TEntryInput::Text, 0, 1});
    rules.append({"KXDBEdit_MONEY_TEXT_NOTE", kNote, typed, false, TEntryInput::Text, 0, 2});
    for (int n = 1; n <= 3; ++n) {
        const QString column = QStringLiteral("MONEY_NUMBER_FIELD%1").arg(n);
        rules.append(
            {"KXDBEdit_" + column, column, typed, false, TEntryInput::Number, kAmountLength, 1});
    }
    for (const char* column : {"MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER"})
        rules.append({"KXDBEdit_" + QString::fromLatin1(column), QString::fromLatin1(column), typed,
                      false, TEntryInput::Number, kAmountLength, 1});
    return rules;
}

class TEntryLayoutBuilder {
public:
    TEntryLayoutBuilder() {
        for (const TEntryControlRule& rule : EntryControlRules())
            layout_.Controls.append({rule.Name});
        for (int slot = 1; slot <= kEntrySlotCount; ++slot) {
            TEntryLabel& label = Label(slot);
            label.Caption = kFreeSlotCaption;
            label.Right = slotgrid::SlotLabelRight(slot);
            label.Top = slotgrid::SlotTop(slot) + slotgrid::kLabelDrop;
        }
        Label(1).Caption = QStringLiteral("记录编号");
        Label(kNoteSlot) = {kFreeSlotCaption, true, false, slotgrid::SlotLabelRight(1),
                            kNoteTop + slotgrid::kLabelDrop};
    }

    void PlaceNoteRow(const TMoneyFieldSlot& row) {
        Label(kNoteSlot).Caption = row.DisplayName;
        TEntryControlPlace& note = Place(QStringLiteral("KXDBEdit_MONEY_TEXT_NOTE"));
        note.Bound = true;
        note.TabOrder = kNoteSlot;
        note.Left = slotgrid::EntrySlotRect(1).left();
        note.Top = kNoteTop;
        note.Width = kNoteWidth;
    }

    void PlaceFieldControl(const TMoneyFieldSlot& row) {
        const TEntryControlRule* rule = EntryControlFor(row.FieldName, row.FindType);
        if (!rule)
            return;
        TEntryControlPlace& control = Place(rule->Name);
        control.Bound = true;
        const int slot = EntrySlotNumber(row.Order);
        const bool placed = slot >= rule->FirstSlot;
        if (placed) {
            control.Slot = slot;
            const QRect cell = slotgrid::EntrySlotRect(slot);
            control.Left = cell.left();
            control.Top = cell.top();
            control.TabOrder = slot;
            Label(slot).Caption = row.DisplayName;
        }
        if (row.FieldName == kAccountName && placed)
            Label(slot).Blue = true;
        if (IsTextColumn(row.FieldName))
            PutOutOfSight(TwinOf(*rule));
        if ((row.FieldName == kAccountName || IsTextColumn(row.FieldName)) && placed)
            slotControls_[static_cast<std::size_t>(slot)] = rule->Name;
    }

    TEntryLayout HideUndefinedSlots() {
        slotgrid::TFreeSlots free{};
        for (int slot = 1; slot <= kNoteSlot; ++slot)
            free[static_cast<std::size_t>(slot)] = IsFree(slot);
        for (int slot = 3; slot <= kNoteSlot; ++slot)
            if (IsFree(slot))
                Label(slot).Visible = false;
        for (int slot = 2; slot <= kEntrySlotCount; ++slot)
            if (!slotControls_[static_cast<std::size_t>(slot)].isEmpty())
                Place(slotControls_[static_cast<std::size_t>(slot)]).Width =
                    slotgrid::WidenedWidth(free, slot);
        if (!IsFree(kNoteSlot)) {
            const int top = slotgrid::NoteRowTop(free);
            Place(QStringLiteral("KXDBEdit_MONEY_TEXT_NOTE")).Top = top;
            Label(kNoteSlot).Top = top + slotgrid::kLabelDrop;
        }
        return layout_;
    }

private:
    TEntryLabel& Label(int slot) { return layout_.Labels[static_cast<std::size_t>(slot - 1)]; }

    TEntryControlPlace& Place(const QString& name) {
        return *std::find_if(layout_.Controls.begin(), layout_.Controls.end(),
                             [&](const TEntryControlPlace& place) { return place.Name == name; });
    }

    // The other control of a text column: the plain edit of a button edit
    // and the other way round.
    static QString TwinOf(const TEntryControlRule& rule) {
        return rule.ButtonEdit ? "KXDBEdit_" + rule.FieldName : "KXDBComboEdit_" + rule.FieldName;
    }

    void PutOutOfSight(const QString& name) {
        TEntryControlPlace& control = Place(name);
        control.Slot = 0;
        control.Top = kOutOfSightTop;
    }

    bool IsFree(int slot) { return Label(slot).Caption == kFreeSlotCaption; }

    TEntryLayout layout_;
    std::array<QString, kEntrySlotCount + 1> slotControls_;
};

} // namespace

const QList<TEntryControlRule>& EntryControlRules() {
    static const QList<TEntryControlRule> rules = MakeSpecs();
    return rules;
}

const TEntryControlRule* EntryControlFor(const QString& column, const QString& findType) {
    const QList<TEntryControlRule>& rules = EntryControlRules();
    const auto found = std::find_if(rules.begin(), rules.end(), [&](const TEntryControlRule& rule) {
        return rule.FieldName == column && rule.FindType == findType;
    });
    return found == rules.end() ? nullptr : &*found;
}

int EntrySlotNumber(const QString& storedOrder) {
    return slotgrid::WholeSlot(MoneyTextToFloat(storedOrder));
}

QRect EntrySlotRect(int slot) {
    return slotgrid::EntrySlotRect(slot);
}

const TEntryControlPlace& TEntryLayout::Control(const QString& name) const {
    return *std::find_if(Controls.begin(), Controls.end(),
                         [&](const TEntryControlPlace& place) { return place.Name == name; });
}

TEntryLayout LayoutEntryFields(const TMoneyFieldSlots& rows) {
    TEntryLayoutBuilder builder;
    for (const TMoneyFieldSlot& row : rows) {
        if (row.FieldName == kNote)
            builder.PlaceNoteRow(row);
        builder.PlaceFieldControl(row);
    }
    return builder.HideUndefinedSlots();
}

QRect SlotButtonRect(int slot) {
    return slotgrid::SlotButtonRect(slot);
}

QRect PreviewSlotRect(int slot) {
    return slotgrid::PreviewSlotRect(slot);
}

const TEntryControlRule* PreviewControlFor(const QString& column, const QString& findType) {
    if (column == QLatin1String("MONEY_ID") || column == kNote)
        return nullptr;
    return EntryControlFor(column, findType);
}

} // namespace kx
