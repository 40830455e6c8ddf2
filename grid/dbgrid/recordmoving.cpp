#include "grid/dbgrid/recordmoving.h"

#include "grid/dbgrid/customdbgridx.h"

#include <algorithm>

namespace kx {

TDropPlace TreeDropPlace(int left, int pointerX, const TDropRowLevels& levels, bool below,
                         bool onStart) {
    constexpr int step = TCustomDBGridX::TreeLevelWidth;
    const int next = std::max(1, levels.Next);
    TDropPlace place;
    place.Level = below ? next : levels.Level;
    place.MarkerX = left + place.Level * step;
    const int threshold = onStart ? left + next * step : place.MarkerX;
    if (pointerX > threshold) {
        // Moving down the records go after the row, which then comes before.
        const int highest = (below ? levels.Level : levels.Prior) + 1;
        place.Level = std::clamp((pointerX - left) / step, 1, std::max(1, highest));
        place.MarkerX = left + place.Level * step;
    }
    return place;
}

int BufferMiddleDistance(int activeRow, int recordCount) {
    return activeRow - recordCount / 2 + (recordCount + 1) % 2;
}

} // namespace kx
