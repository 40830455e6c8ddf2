#include "grid/dbgrid/popupdatagridx.h"
#include "grid/editors/sizegripx.h"
#include "tests/grid/dbgrid/lookupgridfixture.h"

#include <QApplication>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace kx::test {
namespace {

TEST(PopupDataGridX, ReleaseDecision) {
    struct Case {
        bool normalBefore;
        bool pressedInside;
        bool insideWindow;
        bool onRow;
        TPopupReleaseAction action;
    };
    const Case cases[] = {
        {true, true, true, true, TPopupReleaseAction::Accept},
        {true, true, true, false, TPopupReleaseAction::Nothing}, // the title row, say
        {true, true, false, false, TPopupReleaseAction::Cancel},
        {true, false, true, true, TPopupReleaseAction::Nothing}, // pressed elsewhere
        {false, true, true, true, TPopupReleaseAction::Nothing}, // ended a column sizing
        {false, true, false, false, TPopupReleaseAction::Nothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PopupReleaseAction(c.normalBefore, c.pressedInside, c.insideWindow, c.onRow),
                  c.action)
            << c.normalBefore << c.pressedInside << c.insideWindow << c.onRow;
    int w = 1;
    int h = -5;
    TPopupDataGridX::ClampNewSize(w, h);
    const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(w, extent);
    EXPECT_EQ(h, extent);
}

class PopupDataGridTest : public LookupGridTest {
protected:
    void Show(TPopupDataGridX& grid) {
        SetUpList(grid);
        grid.SetShowTitles(true);
        grid.SetRowCount(6);
        grid.OnCloseUp = [this](TPopupDataGridX*, bool accept) { closes.push_back(accept); };
        grid.move(100, 100);
        grid.show();
        grid.Sized = false;
    }
    QPoint RowCenter(TPopupDataGridX& grid, int dataRow) {
        return grid.CellRect(grid.IndicatorOffset(), grid.FixedRows() + dataRow).ToQRect().center();
    }
    std::vector<bool> closes;
};

TEST_F(PopupDataGridTest, HoverSelectsUnlessReadOnly) {
    TPopupDataGridX grid;
    Show(grid);
    int told = 0;
    grid.OnOwnerNotify = [&told](TPopupDataGridX*) { ++told; };
    EXPECT_FALSE(grid.hasFocus());
    QTest::mouseMove(grid.viewport(), RowCenter(grid, 2));
    EXPECT_EQ(grid.KeyValue().toString(), "03");
    EXPECT_EQ(grid.DisplayText(), "Cherry");
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(closes.empty());
    grid.SetDataReadOnly(true);
    QTest::mouseMove(grid.viewport(), RowCenter(grid, 4));
    EXPECT_EQ(grid.KeyValue().toString(), "03");
    // keys the owner hands on move the pick too, and tell the owner
    grid.SetDataReadOnly(false);
    int key = Qt::Key_Down;
    grid.KeyDown(key, 0);
    EXPECT_EQ(grid.KeyValue().toString(), "04");
    EXPECT_EQ(told, 2);
    grid.SetKeyValue("01"); // not the user's doing
    EXPECT_EQ(told, 2);
}

TEST_F(PopupDataGridTest, ClickAcceptsReleaseOutsideCancels) {
    TPopupDataGridX grid;
    Show(grid);
    QWidget* view = grid.viewport();
    QTest::mouseClick(view, Qt::LeftButton, {}, RowCenter(grid, 4));
    EXPECT_EQ(closes, std::vector<bool>{true});
    EXPECT_EQ(grid.KeyValue().toString(), "05");

    closes.clear();
    const QPoint title = grid.CellRect(grid.IndicatorOffset(), 0).ToQRect().center();
    QTest::mousePress(view, Qt::LeftButton, {}, RowCenter(grid, 1));
    QTest::mouseRelease(view, Qt::LeftButton, {}, title);
    EXPECT_TRUE(closes.empty()); // released over the titles: still open

    QTest::mousePress(view, Qt::LeftButton, {}, RowCenter(grid, 1));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(grid.width() + 40, -60));
    EXPECT_EQ(closes, std::vector<bool>{false});
}

TEST_F(PopupDataGridTest, GripResizesDownToTheScrollBarSize) {
    TPopupDataGridX grid;
    Show(grid);
    TSizeGripX* grip = grid.SizeGrip();
    EXPECT_EQ(grip->Corner(), gcBottomRight);
    const QSize before = grid.size();
    const QPoint press = grip->rect().center();
    QTest::mousePress(grip, Qt::LeftButton, {}, press);
    const auto drag = [grip, press](QPoint by) {
        QMouseEvent move(QEvent::MouseMove, QPointF(press + by),
                         QPointF(grip->mapToGlobal(press) + by), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(grip, &move);
    };
    drag(QPoint(30, 2 * grid.DataRowHeight()));
    EXPECT_EQ(grid.width(), before.width() + 30);
    EXPECT_EQ(grid.ListRowCount(), 8);
    EXPECT_TRUE(grid.Sized);
    drag(QPoint(-1000, -1000));
    QTest::mouseRelease(grip, Qt::LeftButton);
    const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(grid.width(), extent);
    EXPECT_GE(grid.height(), extent);
    EXPECT_EQ(grid.ListRowCount(), 1);
}

} // namespace
} // namespace kx::test
