// The grid base's model and geometry: counts and their refusals, extent
// arrays, the layout record, point-to-cell mapping, cell rectangles, the last
// page, moving the current cell and columns, and the stored cell sizes.

#include "grid/base/invalidgridoperationx.h"
#include "grid/base/streamerror.h"
#include "tests/grid/testgrid.h"

#include <gtest/gtest.h>

#include <functional>

namespace kx::test {
namespace {

using ui::TRect;

TEST(CustomGridX, NewGridShowsFiveByFiveCellsWithTheFirstDataCellCurrent) {
    TTestGrid grid;
    // 64 x 24 pixel cells with one-pixel lines in a 320 x 120 grid, so the
    // last cell is cut at the edge.
    EXPECT_EQ(grid.size(), QSize(320, 120));
    EXPECT_EQ(grid.CellRect(0, 0), (TRect{0, 0, 64, 24}));
    EXPECT_EQ(grid.CellRect(4, 4), (TRect{260, 100, 320, 120}));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 1, 1}));
    grid.FocusCell(3, 3, false, false);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 3, 3})) << "range selection is on";
    EXPECT_EQ(grid.GridState(), gsNormal);
}

TEST(CustomGridX, ColumnCountBelowOneBecomesOneAndPullsFixedColumnsDown) {
    TTestGrid grid;
    grid.SetColCount(0);
    EXPECT_EQ(grid.ColCount(), 1);
    EXPECT_EQ(grid.FixedCols(), 0);
    EXPECT_EQ(grid.Col(), 0);
}

struct Refusal {
    const char* name;
    std::function<void(TTestGrid&)> act;
    const char* message;
};

class CustomGridXRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(CustomGridXRefusal, RaisesItsTextAndChangesNothing) {
    TTestGrid grid;
    grid.SetContraRowCount(1);
    grid.SetColWidths(2, 30);
    try {
        GetParam().act(grid);
        FAIL() << "no exception";
    } catch (const EInvalidGridOperationX& e) {
        EXPECT_EQ(e.Message(), QString::fromLatin1(GetParam().message));
        EXPECT_EQ(e.ClassName(), QStringLiteral("EInvalidGridOperationX"));
    }
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.ContraColCount(), 0);
    EXPECT_EQ(grid.ContraRowCount(), 1);
    EXPECT_EQ(grid.GetColWidths(2), 30);
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{1, 1}));
}

INSTANTIATE_TEST_SUITE_P(
    Setters, CustomGridXRefusal,
    ::testing::Values(
        Refusal{"FixedColsAtCount", [](TTestGrid& g) { g.SetFixedCols(5); },
                "Fixed column count must be less than column count"},
        Refusal{"FixedRowsAtCount", [](TTestGrid& g) { g.SetFixedRows(5); },
                "Fixed row count must be less than row count"},
        Refusal{"NegativeFixedCols", [](TTestGrid& g) { g.SetFixedCols(-1); },
                "Grid index out of range"},
        Refusal{"NegativeContraCols", [](TTestGrid& g) { g.SetContraColCount(-1); },
                "FContraColCount can not be negative."},
        Refusal{"NegativeContraRows", [](TTestGrid& g) { g.SetContraRowCount(-2); },
                "FContraRowCount can not be negative."},
        Refusal{"WidthBeyondFullCount", [](TTestGrid& g) { g.SetColWidths(5, 10); },
                "Grid index out of range"},
        Refusal{"NegativeWidthIndex", [](TTestGrid& g) { g.SetColWidths(-1, 10); },
                "Grid index out of range"},
        Refusal{"TabStopBeyondFullCount", [](TTestGrid& g) { g.SetTabStops(7, false); },
                "Grid index out of range"},
        Refusal{"FocusOnContraRow", [](TTestGrid& g) { g.FocusCell(1, 5, true, true); },
                "Grid index out of range"},
        Refusal{"FocusOnNegativeColumn", [](TTestGrid& g) { g.FocusCell(-1, 1, true, true); },
                "Grid index out of range"},
        Refusal{"MoveColumnBeyondCount", [](TTestGrid& g) { g.MoveColumn(1, 9); },
                "Grid index out of range"},
        Refusal{"LeftColumnOnFixedColumn", [](TTestGrid& g) { g.SetLeftCol(0); },
                "Grid index out of range"},
        Refusal{"TopRowBeyondCount", [](TTestGrid& g) { g.SetTopRow(5); },
                "Grid index out of range"},
        Refusal{"ContraRowsTooMany",
                [](TTestGrid& g) {
                    g.SetRowHeights(0, 30);
                    g.SetContraRowCount(134217726);
                },
                "Grid too large for operation"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CustomGridX, ExtentArraysFollowTheFullCountAndGettersFallBackToTheDefault) {
    TTestGrid grid;
    EXPECT_EQ(grid.GetColWidths(3), 64);
    EXPECT_TRUE(grid.GetTabStops(3));
    grid.SetColWidths(3, 40);
    grid.SetTabStops(2, false);
    grid.SetContraColCount(2);
    EXPECT_EQ(grid.GetColWidths(3), 40);
    EXPECT_EQ(grid.GetColWidths(6), 64);
    EXPECT_EQ(grid.GetColWidths(7), 64) << "beyond the full count: the default";
    EXPECT_EQ(grid.GetColWidths(-3), 64);
    grid.SetColWidths(6, 12);
    EXPECT_EQ(grid.GetColWidths(6), 12);
    EXPECT_FALSE(grid.GetTabStops(2));
    grid.SetColCount(3);
    EXPECT_EQ(grid.FullColCount(), 5);
    EXPECT_EQ(grid.GetColWidths(3), 64) << "cells from the border on take the default";
    grid.SetDefaultRowHeight(30);
    EXPECT_EQ(grid.GetRowHeights(2), 30);
}

TEST(CustomGridX, LayoutOfContraRowsLeavesOneLineAboveThem) {
    TTestGrid grid;
    grid.SetRowCount(20);
    grid.SetContraRowCount(2);
    TGridLayoutX layout;
    grid.CalcDrawInfoXY(layout, 320, 200);
    const TGridAxisLayoutX& v = layout.Vert;
    EXPECT_EQ(v.ContraBoundary, 149);
    EXPECT_EQ(v.GridExtent, 149);
    EXPECT_EQ(v.GridBoundary, 149) << "scrollable rows are cut at the contra boundary";
    EXPECT_EQ(v.FixedBoundary, 25);
    EXPECT_EQ(v.LastFullVisibleCell, 5);
    EXPECT_EQ(v.FullGridBoundary, 200);
    EXPECT_EQ(grid.CalcCoordFromPoint(10, 150, layout).Y, 20);
    EXPECT_EQ(grid.CalcCoordFromPoint(10, 175, layout).Y, 21);
    EXPECT_EQ(grid.CalcCoordFromPoint(10, 148, layout).Y, 5);
    grid.resize(320, 200);
    EXPECT_EQ(grid.CellRect(1, 20), (TRect{65, 150, 129, 174}));
    EXPECT_EQ(grid.CellRect(1, 21), (TRect{65, 175, 129, 199}));
}

TEST(CustomGridX, LayoutOfFrozenColumns) {
    TTestGrid grid;
    grid.SetColCount(10);
    grid.SetFixedCols(3);
    grid.SetFrozenCols(2);
    grid.SetColWidths(1, 30);
    TGridLayoutX layout;
    grid.CalcDrawInfoXY(layout, 400, 100);
    EXPECT_EQ(layout.Horz.StaticBoundary, 65);
    EXPECT_EQ(layout.Horz.FixedBoundary, 65 + 31 + 65);
    EXPECT_EQ(layout.Horz.FirstGridCell, 3);
    EXPECT_EQ(layout.Horz.LastFullVisibleCell, 5);
}

struct PointCase {
    int x;
    int y;
    TGridCoord mouse;
    TGridCoord axes;
};

class CustomGridXPoint : public ::testing::TestWithParam<PointCase> {};

// Three columns and rows of the default size in a 300 x 100 client, column 2
// hidden: the line after a cell belongs to the cell, a point beyond the cells
// gives -1, and MouseCoord couples the two axes.
TEST_P(CustomGridXPoint, MapsToTheCellWhoseExtentAndLineHoldIt) {
    TTestGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(3);
    grid.SetColWidths(2, 0);
    grid.resize(300, 100);
    TGridLayoutX layout;
    grid.CalcDrawInfo(layout);
    const PointCase& c = GetParam();
    EXPECT_EQ(grid.MouseCoord(c.x, c.y), c.mouse);
    EXPECT_EQ(grid.CalcCoordFromPoint(c.x, c.y, layout), c.axes);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, CustomGridXPoint,
    ::testing::Values(PointCase{0, 0, {0, 0}, {0, 0}}, PointCase{63, 23, {0, 0}, {0, 0}},
                      PointCase{64, 24, {0, 0}, {0, 0}}, PointCase{65, 25, {1, 1}, {1, 1}},
                      PointCase{129, 49, {1, 1}, {1, 1}}, PointCase{130, 50, {3, 2}, {3, 2}},
                      PointCase{194, 74, {3, 2}, {3, 2}}, PointCase{195, 10, {-1, -1}, {-1, 0}},
                      PointCase{10, 75, {-1, -1}, {0, -1}}),
    [](const auto& info) {
        return "x" + std::to_string(info.param.x) + "y" + std::to_string(info.param.y);
    });

TEST(CustomGridX, CellRectExcludesTheLineAndIsEmptyOffScreen) {
    TTestGrid grid;
    grid.SetColCount(10);
    grid.SetRowCount(10);
    grid.resize(300, 100);
    EXPECT_EQ(grid.CellRect(1, 1), (TRect{65, 25, 129, 49}));
    EXPECT_EQ(grid.BoxRect(1, 1, 2, 2), (TRect{65, 25, 194, 74}));
    EXPECT_EQ(grid.CellRect(8, 1), TRect{}) << "beyond the last visible column + 1";
    EXPECT_EQ(grid.CellRect(4, 1).Right, 300) << "a cut cell ends at the grid extent";
    TRect withLine;
    grid.GridRectToScreenRect({1, 1, 1, 1}, withLine, true);
    EXPECT_EQ(withLine, (TRect{65, 25, 130, 50}));
    grid.MoveTopLeft(3, 3);
    EXPECT_EQ(grid.CellRect(2, 2), TRect{}) << "scrolled out of view";
    EXPECT_EQ(grid.CellRect(3, 3), (TRect{65, 25, 129, 49}));
}

TEST(CustomGridX, MaxTopLeftSkipsHiddenCellsAndKeepsACellThatDoesNotFit) {
    TTestGrid grid;
    grid.SetColCount(8);
    grid.SetRowCount(8);
    TGridLayoutX layout;
    grid.CalcDrawInfoXY(layout, 200, 100);
    EXPECT_EQ(grid.CalcMaxTopLeft({7, 7}, layout), (TGridCoord{6, 5}));
    grid.SetColWidths(6, 0);
    grid.CalcDrawInfoXY(layout, 200, 100);
    EXPECT_EQ(grid.CalcMaxTopLeft({7, 7}, layout).X, 5);
    grid.SetColWidths(7, 500);
    grid.CalcDrawInfoXY(layout, 200, 100);
    EXPECT_EQ(grid.CalcMaxTopLeft({7, 7}, layout).X, 7);
}

TEST(CustomGridX, FocusCellAcceptsFrozenCellsWithoutScrolling) {
    TTestGrid grid;
    grid.SetColCount(10);
    grid.SetFixedCols(2);
    grid.SetFrozenCols(1);
    grid.MoveTopLeft(4, 1);
    grid.FocusCell(1, 2, true, true);
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{1, 2}));
    EXPECT_EQ(grid.LeftCol(), 4);
    EXPECT_EQ(grid.Anchor(), (TGridCoord{1, 2}));
}

TEST(CustomGridX, RowSelectKeepsTheAnchorOnTheLastColumn) {
    TTestGrid grid;
    grid.SetOptions(grid.Options() | goRowSelect | goAlwaysShowEditor);
    EXPECT_FALSE(grid.Options() & goAlwaysShowEditor);
    grid.FocusCell(3, 2, false, true);
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{1, 2}));
    EXPECT_EQ(grid.Anchor(), (TGridCoord{4, 2}));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 4, 2}));
}

TEST(CustomGridX, MovingAColumnCarriesItsWidthTabStopAndTheCurrentCell) {
    TTestGrid grid;
    grid.SetColCount(6);
    grid.SetColWidths(1, 11);
    grid.SetColWidths(2, 22);
    grid.SetTabStops(1, false);
    grid.FocusCell(1, 1, false, true);
    grid.MoveColumn(1, 4);
    EXPECT_EQ(grid.GetColWidths(4), 11);
    EXPECT_EQ(grid.GetColWidths(1), 22);
    EXPECT_FALSE(grid.GetTabStops(4));
    EXPECT_TRUE(grid.GetTabStops(1));
    EXPECT_EQ(grid.Col(), 4);
    grid.FocusCell(2, 1, false, true);
    grid.MoveColumn(4, 1);
    EXPECT_EQ(grid.Col(), 3) << "a column between the two shifts towards the origin's side";
    EXPECT_EQ(grid.GetColWidths(1), 11);
    grid.DeleteColumn(1);
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.GetColWidths(1), 22);
}

TEST(CustomGridX, AddingContraColumnsWithAnArrayTooLargeRestoresAndRaises) {
    TTestGrid grid;
    grid.SetColWidths(1, 40);
    grid.SetContraColCount(1);
    EXPECT_THROW(grid.ChangeContraSize(134217726, 3), EInvalidGridOperationX);
    EXPECT_EQ(grid.ContraColCount(), 1);
    EXPECT_EQ(grid.ContraRowCount(), 0);
    EXPECT_EQ(grid.GetColWidths(1), 40);
    EXPECT_EQ(grid.GetColWidths(5), 64);
}

TEST(CustomGridX, RemovingRowsBeforeTheContraRowsMovesTheCurrentRow) {
    TTestGrid grid;
    grid.SetRowCount(10);
    grid.SetContraRowCount(1);
    grid.SetRowHeights(10, 40);
    grid.FocusCell(1, 8, false, true);
    grid.SetRowCount(6);
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.FullRowCount(), 7);
    EXPECT_EQ(grid.Row(), 5);
    grid.SetRowCount(8);
    EXPECT_EQ(grid.FullRowCount(), 9);
    EXPECT_EQ(grid.Row(), 5);
}

QByteArray Stored(const TTestGrid& grid, const TTestGrid* ancestor = nullptr) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    grid.WriteCellExtents(out, ancestor);
    return bytes;
}

TEST(CustomGridX, StoredCellSizesRoundTripWithoutContraCells) {
    TTestGrid grid;
    EXPECT_EQ(Stored(grid), Stored(TTestGrid())) << "default sizes write nothing";
    grid.SetContraColCount(1);
    grid.SetColWidths(2, 33);
    grid.SetColWidths(5, 99);
    grid.SetRowHeights(1, 17);
    const QByteArray bytes = Stored(grid);
    TTestGrid copy;
    copy.SetContraColCount(1);
    copy.SetColWidths(5, 7);
    QDataStream in(bytes);
    copy.ReadCellExtents(in);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(copy.GetColWidths(i), grid.GetColWidths(i)) << i;
        EXPECT_EQ(copy.GetRowHeights(i), grid.GetRowHeights(i)) << i;
    }
    EXPECT_EQ(copy.GetColWidths(5), 7) << "contra cells are not stored";
    TTestGrid ancestor;
    ancestor.SetContraColCount(1);
    ancestor.SetColWidths(2, 33);
    ancestor.SetColWidths(5, 99);
    TTestGrid inherited;
    QDataStream fromInherited(Stored(grid, &ancestor));
    inherited.ReadCellExtents(fromInherited);
    EXPECT_EQ(inherited.GetColWidths(2), 64) << "widths equal to the ancestor's are not written";
    EXPECT_EQ(inherited.GetRowHeights(1), 17);
}

TEST(CustomGridX, DamagedStoredWidthsRaiseAndChangeNothing) {
    TTestGrid source;
    source.SetColWidths(1, 50);
    const QByteArray good = Stored(source);
    const auto list = [](const QString& name, qint32 count, int values) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << name << count;
        for (int i = 0; i < values; ++i)
            out << qint32(40);
        out << QString();
        return bytes;
    };
    const QList<QByteArray> damaged = {good.left(good.size() - 10), good.left(20),
                                       list(QStringLiteral("ColWidths"), 0x7fffffff, 5),
                                       list(QStringLiteral("ColWidths"), -1, 0),
                                       list(QStringLiteral("ColWidth"), 5, 5)};
    for (const QByteArray& bytes : damaged) {
        TTestGrid grid;
        QDataStream in(bytes);
        EXPECT_THROW(grid.ReadCellExtents(in), EStreamError);
        EXPECT_EQ(grid.GetColWidths(1), 64);
    }
    TTestGrid wider;
    wider.SetColCount(7);
    QDataStream in(good);
    EXPECT_THROW(wider.ReadCellExtents(in), EStreamError) << "a list of another count";
}

} // namespace
} // namespace kx::test
