#pragma once
// The grid of field slots that the record entry windows and their slot
// set-up windows share: 20 slots in five rows of four, a full-width note
// row below them. An entry window places one input per used slot, hides
// the captions of free slots, widens a text input over the free slots to
// its right and moves the note row up into the first empty row; a set-up
// window shows each slot as a button with a preview input beside it.

#include <QRect>

#include <array>

namespace kx::slotgrid {

constexpr int kSlotCount = 20;
constexpr int kNoteSlot = 21;
constexpr int kSlotWidth = 135;
constexpr int kSlotHeight = 20;
constexpr int kSlotPitch = 201;
constexpr int kNoteWidth = 738;
constexpr int kNoteTop = 110;
// Inputs that no slot shows wait here, far below the field panel.
constexpr int kOutOfSightTop = 1000;
// A caption stands this far below the top of its input.
constexpr int kLabelDrop = 4;

// Zero-based row (0 to 4) and column (0 to 3) of slot 1 to 20.
int SlotRow(int slot);
int SlotColumn(int slot);
int SlotTop(int slot);
// The top of a zero-based row.
int RowTop(int row);

// Where an entry window puts the input of a slot.
QRect EntrySlotRect(int slot);
// The preview input of a set-up window: its two right-hand columns stand
// one and two pixels further right than an entry window's.
QRect PreviewSlotRect(int slot);
// The slot button of a set-up window, slot 21 the note row's.
QRect SlotButtonRect(int slot);
// The right edge of a slot's caption: two pixels left of its input.
int SlotLabelRight(int slot);

// The slot a stored FIELD_ORDER names: a whole number from 1 to 20, else 0.
int WholeSlot(double order);

// Which slots 1 to 21 hold no field (index 0 unused).
using TFreeSlots = std::array<bool, kNoteSlot + 1>;

// How many free slots follow a slot in its row, and the width of a text
// input that grows over them.
int FreeSlotsRightOf(const TFreeSlots& free, int slot);
int WidenedWidth(const TFreeSlots& free, int slot);
// The top of the note row: the first empty row below the used rows, tried
// from the bottom up, never the first row; kNoteTop when no rule applies.
int NoteRowTop(const TFreeSlots& free);

} // namespace kx::slotgrid
