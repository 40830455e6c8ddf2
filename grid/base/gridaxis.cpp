#include "grid/base/gridaxis.h"

#include "grid/base/invalidgridoperationx.h"

#include <algorithm>

namespace kx::gridaxis {

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

} // namespace kx::gridaxis
