#include "grid/dbgrid/sortmarking.h"

#include <algorithm>

namespace kx {

int NextSortIndex(const std::vector<int>& sortIndexes) {
    return 1 + static_cast<int>(std::count_if(sortIndexes.begin(), sortIndexes.end(),
                                              [](int index) { return index != 0; }));
}

void RemoveSortIndex(std::vector<int>& sortIndexes, int column) {
    const int removed = sortIndexes.at(static_cast<std::size_t>(column));
    if (removed == 0)
        return;
    for (int& index : sortIndexes)
        if (index > removed)
            --index;
    sortIndexes.at(static_cast<std::size_t>(column)) = 0;
}

std::vector<int> SortMarkedColumns(const std::vector<int>& sortIndexes) {
    std::vector<int> columns;
    for (int column = 0; column < static_cast<int>(sortIndexes.size()); ++column)
        if (sortIndexes[static_cast<std::size_t>(column)] > 0)
            columns.push_back(column);
    std::stable_sort(columns.begin(), columns.end(), [&sortIndexes](int a, int b) {
        return sortIndexes[static_cast<std::size_t>(a)] < sortIndexes[static_cast<std::size_t>(b)];
    });
    return columns;
}

int SortMarkerWidth(int sortIndex, int markedCount, int indexTextWidth, int columnWidth) {
    if (sortIndex == 0)
        return 0;
    int width = 16 + (markedCount > 1 ? indexTextWidth : 0);
    if (width > columnWidth - 4)
        width -= 14;
    if (width > columnWidth - 4)
        width = 0;
    return width;
}

} // namespace kx
