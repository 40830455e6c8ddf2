#pragma once
// What the slot dialog's OK does to SYS_EMPLOYEE_FIELD_TABLE: removes the
// slot's definition when its caption is cleared, or writes the chosen
// column with its defaults into the slot. Every refusal leaves the table as
// it was; moving a slot to another column deletes the former row and
// writes the new one together or not at all.

#include "staff/employeefields.h"

namespace kx::staff {

struct TSlotRequest {
    int Slot = 0;         // 1 to 21
    QString FormerColumn; // the slot's column when the dialog opened
    QString Caption;      // as typed; trimmed here
    QString Category;
    QString InputMode; // kTypedInput, kChosenInput or empty
    bool Sortable = false;
};

// The control the dialog gives the focus after a refusal.
enum class TSlotFocus { None, Caption, Category, InputMode };

struct TSlotOutcome {
    bool Saved = false;
    QString Message; // the refusal, empty when saved
    TSlotFocus Focus = TSlotFocus::None;
    // The stored definition; after a removal FieldName, FieldType and
    // FindType are empty and DisplayName is kFreeSlotCaption.
    TEmployeeFieldRow Stored;
    bool Removed = false;
};

TSlotOutcome SaveEmployeeFieldSlot(const TSlotRequest& request);

// The slot number is 1, 2 or 21.
bool IsKeySlot(int slot);

} // namespace kx::staff
