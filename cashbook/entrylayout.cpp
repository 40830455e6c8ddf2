#include "cashbook/entrylayout.h"

#include "core/moneytext.h"

#include <algorithm>
#include <cmath>

namespace kx {
namespace {

constexpr std::array<int, 4> kEntryLefts = {63, 264, 465, 666};
constexpr std::array<int, 4> kPreviewLefts = {63, 264, 466, 668};
constexpr std::array<int, 4> kButtonLefts = {0, 196, 398, 600};
constexpr std::array<int, 4> kLabelRights = {61, 262, 463, 664};
constexpr int kFirstTop = 10;
constexpr int kLabelDrop = 4;
constexpr int kSlotsPerRow = 4;
constexpr int kAmountLength = 12;

const QString kAccountName = QStringLiteral("MONEY_ACCOUNT_NAME");
const QString kNote = QStringLiteral("MONEY_TEXT_NOTE");

int SlotRow(int slot) {
    return (slot - 1) / kSlotsPerRow;
}
int SlotColumn(int slot) {
    return (slot - 1) % kSlotsPerRow;
}
int SlotTop(int slot) {
    return kFirstTop + kEntrySlotHeight * SlotRow(slot);
}

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
            label.Right = kLabelRights[SlotColumn(slot)];
            label.Top = SlotTop(slot) + kLabelDrop;
        }
        Label(1).Caption = QStringLiteral("记录编号");
        Label(kNoteSlot) = {kFreeSlotCaption, true, false, kLabelRights[0], kNoteTop + kLabelDrop};
    }

    void PlaceNoteRow(const TMoneyFieldSlot& row) {
        Label(kNoteSlot).Caption = row.DisplayName;
        TEntryControlPlace& note = Place(QStringLiteral("KXDBEdit_MONEY_TEXT_NOTE"));
        note.Bound = true;
        note.TabOrder = kNoteSlot;
        note.Left = kEntryLefts[0];
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
            control.Left = kEntryLefts[SlotColumn(slot)];
            control.Top = SlotTop(slot);
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
        for (int slot = 3; slot <= kNoteSlot; ++slot)
            if (IsFree(slot))
                Label(slot).Visible = false;
        for (int slot = 2; slot <= kEntrySlotCount; ++slot)
            if (!slotControls_[static_cast<std::size_t>(slot)].isEmpty())
                Place(slotControls_[static_cast<std::size_t>(slot)]).Width =
                    kEntrySlotWidth + kEntrySlotPitch * FreeSlotsRightOf(slot);
        if (!IsFree(kNoteSlot))
            MoveNoteRowUp();
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

    int FreeSlotsRightOf(int slot) {
        int count = 0;
        for (int next = slot + 1;
             next <= kEntrySlotCount && SlotRow(next) == SlotRow(slot) && IsFree(next); ++next)
            ++count;
        return count;
    }

    bool RowEmpty(int row) {
        const int first = (row - 1) * kSlotsPerRow + 1;
        for (int slot = first; slot < first + kSlotsPerRow; ++slot)
            if (!IsFree(slot))
                return false;
        return true;
    }

    static int RowTop(int row) { return kFirstTop + kEntrySlotHeight * (row - 1); }

    // The note takes the top of the first empty row below the used ones,
    // never the first row.
    void MoveNoteRowUp() {
        int top = kNoteTop;
        if (RowEmpty(5) && !RowEmpty(4))
            top = RowTop(5);
        else if (RowEmpty(4) && !RowEmpty(3))
            top = RowTop(4);
        else if (RowEmpty(3) && !RowEmpty(2))
            top = RowTop(3);
        else if (RowEmpty(2) && RowEmpty(3))
            top = RowTop(2);
        Place(QStringLiteral("KXDBEdit_MONEY_TEXT_NOTE")).Top = top;
        Label(kNoteSlot).Top = top + kLabelDrop;
    }

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
    const double value = MoneyTextToFloat(storedOrder);
    for (int slot = 1; slot <= kEntrySlotCount; ++slot)
        if (value == slot)
            return slot;
    return 0;
}

QRect EntrySlotRect(int slot) {
    return {kEntryLefts[SlotColumn(slot)], SlotTop(slot), kEntrySlotWidth, kEntrySlotHeight};
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
    if (slot == kNoteSlot)
        return {kButtonLefts[0], kNoteTop, 65, kEntrySlotHeight};
    return {kButtonLefts[SlotColumn(slot)], SlotTop(slot), SlotColumn(slot) == 0 ? 65 : 70,
            kEntrySlotHeight};
}

QRect PreviewSlotRect(int slot) {
    return {kPreviewLefts[SlotColumn(slot)], SlotTop(slot), kEntrySlotWidth, kEntrySlotHeight};
}

const TEntryControlRule* PreviewControlFor(const QString& column, const QString& findType) {
    if (column == QLatin1String("MONEY_ID") || column == kNote)
        return nullptr;
    return EntryControlFor(column, findType);
}

} // namespace kx
