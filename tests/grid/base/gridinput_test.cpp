// The grid base driven like a user would: keys, mouse selection, sizing and
// moving columns, the wheel, cancel mode, and errors of the mouse-down event.

#include "platform/sys/exception.h"
#include "platform/ui/application.h"
#include "tests/grid/testgrid.h"

#include <QMenu>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace kx::test {
namespace {

using ui::TRect;

void Settle() {
    QApplication::processEvents();
}

TGridCoord Current(const TTestGrid& grid) {
    return {grid.Col(), grid.Row()};
}

struct KeyStep {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

struct KeyCase {
    const char* name;
    TGridOptionsX extraOptions;
    TGridCoord start;
    std::vector<KeyStep> keys;
    TGridCoord expected;
    int topRow;
};

class GridKeys : public ::testing::TestWithParam<KeyCase> {};

// Ten columns (4 and 5 no tab stops, column 1 frozen after the indicator)
// and 60 rows in a client 200 pixels high: 7 rows of 25 pixels fit below the
// title.
TEST_P(GridKeys, MoveTheCurrentCellAndTheView) {
    auto grid = ShownGrid(400, 200, ui::TScrollStyle::ssVertical);
    ASSERT_TRUE(grid);
    grid->SetColCount(10);
    grid->SetRowCount(60);
    grid->SetFixedCols(2);
    grid->SetFrozenCols(1);
    grid->SetTabStops(4, false);
    grid->SetTabStops(5, false);
    grid->SetOptions(grid->Options() | goTabs | GetParam().extraOptions);
    grid->FocusCell(GetParam().start.X, GetParam().start.Y, true, true);
    for (const KeyStep& step : GetParam().keys)
        QTest::keyClick(grid.get(), step.key, step.modifiers);
    EXPECT_EQ(Current(*grid), GetParam().expected);
    EXPECT_EQ(grid->TopRow(), GetParam().topRow);
    TGridLayoutX layout;
    grid->CalcDrawInfo(layout);
    const TGridCoord last = grid->CalcMaxTopLeft({9, 59}, layout);
    EXPECT_EQ(grid->ScrollPos(ui::SB_VERT), MulDiv(grid->TopRow() - 1, 127, last.Y - 1));
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Navigation, GridKeys,
    ::testing::Values(
        KeyCase{"Arrows", 0, {2, 1}, {{Qt::Key_Right, kNone}, {Qt::Key_Down, kNone}}, {3, 2}, 1},
        KeyCase{"LeftIntoTheFrozenColumn", 0, {2, 3}, {{Qt::Key_Left, kNone}}, {1, 3}, 1},
        KeyCase{"NeverOntoTheIndicator", 0, {1, 3}, {{Qt::Key_Left, kNone}}, {1, 3}, 1},
        KeyCase{"UpStopsAtTheFirstRow", 0, {2, 1}, {{Qt::Key_Up, kNone}}, {2, 1}, 1},
        KeyCase{"HomeAndEnd", 0, {5, 3}, {{Qt::Key_End, kNone}}, {9, 3}, 1},
        KeyCase{
            "HomeGoesToTheFirstScrollableColumn", 0, {5, 3}, {{Qt::Key_Home, kNone}}, {2, 3}, 1},
        KeyCase{"CtrlEnd", 0, {2, 1}, {{Qt::Key_End, kCtrl}}, {9, 59}, 53},
        KeyCase{"CtrlHome", 0, {5, 40}, {{Qt::Key_Home, kCtrl}}, {2, 1}, 1},
        KeyCase{"PageDown", 0, {2, 2}, {{Qt::Key_PageDown, kNone}}, {2, 8}, 7},
        KeyCase{"PageDownThenUp",
                0,
                {2, 2},
                {{Qt::Key_PageDown, kNone}, {Qt::Key_PageUp, kNone}},
                {2, 2},
                1},
        KeyCase{
            "CtrlPageDownGoesToTheLastWholeRow", 0, {2, 2}, {{Qt::Key_PageDown, kCtrl}}, {2, 7}, 1},
        KeyCase{"CtrlDownScrollsOnly", 0, {2, 3}, {{Qt::Key_Down, kCtrl}}, {2, 3}, 2},
        KeyCase{"TabSkipsColumnsThatAreNoTabStop", 0, {3, 2}, {{Qt::Key_Tab, kNone}}, {6, 2}, 1},
        KeyCase{"ShiftTabKeepsGoingBackward", 0, {6, 2}, {{Qt::Key_Backtab, kShift}}, {3, 2}, 1},
        KeyCase{"ShiftTabWrapsToThePreviousRow", 0, {2, 3}, {{Qt::Key_Backtab, kShift}}, {9, 2}, 1},
        KeyCase{"TabWrapsToTheNextRow", 0, {9, 3}, {{Qt::Key_Tab, kNone}}, {2, 4}, 1},
        KeyCase{"ShiftTabFromTheFirstCellWrapsToTheLast",
                0,
                {2, 1},
                {{Qt::Key_Backtab, kShift}},
                {9, 59},
                53},
        KeyCase{"AltTabDoesNothing", 0, {3, 2}, {{Qt::Key_Tab, Qt::AltModifier}}, {3, 2}, 1},
        KeyCase{"RowSelectLeftAndRightMoveTheRow",
                goRowSelect,
                {2, 4},
                {{Qt::Key_Right, kNone}, {Qt::Key_Right, kNone}, {Qt::Key_Left, kNone}},
                {2, 5},
                1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridInput, ShiftArrowsExtendTheSelectionFromTheAnchor) {
    auto grid = ShownGrid(400, 200);
    ASSERT_TRUE(grid);
    QTest::keyClick(grid.get(), Qt::Key_Right, kShift);
    QTest::keyClick(grid.get(), Qt::Key_Down, kShift);
    EXPECT_EQ(grid->Anchor(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 2}));
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST(GridInput, ClickAndDragSelectsARangeAndTheTimerRunsOnlyWhileSelecting) {
    auto grid = ShownGrid(400, 200);
    ASSERT_TRUE(grid);
    QWidget* view = grid->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(grid->GridState(), gsSelecting);
    EXPECT_TRUE(grid->TimerActive(1));
    QTest::mouseMove(view, QPoint(230, 90));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(230, 90));
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_FALSE(grid->TimerActive(1));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 3}));
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, QPoint(290, 110));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 4, 4})) << "Shift moves the anchor";
}

TEST(GridInput, WheelMovesTheCurrentRow) {
    auto grid = ShownGrid(400, 200);
    ASSERT_TRUE(grid);
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(100, 50), grid->viewport()->mapToGlobal(QPointF(100, 50)),
                          QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &event);
    };
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(grid->Row(), 3);
    wheel(120);
    EXPECT_EQ(grid->Row(), 2);
    for (int i = 0; i < 5; ++i)
        wheel(120);
    EXPECT_EQ(grid->Row(), 1);
}

struct SizingCase {
    int x;
    int y;
    TGridStateX state;
    int index;
};

class GridSizingZone : public ::testing::TestWithParam<SizingCase> {};

// The line after column 1 lies at pixel 129 and the one after row 1 at 49:
// with a line width of 1 the zone runs from 3 pixels before to 4 after.
TEST_P(GridSizingZone, FindsTheLineAroundThePointerInTitlesAndIndicators) {
    TTestGrid grid;
    grid.SetColCount(10);
    grid.SetRowCount(10);
    grid.SetOptions(grid.Options() | goColSizing | goRowSizing);
    TGridLayoutX layout;
    grid.CalcDrawInfoXY(layout, 400, 200);
    TGridStateX state;
    int index, pos, ofs;
    grid.CalcSizingState(GetParam().x, GetParam().y, layout, state, index, pos, ofs);
    EXPECT_EQ(state, GetParam().state);
    EXPECT_EQ(index, GetParam().index);
    if (state == gsColSizing) {
        EXPECT_EQ(pos, 129);
        EXPECT_EQ(ofs, 129 - GetParam().x);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Zone, GridSizingZone,
    ::testing::Values(SizingCase{125, 10, gsNormal, -1}, SizingCase{126, 10, gsColSizing, 1},
                      SizingCase{129, 10, gsColSizing, 1}, SizingCase{133, 10, gsColSizing, 1},
                      SizingCase{134, 10, gsNormal, -1}, SizingCase{129, 60, gsNormal, -1},
                      SizingCase{20, 49, gsRowSizing, 1}, SizingCase{80, 49, gsNormal, -1}),
    [](const auto& info) {
        return "x" + std::to_string(info.param.x) + "y" + std::to_string(info.param.y);
    });

TEST(GridInput, FrozenColumnsAreSizedLikeScrollableOnes) {
    TTestGrid grid;
    grid.SetColCount(10);
    grid.SetFixedCols(2);
    grid.SetFrozenCols(1);
    grid.SetOptions(grid.Options() | goColSizing);
    TGridLayoutX layout;
    grid.CalcDrawInfoXY(layout, 400, 200);
    TGridStateX state;
    int index, pos, ofs;
    grid.CalcSizingState(129, 10, layout, state, index, pos, ofs);
    EXPECT_EQ(state, gsColSizing);
    EXPECT_EQ(index, 1);
    grid.CalcSizingState(64, 10, layout, state, index, pos, ofs);
    EXPECT_EQ(state, gsNormal) << "the indicator is not sized from the titles";
}

TEST(GridInput, DraggingAColumnLineSizesTheColumn) {
    auto grid = ShownGrid(400, 200);
    ASSERT_TRUE(grid);
    grid->SetOptions(grid->Options() | goColSizing);
    QWidget* view = grid->viewport();
    QTest::mouseMove(view, QPoint(130, 10));
    EXPECT_EQ(view->cursor().shape(), Qt::SplitHCursor);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(130, 10));
    EXPECT_EQ(grid->GridState(), gsColSizing);
    EXPECT_TRUE(grid->HasFeedbackBands());
    QTest::mouseMove(view, QPoint(160, 12));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(160, 12));
    EXPECT_EQ(grid->GetColWidths(1), 94);
    EXPECT_FALSE(grid->HasFeedbackBands());
    EXPECT_EQ(grid->GridState(), gsNormal);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(158, 10));
    QTest::mouseMove(view, QPoint(65, 10));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(65, 10));
    EXPECT_EQ(grid->GetColWidths(1), 94) << "a size of 1 pixel or less is ignored";
}

class MoveRecorder : public TTestGrid {
public:
    std::vector<std::pair<int, int>> moved;
    bool refuseEnd = false;

protected:
    void ColumnMoved(int from, int to) override { moved.emplace_back(from, to); }
    bool EndColumnDrag(int&, int&, QPoint) override { return !refuseEnd; }
};

std::unique_ptr<MoveRecorder> ShownMoveGrid() {
    auto grid = std::make_unique<MoveRecorder>();
    grid->SetBorderStyle(ui::TBorderStyle::bsNone);
    grid->SetScrollBars(ui::TScrollStyle::ssNone);
    grid->SetColCount(6);
    grid->SetOptions(grid->Options() | goColMoving);
    grid->resize(400, 200);
    grid->show();
    grid->activateWindow();
    if (!QTest::qWaitForWindowActive(grid.get()))
        return nullptr;
    grid->setFocus();
    return grid;
}

TEST(GridInput, DraggingATitleMovesTheColumn) {
    auto grid = ShownMoveGrid();
    ASSERT_TRUE(grid);
    grid->SetColWidths(2, 70);
    QWidget* view = grid->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(160, 10));
    EXPECT_EQ(grid->GridState(), gsColMoving);
    EXPECT_TRUE(grid->TimerActive(1));
    QTest::mouseMove(view, QPoint(300, 60));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(300, 60));
    ASSERT_EQ(grid->moved.size(), 1u);
    EXPECT_EQ(grid->moved[0], std::make_pair(2, 4));
    EXPECT_EQ(grid->GetColWidths(4), 70);
    EXPECT_FALSE(grid->TimerActive(1));
    EXPECT_FALSE(grid->HasFeedbackBands());
}

TEST(GridInput, TheTimerFollowsAMoveAlongTheTitles) {
    auto grid = ShownMoveGrid();
    ASSERT_TRUE(grid);
    QWidget* view = grid->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseMove(view, QPoint(230, 10));
    QTest::qWait(150);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(230, 10));
    ASSERT_EQ(grid->moved.size(), 1u);
    EXPECT_EQ(grid->moved[0], std::make_pair(1, 3));
}

TEST(GridInput, AMoveBackOntoItsOriginOrRefusedMovesNothing) {
    auto grid = ShownMoveGrid();
    ASSERT_TRUE(grid);
    QWidget* view = grid->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(160, 10));
    QTest::mouseMove(view, QPoint(300, 60));
    QTest::mouseMove(view, QPoint(160, 60));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(160, 60));
    EXPECT_TRUE(grid->moved.empty());
    grid->refuseEnd = true;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(160, 10));
    QTest::mouseMove(view, QPoint(300, 60));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(300, 60));
    EXPECT_TRUE(grid->moved.empty());
}

TEST(GridInput, AMenuOpeningStopsTheDrag) {
    auto grid = ShownGrid(400, 200);
    ASSERT_TRUE(grid);
    grid->SetOptions(grid->Options() | goColSizing);
    QWidget* view = grid->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(130, 10));
    QTest::mouseMove(view, QPoint(170, 10));
    ASSERT_EQ(grid->GridState(), gsColSizing);
    QMenu menu;
    menu.addAction(QStringLiteral("item"));
    menu.popup(QPoint(10, 10));
    Settle();
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_FALSE(grid->HasFeedbackBands());
    menu.close();
    Settle();
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(170, 10));
    EXPECT_EQ(grid->GetColWidths(1), 64);
}

TEST(GridInput, AnotherWindowTakingTheFocusStopsSelecting) {
    auto grid = ShownGrid(400, 200);
    ASSERT_TRUE(grid);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, QPoint(100, 40));
    ASSERT_TRUE(grid->TimerActive(1));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_FALSE(grid->TimerActive(1));
}

TEST(GridInput, AnErrorOfTheMouseDownEventEndsTheDragAndReachesTheHandler) {
    auto grid = ShownMoveGrid();
    ASSERT_TRUE(grid);
    QString reported;
    ui::SetExceptionHandler([&](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const Exception& e) {
            reported = e.Message();
        }
    });
    grid->OnMouseDown = [](QObject*, ui::TMouseButton, ui::TShiftState, int, int) {
        throw Exception(QStringLiteral("refused"));
    };
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, QPoint(160, 10));
    ui::SetExceptionHandler(nullptr);
    EXPECT_EQ(reported, QStringLiteral("refused"));
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_FALSE(grid->TimerActive(1));
    EXPECT_FALSE(grid->HasFeedbackBands());
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, QPoint(300, 60));
    EXPECT_TRUE(grid->moved.empty());
}

} // namespace
} // namespace kx::test
