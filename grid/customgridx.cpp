#include "grid/customgridx.h"

#include "grid/inplaceedit.h"
#include "grid/invalidgridoperationx.h"
#include "grid/streamerror.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

namespace kx {

using namespace ui;

namespace {

// Extent arrays hold at most this many cells.
constexpr int kMaxExtentCount = 134217726;

constexpr int kScrollTimer = 1;
constexpr int kScrollTimerInterval = 60;
constexpr int kThumbRange = 127;

int ExtentCount(const std::vector<int>& extents) {
    return extents.empty() ? 0 : extents[0];
}

// Inserts (amount > 0) or removes cells at index; from index on every cell
// takes the default.
std::vector<int> ResizedExtents(const std::vector<int>& extents, int index, int amount,
                                int defaultValue) {
    if (amount == 0)
        return extents;
    const int oldCount = ExtentCount(extents);
    if (index < 0 || index > oldCount)
        InvalidGridOperation(SIndexOutOfRange);
    const qint64 newCount = qint64(oldCount) + amount;
    if (newCount < 0)
        InvalidGridOperation(STooManyDeleted);
    if (newCount >= kMaxExtentCount)
        InvalidGridOperation(SGridTooLarge);
    if (newCount == 0)
        return {};
    std::vector<int> result(size_t(newCount) + 1, defaultValue);
    result[0] = int(newCount);
    const int kept = std::min(index, int(newCount));
    if (kept > 0)
        std::copy_n(extents.begin() + 1, kept, result.begin() + 1);
    return result;
}

std::vector<int> ExtentsOfCount(const std::vector<int>& extents, int count, int defaultValue) {
    const int oldCount = ExtentCount(extents);
    return ResizedExtents(extents, oldCount, count - oldCount, defaultValue);
}

void MoveExtent(std::vector<int>& extents, int fromIndex, int toIndex) {
    if (extents.empty())
        return;
    const auto from = extents.begin() + 1 + fromIndex;
    const auto to = extents.begin() + 1 + toIndex;
    if (fromIndex < toIndex)
        std::rotate(from, from + 1, to + 1);
    else
        std::rotate(to, from, from + 1);
}

// A coordinate after the cell at fromIndex moved to toIndex.
int MovedCoordinate(int pos, int fromIndex, int toIndex) {
    if (pos == fromIndex)
        return toIndex;
    if (fromIndex < toIndex && pos > fromIndex && pos <= toIndex)
        return pos - 1;
    if (toIndex < fromIndex && pos >= toIndex && pos < fromIndex)
        return pos + 1;
    return pos;
}

bool PointInGridRect(int col, int row, const TGridRect& rect) {
    return col >= rect.Left && col <= rect.Right && row >= rect.Top && row <= rect.Bottom;
}

TGridRect GridRect(TGridCoord a, TGridCoord b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// The first cell of an axis whose extent plus line, added to start, passes
// pos; -1 when none of first .. last does.
int CellAt(const TGridAxisLayoutX& axis, int pos, int start, int first, int last) {
    for (int cell = first; cell <= last; ++cell) {
        start += axis.Span(cell);
        if (start > pos)
            return cell;
    }
    return -1;
}

int AxisCellAt(const TGridAxisLayoutX& axis, int pos) {
    if (pos < axis.FixedBoundary)
        return CellAt(axis, pos, 0, 0, axis.FixedCellCount - 1);
    if (pos > axis.ContraBoundary)
        return CellAt(axis, pos, axis.ContraBoundary + axis.LineWidth, axis.GridCellCount,
                      axis.FullCellCount - 1);
    return CellAt(axis, pos, axis.FixedBoundary, axis.FirstGridCell, axis.GridCellCount - 1);
}

// Where a cell starts on screen; 0 when it lies off screen.
int LinePos(const TGridAxisLayoutX& axis, int cell) {
    int pos = 0;
    int start = 0;
    if (cell >= axis.GridCellCount) {
        pos = axis.ContraBoundary + axis.LineWidth;
        start = axis.GridCellCount;
    } else if (cell >= axis.FixedCellCount) {
        if (cell < axis.FirstGridCell)
            return 0;
        pos = axis.FixedBoundary;
        start = axis.FirstGridCell;
    }
    for (int i = start; i < cell; ++i) {
        pos += axis.Span(i);
        if (pos > axis.ClientExtent)
            return 0;
    }
    return pos;
}

// One axis of a cell rectangle's screen rectangle; false when the whole
// rectangle must stay empty.
bool ScreenAxis(const TGridAxisLayoutX& axis, int min, int max, bool includeLine, int& screenMin,
                int& screenMax) {
    if (min > axis.FullCellCount + 1)
        min = axis.FullCellCount;
    if (min >= axis.FixedCellCount && min < axis.FirstGridCell) {
        if (max < axis.FirstGridCell)
            return false;
        min = axis.FirstGridCell;
    }
    if (max > axis.LastFullVisibleCell) {
        if (axis.ContraCellCount == 0 || max < axis.GridCellCount) {
            max = axis.LastFullVisibleCell;
            if (max < axis.GridCellCount - 1)
                ++max;
            if (LinePos(axis, max) == 0)
                --max;
        } else {
            max = std::min(max, axis.FullCellCount - 1);
        }
    }
    screenMin = LinePos(axis, min);
    const int maxStart = LinePos(axis, max);
    screenMax = maxStart == 0 ? screenMin + axis.Extent(min) : maxStart + axis.Extent(max);
    const int limit = max >= axis.GridCellCount ? axis.ClientExtent : axis.GridExtent;
    screenMax = std::min(screenMax, limit);
    if (includeLine)
        screenMax += axis.LineWidth;
    return true;
}

int MaxTopLeftOfAxis(const TGridAxisLayoutX& axis, int end) {
    end = std::max(end, axis.FixedCellCount);
    int result = end;
    int room = axis.GridExtent + axis.LineWidth;
    for (int cell = end; cell >= axis.FixedCellCount; --cell) {
        const int span = axis.Span(cell);
        if (span == 0)
            continue;
        room -= span;
        if (room < axis.FixedBoundary)
            break;
        result = cell;
    }
    return result;
}

// Pixels between the first cells from and to.
int AxisDistance(const TGridAxisLayoutX& axis, int from, int to) {
    int distance = 0;
    for (int cell = std::min(from, to); cell < std::max(from, to); ++cell)
        distance += axis.Span(cell);
    return distance;
}

} // namespace

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const qint64 product = qint64(number) * numerator;
    const qint64 magnitude =
        (std::llabs(product) + std::llabs(denominator) / 2) / std::llabs(qint64(denominator));
    return int((product < 0) != (denominator < 0) ? -magnitude : magnitude);
}

TCustomGridX::TCustomGridX(QWidget* parent) : TCustomControl(parent) {
    SetColor(clWindow);
    resize(colCount_ * defaultColWidth_, rowCount_ * defaultRowHeight_);
    Initialize();
}

// The editor goes first, while the grid it reports to is still whole.
TCustomGridX::~TCustomGridX() {
    delete editor_;
    editor_ = nullptr;
}

TGridLineColorsX& TCustomGridX::LineColors() {
    if (!lineColors_)
        lineColors_ = CreateGridLineColors();
    return *lineColors_;
}

std::unique_ptr<TGridLineColorsX> TCustomGridX::CreateGridLineColors() {
    return std::make_unique<TGridLineColorsX>(*this);
}

// Counts and sizes

void TCustomGridX::SetColCount(int value) {
    if (value == colCount_)
        return;
    value = std::max(value, 1);
    if (fixedCols_ >= value)
        SetFixedCols(value - 1);
    if (contraColCount_ == 0)
        ChangeSize(value, rowCount_);
    else
        AdjustSize(std::min(colCount_, value), value - colCount_, false);
    if (options_ & goRowSelect) {
        anchor_.X = colCount_ - 1;
        InvalidateGrid();
    }
}

void TCustomGridX::SetRowCount(int value) {
    if (value == rowCount_)
        return;
    value = std::max(value, 1);
    if (fixedRows_ >= value)
        SetFixedRows(value - 1);
    if (contraRowCount_ == 0)
        ChangeSize(colCount_, value);
    else
        AdjustSize(std::min(rowCount_, value), value - rowCount_, true);
}

void TCustomGridX::SetFixedCols(int value) {
    if (value == fixedCols_)
        return;
    if (value < 0)
        InvalidGridOperation(SIndexOutOfRange);
    if (value >= colCount_)
        InvalidGridOperation(SFixedColTooBig);
    fixedCols_ = value;
    Initialize();
    InvalidateGrid();
}

void TCustomGridX::SetFixedRows(int value) {
    if (value == fixedRows_)
        return;
    if (value < 0)
        InvalidGridOperation(SIndexOutOfRange);
    if (value >= rowCount_)
        InvalidGridOperation(SFixedRowTooBig);
    fixedRows_ = value;
    Initialize();
    InvalidateGrid();
}

void TCustomGridX::SetFrozenCols(int value) {
    frozenCols_ = value;
    InvalidateGrid();
}

void TCustomGridX::SetContraColCount(int value) {
    if (value == contraColCount_)
        return;
    if (value < 0)
        InvalidGridOperation(SContraColNegative);
    ChangeContraSize(value, contraRowCount_);
}

void TCustomGridX::SetContraRowCount(int value) {
    if (value == contraRowCount_)
        return;
    if (value < 0)
        InvalidGridOperation(SContraRowNegative);
    ChangeContraSize(contraColCount_, value);
}

void TCustomGridX::ResizeAllExtents(std::vector<int>& widths, std::vector<int>& tabStops,
                                    std::vector<int>& heights) const {
    if (!colWidths_.empty())
        widths = ExtentsOfCount(colWidths_, FullColCount(), defaultColWidth_);
    if (!tabStops_.empty())
        tabStops = ExtentsOfCount(tabStops_, FullColCount(), 1);
    if (!rowHeights_.empty())
        heights = ExtentsOfCount(rowHeights_, FullRowCount(), defaultRowHeight_);
}

// A failed resize used to leave the new counts with the old arrays and report
// nothing; the footer count would then be believed. The old counts come back
// and the failure goes on to the caller.
void TCustomGridX::ChangeContraSize(int newContraColCount, int newContraRowCount) {
    const int oldContraCols = contraColCount_;
    const int oldContraRows = contraRowCount_;
    contraColCount_ = newContraColCount;
    contraRowCount_ = newContraRowCount;
    std::vector<int> widths, tabStops, heights;
    try {
        ResizeAllExtents(widths, tabStops, heights);
    } catch (...) {
        contraColCount_ = oldContraCols;
        contraRowCount_ = oldContraRows;
        throw;
    }
    if (!colWidths_.empty())
        colWidths_ = std::move(widths);
    if (!tabStops_.empty())
        tabStops_ = std::move(tabStops);
    if (!rowHeights_.empty())
        rowHeights_ = std::move(heights);
    InvalidateGrid();
    UpdateScrollRange();
}

int TCustomGridX::GetColWidths(int index) const {
    if (colWidths_.empty() || index < 0 || index >= std::min(FullColCount(), colWidths_[0]))
        return defaultColWidth_;
    return colWidths_[index + 1];
}

int TCustomGridX::GetRowHeights(int index) const {
    if (rowHeights_.empty() || index < 0 || index >= std::min(FullRowCount(), rowHeights_[0]))
        return defaultRowHeight_;
    return rowHeights_[index + 1];
}

bool TCustomGridX::GetTabStops(int index) const {
    if (tabStops_.empty() || index < 0 || index >= tabStops_[0])
        return true;
    return tabStops_[index + 1] != 0;
}

void TCustomGridX::SetColWidths(int index, int value) {
    if (index < 0 || index >= FullColCount())
        InvalidGridOperation(SIndexOutOfRange);
    if (colWidths_.empty())
        colWidths_ = ExtentsOfCount(colWidths_, FullColCount(), defaultColWidth_);
    if (colWidths_[index + 1] == value)
        return;
    InvalidateGrid();
    colWidths_[index + 1] = value;
    ColWidthsChanged();
}

void TCustomGridX::SetRowHeights(int index, int value) {
    if (index < 0 || index >= FullRowCount())
        InvalidGridOperation(SIndexOutOfRange);
    if (rowHeights_.empty())
        rowHeights_ = ExtentsOfCount(rowHeights_, FullRowCount(), defaultRowHeight_);
    if (rowHeights_[index + 1] == value)
        return;
    InvalidateGrid();
    rowHeights_[index + 1] = value;
    RowHeightsChanged();
}

void TCustomGridX::SetTabStops(int index, bool value) {
    if (index < 0 || index >= FullColCount())
        InvalidGridOperation(SIndexOutOfRange);
    if (tabStops_.empty())
        tabStops_ = ExtentsOfCount(tabStops_, FullColCount(), 1);
    tabStops_[index + 1] = value ? 1 : 0;
}

void TCustomGridX::SetDefaultRowHeight(int value) {
    rowHeights_.clear();
    defaultRowHeight_ = value;
    RowHeightsChanged();
    InvalidateGrid();
}

void TCustomGridX::SetGridLineWidth(int value) {
    if (value == gridLineWidth_)
        return;
    gridLineWidth_ = value;
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGridX::SetFixedColor(TColor value) {
    if (value == fixedColor_)
        return;
    fixedColor_ = value;
    InvalidateGrid();
}

void TCustomGridX::SetFlat(bool value) {
    if (value == flat_)
        return;
    flat_ = value;
    FlatChanged();
    InvalidateGrid();
}

void TCustomGridX::FlatChanged() {}

void TCustomGridX::SetBorderStyle(TBorderStyle value) {
    if (value == BorderStyle())
        return;
    TCustomControl::SetBorderStyle(value);
    UpdateScrollRange();
}

void TCustomGridX::SetScrollBars(TScrollStyle value) {
    if (value == ScrollBars())
        return;
    TCustomControl::SetScrollBars(value);
    UpdateScrollRange();
}

void TCustomGridX::SetOptions(TGridOptionsX value) {
    if (value == options_)
        return;
    if (value & goRowSelect)
        value &= ~goAlwaysShowEditor;
    options_ = value;
    SetThumbTracking(options_ & goThumbTracking);
    if (!editorMode_) {
        if (options_ & goAlwaysShowEditor)
            ShowEditor();
        else
            HideEditor();
    }
    if (options_ & goRowSelect)
        FocusCell(current_.X, current_.Y, false, true);
    InvalidateGrid();
}

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

// The current cell, the anchor and the view

void TCustomGridX::Initialize() {
    topLeft_ = current_ = anchor_ = {fixedCols_, fixedRows_};
    if (options_ & goRowSelect)
        anchor_.X = colCount_ - 1;
}

bool TCustomGridX::SelectCell(int, int) {
    return true;
}

void TCustomGridX::FocusCell(int col, int row, bool show, bool moveAnchor) {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        InvalidGridOperation(SIndexOutOfRange);
    if (!SelectCell(col, row))
        return;
    const TGridRect oldSelection = Selection();
    const TGridCoord oldCurrent = current_;
    current_ = {col, row};
    if (!(options_ & goAlwaysShowEditor))
        HideEditor();
    if (moveAnchor || !(options_ & goRangeSelect)) {
        anchor_ = current_;
        if (options_ & goRowSelect)
            anchor_.X = colCount_ - 1;
    }
    if (options_ & goRowSelect)
        current_.X = fixedCols_;
    if (show)
        ClampInView(current_);
    SelectionMoved(oldSelection);
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
    InvalidateCell(col, row);
}

void TCustomGridX::InvalidateGridRect(int col, int row, bool show, bool moveAnchor) {
    FocusCell(col, row, show, moveAnchor);
}

void TCustomGridX::MoveToCell(int col, int row, bool moveAnchor) {
    FocusCell(col, row, true, moveAnchor);
    UpdateEdit();
    Click();
}

void TCustomGridX::SetCol(int value) {
    if (value != current_.X)
        MoveToCell(value, current_.Y, true);
}

void TCustomGridX::SetRow(int value) {
    if (value != current_.Y)
        MoveToCell(current_.X, value, true);
}

void TCustomGridX::MoveAnchor(const TGridCoord& newAnchor) {
    if (!(options_ & goRangeSelect) || (options_ & goEditing)) {
        FocusCell(newAnchor.X, newAnchor.Y, true, true);
        return;
    }
    const TGridRect oldSelection = Selection();
    anchor_ = newAnchor;
    if (options_ & goRowSelect)
        anchor_.X = colCount_ - 1;
    ClampInView(newAnchor);
    SelectionMoved(oldSelection);
}

// Out-of-range values would leave the view on cells that do not exist, so
// the setters refuse them as the other index setters do.
void TCustomGridX::SetLeftCol(int value) {
    if (value < fixedCols_ || value >= colCount_)
        InvalidGridOperation(SIndexOutOfRange);
    if (value != topLeft_.X)
        MoveTopLeft(value, topLeft_.Y);
}

void TCustomGridX::SetTopRow(int value) {
    if (value < fixedRows_ || value >= rowCount_)
        InvalidGridOperation(SIndexOutOfRange);
    if (value != topLeft_.Y)
        MoveTopLeft(topLeft_.X, value);
}

void TCustomGridX::MoveTopLeft(int left, int top) {
    if (left == topLeft_.X && top == topLeft_.Y)
        return;
    UpdateWindow();
    const TGridCoord oldTopLeft = topLeft_;
    topLeft_ = {left, top};
    TopLeftMoved(oldTopLeft);
}

void TCustomGridX::ClampInView(const TGridCoord& coord) {
    if (!HandleAllocated())
        return;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    if (coord.X >= topLeft_.X && coord.X <= layout.Horz.LastFullVisibleCell &&
        coord.Y >= topLeft_.Y && coord.Y <= layout.Vert.LastFullVisibleCell)
        return;
    const TGridCoord maxTopLeft = CalcMaxTopLeft(coord, layout);
    const TGridCoord oldTopLeft = topLeft_;
    UpdateWindow();
    if (coord.X < topLeft_.X && coord.X >= fixedCols_)
        topLeft_.X = coord.X;
    else if (coord.X > layout.Horz.LastFullVisibleCell)
        topLeft_.X = maxTopLeft.X;
    if (coord.Y < topLeft_.Y && coord.Y >= fixedRows_)
        topLeft_.Y = coord.Y;
    else if (coord.Y > layout.Vert.LastFullVisibleCell)
        topLeft_.Y = maxTopLeft.Y;
    if (topLeft_ != oldTopLeft)
        TopLeftMoved(oldTopLeft);
}

// Repainting

void TCustomGridX::InvalidateCell(int col, int row) {
    InvalidateRect(TGridRect{col, row, col, row});
}

void TCustomGridX::InvalidateRect(const TGridRect& rect) {
    if (!HandleAllocated())
        return;
    TRect screen;
    GridRectToScreenRect(rect, screen, true);
    InvalidateWindowRect(screen);
}

void TCustomGridX::InvalidateCol(int col) {
    if (!HandleAllocated())
        return;
    InvalidateRect(TGridRect{col, 0, col, VisibleRowCount() + 1});
    if (contraRowCount_ > 0)
        InvalidateRect(TGridRect{col, rowCount_, col, FullRowCount() - 1});
}

void TCustomGridX::InvalidateGrid() {
    Invalidate();
}

void TCustomGridX::UnlockGrid() {
    if (lockCount_ > 0)
        --lockCount_;
}

void TCustomGridX::SelectionMoved(const TGridRect& oldSelection) {
    if (!HandleAllocated())
        return;
    TRect oldRect, newRect;
    GridRectToScreenRect(oldSelection, oldRect, true);
    GridRectToScreenRect(Selection(), newRect, true);
    const QRegion changed = QRegion(oldRect.ToQRect()).xored(QRegion(newRect.ToQRect()));
    for (const QRect& part : changed)
        InvalidateWindowRect(TRect::FromQRect(part));
}

// Structure

void TCustomGridX::MoveColumn(int fromIndex, int toIndex) {
    if (fromIndex == toIndex)
        return;
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= FullColCount() || toIndex >= FullColCount())
        InvalidGridOperation(SIndexOutOfRange);
    MoveExtent(colWidths_, fromIndex, toIndex);
    MoveExtent(tabStops_, fromIndex, toIndex);
    current_.X = MovedCoordinate(current_.X, fromIndex, toIndex);
    anchor_.X = MovedCoordinate(anchor_.X, fromIndex, toIndex);
    if (editorCol_ >= 0)
        editorCol_ = MovedCoordinate(editorCol_, fromIndex, toIndex);
    if (HandleAllocated())
        InvalidateRect(TGridRect{std::min(fromIndex, toIndex), 0, std::max(fromIndex, toIndex),
                                 VisibleRowCount() + 1});
    ColumnMoved(fromIndex, toIndex);
    if (!colWidths_.empty())
        ColWidthsChanged();
    UpdateEdit();
}

void TCustomGridX::MoveRow(int fromIndex, int toIndex) {
    if (fromIndex == toIndex)
        return;
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= FullRowCount() || toIndex >= FullRowCount())
        InvalidGridOperation(SIndexOutOfRange);
    MoveExtent(rowHeights_, fromIndex, toIndex);
    current_.Y = MovedCoordinate(current_.Y, fromIndex, toIndex);
    anchor_.Y = MovedCoordinate(anchor_.Y, fromIndex, toIndex);
    if (editorRow_ >= 0)
        editorRow_ = MovedCoordinate(editorRow_, fromIndex, toIndex);
    if (HandleAllocated())
        InvalidateRect(TGridRect{0, std::min(fromIndex, toIndex), VisibleColCount() + 1,
                                 std::max(fromIndex, toIndex)});
    RowMoved(fromIndex, toIndex);
    if (!rowHeights_.empty())
        RowHeightsChanged();
    UpdateEdit();
}

void TCustomGridX::DeleteColumn(int col) {
    MoveColumn(col, colCount_ - 1);
    SetColCount(colCount_ - 1);
}

void TCustomGridX::DeleteRow(int row) {
    MoveRow(row, rowCount_ - 1);
    SetRowCount(rowCount_ - 1);
}

void TCustomGridX::PullInsideAfterSizeChange() {
    const TGridCoord inside{std::min(current_.X, colCount_ - 1),
                            std::min(current_.Y, rowCount_ - 1)};
    if (inside != current_)
        FocusCell(inside.X, inside.Y, true, true);
    const TGridCoord anchorInside{std::min(anchor_.X, colCount_ - 1),
                                  std::min(anchor_.Y, rowCount_ - 1)};
    if (anchorInside != anchor_)
        MoveAnchor(anchorInside);
}

void TCustomGridX::RedrawAfterSizeChange(const TGridCoord& oldTopLeft,
                                         const TGridLayoutX* oldLayout) {
    if (FullRedrawOnSizeChange || topLeft_ != oldTopLeft || !oldLayout) {
        InvalidateGrid();
        return;
    }
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int firstCol =
        std::min(oldLayout->Horz.LastFullVisibleCell, layout.Horz.LastFullVisibleCell);
    const int firstRow =
        std::min(oldLayout->Vert.LastFullVisibleCell, layout.Vert.LastFullVisibleCell);
    const TRect colRect = CellRect(firstCol, 0);
    InvalidateWindowRect({colRect.Left, colRect.Top, width(), height()});
    const TRect rowRect = CellRect(0, firstRow);
    InvalidateWindowRect({rowRect.Left, rowRect.Top, width(), height()});
}

void TCustomGridX::ChangeSize(int newColCount, int newRowCount) {
    TGridLayoutX oldLayout;
    const bool hadWindow = HandleAllocated();
    if (hadWindow)
        CalcDrawInfo(oldLayout);
    const int oldColCount = colCount_;
    const int oldRowCount = rowCount_;
    const TGridCoord oldTopLeft = topLeft_;
    auto apply = [&](int cols, int rows) {
        colCount_ = cols;
        rowCount_ = rows;
        fixedCols_ = std::min(fixedCols_, colCount_ - 1);
        fixedRows_ = std::min(fixedRows_, rowCount_ - 1);
        std::vector<int> widths, tabStops, heights;
        ResizeAllExtents(widths, tabStops, heights);
        if (!colWidths_.empty())
            colWidths_ = std::move(widths);
        if (!tabStops_.empty())
            tabStops_ = std::move(tabStops);
        if (!rowHeights_.empty())
            rowHeights_ = std::move(heights);
        PullInsideAfterSizeChange();
        RedrawAfterSizeChange(oldTopLeft, hadWindow ? &oldLayout : nullptr);
        UpdateScrollRange();
        SizeChanged(oldColCount, oldRowCount);
    };
    try {
        apply(newColCount, newRowCount);
    } catch (...) {
        apply(oldColCount, oldRowCount);
        InvalidateGrid();
        throw;
    }
}

void TCustomGridX::AdjustSize(int index, int amount, bool rows) {
    if (amount == 0)
        return;
    const int oldColCount = colCount_;
    const int oldRowCount = rowCount_;
    int& count = rows ? rowCount_ : colCount_;
    if (count + amount < index)
        InvalidGridOperation(STooManyDeleted);
    TGridLayoutX oldLayout;
    CalcDrawInfo(oldLayout);
    const TGridAxisLayoutX& oldAxis = rows ? oldLayout.Vert : oldLayout.Horz;
    const int removedPixels = amount < 0 ? AxisDistance(oldAxis, index, index - amount) : 0;
    if (rows && !rowHeights_.empty())
        rowHeights_ = ResizedExtents(rowHeights_, index, amount, defaultRowHeight_);
    if (!rows) {
        std::vector<int> widths = colWidths_;
        if (!widths.empty())
            widths = ResizedExtents(colWidths_, index, amount, defaultColWidth_);
        if (!tabStops_.empty())
            tabStops_ = ResizedExtents(tabStops_, index, amount, 1);
        colWidths_ = std::move(widths);
    }
    count += amount;
    int& coordinate = rows ? current_.Y : current_.X;
    const TGridCoord oldCurrent = current_;
    if (coordinate >= index)
        coordinate = (amount < 0 && coordinate < index - amount) ? index : coordinate + amount;
    coordinate = std::min(coordinate, count - 1);
    anchor_ = {std::min(anchor_.X, colCount_ - 1), std::min(anchor_.Y, rowCount_ - 1)};
    if (HandleAllocated()) {
        TGridLayoutX layout;
        CalcDrawInfo(layout);
        const TGridAxisLayoutX& axis = rows ? layout.Vert : layout.Horz;
        if (index < axis.FirstGridCell && index >= axis.FixedCellCount) {
            InvalidateGrid();
        } else {
            const int start = index < axis.FixedCellCount
                                  ? LinePos(axis, index)
                                  : std::max(LinePos(axis, index), axis.FixedBoundary);
            const int delta =
                amount > 0 ? AxisDistance(axis, index, index + amount) : -removedPixels;
            const TRect band = rows ? TRect{0, start, ClientWidth(), axis.GridExtent}
                                    : TRect{start, 0, axis.GridExtent, ClientHeight()};
            ScrollWindowArea(rows ? 0 : delta, rows ? delta : 0, band);
        }
        if ((rows ? contraRowCount_ : contraColCount_) > 0)
            InvalidateGrid();
    }
    SizeChanged(oldColCount, oldRowCount);
    if (current_ != oldCurrent) {
        const TGridCoord moved = current_;
        current_ = oldCurrent;
        FocusCell(moved.X, moved.Y, true, true);
    }
    UpdateScrollRange();
}

// The stored form of the cell sizes

namespace {

const QString kColWidths = QStringLiteral("ColWidths");
const QString kRowHeights = QStringLiteral("RowHeights");

void WriteExtentList(QDataStream& stream, const QString& name, int count,
                     int (TCustomGridX::*get)(int) const, const TCustomGridX& grid) {
    stream << name << qint32(count);
    for (int i = 0; i < count; ++i)
        stream << qint32((grid.*get)(i));
}

[[noreturn]] void InvalidPropertyValue() {
    throw EStreamError(QStringLiteral("Invalid property value"));
}

std::vector<int> ReadExtentList(QDataStream& stream, int expectedCount) {
    qint32 count = 0;
    stream >> count;
    if (stream.status() != QDataStream::Ok || count != expectedCount)
        InvalidPropertyValue();
    std::vector<int> values(static_cast<size_t>(count));
    for (int& value : values) {
        qint32 read = 0;
        stream >> read;
        value = read;
    }
    if (stream.status() != QDataStream::Ok)
        InvalidPropertyValue();
    return values;
}

} // namespace

void TCustomGridX::WriteCellExtents(QDataStream& stream, const TCustomGridX* ancestor) const {
    if (SaveCellExtents) {
        if (!colWidths_.empty() && !(ancestor && colWidths_ == ancestor->colWidths_))
            WriteExtentList(stream, kColWidths, colCount_, &TCustomGridX::GetColWidths, *this);
        if (!rowHeights_.empty() && !(ancestor && rowHeights_ == ancestor->rowHeights_))
            WriteExtentList(stream, kRowHeights, rowCount_, &TCustomGridX::GetRowHeights, *this);
    }
    stream << QString();
}

void TCustomGridX::ReadCellExtents(QDataStream& stream) {
    for (;;) {
        QString name;
        stream >> name;
        if (stream.status() != QDataStream::Ok)
            InvalidPropertyValue();
        if (name.isEmpty())
            return;
        if (name == kColWidths) {
            const std::vector<int> widths = ReadExtentList(stream, colCount_);
            for (int i = 0; i < colCount_; ++i)
                SetColWidths(i, widths[size_t(i)]);
        } else if (name == kRowHeights) {
            const std::vector<int> heights = ReadExtentList(stream, rowCount_);
            for (int i = 0; i < rowCount_; ++i)
                SetRowHeights(i, heights[size_t(i)]);
        } else {
            InvalidPropertyValue();
        }
    }
}

// Painting

// One paint of the grid: lines, cells, focus, background and the contra
// cells, area by area, with the line buffer sized once from the visible counts.
class TCustomGridX::TPainter {
public:
    TPainter(TCustomGridX& grid, TCanvas& canvas)
        : grid_(grid), canvas_(canvas), colors_(grid.LineColors()) {
        grid_.CalcDrawInfo(layout_);
        focused_ = grid_.IsActiveControl();
        selection_ = grid_.Selection();
        editorShown_ = grid_.editor_ && grid_.editor_->GetVisible();
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        visibleCount_ = std::max(h.LastFullVisibleCell + grid_.fixedCols_ - grid_.topLeft_.X,
                                 v.LastFullVisibleCell + grid_.fixedRows_ - grid_.topLeft_.Y);
    }

    void Run() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const bool contra = h.ContraCellCount > 0 || v.ContraCellCount > 0;
        TClip saved;
        if (contra) {
            saved = canvas_.Clip();
            canvas_.IntersectClipRect({0, 0, h.ContraBoundary, v.ContraBoundary});
        }
        SetCapacity(3 + visibleCount_);
        if (h.LineWidth > 0 || v.LineWidth > 0)
            MainLines();
        MainCells();
        RowSelectFocus();
        Background();
        if (contra) {
            canvas_.SetClip(saved);
            SetCapacity(3 + std::max({visibleCount_, h.ContraCellCount, v.ContraCellCount}));
            ContraLines();
            ContraCells();
            ContraBackground();
        }
    }

private:
    struct Area {
        TRect bounds;
        TGridCoord first;
        TColor offColor;
        bool fixedLines;
    };

    void SetCapacity(int capacity) {
        capacity_ = capacity;
        points_.reserve(size_t(2 * capacity + 6));
        counts_.assign(size_t(capacity + 3), 2);
    }

    TColor LineColorOf(TGridCoord first) { return colors_.CellLineColor(first.X, first.Y); }

    // Lines of one area; lastCol and lastRow limit the cells whose lines are drawn.
    void Lines(const Area& area, int lastCol, int lastRow) {
        const TRect& b = area.bounds;
        if (b.Left >= b.Right || b.Top >= b.Bottom)
            return;
        const TGridOptionsX options = grid_.options_;
        const bool horzOn = options & (area.fixedLines ? goFixedHorzLine : goHorzLine);
        const bool vertOn = options & (area.fixedLines ? goFixedVertLine : goVertLine);
        const TColor onColor = LineColorOf(area.first);
        if (horzOn) {
            AxisLines(layout_.Horz, true, area, lastCol, vertOn ? onColor : area.offColor);
            AxisLines(layout_.Vert, false, area, lastRow, horzOn ? onColor : area.offColor);
        } else {
            AxisLines(layout_.Vert, false, area, lastRow, area.offColor);
            AxisLines(layout_.Horz, true, area, lastCol, vertOn ? onColor : area.offColor);
        }
    }

    void AxisLines(const TGridAxisLayoutX& axis, bool vertical, const Area& area, int lastCell,
                   TColor color) {
        if (axis.LineWidth == 0)
            return;
        const TRect& b = area.bounds;
        int cell = vertical ? area.first.X : area.first.Y;
        while (axis.Span(cell) == 0 && cell <= lastCell)
            ++cell;
        int line = (vertical ? b.Left : b.Top) + axis.LineWidth / 2 + axis.Extent(cell);
        const int stop = (vertical ? b.Right : b.Bottom) + axis.LineWidth;
        points_.clear();
        int lines = 0;
        do {
            if (vertical) {
                points_.emplace_back(line, b.Top);
                points_.emplace_back(line, b.Bottom);
            } else {
                points_.emplace_back(b.Left, line);
                points_.emplace_back(b.Right, line);
            }
            ++lines;
            int step;
            do {
                ++cell;
                step = axis.Span(cell);
            } while (step <= 0 && cell <= lastCell);
            line += step;
        } while (line <= stop && cell <= lastCell && lines <= capacity_);
        canvas_.SetPenWidth(grid_.gridLineWidth_);
        canvas_.SetPenStyle(TPenStyle::psSolid);
        canvas_.SetPenColor(color);
        canvas_.PolyPolyline(points_.data(), counts_.data(), lines);
    }

    // A single border line, as wide as the grid's lines.
    void Border(QPoint from, QPoint to, TColor color) {
        canvas_.SetPenWidth(grid_.gridLineWidth_);
        canvas_.SetPenStyle(TPenStyle::psSolid);
        canvas_.SetPenColor(color);
        const QPoint line[2] = {from, to};
        canvas_.Polyline(line, 2);
    }

    void MainLines() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const int fixedCols = grid_.fixedCols_, fixedRows = grid_.fixedRows_;
        const int frozenCols = grid_.frozenCols_, frozenRows = grid_.frozenRows_;
        const TColor fixedColor = grid_.fixedColor_;
        const TGridCoord topLeft = grid_.topLeft_;
        const int lastCol = h.LastFullVisibleCell, lastRow = v.LastFullVisibleCell;
        const int frozenCol = fixedCols - frozenCols, frozenRow = fixedRows - frozenRows;
        Lines({{0, 0, h.FixedBoundary, v.StaticBoundary}, {0, 0}, fixedColor, true}, lastCol,
              lastRow);
        Lines({{0, v.StaticBoundary, h.StaticBoundary, v.FixedBoundary},
               {0, frozenRow},
               fixedColor,
               true},
              lastCol, lastRow);
        Lines({{h.StaticBoundary, v.StaticBoundary, h.FixedBoundary - 1, v.FixedBoundary - 1},
               {frozenCol, frozenRow},
               fixedColor,
               true},
              lastCol, lastRow);
        if (frozenRows > 0)
            Border({h.StaticBoundary, v.FixedBoundary - 1}, {h.FixedBoundary, v.FixedBoundary - 1},
                   colors_.FrozenRowBorderColor(fixedRows - 1));
        if (frozenCols > 0)
            Border({h.FixedBoundary - 1, v.StaticBoundary}, {h.FixedBoundary - 1, v.FixedBoundary},
                   colors_.FrozenColBorderColor(fixedCols - 1));
        Lines({{h.FixedBoundary, 0, h.GridBoundary, v.StaticBoundary},
               {topLeft.X, 0},
               fixedColor,
               true},
              lastCol, lastRow);
        Lines({{h.FixedBoundary, v.StaticBoundary, h.GridBoundary, v.FixedBoundary},
               {topLeft.X, frozenRow},
               fixedColor,
               true},
              lastCol, lastRow);
        if (frozenRows > 0)
            Border({h.FixedBoundary, v.FixedBoundary - 1}, {h.GridBoundary, v.FixedBoundary - 1},
                   colors_.FrozenRowBorderColor(fixedRows - 1));
        Lines({{0, v.FixedBoundary, h.StaticBoundary, v.GridBoundary},
               {0, topLeft.Y},
               fixedColor,
               true},
              lastCol, lastRow);
        Lines({{h.StaticBoundary, v.FixedBoundary, h.FixedBoundary - 1, v.GridBoundary},
               {frozenCol, topLeft.Y},
               fixedColor,
               true},
              lastCol, lastRow);
        if (frozenCols > 0)
            Border({h.FixedBoundary - 1, v.FixedBoundary}, {h.FixedBoundary - 1, v.GridBoundary},
                   colors_.FrozenColBorderColor(fixedCols - 1));
        Lines({{h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary},
               topLeft,
               grid_.Color(),
               false},
              lastCol, lastRow);
    }

    void Cell(int col, int row, const TRect& rect, TGridDrawState state, TColor color,
              bool contra) {
        const TGridOptionsX options = grid_.options_;
        if (!contra) {
            if (focused_ && col == grid_.current_.X && row == grid_.current_.Y)
                state |= gdFocused;
            if (PointInGridRect(col, row, selection_))
                state |= gdSelected;
        }
        if ((state & gdFocused) && (options & goEditing) && editorShown_)
            return;
        const bool defaultDrawing = grid_.defaultDrawing_;
        if (defaultDrawing) {
            canvas_.SetFont(grid_.font());
            if ((state & gdSelected) &&
                (!(state & gdFocused) || (options & (goDrawFocusSelected | goRowSelect)))) {
                canvas_.SetBrushColor(clHighlight);
                canvas_.SetFontColor(clHighlightText);
            } else {
                canvas_.SetBrushColor(color);
                canvas_.SetFontColor(clWindowText);
            }
            canvas_.FillRect(rect);
        }
        grid_.DrawCell(col, row, rect, state);
        const bool vertEdges = options & goFixedVertLine;
        const bool horzEdges = options & goFixedHorzLine;
        if (defaultDrawing && (state & gdFixed) && (vertEdges || horzEdges)) {
            TRect frame = rect;
            if (!vertEdges)
                frame.Right += layout_.Horz.LineWidth;
            else if (!horzEdges)
                frame.Bottom += layout_.Vert.LineWidth;
            grid_.DrawEdgeX(canvas_, frame, true, true, false);
        }
        if (defaultDrawing && (state & gdFocused) &&
            !((options & goEditing) && (options & goAlwaysShowEditor)) && !(options & goRowSelect))
            canvas_.DrawFocusRect(rect);
    }

    // The cells of one area, from its first cell and top-left pixel to its
    // right and bottom bounds.
    void Cells(TGridCoord first, TRect bounds, TGridDrawState state, TColor color,
               bool contra = false) {
        const int colLimit = contra ? grid_.FullColCount() : grid_.colCount_;
        const int rowLimit = contra ? grid_.FullRowCount() : grid_.rowCount_;
        int y = bounds.Top;
        for (int row = first.Y; y < bounds.Bottom && row < rowLimit; ++row) {
            const int height = grid_.GetRowHeights(row);
            int x = bounds.Left;
            for (int col = first.X; x < bounds.Right && col < colLimit; ++col) {
                const int width = grid_.GetColWidths(col);
                const TRect rect{x, y, x + width, y + height};
                if (width > 0 && canvas_.RectVisible(rect))
                    Cell(col, row, rect, state, color, contra);
                x += layout_.Horz.Span(col);
            }
            y += layout_.Vert.Span(row);
        }
    }

    void MainCells() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const TColor fixedColor = grid_.fixedColor_;
        const TColor color = grid_.Color();
        const TGridCoord topLeft = grid_.topLeft_;
        const int frozenCol = grid_.fixedCols_ - grid_.frozenCols_;
        const int frozenRow = grid_.fixedRows_ - grid_.frozenRows_;
        const int dataLeft = h.FixedBoundary - grid_.colOffset_;
        Cells({0, 0}, {0, 0, h.FixedBoundary, v.StaticBoundary}, gdFixed, fixedColor);
        Cells({0, frozenRow}, {0, v.StaticBoundary, h.StaticBoundary, v.FixedBoundary}, gdFixed,
              fixedColor);
        Cells({frozenCol, frozenRow},
              {h.StaticBoundary, v.StaticBoundary, h.FixedBoundary, v.FixedBoundary}, 0, color);
        Cells({topLeft.X, 0}, {dataLeft, 0, h.GridBoundary, v.StaticBoundary}, gdFixed, fixedColor);
        Cells({topLeft.X, frozenRow}, {dataLeft, v.StaticBoundary, h.GridBoundary, v.FixedBoundary},
              0, color);
        Cells({0, topLeft.Y}, {0, v.FixedBoundary, h.StaticBoundary, v.GridBoundary}, gdFixed,
              fixedColor);
        Cells({frozenCol, topLeft.Y},
              {h.StaticBoundary, v.FixedBoundary, h.FixedBoundary, v.GridBoundary}, 0, color);
        Cells(topLeft, {dataLeft, v.FixedBoundary, h.GridBoundary, v.GridBoundary}, 0, color);
    }

    void RowSelectFocus() {
        if (!(grid_.options_ & goRowSelect) || !grid_.defaultDrawing_ || !grid_.Focused())
            return;
        TRect rect;
        grid_.GridRectToScreenRect(selection_, rect, false);
        canvas_.DrawFocusRect(rect);
    }

    void Fill(const TRect& rect) {
        canvas_.SetBrushColor(grid_.Color());
        canvas_.FillRect(rect);
    }

    void Background() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        if (h.GridBoundary < h.GridExtent)
            Fill({h.GridBoundary, 0, h.GridExtent, v.GridBoundary});
        if (v.GridBoundary < v.GridExtent)
            Fill({0, v.GridBoundary, h.GridExtent, v.GridExtent});
    }

    void ContraLines() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const int fixedCols = grid_.fixedCols_, fixedRows = grid_.fixedRows_;
        const int colCount = grid_.colCount_, rowCount = grid_.rowCount_;
        const int frozenCol = fixedCols - grid_.frozenCols_;
        const int frozenRow = fixedRows - grid_.frozenRows_;
        const TColor fixedColor = grid_.fixedColor_;
        const TColor color = grid_.Color();
        const TGridCoord topLeft = grid_.topLeft_;
        const int lastContraCol = h.FullCellCount - 1, lastContraRow = v.FullCellCount - 1;
        const int contraTop = v.ContraBoundary + v.LineWidth;
        const int contraLeft = h.ContraBoundary + h.LineWidth;
        if (v.ContraCellCount > 0) {
            const TColor border = colors_.ContraRowBorderColor(rowCount);
            Lines(
                {{0, contraTop, h.StaticBoundary, v.ClientExtent}, {0, rowCount}, fixedColor, true},
                h.LastFullVisibleCell, lastContraRow);
            Lines({{h.StaticBoundary, contraTop, h.FixedBoundary, v.ClientExtent},
                   {frozenCol, rowCount},
                   fixedColor,
                   true},
                  h.LastFullVisibleCell, lastContraRow);
            if (grid_.frozenCols_ > 0)
                Border({h.FixedBoundary - 1, contraTop}, {h.FixedBoundary - 1, v.ClientExtent},
                       colors_.FrozenColBorderColor(fixedCols - 1));
            Border({0, v.ContraBoundary}, {h.FixedBoundary, v.ContraBoundary}, border);
            Lines({{h.FixedBoundary, contraTop, h.GridBoundary, v.ClientExtent},
                   {topLeft.X, rowCount},
                   color,
                   false},
                  h.LastFullVisibleCell, lastContraRow);
            Border({h.FixedBoundary, v.ContraBoundary}, {h.GridBoundary, v.ContraBoundary}, border);
        }
        if (h.ContraCellCount > 0) {
            const TColor border = colors_.ContraColBorderColor(colCount);
            Lines({{contraLeft, 0, h.ClientExtent, v.StaticBoundary},
                   {colCount, 0},
                   fixedColor,
                   true},
                  lastContraCol, v.LastFullVisibleCell);
            Lines({{contraLeft, v.StaticBoundary, h.ClientExtent, v.FixedBoundary},
                   {colCount, frozenRow},
                   fixedColor,
                   true},
                  lastContraCol, v.LastFullVisibleCell);
            if (grid_.frozenRows_ > 0)
                Border({contraLeft, v.FixedBoundary - 1}, {h.ClientExtent, v.FixedBoundary - 1},
                       colors_.FrozenRowBorderColor(fixedRows - 1));
            Border({h.ContraBoundary, 0}, {h.ContraBoundary, v.FixedBoundary}, border);
            Lines({{contraLeft, v.FixedBoundary, h.ClientExtent, v.GridBoundary},
                   {colCount, topLeft.Y},
                   color,
                   false},
                  lastContraCol, v.LastFullVisibleCell);
            Border({h.ContraBoundary, v.FixedBoundary}, {h.ContraBoundary, v.GridBoundary}, border);
        }
        if (h.ContraCellCount > 0 && v.ContraCellCount > 0) {
            Lines({{contraLeft, contraTop, h.ClientExtent, v.ClientExtent},
                   {colCount, rowCount},
                   color,
                   false},
                  lastContraCol, lastContraRow);
            Border({h.ContraBoundary, v.ContraBoundary}, {h.ClientExtent, v.ContraBoundary},
                   colors_.ContraRowBorderColor(rowCount));
            Border({h.ContraBoundary, v.ContraBoundary}, {h.ContraBoundary, v.ClientExtent},
                   colors_.ContraColBorderColor(colCount));
        }
    }

    // Cells clipped to a rectangle, so that they stay out of the other
    // axis's contra cells.
    void ClippedCells(TGridCoord first, TRect bounds, TColor color, const TRect& clip) {
        const TClip saved = canvas_.Clip();
        canvas_.IntersectClipRect(clip);
        Cells(first, bounds, 0, color, true);
        canvas_.SetClip(saved);
    }

    void ContraCells() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const int colCount = grid_.colCount_, rowCount = grid_.rowCount_;
        const int frozenCol = grid_.fixedCols_ - grid_.frozenCols_;
        const int frozenRow = grid_.fixedRows_ - grid_.frozenRows_;
        const TColor fixedColor = grid_.fixedColor_;
        const TColor color = grid_.Color();
        const TGridCoord topLeft = grid_.topLeft_;
        const int contraTop = v.ContraBoundary + v.LineWidth;
        const int contraLeft = h.ContraBoundary + h.LineWidth;
        if (v.ContraCellCount > 0) {
            Cells({0, rowCount}, {0, contraTop, h.StaticBoundary, v.ClientExtent}, gdFixed,
                  fixedColor, true);
            Cells({frozenCol, rowCount},
                  {h.StaticBoundary, contraTop, h.FixedBoundary, v.ClientExtent}, 0, color, true);
            ClippedCells(
                {topLeft.X, rowCount},
                {h.FixedBoundary - grid_.colOffset_, contraTop, h.GridBoundary, v.ClientExtent},
                color, {0, 0, h.GridBoundary, v.ClientExtent});
        }
        if (h.ContraCellCount > 0) {
            Cells({colCount, 0}, {contraLeft, 0, h.ClientExtent, v.StaticBoundary}, gdFixed,
                  fixedColor, true);
            Cells({colCount, frozenRow},
                  {contraLeft, v.StaticBoundary, h.ClientExtent, v.FixedBoundary}, 0, color, true);
            ClippedCells({colCount, topLeft.Y},
                         {contraLeft, v.FixedBoundary, h.ClientExtent, v.GridBoundary}, color,
                         {0, 0, h.ClientExtent, v.GridBoundary});
        }
        if (h.ContraCellCount > 0 && v.ContraCellCount > 0)
            Cells({colCount, rowCount}, {contraLeft, contraTop, h.ClientExtent, v.ClientExtent}, 0,
                  color, true);
    }

    void ContraBackground() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        if (h.ContraCellCount > 0 && v.GridBoundary < v.GridExtent)
            Fill({h.ContraBoundary, v.GridBoundary, h.ClientExtent, v.GridExtent});
        if (v.ContraCellCount > 0 && h.GridBoundary < h.GridExtent)
            Fill({h.GridBoundary, v.ContraBoundary, h.ContraBoundary, v.ClientExtent});
    }

    TCustomGridX& grid_;
    TCanvas& canvas_;
    TGridLineColorsX& colors_;
    TGridLayoutX layout_;
    bool focused_ = false;
    bool editorShown_ = false;
    TGridRect selection_;
    int visibleCount_ = 0;
    int capacity_ = 0;
    std::vector<QPoint> points_;
    std::vector<int> counts_;
};

void TCustomGridX::Paint() {
    if (GridLocked())
        return;
    TPainter(*this, Canvas()).Run();
}

void TCustomGridX::DrawEdgeX(TCanvas& canvas, const TRect& rect, bool bottomRight, bool topLeft,
                             bool down) const {
    const unsigned edge = down ? BDR_SUNKENINNER : BDR_RAISEDINNER;
    const unsigned topLeftSides = topLeft ? BF_TOPLEFT : BF_TOP;
    if (!flat_) {
        if (bottomRight && topLeft) {
            canvas.DrawEdge(rect, edge, BF_RECT);
        } else {
            canvas.DrawEdge(rect, edge, topLeftSides);
            canvas.DrawEdge(rect, edge, bottomRight ? BF_BOTTOMRIGHT : BF_BOTTOM);
        }
        return;
    }
    if (bottomRight) {
        canvas.SetPenColor(canvas.BrushColor());
        canvas.SetPenWidth(1);
        canvas.SetPenStyle(TPenStyle::psSolid);
        const QPoint line[3] = {{rect.Left, rect.Bottom - 1},
                                {rect.Right - 1, rect.Bottom - 1},
                                {rect.Right - 1, rect.Top - 1}};
        canvas.Polyline(line, 3);
    }
    canvas.DrawEdge(rect, edge, topLeftSides);
}

// Scrolling

bool TCustomGridX::ScrollBarWanted(int bar) const {
    if (scrollRangeUpdating_)
        return false;
    const TScrollStyle style = ScrollBars();
    return style == TScrollStyle::ssBoth ||
           style == (bar == SB_HORZ ? TScrollStyle::ssHorizontal : TScrollStyle::ssVertical);
}

void TCustomGridX::ModifyScrollBar(int scrollBar, int scrollCode, int pos) {
    if (isVisible() && CanFocus() && (focusPolicy() & Qt::TabFocus))
        setFocus();
    if (scrollBar == SB_HORZ && colCount_ == 1) {
        ModifyPixelScrollBar(scrollCode, pos);
        return;
    }
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridCoord maxTopLeft = CalcMaxTopLeft({colCount_ - 1, rowCount_ - 1}, layout);
    const bool horz = scrollBar == SB_HORZ;
    const TGridAxisLayoutX& axis = horz ? layout.Horz : layout.Vert;
    const int first = axis.FixedCellCount;
    const int last = horz ? maxTopLeft.X : maxTopLeft.Y;
    const int current = horz ? topLeft_.X : topLeft_.Y;
    const auto pageUp = [&] {
        const TGridCoord fits = CalcMaxTopLeft(topLeft_, layout);
        return std::max(current - (horz ? fits.X : fits.Y), 1);
    };
    const auto pageDown = [&] { return std::max(axis.LastFullVisibleCell - current, 1); };
    const auto step = [&](int value) {
        switch (scrollCode) {
        case SB_LINEUP:
            return value - 1;
        case SB_LINEDOWN:
            return value + 1;
        case SB_PAGEUP:
            return value - pageUp();
        case SB_PAGEDOWN:
            return value + pageDown();
        case SB_THUMBPOSITION:
            return first + MulDiv(pos, last - first, kThumbRange);
        case SB_THUMBTRACK:
            return (options_ & goThumbTracking) ? first + MulDiv(pos, last - first, kThumbRange)
                                                : value;
        case SB_TOP:
            return first;
        case SB_BOTTOM:
            return last;
        default:
            return value;
        }
    };
    int value = current;
    for (;;) {
        const int before = value;
        value = step(value);
        if (value <= first || value >= last || axis.Extent(value) > 0 || value == before)
            break;
    }
    value = std::clamp(value, first, std::max(first, last));
    if (value != current)
        MoveTopLeft(horz ? value : topLeft_.X, horz ? topLeft_.Y : value);
}

// A grid of one column scrolls by pixels. Top goes to the left edge and
// bottom to the right one; the offset never runs past the column's width.
void TCustomGridX::ModifyPixelScrollBar(int code, int pos) {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int room = ClientWidth() - layout.Horz.FixedBoundary;
    const int width = GetColWidths(layout.Horz.FirstGridCell);
    const int charWidth = QFontMetrics(font()).horizontalAdvance(QLatin1Char('0'));
    int offset = colOffset_;
    switch (code) {
    case SB_LINEUP:
        offset -= charWidth;
        break;
    case SB_LINEDOWN:
        offset += charWidth;
        break;
    case SB_PAGEUP:
        offset -= room;
        break;
    case SB_PAGEDOWN:
        offset += room;
        break;
    case SB_THUMBPOSITION:
        offset = pos;
        break;
    case SB_THUMBTRACK:
        if (options_ & goThumbTracking)
            offset = pos;
        break;
    case SB_TOP:
        offset = 0;
        break;
    case SB_BOTTOM:
        offset = width - room;
        break;
    default:
        break;
    }
    offset = std::clamp(offset, 0, std::max(0, width - room));
    if (offset == colOffset_)
        return;
    const int oldOffset = colOffset_;
    colOffset_ = offset;
    ScrollData(oldOffset - offset, 0);
    InvalidateRect(TGridRect{0, 0, 0, fixedRows_});
    UpdateWindow();
    UpdateScrollPos();
}

void TCustomGridX::TopLeftMoved(const TGridCoord& oldTopLeft) {
    UpdateScrollPos();
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridAxisLayoutX& h = layout.Horz;
    const TGridAxisLayoutX& v = layout.Vert;
    const int dx = AxisDistance(h, oldTopLeft.X, topLeft_.X);
    const int dy = AxisDistance(v, oldTopLeft.Y, topLeft_.Y);
    if (dx > h.GridBoundary - h.FixedBoundary || dy > v.GridBoundary - v.FixedBoundary)
        InvalidateGrid();
    else
        ScrollData(oldTopLeft.X < topLeft_.X ? -dx : dx, oldTopLeft.Y < topLeft_.Y ? -dy : dy);
    TopLeftChanged();
}

void TCustomGridX::ScrollData(int dx, int dy) {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridAxisLayoutX& h = layout.Horz;
    const TGridAxisLayoutX& v = layout.Vert;
    if (dy == 0) {
        ScrollWindowArea(dx, 0, {h.FixedBoundary, 0, h.GridExtent, v.ClientExtent});
    } else if (dx != 0) {
        ScrollWindowArea(dx, 0, {h.FixedBoundary, 0, h.GridExtent, v.FixedBoundary});
        ScrollWindowArea(0, dy, {0, v.FixedBoundary, h.FixedBoundary, v.GridExtent});
        ScrollWindowArea(dx, dy, {h.FixedBoundary, v.FixedBoundary, h.GridExtent, v.GridExtent});
        ScrollWindowArea(dx, 0, {h.FixedBoundary, v.GridExtent, h.GridExtent, v.ClientExtent});
        ScrollWindowArea(0, dy, {h.GridExtent, v.FixedBoundary, h.ClientExtent, v.GridExtent});
    } else {
        ScrollWindowArea(0, dy, {0, v.FixedBoundary, h.ClientExtent, v.GridExtent});
    }
    if (options_ & goRowSelect)
        InvalidateRect(Selection());
}

// The thumb stands for the first scrollable cell shown; with nothing to
// scroll it stays at 0 instead of dividing by zero.
void TCustomGridX::UpdateScrollPos() {
    if (!HandleAllocated() || ScrollBars() == TScrollStyle::ssNone)
        return;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridCoord maxTopLeft = CalcMaxTopLeft({colCount_ - 1, rowCount_ - 1}, layout);
    const auto thumb = [](int first, int fixed, int max) {
        return max > fixed ? MulDiv(first - fixed, kThumbRange, max - fixed) : 0;
    };
    if (ScrollBarWanted(SB_HORZ)) {
        if (colCount_ == 1) {
            const int width = GetColWidths(layout.Horz.FirstGridCell);
            const int room = ClientWidth() - layout.Horz.FixedBoundary;
            if (colOffset_ > 0 && room > width - colOffset_)
                ModifyScrollBar(SB_HORZ, SB_THUMBPOSITION, width - room);
            else if (ScrollPos(SB_HORZ) != colOffset_)
                SetScrollPos(SB_HORZ, colOffset_);
        } else {
            const int pos = thumb(topLeft_.X, fixedCols_, maxTopLeft.X);
            if (ScrollPos(SB_HORZ) != pos)
                SetScrollPos(SB_HORZ, pos);
        }
    }
    if (ScrollBarWanted(SB_VERT)) {
        const int pos = thumb(topLeft_.Y, fixedRows_, maxTopLeft.Y);
        if (ScrollPos(SB_VERT) != pos)
            SetScrollPos(SB_VERT, pos);
    }
}

void TCustomGridX::UpdateScrollRange() {
    if (ScrollBars() == TScrollStyle::ssNone || scrollRangeUpdating_ || !HandleAllocated() ||
        !isVisible())
        return;
    const TGridCoord oldTopLeft = topLeft_;
    const bool horzWanted = ScrollBarWanted(SB_HORZ);
    const bool vertWanted = ScrollBarWanted(SB_VERT);
    const QSize bare = ClientSizeWithoutBars();
    bool updated = false;
    const auto setAxisRange = [&](int width, int height, bool horz) {
        TGridLayoutX layout;
        CalcDrawInfoXY(layout, width, height);
        const TGridCoord maxTopLeft = CalcMaxTopLeft({colCount_ - 1, rowCount_ - 1}, layout);
        const int max = horz ? maxTopLeft.X : maxTopLeft.Y;
        const int fixed = horz ? fixedCols_ : fixedRows_;
        SetScrollRange(horz ? SB_HORZ : SB_VERT, 0, fixed < max ? kThumbRange : 0);
        int& first = horz ? topLeft_.X : topLeft_.Y;
        if ((horz ? oldTopLeft.X : oldTopLeft.Y) > max) {
            if (!updated) {
                UpdateWindow();
                updated = true;
            }
            first = max;
        }
    };
    const auto setHorzRange = [&](int width, int height) {
        if (!horzWanted)
            return;
        if (colCount_ == 1)
            SetScrollRange(SB_HORZ, 0, std::max(GetColWidths(0) - ClientWidth(), 0));
        else
            setAxisRange(width, height, true);
    };
    scrollRangeUpdating_ = true;
    try {
        setHorzRange(bare.width(), bare.height());
        if (vertWanted)
            setAxisRange(bare.width(), ClientHeight(), false);
        if (bare.width() != ClientWidth())
            setHorzRange(ClientWidth(), ClientHeight());
    } catch (...) {
        scrollRangeUpdating_ = false;
        throw;
    }
    scrollRangeUpdating_ = false;
    UpdateScrollPos();
    if (topLeft_ != oldTopLeft)
        TopLeftMoved(oldTopLeft);
}

// Mouse: selecting, sizing and moving

namespace {

// The pixel zone around a line in which a press starts sizing.
struct SizingZone {
    int back;
    int range;
};

SizingZone ZoneFor(int lineWidth) {
    if (lineWidth < 7)
        return {(7 - lineWidth) / 2, 7};
    return {0, lineWidth};
}

bool InZone(int line, int pos, SizingZone zone) {
    return pos >= line - zone.back && pos <= line - zone.back + zone.range;
}

struct SizingHit {
    bool found = false;
    int line = 0;
    int index = -1;
};

// The line after one of the cells first .. last that pos lies on, walking
// from start; hidden cells have no line, and a line beyond limit ends the walk.
SizingHit LineAfterCell(const TGridAxisLayoutX& axis, int pos, int start, int first, int last,
                        int limit, int indexShift) {
    const SizingZone zone = ZoneFor(axis.LineWidth);
    int line = start;
    for (int cell = first; cell <= last; ++cell) {
        if (axis.Extent(cell) <= 0)
            continue;
        line += axis.Extent(cell);
        if (line > limit)
            break;
        if (InZone(line, pos, zone))
            return {true, line, cell + indexShift};
        line += axis.LineWidth;
    }
    return {};
}

// The line of one axis that a position lies on, as the sizing rules find it.
SizingHit FindSizingLine(const TGridAxisLayoutX& axis, int pos) {
    SizingHit hit =
        LineAfterCell(axis, pos, axis.StaticBoundary, axis.FixedCellCount - axis.FrozenCellCount,
                      axis.FixedCellCount - 1, axis.GridBoundary, 0);
    if (!hit.found)
        hit = LineAfterCell(axis, pos, axis.FixedBoundary, axis.FirstGridCell,
                            axis.GridCellCount - 1, axis.GridBoundary, 0);
    if (hit.found)
        return hit;
    const int back = ZoneFor(axis.LineWidth).back;
    if (axis.GridBoundary == axis.GridExtent) {
        if (pos >= axis.GridExtent - back && pos <= axis.GridExtent) {
            const bool anyWhole = axis.FullVisBoundary > axis.FixedBoundary;
            return {true, axis.GridExtent,
                    anyWhole ? axis.LastFullVisibleCell + 1 : axis.LastFullVisibleCell};
        }
    }
    if (axis.ContraCellCount == 0)
        return {};
    if (pos >= axis.ContraBoundary && pos <= axis.ContraBoundary + back)
        return {true, axis.ContraBoundary, axis.GridCellCount};
    return LineAfterCell(axis, pos, axis.ContraBoundary + axis.LineWidth, axis.GridCellCount,
                         axis.FullCellCount - 2, axis.FullGridBoundary, 1);
}

} // namespace

void TCustomGridX::CalcSizingState(int x, int y, const TGridLayoutX& layout, TGridStateX& state,
                                   int& index, int& sizingPos, int& sizingOfs) const {
    state = gsNormal;
    index = -1;
    if (!(options_ & (goRowSizing | goColSizing)))
        return;
    const TGridAxisLayoutX& h = layout.Horz;
    const TGridAxisLayoutX& v = layout.Vert;
    SizingHit hit;
    TGridStateX found;
    int pos;
    if (x > h.StaticBoundary && (options_ & goColSizing)) {
        if (y >= v.StaticBoundary)
            return;
        hit = FindSizingLine(h, x);
        found = gsColSizing;
        pos = x;
    } else if (y > v.StaticBoundary && (options_ & goRowSizing)) {
        if (x >= h.StaticBoundary)
            return;
        hit = FindSizingLine(v, y);
        found = gsRowSizing;
        pos = y;
    } else {
        return;
    }
    if (!hit.found)
        return;
    state = found;
    index = hit.index;
    sizingPos = hit.line;
    sizingOfs = hit.line - pos;
}

bool TCustomGridX::IsSizingPoint(int x, int y) const {
    if (gridState_ != gsNormal)
        return true;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    TGridStateX state;
    int index, pos, ofs;
    CalcSizingState(x, y, layout, state, index, pos, ofs);
    return state != gsNormal;
}

int TCustomGridX::SizingDistance(const TGridLayoutX& layout) const {
    const TGridAxisLayoutX& axis = gridState_ == gsColSizing ? layout.Horz : layout.Vert;
    const int index = sizingIndex_;
    if (index >= axis.GridCellCount) {
        int far = axis.ContraBoundary - axis.LineWidth;
        for (int cell = axis.GridCellCount; cell <= index; ++cell)
            far += axis.Span(cell);
        return far - sizingPos_;
    }
    const bool frozen = index < axis.FixedCellCount;
    int start = frozen ? axis.StaticBoundary : axis.FixedBoundary;
    const int firstCell = frozen ? axis.FixedCellCount - axis.FrozenCellCount : axis.FirstGridCell;
    for (int cell = firstCell; cell < index; ++cell)
        start += axis.Span(cell);
    return sizingPos_ - start;
}

void TCustomGridX::DrawSizingLine(const TGridLayoutX& layout) {
    if (!sizingLineShown_) {
        sizingBand_ = gridState_ == gsColSizing
                          ? TRect{sizingPos_, 0, sizingPos_ + 1, layout.Vert.FullGridBoundary}
                          : TRect{0, sizingPos_, layout.Horz.FullGridBoundary, sizingPos_ + 1};
    }
    ToggleFeedbackBand(sizingBand_, true);
    sizingLineShown_ = !sizingLineShown_;
}

void TCustomGridX::DrawMoveLine() {
    constexpr int kWidth = 5;
    if (!moveLineShown_) {
        const bool forward = movePos_ > moveIndex_;
        if (gridState_ == gsRowMoving) {
            const TRect cell = CellRect(0, movePos_);
            const int pos = forward ? cell.Bottom : cell.Top;
            moveBand_ = {0, pos - kWidth / 2, ClientWidth(), pos - kWidth / 2 + kWidth};
        } else {
            const TRect cell = CellRect(movePos_, 0);
            const int pos = forward ? cell.Right : cell.Left;
            moveBand_ = {pos - kWidth / 2, 0, pos - kWidth / 2 + kWidth, ClientHeight()};
        }
    }
    ToggleFeedbackBand(moveBand_, false);
    moveLineShown_ = !moveLineShown_;
}

void TCustomGridX::StopDrag() {
    KillTimer(kScrollTimer);
}

void TCustomGridX::CancelMode() {
    switch (gridState_) {
    case gsSelecting:
        StopDrag();
        break;
    case gsRowSizing:
    case gsColSizing:
        if (sizingLineShown_) {
            TGridLayoutX layout;
            CalcDrawInfo(layout);
            DrawSizingLine(layout);
        }
        break;
    case gsRowMoving:
    case gsColMoving:
        if (moveLineShown_)
            DrawMoveLine();
        StopDrag();
        break;
    case gsNormal:
        break;
    }
    gridState_ = gsNormal;
}

void TCustomGridX::mousePressEvent(QMouseEvent* event) {
    TCustomControl::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && editor_)
        editor_->clickTime_ = MessageTime();
}

// An error of the mouse-down event used to be absorbed with the drag left
// running. The drag ends (feedback line erased, timer stopped) and the error
// goes on to the program's handler.
void TCustomGridX::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    HideEdit();
    if (CanFocus() || !parentWidget()) {
        setFocus(Qt::MouseFocusReason);
        if (!IsActiveControl()) {
            SetMouseCapture(false);
            return;
        }
    }
    lastMousePos_ = QPoint(x, y);
    if (button == TMouseButton::mbLeft && (shift & ssDouble)) {
        DblClick();
    } else if (button == TMouseButton::mbLeft) {
        TGridLayoutX layout;
        CalcDrawInfo(layout);
        CalcSizingState(x, y, layout, gridState_, sizingIndex_, sizingPos_, sizingOfs_);
        if (gridState_ != gsNormal) {
            DrawSizingLine(layout);
            return;
        }
        const TGridCoord hit = CalcCoordFromPoint(x, y, layout);
        const bool selectable = hit.X >= fixedCols_ - frozenCols_ &&
                                hit.Y >= fixedRows_ - frozenRows_ && hit.X < colCount_ &&
                                hit.Y < rowCount_;
        if (!selectable) {
            if ((options_ & goRowMoving) && hit.X >= 0 && hit.X < fixedCols_ &&
                hit.Y >= fixedRows_ && hit.Y < rowCount_) {
                moveIndex_ = movePos_ = hit.Y;
                if (BeginRowDrag(moveIndex_, movePos_, QPoint(x, y))) {
                    gridState_ = gsRowMoving;
                    UpdateWindow();
                    DrawMoveLine();
                    SetTimer(kScrollTimer, kScrollTimerInterval);
                }
            } else if ((options_ & goColMoving) && hit.Y >= 0 && hit.Y < fixedRows_ &&
                       hit.X >= fixedCols_ && hit.X < colCount_) {
                moveIndex_ = movePos_ = hit.X;
                if (BeginColumnDrag(moveIndex_, movePos_, QPoint(x, y))) {
                    gridState_ = gsColMoving;
                    UpdateWindow();
                    DrawMoveLine();
                    SetTimer(kScrollTimer, kScrollTimerInterval);
                }
            }
        } else if (options_ & goEditing) {
            if (hit == current_) {
                ShowEditor();
            } else {
                FocusCell(hit.X, hit.Y, true, true);
                UpdateEdit();
            }
            Click();
        } else {
            gridState_ = gsSelecting;
            SetTimer(kScrollTimer, kScrollTimerInterval);
            if (shift & ssShift)
                MoveAnchor(hit);
            else
                FocusCell(hit.X, hit.Y, true, true);
        }
    }
    try {
        TCustomControl::MouseDown(button, shift, x, y);
    } catch (...) {
        CancelMode();
        throw;
    }
}

void TCustomGridX::MouseMove(TShiftState shift, int x, int y) {
    lastMousePos_ = QPoint(x, y);
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    switch (gridState_) {
    case gsSelecting:
    case gsColMoving:
    case gsRowMoving: {
        const TGridCoord hit = CalcCoordFromPoint(x, y, layout);
        const bool selectable =
            hit.X >= fixedCols_ - frozenCols_ && hit.Y >= fixedRows_ - frozenRows_ &&
            hit.X <= std::min(layout.Horz.LastFullVisibleCell + 1, colCount_ - 1) &&
            hit.Y <= std::min(layout.Vert.LastFullVisibleCell + 1, rowCount_ - 1);
        if (!selectable)
            break;
        if (gridState_ == gsSelecting) {
            if (hit != anchor_)
                MoveAnchor(hit);
        } else if (gridState_ == gsColMoving) {
            MoveAndScroll(x, hit.X, layout, true, QPoint(x, y));
        } else {
            MoveAndScroll(y, hit.Y, layout, false, QPoint(x, y));
        }
        break;
    }
    case gsRowSizing:
    case gsColSizing:
        DrawSizingLine(layout);
        sizingPos_ = (gridState_ == gsRowSizing ? y : x) + sizingOfs_;
        DrawSizingLine(layout);
        break;
    case gsNormal:
        break;
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomGridX::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    try {
        switch (gridState_) {
        case gsSelecting:
            MouseMove(shift, x, y);
            StopDrag();
            UpdateEdit();
            Click();
            break;
        case gsRowSizing:
        case gsColSizing: {
            TGridLayoutX layout;
            CalcDrawInfo(layout);
            DrawSizingLine(layout);
            const int size = SizingDistance(layout);
            if (size > 1) {
                if (gridState_ == gsColSizing)
                    SetColWidths(sizingIndex_, size);
                else
                    SetRowHeights(sizingIndex_, size);
            }
            break;
        }
        case gsColMoving:
        case gsRowMoving: {
            DrawMoveLine();
            StopDrag();
            const QPoint point(x, y);
            const bool columns = gridState_ == gsColMoving;
            if ((columns ? EndColumnDrag(moveIndex_, movePos_, point)
                         : EndRowDrag(moveIndex_, movePos_, point)) &&
                moveIndex_ != movePos_) {
                if (columns)
                    MoveColumn(moveIndex_, movePos_);
                else
                    MoveRow(moveIndex_, movePos_);
            }
            UpdateEdit();
            break;
        }
        case gsNormal:
            UpdateEdit();
            break;
        }
    } catch (...) {
        gridState_ = gsNormal;
        throw;
    }
    gridState_ = gsNormal;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGridX::MoveAndScroll(int mouse, int cellHit, TGridLayoutX& layout, bool columns,
                                 QPoint mousePt) {
    const TGridAxisLayoutX* axis = columns ? &layout.Horz : &layout.Vert;
    if (cellHit == movePos_ || (movePos_ == axis->FixedCellCount && mouse < axis->FixedBoundary) ||
        (movePos_ == axis->GridCellCount - 1 && mouse > axis->GridBoundary))
        return;
    DrawMoveLine();
    const int bar = columns ? SB_HORZ : SB_VERT;
    if (mouse < axis->FixedBoundary) {
        if (movePos_ > axis->FixedCellCount) {
            ModifyScrollBar(bar, SB_LINEUP, 0);
            UpdateWindow();
            CalcDrawInfo(layout);
        }
        cellHit = axis->FirstGridCell;
    } else if (mouse >= axis->FullVisBoundary) {
        if (movePos_ == axis->LastFullVisibleCell && movePos_ < axis->GridCellCount - 1) {
            ModifyScrollBar(bar, SB_LINEDOWN, 0);
            UpdateWindow();
            CalcDrawInfo(layout);
        }
        cellHit = axis->LastFullVisibleCell;
    } else if (cellHit < 0) {
        cellHit = movePos_;
    }
    if (columns ? CheckColumnDrag(moveIndex_, cellHit, mousePt)
                : CheckRowDrag(moveIndex_, cellHit, mousePt))
        movePos_ = cellHit;
    DrawMoveLine();
}

void TCustomGridX::TimedScroll(TGridScrollDirection direction) {
    TGridCoord newAnchor = anchor_;
    if ((direction & sdLeft) && anchor_.X > fixedCols_)
        --newAnchor.X;
    if ((direction & sdRight) && anchor_.X < colCount_ - 1)
        ++newAnchor.X;
    if ((direction & sdUp) && anchor_.Y > fixedRows_)
        --newAnchor.Y;
    if ((direction & sdDown) && anchor_.Y < rowCount_ - 1)
        ++newAnchor.Y;
    if (newAnchor != anchor_)
        MoveAnchor(newAnchor);
}

void TCustomGridX::TimerFired(int id) {
    if (id != kScrollTimer ||
        (gridState_ != gsSelecting && gridState_ != gsRowMoving && gridState_ != gsColMoving))
        return;
    const QPoint point = lastMousePos_;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridCoord hit = CalcCoordFromPoint(point.x(), point.y(), layout);
    switch (gridState_) {
    case gsColMoving:
        MoveAndScroll(point.x(), hit.X, layout, true, point);
        break;
    case gsRowMoving:
        MoveAndScroll(point.y(), hit.Y, layout, false, point);
        break;
    default: {
        TGridScrollDirection direction = 0;
        if (point.x() < layout.Horz.FixedBoundary)
            direction |= sdLeft;
        else if (point.x() > layout.Horz.FullVisBoundary)
            direction |= sdRight;
        if (point.y() < layout.Vert.FixedBoundary)
            direction |= sdUp;
        else if (point.y() > layout.Vert.FullVisBoundary)
            direction |= sdDown;
        if (direction)
            TimedScroll(direction);
        break;
    }
    }
}

bool TCustomGridX::BeginColumnDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::BeginRowDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::CheckColumnDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::CheckRowDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::EndColumnDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::EndRowDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::DoMouseWheelDown(TShiftState shift, QPoint pos) {
    if (TCustomControl::DoMouseWheelDown(shift, pos))
        return true;
    if (current_.Y < rowCount_ - 1)
        SetRow(current_.Y + 1);
    return true;
}

bool TCustomGridX::DoMouseWheelUp(TShiftState shift, QPoint pos) {
    if (TCustomControl::DoMouseWheelUp(shift, pos))
        return true;
    if (current_.Y > fixedRows_)
        SetRow(current_.Y - 1);
    return true;
}

// Keys

bool TCustomGridX::CanGridAcceptKey(int, TShiftState) {
    return true;
}

bool TCustomGridX::CanEditAcceptKey(QChar) {
    return true;
}

// The cell Tab moves to: the next (previous) column that is a tab stop,
// wrapping over rows. Shift+Tab keeps going backwards past columns that are no
// tab stop (it used to turn forward after the first step), and a walk that
// finds no tab stop ends after one round.
void TCustomGridX::TabTarget(TGridCoord& cell, bool backward) const {
    const int columns = colCount_ - fixedCols_;
    for (int steps = 0; steps < columns; ++steps) {
        if (backward) {
            if (--cell.X < fixedCols_) {
                cell.X = colCount_ - 1;
                if (--cell.Y < fixedRows_)
                    cell.Y = rowCount_ - 1;
            }
        } else if (++cell.X >= colCount_) {
            cell.X = fixedCols_;
            if (++cell.Y >= rowCount_)
                cell.Y = fixedRows_;
        }
        if (GetTabStops(cell.X) || cell.X == current_.X)
            return;
    }
}

void TCustomGridX::KeyDown(int& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (!CanGridAcceptKey(key, shift))
        key = 0;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int pageWidth = std::max(layout.Horz.LastFullVisibleCell - topLeft_.X, 1);
    const int pageHeight = std::max(layout.Vert.LastFullVisibleCell - topLeft_.Y, 1);
    const bool rowSelect = options_ & goRowSelect;
    TGridCoord newCurrent = current_;
    TGridCoord newTopLeft = topLeft_;
    bool moveAnchor = !(shift & ssShift);
    if (shift & ssCtrl) {
        switch (key) {
        case Qt::Key_Up:
            --newTopLeft.Y;
            break;
        case Qt::Key_Down:
            ++newTopLeft.Y;
            break;
        case Qt::Key_Left:
            if (!rowSelect) {
                newCurrent.X -= pageWidth;
                newTopLeft.X -= pageWidth;
            }
            break;
        case Qt::Key_Right:
            if (!rowSelect) {
                newCurrent.X += pageWidth;
                newTopLeft.X += pageWidth;
            }
            break;
        case Qt::Key_PageUp:
            newCurrent.Y = topLeft_.Y;
            break;
        case Qt::Key_PageDown:
            newCurrent.Y = layout.Vert.LastFullVisibleCell;
            break;
        case Qt::Key_Home:
            newCurrent = {fixedCols_, fixedRows_};
            break;
        case Qt::Key_End:
            newCurrent = {colCount_ - 1, rowCount_ - 1};
            break;
        default:
            break;
        }
    } else {
        switch (key) {
        case Qt::Key_Up:
            --newCurrent.Y;
            break;
        case Qt::Key_Down:
            ++newCurrent.Y;
            break;
        case Qt::Key_Left:
            (rowSelect ? newCurrent.Y : newCurrent.X) -= 1;
            break;
        case Qt::Key_Right:
            (rowSelect ? newCurrent.Y : newCurrent.X) += 1;
            break;
        case Qt::Key_PageDown:
            newCurrent.Y += pageHeight;
            newTopLeft.Y += pageHeight;
            break;
        case Qt::Key_PageUp:
            newCurrent.Y -= pageHeight;
            newTopLeft.Y -= pageHeight;
            break;
        case Qt::Key_Home:
            (rowSelect ? newCurrent.Y : newCurrent.X) = rowSelect ? fixedRows_ : fixedCols_;
            break;
        case Qt::Key_End:
            (rowSelect ? newCurrent.Y : newCurrent.X) = rowSelect ? rowCount_ - 1 : colCount_ - 1;
            break;
        case Qt::Key_Tab:
            if (!(shift & ssAlt)) {
                TabTarget(newCurrent, shift & ssShift);
                moveAnchor = true;
            }
            break;
        case Qt::Key_F2:
            SetEditorMode(true);
            break;
        default:
            break;
        }
    }
    const TGridCoord maxTopLeft = CalcMaxTopLeft({colCount_ - 1, rowCount_ - 1}, layout);
    newTopLeft.X = std::clamp(newTopLeft.X, fixedCols_, std::max(fixedCols_, maxTopLeft.X));
    newTopLeft.Y = std::clamp(newTopLeft.Y, fixedRows_, std::max(fixedRows_, maxTopLeft.Y));
    if (newTopLeft != topLeft_)
        MoveTopLeft(newTopLeft.X, newTopLeft.Y);
    newCurrent.X = std::clamp(newCurrent.X, fixedCols_ - frozenCols_, colCount_ - 1);
    newCurrent.Y = std::clamp(newCurrent.Y, fixedRows_ - frozenRows_, rowCount_ - 1);
    if (newCurrent != current_)
        MoveToCell(newCurrent.X, newCurrent.Y, moveAnchor);
}

void TCustomGridX::KeyPress(QChar& key) {
    TCustomControl::KeyPress(key);
    if (!(options_ & goAlwaysShowEditor) && key == QChar(13)) {
        if (editorMode_)
            HideEditor();
        else
            ShowEditor();
        key = QChar();
    }
}

void TCustomGridX::CharTyped(QChar ch) {
    if ((options_ & goEditing) && (ch == QChar(8) || ch.unicode() >= 32))
        ShowEditorChar(ch);
    else
        TCustomControl::CharTyped(ch);
}

unsigned TCustomGridX::DialogCode() {
    if (options_ & goRowSelect)
        return DLGC_WANTARROWS;
    unsigned code = DLGC_WANTARROWS;
    if (options_ & goTabs)
        code |= DLGC_WANTTAB;
    if (options_ & goEditing)
        code |= DLGC_WANTCHARS;
    return code;
}

bool TCustomGridX::WantSpecialKey(int key) {
    return (options_ & goEditing) && key == Qt::Key_Return;
}

// Focus, cursor, size and cancel mode

void TCustomGridX::DoExit() {
    TCustomControl::DoExit();
    if (!(options_ & goAlwaysShowEditor))
        HideEditor();
}

void TCustomGridX::FocusIn(QWidget* from) {
    if (editor_ && from == editor_)
        return;
    InvalidateRect(Selection());
    UpdateEdit();
}

void TCustomGridX::FocusOut(QWidget* to) {
    InvalidateRect(Selection());
    if (editor_ && to != editor_)
        HideEdit();
}

Qt::CursorShape TCustomGridX::CursorAt(int x, int y) {
    TGridStateX state = gridState_;
    if (state == gsNormal) {
        TGridLayoutX layout;
        CalcDrawInfo(layout);
        int index, pos, ofs;
        CalcSizingState(x, y, layout, state, index, pos, ofs);
    }
    if (state == gsColSizing)
        return Qt::SplitHCursor;
    if (state == gsRowSizing)
        return Qt::SplitVCursor;
    return Qt::ArrowCursor;
}

void TCustomGridX::Resized() {
    UpdateScrollRange();
    if (contraColCount_ > 0 || contraRowCount_ > 0)
        InvalidateGrid();
}

void TCustomGridX::ShowingChanged() {
    UpdateScrollRange();
}

void TCustomGridX::FontChanged() {
    if (editor_)
        editor_->setFont(font());
}

void TCustomGridX::ScrollAction(int bar, int code, int pos) {
    ModifyScrollBar(bar, code, pos);
}

void TCustomGridX::WMCancelMode() {
    TCustomControl::WMCancelMode();
    CancelMode();
}

void TCustomGridX::CMCancelMode(QWidget* sender) {
    if (editor_)
        editor_->CMCancelMode(sender);
    TCustomControl::CMCancelMode(sender);
    CancelMode();
}

// Hooks the data grid overrides

void TCustomGridX::ColumnMoved(int, int) {}

void TCustomGridX::RowMoved(int, int) {}

void TCustomGridX::SizeChanged(int, int) {}

void TCustomGridX::ColWidthsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGridX::RowHeightsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGridX::TopLeftChanged() {
    if (editorMode_ && editor_)
        editor_->UpdateLoc(CellRect(current_.X, current_.Y));
}

bool TCustomGridX::CanEditModify() {
    return canEditModify_;
}

QString TCustomGridX::GetEditText(int, int) {
    return QString();
}

void TCustomGridX::SetEditText(int, int, const QString&) {}

int TCustomGridX::GetEditLimit() {
    return 0;
}

QString TCustomGridX::GetEditMask(int, int) {
    return QString();
}

TEditStyle TCustomGridX::GetEditStyle(int, int) {
    return TEditStyle::esSimple;
}

// The in-place editor

TInplaceEdit* TCustomGridX::CreateEditor() {
    return new TInplaceEdit(viewport());
}

bool TCustomGridX::CanEditShow() const {
    return (options_ & goEditing) && !(options_ & goRowSelect) && editorMode_ &&
           HandleAllocated() && ((options_ & goAlwaysShowEditor) || IsActiveControl());
}

void TCustomGridX::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void TCustomGridX::HideEditor() {
    editorMode_ = false;
    HideEdit();
}

void TCustomGridX::SetEditorMode(bool value) {
    if (value) {
        ShowEditor();
        if (editor_)
            editor_->SelectAll();
    } else {
        HideEditor();
    }
}

void TCustomGridX::ShowEditorChar(QChar ch) {
    ShowEditor();
    if (editor_)
        editor_->PostChar(ch);
}

void TCustomGridX::InvalidateEditor() {
    editorCol_ = -1;
    editorRow_ = -1;
    UpdateEdit();
}

void TCustomGridX::UpdateEdit() {
    if (!CanEditShow())
        return;
    const auto load = [this] {
        editorCol_ = current_.X;
        editorRow_ = current_.Y;
        editor_->LoadCellContents();
        canEditModify_ = editor_->MaxLength() != -1;
        editor_->selectAll();
    };
    if (!editor_) {
        editor_ = CreateEditor();
        editor_->SetGrid(this);
        editor_->setFont(font());
        load();
    } else if (current_.X != editorCol_ || current_.Y != editorRow_) {
        HideEdit();
        load();
    }
    if (CanEditShow())
        editor_->UpdateLoc(CellRect(current_.X, current_.Y));
}

void TCustomGridX::HideEdit() {
    if (!editor_)
        return;
    try {
        UpdateText();
    } catch (...) {
        editorCol_ = editorRow_ = -1;
        editor_->Hide();
        throw;
    }
    editorCol_ = editorRow_ = -1;
    editor_->Hide();
}

void TCustomGridX::UpdateText() {
    if (editorCol_ != -1 && editorRow_ != -1)
        SetEditText(editorCol_, editorRow_, editor_->Text());
}

} // namespace kx
