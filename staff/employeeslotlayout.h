#pragma once
// Where the employee windows put their editors. Each column has one editor
// per input kind (a text column two: a plain one and one that picks from
// the column's code list); a definition row places the editor of its kind
// in the cell of its slot and parks the other editor of the same column.
// The entry window then hides the captions of free slots, widens text
// editors over the free slots to their right and moves the note row up;
// the field layout window shows the slots as buttons with the editors as a
// preview beside them.

#include "frame/slots/slotgrid.h"
#include "staff/employeefields.h"

#include <QRect>

#include <array>

namespace kx::staff {

enum class TEditorKind { Id, Name, Note, Date, ChoiceText, PlainText, Number };

// One editor of the employee windows, named as the windows name it.
struct TEmployeeEditor {
    QString Name;
    QString FieldName;
    TEditorKind Kind;
    bool ButtonEdit; // a button edit (date or code-list pick), else a plain edit
};

const QList<TEmployeeEditor>& EmployeeEditors();
const TEmployeeEditor* EmployeeEditor(const QString& name);
// The editor a definition of a date, text or number column places: a date
// column with "D", a text column with "DT" (code list) or "T" (plain), a
// number column with "T"; none for another column or kind.
const TEmployeeEditor* SlotEditorFor(const QString& column, const QString& findType);
// The other editor of a text column; empty for other editors.
QString TwinEditorName(const TEmployeeEditor& editor);

struct TEditorPlace {
    QString Name;
    bool Bound = false; // bound to its column, a tab stop when in sight
    int Slot = 0;       // 3 to 20 when in a slot cell
    QRect Rect{0, slotgrid::kOutOfSightTop, slotgrid::kSlotWidth, slotgrid::kSlotHeight};
    int TabOrder = -1;

    bool InSight() const { return Rect.top() != slotgrid::kOutOfSightTop; }
};

struct TSlotLabel {
    QString Caption;
    bool Visible = true;
    int Right = 0; // the label ends here
    int Top = 0;
};

// The entry window: its editors in the order of EmployeeEditors, and the
// labels of slots 1 to 20 and of the note (Labels[20]).
struct TEntryFieldLayout {
    QList<TEditorPlace> Editors;
    std::array<TSlotLabel, slotgrid::kNoteSlot> Labels;

    const TEditorPlace& Editor(const QString& name) const;
    const TSlotLabel& Label(int slot) const { return Labels[static_cast<std::size_t>(slot - 1)]; }
};

TEntryFieldLayout LayoutEntryFields(const TEmployeeFieldRows& rows);

// The field layout window: the captions of its 21 slot buttons and its
// preview editors.
struct TSetupSlots {
    std::array<QString, slotgrid::kNoteSlot> Captions; // slot n at n - 1
    QList<TEditorPlace> Editors;

    TSetupSlots();
    const TEditorPlace& Editor(const QString& name) const;
    const QString& Caption(int slot) const { return Captions[static_cast<std::size_t>(slot - 1)]; }

    // Places the preview editor of a definition in its slot's cell and
    // captions the slot's button; false when no editor takes the definition.
    // A slot outside 3 to 20 moves nothing and captions nothing.
    bool PlaceField(const QString& column, const QString& findType, double slot,
                    const QString& caption);
    // A slot the dialog has just emptied or given another column: its
    // editor leaves the cell.
    void ClearSlot(int slot);
    void SetCaption(int slot, const QString& caption) {
        Captions[static_cast<std::size_t>(slot - 1)] = caption;
    }
};

TSetupSlots LayoutSetupSlots(const TEmployeeFieldRows& rows);

} // namespace kx::staff
