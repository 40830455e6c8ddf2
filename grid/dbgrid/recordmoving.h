#pragma once
// The arithmetic of moving records by drag: where the drop marker starts
// and on which tree level the records land, and where the current record
// sits in the data link's buffer.

namespace kx {

// The levels around the row under the pointer; Next is at least 1.
struct TDropRowLevels {
    int Level = 1;
    int Prior = 0;
    int Next = 1;
};

struct TDropPlace {
    int Level = 1;
    int MarkerX = 0;
};

// left is the first data column's left edge, pointerX the pointer's x;
// below: the row lies below the start row; onStart: it is the start row.
TDropPlace TreeDropPlace(int left, int pointerX, const TDropRowLevels& levels, bool below,
                         bool onStart);

// The active buffer row's distance from the middle of a buffer holding
// recordCount records.
int BufferMiddleDistance(int activeRow, int recordCount);

} // namespace kx
