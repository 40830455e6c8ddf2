// Mouse scripts of selection drags that leave the data cells: the drag
// starts timer 1, each tick carries the selection on, and the release or a
// return over the cells stops it. Ticks are run by hand.

#include "grid/dbgrid/gridpictures.h"
#include "platform/db/field.h"
#include "tests/grid/dbgrid/dbgridinputfixture.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

constexpr int kAutoScrollTimer = 1;

class AutoScrollTest : public DBGridInputTest {
protected:
    void ShowGrid(int rows, TDBGridOptions add, TDBGridOptions remove = 0) {
        OpenGrid(rows);
        grid_.SetOptions((grid_.Options() | add) & ~remove);
        grid_.show();
        grid_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&grid_));
        grid_.setFocus();
    }

    QPoint CellCenter(int col, int row) const {
        return grid_.CellRect(col, row).ToQRect().center();
    }

    void Press(QPoint at) { QTest::mousePress(grid_.viewport(), Qt::LeftButton, {}, at); }
    // A move with the left button held, as a drag sends it.
    void DragTo(QPoint at) {
        QCursor::setPos(grid_.viewport()->mapToGlobal(at));
        QMouseEvent move(QEvent::MouseMove, at, grid_.viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(grid_.viewport(), &move);
    }
    // A move with no button held; answers the picture of the cursor it
    // leaves, null for a cursor of plain shape.
    QImage HoverCursor(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, grid_.viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, {});
        QApplication::sendEvent(grid_.viewport(), &move);
        return grid_.viewport()->cursor().pixmap().toImage();
    }
    void Release(QPoint at) { QTest::mouseRelease(grid_.viewport(), Qt::LeftButton, {}, at); }
    void Tick() { grid_.TimerFired(kAutoScrollTimer); }
    bool Scrolling() const { return grid_.TimerActive(kAutoScrollTimer); }

    std::vector<int> MarkedIds() {
        std::vector<int> ids;
        TBookmarkListX& rows = grid_.SelectedRows();
        for (int i = 0; i < rows.BookmarkCount(); ++i) {
            query_.GotoBookmark(rows.ItemAt(i));
            ids.push_back(CurrentId());
        }
        return ids;
    }
};

TEST_F(AutoScrollTest, ARecordDragBelowTheCellsScrollsAndMarksEachRecordItPasses) {
    ShowGrid(100, dgRowSelect | dgMultiSelect);
    const ui::TRect box = grid_.DataCellsBoxRect();
    Press(CellCenter(2, 2));
    ASSERT_EQ(CurrentId(), 2);
    EXPECT_FALSE(Scrolling()) << "a press alone scrolls nothing";

    DragTo(QPoint(100, box.Bottom + 20));
    EXPECT_TRUE(Scrolling()) << "leaving the cells starts the timer";
    EXPECT_EQ(CurrentId(), 2) << "the pointer beyond the cells moves nothing itself";

    Tick();
    EXPECT_EQ(CurrentId(), 5) << "21 pixels out: three rows a step";
    Tick();
    EXPECT_EQ(CurrentId(), 8);
    EXPECT_EQ(MarkedIds(), (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));

    DragTo(QPoint(100, box.Top - 12));
    Tick();
    EXPECT_EQ(CurrentId(), 6) << "above the cells it scrolls back, two rows a step";
    EXPECT_EQ(MarkedIds(), (std::vector<int>{2, 3, 4, 5, 6})) << "going back unmarks";

    Release(QPoint(100, box.Top - 12));
    EXPECT_FALSE(Scrolling()) << "the release ends the auto-scroll";
    EXPECT_EQ(grid_.TrackingMode(), 0);
    EXPECT_EQ(MarkedIds(), (std::vector<int>{2, 3, 4, 5, 6}));
}

TEST_F(AutoScrollTest, BackOverTheCellsTheNextTickStopsTheTimer) {
    ShowGrid(100, dgRowSelect | dgMultiSelect);
    const ui::TRect box = grid_.DataCellsBoxRect();
    Press(CellCenter(2, 2));
    DragTo(QPoint(100, box.Bottom + 8));
    ASSERT_TRUE(Scrolling());
    DragTo(CellCenter(2, 3));
    Tick();
    EXPECT_FALSE(Scrolling());
    EXPECT_EQ(CurrentId(), 3);
    Release(CellCenter(2, 3));
}

TEST_F(AutoScrollTest, ARectangleDragBeyondTheRightEdgeWidensTheRectangle) {
    ShowGrid(100, dgMultiSelect, dgRowSelect);
    grid_.resize(250, 300);
    const ui::TRect box = grid_.DataCellsBoxRect();
    Press(CellCenter(1, 2));
    ASSERT_EQ(grid_.TrackingMode(), 3);
    DragTo(QPoint(box.Right + 2, box.Top + 2));
    ASSERT_TRUE(Scrolling());
    const int leftCol = grid_.LeftCol();
    Tick();
    Tick();
    EXPECT_EQ(grid_.LeftCol(), leftCol + 2) << "one column a step";
    ASSERT_EQ(grid_.Selection().SelectionType(), gstRectangle);
    EXPECT_EQ(grid_.Selection().CoveredGridRect().Right, grid_.Col());
    EXPECT_GT(grid_.Col(), 2);
    Release(QPoint(box.Right + 2, box.Top + 2));
    EXPECT_FALSE(Scrolling());
}

TEST_F(AutoScrollTest, AColumnDragFromATitleEdgeSelectsColumnsAndScrollsBeyondTheCells) {
    ShowGrid(20, dgMultiSelect, dgRowSelect);
    grid_.resize(250, 300);
    const ui::TRect title = grid_.CellRect(1, 0);
    ASSERT_GT(title.Bottom - title.Top, 10);
    Press(QPoint(title.Left + 10, title.Top + 1));
    EXPECT_NE(grid_.TrackingMode(), 2) << "higher up the title is a title";
    Release(QPoint(title.Left + 10, title.Top + 1));

    Press(QPoint(title.Left + 10, title.Bottom - 3));
    ASSERT_EQ(grid_.TrackingMode(), 2) << "just above the title's edge selects columns";
    EXPECT_TRUE(Scrolling()) << "a column drag runs the timer from its press";
    EXPECT_EQ(SelectedColumns(), (std::vector<int>{0}));

    DragTo(QPoint(grid_.CellRect(2, 0).Left + 10, title.Bottom - 3));
    EXPECT_EQ(SelectedColumns(), (std::vector<int>{0, 1}));

    const ui::TRect box = grid_.DataCellsBoxRect();
    const int leftCol = grid_.LeftCol();
    DragTo(QPoint(box.Right + 5, title.Bottom - 3));
    Tick();
    EXPECT_EQ(grid_.LeftCol(), leftCol + 1);
    const std::vector<int> selected = SelectedColumns();
    ASSERT_FALSE(selected.empty());
    EXPECT_GT(selected.back(), 1) << "the selection follows the columns scrolled in";

    Release(QPoint(box.Right + 5, title.Bottom - 3));
    EXPECT_FALSE(Scrolling());
    EXPECT_EQ(grid_.TrackingMode(), 0);
}

TEST_F(AutoScrollTest, TheSelectionCursorsShowWhereAPressSelects) {
    ShowGrid(20, dgMultiSelect, dgRowSelect);
    const QImage down = GridUnitResources()->DownCursor.pixmap().toImage();
    const QImage right = GridUnitResources()->RightCursor.pixmap().toImage();
    const ui::TRect title = grid_.CellRect(2, 0);
    const ui::TRect indicator = grid_.CellRect(0, 3);
    EXPECT_EQ(HoverCursor(QPoint(title.Left + 10, title.Bottom - 3)), down);
    EXPECT_TRUE(HoverCursor(QPoint(title.Left + 10, title.Top + 1)).isNull());
    EXPECT_EQ(HoverCursor(indicator.ToQRect().center()), right);
    EXPECT_TRUE(HoverCursor(CellCenter(2, 3)).isNull());

    query_.Close();
    query_.SQL().SetText(QStringLiteral("SELECT * FROM INPUT_TEST WHERE ID < 0"));
    query_.Open();
    EXPECT_TRUE(HoverCursor(indicator.ToQRect().center()).isNull())
        << "no records, nothing to select";
}

} // namespace
} // namespace kx::test
