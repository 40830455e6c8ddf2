#pragma once
// Where the record entry window puts its inputs: 20 slots in five rows of
// four and a full-width note row below them. Each slot row moves one of the
// window's prepared controls and a caption into its slot; then the labels
// of free slots are hidden, text and account inputs widen over the free
// slots to their right, and the note row moves up into the first empty row.
// The slot set-up window previews the same grid with its own slot buttons.

#include "cashbook/recordcolumns.h"
#include "frame/slots/slotgrid.h"

#include <QList>
#include <QRect>
#include <QString>

#include <array>

namespace kx {

constexpr int kEntrySlotCount = slotgrid::kSlotCount;
constexpr int kNoteSlot = slotgrid::kNoteSlot;
constexpr int kEntrySlotWidth = slotgrid::kSlotWidth;
constexpr int kEntrySlotHeight = slotgrid::kSlotHeight;
constexpr int kEntrySlotPitch = slotgrid::kSlotPitch;
constexpr int kNoteWidth = slotgrid::kNoteWidth;
constexpr int kNoteTop = slotgrid::kNoteTop;
// Controls no slot shows wait here, far below the field panel.
constexpr int kOutOfSightTop = slotgrid::kOutOfSightTop;

// The caption of a slot that holds no field.
inline const QString kFreeSlotCaption = QStringLiteral("未定义");

enum class TEntryInput { Text, Date, Number };

// One prepared control of the entry window: the record column it edits,
// the input mode in which a slot row uses it and the first slot it accepts
// (the last is always 20).
struct TEntryControlRule {
    QString Name;
    QString FieldName;
    QString FindType;
    bool ButtonEdit;
    TEntryInput Input;
    int MaxLength; // 0: the column's own
    int FirstSlot;
};

// Every control the entry window prepares, one per column and input mode.
const QList<TEntryControlRule>& EntryControlRules();
// The control for a column in an input mode; none for a combination the
// window does not offer (a date typed as "T", an amount as "DT", ...).
const TEntryControlRule* EntryControlFor(const QString& column, const QString& findType);

// The slot number of a stored FIELD_ORDER: a whole number from 1 to 20,
// else 0.
int EntrySlotNumber(const QString& storedOrder);
QRect EntrySlotRect(int slot);

struct TEntryControlPlace {
    QString Name;
    bool Bound = false; // bound to its column and a tab stop
    int Slot = 0;       // 0: in no slot (out of sight unless it is the note row)
    int Left = 0;
    int Top = kOutOfSightTop;
    int Width = kEntrySlotWidth;
    int TabOrder = -1;
};

struct TEntryLabel {
    QString Caption;
    bool Visible = true;
    bool Blue = false; // the fund account's caption
    int Right = 0;     // the label sizes itself leftwards from here
    int Top = 0;
};

struct TEntryLayout {
    QList<TEntryControlPlace> Controls;        // in the order of EntryControlRules
    std::array<TEntryLabel, kNoteSlot> Labels; // Label1 to Label21

    const TEntryControlPlace& Control(const QString& name) const;
};

// The layout of the slot rows, in their order (ascending FIELD_ORDER).
TEntryLayout LayoutEntryFields(const TMoneyFieldSlots& rows);

// The slot set-up window: its slot buttons, and the preview of slots 2 to
// 20 beside them (its last two columns stand one and two pixels further
// right than the entry window's).
QRect SlotButtonRect(int slot);
QRect PreviewSlotRect(int slot);
// The preview control of a column in an input mode, as the entry window
// would use it; none for the record number and the note, which the preview
// keeps beside slots 1 and 21, and for a combination the window does not
// offer. A text column's other control then leaves the preview.
const TEntryControlRule* PreviewControlFor(const QString& column, const QString& findType);

} // namespace kx
