#pragma once
// What the data-aware grid's keyboard and mouse remember between events,
// beside the selection they start and extend.

#include "grid/base/customgridx.h"
#include "grid/dbgrid/dbgridselection.h"

#include <QPoint>

namespace kx {

// TrackingMode values: what a held mouse button is doing.
enum TDBGridTrackingMode : int {
    tmNone = 0,
    tmSelectingRecords = 1,
    tmSelectingColumns = 2,
    tmSelectingRectangle = 3,
    tmSizingFrozenColumn = 6,
    tmMovingRecords = 7,
};

struct TDBGridXInput {
    explicit TDBGridXInput(TCustomDBGridX* grid) : Rows(grid), Selection(grid) {}

    TBookmarkListX Rows;
    TDBGridXSelection Selection;

    // Keys: Shift extensions toggle records instead of selecting them.
    bool ToggleSelection = false;
    // The record where a Shift extension of the record selection started.
    db::TBookmark SelectionAnchor;
    bool AnchorSelected = false;
    bool Extending = false;
    bool InColExit = false;

    // Mouse.
    int TrackingMode = tmNone;
    bool Tracking = false;
    int PressedTitleCol = -1;
    bool TitleButtonDown = false;
    QPoint MouseDownPoint;
    // Where the pointer was last seen and what was held: the auto-scroll
    // steps from them while the pointer rests beyond the cells.
    QPoint LastMousePoint;
    ui::TShiftState LastMouseShift = 0;
    bool HorzRectangle = false;
    bool RightAsLeft = false;
    bool CtrlAtTitleClick = false;
    bool PressedInDoubleClick = false;
    TGridCoord CheckBoxCell{-1, -1};
    // Sizing a frozen column by its border in the titles.
    int FrozenSizingIndex = -1;
    int FrozenSizingPos = 0;
    int FrozenSizingOfs = 0;
    bool SizingLineShown = false;
};

} // namespace kx
