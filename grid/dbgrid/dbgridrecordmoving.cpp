// Moving records by dragging their indicator cell: the start, the drop
// marker that follows the pointer (scrolling at the edges), and the drop,
// which hands the move to OnMoveRecords, to a data set with a record
// cursor of its own, or to the grid's data service.

#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridinputstate.h"
#include "grid/dbgrid/memtablex.h"
#include "grid/dbgrid/recordmoving.h"
#include "platform/db/dataset.h"

#include <QScopeGuard>

#include <algorithm>

namespace kx {

namespace {

constexpr int MoveTimerInterval = 60;
constexpr int MarkerThickness = 5;
constexpr int MarkerTick = 10;

} // namespace

bool TCustomDBGridX::StartRecordMoving(int x, int y, ui::TShiftState shift, bool checkOnly) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (!dataLink_->Active() || !(optionsX_ & dghRecordMoving) || !dataSet || dataSet->IsEmpty() ||
        indicatorOffset_ == 0)
        return false;
    const TGridCoord cell = MouseCoord(x, y);
    const int dataRow = cell.Y - titleOffset_;
    if (cell.X != 0 || dataRow < 0 || dataRow >= ReadableRowCount())
        return false;
    db::TBookmark bookmark;
    int level = -1;
    {
        const TReadRowScope read(*this, dataRow);
        bookmark = dataSet->ActiveBookmark();
        if (memTable_)
            level = memTable_->ReadNodeLevel();
    }
    if ((options_ & dgMultiSelect) && SelectionKindAllowed(gstRecordBookmarks)) {
        int index = 0;
        if (!SelectedRows().SearchBookmark(bookmark, index) ||
            (shift & (ui::ssShift | ui::ssCtrl | ui::ssAlt)))
            return false;
    }
    if (checkOnly)
        return true;
    TRecordMove& move = recordMove_;
    move = TRecordMove();
    move.StartRow = move.TargetRow = cell.Y;
    move.StartBookmark = bookmark;
    move.StartLevel = level;
    if (!CanStartRecordMoving(move.StartRow, move.TargetRow, QPoint(x, y)))
        return true;
    input_->TrackingMode = tmMovingRecords;
    input_->Tracking = true;
    UpdateWindow();
    move.MarkerX = DropPosition(move.TargetRow, QPoint(x, y), move.TargetLevel);
    DrawMoveMarker();
    StartTimer(MoveTimerInterval);
    SetMouseCapture(true);
    return true;
}

int TCustomDBGridX::DropPosition(int row, QPoint pointer, int& treeLevel) const {
    treeLevel = -1;
    const int rows = ReadableRowCount();
    if (!TreeViewShown() || rows == 0 || visibleColumns_->Count() == 0)
        return 0;
    const int dataRow = std::clamp(row - titleOffset_, 0, rows - 1);
    TDropRowLevels levels;
    {
        const TReadRowScope read(*this, dataRow);
        levels.Level = memTable_->ReadNodeLevel();
        levels.Prior = memTable_->ReadPriorNodeLevel();
        levels.Next = std::max(1, memTable_->ReadNextNodeLevel());
    }
    const int firstCol = DataToRawColumn(visibleColumns_->GetColumn(0)->Index());
    int left = CellRect(firstCol, dataRow + titleOffset_).Left;
    if (left == 0 && indicatorOffset_ > 0)
        left = CellRect(0, dataRow + titleOffset_).Right + GridLineWidth();
    const int startRow = recordMove_.StartRow;
    const TDropPlace place =
        TreeDropPlace(left, pointer.x(), levels, dataRow + titleOffset_ > startRow,
                      dataRow + titleOffset_ == startRow);
    treeLevel = place.Level;
    return place.MarkerX;
}

// The marker lies under the target row when the records go after it, over
// it when they go before it.
void TCustomDBGridX::DrawMoveMarker() {
    TRecordMove& move = recordMove_;
    if (input_->TrackingMode != tmMovingRecords)
        return;
    const ui::TRect rowRect = BoxRect(0, move.TargetRow, ColCount() - 1, move.TargetRow);
    const bool after = move.TargetRow > move.StartRow ||
                       (move.TargetRow == move.StartRow && move.TargetLevel < move.StartLevel);
    const int y = after ? rowRect.Bottom : rowRect.Top;
    const int x = move.MarkerX;
    move.Line = {x, y - MarkerThickness / 2, ClientWidth(),
                 y + MarkerThickness - MarkerThickness / 2};
    move.Tick = {x, y - MarkerTick / 2, x + MarkerThickness, y + MarkerTick / 2};
    ToggleFeedbackBand(move.Line, true);
    ToggleFeedbackBand(move.Tick, true);
    move.Shown = true;
}

void TCustomDBGridX::RemoveMoveMarker() {
    TRecordMove& move = recordMove_;
    if (!move.Shown)
        return;
    ToggleFeedbackBand(move.Line, true);
    ToggleFeedbackBand(move.Tick, true);
    move.Shown = false;
}

// The target follows the pointer over the data rows; beyond them the view
// scrolls a row at a time towards it. A place the move is refused at keeps
// the marker where it was.
void TCustomDBGridX::TrackRecordMoving(QPoint pointer) {
    TRecordMove& move = recordMove_;
    const int rows = ReadableRowCount();
    if (input_->TrackingMode != tmMovingRecords || rows == 0)
        return;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int lastDataRow = rows - 1 + titleOffset_;
    const int lastShown = std::min(layout.Vert.LastFullVisibleCell, lastDataRow);
    const ui::TRect firstRect = CellRect(0, TopRow());
    const ui::TRect lastRect = CellRect(0, lastShown);
    const bool above = pointer.y() < firstRect.Top;
    const bool beyond = pointer.y() >= lastRect.Bottom;
    const TGridCoord cell = MouseCoord(pointer.x(), pointer.y());
    int target = move.TargetRow;
    if (above) {
        RemoveMoveMarker();
        if (memTable_) {
            ScrollDataRowsTo(TopRow() - 1);
        } else if (dataLink_->ActiveRecord() >= 0) {
            dataLink_->DataSet()->MoveBy(-(dataLink_->ActiveRecord() + 1));
        }
        UpdateWindow();
        target = TopRow();
    } else if (beyond) {
        RemoveMoveMarker();
        if (memTable_) {
            ScrollDataRowsTo(TopRow() + 1);
            CalcDrawInfo(layout);
            target = std::min(layout.Vert.LastFullVisibleCell, lastDataRow);
        } else {
            dataLink_->DataSet()->MoveBy(dataLink_->RecordCount() - dataLink_->ActiveRecord());
            target = ReadableRowCount() - 1 + titleOffset_;
        }
        UpdateWindow();
    } else if (cell.Y >= titleOffset_ && cell.Y <= lastDataRow) {
        target = cell.Y;
    }
    int level = -1;
    const int markerX = DropPosition(target, pointer, level);
    if (move.Shown && target == move.TargetRow && markerX == move.MarkerX &&
        level == move.TargetLevel)
        return;
    if (!MoveSelectedRecordsTo(target - titleOffset_, level, true)) {
        if (!move.Shown)
            DrawMoveMarker();
        return;
    }
    RemoveMoveMarker();
    move.TargetRow = target;
    move.TargetLevel = level;
    move.MarkerX = markerX;
    DrawMoveMarker();
}

void TCustomDBGridX::StopRecordMoving(bool accept) {
    TRecordMove& move = recordMove_;
    if (input_->TrackingMode != tmMovingRecords)
        return;
    StopTimer();
    RemoveMoveMarker();
    input_->TrackingMode = tmNone;
    int origin = move.StartRow;
    int destination = move.TargetRow;
    if (!accept || !EndRowDrag(origin, destination, QPoint()))
        return;
    if (move.TargetRow == move.StartRow && move.TargetLevel == move.StartLevel)
        return;
    MoveSelectedRecordsTo(move.TargetRow - titleOffset_, move.TargetLevel, false);
}

bool TCustomDBGridX::MoveSelectedRecordsTo(int toDataRow, int treeLevel, bool checkOnly) {
    QList<db::TBookmark> bookmarks;
    const TBookmarkListX& selected = SelectedRows();
    for (int i = 0; i < selected.BookmarkCount(); ++i)
        bookmarks.append(selected.ItemAt(i));
    if (bookmarks.isEmpty())
        bookmarks.append(recordMove_.StartBookmark);
    return MoveRecords(bookmarks, toDataRow, checkOnly, treeLevel);
}

bool TCustomDBGridX::MoveRecords(const QList<db::TBookmark>& bookmarks, int toDataRow,
                                 bool checkOnly, int treeLevel) {
    int recNo = 0;
    if (dataLink_->Active())
        recNo = memTable_ ? toDataRow + 1 : BufferRowRecNo(toDataRow);
    if (OnMoveRecords)
        return OnMoveRecords(this, bookmarks, recNo, treeLevel, checkOnly);
    return DefaultMoveRecords(bookmarks, recNo, checkOnly, treeLevel);
}

// The page shown stays: after the move the data set goes back to the
// first shown record and the current record keeps its place in the buffer.
bool TCustomDBGridX::DefaultMoveRecords(const QList<db::TBookmark>& bookmarks, int toRecNo,
                                        bool checkOnly, int treeLevel) {
    if (memTable_)
        return memTable_->MoveRecords(bookmarks, toRecNo, treeLevel, checkOnly);
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (!dataLink_->DataSource() || !dataSet || !dataLink_->Active())
        return false;
    const int firstShown = BufferRowRecNo(0);
    const int distance = BufferMiddleDistance(dataLink_->ActiveRecord(), dataLink_->RecordCount());
    const bool moved = GridDataService()->MoveRecords(this, bookmarks, toRecNo, checkOnly);
    if (moved && !checkOnly) {
        dataSet->SetRecNo(firstShown);
        dataSet->MoveBy(distance);
    }
    return moved;
}

} // namespace kx
