#pragma once
// Cell extents and the arithmetic of one grid axis, shared by the files that
// make up TCustomGridX.

#include "grid/base/customgridx.h"

#include <vector>

namespace kx::gridaxis {

// Extent arrays hold at most this many cells.
inline constexpr int kMaxExtentCount = 134217726;

inline constexpr int kScrollTimer = 1;
inline constexpr int kScrollTimerInterval = 60;
inline constexpr int kThumbRange = 127;

int ExtentCount(const std::vector<int>& extents);

// Inserts (amount > 0) or removes cells at index; from index on every cell
// takes the default.
std::vector<int> ResizedExtents(const std::vector<int>& extents, int index, int amount,
                                int defaultValue);

std::vector<int> ExtentsOfCount(const std::vector<int>& extents, int count, int defaultValue);

void MoveExtent(std::vector<int>& extents, int fromIndex, int toIndex);

// A coordinate after the cell at fromIndex moved to toIndex.
int MovedCoordinate(int pos, int fromIndex, int toIndex);

bool PointInGridRect(int col, int row, const TGridRect& rect);

TGridRect GridRect(TGridCoord a, TGridCoord b);

// The first cell of an axis whose extent plus line, added to start, passes
// pos; -1 when none of first .. last does.
int CellAt(const TGridAxisLayoutX& axis, int pos, int start, int first, int last);

int AxisCellAt(const TGridAxisLayoutX& axis, int pos);

// Where a cell starts on screen; 0 when it lies off screen.
int LinePos(const TGridAxisLayoutX& axis, int cell);

// One axis of a cell rectangle's screen rectangle; false when the whole
// rectangle must stay empty.
bool ScreenAxis(const TGridAxisLayoutX& axis, int min, int max, bool includeLine, int& screenMin,
                int& screenMax);

int MaxTopLeftOfAxis(const TGridAxisLayoutX& axis, int end);

// Pixels between the first cells from and to.
int AxisDistance(const TGridAxisLayoutX& axis, int from, int to);

} // namespace kx::gridaxis
