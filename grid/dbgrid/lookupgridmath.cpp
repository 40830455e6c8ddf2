#include "grid/dbgrid/lookupgridmath.h"

#include <Qt>

#include <algorithm>

namespace kx {

namespace {

int FixedPart(const TLookupGridHeights& h) {
    return h.Title + h.SpecRow + h.Line + h.Border;
}

} // namespace

int LookupGridHeightForRows(int n, const TLookupGridHeights& heights) {
    return FixedPart(heights) + std::clamp(n, LookupGridMinRows, LookupGridMaxRows) * heights.Row;
}

int LookupGridRowsForHeight(int height, const TLookupGridHeights& heights) {
    return std::max((height - FixedPart(heights)) / std::max(heights.Row, 1), LookupGridMinRows);
}

TLookupStep LookupKeyStep(int key, int visibleRows, bool horzScrollBarShown) {
    switch (key) {
    case Qt::Key_PageUp:
        return {TLookupStepKind::Step, 1 - visibleRows};
    case Qt::Key_PageDown:
        return {TLookupStepKind::Step, visibleRows - 1};
    case Qt::Key_Home:
        return {TLookupStepKind::First, 0};
    case Qt::Key_End:
        return {TLookupStepKind::Last, 0};
    case Qt::Key_Left:
        return horzScrollBarShown ? TLookupStep{} : TLookupStep{TLookupStepKind::Step, -1};
    case Qt::Key_Right:
        return horzScrollBarShown ? TLookupStep{} : TLookupStep{TLookupStepKind::Step, 1};
    case Qt::Key_Up:
        return {TLookupStepKind::Step, -1};
    case Qt::Key_Down:
        return {TLookupStepKind::Step, 1};
    default:
        return {};
    }
}

int LookupAutoScrollInterval(int pixelsBeyond) {
    // A timer at 0 ms would spin; 10 ms is the shortest the grid's timer takes.
    return std::max(200 - 15 * pixelsBeyond, 10);
}

} // namespace kx
