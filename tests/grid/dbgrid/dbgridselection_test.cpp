#include "grid/dbgrid/dbgridselection.h"

#include "grid/base/invalidgridoperationx.h"
#include "tests/grid/dbgrid/dbgridinputfixture.h"

#include <gtest/gtest.h>

namespace kx::test {
namespace {

using SelectionTest = DBGridInputTest;
using Cols = std::vector<int>;

TEST_F(SelectionTest, ShiftRangesOverColumnsSelectAndTakeBackFromTheAnchor) {
    OpenGrid(3);
    TDBGridXSelectionCols& columns = grid_.Selection().Columns();
    columns.Select(Col(2), false);
    columns.ExtendTo(Col(5));
    EXPECT_EQ(SelectedColumns(), (Cols{2, 3, 4, 5}));
    EXPECT_EQ(grid_.Selection().SelectionType(), gstColumns);

    columns.ExtendTo(Col(3));
    EXPECT_EQ(SelectedColumns(), (Cols{2, 3})) << "4 and 5 go, the rest stays";
    columns.ExtendTo(Col(0));
    EXPECT_EQ(SelectedColumns(), (Cols{0, 1, 2})) << "3 goes, 2 stays, 1 and 0 come";

    Col(1)->SetVisible(false);
    columns.Select(Col(3), false);
    columns.ExtendTo(Col(0));
    EXPECT_EQ(SelectedColumns(), (Cols{0, 2, 3})) << "a hidden column is never added";
}

TEST_F(SelectionTest, ShiftFromACtrlDeselectedAnchorDeselects) {
    OpenGrid(3);
    TDBGridXSelectionCols& columns = grid_.Selection().Columns();
    columns.Select(Col(3), false);
    columns.ExtendTo(Col(7));
    columns.InvertSelect(Col(4));
    EXPECT_EQ(SelectedColumns(), (Cols{3, 5, 6, 7}));
    EXPECT_EQ(columns.Anchor, Col(4));
    columns.ExtendTo(Col(6));
    EXPECT_EQ(SelectedColumns(), (Cols{3, 7}));

    columns.InvertSelect(Col(3));
    columns.InvertSelect(Col(7));
    EXPECT_EQ(grid_.Selection().SelectionType(), gstNon) << "the last column went";
}

TEST_F(SelectionTest, ColumnsLeavingTheGridLeaveTheSelectionAtTheNextLayout) {
    OpenGrid(3);
    TDBGridXSelectionCols& columns = grid_.Selection().Columns();
    columns.Select(Col(5), false);
    columns.Select(Col(1), true);
    EXPECT_EQ(SelectedColumns(), (Cols{1, 5})) << "kept in column order";
    EXPECT_EQ(grid_.Selection().CoveredGridRect(),
              (TGridRect{grid_.DataToRawColumn(1), 0, grid_.DataToRawColumn(5), grid_.RowCount()}));

    query_.Close();
    EXPECT_EQ(grid_.Selection().SelectionType(), gstNon);
    EXPECT_EQ(columns.Count(), 0) << "no pointer to a freed column is kept";
}

TEST_F(SelectionTest, MarkingARecordReplacesAnotherKindAndUnmarkingTheLastEndsIt) {
    OpenGrid(5);
    int notices = 0;
    grid_.OnSelectionChanged = [&notices](TCustomDBGridX*) { ++notices; };
    TDBGridXSelection& selection = grid_.Selection();
    selection.Rect().Select(1, BookmarkOfRecord(1), false);
    selection.Rect().Select(3, BookmarkOfRecord(2), true);
    ASSERT_EQ(selection.SelectionType(), gstRectangle);

    query_.SetRecNo(3);
    notices = 0;
    grid_.SelectedRows().MarkCurrentRow(true);
    EXPECT_EQ(selection.SelectionType(), gstRecordBookmarks);
    EXPECT_FALSE(selection.Rect().Anchor.IsSet()) << "the rectangle was cleared";
    EXPECT_GE(notices, 1);
    EXPECT_TRUE(selection.CellSelected(0, BookmarkOfRecord(3)));
    EXPECT_FALSE(selection.CellSelected(0, BookmarkOfRecord(2)));
    EXPECT_EQ(selection.CoveredGridRect(), (TGridRect{0, 3, grid_.ColCount() - 1, 3}));

    query_.SetRecNo(3);
    grid_.SelectedRows().MarkCurrentRow(false);
    EXPECT_EQ(selection.SelectionType(), gstNon);
    EXPECT_EQ(selection.CoveredGridRect(), (TGridRect{-1, -1, -1, -1}));
}

TEST_F(SelectionTest, ARectangleOfOneCellIsNoSelectionButKeepsItsAnchor) {
    OpenGrid(5);
    TDBGridXSelectionRect& rect = grid_.Selection().Rect();
    rect.Select(2, BookmarkOfRecord(2), false);
    EXPECT_EQ(grid_.Selection().SelectionType(), gstNon);
    EXPECT_TRUE(rect.Anchor.IsSet());

    rect.Select(4, BookmarkOfRecord(4), true);
    EXPECT_EQ(grid_.Selection().SelectionType(), gstRectangle);
    struct Case {
        int dataCol;
        int recNo;
        bool selected;
    };
    for (const Case& c : {Case{2, 2, true}, Case{4, 4, true}, Case{3, 3, true}, Case{1, 3, false},
                          Case{5, 3, false}, Case{3, 1, false}, Case{3, 5, false}})
        EXPECT_EQ(grid_.Selection().CellSelected(c.dataCol, BookmarkOfRecord(c.recNo)), c.selected)
            << c.dataCol << "," << c.recNo;
    EXPECT_EQ(grid_.Selection().CoveredGridRect(), (TGridRect{3, 2, 5, 4}));

    // Corners given the other way round name the same rectangle.
    rect.Select(4, BookmarkOfRecord(4), false);
    rect.Select(2, BookmarkOfRecord(2), true);
    EXPECT_EQ(rect.GetTopRow(), BookmarkOfRecord(2));
    EXPECT_EQ(rect.GetBottomRow(), BookmarkOfRecord(4));
    EXPECT_EQ(rect.GetLeftCol(), 2);
    EXPECT_EQ(rect.GetRightCol(), 4);
}

TEST_F(SelectionTest, WithoutIndicatorAndTitlesGridRowsAreDataRows) {
    OpenGrid(5);
    grid_.SetOptions(grid_.Options() & ~(dgIndicator | dgTitles));
    TDBGridXSelectionRect& rect = grid_.Selection().Rect();
    rect.Select(1, BookmarkOfRecord(2), false);
    rect.Select(2, BookmarkOfRecord(3), true);
    EXPECT_EQ(grid_.Selection().CoveredGridRect(), (TGridRect{1, 1, 2, 2}));
}

TEST_F(SelectionTest, SelectAllEmptiesTheRecordsFirstAndOnlyOnce) {
    OpenGrid(5);
    query_.SetRecNo(2);
    grid_.SelectedRows().MarkCurrentRow(true);
    int notices = 0;
    grid_.OnSelectionChanged = [&notices](TCustomDBGridX*) { ++notices; };
    grid_.Selection().SelectAll();
    EXPECT_EQ(grid_.SelectedRows().BookmarkCount(), 0);
    EXPECT_EQ(grid_.Selection().SelectionType(), gstAll);
    EXPECT_TRUE(grid_.Selection().CellSelected(7, BookmarkOfRecord(5)));
    const int afterFirst = notices;
    grid_.Selection().SelectAll();
    EXPECT_EQ(notices, afterFirst);
}

TEST_F(SelectionTest, NarrowingTheAllowedKindsClearsOnlyAnActiveKindNoLongerAllowed) {
    OpenGrid(3);
    grid_.Selection().Columns().Select(Col(2), false);
    grid_.SetAllowedSelections(SelectionTypeBit(gstColumns) | SelectionTypeBit(gstAll));
    EXPECT_EQ(grid_.Selection().SelectionType(), gstColumns);
    grid_.SetAllowedSelections(SelectionTypeBit(gstAll));
    EXPECT_EQ(grid_.Selection().SelectionType(), gstNon);
    EXPECT_EQ(grid_.Selection().Columns().Count(), 0);
}

TEST_F(SelectionTest, KindsNeedMultiSelectAndSomeNeedNoRowSelect) {
    OpenGrid(1);
    struct Case {
        TDBGridOptions options;
        TDBGridSelectionType kind;
        bool allowed;
    };
    const TDBGridOptions base = grid_.Options();
    for (const Case& c :
         {Case{0, gstNon, true}, Case{0, gstRecordBookmarks, false},
          Case{dgMultiSelect, gstRecordBookmarks, true}, Case{dgMultiSelect, gstRectangle, true},
          Case{dgMultiSelect | dgRowSelect, gstRectangle, false},
          Case{dgMultiSelect | dgRowSelect, gstColumns, false},
          Case{dgMultiSelect | dgRowSelect, gstAll, true},
          Case{dgMultiSelect | dgRowSelect, gstRecordBookmarks, true}}) {
        grid_.SetOptions((base & ~(dgMultiSelect | dgRowSelect)) | c.options);
        EXPECT_EQ(grid_.SelectionKindAllowed(c.kind), c.allowed) << c.options << " " << c.kind;
    }
    grid_.SetOptions(base | dgMultiSelect);
    grid_.SetAllowedSelections(SelectionTypeBit(gstAll));
    EXPECT_FALSE(grid_.SelectionKindAllowed(gstRectangle));
}

TEST_F(SelectionTest, ARectangleOfAClosedDataSetRefusesItsCorners) {
    OpenGrid(3);
    query_.Close();
    const TDBGridXSelectionRect& rect = grid_.Selection().Rect();
    try {
        (void)rect.GetTopRow();
        FAIL() << "no error";
    } catch (const EInvalidGridOperationX& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Error in TDBGridXSelectionRect.GetBottomRow"));
    }
    EXPECT_THROW((void)rect.CellSelected(0, {}), EInvalidGridOperationX);
    EXPECT_THROW(grid_.SelectedRows().MarkCurrentRow(true), Exception)
        << "no bookmark of a closed data set";
}

} // namespace
} // namespace kx::test
