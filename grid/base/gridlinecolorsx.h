#pragma once
// The colours of a grid's lines. Each slot starts as clDefault ("not set");
// a slot that is set replaces the colour its getter would compute.

#include "platform/ui/colors.h"

#include <array>

namespace kx {

class TCustomGridX;

class TGridLineColorsX {
public:
    // The slots the getters read; the others are kept for subclasses.
    enum TSlot {
        lcDark,
        lcBright,
        lcContraColBorder,
        lcContraRowBorder,
        lcFrozenColBorder,
        lcSlotCount = 18
    };

    explicit TGridLineColorsX(const TCustomGridX& grid);

    ui::TColor Color(int slot) const { return colors_.at(slot); }
    void SetColor(int slot, ui::TColor color) { colors_.at(slot) = color; }

    ui::TColor DarkColor() const;
    ui::TColor BrightColor() const;
    ui::TColor CellLineColor(int col, int row) const;
    ui::TColor ContraColBorderColor(int col) const;
    ui::TColor ContraRowBorderColor(int row) const;
    ui::TColor FrozenColBorderColor(int col) const;
    ui::TColor FrozenRowBorderColor(int row) const;

private:
    ui::TColor OwnOr(int slot, ui::TColor computed) const;

    const TCustomGridX& grid_;
    std::array<ui::TColor, lcSlotCount> colors_;
};

} // namespace kx
