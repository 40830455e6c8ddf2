// Moving records by dragging their indicator: the drop place and level,
// the start conditions, the marker and the move itself over the in-memory
// tree data set.

#include "tests/grid/dbgrid/cursorgridfixture.h"

#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/recordmoving.h"

namespace kx::test {
namespace {

TEST(TreeDropPlaceTest, LevelFollowsThePointerAtMostOneBelowTheRowBefore) {
    struct Case {
        TDropRowLevels Levels;
        int PointerX;
        bool Below;
        bool OnStart;
        int Level;
    };
    // Left edge 100: level n starts at 100 + 18 n.
    const Case cases[] = {
        {{1, 0, 2}, 105, false, false, 1}, // over a top node, left of its step
        {{2, 1, 2}, 160, false, false, 2}, // pointer right, capped at prior + 1
        {{1, 1, 1}, 200, false, false, 2}, // three steps right below a level-1 node: 2
        {{1, 0, 2}, 105, true, false, 2},  // moving down: the level of the row after
        {{1, 0, 1}, 200, true, false, 2},  // moving down: at most the row's own + 1
        {{3, 2, 1}, 110, true, false, 1},  // after the last child of a branch
        {{2, 1, 3}, 130, false, true, 2},  // on the start row, left of the next level
        {{2, 1, 1}, 170, false, true, 2},  // on the start row, prior + 1 caps
    };
    for (const Case& c : cases) {
        const TDropPlace place = TreeDropPlace(100, c.PointerX, c.Levels, c.Below, c.OnStart);
        EXPECT_EQ(place.Level, c.Level) << c.PointerX << " below " << c.Below;
        EXPECT_EQ(place.MarkerX, 100 + 18 * place.Level);
    }
}

TEST(TreeDropPlaceTest, BufferMiddleDistance) {
    EXPECT_EQ(BufferMiddleDistance(0, 10), -4);
    EXPECT_EQ(BufferMiddleDistance(5, 10), 1);
    EXPECT_EQ(BufferMiddleDistance(4, 9), 0);
    EXPECT_EQ(BufferMiddleDistance(0, 1), 0);
}

class RecordMovingTest : public CursorGridTest {
protected:
    CursorGrid& OpenMoving(int height = 200) {
        CursorGrid& grid = Open(400, height);
        grid.SetOptionsX(grid.OptionsX() | dghRecordMoving);
        return grid;
    }

    QPoint IndicatorPoint(int dataRow) const {
        const ui::TRect rect = grid_.CellRect(0, dataRow + grid_.TitleOffset());
        return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
    }
    QPoint NamePoint(int dataRow, int x) const {
        const ui::TRect rect = grid_.CellRect(1, dataRow + grid_.TitleOffset());
        return {rect.Left + x, (rect.Top + rect.Bottom) / 2};
    }

    void Drag(QPoint from, QPoint to, ui::TShiftState shift = 0) {
        grid_.MouseDown(ui::TMouseButton::mbLeft, shift, from.x(), from.y());
        grid_.MouseMove(shift | ui::ssLeft, to.x(), to.y());
        grid_.MouseUp(ui::TMouseButton::mbLeft, shift, to.x(), to.y());
    }
};

TEST_F(RecordMovingTest, DraggingAnIndicatorMovesTheRecordUpOrDown) {
    FillFlat(5);
    CursorGrid& grid = OpenMoving();
    data_.SetTreeView(false);
    Drag(IndicatorPoint(0), IndicatorPoint(3));
    EXPECT_EQ(ViewNames(), (QStringList{"N2", "N3", "N4", "N1", "N5"}));
    EXPECT_EQ(CurrentName(), "N1");
    Drag(IndicatorPoint(4), IndicatorPoint(0));
    EXPECT_EQ(ViewNames(), (QStringList{"N5", "N2", "N3", "N4", "N1"}));
    EXPECT_EQ(grid.TrackingMode(), 0);
    EXPECT_FALSE(grid.MoveMarkerShown());
}

TEST_F(RecordMovingTest, ATreeRecordMovesToAnotherPlaceAndLevel) {
    FillSmallTree();
    CursorGrid& grid = OpenMoving();
    // C (row 4) up onto A2 (row 2): before A2, on A2's level.
    Drag(IndicatorPoint(4), NamePoint(2, 20));
    EXPECT_EQ(ViewNames(), (QStringList{"A", "A1", "C", "A2", "B"}));
    EXPECT_EQ(data_.NodeLevels(), (QList<int>{1, 2, 2, 2, 3, 1, 2}));
    EXPECT_EQ(CurrentName(), "C");

    // Back out to the top level after B, pointer at the left.
    Drag(IndicatorPoint(2), NamePoint(4, 2));
    EXPECT_EQ(ViewNames(), (QStringList{"A", "A1", "A2", "B", "C"}));
    EXPECT_EQ(data_.NodeLevels(), (QList<int>{1, 2, 2, 3, 1, 2, 1}));
    EXPECT_EQ(grid.Row(), 4 + grid.TitleOffset());
}

TEST_F(RecordMovingTest, ReleasingOnTheStartRowAtItsLevelMovesNothing) {
    FillSmallTree();
    OpenMoving();
    int asked = 0;
    grid_.OnMoveRecords = [&](TCustomDBGridX*, const QList<db::TBookmark>&, int, int,
                              bool checkOnly) {
        asked += checkOnly ? 0 : 1;
        return true;
    };
    Drag(IndicatorPoint(1), IndicatorPoint(1));
    EXPECT_EQ(asked, 0);
}

TEST_F(RecordMovingTest, WithRecordSelectionOnlyASelectedRecordStartsAMoveWithoutModifiers) {
    FillFlat(5);
    CursorGrid& grid = OpenMoving();
    grid.SetOptions(grid.Options() | dgMultiSelect);
    EXPECT_FALSE(grid.StartRecordMoving(IndicatorPoint(2).x(), IndicatorPoint(2).y(), 0, true));
    data_.SetRecNo(3);
    grid.SelectedRows().MarkCurrentRow(true);
    const QPoint point = IndicatorPoint(2);
    EXPECT_TRUE(grid.StartRecordMoving(point.x(), point.y(), 0, true));
    EXPECT_FALSE(grid.StartRecordMoving(point.x(), point.y(), ui::ssCtrl, true));
    // Not from a data cell, and not without the option.
    EXPECT_FALSE(grid.StartRecordMoving(NamePoint(2, 5).x(), point.y(), 0, true));
    grid.SetOptionsX(grid.OptionsX() & ~dghRecordMoving);
    EXPECT_FALSE(grid.StartRecordMoving(point.x(), point.y(), 0, true));
}

TEST_F(RecordMovingTest, ARefusedPlaceKeepsTheMarkerWhereItWas) {
    FillFlat(6);
    OpenMoving();
    grid_.OnMoveRecords = [](TCustomDBGridX*, const QList<db::TBookmark>&, int toRecNo, int, bool) {
        return toRecNo != 5;
    };
    const QPoint start = IndicatorPoint(0);
    grid_.MouseDown(ui::TMouseButton::mbLeft, 0, start.x(), start.y());
    grid_.MouseMove(ui::ssLeft, start.x(), IndicatorPoint(2).y());
    ASSERT_TRUE(grid_.MoveMarkerShown());
    EXPECT_EQ(grid_.MoveTargetRow(), 2 + grid_.TitleOffset());
    grid_.MouseMove(ui::ssLeft, start.x(), IndicatorPoint(4).y());
    EXPECT_EQ(grid_.MoveTargetRow(), 2 + grid_.TitleOffset());
    EXPECT_TRUE(grid_.MoveMarkerShown());
    // Esc ends the move without moving.
    int key = Qt::Key_Escape;
    grid_.KeyDown(key, 0);
    EXPECT_EQ(grid_.TrackingMode(), 0);
    EXPECT_FALSE(grid_.MoveMarkerShown());
    EXPECT_EQ(ViewNames().front(), "N1");
}

TEST_F(RecordMovingTest, HoldingThePointerBelowTheRowsScrollsARowAtATime) {
    FillFlat(40);
    CursorGrid& grid = OpenMoving(150);
    const int top = grid.TopRow();
    const QPoint start = IndicatorPoint(0);
    const int below = grid.CellRect(0, grid.TopRow() + grid.VisibleRowCount() - 1).Bottom + 1;
    grid.MouseDown(ui::TMouseButton::mbLeft, 0, start.x(), start.y());
    grid.MouseMove(ui::ssLeft, start.x(), below);
    EXPECT_EQ(grid.TopRow(), top + 1);
    grid.TimerFired(1);
    grid.TimerFired(1);
    EXPECT_EQ(grid.TopRow(), top + 3);
    const int target = grid.MoveTargetRow();
    grid.MouseUp(ui::TMouseButton::mbLeft, 0, start.x(), below);
    EXPECT_EQ(ViewNames().indexOf("N1"), target - grid.TitleOffset());
}

TEST_F(RecordMovingTest, TheTreeRefusesPlacesThatWouldBreakIt) {
    FillSmallTree();
    Open();
    data_.SetRecNo(5); // C
    const QList<db::TBookmark> c{data_.Bookmark()};
    data_.SetRecNo(1); // A
    const QList<db::TBookmark> a{data_.Bookmark()};
    // Before A1 on level 1 would take A1 from A.
    EXPECT_FALSE(data_.MoveRecords(c, 2, 1, true));
    EXPECT_TRUE(data_.MoveRecords(c, 2, 2, true));
    // Two levels below the node before.
    EXPECT_FALSE(data_.MoveRecords(c, 2, 3, true));
    // A into its own subtree stays where it is.
    EXPECT_TRUE(data_.MoveRecords(a, 3, 1, false));
    EXPECT_EQ(data_.NodeTexts(QStringLiteral("NAME")),
              (QStringList{"A", "A1", "A2", "A2x", "B", "B1", "C"}));
    // Before B, one level below the last shown node: a child of the
    // collapsed A2, which opens.
    // Bookmarks hold until the view is read anew.
    data_.SetRecNo(5);
    const QList<db::TBookmark> again{data_.Bookmark()};
    EXPECT_FALSE(data_.MoveRecords(c, 4, 3, true));
    EXPECT_TRUE(data_.MoveRecords(again, 4, 3, false));
    EXPECT_EQ(ViewNames(), (QStringList{"A", "A1", "A2", "A2x", "C", "B"}));
    EXPECT_EQ(data_.NodeLevels(), (QList<int>{1, 2, 2, 3, 3, 1, 2}));
}

} // namespace
} // namespace kx::test
