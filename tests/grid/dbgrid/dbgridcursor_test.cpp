// The grid over a data set with a record cursor of its own: rows for the
// whole view, tree nodes opened and closed by mouse and keypad, and rows
// scrolled without moving the current record.

#include "tests/grid/dbgrid/cursorgridfixture.h"

#include "grid/dbgrid/memtablex.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace kx::test {
namespace {

using CursorTest = CursorGridTest;

TEST_F(CursorTest, EveryRecordOfTheViewIsARowAndAnEmptyViewKeepsOne) {
    FillFlat(30);
    CursorGrid& grid = Open(400, 120);
    ASSERT_TRUE(grid.HasDatasetCursor());
    EXPECT_EQ(grid.RowCount(), 30 + grid.TitleOffset());
    EXPECT_EQ(grid.ReadableRowCount(), 30);

    data_.SetRowFilter([](const QVariantList&) { return false; });
    EXPECT_EQ(grid.RowCount(), 1 + grid.TitleOffset());
    EXPECT_EQ(grid.ReadableRowCount(), 0);

    data_.Close();
    EXPECT_FALSE(grid.HasDatasetCursor());
}

TEST_F(CursorTest, ClickOnTheSignOpensAndClosesTheNodeWithoutScrolling) {
    FillSmallTree();
    CursorGrid& grid = Open();
    ASSERT_EQ(ViewNames(), (QStringList{"A", "A1", "A2", "B", "C"}));
    const int top = grid.TopRow();

    // A2 is on level 2: its sign is in its second slot.
    Click(SlotPoint(2, 2));
    EXPECT_EQ(ViewNames(), (QStringList{"A", "A1", "A2", "A2x", "B", "C"}));
    EXPECT_EQ(grid.TopRow(), top);
    EXPECT_EQ(CurrentName(), "A");
    EXPECT_EQ(grid.RowCount(), 6 + grid.TitleOffset());

    // Left of the sign the press changes nothing, not even the current row.
    Click(SlotPoint(2, 1));
    EXPECT_EQ(ViewNames(), (QStringList{"A", "A1", "A2", "A2x", "B", "C"}));
    EXPECT_EQ(CurrentName(), "A");

    // Closing a node above the current record makes the node current.
    data_.SetRecNo(4);
    ASSERT_EQ(CurrentName(), "A2x");
    Click(SlotPoint(0, 1));
    EXPECT_EQ(ViewNames(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(CurrentName(), "A");
    EXPECT_EQ(grid.Row(), grid.TitleOffset());
}

TEST_F(CursorTest, KeypadKeysWorkTheCurrentNode) {
    FillSmallTree();
    CursorGrid& grid = Open();
    data_.SetRecNo(4);
    ASSERT_EQ(CurrentName(), "B");
    const auto keypad = [&](Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeypadModifier,
                        key == Qt::Key_Plus    ? "+"
                        : key == Qt::Key_Minus ? "-"
                                               : "*");
        QApplication::sendEvent(&grid, &press);
    };
    keypad(Qt::Key_Plus);
    EXPECT_EQ(ViewNames(), (QStringList{"A", "A1", "A2", "B", "B1", "C"}));
    keypad(Qt::Key_Plus);
    EXPECT_EQ(ViewNames().size(), 6);
    keypad(Qt::Key_Minus);
    EXPECT_EQ(ViewNames(), (QStringList{"A", "A1", "A2", "B", "C"}));
    keypad(Qt::Key_Asterisk);
    EXPECT_EQ(ViewNames().size(), 6);
    EXPECT_EQ(CurrentName(), "B");
    EXPECT_FALSE(grid.EditorShown());
}

TEST_F(CursorTest, IndentationIsEighteenPixelsALevelAndWidthFittingAddsIt) {
    Fill({{1, QStringLiteral("A"), true},
          {2, QStringLiteral("A1"), true},
          {3, QStringLiteral("Widest name of all"), true}});
    CursorGrid& grid = Open();
    {
        const TReadRowScope read(grid, 2);
        EXPECT_EQ(grid.TreeIndent(), 54);
    }
    TColumnX* column = grid.Columns()->GetColumn(0);
    grid.OptimizeColWidth(column);
    const int treeWidth = column->Width();
    data_.SetTreeView(false);
    EXPECT_EQ(grid.TreeIndent(), 0);
    grid.OptimizeColWidth(column);
    EXPECT_EQ(treeWidth - column->Width(), 54);
}

TEST_F(CursorTest, TheScrollBarAndTheWheelMoveTheViewNotTheRecord) {
    FillFlat(40);
    CursorGrid& grid = Open(400, 150);
    const int first = grid.FixedRows();
    ASSERT_EQ(grid.TopRow(), first);
    grid.ScrollAction(ui::SB_VERT, ui::SB_LINEDOWN, 0);
    EXPECT_EQ(grid.TopRow(), first + 1);
    grid.ScrollAction(ui::SB_VERT, ui::SB_PAGEDOWN, 0);
    EXPECT_GT(grid.TopRow(), first + 2);
    grid.ScrollAction(ui::SB_VERT, ui::SB_BOTTOM, 0);
    const int bottom = grid.TopRow();
    EXPECT_EQ(bottom + grid.VisibleRowCount(), grid.RowCount());
    grid.ScrollAction(ui::SB_VERT, ui::SB_LINEDOWN, 0);
    EXPECT_EQ(grid.TopRow(), bottom);
    grid.ScrollAction(ui::SB_VERT, ui::SB_THUMBPOSITION, 5);
    EXPECT_EQ(grid.TopRow(), first + 4);
    grid.DoMouseWheelDown(0, {});
    EXPECT_EQ(grid.TopRow(), first + 5);
    grid.DoMouseWheelUp(0, {});
    grid.DoMouseWheelUp(0, {});
    EXPECT_EQ(grid.TopRow(), first + 3);
    EXPECT_EQ(data_.RecNo(), 1);
    EXPECT_EQ(grid.Row(), grid.TitleOffset());

    // Moving the record brings its row into view again.
    grid.show();
    QApplication::processEvents();
    data_.SetRecNo(30);
    EXPECT_EQ(grid.Row(), 29 + grid.TitleOffset());
    EXPECT_LE(grid.TopRow(), grid.Row());
    EXPECT_LT(grid.Row(), grid.TopRow() + grid.VisibleRowCount());
}

TEST_F(CursorTest, TheVerticalBarCountsTheRowsOfTheView) {
    FillFlat(40);
    CursorGrid& grid = Open(400, 150);
    grid.show();
    QApplication::processEvents();
    const QScrollBar* bar = grid.verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->value(), 1);
    EXPECT_EQ(bar->maximum() + bar->pageStep() - 1, 40);
    grid.ScrollAction(ui::SB_VERT, ui::SB_LINEDOWN, 0);
    EXPECT_EQ(bar->value(), 2);
    data_.SetRecNo(40);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(CursorTest, RowsShortOfTheBottomAskForTheMissingRecords) {
    FillFlat(3);
    CursorGrid& grid = Open(400, 300);
    ASSERT_FALSE(data_.FetchRequests().isEmpty());
    // The empty height in rows, and one more.
    const int rowPitch = grid.DefaultRowHeight() + grid.GridLineWidth();
    EXPECT_GE(data_.FetchRequests().back() * rowPitch, 300 - 5 * rowPitch);
}

TEST_F(CursorTest, TheLastRowInViewAsksForOneMoreRecord) {
    FillFlat(40);
    CursorGrid& grid = Open(400, 150);
    const int asked = data_.FetchRequests().size();
    grid.ScrollAction(ui::SB_VERT, ui::SB_BOTTOM, 0);
    ASSERT_GT(data_.FetchRequests().size(), asked);
    EXPECT_EQ(data_.FetchRequests().back(), 1);
}

} // namespace
} // namespace kx::test
