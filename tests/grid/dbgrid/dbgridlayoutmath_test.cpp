#include "grid/dbgrid/dbgridlayoutmath.h"

#include "platform/sys/exception.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(DbGridLayoutMath, ClampColumnWidth) {
    struct Case {
        int width, min, max, expected;
    };
    for (const Case& c : {Case{100, 0, 80, 80}, Case{20, 30, 0, 30}, Case{50, 0, 0, 50},
                          Case{100, 30, 80, 80}, Case{10, 30, 80, 30}, Case{-1, 0, 0, -1}})
        EXPECT_EQ(ClampColumnWidth(c.width, c.min, c.max), c.expected)
            << c.width << " " << c.min << " " << c.max;
}

std::vector<int> Widths(const std::vector<TFitColumn>& columns) {
    std::vector<int> widths;
    for (const TFitColumn& column : columns)
        widths.push_back(column.Width);
    return widths;
}

TEST(DbGridLayoutMath, FitColumnWidthsSharesTheClientWidth) {
    struct Case {
        const char* name;
        std::vector<TFitColumn> columns;
        TFitSpace space;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"equal bases", {{true, 100}, {true, 100}, {true, 100}}, {300}, {100, 100, 100}},
        // the limited column gives its share to the others in the next pass
        {"max width", {{true, 100, 0, 0, 50}, {true, 100}, {true, 100}}, {300}, {50, 125, 125}},
        {"min width", {{true, 10, 0, 90, 0}, {true, 100}, {true, 100}}, {300}, {90, 105, 105}},
        // the rounding remainder lands on the last column that is not limited
        {"remainder", {{true, 1}, {true, 1}, {true, 1}}, {100}, {33, 33, 34}},
        {"remainder skips a limited last",
         {{true, 1}, {true, 1}, {true, 1, 0, 0, 10}},
         {101},
         {46, 45, 10}},
        {"fixed column", {{false, 0, 40}, {true, 7}}, {100}, {40, 60}},
        {"indicator and lines", {{true, 1}, {true, 1}}, {100, 0, 11, true}, {43, 43}},
        {"min auto-fit width", {{true, 1}, {true, 1}}, {100, 400}, {200, 200}},
        {"no base widths", {{true, 0}, {true, 0}}, {100}, {50, 50}},
        {"no room", {{false, 0, 500}, {true, 5}}, {100}, {500, 0}},
    };
    for (const Case& c : cases) {
        std::vector<TFitColumn> columns = c.columns;
        FitColumnWidths(columns, c.space);
        EXPECT_EQ(Widths(columns), c.expected) << c.name;
    }
}

TEST(DbGridLayoutMath, RescaledBaseWidthNeverDividesByAnEmptyColumn) {
    EXPECT_EQ(RescaledBaseWidth(100, 120, 100), 120);
    EXPECT_EQ(RescaledBaseWidth(3, 1, 2), 2); // 1.5 rounds away from zero
    EXPECT_EQ(RescaledBaseWidth(100, 50, 0), 100);
    EXPECT_EQ(RescaledBaseWidth(100, 50, -1), 100);
}

TEST(DbGridLayoutMath, ScaledWidthsKeepTheTotal) {
    EXPECT_EQ(ScaledWidths({33, 33, 33}, 3, 2), (std::vector<int>{50, 49, 50}));
    EXPECT_EQ(ScaledWidths({64, 100}, 1, 1), (std::vector<int>{64, 100}));
    EXPECT_EQ(ScaledWidths({10, 10, 10}, 96, 120), (std::vector<int>{8, 8, 8}));
}

TEST(DbGridLayoutMath, RowHeightFitsWholeTextLines) {
    struct Case {
        int rowHeight, lines, text, height, count;
    };
    for (const Case& c : {Case{35, 3, 13, 29, 2}, Case{36, 3, 13, 42, 3}, Case{3, 3, 13, 16, 1},
                          Case{16, 3, 13, 16, 1}, Case{22, 3, 13, 16, 1}, Case{23, 3, 13, 29, 2}}) {
        const TRowFit fit = FitRowHeightToText(c.rowHeight, c.lines, c.text);
        EXPECT_EQ(fit.RowHeight, c.height) << c.rowHeight;
        EXPECT_EQ(fit.Lines, c.count) << c.rowHeight;
    }
}

TEST(DbGridLayoutMath, HiddenColumnsWidenTheFrozenSpan) {
    struct Case {
        std::vector<bool> visible;
        int frozen;
        int expected;
    };
    const Case cases[] = {
        {{true, true, true}, 1, 0},
        {{true, false, true, true}, 2, 1},        // hidden inside the span
        {{true, false, false, true, true}, 2, 2}, // two inside
        {{true, true, false, false, true}, 2, 2}, // directly after the span
        {{false, false, false}, 0, 2},            // none shown: one stays scrollable
        {{}, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HiddenFrozenCount(c.visible, c.frozen), c.expected) << c.frozen;
}

TEST(DbGridLayoutMath, CellTypes) {
    const TCellTypeAxes plain{1, true, false, 1, 5};
    const TCellTypeAxes filtered{1, true, true, 2, 6};
    struct Case {
        TCellTypeAxes axes;
        int col, row;
        unsigned kind;
        int dataCol, dataRow;
    };
    const Case cases[] = {
        {plain, 0, 0, 0, 0, 0},
        {plain, 1, 0, ctDataColumn, 0, 0},
        {plain, 3, 2, ctDataColumn | ctDataRow, 2, 1},
        {plain, 0, 3, ctDataRow, 0, 2},
        {plain, 1, 5, ctDataColumn | ctFooterRow, 0, 0},
        {plain, 0, 6, ctFooterRow, 0, 1},
        {filtered, 2, 1, ctDataColumn | ctFilterRow, 1, 0},
        {filtered, 2, 2, ctDataColumn | ctDataRow, 1, 0},
        {{0, false, false, 0, 3}, 0, 0, ctDataColumn | ctDataRow, 0, 0},
    };
    for (const Case& c : cases) {
        const TCellType type = GetCellType(c.col, c.row, c.axes);
        EXPECT_EQ(type.Kind, c.kind) << c.col << "," << c.row;
        EXPECT_EQ(type.DataCol, c.dataCol) << c.col << "," << c.row;
        EXPECT_EQ(type.DataRow, c.dataRow) << c.col << "," << c.row;
    }
    try {
        GetCellType(1, 1, {1, true, false, 2, 5});
        ADD_FAILURE() << "a row between the filter row and the data was classified";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Algorithm error in TCustomDBGridX.GetCellType"));
    }
}

} // namespace
} // namespace kx
