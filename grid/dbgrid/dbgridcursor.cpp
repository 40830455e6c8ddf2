// The grid over a data set that keeps a record cursor of its own: every
// record of the view is a grid row, the vertical bar scrolls rows without
// moving the current record, more records are fetched as the view grows,
// and a tree view shows indentation, tree lines and expand buttons in the
// first visible column.

#include "grid/base/inplaceedit.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridinputstate.h"
#include "grid/dbgrid/memtablex.h"
#include "grid/editors/cellbuttons.h"
#include "platform/db/dataset.h"
#include "platform/ui/application.h"

#include <QKeyEvent>
#include <QScopeGuard>

#include <algorithm>

namespace kx {

// ---- The interface and row access ----------------------------------------

// A data set that is not open offers the grid nothing: the reference is
// dropped with the link, so it never outlives the data set.
void TCustomDBGridX::CheckDatasetCursor() {
    db::TDataSet* dataSet = dataLink_->DataSet();
    IMemTableX* found = !destroying_ && dataLink_->Active() && dataSet
                            ? dynamic_cast<IMemTableX*>(dataSet)
                            : nullptr;
    if (found == memTable_)
        return;
    memTable_ = found;
    if (memTable_)
        dataLink_->SetBufferCount(1);
    LayoutChanged();
}

bool TCustomDBGridX::HasDatasetCursor() const {
    return memTable_ != nullptr;
}

bool TCustomDBGridX::TreeViewShown() const {
    return memTable_ && memTable_->TreeViewMode();
}

int TCustomDBGridX::ReadableRowCount() const {
    if (!dataLink_->Active())
        return 0;
    return memTable_ ? memTable_->ViewRecordCount() : dataLink_->RecordCount();
}

int TCustomDBGridX::CurrentRecordRow() const {
    return memTable_ ? memTable_->CurrentRecordIndex() : dataLink_->ActiveRecord();
}

int TCustomDBGridX::BeginReadRow(int dataRow) const {
    if (memTable_) {
        memTable_->BeginReadRecord(dataRow);
        return 0;
    }
    const int saved = dataLink_->ActiveRecord();
    dataLink_->SetActiveRecord(dataRow);
    return saved;
}

void TCustomDBGridX::EndReadRow(int saved) const {
    if (memTable_)
        memTable_->EndReadRecord();
    else
        dataLink_->SetActiveRecord(saved);
}

// ---- Rows, scroll bar and fetching -----------------------------------------

void TCustomDBGridX::UpdateCursorRowCount() {
    const int count = dataLink_->Active() ? memTable_->ViewRecordCount() : 0;
    SetContraRowCount(footerRowCount_);
    const int rows = std::max(count, 1) + titleOffset_;
    if (Row() >= rows)
        FocusCell(Col(), rows - 1, false, false);
    SetRowCount(rows);
    LimitTopRow();
    FollowCurrentRecord(false);
    FetchRecords();
    InvalidateGrid();
}

// The first visible row never lies beyond the one that still fills the view.
void TCustomDBGridX::LimitTopRow() {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int farthest =
        std::max(FixedRows(), CalcMaxTopLeft({ColCount() - 1, RowCount() - 1}, layout).Y);
    if (TopRow() > farthest)
        SetTopRow(farthest);
}

// The current cell moves to the current record's row; from a fixed column
// it passes through the first scrollable one, so the view follows.
void TCustomDBGridX::FollowCurrentRecord(bool byMouse) {
    if (!dataLink_->Active() || loading_)
        return;
    const int index = memTable_->CurrentRecordIndex();
    const int row = std::max(index, 0) + titleOffset_;
    if (row == Row() || row >= RowCount())
        return;
    InvalidateRow(Row());
    const int col = Col();
    if (col < FixedCols() && FixedCols() < ColCount()) {
        FocusCell(FixedCols(), row, true, !byMouse);
        FocusCell(col, row, false, !byMouse);
    } else {
        FocusCell(col, row, true, !byMouse);
    }
    InvalidateRow(row);
}

void TCustomDBGridX::CursorDataChanged() {
    StopIncSearch();
    const int oldTop = TopRow();
    const int rows = std::max(memTable_->ViewRecordCount(), 1) + titleOffset_;
    if (Row() >= rows)
        FocusCell(Col(), rows - 1, false, false);
    SetRowCount(rows);
    LimitTopRow();
    InvalidateRow(Row());
    if (dataLink_->Active() && !loading_) {
        const int index = memTable_->CurrentRecordIndex();
        if (std::max(index, 0) + titleOffset_ != Row()) {
            if (!(options_ & dgAlwaysShowEditor))
                HideEditor();
            FollowCurrentRecord(cursorMoveByMouse_);
            RefreshEditor();
        }
    }
    const db::TField* selected = CurrentField();
    if (EditorShown() && selected && selected->EditText() != editText_)
        RefreshEditor();
    if (TopRow() != oldTop) {
        for (int i = 0; i < columns_->Count(); ++i) {
            if (columns_->GetColumn(i)->HideDuplicates()) {
                InvalidateRow(oldTop);
                InvalidateRow(TopRow());
                break;
            }
        }
    }
    InvalidateFooter();
    UpdateCursorScrollBar();
}

void TCustomDBGridX::UpdateCursorScrollBar() {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int page = layout.Vert.LastFullVisibleCell - TopRow() + 1;
    ApplyVertScrollBarValues(1, RowCount() - FixedRows(), page, TopRow() - FixedRows() + 1);
}

// Asks the data set for the records that the rows below the last one or
// the last row itself would show.
void TCustomDBGridX::FetchRecords() {
    if (!memTable_ || fetching_ || !dataLink_->Active())
        return;
    fetching_ = true;
    const auto done = qScopeGuard([this] { fetching_ = false; });
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int cellsBottom = layout.Vert.GridExtent;
    if (layout.Vert.GridBoundary < cellsBottom)
        memTable_->FetchMore((cellsBottom - layout.Vert.GridBoundary) / DefaultRowHeight() + 1);
    else if (layout.Vert.LastFullVisibleCell >= RowCount() - 1)
        memTable_->FetchMore(1);
}

void TCustomDBGridX::ScrollDataRowsTo(int topRow) {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int farthest =
        std::max(FixedRows(), CalcMaxTopLeft({ColCount() - 1, RowCount() - 1}, layout).Y);
    topRow = std::clamp(topRow, FixedRows(), farthest);
    if (topRow == TopRow())
        return;
    const int oldTop = TopRow();
    SetTopRow(topRow);
    UpdateCursorScrollBar();
    for (int i = 0; i < columns_->Count(); ++i) {
        if (columns_->GetColumn(i)->HideDuplicates()) {
            InvalidateRow(oldTop);
            InvalidateRow(TopRow());
            break;
        }
    }
}

void TCustomDBGridX::CursorScroll(int code, int pos) {
    if (!dataLink_->Active())
        return;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int fullRows = std::max(1, layout.Vert.LastFullVisibleCell - TopRow() + 1);
    int target = TopRow();
    switch (code) {
    case ui::SB_LINEUP:
        --target;
        break;
    case ui::SB_LINEDOWN:
        ++target;
        break;
    case ui::SB_PAGEUP: {
        // Up by the rows that still fit above the present first row.
        const int highest = CalcMaxTopLeft({Col(), TopRow()}, layout).Y;
        target -= std::max(1, TopRow() - std::max(highest, FixedRows()));
        break;
    }
    case ui::SB_PAGEDOWN:
        target += fullRows;
        break;
    case ui::SB_TOP:
        target = FixedRows();
        break;
    case ui::SB_BOTTOM:
        target = RowCount() - 1;
        break;
    case ui::SB_THUMBTRACK:
        if (!VertScrollBar()->Tracking) {
            UpdateCursorScrollBar();
            return;
        }
        target = FixedRows() + pos - 1;
        break;
    case ui::SB_THUMBPOSITION:
        target = FixedRows() + pos - 1;
        break;
    default:
        return;
    }
    ScrollDataRowsTo(target);
}

void TCustomDBGridX::CursorWheel(ui::TShiftState shift, int direction) {
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (shift & ui::ssShift) {
        dataSet->MoveBy((shift & ui::ssCtrl) ? direction * VisibleRowCount() : direction);
        return;
    }
    if (!(shift & ui::ssCtrl)) {
        ScrollDataRowsTo(TopRow() + direction);
        return;
    }
    const int page = std::max(1, VisibleRowCount());
    const int below = RowCount() - (TopRow() + page);
    if (direction > 0 && below < page)
        memTable_->FetchMore(page - below);
    ScrollDataRowsTo(TopRow() + direction * page);
}

// ---- Tree rows -------------------------------------------------------------

int TCustomDBGridX::TreeIndent() const {
    if (!TreeViewShown())
        return 0;
    return std::max(0, memTable_->ReadNodeLevel() * TreeLevelWidth);
}

bool TCustomDBGridX::IsFirstVisibleColumn(const TColumnX* column) const {
    return visibleColumns_->Count() > 0 && visibleColumns_->GetColumn(0) == column;
}

// Draws the indentation of the read record at the left of rect and moves
// rect's left edge past it.
// The slots take the cell's background as the caller set it in the brush.
void TCustomDBGridX::DrawTreePart(ui::TCanvas& canvas, ui::TRect& rect, bool widen) {
    const int level = memTable_->ReadNodeLevel();
    if (level <= 0)
        return;
    const ui::TColor background = canvas.BrushColor();
    ui::TRect area = rect;
    if (widen)
        area = {rect.Left - 1, rect.Top - 1, rect.Right, rect.Bottom + 1};
    const bool rowLines = options_ & dgRowLines;
    const int nextLevel = memTable_->ReadNextNodeLevel();
    const int dotPhase = (DefaultRowHeight() % 2 == 1 && TopRow() % 2 == 1) ? 1 : 0;
    const bool rightToLeft = isRightToLeft();
    const ui::TColor lineColor = Color();
    int left = rect.Left;
    bool lowerFill = false;
    for (int slotLevel = 1; slotLevel <= level; ++slotLevel) {
        const ui::TRect slot{left, area.Top, left + TreeLevelWidth,
                             area.Bottom + (lowerFill ? 1 : 0)};
        canvas.SetBrushColor(background);
        canvas.FillRect(slot);
        const bool continues = memTable_->ReadLevelContinues(slotLevel);
        int kind = -1;
        if (slotLevel < level)
            kind = continues ? 9 : -1;
        else if (memTable_->ReadNodeHasChildren())
            kind = 3 * (memTable_->ReadNodeExpanded() ? 0 : 1) + (continues ? 0 : 1);
        else
            kind = 6 + (continues ? 0 : 1);
        if (kind >= 0)
            DrawTreeNodeSign(canvas, {slot.Left, rect.Top, slot.Right, rect.Bottom}, kind,
                             rightToLeft, 1.0, 1.0, dotPhase);
        lowerFill = false;
        // The row line under a slot goes where the tree line runs on.
        if (rowLines && (slotLevel == 1 || nextLevel < 0 || nextLevel > slotLevel)) {
            canvas.SetBrushColor(lineColor);
            canvas.FillRect({slot.Left, rect.Bottom, slot.Right, rect.Bottom + GridLineWidth()});
            lowerFill = true;
        }
        left += TreeLevelWidth;
    }
    if (rowLines) {
        canvas.SetPenColor(ui::clSilver);
        canvas.SetPenStyle(ui::TPenStyle::psSolid);
        canvas.SetPenWidth(1);
        canvas.MoveTo(left - 1, rect.Bottom);
        canvas.LineTo(left - 1, rect.Top - 2);
    }
    canvas.SetBrushColor(background);
    rect.Left = std::min(left, rect.Right);
}

// Only a point within the indentation of a record's row answers true; a
// press on the node's own slot turns the node over.
bool TCustomDBGridX::TreeNodeClick(int x, int y, bool checkOnly) {
    if (!TreeViewShown() || !dataLink_->Active() || visibleColumns_->Count() == 0)
        return false;
    const TGridCoord cell = MouseCoord(x, y);
    const int dataRow = cell.Y - titleOffset_;
    TColumnX* first = visibleColumns_->GetColumn(0);
    if (cell.Y < titleOffset_ || dataRow >= memTable_->ViewRecordCount() ||
        cell.X != DataToRawColumn(first->Index()))
        return false;
    const ui::TRect rect = CellRect(cell.X, cell.Y);
    const int offset = x - rect.Left;
    int level = 0;
    bool expanded = false;
    {
        const TReadRowScope read(*this, dataRow);
        level = memTable_->ReadNodeLevel();
        expanded = memTable_->ReadNodeExpanded();
    }
    if (offset < 0 || offset >= level * TreeLevelWidth)
        return false;
    if (checkOnly)
        return true;
    if (offset < (level - 1) * TreeLevelWidth)
        return true;
    db::TDataSet* dataSet = dataLink_->DataSet();
    const QVariant position = memTable_->SavePosition();
    const int oldTop = TopRow();
    cursorMoveByMouse_ = true;
    const auto byMouse = qScopeGuard([this] { cursorMoveByMouse_ = false; });
    dataSet->DisableControls();
    {
        const auto enable = qScopeGuard([dataSet] { dataSet->EnableControls(); });
        const int answer = memTable_->SetNodeExpanded(dataRow, !expanded);
        LockGrid();
        const auto unlock = qScopeGuard([this] { UnlockGrid(); });
        if (answer <= 0 || answer == dataSet->RecNo())
            memTable_->RestorePosition(position);
        else
            dataSet->SetRecNo(answer);
    }
    ScrollDataRowsTo(oldTop);
    InvalidateGrid();
    UpdateCursorScrollBar();
    return true;
}

void TCustomDBGridX::ExpandCurrentNode(TNodeChange change) {
    if (!TreeViewShown() || !dataLink_->Active())
        return;
    const int index = Row() - titleOffset_;
    bool expanded = true;
    if (change == ncToggle) {
        const TReadRowScope read(*this, index);
        expanded = !memTable_->ReadNodeExpanded();
    } else {
        expanded = change == ncExpand;
    }
    memTable_->SetNodeExpanded(index, expanded);
}

// Keypad *, + and - work the current node and never reach the editor.
void TCustomDBGridX::keyPressEvent(QKeyEvent* event) {
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (keypad && TreeViewShown() && !EditorShown()) {
        switch (event->key()) {
        case Qt::Key_Asterisk:
            ui::Guard([this] { ExpandCurrentNode(ncToggle); })();
            event->accept();
            return;
        case Qt::Key_Plus:
            ui::Guard([this] { ExpandCurrentNode(ncExpand); })();
            event->accept();
            return;
        case Qt::Key_Minus:
            ui::Guard([this] { ExpandCurrentNode(ncCollapse); })();
            event->accept();
            return;
        default:
            break;
        }
    }
    TCustomGridX::keyPressEvent(event);
}

} // namespace kx
