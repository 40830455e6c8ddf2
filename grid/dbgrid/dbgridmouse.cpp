// The data-aware grid's mouse: clicks that move the record and the column,
// title buttons with sort marking, record and rectangle selections by click
// and drag, column sizing and moving through the base grid, and the double
// click that fits a column.

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridinputstate.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/dataset.h"

#include <QFontMetrics>
#include <QScopeGuard>
#include <QStyle>

#include <algorithm>

#include <cstdlib>

namespace kx {

using ui::ssCtrl;
using ui::ssShift;
using ui::TMouseButton;

namespace {

// A title button dragged sideways further than this becomes a column move.
constexpr int kTitleDragThreshold = 3;
// The first pace of the auto-scroll of a selection drag; the timer's own
// step makes it faster the farther the pointer goes.
constexpr int kSelectionTimerInterval = 60;
// How far above a title's lower edge a press selects columns.
constexpr int kColumnSelectBand = 7;
// The room a fitted column keeps beside its content.
constexpr int kFitMargin = 4;
constexpr int kFooterFitMargin = 5;

int TitleNeed(const TColumnX* column, const QString& caption) {
    const TColumnTitleX* title = column->Title();
    const int markerWidth = title->SortMarkerWidth();
    const int margin = markerWidth >= 3 ? markerWidth + 2 : kFitMargin;
    return margin + QFontMetrics(title->Font()).horizontalAdvance(caption);
}

bool SteppedByClick(const TColumnX* column) {
    const TColumnCellKind kind = column->ReadCellKind();
    return kind == cellCheckBox || kind == cellImages;
}

double StepOf(ui::TShiftState shift) {
    return (shift & ssShift) ? -1 : 1;
}

} // namespace

TColumnX* TCustomDBGridX::ColumnAtGridCol(int col) const {
    const int dataCol = RawToDataColumn(col);
    return dataCol >= 0 && dataCol < columns_->Count() ? columns_->GetColumn(dataCol) : nullptr;
}

void TCustomDBGridX::MouseDown(TMouseButton button, ui::TShiftState shift, int x, int y) {
    TDBGridXInput& input = *input_;
    input.CheckBoxCell = {-1, -1};
    input.MouseDownPoint = QPoint(x, y);
    if (!AcquireFocus())
        return;
    if (button == TMouseButton::mbLeft && (shift & ui::ssDouble)) {
        DoubleClickDown(shift, x, y);
        return;
    }
    if (button == TMouseButton::mbLeft && StartFrozenSizing(x, y))
        return;
    if (IsSizingPoint(x, y)) {
        if (dataLink_->EditorChanged())
            dataLink_->UpdateRecord();
        TCustomGridX::MouseDown(button, shift, x, y);
        return;
    }
    const TGridCoord cell = MouseCoord(x, y);
    if ((button == TMouseButton::mbLeft || button == TMouseButton::mbRight) &&
        FilterRowMouseDown(button, x, y))
        return;
    if (filterEditMode_ && cell.Y >= titleOffset_)
        HideFilterEditor();
    if (button == TMouseButton::mbLeft && IsColumnSelectPoint(x, y)) {
        ColumnSelectMouseDown(shift, cell);
        ui::TCustomControl::MouseDown(button, shift, x, y);
        return;
    }
    if (cell.Y >= 0 && cell.Y < titleOffset_) {
        TitleMouseDown(button, shift, x, y, cell);
        return;
    }
    if (button == TMouseButton::mbLeft && cell.Y >= titleOffset_ && cell.Y < RowCount() &&
        dataLink_->Active() &&
        (StartRecordMoving(x, y, shift, false) || TreeNodeClick(x, y, false)))
        return;
    if (cell.Y >= titleOffset_ && cell.Y < RowCount() && cell.X >= 0 && dataLink_->Active()) {
        DataRowMouseDown(button, shift, cell);
        if (button == TMouseButton::mbLeft && (options_ & dgAlwaysShowEditor) && !filterEditMode_)
            ShowEditor();
    }
    ui::TCustomControl::MouseDown(button, shift, x, y);
}

// A double click on a column's sizing line fits the column; elsewhere it is
// the grid's double click.
void TCustomDBGridX::DoubleClickDown(ui::TShiftState shift, int x, int y) {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    TGridStateX state = gsNormal;
    int index = 0;
    int sizingPos = 0;
    int sizingOfs = 0;
    CalcSizingState(x, y, layout, state, index, sizingPos, sizingOfs);
    TColumnX* sized = state == gsColSizing ? ColumnAtGridCol(index) : nullptr;
    if (sized && (optionsX_ & dghDblClickOptimizeColWidth)) {
        OptimizeColWidth(sized);
    } else {
        const TGridCoord cell = MouseCoord(x, y);
        TColumnX* column = ColumnAtGridCol(cell.X);
        if (column && cell.Y >= titleOffset_ && dataLink_->Active() && SteppedByClick(column) &&
            column->DblClickNextVal())
            column->StepCellValue(StepOf(shift));
        DblClick();
    }
    ui::TCustomControl::MouseDown(TMouseButton::mbLeft, shift, x, y);
}

// Just above a data column's title edge a press selects columns, where the
// column-selection cursor shows.
bool TCustomDBGridX::IsColumnSelectPoint(int x, int y) const {
    if (!dataLink_->Active() || !(options_ & dgMultiSelect) || (options_ & dgRowSelect) ||
        !SelectionKindAllowed(gstColumns) || IsSizingPoint(x, y))
        return false;
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.Y < 0 || cell.Y >= titleOffset_ || !ColumnAtGridCol(cell.X))
        return false;
    const ui::TRect title = CellRect(cell.X, cell.Y);
    const int top =
        title.Bottom - title.Top < kColumnSelectBand ? title.Top : title.Bottom - kColumnSelectBand;
    return y >= top && y <= title.Bottom;
}

// The indicator beside a record selects records, where the record-selection
// cursor shows.
bool TCustomDBGridX::IsRecordSelectPoint(int x, int y) const {
    if (!dataLink_->Active() || !(options_ & dgMultiSelect) || dataLink_->DataSet()->IsEmpty() ||
        !SelectionKindAllowed(gstRecordBookmarks) || IsSizingPoint(x, y))
        return false;
    const TGridCoord cell = MouseCoord(x, y);
    return cell.X >= 0 && cell.X < indicatorOffset_ && cell.Y >= titleOffset_;
}

void TCustomDBGridX::ColumnSelectMouseDown(ui::TShiftState shift, TGridCoord cell) {
    TDBGridXInput& input = *input_;
    TColumnX* column = ColumnAtGridCol(cell.X);
    InvalidateCol(cell.X);
    input.TrackingMode = tmSelectingColumns;
    input.Tracking = true;
    SetMouseCapture(true);
    StartTimer(kSelectionTimerInterval);
    TDBGridXSelectionCols& columns = Selection().Columns();
    if (shift & ssShift)
        columns.ExtendTo(column);
    else if (shift & ssCtrl)
        columns.InvertSelect(column);
    else
        columns.Select(column, false);
}

void TCustomDBGridX::TitleMouseDown(TMouseButton button, ui::TShiftState shift, int x, int y,
                                    TGridCoord cell) {
    TDBGridXInput& input = *input_;
    TColumnX* column = ColumnAtGridCol(cell.X);
    input.RightAsLeft = false;
    if (column && button == TMouseButton::mbRight && (options_ & dgColumnResize)) {
        button = TMouseButton::mbLeft;
        input.RightAsLeft = true;
    }
    if (column && button == TMouseButton::mbLeft && column->Title()->TitleButton()) {
        input.Tracking = true;
        input.PressedTitleCol = cell.X;
        input.TitleButtonDown = false;
        SetMouseCapture(true);
        TrackTitleButton(x, y);
        return;
    }
    if (options_ & dgColumnResize) {
        if (cell.X < indicatorOffset_ && (options_ & dgMultiSelect) &&
            SelectionKindAllowed(gstAll)) {
            if (Selection().SelectionType() != gstNon)
                Selection().Clear();
            else
                Selection().SelectAll();
        }
        if (dataLink_->EditorChanged())
            dataLink_->UpdateRecord();
        TCustomGridX::MouseDown(button, shift, x, y);
        return;
    }
    ui::TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomDBGridX::DataRowMouseDown(TMouseButton button, ui::TShiftState shift, TGridCoord cell) {
    TDBGridXInput& input = *input_;
    db::TDataSet* dataSet = dataLink_->DataSet();
    BeginLayout();
    const auto end = qScopeGuard([this] { EndLayout(); });
    if (dataLink_->EditorChanged())
        dataLink_->UpdateRecord();
    HideEditor();
    const TGridCoord old{Col(), Row()};
    const db::TBookmark oldBookmark = dataSet->Bookmark();
    const bool multi = options_ & dgMultiSelect;
    const bool onIndicator = cell.X < indicatorOffset_;
    const bool extendRecords =
        (shift & ssShift) && multi && ((options_ & dgRowSelect) || onIndicator);
    if (!extendRecords)
        dataSet->MoveBy(cell.Y - Row());
    if (!onIndicator)
        MoveToColumn(cell.X, 0, false);
    const bool left = button == TMouseButton::mbLeft;
    const int dataCol = RawToDataColumn(cell.X);
    const bool rectangleAllowed = SelectionKindAllowed(gstRectangle);
    if (!onIndicator && (!multi || !(options_ & dgRowSelect))) {
        input.Tracking = true;
        input.HorzRectangle = true;
        const bool pressedSelected = Selection().CellSelected(dataCol, dataSet->Bookmark());
        if (!(shift & (ssShift | ssCtrl)) && (optionsX_ & dghClearSelection) &&
            (left || !pressedSelected))
            ClearSelection();
        if (left && rectangleAllowed && !dataSet->IsEmpty()) {
            TDBGridXSelectionRect& rect = Selection().Rect();
            if (shift & ssShift) {
                if (Selection().SelectionType() != gstRectangle)
                    rect.Select(RawToDataColumn(old.X), oldBookmark, false);
                rect.Select(dataCol, dataSet->Bookmark(), true);
            } else {
                rect.Select(dataCol, dataSet->Bookmark(), false);
            }
            input.TrackingMode = tmSelectingRectangle;
        }
    }
    if (SelectionKindAllowed(gstRecordBookmarks) &&
        ((options_ & dgRowSelect) || onIndicator || !rectangleAllowed)) {
        TBookmarkListX& rows = SelectedRows();
        if (extendRecords && cell.Y != Row()) {
            input.Extending = false;
            input.ToggleSelection = (shift & ssCtrl) || !(optionsX_ & dghClearSelection);
            MoveBySelecting(true, cell.Y - Row(), true, false);
        } else if (left && ((shift & ssCtrl) || !(optionsX_ & dghClearSelection))) {
            rows.MarkCurrentRow(!rows.IsCurrentRowMarked());
        } else if (left) {
            ClearSelection();
            rows.MarkCurrentRow(true);
        }
        input.SelectionAnchor = dataSet->Bookmark();
        input.AnchorSelected = rows.IsCurrentRowMarked();
        input.Extending = true;
        input.Tracking = true;
        input.TrackingMode = tmSelectingRecords;
    }
    TColumnX* column = ColumnAtGridCol(cell.X);
    if (left && column && SteppedByClick(column))
        input.CheckBoxCell = {Col(), Row()};
    else if (left && old == TGridCoord{Col(), Row()} && !onIndicator && (options_ & dgEditing))
        ShowEditor();
}

void TCustomDBGridX::MouseMove(ui::TShiftState shift, int x, int y) {
    TDBGridXInput& input = *input_;
    input.LastMousePoint = QPoint(x, y);
    input.LastMouseShift = shift;
    if (!input.Tracking) {
        ShowSelectionCursor(x, y);
        TrackToolTip(QPoint(x, y));
    }
    if (input.Tracking && input.PressedTitleCol >= 0) {
        TrackTitleButton(x, y);
        if (std::abs(x - input.MouseDownPoint.x()) > kTitleDragThreshold &&
            (options_ & dgColumnResize)) {
            const QPoint pressed = input.MouseDownPoint;
            StopTracking();
            SetMouseCapture(true);
            TCustomGridX::MouseDown(TMouseButton::mbLeft, shift & ~ui::ssDouble, pressed.x(),
                                    pressed.y());
        }
    } else if ((input.TrackingMode == tmSelectingRecords ||
                input.TrackingMode == tmSelectingRectangle) &&
               (shift & ui::ssLeft)) {
        SelectionDrag(x, y);
        StartAutoScrollBeyondCells(x, y);
    } else if (input.TrackingMode == tmSelectingColumns) {
        ColumnSelectDrag(x);
    } else if (input.TrackingMode == tmSizingFrozenColumn) {
        FrozenSizingDrag(x);
    } else if (input.TrackingMode == tmMovingRecords) {
        TrackRecordMoving(QPoint(x, y));
    }
    TCustomGridX::MouseMove(shift, x, y);
}

// A held button over other rows (and columns, for a rectangle) carries the
// selection along.
void TCustomDBGridX::SelectionDrag(int x, int y) {
    TDBGridXInput& input = *input_;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridCoord cell =
        CalcCoordFromPoint(std::clamp(x, 0, std::max(0, layout.Horz.GridBoundary - 1)),
                           std::clamp(y, 0, std::max(0, layout.Vert.GridBoundary - 1)), layout);
    // Beyond the cells the auto-scroll moves, not the pointer.
    const ui::TRect box = DataCellsBoxRect();
    const bool overRows = y >= box.Top && y < box.Bottom;
    const bool overColumns = x >= box.Left && x < box.Right;
    if (overRows && cell.Y >= titleOffset_ && cell.Y < RowCount() && cell.Y != Row())
        MoveBySelecting(true, cell.Y - Row(), input.TrackingMode != tmSelectingRectangle, false);
    if (input.HorzRectangle && overColumns && cell.X >= indicatorOffset_ && cell.X < ColCount() &&
        cell.X != Col()) {
        MoveToColumn(cell.X, cell.X < Col() ? -1 : 1, false);
        if (input.TrackingMode == tmSelectingRectangle)
            Selection().Rect().Select(CurrentDataColumn(), dataLink_->DataSet()->Bookmark(), true);
    }
}

// Above the data cells the selected columns reach the column under the
// pointer; to either side of them the timer, running since the press,
// scrolls and carries the selection on.
void TCustomDBGridX::ColumnSelectDrag(int x) {
    const ui::TRect box = DataCellsBoxRect();
    if (x < box.Left || x >= box.Right)
        return;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridCoord cell = CalcCoordFromPoint(x, std::max(0, box.Top), layout);
    if (TColumnX* column = ColumnAtGridCol(cell.X))
        Selection().Columns().ExtendTo(column);
}

// A drag that leaves the data cells keeps going on its own; the timer's
// step decides the pace and stops once the pointer is back.
void TCustomDBGridX::StartAutoScrollBeyondCells(int x, int y) {
    const ui::TRect box = DataCellsBoxRect();
    const bool inside = x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
    if (!inside && !timerRunning_)
        StartTimer(kSelectionTimerInterval);
}

void TCustomDBGridX::InputMouseUp(TMouseButton button, ui::TShiftState shift, int x, int y) {
    TDBGridXInput& input = *input_;
    if (input.TrackingMode == tmSizingFrozenColumn) {
        EndFrozenSizing();
        return;
    }
    if (input.TrackingMode == tmMovingRecords) {
        StopRecordMoving(true);
        StopTracking();
        return;
    }
    input.TrackingMode = tmNone;
    input.Extending = false;
    if (input.Tracking && input.PressedTitleCol >= 0) {
        TrackTitleButton(x, y);
        const bool clicked = input.TitleButtonDown;
        TColumnX* column = ColumnAtGridCol(input.PressedTitleCol);
        StopTracking();
        if (clicked && column)
            TitleButtonClicked(column, shift);
        if (input.RightAsLeft)
            button = TMouseButton::mbLeft;
    }
    StopTracking();
    const TGridStateX baseState = GridState();
    TCustomGridX::MouseUp(button, shift, x, y);
    if (baseState == gsColSizing || baseState == gsRowSizing || button != TMouseButton::mbLeft)
        return;
    const TGridCoord cell = MouseCoord(x, y);
    TColumnX* column = ColumnAtGridCol(cell.X);
    if (!column)
        return;
    const TGridCoord checkCell = input.CheckBoxCell;
    input.CheckBoxCell = {-1, -1};
    // A click on a check box steps it, unless a double click does so.
    if (cell == checkCell && SteppedByClick(column) && !column->DblClickNextVal() &&
        !(shift & ui::ssDouble))
        column->StepCellValue(StepOf(shift));
    if (cell.Y >= 0 && cell.Y < titleOffset_) {
        if (OnTitleClick)
            OnTitleClick(column);
    } else if (cell.Y >= titleOffset_ && cell.Y < TopRow() + VisibleDataRowCount()) {
        FireCellClick(column);
    }
}

// A press on a frozen column's border in the titles sizes that column; the
// base grid sizes only the scrolled ones.
bool TCustomDBGridX::StartFrozenSizing(int x, int y) {
    const TFrozenSizingHit hit = FrozenSizingAt(x, y);
    if (!hit.Sizing || hit.Index < 0)
        return false;
    TDBGridXInput& input = *input_;
    input.TrackingMode = tmSizingFrozenColumn;
    input.FrozenSizingIndex = hit.Index;
    input.FrozenSizingPos = hit.SizingPos;
    input.FrozenSizingOfs = hit.SizingOfs;
    input.Tracking = true;
    SetMouseCapture(true);
    if (!(optionsX_ & dghTraceColSizing))
        DrawSizingLine();
    return true;
}

void TCustomDBGridX::FrozenSizingDrag(int x) {
    TDBGridXInput& input = *input_;
    const int position = x + input.FrozenSizingOfs;
    if (!(optionsX_ & dghTraceColSizing)) {
        DrawSizingLine();
        input.FrozenSizingPos = position;
        DrawSizingLine();
        return;
    }
    const int width = position - ColumnsWidthBefore(input.FrozenSizingIndex);
    if (width < 1)
        return;
    input.FrozenSizingPos = position;
    SetColWidths(input.FrozenSizingIndex, width);
    ColWidthsChanged();
}

void TCustomDBGridX::EndFrozenSizing() {
    TDBGridXInput& input = *input_;
    if (input.SizingLineShown)
        DrawSizingLine();
    const int width = input.FrozenSizingPos - ColumnsWidthBefore(input.FrozenSizingIndex);
    const int col = input.FrozenSizingIndex;
    const bool traced = (optionsX_ & dghTraceColSizing) != 0;
    StopTracking();
    input.FrozenSizingIndex = -1;
    if (!traced && width > 1 && col >= 0 && col < ColCount()) {
        SetColWidths(col, width);
        ColWidthsChanged();
    }
}

int TCustomDBGridX::ColumnsWidthBefore(int col) const {
    int width = 0;
    for (int i = 0; i < col && i < FullColCount(); ++i) {
        const int extent = GetColWidths(i);
        if (extent > 0)
            width += extent + GridLineWidth();
    }
    return width;
}

// The dotted line that shows where a frozen column's border goes; drawing
// it again removes it.
void TCustomDBGridX::DrawSizingLine() {
    TDBGridXInput& input = *input_;
    const int x = input.FrozenSizingPos;
    ToggleFeedbackBand(ui::TRect{x, 0, x + 1, ClientHeight()}, true);
    input.SizingLineShown = !input.SizingLineShown;
}

void TCustomDBGridX::TitleButtonClicked(TColumnX* column, ui::TShiftState shift) {
    if (OnTitleBtnClick)
        OnTitleBtnClick(column);
    const bool ctrl = shift & ssCtrl;
    input_->CtrlAtTitleClick = ctrl;
    if (!(optionsX_ & dghAutoSortMarking))
        return;
    column->Title()->CycleSortMarker(ctrl && (optionsX_ & dghMultiSortMarking));
    // With Ctrl held more columns may follow; sorting waits for its release.
    if (ctrl)
        SetMultiSortPending(true);
    else
        SortMarkingChanged();
}

void TCustomDBGridX::StopTracking() {
    TDBGridXInput& input = *input_;
    if (!input.Tracking)
        return;
    StopRecordMoving(false);
    StopTimer();
    TrackTitleButton(-1, -1);
    input.Tracking = false;
    SetMouseCapture(false);
    input.PressedTitleCol = -1;
    input.HorzRectangle = false;
    input.TrackingMode = tmNone;
}

void TCustomDBGridX::TrackTitleButton(int x, int y) {
    TDBGridXInput& input = *input_;
    const TGridCoord cell = MouseCoord(x, y);
    const bool pressed = x >= 0 && y >= 0 && x < viewport()->width() && y < viewport()->height() &&
                         cell.Y >= 0 && cell.Y < titleOffset_ && cell.X == input.PressedTitleCol;
    if (pressed == input.TitleButtonDown)
        return;
    input.TitleButtonDown = pressed;
    // The title painter knows the pressed button by its data column.
    pressedTitleColumn_ = pressed ? RawToDataColumn(input.PressedTitleCol) : -1;
    for (int row = 0; row < titleOffset_; ++row)
        InvalidateRect({0, row, ColCount() - 1, row});
}

// With columns selected, or everything, the double-clicked column is fitted
// together with them.
void TCustomDBGridX::OptimizeColWidth(TColumnX* column) {
    std::vector<TColumnX*> fitted;
    switch (Selection().SelectionType()) {
    case gstColumns:
        fitted.assign(Selection().Columns().begin(), Selection().Columns().end());
        break;
    case gstAll:
        for (int i = 0; i < columns_->Count(); ++i)
            fitted.push_back(columns_->GetColumn(i));
        break;
    default:
        break;
    }
    if (std::find(fitted.begin(), fitted.end(), column) == fitted.end())
        fitted.push_back(column);
    OptimizeColsWidth(fitted);
}

int TCustomDBGridX::CellNeed(TColumnX* column) {
    int margin = kFitMargin;
    if (IsFirstVisibleColumn(column))
        margin += TreeIndent();
    if (column->AlwaysShowEditButton())
        margin += editButtonWidth_;
    switch (column->ReadCellKind()) {
    case cellImages:
        return margin + (column->ImageList() ? column->ImageList()->Width() : 0);
    case cellCheckBox:
        return margin + style()->pixelMetric(QStyle::PM_IndicatorWidth);
    default:
        break;
    }
    TColCellParamsX params;
    column->FillCellParams(params);
    FireGetCellParams(column, params.CellFont, params.CellColor, 0);
    column->FireGetCellParams(false, params);
    if (column->ImageList() && column->ShowImageAndText())
        margin += column->ImageList()->Width() + kFitMargin;
    return margin + QFontMetrics(params.CellFont).horizontalAdvance(params.CellText);
}

int TCustomDBGridX::FooterNeed(TColumnX* column) {
    const int dataCol = column->Index();
    int need = 0;
    for (int row = 0; row < footerRowCount_; ++row) {
        QFont font = footerFont_;
        ui::TColor background = footerColor_;
        int alignment = 0;
        QString text = GetFooterText(row, column);
        FireGetFooterParams(dataCol, row, column, font, background, alignment, 0, text);
        need = std::max(need, kFooterFitMargin + QFontMetrics(font).horizontalAdvance(text));
    }
    return need;
}

// Each column as wide as the widest of its title, its cells over every
// record and its footers; nothing changes while the grid shows no data.
void TCustomDBGridX::OptimizeColsWidth(const std::vector<TColumnX*>& columns) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (!dataLink_->Active() || !dataSet)
        return;
    std::vector<int> needs;
    for (const TColumnX* column : columns)
        needs.push_back(TitleNeed(column, useMultiTitle_
                                              ? column->Title()->Caption().section(u'|', -1)
                                              : column->Title()->Caption()));
    SaveRowPosition();
    dataSet->DisableControls();
    {
        const auto restore = qScopeGuard([this, dataSet] {
            RestoreRowPosition();
            dataSet->EnableControls();
        });
        for (dataSet->First(); !dataSet->Eof() && !dataSet->IsEmpty(); dataSet->Next()) {
            for (std::size_t i = 0; i < columns.size(); ++i)
                needs[i] = std::max(needs[i], CellNeed(columns[i]));
        }
    }
    const bool locked = !autoFitColWidths_ && AcquireLayoutLock();
    const auto unlock = qScopeGuard([this, locked] {
        if (locked)
            EndLayoutUpdate();
    });
    for (std::size_t i = 0; i < columns.size(); ++i)
        columns[i]->SetWidth(std::max(needs[i], FooterNeed(columns[i])));
}

} // namespace kx
