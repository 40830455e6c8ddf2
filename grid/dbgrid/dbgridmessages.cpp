// The grid's reactions to scrolling, the wheel, focus loss and its timers;
// the incremental search; and the remembered place of the current record
// around a walk through the data set.

#include "grid/base/inplaceedit.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridautoscroll.h"
#include "grid/dbgrid/dbgridinputstate.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/gridpictures.h"
#include "grid/dbgrid/inplacefilteredit.h"
#include "platform/db/dataset.h"

#include <QCoreApplication>
#include <QCursor>
#include <QScopeGuard>
#include <QWheelEvent>

#include <algorithm>

namespace kx {

namespace {

constexpr int AutoScrollTimer = 1;
constexpr int IncSearchTimer = 2;

// The positions of the vertical bar over a data set without record numbers.
enum TUnsequencedThumb { utFirst, utPageUp, utMiddle, utPageDown, utLast };

} // namespace

// ---- Small answers -----------------------------------------------------

int TCustomDBGridX::DataRowCount() const {
    return RowCount() - titleOffset_;
}

TGridRect TCustomDBGridX::GetDataCellsRect() const {
    return {indicatorOffset_, titleOffset_, ColCount() - 1, RowCount() - 1};
}

ui::TRect TCustomDBGridX::DataCellsBoxRect() const {
    const TGridRect cells = GetDataCellsRect();
    return BoxRect(cells.Left, cells.Top, cells.Right, cells.Bottom);
}

// The buffer rows are consecutive records and the grid's current row shows
// the current record.
int TCustomDBGridX::BufferRowRecNo(int bufferRow) const {
    if (!dataLink_->Active())
        return 0;
    if (memTable_)
        return bufferRow + 1;
    return dataLink_->DataSet()->RecNo() - (Row() - titleOffset_) + bufferRow;
}

void TCustomDBGridX::SetCurrentGridCol(int col) {
    if (col == Col())
        return;
    if (col < indicatorOffset_ || col >= FixedCols())
        SetCol(col);
    else
        FocusCell(col, Row(), false, false);
}

// ---- Remembered position -----------------------------------------------

// The first shown record and the current record's distance from it: going
// back to them shows the same page with the same current record, wherever
// a walk left the data set.
void TCustomDBGridX::SaveRowPosition() {
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (!dataLink_->Active() || !dataSet)
        return;
    const int active = dataLink_->ActiveRecord();
    const int moved = dataSet->MoveBy(-active);
    savedRowBookmark_ = dataSet->Bookmark();
    savedRowOffset_ = -moved;
    dataSet->MoveBy(savedRowOffset_);
}

void TCustomDBGridX::RestoreRowPosition() {
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (!dataLink_->Active() || !dataSet || savedRowBookmark_.isEmpty())
        return;
    dataSet->GotoBookmark(savedRowBookmark_);
    // Reaching the last row of the page from its first puts the first on
    // top, whichever side the data set came from.
    const int moved = dataSet->MoveBy(std::max(0, dataLink_->BufferCount() - 1));
    dataSet->MoveBy(savedRowOffset_ - moved);
}

// ---- Scrolling ---------------------------------------------------------

void TCustomDBGridX::ScrollAction(int bar, int code, int pos) {
    if (bar == ui::SB_HORZ) {
        if (code == ui::SB_THUMBTRACK && horzScrollBar_->Tracking)
            code = ui::SB_THUMBPOSITION;
        TCustomGridX::ScrollAction(bar, code, pos);
        UpdateHorzExtScrollBar();
        return;
    }
    if (!AcquireFocus())
        return;
    if (memTable_) {
        CursorScroll(code, pos);
        return;
    }
    if (!dataLink_->Active())
        return;
    db::TDataSet* dataSet = dataLink_->DataSet();
    const bool sequenced = sumList_->HasRecordNumbers();
    switch (code) {
    case ui::SB_LINEUP:
        dataSet->MoveBy(-(dataLink_->ActiveRecord() + 1));
        break;
    case ui::SB_LINEDOWN:
        dataSet->MoveBy(dataLink_->RecordCount() - dataLink_->ActiveRecord());
        break;
    case ui::SB_PAGEUP:
        dataSet->MoveBy(-VisibleDataRowCount());
        break;
    case ui::SB_PAGEDOWN:
        dataSet->MoveBy(VisibleDataRowCount());
        break;
    case ui::SB_THUMBTRACK:
        // Without record numbers the bar has five positions, not records:
        // only the released thumb means something.
        if (vertScrollBar_->Tracking && sequenced) {
            dataSet->MoveBy(pos - sumList_->RecordNumber());
            thumbTracked_ = true;
        }
        break;
    case ui::SB_THUMBPOSITION:
        if (thumbTracked_)
            thumbTracked_ = false;
        else if (sequenced)
            ThumbToRecordNumber(pos);
        else
            ThumbToUnsequencedPlace(pos);
        break;
    case ui::SB_TOP:
        dataSet->First();
        break;
    case ui::SB_BOTTOM:
        dataSet->Last();
        break;
    default:
        break;
    }
}

void TCustomDBGridX::ThumbToRecordNumber(int pos) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (pos <= 1)
        dataSet->First();
    else if (pos >= sumList_->RecordTotal())
        dataSet->Last();
    else
        sumList_->GoToRecordNumber(pos);
}

void TCustomDBGridX::ThumbToUnsequencedPlace(int pos) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    switch (pos) {
    case utFirst:
        dataSet->First();
        break;
    case utPageUp:
        dataSet->MoveBy(-VisibleDataRowCount());
        break;
    case utPageDown:
        dataSet->MoveBy(VisibleDataRowCount());
        break;
    case utLast:
        dataSet->Last();
        break;
    default:
        break;
    }
}

// Each notch of the wheel moves the current record by one.
bool TCustomDBGridX::DoMouseWheelDown(ui::TShiftState shift, QPoint) {
    if (memTable_ && dataLink_->Active())
        CursorWheel(shift, 1);
    else if (dataLink_->Active())
        dataLink_->DataSet()->MoveBy(1);
    return true;
}

bool TCustomDBGridX::DoMouseWheelUp(ui::TShiftState shift, QPoint) {
    if (memTable_ && dataLink_->Active())
        CursorWheel(shift, -1);
    else if (dataLink_->Active())
        dataLink_->DataSet()->MoveBy(-1);
    return true;
}

// While the filter row is edited the wheel is its editor's: it scrolls the
// editor's open list and leaves the records where they are.
void TCustomDBGridX::wheelEvent(QWheelEvent* event) {
    if (FilterEditorActive()) {
        QCoreApplication::sendEvent(filterEditor_, event);
        event->accept();
        return;
    }
    TCustomGridX::wheelEvent(event);
}

void TCustomDBGridX::TopLeftChanged() {
    const bool leftEdge = LeftCol() == FixedCols();
    if (leftEdge != leftEdgeShown_) {
        // The titles' left border follows whether the first column shows.
        for (int row = 0; row < titleOffset_; ++row)
            InvalidateRow(row);
        leftEdgeShown_ = leftEdge;
    }
    TCustomGridX::TopLeftChanged();
    UpdateHorzExtScrollBar();
    FetchRecords();
    PlaceFilterEditor(false);
}

// ---- Size, cursor and typed characters ---------------------------------

void TCustomDBGridX::SizeChanged() {
    sizeChangedWhileLocked_ = false;
    if (autoFitColWidths_) {
        LayoutChanged();
        RefreshEditor();
    } else {
        UpdateRowCount();
        UpdateScrollBar();
    }
}

void TCustomDBGridX::RunPendingSizeChange() {
    if (sizeChangedWhileLocked_ && !layoutLock_.UpdateHeld())
        SizeChanged();
}

Qt::CursorShape TCustomDBGridX::CursorAt(int x, int y) {
    const bool busy = GridState() != gsNormal || input_->TrackingMode != tmNone;
    if (busy ? input_->TrackingMode == tmSizingFrozenColumn : IsFrozenSizingPoint(x, y))
        return Qt::SplitHCursor;
    return TCustomGridX::CursorAt(x, y);
}

// Where a press selects records or columns the pointer says so; the shapes
// of the base grid cannot carry these drawn cursors.
void TCustomDBGridX::ShowSelectionCursor(int x, int y) {
    const TGridUnitResources* resources = GridUnitResources();
    if (!resources)
        return;
    if (IsRecordSelectPoint(x, y))
        viewport()->setCursor(layoutDirection() == Qt::RightToLeft ? resources->LeftCursor
                                                                   : resources->RightCursor);
    else if (IsColumnSelectPoint(x, y))
        viewport()->setCursor(resources->DownCursor);
}

// Typed characters feed the incremental search.
unsigned TCustomDBGridX::DialogCode() {
    const unsigned code = TCustomGridX::DialogCode();
    return (optionsX_ & dghPreferIncSearch) ? code | ui::DLGC_WANTCHARS : code;
}

// ---- Focus -------------------------------------------------------------

// A selected row shows whether the grid has the focus; while the filter
// row is edited the focus belongs to its editor.
void TCustomDBGridX::FocusIn(QWidget* from) {
    if (options_ & dgRowSelect)
        InvalidateRow(Row());
    TCustomGridX::FocusIn(from);
    if (FilterEditorActive() && from != filterEditor_)
        filterEditor_->setFocus(Qt::OtherFocusReason);
}

void TCustomDBGridX::FocusOut(QWidget* to) {
    const bool toEditor = to && to == InplaceEditor();
    if (multiSortPending_ && !toEditor) {
        multiSortPending_ = false;
        SortMarkingChanged();
    }
    if (options_ & dgRowSelect)
        InvalidateRow(Row());
    TCustomGridX::FocusOut(to);
}

// ---- Timers ------------------------------------------------------------

void TCustomDBGridX::StartTimer(int interval) {
    interval = std::max(interval, MinTimerInterval);
    if (!timerRunning_ || interval != timerInterval_)
        SetTimer(AutoScrollTimer, interval);
    timerInterval_ = interval;
    timerRunning_ = true;
}

void TCustomDBGridX::StopTimer() {
    if (!timerRunning_)
        return;
    KillTimer(AutoScrollTimer);
    timerRunning_ = false;
    timerInterval_ = -1;
}

void TCustomDBGridX::StartIncSearchTimer() {
    if (incSearchTimerRunning_)
        StopIncSearchTimer();
    if (incSearchInterval_ >= 0) {
        SetTimer(IncSearchTimer, std::max(incSearchInterval_, MinTimerInterval));
        incSearchTimerRunning_ = true;
    }
}

void TCustomDBGridX::StopIncSearchTimer() {
    if (incSearchTimerRunning_)
        KillTimer(IncSearchTimer);
    incSearchTimerRunning_ = false;
}

void TCustomDBGridX::TimerFired(int id) {
    if (id == IncSearchTimer)
        StopIncSearch();
    else if (id == AutoScrollTimer && timerRunning_)
        AutoScrollStep();
    else
        TCustomGridX::TimerFired(id);
}

// Columns follow the pointer where it is now; records and rectangles the
// last place the grid saw it, with the buttons then held.
void TCustomDBGridX::AutoScrollStep() {
    if (input_->TrackingMode == tmSelectingColumns)
        AutoScrollColumns(viewport()->mapFromGlobal(QCursor::pos()));
    else if (input_->TrackingMode == tmSelectingRecords ||
             input_->TrackingMode == tmSelectingRectangle)
        AutoScrollRows(input_->LastMousePoint);
    else if (input_->TrackingMode == tmMovingRecords)
        TrackRecordMoving(input_->LastMousePoint);
    else
        StopTimer();
}

// Columns selected by a drag over the titles grow by one column a step
// beyond either side of the data cells.
void TCustomDBGridX::AutoScrollColumns(QPoint pointer) {
    const ui::TRect box = DataCellsBoxRect();
    int target = 0;
    int distance = 0;
    if (pointer.x() > box.Right) {
        distance = pointer.x() - box.Right;
        if (VisibleColCount() + LeftCol() < ColCount()) {
            SetLeftCol(LeftCol() + 1);
            const int beyond = VisibleColCount() + LeftCol() + FixedCols();
            target = beyond < ColCount() ? beyond : VisibleColCount() + LeftCol() - 1;
        } else {
            target = VisibleColCount() + LeftCol() - 1;
        }
    } else if (pointer.x() < box.Left) {
        distance = box.Left - pointer.x();
        if (FixedCols() < LeftCol()) {
            SetLeftCol(LeftCol() - 1);
            target = FixedCols() < LeftCol() ? LeftCol() - 1 : LeftCol();
        } else {
            target = LeftCol();
        }
    } else {
        return;
    }
    const int dataCol = RawToDataColumn(std::clamp(target, indicatorOffset_, ColCount() - 1));
    if (dataCol >= 0 && dataCol < columns_->Count())
        Selection().Columns().ExtendTo(columns_->GetColumn(dataCol));
    StartTimer(ColumnAutoScrollInterval(distance));
}

// Records, or a rectangle of cells, follow a pointer held beyond the data
// cells: more rows a step and sooner the farther it is.
void TCustomDBGridX::AutoScrollRows(QPoint pointer) {
    const TAutoScrollPlan plan = PlanAutoScroll(DataCellsBoxRect(), pointer);
    if (plan.Stop()) {
        StopTimer();
        return;
    }
    const bool rectangle = input_->TrackingMode == tmSelectingRectangle;
    {
        BeginLayout();
        const auto end = qScopeGuard([this] { EndLayout(); });
        if (plan.VertDirection != 0 && !rectangle)
            MoveBySelecting(input_->LastMouseShift & ui::ssLeft, plan.VertDirection * plan.Rows,
                            true, false);
        if (plan.HorzDirection != 0 && input_->HorzRectangle) {
            if (plan.HorzDirection < 0 && FixedCols() < LeftCol())
                SetLeftCol(LeftCol() - 1);
            else if (plan.HorzDirection > 0 && VisibleColCount() + LeftCol() < ColCount())
                SetLeftCol(LeftCol() + 1);
        }
        if (plan.HorzDirection != 0 && input_->TrackingMode != tmSelectingRecords)
            MoveToColumn(Col() + plan.HorzDirection, plan.HorzDirection, false);
        if (rectangle && dataLink_->Active()) {
            db::TDataSet* dataSet = dataLink_->DataSet();
            dataSet->MoveBy(plan.VertDirection * plan.Rows);
            const bool toFirst = plan.HorzDirection < 0 && LeftCol() == FixedCols();
            Selection().Rect().Select(toFirst ? 0 : CurrentDataColumn(), dataSet->Bookmark(), true);
        }
    }
    if (!layoutLock_.UpdateHeld())
        UpdateWindow();
    StartTimer(plan.Interval);
}

void TCustomDBGridX::WMCancelMode() {
    TCustomGridX::WMCancelMode();
    EndTrackingOnCancel();
}

void TCustomDBGridX::CMCancelMode(QWidget* sender) {
    TCustomGridX::CMCancelMode(sender);
    EndTrackingOnCancel();
}

void TCustomDBGridX::EndTrackingOnCancel() {
    const int mode = input_->TrackingMode;
    StopTracking();
    if (mode != tmNone && mode != tmSizingFrozenColumn)
        StopTimer();
    input_->TrackingMode = tmNone;
}

// ---- Incremental search ------------------------------------------------

void TCustomDBGridX::IncSearchAddText(const QString& text, int timeOut,
                                      TLocateTextDirection direction) {
    if (!dataLink_->Active())
        return;
    QString searched = incSearchText_ + text;
    bool found = false;
    if (!searched.isEmpty()) {
        found = LocateText(QString(), searched, ltoCaseInsensitive, direction, ltmFromBeginning, 0);
        const int dataCol = CurrentDataColumn();
        // The search text takes the letter case of the data it found.
        if (found && dataCol >= 0 && dataCol < columns_->Count())
            searched = columns_->GetColumn(dataCol)->ShownText().left(searched.size());
    }
    HideEditor();
    incSearchActive_ = true;
    if (found)
        incSearchText_ = searched;
    InvalidateRow(Row());
    incSearchInterval_ = timeOut;
    StartIncSearchTimer();
}

void TCustomDBGridX::StopIncSearch() {
    StopIncSearchTimer();
    incSearchActive_ = false;
    incSearchText_.clear();
    InvalidateRow(Row());
    if ((options_ & dgAlwaysShowEditor) && EditorAlwaysShown())
        ShowEditor();
}

} // namespace kx
