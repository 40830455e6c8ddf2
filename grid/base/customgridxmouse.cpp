#include "grid/base/customgridx.h"

#include "grid/base/gridaxis.h"
#include "grid/base/inplaceedit.h"

#include <QMouseEvent>
#include <algorithm>

namespace kx {

using namespace ui;
using namespace gridaxis;

// Mouse: selecting, sizing and moving

namespace {

// The pixel zone around a line in which a press starts sizing.
struct SizingZone {
    int back;
    int range;
};

SizingZone ZoneFor(int lineWidth) {
    if (lineWidth < 7)
        return {(7 - lineWidth) / 2, 7};
    return {0, lineWidth};
}

bool InZone(int line, int pos, SizingZone zone) {
    return pos >= line - zone.back && pos <= line - zone.back + zone.range;
}

struct SizingHit {
    bool found = false;
    int line = 0;
    int index = -1;
};

// The line after one of the cells first .. last that pos lies on, walking
// from start; hidden cells have no line, and a line beyond limit ends the walk.
SizingHit LineAfterCell(const TGridAxisLayoutX& axis, int pos, int start, int first, int last,
                        int limit, int indexShift) {
    const SizingZone zone = ZoneFor(axis.LineWidth);
    int line = start;
    for (int cell = first; cell <= last; ++cell) {
        if (axis.Extent(cell) <= 0)
            continue;
        line += axis.Extent(cell);
        if (line > limit)
            break;
        if (InZone(line, pos, zone))
            return {true, line, cell + indexShift};
        line += axis.LineWidth;
    }
    return {};
}

// The line of one axis that a position lies on, as the sizing rules find it.
SizingHit FindSizingLine(const TGridAxisLayoutX& axis, int pos) {
    SizingHit hit =
        LineAfterCell(axis, pos, axis.StaticBoundary, axis.FixedCellCount - axis.FrozenCellCount,
                      axis.FixedCellCount - 1, axis.GridBoundary, 0);
    if (!hit.found)
        hit = LineAfterCell(axis, pos, axis.FixedBoundary, axis.FirstGridCell,
                            axis.GridCellCount - 1, axis.GridBoundary, 0);
    if (hit.found)
        return hit;
    const int back = ZoneFor(axis.LineWidth).back;
    if (axis.GridBoundary == axis.GridExtent) {
        if (pos >= axis.GridExtent - back && pos <= axis.GridExtent) {
            const bool anyWhole = axis.FullVisBoundary > axis.FixedBoundary;
            return {true, axis.GridExtent,
                    anyWhole ? axis.LastFullVisibleCell + 1 : axis.LastFullVisibleCell};
        }
    }
    if (axis.ContraCellCount == 0)
        return {};
    if (pos >= axis.ContraBoundary && pos <= axis.ContraBoundary + back)
        return {true, axis.ContraBoundary, axis.GridCellCount};
    return LineAfterCell(axis, pos, axis.ContraBoundary + axis.LineWidth, axis.GridCellCount,
                         axis.FullCellCount - 2, axis.FullGridBoundary, 1);
}

} // namespace

void TCustomGridX::CalcSizingState(int x, int y, const TGridLayoutX& layout, TGridStateX& state,
                                   int& index, int& sizingPos, int& sizingOfs) const {
    state = gsNormal;
    index = -1;
    if (!(options_ & (goRowSizing | goColSizing)))
        return;
    const TGridAxisLayoutX& h = layout.Horz;
    const TGridAxisLayoutX& v = layout.Vert;
    SizingHit hit;
    TGridStateX found;
    int pos;
    if (x > h.StaticBoundary && (options_ & goColSizing)) {
        if (y >= v.StaticBoundary)
            return;
        hit = FindSizingLine(h, x);
        found = gsColSizing;
        pos = x;
    } else if (y > v.StaticBoundary && (options_ & goRowSizing)) {
        if (x >= h.StaticBoundary)
            return;
        hit = FindSizingLine(v, y);
        found = gsRowSizing;
        pos = y;
    } else {
        return;
    }
    if (!hit.found)
        return;
    state = found;
    index = hit.index;
    sizingPos = hit.line;
    sizingOfs = hit.line - pos;
}

bool TCustomGridX::IsSizingPoint(int x, int y) const {
    if (gridState_ != gsNormal)
        return true;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    TGridStateX state;
    int index, pos, ofs;
    CalcSizingState(x, y, layout, state, index, pos, ofs);
    return state != gsNormal;
}

int TCustomGridX::SizingDistance(const TGridLayoutX& layout) const {
    const TGridAxisLayoutX& axis = gridState_ == gsColSizing ? layout.Horz : layout.Vert;
    const int index = sizingIndex_;
    if (index >= axis.GridCellCount) {
        int far = axis.ContraBoundary - axis.LineWidth;
        for (int cell = axis.GridCellCount; cell <= index; ++cell)
            far += axis.Span(cell);
        return far - sizingPos_;
    }
    const bool frozen = index < axis.FixedCellCount;
    int start = frozen ? axis.StaticBoundary : axis.FixedBoundary;
    const int firstCell = frozen ? axis.FixedCellCount - axis.FrozenCellCount : axis.FirstGridCell;
    for (int cell = firstCell; cell < index; ++cell)
        start += axis.Span(cell);
    return sizingPos_ - start;
}

void TCustomGridX::DrawSizingLine(const TGridLayoutX& layout) {
    if (!sizingLineShown_) {
        sizingBand_ = gridState_ == gsColSizing
                          ? TRect{sizingPos_, 0, sizingPos_ + 1, layout.Vert.FullGridBoundary}
                          : TRect{0, sizingPos_, layout.Horz.FullGridBoundary, sizingPos_ + 1};
    }
    ToggleFeedbackBand(sizingBand_, true);
    sizingLineShown_ = !sizingLineShown_;
}

void TCustomGridX::DrawMoveLine() {
    constexpr int kWidth = 5;
    if (!moveLineShown_) {
        const bool forward = movePos_ > moveIndex_;
        if (gridState_ == gsRowMoving) {
            const TRect cell = CellRect(0, movePos_);
            const int pos = forward ? cell.Bottom : cell.Top;
            moveBand_ = {0, pos - kWidth / 2, ClientWidth(), pos - kWidth / 2 + kWidth};
        } else {
            const TRect cell = CellRect(movePos_, 0);
            const int pos = forward ? cell.Right : cell.Left;
            moveBand_ = {pos - kWidth / 2, 0, pos - kWidth / 2 + kWidth, ClientHeight()};
        }
    }
    ToggleFeedbackBand(moveBand_, false);
    moveLineShown_ = !moveLineShown_;
}

void TCustomGridX::StopDrag() {
    KillTimer(kScrollTimer);
}

void TCustomGridX::CancelMode() {
    switch (gridState_) {
    case gsSelecting:
        StopDrag();
        break;
    case gsRowSizing:
    case gsColSizing:
        if (sizingLineShown_) {
            TGridLayoutX layout;
            CalcDrawInfo(layout);
            DrawSizingLine(layout);
        }
        break;
    case gsRowMoving:
    case gsColMoving:
        if (moveLineShown_)
            DrawMoveLine();
        StopDrag();
        break;
    case gsNormal:
        break;
    }
    gridState_ = gsNormal;
}

void TCustomGridX::mousePressEvent(QMouseEvent* event) {
    TCustomControl::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && editor_)
        editor_->clickTime_ = MessageTime();
}

// An error in the mouse-down event must not leave a drag running behind a
// swallowed failure: the drag ends (feedback line erased, timer stopped) and
// the error goes on to the program's handler.
void TCustomGridX::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    HideEdit();
    if (CanFocus() || !parentWidget()) {
        setFocus(Qt::MouseFocusReason);
        if (!IsActiveControl()) {
            SetMouseCapture(false);
            return;
        }
    }
    lastMousePos_ = QPoint(x, y);
    if (button == TMouseButton::mbLeft && (shift & ssDouble)) {
        DblClick();
    } else if (button == TMouseButton::mbLeft) {
        TGridLayoutX layout;
        CalcDrawInfo(layout);
        CalcSizingState(x, y, layout, gridState_, sizingIndex_, sizingPos_, sizingOfs_);
        if (gridState_ != gsNormal) {
            DrawSizingLine(layout);
            return;
        }
        const TGridCoord hit = CalcCoordFromPoint(x, y, layout);
        const bool selectable = hit.X >= fixedCols_ - frozenCols_ &&
                                hit.Y >= fixedRows_ - frozenRows_ && hit.X < colCount_ &&
                                hit.Y < rowCount_;
        if (!selectable) {
            if ((options_ & goRowMoving) && hit.X >= 0 && hit.X < fixedCols_ &&
                hit.Y >= fixedRows_ && hit.Y < rowCount_) {
                moveIndex_ = movePos_ = hit.Y;
                if (BeginRowDrag(moveIndex_, movePos_, QPoint(x, y))) {
                    gridState_ = gsRowMoving;
                    UpdateWindow();
                    DrawMoveLine();
                    SetTimer(kScrollTimer, kScrollTimerInterval);
                }
            } else if ((options_ & goColMoving) && hit.Y >= 0 && hit.Y < fixedRows_ &&
                       hit.X >= fixedCols_ && hit.X < colCount_) {
                moveIndex_ = movePos_ = hit.X;
                if (BeginColumnDrag(moveIndex_, movePos_, QPoint(x, y))) {
                    gridState_ = gsColMoving;
                    UpdateWindow();
                    DrawMoveLine();
                    SetTimer(kScrollTimer, kScrollTimerInterval);
                }
            }
        } else if (options_ & goEditing) {
            if (hit == current_) {
                ShowEditor();
            } else {
                FocusCell(hit.X, hit.Y, true, true);
                UpdateEdit();
            }
            Click();
        } else {
            gridState_ = gsSelecting;
            SetTimer(kScrollTimer, kScrollTimerInterval);
            if (shift & ssShift)
                MoveAnchor(hit);
            else
                FocusCell(hit.X, hit.Y, true, true);
        }
    }
    try {
        TCustomControl::MouseDown(button, shift, x, y);
    } catch (...) {
        CancelMode();
        throw;
    }
}

void TCustomGridX::MouseMove(TShiftState shift, int x, int y) {
    lastMousePos_ = QPoint(x, y);
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    switch (gridState_) {
    case gsSelecting:
    case gsColMoving:
    case gsRowMoving: {
        const TGridCoord hit = CalcCoordFromPoint(x, y, layout);
        const bool selectable =
            hit.X >= fixedCols_ - frozenCols_ && hit.Y >= fixedRows_ - frozenRows_ &&
            hit.X <= std::min(layout.Horz.LastFullVisibleCell + 1, colCount_ - 1) &&
            hit.Y <= std::min(layout.Vert.LastFullVisibleCell + 1, rowCount_ - 1);
        if (!selectable)
            break;
        if (gridState_ == gsSelecting) {
            if (hit != anchor_)
                MoveAnchor(hit);
        } else if (gridState_ == gsColMoving) {
            MoveAndScroll(x, hit.X, layout, true, QPoint(x, y));
        } else {
            MoveAndScroll(y, hit.Y, layout, false, QPoint(x, y));
        }
        break;
    }
    case gsRowSizing:
    case gsColSizing:
        DrawSizingLine(layout);
        sizingPos_ = (gridState_ == gsRowSizing ? y : x) + sizingOfs_;
        DrawSizingLine(layout);
        break;
    case gsNormal:
        break;
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomGridX::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    try {
        switch (gridState_) {
        case gsSelecting:
            MouseMove(shift, x, y);
            StopDrag();
            UpdateEdit();
            Click();
            break;
        case gsRowSizing:
        case gsColSizing: {
            TGridLayoutX layout;
            CalcDrawInfo(layout);
            DrawSizingLine(layout);
            const int size = SizingDistance(layout);
            if (size > 1) {
                if (gridState_ == gsColSizing)
                    SetColWidths(sizingIndex_, size);
                else
                    SetRowHeights(sizingIndex_, size);
            }
            break;
        }
        case gsColMoving:
        case gsRowMoving: {
            DrawMoveLine();
            StopDrag();
            const QPoint point(x, y);
            const bool columns = gridState_ == gsColMoving;
            if ((columns ? EndColumnDrag(moveIndex_, movePos_, point)
                         : EndRowDrag(moveIndex_, movePos_, point)) &&
                moveIndex_ != movePos_) {
                if (columns)
                    MoveColumn(moveIndex_, movePos_);
                else
                    MoveRow(moveIndex_, movePos_);
            }
            UpdateEdit();
            break;
        }
        case gsNormal:
            UpdateEdit();
            break;
        }
    } catch (...) {
        gridState_ = gsNormal;
        throw;
    }
    gridState_ = gsNormal;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGridX::MoveAndScroll(int mouse, int cellHit, TGridLayoutX& layout, bool columns,
                                 QPoint mousePt) {
    const TGridAxisLayoutX* axis = columns ? &layout.Horz : &layout.Vert;
    if (cellHit == movePos_ || (movePos_ == axis->FixedCellCount && mouse < axis->FixedBoundary) ||
        (movePos_ == axis->GridCellCount - 1 && mouse > axis->GridBoundary))
        return;
    DrawMoveLine();
    const int bar = columns ? SB_HORZ : SB_VERT;
    if (mouse < axis->FixedBoundary) {
        if (movePos_ > axis->FixedCellCount) {
            ModifyScrollBar(bar, SB_LINEUP, 0);
            UpdateWindow();
            CalcDrawInfo(layout);
        }
        cellHit = axis->FirstGridCell;
    } else if (mouse >= axis->FullVisBoundary) {
        if (movePos_ == axis->LastFullVisibleCell && movePos_ < axis->GridCellCount - 1) {
            ModifyScrollBar(bar, SB_LINEDOWN, 0);
            UpdateWindow();
            CalcDrawInfo(layout);
        }
        cellHit = axis->LastFullVisibleCell;
    } else if (cellHit < 0) {
        cellHit = movePos_;
    }
    if (columns ? CheckColumnDrag(moveIndex_, cellHit, mousePt)
                : CheckRowDrag(moveIndex_, cellHit, mousePt))
        movePos_ = cellHit;
    DrawMoveLine();
}

void TCustomGridX::TimedScroll(TGridScrollDirection direction) {
    TGridCoord newAnchor = anchor_;
    if ((direction & sdLeft) && anchor_.X > fixedCols_)
        --newAnchor.X;
    if ((direction & sdRight) && anchor_.X < colCount_ - 1)
        ++newAnchor.X;
    if ((direction & sdUp) && anchor_.Y > fixedRows_)
        --newAnchor.Y;
    if ((direction & sdDown) && anchor_.Y < rowCount_ - 1)
        ++newAnchor.Y;
    if (newAnchor != anchor_)
        MoveAnchor(newAnchor);
}

void TCustomGridX::TimerFired(int id) {
    if (id != kScrollTimer ||
        (gridState_ != gsSelecting && gridState_ != gsRowMoving && gridState_ != gsColMoving))
        return;
    const QPoint point = lastMousePos_;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridCoord hit = CalcCoordFromPoint(point.x(), point.y(), layout);
    switch (gridState_) {
    case gsColMoving:
        MoveAndScroll(point.x(), hit.X, layout, true, point);
        break;
    case gsRowMoving:
        MoveAndScroll(point.y(), hit.Y, layout, false, point);
        break;
    default: {
        TGridScrollDirection direction = 0;
        if (point.x() < layout.Horz.FixedBoundary)
            direction |= sdLeft;
        else if (point.x() > layout.Horz.FullVisBoundary)
            direction |= sdRight;
        if (point.y() < layout.Vert.FixedBoundary)
            direction |= sdUp;
        else if (point.y() > layout.Vert.FullVisBoundary)
            direction |= sdDown;
        if (direction)
            TimedScroll(direction);
        break;
    }
    }
}

bool TCustomGridX::BeginColumnDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::BeginRowDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::CheckColumnDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::CheckRowDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::EndColumnDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::EndRowDrag(int&, int&, QPoint) {
    return true;
}

bool TCustomGridX::DoMouseWheelDown(TShiftState shift, QPoint pos) {
    if (TCustomControl::DoMouseWheelDown(shift, pos))
        return true;
    if (current_.Y < rowCount_ - 1)
        SetRow(current_.Y + 1);
    return true;
}

bool TCustomGridX::DoMouseWheelUp(TShiftState shift, QPoint pos) {
    if (TCustomControl::DoMouseWheelUp(shift, pos))
        return true;
    if (current_.Y > fixedRows_)
        SetRow(current_.Y - 1);
    return true;
}

} // namespace kx
