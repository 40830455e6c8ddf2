#include "grid/base/customgridx.h"

#include "grid/base/gridaxis.h"

namespace kx {

using namespace ui;
using namespace gridaxis;

// Geometry

void TCustomGridX::CalcDrawInfo(TGridLayoutX& layout) const {
    CalcDrawInfoXY(layout, ClientWidth(), ClientHeight());
}

void TCustomGridX::CalcDrawInfoXY(TGridLayoutX& layout, int width, int height) const {
    CalcContraInfo(layout.Horz, true, width);
    CalcContraInfo(layout.Vert, false, height);
    CalcFixedInfo(layout.Horz, true);
    CalcFixedInfo(layout.Vert, false);
    CalcVisibleInfo(layout.Horz, width);
    CalcVisibleInfo(layout.Vert, height);
}

void TCustomGridX::CalcContraInfo(TGridAxisLayoutX& axis, bool columns, int extent) const {
    const TGridOptionsX lineOptions =
        columns ? (goFixedVertLine | goVertLine) : (goFixedHorzLine | goHorzLine);
    axis.Grid = this;
    axis.GetExtent = columns ? &TCustomGridX::GetColWidths : &TCustomGridX::GetRowHeights;
    axis.LineWidth = (options_ & lineOptions) ? gridLineWidth_ : 0;
    axis.GridCellCount = columns ? colCount_ : rowCount_;
    axis.ContraCellCount = columns ? contraColCount_ : contraRowCount_;
    axis.ContraBoundary = extent;
    for (int i = 0; i < axis.ContraCellCount; ++i)
        axis.ContraBoundary -= axis.Span(axis.GridCellCount + i);
    if (axis.ContraCellCount > 0)
        axis.ContraBoundary -= axis.LineWidth;
}

void TCustomGridX::CalcFixedInfo(TGridAxisLayoutX& axis, bool columns) const {
    axis.FixedCellCount = columns ? fixedCols_ : fixedRows_;
    axis.FrozenCellCount = columns ? frozenCols_ : frozenRows_;
    axis.FirstGridCell = columns ? topLeft_.X : topLeft_.Y;
    axis.FullCellCount = axis.GridCellCount + axis.ContraCellCount;
    axis.FixedBoundary = 0;
    for (int i = 0; i < axis.FixedCellCount; ++i)
        axis.FixedBoundary += axis.Span(i);
    axis.StaticBoundary = axis.FixedBoundary;
    for (int i = axis.FixedCellCount - axis.FrozenCellCount; i < axis.FixedCellCount; ++i)
        axis.StaticBoundary -= axis.Span(i);
}

void TCustomGridX::CalcVisibleInfo(TGridAxisLayoutX& axis, int extent) const {
    axis.ClientExtent = extent;
    axis.GridExtent = axis.ContraBoundary;
    axis.GridBoundary = axis.FixedBoundary;
    axis.FullVisBoundary = axis.FixedBoundary;
    axis.LastFullVisibleCell = axis.FirstGridCell;
    for (int cell = axis.FirstGridCell; cell < axis.GridCellCount; ++cell) {
        const int pos = axis.GridBoundary + axis.Span(cell);
        axis.GridBoundary = pos;
        if (pos > axis.GridExtent + axis.LineWidth) {
            axis.GridBoundary = axis.GridExtent;
            break;
        }
        axis.LastFullVisibleCell = cell;
        axis.FullVisBoundary = pos;
    }
    axis.FullGridBoundary = axis.ContraCellCount == 0 ? axis.GridBoundary : axis.ClientExtent;
}

TGridCoord TCustomGridX::CalcCoordFromPoint(int x, int y, const TGridLayoutX& layout) const {
    return {AxisCellAt(layout.Horz, x), AxisCellAt(layout.Vert, y)};
}

TGridCoord TCustomGridX::MouseCoord(int x, int y) const {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridCoord cell = CalcCoordFromPoint(x, y, layout);
    if (cell.X == -1 || cell.Y == -1)
        return {-1, -1};
    return cell;
}

void TCustomGridX::GridRectToScreenRect(const TGridRect& gridRect, TRect& screenRect,
                                        bool includeLine) const {
    screenRect = {};
    if (gridRect.Right < gridRect.Left || gridRect.Bottom < gridRect.Top)
        return;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridAxisLayoutX& h = layout.Horz;
    const TGridAxisLayoutX& v = layout.Vert;
    const bool intoContraCols = h.ContraCellCount > 0 && gridRect.Right >= h.GridCellCount;
    const bool intoContraRows = v.ContraCellCount > 0 && gridRect.Bottom >= v.GridCellCount;
    if ((gridRect.Left > h.LastFullVisibleCell + 1 && !intoContraCols) ||
        (gridRect.Top > v.LastFullVisibleCell + 1 && !intoContraRows))
        return;
    TRect r;
    if (ScreenAxis(h, gridRect.Left, gridRect.Right, includeLine, r.Left, r.Right) &&
        ScreenAxis(v, gridRect.Top, gridRect.Bottom, includeLine, r.Top, r.Bottom))
        screenRect = r;
}

TRect TCustomGridX::BoxRect(int left, int top, int right, int bottom) const {
    TRect rect;
    GridRectToScreenRect({left, top, right, bottom}, rect, false);
    return rect;
}

TRect TCustomGridX::CellRect(int col, int row) const {
    return BoxRect(col, row, col, row);
}

TGridCoord TCustomGridX::CalcMaxTopLeft(const TGridCoord& coord, const TGridLayoutX& layout) const {
    return {MaxTopLeftOfAxis(layout.Horz, coord.X), MaxTopLeftOfAxis(layout.Vert, coord.Y)};
}

int TCustomGridX::VisibleColCount() const {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    return layout.Horz.LastFullVisibleCell - layout.Horz.FirstGridCell + 1;
}

int TCustomGridX::VisibleRowCount() const {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    return layout.Vert.LastFullVisibleCell - layout.Vert.FirstGridCell + 1;
}

int TCustomGridX::GetGridWidth() const {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    return layout.Horz.GridBoundary;
}

int TCustomGridX::GetGridHeight() const {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    return layout.Vert.GridBoundary;
}

TGridRect TCustomGridX::Selection() const {
    return GridRect(current_, anchor_);
}

bool TCustomGridX::IsActiveControl() const {
    return IsFormFocusedControl();
}

} // namespace kx
