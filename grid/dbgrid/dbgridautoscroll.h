#pragma once
// How far and how fast the grid scrolls on its own while the user drags a
// selection beyond its data cells: the farther the pointer, the more rows a
// step moves and the sooner the next step comes.

#include "platform/ui/rect.h"

#include <QPoint>

namespace kx {

// Timers never run faster than this: a zero interval would spin.
constexpr int MinTimerInterval = 10;

struct TAutoScrollPlan {
    int VertDirection = 0; // -1 up, +1 down
    int HorzDirection = 0; // -1 left, +1 right
    int Distance = 0;      // pixels beyond the box, the larger of both axes
    int Rows = 0;          // rows one step moves
    int Interval = 0;      // milliseconds to the next step
    bool Stop() const { return VertDirection == 0 && HorzDirection == 0; }
};

// The step of a record or rectangle selection with the pointer at pos
// against the box of data cells.
TAutoScrollPlan PlanAutoScroll(const ui::TRect& box, QPoint pos);
// The interval of a column selection with the pointer distance pixels
// beyond the data cells.
int ColumnAutoScrollInterval(int distance);

} // namespace kx
