#include "grid/dbgrid/dbgridautoscroll.h"

#include <algorithm>

namespace kx {

namespace {

constexpr int SlowestStep = 200;
constexpr int PixelsPerRow = 6;
constexpr int MostRowsPerStep = 8;

} // namespace

TAutoScrollPlan PlanAutoScroll(const ui::TRect& box, QPoint pos) {
    TAutoScrollPlan plan;
    int vertDistance = 0;
    int horzDistance = 0;
    if (pos.y() < box.Top) {
        plan.VertDirection = -1;
        vertDistance = box.Top - pos.y();
    } else if (pos.y() >= box.Bottom) {
        plan.VertDirection = 1;
        vertDistance = pos.y() - box.Bottom + 1;
    }
    if (pos.x() >= box.Right) {
        plan.HorzDirection = 1;
        horzDistance = pos.x() - box.Right;
    } else if (pos.x() < box.Left) {
        plan.HorzDirection = -1;
        horzDistance = box.Left - pos.x();
    }
    plan.Distance = std::max(vertDistance, horzDistance);
    plan.Rows = std::min(plan.Distance / PixelsPerRow, MostRowsPerStep);
    plan.Interval = std::max(MinTimerInterval, SlowestStep - 15 * plan.Distance);
    return plan;
}

int ColumnAutoScrollInterval(int distance) {
    return std::max(MinTimerInterval, SlowestStep - 10 * distance);
}

} // namespace kx
