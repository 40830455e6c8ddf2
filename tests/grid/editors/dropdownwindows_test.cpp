#include "grid/editors/dropdownownerx.h"
#include "grid/editors/dropdownplacement.h"
#include "grid/editors/mrulistboxx.h"
#include "grid/editors/popuplistboxx.h"
#include "grid/editors/popupmonthcalendarx.h"
#include "grid/editors/sizegripx.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

namespace kx {
namespace {

TEST(PlaceDropDownRect, OpensWhereThereIsRoomAndTellsItsSides) {
    const QRect work(0, 0, 1000, 800);
    struct Case {
        const char* name;
        QRect owner;
        QSize dropDown;
        int alignment;
        QPoint topLeft;
        QSize size;
        int vertical;
        int horizontal;
    };
    const Case cases[] = {
        // 100 pixels below, 500 above: above at full height
        {"above at full height", QRect(100, 500, 120, 200), QSize(200, 300), ddaLeft,
         QPoint(100, 200), QSize(200, 300), ddsAbove, ddsGripRight},
        // 100 below, 80 above: below, cut to the room there
        {"below, cut", QRect(100, 80, 120, 620), QSize(200, 300), ddaLeft, QPoint(100, 700),
         QSize(200, 100), ddsBelow, ddsGripRight},
        // right-aligned and wider than the room left of the owner's right edge
        {"pushed right to the left edge", QRect(50, 100, 100, 20), QSize(400, 150), ddaRight,
         QPoint(0, 120), QSize(400, 150), ddsBelow, ddsGripRight},
        {"right-aligned fits", QRect(500, 100, 100, 20), QSize(300, 150), ddaRight,
         QPoint(300, 120), QSize(300, 150), ddsBelow, ddsGripLeft},
        {"pushed left from the right edge", QRect(900, 100, 100, 20), QSize(300, 150), ddaLeft,
         QPoint(700, 120), QSize(300, 150), ddsBelow, ddsGripLeft},
        {"centred", QRect(400, 100, 100, 20), QSize(300, 150), ddaCenter, QPoint(300, 120),
         QSize(300, 150), ddsBelow, ddsGripRight},
        {"wider than the work area", QRect(400, 100, 100, 20), QSize(1200, 150), ddaLeft,
         QPoint(0, 120), QSize(1000, 150), ddsBelow, ddsGripLeft},
        // fits nowhere, more room above: above, cut to the room there
        {"above, cut", QRect(0, 500, 100, 250), QSize(100, 700), ddaLeft, QPoint(0, 0),
         QSize(100, 500), ddsAbove, ddsGripRight},
    };
    for (const Case& c : cases) {
        const TDropDownPlacement p = CalcDropDownPlacement(c.owner, c.dropDown, work, c.alignment);
        EXPECT_EQ(p.TopLeft, c.topLeft) << c.name;
        EXPECT_EQ(p.Size, c.size) << c.name;
        EXPECT_EQ(p.VerticalSide, c.vertical) << c.name;
        EXPECT_EQ(p.HorizontalSide, c.horizontal) << c.name;
    }
}

TEST(PlaceDropDownRect, MovesTheGripAwayFromTheOwner) {
    QWidget owner;
    TPopupListboxX list(&owner);
    list.SetBounds(0, 0, 200, 300);
    const QRect work = WorkAreaNearest(QRect(0, 0, 1, 1));
    // an owner at the bottom of the work area: the list opens above it
    const QRect ownerRect(work.left() + 10, work.bottom() - 40, 100, 30);
    const QPoint at = PlaceDropDownRect(ownerRect, &list, ddaRight);
    EXPECT_EQ(at.y() + list.height(), ownerRect.top());
    EXPECT_EQ(list.SizeGrip()->Corner(), gcTopRight);
    // then below a owner at the top, aligned left
    PlaceDropDownRect(QRect(work.right() - 50, work.top(), 40, 20), &list, ddaLeft);
    EXPECT_EQ(list.SizeGrip()->Corner(), gcBottomLeft);
}

TEST(SizeGripX, CornerFollowsTheSideOfOpening) {
    struct Case {
        int corner;
        int side;
        int after;
    };
    const Case cases[] = {
        {gcTopRight, ddsGripLeft, gcTopLeft},        {gcBottomRight, ddsGripLeft, gcBottomLeft},
        {gcTopLeft, ddsGripLeft, gcTopLeft},         {gcTopLeft, ddsGripRight, gcTopRight},
        {gcBottomLeft, ddsGripRight, gcBottomRight}, {gcBottomRight, ddsGripRight, gcBottomRight},
        {gcBottomRight, ddsAbove, gcTopRight},       {gcBottomLeft, ddsAbove, gcTopLeft},
        {gcTopRight, ddsAbove, gcTopRight},          {gcTopRight, ddsBelow, gcBottomRight},
        {gcTopLeft, ddsBelow, gcBottomLeft},         {gcBottomLeft, ddsBelow, gcBottomLeft},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CornerForAlign(c.corner, c.side), c.after) << c.corner << " " << c.side;
}

TEST(SizeGripX, DragResizesWithinTheWorkArea) {
    const QRect work(0, 0, 1000, 800);
    const QRect start(100, 100, 200, 150);
    struct Case {
        const char* name;
        int corner;
        QPoint delta;
        QRect after;
    };
    const Case cases[] = {
        {"bottom-right grows", gcBottomRight, QPoint(30, 40), QRect(100, 100, 230, 190)},
        {"bottom-right stops at the edges", gcBottomRight, QPoint(900, 900),
         QRect(100, 100, 900, 700)},
        // moving left widens, the right edge stays
        {"bottom-left", gcBottomLeft, QPoint(-50, 10), QRect(50, 100, 250, 160)},
        {"bottom-left stops at the left edge", gcBottomLeft, QPoint(-500, 0),
         QRect(0, 100, 300, 150)},
        // moving up heightens, the bottom edge stays
        {"top-right", gcTopRight, QPoint(0, -60), QRect(100, 40, 200, 210)},
        {"top-left stops at the top edge", gcTopLeft, QPoint(10, -500), QRect(110, 0, 190, 250)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GripDragGeometry(c.corner, start, c.delta, work), c.after) << c.name;
}

TEST(PopupListboxX, HeightIsWholeRows) {
    EXPECT_EQ(SnapListHeight(4 + 10 * 16 + 8, 4, 16, 13), 4 + 10 * 16);
    EXPECT_EQ(SnapListHeight(10, 4, 16, 13), 4 + 16);
    EXPECT_EQ(SnapListHeight(4 + 3 * 13 + 12, 4, 0, 13), 4 + 3 * 13);

    QWidget owner;
    TPopupListboxX list(&owner);
    const int row = list.ItemHeight();
    const int border = list.BorderHeight();
    list.SetBounds(5, 6, 150, border + 10 * row + row / 2);
    EXPECT_EQ(list.height(), border + 10 * row);
    EXPECT_EQ(list.RowsFit(), 10);
    list.SetRowCount(0);
    EXPECT_EQ(list.height(), border + row);
    list.SetItemHeight(20);
    list.SetRowCount(4);
    EXPECT_EQ(list.height(), border + 80);
    // any resize, as the placement does, snaps too
    list.show();
    list.SizeChanged = false;
    list.resize(150, border + 95);
    EXPECT_EQ(list.height(), border + 80);
    EXPECT_TRUE(list.SizeChanged);
}

void Type(QWidget* target, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(target, &event);
    }
}

TEST(PopupListboxX, TypeAheadRestartsAfterTwoSeconds) {
    QWidget owner;
    TPopupListboxX list(&owner);
    list.addItems({"apple", "Abacus", "abd", "banana", "bx"});
    qint64 now = 10000;
    list.Clock = [&now] { return now; };
    Type(&list, "a");
    EXPECT_EQ(list.currentRow(), 0);
    now += 2000; // within the limit: the prefix grows
    Type(&list, "B");
    EXPECT_EQ(list.currentItem()->text(), "Abacus");
    now += 2500;
    Type(&list, "b");
    EXPECT_EQ(list.currentItem()->text(), "banana");
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &backspace);
    Type(&list, "x"); // a new prefix after Backspace; nothing begins with x
    EXPECT_EQ(list.currentItem()->text(), "banana");

    TTypeAheadX typeAhead;
    for (int i = 0; i < 40; ++i)
        typeAhead.Type(QChar('a'), 100);
    EXPECT_EQ(typeAhead.Text().size(), TTypeAheadX::MaxLength);
}

TEST(PopupListboxX, HoverSelectsTheItemUnderThePointer) {
    QWidget owner;
    TPopupListboxX list(&owner);
    list.addItems({"one", "two", "three", "four"});
    list.SetRowCount(4);
    list.show();
    const QRect third = list.visualItemRect(list.item(2));
    QTest::mouseMove(list.viewport(), third.center());
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_FALSE(list.isActiveWindow() && list.hasFocus());
}

TEST(SizeGripX, DraggingTheGripResizesTheList) {
    QWidget owner;
    TPopupListboxX list(&owner);
    list.addItems({"one", "two", "three"});
    list.SetBounds(50, 50, 150, list.BorderHeight() + 3 * list.ItemHeight());
    list.show();
    int told = 0;
    list.SizeGrip()->OnParentResized = [&told](TSizeGripX*) { ++told; };
    TSizeGripX* grip = list.SizeGrip();
    EXPECT_EQ(grip->geometry().bottomRight(), list.viewport()->geometry().bottomRight());
    const QPoint press = grip->rect().center();
    QTest::mousePress(grip, Qt::LeftButton, {}, press);
    QMouseEvent move(QEvent::MouseMove, QPointF(press + QPoint(40, 2 * list.ItemHeight() + 3)),
                     QPointF(grip->mapToGlobal(press + QPoint(40, 2 * list.ItemHeight() + 3))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grip, &move);
    QTest::mouseRelease(grip, Qt::LeftButton);
    EXPECT_EQ(list.width(), 190);
    EXPECT_EQ(list.height(), list.BorderHeight() + 5 * list.ItemHeight());
    EXPECT_EQ(told, 1);
    EXPECT_EQ(grip->geometry().bottomRight(), list.viewport()->geometry().bottomRight());
}

TEST(MRUListboxX, ScrollBarBesideTheGrip) {
    EXPECT_EQ(MRUScrollBarRect(QSize(100, 80), 16, gcBottomRight, 16), QRect(84, 0, 16, 64));
    EXPECT_EQ(MRUScrollBarRect(QSize(100, 80), 16, gcTopRight, 16), QRect(84, 16, 16, 64));
    EXPECT_EQ(MRUScrollBarRect(QSize(100, 80), 16, gcBottomLeft, 16), QRect(84, 0, 16, 80));

    QWidget owner;
    TMRUListboxX list(&owner);
    for (int i = 0; i < 20; ++i)
        list.addItem(QString::number(i));
    list.SetRowCount(5);
    list.show();
    list.ItemsChanged();
    EXPECT_TRUE(list.ScrollBar()->isVisible());
    EXPECT_EQ(list.ScrollBar()->maximum(), 15);
    EXPECT_FALSE(list.SizeGrip()->Triangular()); // beside the bar, a square grip
    list.ScrollBar()->setValue(4);
    EXPECT_EQ(list.verticalScrollBar()->value(), 4);
    list.clear();
    list.addItems({"a", "b"});
    list.ItemsChanged();
    EXPECT_FALSE(list.ScrollBar()->isVisible());
    EXPECT_TRUE(list.SizeGrip()->Triangular());
}

class CalendarOwner : public QWidget, public IDropDownOwnerX {
public:
    void CloseUp(bool accept) override { closes.push_back(accept); }
    std::vector<bool> closes;
};

TEST(PopupMonthCalendarX, ClosesOnADayButNotOnTheMonthArrows) {
    CalendarOwner owner;
    owner.show();
    TPopupMonthCalendarX calendar(&owner);
    calendar.setSelectedDate(QDate(2024, 5, 15));
    calendar.show();
    auto* arrow = calendar.findChild<QToolButton*>(QStringLiteral("qt_calendar_prevmonth"));
    ASSERT_NE(arrow, nullptr);
    QTest::mouseClick(arrow, Qt::LeftButton);
    EXPECT_TRUE(owner.closes.empty());
    EXPECT_EQ(calendar.monthShown(), 4);

    auto* days = calendar.findChild<QTableView*>();
    ASSERT_NE(days, nullptr);
    const QModelIndex day = days->model()->index(3, 3);
    const QPoint at = days->visualRect(day).center();
    QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(owner.closes, std::vector<bool>{true});

    owner.closes.clear();
    QTest::keyClick(days, Qt::Key_Escape);
    QTest::keyClick(days, Qt::Key_Return);
    EXPECT_EQ(owner.closes, (std::vector<bool>{false, true}));

    owner.closes.clear();
    QTest::mouseClick(&owner, Qt::LeftButton);
    EXPECT_EQ(owner.closes, std::vector<bool>{false});
}

TEST(PopupMonthCalendarX, WheelStepsOneDay) {
    CalendarOwner owner;
    TPopupMonthCalendarX calendar(&owner);
    calendar.setSelectedDate(QDate(2024, 5, 31));
    calendar.show();
    auto* days = calendar.findChild<QTableView*>();
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(days->viewport(), &down);
    EXPECT_EQ(calendar.selectedDate(), QDate(2024, 6, 1));
}

} // namespace
} // namespace kx
