#include "staff/employeeslotlayout.h"

#include <algorithm>

namespace kx::staff {
namespace {

using slotgrid::kOutOfSightTop;

constexpr int kFirstFreeSlot = 3;
constexpr int kLastSlot = slotgrid::kSlotCount;
constexpr int kNoteTabOrder = 22;
constexpr int kSetupNoteTop = 109;
constexpr int kSetupNoteWidth = 740;

QList<TEmployeeEditor> MakeEditors() {
    QList<TEmployeeEditor> list = {
        {QStringLiteral("KXDBEdit_EMPLOYEE_ID"), kEmployeeId, TEditorKind::Id, false},
        {QStringLiteral("KXDBEdit_EMPLOYEE_NAME"), kEmployeeName, TEditorKind::Name, false},
        {QStringLiteral("KXDBEdit_EMPLOYEE_TEXT_NOTE"), kEmployeeNote, TEditorKind::Note, false},
    };
    for (int n = 1; n <= 4; ++n) {
        const QString column = QStringLiteral("EMPLOYEE_DATE_FIELD%1").arg(n);
        list.append({"KXDBComboEdit_" + column, column, TEditorKind::Date, true});
    }
    for (int n = 1; n <= 12; ++n) {
        const QString column = QStringLiteral("EMPLOYEE_TEXT_FIELD%1").arg(n);
        list.append({"KXDBComboEdit_" + column, column, TEditorKind::ChoiceText, true});
        list.append({"KXDBEdit_" + column, column, TEditorKind::PlainText, false});
    }
    for (int n = 1; n <= 6; ++n) {
        const QString column = QStringLiteral("EMPLOYEE_NUMBER_FIELD%1").arg(n);
        list.append({"KXDBEdit_" + column, column, TEditorKind::Number, false});
    }
    return list;
}

TEditorKind KindFor(const QString& findType) {
    if (findType == u"D")
        return TEditorKind::Date;
    if (findType == u"DT")
        return TEditorKind::ChoiceText;
    return TEditorKind::PlainText;
}

TEditorPlace& PlaceOf(QList<TEditorPlace>& places, const QString& name) {
    return *std::find_if(places.begin(), places.end(),
                         [&](const TEditorPlace& place) { return place.Name == name; });
}

const TEditorPlace& PlaceOf(const QList<TEditorPlace>& places, const QString& name) {
    return *std::find_if(places.begin(), places.end(),
                         [&](const TEditorPlace& place) { return place.Name == name; });
}

QList<TEditorPlace> OutOfSight() {
    QList<TEditorPlace> places;
    for (const TEmployeeEditor& editor : EmployeeEditors())
        places.append({editor.Name});
    return places;
}

// The slot 3 to 20 that a stored order names exactly; 0 for any other.
int CellSlot(double order) {
    const int slot = slotgrid::WholeSlot(order);
    return slot >= kFirstFreeSlot ? slot : 0;
}

void Park(TEditorPlace& place) {
    place.Slot = 0;
    place.Rect.moveTop(kOutOfSightTop);
}

// Captions end two pixels left of their editor, three in the first, third
// and fourth columns of the last two rows.
int EntryLabelRight(int slot) {
    const int row = slotgrid::SlotRow(slot);
    const int column = slotgrid::SlotColumn(slot);
    const int right = slotgrid::SlotLabelRight(slot);
    return row >= 3 && column != 1 ? right - 1 : right;
}

class TEntryLayoutBuilder {
public:
    TEntryLayoutBuilder() {
        layout_.Editors = OutOfSight();
        for (int slot = 1; slot <= kLastSlot; ++slot)
            Label(slot) = {kFreeSlotCaption, true, EntryLabelRight(slot),
                           slotgrid::SlotTop(slot) + slotgrid::kLabelDrop};
        Label(1).Caption = QStringLiteral("档案编号");
        Label(2).Caption = QStringLiteral("档案名称");
        Label(kNoteSlot) = {kFreeSlotCaption, true, slotgrid::SlotLabelRight(1),
                            slotgrid::kNoteTop + slotgrid::kLabelDrop};
        Fix(QStringLiteral("KXDBEdit_EMPLOYEE_ID"), slotgrid::EntrySlotRect(1), -1);
        Fix(QStringLiteral("KXDBEdit_EMPLOYEE_NAME"), slotgrid::EntrySlotRect(2), -1);
    }

    void PlaceKeyColumn(const TEmployeeFieldRow& row) {
        if (row.FieldName == kEmployeeId) {
            Label(1).Caption = row.DisplayName;
            Bind(QStringLiteral("KXDBEdit_EMPLOYEE_ID"), 0);
        } else if (row.FieldName == kEmployeeName) {
            Label(2).Caption = row.DisplayName;
            Bind(QStringLiteral("KXDBEdit_EMPLOYEE_NAME"), 1);
        } else if (row.FieldName == kEmployeeNote) {
            Label(kNoteSlot).Caption = row.DisplayName;
            Fix(QStringLiteral("KXDBEdit_EMPLOYEE_TEXT_NOTE"),
                {slotgrid::EntrySlotRect(1).left(), slotgrid::kNoteTop, slotgrid::kNoteWidth,
                 slotgrid::kSlotHeight},
                kNoteTabOrder);
            Bind(QStringLiteral("KXDBEdit_EMPLOYEE_TEXT_NOTE"), kNoteTabOrder);
        }
    }

    void PlaceField(const TEmployeeFieldRow& row) {
        const TEmployeeEditor* editor = SlotEditorFor(row.FieldName, row.FindType);
        if (!editor)
            return;
        TEditorPlace& place = PlaceOf(layout_.Editors, editor->Name);
        place.Bound = true;
        const QString twin = TwinEditorName(*editor);
        if (!twin.isEmpty())
            Park(PlaceOf(layout_.Editors, twin));
        const int slot = CellSlot(row.Order);
        if (slot == 0)
            return;
        place.Slot = slot;
        place.TabOrder = slot;
        place.Rect = slotgrid::EntrySlotRect(slot);
        Label(slot).Caption = row.DisplayName;
        if (!twin.isEmpty())
            slotEditors_[static_cast<std::size_t>(slot)] = editor->Name;
    }

    TEntryFieldLayout HideUndefinedSlots() {
        slotgrid::TFreeSlots free{};
        for (int slot = 1; slot <= kNoteSlot; ++slot)
            free[static_cast<std::size_t>(slot)] = Label(slot).Caption == kFreeSlotCaption;
        for (int slot = kFirstFreeSlot; slot <= kNoteSlot; ++slot)
            if (free[static_cast<std::size_t>(slot)])
                Label(slot).Visible = false;
        for (int slot = kFirstFreeSlot; slot <= kLastSlot; ++slot) {
            const QString& name = slotEditors_[static_cast<std::size_t>(slot)];
            if (!name.isEmpty())
                PlaceOf(layout_.Editors, name).Rect.setWidth(slotgrid::WidenedWidth(free, slot));
        }
        if (!free[kNoteSlot]) {
            const int top = slotgrid::NoteRowTop(free);
            PlaceOf(layout_.Editors, QStringLiteral("KXDBEdit_EMPLOYEE_TEXT_NOTE"))
                .Rect.moveTop(top);
            Label(kNoteSlot).Top = top + slotgrid::kLabelDrop;
        }
        return layout_;
    }

private:
    TSlotLabel& Label(int slot) { return layout_.Labels[static_cast<std::size_t>(slot - 1)]; }

    void Fix(const QString& name, const QRect& rect, int tabOrder) {
        TEditorPlace& place = PlaceOf(layout_.Editors, name);
        place.Rect = rect;
        place.TabOrder = tabOrder;
    }

    void Bind(const QString& name, int tabOrder) {
        TEditorPlace& place = PlaceOf(layout_.Editors, name);
        place.Bound = true;
        place.TabOrder = tabOrder;
    }

    TEntryFieldLayout layout_;
    std::array<QString, kLastSlot + 1> slotEditors_;
};

} // namespace

const QList<TEmployeeEditor>& EmployeeEditors() {
    static const QList<TEmployeeEditor> editors = MakeEditors();
    return editors;
}

const TEmployeeEditor* EmployeeEditor(const QString& name) {
    const QList<TEmployeeEditor>& editors = EmployeeEditors();
    const auto found =
        std::find_if(editors.begin(), editors.end(),
                     [&](const TEmployeeEditor& editor) { return editor.Name == name; });
    return found == editors.end() ? nullptr : &*found;
}

const TEmployeeEditor* SlotEditorFor(const QString& column, const QString& findType) {
    if (findType != u"D" && findType != u"DT" && findType != u"T")
        return nullptr;
    TEditorKind kind = KindFor(findType);
    if (kind == TEditorKind::PlainText && column.startsWith(QLatin1String("EMPLOYEE_NUMBER_FIELD")))
        kind = TEditorKind::Number;
    const QList<TEmployeeEditor>& editors = EmployeeEditors();
    const auto found = std::find_if(editors.begin(), editors.end(), [&](const TEmployeeEditor& e) {
        return e.FieldName == column && e.Kind == kind;
    });
    return found == editors.end() ? nullptr : &*found;
}

QString TwinEditorName(const TEmployeeEditor& editor) {
    if (editor.Kind == TEditorKind::ChoiceText)
        return "KXDBEdit_" + editor.FieldName;
    if (editor.Kind == TEditorKind::PlainText)
        return "KXDBComboEdit_" + editor.FieldName;
    return {};
}

const TEditorPlace& TEntryFieldLayout::Editor(const QString& name) const {
    return PlaceOf(Editors, name);
}

TEntryFieldLayout LayoutEntryFields(const TEmployeeFieldRows& rows) {
    TEntryLayoutBuilder builder;
    for (const TEmployeeFieldRow& row : rows) {
        builder.PlaceKeyColumn(row);
        builder.PlaceField(row);
    }
    return builder.HideUndefinedSlots();
}

TSetupSlots::TSetupSlots() : Editors(OutOfSight()) {
    Captions.fill(kFreeSlotCaption);
    PlaceOf(Editors, QStringLiteral("KXDBEdit_EMPLOYEE_ID")).Rect = slotgrid::PreviewSlotRect(1);
    PlaceOf(Editors, QStringLiteral("KXDBEdit_EMPLOYEE_NAME")).Rect = slotgrid::PreviewSlotRect(2);
    TEditorPlace& note = PlaceOf(Editors, QStringLiteral("KXDBEdit_EMPLOYEE_TEXT_NOTE"));
    note.Rect = {slotgrid::PreviewSlotRect(1).left(), kSetupNoteTop, kSetupNoteWidth,
                 slotgrid::kSlotHeight};
    note.TabOrder = kNoteTabOrder;
}

const TEditorPlace& TSetupSlots::Editor(const QString& name) const {
    return PlaceOf(Editors, name);
}

bool TSetupSlots::PlaceField(const QString& column, const QString& findType, double slot,
                             const QString& caption) {
    if (column == kEmployeeNote && findType == u"T") {
        SetCaption(kNoteSlot, caption);
        return true;
    }
    const TEmployeeEditor* editor = SlotEditorFor(column, findType);
    if (!editor)
        return false;
    const QString twin = TwinEditorName(*editor);
    if (!twin.isEmpty())
        Park(PlaceOf(Editors, twin));
    const int cell = CellSlot(slot);
    if (cell == 0)
        return true;
    TEditorPlace& place = PlaceOf(Editors, editor->Name);
    place.Slot = cell;
    place.TabOrder = cell;
    place.Rect = slotgrid::PreviewSlotRect(cell);
    SetCaption(cell, caption);
    return true;
}

void TSetupSlots::ClearSlot(int slot) {
    for (TEditorPlace& place : Editors)
        if (place.Slot == slot)
            Park(place);
}

TSetupSlots LayoutSetupSlots(const TEmployeeFieldRows& rows) {
    TSetupSlots view;
    for (const TEmployeeFieldRow& row : rows) {
        const int keySlot = KeyColumnSlot(row.FieldName);
        if (keySlot != 0)
            view.SetCaption(keySlot, row.DisplayName);
        view.PlaceField(row.FieldName, row.FindType, row.Order, row.DisplayName);
    }
    return view;
}

} // namespace kx::staff
