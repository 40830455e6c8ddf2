#include "grid/dbgrid/dbgridautoscroll.h"
#include "grid/dbgrid/dbgridxscrollbar.h"
#include "tests/grid/dbgrid/servicegridfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace kx::test {
namespace {

class GridScrollTest : public ServiceGridTest {
protected:
    GridScrollTest() {
        NumberedRows(60);
        OpenGrid();
    }

    void Vert(int code, int pos = 0) { grid_.ScrollAction(ui::SB_VERT, code, pos); }
};

TEST_F(GridScrollTest, LineDownOnTheLastRowShowsTheNextRecordBelow) {
    const int shown = grid_.DataLink()->RecordCount();
    ASSERT_GT(shown, 3);
    query_.SetRecNo(shown);
    ASSERT_EQ(TopRecNo(), 1);
    Vert(ui::SB_LINEDOWN);
    EXPECT_EQ(query_.RecNo(), shown + 1);
    EXPECT_EQ(TopRecNo(), 2) << "the grid scrolled by one row";

    Vert(ui::SB_LINEUP);
    EXPECT_EQ(query_.RecNo(), 1) << "the record above the first shown";
}

TEST_F(GridScrollTest, PagesTopAndBottom) {
    const int page = grid_.VisibleDataRowCount();
    Vert(ui::SB_PAGEDOWN);
    EXPECT_EQ(query_.RecNo(), 1 + page);
    Vert(ui::SB_PAGEUP);
    EXPECT_EQ(query_.RecNo(), 1);
    Vert(ui::SB_BOTTOM);
    EXPECT_EQ(query_.RecNo(), 60);
    Vert(ui::SB_TOP);
    EXPECT_EQ(query_.RecNo(), 1);
}

TEST_F(GridScrollTest, ATrackedThumbMovesOnceNotTwice) {
    Vert(ui::SB_THUMBTRACK, 30);
    EXPECT_EQ(query_.RecNo(), 1) << "no tracking unless the bar asks for it";

    grid_.VertScrollBar()->Tracking = true;
    Vert(ui::SB_THUMBTRACK, 30);
    EXPECT_EQ(query_.RecNo(), 30);
    Vert(ui::SB_THUMBPOSITION, 10);
    EXPECT_EQ(query_.RecNo(), 30) << "the position after a track step is spent";

    const std::pair<int, int> positions[] = {{10, 10}, {1, 1},   {0, 1},
                                             {59, 59}, {60, 60}, {99, 60}};
    for (const auto& [pos, recNo] : positions) {
        Vert(ui::SB_THUMBPOSITION, pos);
        EXPECT_EQ(query_.RecNo(), recNo) << pos;
    }
}

TEST_F(GridScrollTest, FiveThumbPlacesWithoutRecordNumbers) {
    const int page = grid_.VisibleDataRowCount();
    query_.SetRecNo(30);
    const std::pair<int, int> places[] = {{0, 1}, {3, 1 + page}, {2, 1 + page},
                                          {1, 1}, {4, 60},       {7, 60}};
    for (const auto& [place, recNo] : places) {
        grid_.ThumbToUnsequencedPlace(place);
        EXPECT_EQ(query_.RecNo(), recNo) << place;
    }
}

TEST_F(GridScrollTest, EachWheelNotchMovesOneRecord) {
    EXPECT_TRUE(grid_.DoMouseWheelDown(0, {}));
    grid_.DoMouseWheelDown(0, {});
    EXPECT_EQ(query_.RecNo(), 3);
    grid_.DoMouseWheelUp(0, {});
    EXPECT_EQ(query_.RecNo(), 2);

    query_.Close();
    EXPECT_TRUE(grid_.DoMouseWheelDown(0, {})) << "a closed data set takes the notch quietly";
}

TEST_F(GridScrollTest, TheSamePageComesBackAfterAWalk) {
    query_.SetRecNo(40);
    query_.MoveBy(-6);
    const int top = TopRecNo();
    const int current = query_.RecNo();
    ASSERT_GT(grid_.DataLink()->ActiveRecord(), 0);

    grid_.SaveRowPosition();
    EXPECT_EQ(query_.RecNo(), current);
    query_.Last();
    grid_.RestoreRowPosition();
    EXPECT_EQ(query_.RecNo(), current);
    EXPECT_EQ(TopRecNo(), top);

    grid_.SaveRowPosition();
    query_.First();
    grid_.RestoreRowPosition();
    EXPECT_EQ(query_.RecNo(), current);
    EXPECT_EQ(TopRecNo(), top) << "coming back from above";
}

TEST_F(GridScrollTest, BufferRowsAnswerTheirRecordNumbers) {
    query_.SetRecNo(5);
    EXPECT_EQ(grid_.BufferRowRecNo(0), TopRecNo());
    EXPECT_EQ(grid_.BufferRowRecNo(2), TopRecNo() + 2);
    EXPECT_EQ(query_.RecNo(), 5);
    EXPECT_EQ(grid_.DataCellsBoxRect().Left, grid_.CellRect(1, 1).Left);
}

TEST_F(GridScrollTest, AResizeWaitsForTheLayoutBracket) {
    grid_.show();
    const int rows = grid_.RowCount();
    grid_.BeginLayout();
    grid_.resize(600, 600);
    EXPECT_EQ(grid_.RowCount(), rows);
    grid_.EndLayout();
    EXPECT_GT(grid_.RowCount(), rows);
}

TEST_F(GridScrollTest, FrozenBordersShowTheSplitCursor) {
    grid_.SetFrozenCols(1);
    const ui::TRect title = grid_.CellRect(1, 0);
    EXPECT_EQ(grid_.CursorAt(title.Right, title.Top + 3), Qt::SplitHCursor);
    EXPECT_EQ(grid_.CursorAt(title.Left + 20, title.Top + 3), Qt::ArrowCursor);
    const ui::TRect cell = grid_.CellRect(1, 2);
    EXPECT_NE(grid_.CursorAt(cell.Right, cell.Top + 3), Qt::SplitHCursor) << "titles only";

    grid_.SetOptions(grid_.Options() & ~dgEditing);
    EXPECT_FALSE(grid_.DialogCode() & ui::DLGC_WANTCHARS);
    grid_.SetOptionsX(grid_.OptionsX() | dghPreferIncSearch);
    EXPECT_TRUE(grid_.DialogCode() & ui::DLGC_WANTCHARS);
}

TEST_F(GridScrollTest, ARecordDragBelowTheCellsScrollsFasterFartherOut) {
    grid_.SetOptions(grid_.Options() | dgMultiSelect);
    grid_.show();
    QCoreApplication::processEvents();
    const ui::TRect indicator = grid_.CellRect(0, 2);
    QTest::mousePress(grid_.viewport(), Qt::LeftButton, {},
                      QPoint(indicator.Left + 3, indicator.Top + 3));
    ASSERT_EQ(grid_.TrackingMode(), 1) << "selecting records";
    const int start = query_.RecNo();
    const ui::TRect box = grid_.DataCellsBoxRect();

    const auto dragTo = [this](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, grid_.viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(grid_.viewport(), &move);
    };
    dragTo(QPoint(100, box.Bottom + 4));
    grid_.StartTimer(200);
    grid_.AutoScrollStep();
    EXPECT_EQ(query_.RecNo(), start) << "d = 5 moves nothing";
    EXPECT_EQ(grid_.TimerInterval(), 125);

    dragTo(QPoint(100, box.Bottom + 20));
    grid_.AutoScrollStep();
    EXPECT_EQ(query_.RecNo(), start + 3) << "d = 21 moves three rows";
    EXPECT_EQ(grid_.TimerInterval(), MinTimerInterval);

    dragTo(QPoint(100, box.Top + 5));
    grid_.AutoScrollStep();
    EXPECT_FALSE(grid_.TimerRunning()) << "back over the cells";

    grid_.StartTimer(50);
    ui::TCustomControl::SendCancelMode(nullptr);
    EXPECT_FALSE(grid_.TimerRunning()) << "a cancelled drag stops scrolling";
    EXPECT_EQ(grid_.TrackingMode(), 0);
    QTest::mouseRelease(grid_.viewport(), Qt::LeftButton);
}

// ---- Timers ------------------------------------------------------------

TEST_F(GridScrollTest, TimerOneNeverSpinsAndStopsClean) {
    grid_.StartTimer(0);
    EXPECT_TRUE(grid_.TimerRunning());
    EXPECT_EQ(grid_.TimerInterval(), MinTimerInterval);
    grid_.StartTimer(125);
    EXPECT_EQ(grid_.TimerInterval(), 125);
    grid_.StopTimer();
    EXPECT_FALSE(grid_.TimerRunning());
    EXPECT_EQ(grid_.TimerInterval(), -1);
}

struct AutoScrollCase {
    QPoint pos;
    int vert;
    int horz;
    int rows;
    int interval;
};

TEST(AutoScrollPlan, FartherPointersMoveMoreRowsSooner) {
    const ui::TRect box{20, 30, 220, 130};
    const AutoScrollCase cases[] = {
        {{100, 80}, 0, 0, 0, 200},  // inside: nothing to do
        {{100, 134}, 1, 0, 0, 125}, // 4 pixels below: d = 5
        {{100, 150}, 1, 0, 3, 10},  // 20 pixels below: d = 21, no delay
        {{100, 0}, -1, 0, 5, 10},   // 30 above
        {{100, 500}, 1, 0, 8, 10},  // at most eight rows a step
        {{230, 80}, 0, 1, 1, 50},   // right
        {{10, 120}, 0, -1, 1, 50},  // left
        {{10, 140}, 1, -1, 1, 35},  // both: the larger distance counts
    };
    for (const AutoScrollCase& c : cases) {
        const TAutoScrollPlan plan = PlanAutoScroll(box, c.pos);
        EXPECT_EQ(plan.VertDirection, c.vert) << c.pos.x() << "," << c.pos.y();
        EXPECT_EQ(plan.HorzDirection, c.horz) << c.pos.x() << "," << c.pos.y();
        EXPECT_EQ(plan.Rows, c.rows) << c.pos.x() << "," << c.pos.y();
        EXPECT_EQ(plan.Interval, c.interval) << c.pos.x() << "," << c.pos.y();
    }
    EXPECT_EQ(ColumnAutoScrollInterval(5), 150);
    EXPECT_EQ(ColumnAutoScrollInterval(40), MinTimerInterval);
}

// ---- Incremental search ------------------------------------------------

class IncSearchTest : public ServiceGridTest {
protected:
    IncSearchTest() {
        Rows({"1, 'Alpha', 1, NULL, 'Y'", "2, 'beta', 2, NULL, 'Y'", "3, 'Beta2', 3, NULL, 'Y'"});
        OpenGrid();
        MakeCurrentColumn(QStringLiteral("NAME"));
    }

    QString Name() const { return query_.FieldByName(QStringLiteral("NAME"))->AsString(); }
};

TEST_F(IncSearchTest, TypedLettersFollowTheDataAndDropWhatFindsNothing) {
    grid_.IncSearchAddText(QStringLiteral("b"), IncSearchTimeOut, ltdAll);
    EXPECT_EQ(Name(), QStringLiteral("beta"));
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("b"));
    EXPECT_TRUE(grid_.IncSearchActive());
    EXPECT_TRUE(grid_.IncSearchTimerRunning());

    grid_.IncSearchAddText(QStringLiteral("E"), IncSearchTimeOut, ltdAll);
    EXPECT_EQ(Name(), QStringLiteral("beta"));
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("be"));

    grid_.IncSearchAddText(QString(), IncSearchTimeOut, ltdDown);
    EXPECT_EQ(Name(), QStringLiteral("Beta2"));
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("Be")) << "the data's letter case";

    grid_.IncSearchAddText(QStringLiteral("x"), IncSearchTimeOut, ltdAll);
    EXPECT_EQ(Name(), QStringLiteral("Beta2"));
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("Be"));

    grid_.IncSearchAddText(QString(), IncSearchTimeOut, ltdUp);
    EXPECT_EQ(Name(), QStringLiteral("beta"));

    grid_.TimerFired(2);
    EXPECT_FALSE(grid_.IncSearchActive());
    EXPECT_TRUE(grid_.IncSearchText().isEmpty());
    EXPECT_FALSE(grid_.IncSearchTimerRunning());
}

TEST_F(IncSearchTest, ASearchWithoutTimeOutRunsUntilStopped) {
    grid_.IncSearchAddText(QString(), -1, ltdAll);
    EXPECT_TRUE(grid_.IncSearchActive());
    EXPECT_FALSE(grid_.IncSearchTimerRunning());
    EXPECT_EQ(query_.RecNo(), 1);
    grid_.StopIncSearch();
    EXPECT_FALSE(grid_.IncSearchActive());

    query_.Close();
    grid_.IncSearchAddText(QStringLiteral("a"), -1, ltdAll);
    EXPECT_FALSE(grid_.IncSearchActive()) << "no search over a closed data set";
}

TEST_F(IncSearchTest, KeysTypedIntoTheGridSearchItsCurrentColumn) {
    grid_.SetOptionsX(grid_.OptionsX() | dghPreferIncSearch | dghIncSearch);
    grid_.show();
    grid_.activateWindow();
    grid_.setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(grid_.GridOrEditorFocused());

    QTest::keyClick(&grid_, Qt::Key_B);
    EXPECT_EQ(Name(), QStringLiteral("beta"));
    QTest::keyClick(&grid_, Qt::Key_E, Qt::ShiftModifier);
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("be"));
    EXPECT_FALSE(grid_.EditorMode()) << "the letters went to the search, not the editor";

    QTest::keyClick(&grid_, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Name(), QStringLiteral("Beta2"));
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("Be"));
    QTest::keyClick(&grid_, Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Name(), QStringLiteral("beta"));

    QTest::keyClick(&grid_, Qt::Key_Backspace);
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("b"));
    QApplication::clipboard()->setText(QStringLiteral("eta2"));
    QTest::keyClick(&grid_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Name(), QStringLiteral("Beta2"));
    EXPECT_EQ(grid_.IncSearchText(), QStringLiteral("Beta2"));

    QTest::keyClick(&grid_, Qt::Key_Escape);
    EXPECT_FALSE(grid_.IncSearchActive());

    QTest::keyClick(&grid_, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(grid_.IncSearchActive());
    EXPECT_FALSE(grid_.IncSearchTimerRunning()) << "Ctrl+F searches until ended";
}

} // namespace
} // namespace kx::test
