#pragma once
// Confirming the slot dialog: checks what the user chose for one record
// slot and writes the slot's row of SYS_MONEY_FIELD_TABLE, or deletes it
// when the caption was cleared. Every check runs before anything is
// written, and a slot's change of column (its old row deleted, its new row
// written) is one transaction, so a refusal or an error leaves the table as
// it was. Only the slot's own row is ever deleted: a slot that opens on a
// column held by another slot leaves that slot's row alone.

#include <QString>

namespace kx {

namespace db {
class TQuery;
}

inline const QString kFieldSlotTable = QStringLiteral("SYS_MONEY_FIELD_TABLE");

// What the dialog holds when its confirm is pressed.
struct TFieldSlotEntry {
    QString Order;        // the slot number as text
    QString FieldName;    // the slot's column when the dialog opened; empty when undefined
    bool KeySlot = false; // the record number or the note: its kind is fixed
    QString Caption;
    QString Kind;
    QString InputMode;
    bool SortField = false;
};

// Where a refusal sends the focus.
enum class TFieldSlotControl { None, Caption, Kind, InputMode };

struct TFieldSlotOutcome {
    bool Done = false; // the slot's row was written or deleted
    QString Refusal;   // the prompt to show when not done
    TFieldSlotControl Focus = TFieldSlotControl::None;
    // After Done: the slot as saved; an undefined slot has an empty column
    // and find type and the caption "未定义".
    QString FieldName;
    QString DisplayName;
    QString FindType;
};

// Runs the confirm on a live query over the database "RUReravezDataBase",
// which holds the row being written and is left closed to edits. Errors of
// the database reach the caller after everything was rolled back.
TFieldSlotOutcome ConfirmFieldSlot(db::TQuery& query, const TFieldSlotEntry& entry);

} // namespace kx
