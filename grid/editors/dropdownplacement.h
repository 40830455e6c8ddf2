#pragma once
// Where a drop-down window opens next to its owner: below it when it fits,
// else above, inside the work area of the monitor nearest to the owner, with
// its height and width cut to what is free. The drop-down is then told on
// which sides of its owner it ended (TDropDownSideEvent), so that its size
// grip can move to the corner away from the owner.

#include <QEvent>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace kx {

// Alignment of a drop-down against its owner.
constexpr int ddaLeft = 0;
constexpr int ddaRight = 1;
constexpr int ddaCenter = 2;

// Sides a drop-down hears of: its grip belongs on the left or the right, it
// opened above or below its owner.
constexpr int ddsGripLeft = 0;
constexpr int ddsGripRight = 1;
constexpr int ddsAbove = 2;
constexpr int ddsBelow = 3;

// Sent (not posted) to a drop-down window, twice per placement: the vertical
// side first, then the horizontal one.
class TDropDownSideEvent : public QEvent {
public:
    static const QEvent::Type EventType;
    explicit TDropDownSideEvent(int side) : QEvent(EventType), side_(side) {}
    int Side() const { return side_; }

private:
    int side_;
};

// The outcome of a placement, computed without any window.
struct TDropDownPlacement {
    QPoint TopLeft;
    QSize Size;         // the drop-down's size, cut to the free room
    int VerticalSide;   // ddsAbove or ddsBelow
    int HorizontalSide; // ddsGripLeft or ddsGripRight
};

// ownerRect and workArea are screen rectangles.
TDropDownPlacement CalcDropDownPlacement(const QRect& ownerRect, QSize dropDownSize,
                                         const QRect& workArea, int alignment);

// The work area (screen less task bars) of the monitor nearest to rect.
QRect WorkAreaNearest(const QRect& screenRect);

// Places dropDown (a top-level window) by its owner's screen rectangle:
// resizes it when it must, sends it the two side events and returns the
// top-left screen point it should be shown at. The window is not moved.
QPoint PlaceDropDownRect(const QRect& ownerScreenRect, QWidget* dropDown, int alignment);
// The same for an owner widget, its rectangle taken in screen coordinates.
QPoint PlaceDropDownWindow(const QWidget* owner, QWidget* dropDown, int alignment);

} // namespace kx
