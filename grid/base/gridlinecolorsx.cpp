#include "grid/base/gridlinecolorsx.h"

#include "grid/base/customgridx.h"

namespace kx {

using namespace ui;

TGridLineColorsX::TGridLineColorsX(const TCustomGridX& grid) : grid_(grid) {
    colors_.fill(clDefault);
}

TColor TGridLineColorsX::OwnOr(int slot, TColor computed) const {
    return colors_[slot] != clDefault ? colors_[slot] : computed;
}

TColor TGridLineColorsX::DarkColor() const {
    return OwnOr(lcDark, grid_.Flat() ? clGray : clBlack);
}

TColor TGridLineColorsX::BrightColor() const {
    const bool silverGrid =
        ColorToRGB(grid_.Color(), grid_.palette()) == ColorToRGB(clSilver, grid_.palette());
    return OwnOr(lcBright, silverGrid ? clGray : clSilver);
}

TColor TGridLineColorsX::CellLineColor(int col, int row) const {
    const bool fixed = col < grid_.FixedCols() - grid_.FrozenCols() ||
                       row < grid_.FixedRows() - grid_.FrozenRows();
    return fixed ? DarkColor() : BrightColor();
}

TColor TGridLineColorsX::ContraColBorderColor(int col) const {
    return col == grid_.ColCount() ? OwnOr(lcContraColBorder, DarkColor()) : BrightColor();
}

TColor TGridLineColorsX::ContraRowBorderColor(int row) const {
    return row == grid_.RowCount() ? OwnOr(lcContraRowBorder, DarkColor()) : BrightColor();
}

TColor TGridLineColorsX::FrozenColBorderColor(int col) const {
    return grid_.FrozenCols() > 0 && col == grid_.FixedCols() - 1
               ? OwnOr(lcFrozenColBorder, DarkColor())
               : BrightColor();
}

TColor TGridLineColorsX::FrozenRowBorderColor(int row) const {
    return grid_.FrozenRows() > 0 && row == grid_.FixedRows() - 1 ? DarkColor() : BrightColor();
}

} // namespace kx
