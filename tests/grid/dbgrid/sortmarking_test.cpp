#include "grid/dbgrid/sortmarking.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(SortMarking, MarkingAndUnmarkingKeepTheIndexesDense) {
    std::vector<int> indexes(4, 0);
    for (const int column : {2, 0, 3})
        indexes[column] = NextSortIndex(indexes);
    EXPECT_EQ(indexes, (std::vector<int>{2, 0, 1, 3}));
    EXPECT_EQ(SortMarkedColumns(indexes), (std::vector<int>{2, 0, 3}));
    struct Case {
        std::vector<int> before;
        int column;
        std::vector<int> after;
    };
    const Case cases[] = {
        {{1, 2, 3}, 0, {0, 1, 2}},
        {{1, 2, 3}, 1, {1, 0, 2}},
        // the greater sort indexes move up, wherever their columns stand
        {{3, 2, 1}, 2, {2, 1, 0}},
        {{2, 0, 1, 3}, 2, {1, 0, 0, 2}},
        {{1, 0}, 1, {1, 0}}, // not marked: nothing changes
    };
    for (const Case& c : cases) {
        std::vector<int> indexes = c.before;
        RemoveSortIndex(indexes, c.column);
        EXPECT_EQ(indexes, c.after) << c.column;
    }
}

TEST(SortMarking, MarkerWidthShrinksToFitTheColumn) {
    struct Case {
        int sortIndex, marked, textWidth, columnWidth, expected;
    };
    const Case cases[] = {
        {1, 1, 6, 20, 16}, {1, 1, 6, 19, 2}, {1, 1, 6, 5, 0},  {0, 1, 6, 100, 0},
        {2, 2, 6, 26, 22}, {2, 2, 6, 25, 8}, {2, 2, 6, 11, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SortMarkerWidth(c.sortIndex, c.marked, c.textWidth, c.columnWidth), c.expected)
            << c.columnWidth;
}

} // namespace
} // namespace kx
