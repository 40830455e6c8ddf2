// Painting and scrolling of the grid base on a shown grid: which cells are
// drawn, the colours of lines and frames, the focus rectangle, the lock, and
// the scroll bars' ranges and thumbs.

#include "tests/grid/testgrid.h"

#include <QImage>
#include <QLineEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <set>

namespace kx::test {
namespace {

using ui::TRect;

QImage Shot(TTestGrid& grid) {
    return grid.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb Rgb(ui::TColor color, const TTestGrid& grid) {
    return ui::ToQColor(color, grid.palette()).rgb();
}

void Settle() {
    QApplication::processEvents();
    QTest::qWait(20);
}

TEST(GridPaint, ScrollingByOneRowRepaintsOnlyTheNewRowBand) {
    auto grid = ShownGrid(400, 300);
    ASSERT_TRUE(grid);
    grid->SetRowCount(100);
    Settle();
    TGridLayoutX before;
    grid->CalcDrawInfo(before);
    grid->drawn.clear();
    grid->ModifyScrollBar(ui::SB_VERT, ui::SB_LINEDOWN, 0);
    Settle();
    ASSERT_EQ(grid->TopRow(), 2);
    ASSERT_FALSE(grid->drawn.empty());
    std::set<int> rows;
    for (const DrawnCell& cell : grid->drawn)
        rows.insert(cell.row);
    EXPECT_LE(rows.size(), 2u) << "only the band the scroll uncovered";
    EXPECT_GE(*rows.begin(), before.Vert.LastFullVisibleCell);
    EXPECT_LE(grid->drawn.size(), size_t(2 * grid->ColCount()));
}

TEST(GridPaint, AJumpOfMoreThanAScreenRepaintsEverything) {
    auto grid = ShownGrid(400, 300);
    ASSERT_TRUE(grid);
    grid->SetRowCount(100);
    Settle();
    grid->drawn.clear();
    grid->ModifyScrollBar(ui::SB_VERT, ui::SB_BOTTOM, 0);
    Settle();
    std::set<int> rows;
    for (const DrawnCell& cell : grid->drawn)
        rows.insert(cell.row);
    EXPECT_GT(rows.size(), 10u);
    EXPECT_TRUE(rows.count(0)) << "the fixed row too";
}

TEST(GridPaint, FrozenColumnLineIsDarkAndDataLinesAreSilver) {
    auto grid = ShownGrid(400, 200);
    ASSERT_TRUE(grid);
    grid->SetColCount(8);
    grid->SetFixedCols(2);
    grid->SetFrozenCols(1);
    const QImage image = Shot(*grid);
    TGridLayoutX layout;
    grid->CalcDrawInfo(layout);
    const int y = 60;
    EXPECT_EQ(image.pixel(layout.Horz.FixedBoundary - 1, y), Rgb(ui::clBlack, *grid));
    EXPECT_EQ(image.pixel(layout.Horz.FixedBoundary + 64, y), Rgb(ui::clSilver, *grid));
    EXPECT_EQ(image.pixel(64, y), Rgb(ui::clBlack, *grid)) << "line of the fixed column";
    const QRgb frozenFill = image.pixel(layout.Horz.StaticBoundary + 30, y + 5);
    EXPECT_EQ(frozenFill, Rgb(ui::clWindow, *grid)) << "frozen cells are filled like data";
    grid->SetFlat(true);
    EXPECT_EQ(Shot(*grid).pixel(layout.Horz.FixedBoundary - 1, y), Rgb(ui::clGray, *grid));
}

TEST(GridPaint, SilverGridDrawsGrayDataLines) {
    auto grid = ShownGrid(300, 150);
    ASSERT_TRUE(grid);
    grid->SetColor(ui::clSilver);
    EXPECT_EQ(Shot(*grid).pixel(129, 60), Rgb(ui::clGray, *grid));
}

TEST(GridPaint, WithoutLinesCellsFollowEachOtherWithoutGaps) {
    auto grid = ShownGrid(300, 150);
    ASSERT_TRUE(grid);
    grid->SetGridLineWidth(0);
    Settle();
    grid->drawn.clear();
    Shot(*grid);
    bool sawSecond = false;
    for (const DrawnCell& cell : grid->drawn)
        if (cell.col == 2 && cell.row == 2) {
            EXPECT_EQ(cell.rect, (TRect{128, 48, 192, 72}));
            sawSecond = true;
        }
    EXPECT_TRUE(sawSecond);
    const QImage image = Shot(*grid);
    EXPECT_EQ(image.pixel(128, 60), Rgb(ui::clWindow, *grid));
}

TEST(GridPaint, SwitchedOffFixedLinesArePaintedInTheFixedColour) {
    auto grid = ShownGrid(300, 150);
    ASSERT_TRUE(grid);
    grid->SetDefaultDrawing(false);
    grid->SetOptions(grid->Options() & ~goFixedVertLine);
    const QImage image = Shot(*grid);
    EXPECT_EQ(image.pixel(64, 60), Rgb(ui::clBtnFace, *grid));
    EXPECT_EQ(image.pixel(129, 60), Rgb(ui::clSilver, *grid)) << "data lines stay";
    EXPECT_EQ(image.pixel(129, 10), Rgb(ui::clBtnFace, *grid)) << "title row over data columns";
}

TEST(GridPaint, FixedCellsGetARaisedFrame) {
    auto grid = ShownGrid(300, 150);
    ASSERT_TRUE(grid);
    const QImage image = Shot(*grid);
    EXPECT_EQ(image.pixel(65, 0), Rgb(ui::clBtnHighlight, *grid));
    EXPECT_EQ(image.pixel(128, 23), Rgb(ui::clBtnShadow, *grid));
}

TEST(GridPaint, CurrentCellIsLeftToTheShownEditor) {
    auto grid = ShownGrid(300, 150);
    ASSERT_TRUE(grid);
    grid->SetOptions(grid->Options() | goEditing);
    grid->ShowEditor();
    ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->GetVisible());
    grid->drawn.clear();
    Shot(*grid);
    for (const DrawnCell& cell : grid->drawn)
        EXPECT_FALSE(cell.col == grid->Col() && cell.row == grid->Row());
    grid->HideEditor();
    grid->drawn.clear();
    Shot(*grid);
    bool current = false;
    for (const DrawnCell& cell : grid->drawn)
        if (cell.col == grid->Col() && cell.row == grid->Row()) {
            current = true;
            EXPECT_EQ(cell.state, gdFocused | gdSelected);
        }
    EXPECT_TRUE(current);
}

// The pixels that differ between two pictures all lie on the border of rect.
void ExpectDifferenceOnBorder(const QImage& a, const QImage& b, const TRect& rect) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++differing;
                const bool onBorder =
                    ((x == rect.Left || x == rect.Right - 1) && y >= rect.Top && y < rect.Bottom) ||
                    ((y == rect.Top || y == rect.Bottom - 1) && x >= rect.Left && x < rect.Right);
                EXPECT_TRUE(onBorder) << x << "," << y;
                if (!onBorder)
                    return;
            }
    EXPECT_GT(differing, 0);
}

TEST(GridPaint, RowSelectDrawsOneFocusRectangleAroundTheSelectionWhileFocused) {
    QWidget form;
    auto* grid = new TTestGrid(&form);
    auto* other = new QLineEdit(&form);
    grid->SetBorderStyle(ui::TBorderStyle::bsNone);
    grid->SetScrollBars(ui::TScrollStyle::ssNone);
    grid->setGeometry(0, 0, 400, 150);
    other->setGeometry(0, 160, 100, 20);
    grid->SetOptions(grid->Options() | goRowSelect);
    form.resize(400, 200);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    grid->setFocus();
    Settle();
    ASSERT_TRUE(grid->Focused());
    const QImage focused = Shot(*grid);
    for (const DrawnCell& cell : grid->drawn) {
        if (cell.row == grid->Row() && cell.col >= grid->FixedCols()) {
            EXPECT_EQ(cell.state & gdSelected, gdSelected);
        }
    }
    TRect selection;
    grid->GridRectToScreenRect(grid->Selection(), selection, false);
    other->setFocus();
    Settle();
    ExpectDifferenceOnBorder(focused, Shot(*grid), selection);
}

TEST(GridPaint, LockedGridDrawsNothing) {
    auto grid = ShownGrid(300, 150);
    ASSERT_TRUE(grid);
    Settle();
    grid->LockGrid();
    grid->drawn.clear();
    grid->InvalidateGrid();
    Settle();
    EXPECT_TRUE(grid->drawn.empty());
    grid->UnlockGrid();
    grid->UnlockGrid();
    EXPECT_FALSE(grid->GridLocked());
    grid->InvalidateGrid();
    Settle();
    EXPECT_FALSE(grid->drawn.empty());
}

TEST(GridPaint, ContraRowsStayAtTheBottomWhenScrolled) {
    auto grid = ShownGrid(400, 200);
    ASSERT_TRUE(grid);
    grid->SetRowCount(50);
    grid->SetContraRowCount(2);
    grid->ModifyScrollBar(ui::SB_VERT, ui::SB_PAGEDOWN, 0);
    ASSERT_GT(grid->TopRow(), 1);
    grid->drawn.clear();
    Shot(*grid);
    std::set<int> contraRows;
    for (const DrawnCell& cell : grid->drawn) {
        if (cell.row >= grid->RowCount()) {
            contraRows.insert(cell.row);
            EXPECT_EQ(cell.state & (gdFocused | gdSelected), 0u);
        }
        if (cell.row == 51) {
            EXPECT_EQ(cell.rect.Bottom, 199);
        }
        if (cell.row == 50) {
            EXPECT_EQ(cell.rect.Top, 150);
        }
        if (cell.row < grid->RowCount()) {
            EXPECT_LE(cell.rect.Top, 149) << "scrollable rows stay above the contra rows";
        }
    }
    EXPECT_EQ(contraRows, (std::set<int>{50, 51}));
}

TEST(GridPaint, ScrollBarsShowOnlyWhatThereIsToScrollAndTheThumbEndsAt127) {
    auto grid = ShownGrid(400, 200, ui::TScrollStyle::ssBoth);
    ASSERT_TRUE(grid);
    Settle();
    EXPECT_FALSE(grid->ScrollBarShown(ui::SB_VERT)) << "all cells fit";
    EXPECT_FALSE(grid->ScrollBarShown(ui::SB_HORZ));
    grid->SetRowCount(40);
    EXPECT_TRUE(grid->ScrollBarShown(ui::SB_VERT));
    EXPECT_EQ(grid->ScrollRangeMax(ui::SB_VERT), 127);
    EXPECT_FALSE(grid->ScrollBarShown(ui::SB_HORZ));
    EXPECT_EQ(grid->ClientWidth(), 400 - grid->ScrollBarThickness());
    grid->ModifyScrollBar(ui::SB_VERT, ui::SB_BOTTOM, 0);
    EXPECT_EQ(grid->ScrollPos(ui::SB_VERT), 127);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 127);
    grid->ModifyScrollBar(ui::SB_VERT, ui::SB_THUMBPOSITION, 64);
    TGridLayoutX layout;
    grid->CalcDrawInfo(layout);
    const int last = grid->CalcMaxTopLeft({4, 39}, layout).Y;
    EXPECT_EQ(grid->TopRow(), 1 + MulDiv(64, last - 1, 127));
    grid->ModifyScrollBar(ui::SB_VERT, ui::SB_THUMBTRACK, 0);
    EXPECT_NE(grid->TopRow(), 1) << "thumb tracking is off";
    grid->resize(400, 2000);
    Settle();
    EXPECT_EQ(grid->TopRow(), 1) << "growing so that everything fits pulls the top row back";
    EXPECT_FALSE(grid->ScrollBarShown(ui::SB_VERT));
}

TEST(GridPaint, ShrinkingKeepsTheTopRow) {
    auto grid = ShownGrid(300, 400, ui::TScrollStyle::ssBoth);
    ASSERT_TRUE(grid);
    grid->SetRowCount(100);
    grid->SetTopRow(30);
    grid->resize(300, 200);
    Settle();
    EXPECT_EQ(grid->TopRow(), 30);
}

TEST(GridPaint, OneColumnGridScrollsByPixels) {
    auto grid = ShownGrid(200, 150, ui::TScrollStyle::ssBoth);
    ASSERT_TRUE(grid);
    grid->SetFixedCols(0);
    grid->SetColCount(1);
    grid->SetColWidths(0, 500);
    Settle();
    const int room = grid->ClientWidth();
    EXPECT_EQ(grid->ScrollRangeMax(ui::SB_HORZ), 500 - room);
    const int zero = QFontMetrics(grid->font()).horizontalAdvance(QLatin1Char('0'));
    grid->ModifyScrollBar(ui::SB_HORZ, ui::SB_LINEDOWN, 0);
    EXPECT_EQ(grid->ColOffset(), zero);
    grid->ModifyScrollBar(ui::SB_HORZ, ui::SB_BOTTOM, 0);
    EXPECT_EQ(grid->ColOffset(), 500 - room) << "bottom scrolls to the right edge";
    EXPECT_EQ(grid->ScrollPos(ui::SB_HORZ), 500 - room);
    grid->ModifyScrollBar(ui::SB_HORZ, ui::SB_TOP, 0);
    EXPECT_EQ(grid->ColOffset(), 0) << "top scrolls to the left edge";
    grid->ModifyScrollBar(ui::SB_HORZ, ui::SB_PAGEUP, 0);
    EXPECT_EQ(grid->ColOffset(), 0);
}

TEST(GridPaint, NothingToScrollKeepsTheThumbAtZero) {
    auto grid = ShownGrid(300, 200, ui::TScrollStyle::ssBoth);
    ASSERT_TRUE(grid);
    grid->UpdateScrollPos();
    EXPECT_EQ(grid->ScrollPos(ui::SB_VERT), 0);
    EXPECT_EQ(grid->ScrollPos(ui::SB_HORZ), 0);
}

TEST(GridPaint, NegativeAndZeroSizesNeitherCrashNorHang) {
    auto grid = ShownGrid(300, 200, ui::TScrollStyle::ssBoth);
    ASSERT_TRUE(grid);
    grid->SetRowCount(30);
    grid->SetColWidths(2, -100);
    grid->SetRowHeights(3, 0);
    grid->SetDefaultRowHeight(-5);
    grid->SetGridLineWidth(-3);
    grid->SetContraRowCount(1);
    for (int code = ui::SB_LINEUP; code <= ui::SB_BOTTOM; ++code) {
        grid->ModifyScrollBar(ui::SB_VERT, code, 100);
        grid->ModifyScrollBar(ui::SB_HORZ, code, 100);
    }
    for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_End, Qt::Key_Down, Qt::Key_Right, Qt::Key_Tab})
        QTest::keyClick(grid.get(), key);
    Shot(*grid);
    grid->resize(0, 0);
    Settle();
    Shot(*grid);
    grid->SetDefaultRowHeight(24);
    grid->SetGridLineWidth(1);
    grid->resize(300, 200);
    Settle();
    EXPECT_GE(grid->TopRow(), grid->FixedRows());
    EXPECT_LT(grid->Row(), grid->RowCount());
}

TEST(GridPaint, MulDivRoundsToNearest) {
    EXPECT_EQ(MulDiv(1, 127, 2), 64);
    EXPECT_EQ(MulDiv(10, 127, 10), 127);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000);
}

} // namespace
} // namespace kx::test
