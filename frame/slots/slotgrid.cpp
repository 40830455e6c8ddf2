#include "frame/slots/slotgrid.h"

namespace kx::slotgrid {
namespace {

constexpr int kSlotsPerRow = 4;
constexpr int kFirstTop = 10;
constexpr std::array<int, kSlotsPerRow> kEntryLefts = {63, 264, 465, 666};
constexpr std::array<int, kSlotsPerRow> kPreviewLefts = {63, 264, 466, 668};
constexpr std::array<int, kSlotsPerRow> kButtonLefts = {0, 196, 398, 600};
constexpr int kFirstButtonWidth = 65;
constexpr int kButtonWidth = 70;
constexpr int kLabelGap = 2;

std::size_t Index(int value) {
    return static_cast<std::size_t>(value);
}

bool RowEmpty(const TFreeSlots& free, int row) {
    const int first = row * kSlotsPerRow + 1;
    for (int slot = first; slot < first + kSlotsPerRow; ++slot)
        if (!free[Index(slot)])
            return false;
    return true;
}

} // namespace

int SlotRow(int slot) {
    return (slot - 1) / kSlotsPerRow;
}

int SlotColumn(int slot) {
    return (slot - 1) % kSlotsPerRow;
}

int RowTop(int row) {
    return kFirstTop + kSlotHeight * row;
}

int SlotTop(int slot) {
    return RowTop(SlotRow(slot));
}

QRect EntrySlotRect(int slot) {
    return {kEntryLefts[Index(SlotColumn(slot))], SlotTop(slot), kSlotWidth, kSlotHeight};
}

QRect PreviewSlotRect(int slot) {
    return {kPreviewLefts[Index(SlotColumn(slot))], SlotTop(slot), kSlotWidth, kSlotHeight};
}

QRect SlotButtonRect(int slot) {
    if (slot == kNoteSlot)
        return {kButtonLefts[0], kNoteTop, kFirstButtonWidth, kSlotHeight};
    const int column = SlotColumn(slot);
    return {kButtonLefts[Index(column)], SlotTop(slot),
            column == 0 ? kFirstButtonWidth : kButtonWidth, kSlotHeight};
}

int SlotLabelRight(int slot) {
    return kEntryLefts[Index(SlotColumn(slot))] - kLabelGap;
}

int WholeSlot(double order) {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (order == slot)
            return slot;
    return 0;
}

int FreeSlotsRightOf(const TFreeSlots& free, int slot) {
    int count = 0;
    for (int next = slot + 1;
         next <= kSlotCount && SlotRow(next) == SlotRow(slot) && free[Index(next)]; ++next)
        ++count;
    return count;
}

int WidenedWidth(const TFreeSlots& free, int slot) {
    return kSlotWidth + kSlotPitch * FreeSlotsRightOf(free, slot);
}

int NoteRowTop(const TFreeSlots& free) {
    if (RowEmpty(free, 4) && !RowEmpty(free, 3))
        return RowTop(4);
    if (RowEmpty(free, 3) && !RowEmpty(free, 2))
        return RowTop(3);
    if (RowEmpty(free, 2) && !RowEmpty(free, 1))
        return RowTop(2);
    if (RowEmpty(free, 1) && RowEmpty(free, 2))
        return RowTop(1);
    return kNoteTop;
}

} // namespace kx::slotgrid
