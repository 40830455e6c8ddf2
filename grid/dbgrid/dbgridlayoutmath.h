#pragma once
// The arithmetic of the data-aware grid's layout, apart from the grid:
// fitting column widths to the client width, keeping proportional widths
// when the user sizes a column, scaling widths, fitting the row height to
// whole text lines, counting hidden frozen columns and classifying cells.

#include <vector>

namespace kx {

// A column's part in width fitting.
struct TFitColumn {
    bool AutoFit = true;
    int BaseWidth = 0; // proportional width while fitting
    int Width = 0;
    int MinWidth = 0; // 0: no limit
    int MaxWidth = 0;
};

// MaxWidth when positive and smaller, but MinWidth when positive and larger.
int ClampColumnWidth(int width, int minWidth, int maxWidth);

// What the grid takes from the client width before the columns share it.
struct TFitSpace {
    int ClientWidth = 0;
    int MinAutoFitWidth = 0;
    int IndicatorWidth = 0; // 0 without an indicator column
    bool ColLines = false;
};

// Shares the space among the auto-fit columns by their base widths, in
// passes until no column hits a width limit; the rounding remainder goes to
// the last auto-fit column that is not limited. Auto-fit columns whose base
// widths are all 0 share the space equally.
void FitColumnWidths(std::vector<TFitColumn>& columns, const TFitSpace& space);

// The base width after the user sized a grid column from gridWidth to
// width; kept when the grid column had no width to compare with.
int RescaledBaseWidth(int baseWidth, int width, int gridWidth);

// Widths scaled by multiplier/divider with the rounding carried along, so
// that their total scales without drift.
std::vector<int> ScaledWidths(const std::vector<int>& widths, int multiplier, int divider);

// The row height that holds whole text lines: the nearer whole number of
// lines (a remainder up to half a line is dropped), and that number.
struct TRowFit {
    int RowHeight = 0;
    int Lines = 0;
};
TRowFit FitRowHeightToText(int rowHeight, int lineSpace, int textHeight);

// The hidden columns that widen the frozen span so that FrozenCols visible
// columns stay frozen.
int HiddenFrozenCount(const std::vector<bool>& visible, int frozenCols);

// Cell kinds as bits of the cell-type word.
constexpr unsigned ctDataColumn = 0x0001;
constexpr unsigned ctFilterRow = 0x0100;
constexpr unsigned ctDataRow = 0x0200;
constexpr unsigned ctFooterRow = 0x0400;

struct TCellTypeAxes {
    int IndicatorOffset = 1;
    bool Titles = true;
    bool FilterRow = false;
    int TitleOffset = 1;
    int RowCount = 0; // footer rows follow the last row
};
struct TCellType {
    unsigned Kind = 0;
    int DataCol = 0;
    int DataRow = 0;
};
TCellType GetCellType(int col, int row, const TCellTypeAxes& axes);

} // namespace kx
