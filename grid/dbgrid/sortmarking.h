#pragma once
// Sort-index bookkeeping of column titles, one entry per column: 0 for an
// unmarked title, else its place (from 1) in the sort order.

#include <vector>

namespace kx {

// The index a newly marked title takes: one after those already marked.
int NextSortIndex(const std::vector<int>& sortIndexes);
// Unmarks one column and closes the gap: every title whose sort index is
// greater moves up by one.
void RemoveSortIndex(std::vector<int>& sortIndexes, int column);
// The columns in sort order, as the grid's sort-marked list holds them.
std::vector<int> SortMarkedColumns(const std::vector<int>& sortIndexes);

// Room for the marker in a title: 16 pixels, plus the index's text width
// when several columns are marked; 14 less when that does not fit the column
// less 4, and none when even that does not.
int SortMarkerWidth(int sortIndex, int markedCount, int indexTextWidth, int columnWidth);

} // namespace kx
