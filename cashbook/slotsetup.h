#pragma once
// What the record field set-up window reads and places: the row a slot
// button opens the slot dialog on, the slot a slot without a row offers,
// the preview control a slot row moves into place, the close rule and the
// slot table's content, by which the window tells whether a dialog changed
// anything.

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace kx {

// The statement that reads slot n's row: slots 1 and 21 by their fixed
// column, the others by their number.
QString SlotRowSql(int slot);

// What the slot dialog is given for a slot without a row: the record
// number, the record date and the note for slots 1, 2 and 21; an undefined
// slot otherwise.
struct TSlotOffer {
    QString FieldName;
    QString DisplayName;
    QString FindType;
};
TSlotOffer SlotWithoutRow(int slot);

// The preview control a slot row moves beside its button, and the other
// control of a text column, which leaves the preview. Only slots 2 to 20
// are placed, and only the combinations the entry window offers.
struct TPreviewPlacement {
    QString Control;
    QString Hidden; // empty unless a text column
    QRect Rect;
};
std::optional<TPreviewPlacement> PreviewPlacement(const QString& column, const QString& findType,
                                                  int slot);

// True while some slot holds the fund account.
bool HasAccountSlot();

// Every row of SYS_MONEY_FIELD_TABLE as text, by column name.
QStringList FieldSlotTableRows();

} // namespace kx
