// The grid's selection: records, a rectangle of cells, columns, or all; and
// the grid's side of it (the selection's repaint, the allowed kinds).

#include "grid/dbgrid/dbgridselection.h"

#include "grid/base/drawingshims.h"
#include "grid/base/invalidgridoperationx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridinputstate.h"
#include "platform/db/datasource.h"

#include <QScopeGuard>

#include <algorithm>

namespace kx {

namespace {

// Makes each buffer row of the link active in turn, the active row restored
// afterwards also when a step fails; visit returns false to stop.
template <typename Visit> void WalkBuffer(TGridDataLinkX& link, Visit visit) {
    const int saved = link.ActiveRecord();
    const auto restore = qScopeGuard([&link, saved] { link.SetActiveRecord(saved); });
    for (int row = 0; row < link.RecordCount(); ++row) {
        link.SetActiveRecord(row);
        if (!visit(row, link.DataSet()->ActiveBookmark()))
            return;
    }
}

TGridRect NoGridRect() {
    return {-1, -1, -1, -1};
}

} // namespace

// ---- The grid's side ---------------------------------------------------

std::shared_ptr<TDBGridXInput> TCustomDBGridX::MakeInput(TCustomDBGridX* grid) {
    return std::make_shared<TDBGridXInput>(grid);
}

TBookmarkListX& TCustomDBGridX::SelectedRows() const {
    return input_->Rows;
}

TDBGridXSelection& TCustomDBGridX::Selection() const {
    return input_->Selection;
}

void TCustomDBGridX::InvalidateSelection() {
    TDBGridXSelection& selection = Selection();
    if (selection.SelectionType() == gstAll) {
        InvalidateGrid();
        return;
    }
    const TGridRect covered = selection.CoveredGridRect();
    if (covered.Left >= 0)
        InvalidateRect(covered);
}

void TCustomDBGridX::UpdateEditorText() {
    RefreshEditor();
}

// ---- Records -----------------------------------------------------------

db::TDataSet* TBookmarkListX::LinkedDataSet() const {
    return grid_->DataLink()->DataSet();
}

void TBookmarkListX::RefreshOwner() {
    grid_->InvalidateGrid();
}

void TBookmarkListX::SelectionChanged() {
    grid_->Selection().UpdateState();
}

void TBookmarkListX::MarkCurrentRow(bool value) {
    TBMListX::MarkCurrentRow(value);
    grid_->InvalidateRect({0, grid_->Row(), grid_->ColCount() - 1, grid_->Row()});
    TDBGridXSelection& selection = grid_->Selection();
    if (selection.SelectionType() != gstRecordBookmarks && BookmarkCount() > 0) {
        selection.Clear();
        selection.SetSelectionTypeDirectly(gstRecordBookmarks);
    }
    selection.UpdateState();
    selection.SelectionChanged();
}

void TBookmarkListX::ClearAll() {
    TBMListX::ClearAll();
    grid_->Selection().SelectionChanged();
}

TGridRect TBookmarkListX::SelectedRowsRect() const {
    TGridDataLinkX& link = *grid_->DataLink();
    if (!link.Active())
        return NoGridRect();
    auto* self = const_cast<TBookmarkListX*>(this);
    int first = -1;
    int last = -1;
    WalkBuffer(link, [&](int row, const db::TBookmark& bookmark) {
        if (self->IndexOfBookmark(bookmark) >= 0) {
            if (first < 0)
                first = row;
            last = row;
        }
        return true;
    });
    if (first < 0)
        return NoGridRect();
    const int offset = grid_->TitleOffset();
    return {0, offset + first, grid_->ColCount() - 1, offset + last};
}

// ---- Columns -----------------------------------------------------------

TDBGridXSelection& TDBGridXSelectionCols::Owner() const {
    return grid_->Selection();
}

void TDBGridXSelectionCols::AddSorted(TColumnX* column) {
    const int index = column->Index();
    for (int i = 0; i < Count(); ++i) {
        if (GetColumn(i)->Index() > index) {
            Insert(i, column);
            return;
        }
    }
    Add(column);
}

void TDBGridXSelectionCols::Clear() {
    for (const TColumnX* column : *this)
        grid_->InvalidateCol(grid_->DataToRawColumn(column->Index()));
    TColumnsXList::Clear();
    Anchor = nullptr;
    Owner().SelectionChanged();
}

void TDBGridXSelectionCols::SetKindFromList() {
    Owner().SetSelectionType(Count() > 0 ? gstColumns : gstNon);
}

void TDBGridXSelectionCols::Select(TColumnX* column, bool addToSelection) {
    TDBGridXSelection& owner = Owner();
    if (owner.SelectionType() != gstColumns)
        owner.Clear();
    if (!addToSelection)
        Clear();
    if (!Contains(column))
        AddSorted(column);
    Anchor = ShiftCol = column;
    owner.SetSelectionType(gstColumns);
    ShiftSelectedCols.Clear();
}

void TDBGridXSelectionCols::InvertSelect(TColumnX* column) {
    TDBGridXSelection& owner = Owner();
    if (owner.SelectionType() != gstColumns)
        owner.Clear();
    if (Contains(column))
        Remove(column);
    else
        AddSorted(column);
    Anchor = ShiftCol = column;
    SetKindFromList();
    ShiftSelectedCols.Clear();
}

void TDBGridXSelectionCols::ChangeColumn(TColumnX* column, bool select) {
    if (select)
        AddSorted(column);
    else
        Remove(column);
}

// One index of a Shift walk: select mode spreads the anchor's state over the
// column, restore mode takes back what this Shift range changed before.
void TDBGridXSelectionCols::WalkStep(int index, int anchorIndex, bool selectMode,
                                     bool anchorSelected) {
    TColumnX* column = grid_->Columns()->GetColumn(index);
    const bool selected = Contains(column);
    const bool repaint = [&] {
        if (selectMode && anchorSelected) {
            if (selected || !column->Visible())
                return false;
            AddSorted(column);
            ShiftSelectedCols.Add(column);
            return true;
        }
        if (selectMode) {
            if (!selected || index == anchorIndex)
                return false;
            Remove(column);
            ShiftSelectedCols.Add(column);
            return true;
        }
        if (anchorSelected) {
            if (!selected || index == anchorIndex)
                return false;
            if (ShiftSelectedCols.IndexOf(column) >= 0) {
                Remove(column);
                ShiftSelectedCols.Remove(column);
            }
            return true;
        }
        if (selected || !column->Visible())
            return false;
        if (ShiftSelectedCols.IndexOf(column) >= 0) {
            AddSorted(column);
            ShiftSelectedCols.Remove(column);
        }
        return true;
    }();
    if (repaint) {
        grid_->InvalidateCol(grid_->DataToRawColumn(index));
        Owner().SelectionChanged();
    }
}

void TDBGridXSelectionCols::ExtendTo(TColumnX* column) {
    TDBGridXSelection& owner = Owner();
    if (owner.SelectionType() != gstColumns)
        owner.Clear();
    if (!Anchor) {
        Select(column, true);
        return;
    }
    const int a = Anchor->Index();
    const int s = ShiftCol ? ShiftCol->Index() : a;
    const int n = column->Index();
    int start = s;
    int end = n;
    int step = n < s ? -1 : 1;
    bool selectMode = true;
    int switchAt = -1;
    if (n == s) {
        start = end = n;
    } else if (a < s && n < s) {
        selectMode = false;
        if (n < a)
            switchAt = a;
        else
            end = n + 1;
    } else if (s < a && n > s) {
        selectMode = false;
        if (n > a)
            switchAt = a;
        else
            end = n - 1;
    } else if (s == a) {
        start = a;
    }
    const bool anchorSelected = Contains(Anchor);
    for (int i = start;; i += step) {
        if (i == switchAt)
            selectMode = !selectMode;
        WalkStep(i, a, selectMode, anchorSelected);
        if (i == end)
            break;
    }
    ShiftCol = column;
    SetKindFromList();
}

void TDBGridXSelectionCols::Refresh() {
    const TDBGridColumnsX& columns = *grid_->Columns();
    for (int i = Count() - 1; i >= 0; --i) {
        bool present = false;
        for (int c = 0; c < columns.Count() && !present; ++c)
            present = columns.GetColumn(c) == GetColumn(i);
        if (!present)
            Delete(i);
    }
    std::vector<TColumnX*> sorted(begin(), end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TColumnX* a, const TColumnX* b) { return a->Index() < b->Index(); });
    for (int i = 0; i < Count(); ++i)
        SetColumn(i, sorted[static_cast<std::size_t>(i)]);
}

TGridRect TDBGridXSelectionCols::CoveredGridRect() const {
    if (Count() == 0)
        return NoGridRect();
    int smallest = GetColumn(0)->Index();
    int largest = smallest;
    for (const TColumnX* column : *this) {
        smallest = std::min(smallest, column->Index());
        largest = std::max(largest, column->Index());
    }
    return {grid_->DataToRawColumn(smallest), 0, grid_->DataToRawColumn(largest),
            grid_->RowCount()};
}

// ---- Rectangle ---------------------------------------------------------

bool TDBGridXSelectionRect::DataReady() const {
    const db::TDataSource* source = grid_->GetDataSource();
    return source && source->DataSet() && grid_->DataLink()->Active();
}

void TDBGridXSelectionRect::CheckDataReady(const char* message) const {
    if (!DataReady())
        InvalidGridOperation(message);
}

int TDBGridXSelectionRect::Compare(const db::TBookmark& a, const db::TBookmark& b) const {
    return CompareDataSetBookmarks(*grid_->DataLink()->DataSet(), a, b);
}

db::TBookmark TDBGridXSelectionRect::GetTopRow() const {
    CheckDataReady("Error in TDBGridXSelectionRect.GetBottomRow");
    return Compare(Anchor.Row, ShiftCell.Row) <= 0 ? Anchor.Row : ShiftCell.Row;
}

db::TBookmark TDBGridXSelectionRect::GetBottomRow() const {
    CheckDataReady("Error in TDBGridXSelectionRect.GetBottomRow");
    return Compare(Anchor.Row, ShiftCell.Row) < 0 ? ShiftCell.Row : Anchor.Row;
}

int TDBGridXSelectionRect::GetLeftCol() const {
    CheckDataReady("Error in TDBGridXSelectionRect.GetBottomRow");
    return std::min(Anchor.Col, ShiftCell.Col);
}

int TDBGridXSelectionRect::GetRightCol() const {
    CheckDataReady("Error in TDBGridXSelectionRect.GetBottomRow");
    return std::max(Anchor.Col, ShiftCell.Col);
}

bool TDBGridXSelectionRect::CellSelected(int dataCol, const db::TBookmark& bookmark) const {
    CheckDataReady("Error in function TDBGridXSelectionRect.CellSelected");
    return Compare(GetTopRow(), bookmark) <= 0 && Compare(GetBottomRow(), bookmark) >= 0 &&
           GetLeftCol() <= dataCol && dataCol <= GetRightCol();
}

void TDBGridXSelectionRect::Select(int dataCol, const db::TBookmark& bookmark, bool extend) {
    TDBGridXSelection& owner = grid_->Selection();
    if (owner.SelectionType() != gstRectangle)
        owner.Clear();
    const TDBCell oldAnchor = Anchor;
    const TDBCell oldShift = ShiftCell;
    if (!Anchor.IsSet() || !extend)
        Anchor = {dataCol, bookmark};
    ShiftCell = {dataCol, bookmark};
    if (Anchor.Col == ShiftCell.Col && Compare(Anchor.Row, ShiftCell.Row) == 0) {
        if (owner.SelectionType() == gstRectangle)
            owner.SetSelectionType(gstNon);
    } else {
        owner.SetSelectionType(gstRectangle);
    }
    if (grid_->HandleAllocated()) {
        const ui::TRect after =
            CornersScreenRect(Anchor.Col, Anchor.Row, ShiftCell.Col, ShiftCell.Row);
        if (oldAnchor.IsSet()) {
            const ui::TRect before =
                CornersScreenRect(oldAnchor.Col, oldAnchor.Row, oldShift.Col, oldShift.Row);
            RepaintChange(before, after);
        } else {
            grid_->InvalidateWindowRect(after);
        }
    }
    owner.SelectionChanged();
}

// Both rectangles, which covers every cell whose state changed; drawing the
// common part again costs less than working out the strips around it.
void TDBGridXSelectionRect::RepaintChange(const ui::TRect& before, const ui::TRect& after) {
    grid_->InvalidateWindowRect(before);
    grid_->InvalidateWindowRect(after);
}

void TDBGridXSelectionRect::Clear() {
    Anchor = {};
    ShiftCell = {};
    grid_->InvalidateGrid();
    grid_->Selection().SelectionChanged();
}

ui::TRect TDBGridXSelectionRect::CornersScreenRect(int col1, const db::TBookmark& bookmark1,
                                                   int col2, const db::TBookmark& bookmark2) const {
    const int left = std::min(col1, col2);
    const int right = std::max(col1, col2);
    const bool inOrder = Compare(bookmark1, bookmark2) <= 0;
    const db::TBookmark& upper = inOrder ? bookmark1 : bookmark2;
    const db::TBookmark& lower = inOrder ? bookmark2 : bookmark1;
    TGridDataLinkX& link = *grid_->DataLink();
    int topRow = -1;
    int bottomRow = -1;
    db::TBookmark firstBuffered;
    db::TBookmark lastBuffered;
    WalkBuffer(link, [&](int row, const db::TBookmark& bookmark) {
        if (row == 0)
            firstBuffered = bookmark;
        lastBuffered = bookmark;
        if (Compare(bookmark, upper) == 0)
            topRow = row;
        if (Compare(bookmark, lower) == 0)
            bottomRow = row;
        return true;
    });
    if (firstBuffered.isEmpty() || Compare(upper, firstBuffered) < 0)
        topRow = 0;
    else if (topRow < 0)
        topRow = link.RecordCount();
    if (lastBuffered.isEmpty() || Compare(lower, lastBuffered) > 0 || bottomRow < 0)
        bottomRow = grid_->VisibleDataRowCount();
    const int offset = grid_->TitleOffset();
    return grid_->BoxRect(grid_->DataToRawColumn(left), topRow + offset,
                          grid_->DataToRawColumn(right), bottomRow + offset);
}

TGridRect TDBGridXSelectionRect::CoveredGridRect() const {
    TGridDataLinkX& link = *grid_->DataLink();
    if (!link.Active() || !Anchor.IsSet())
        return NoGridRect();
    const int left = grid_->DataToRawColumn(GetLeftCol());
    const int right = grid_->DataToRawColumn(GetRightCol());
    const db::TBookmark top = GetTopRow();
    const db::TBookmark bottom = GetBottomRow();
    int topRow = -1;
    int bottomRow = -1;
    WalkBuffer(link, [&](int row, const db::TBookmark& bookmark) {
        if (topRow < 0 && Compare(bookmark, top) >= 0)
            topRow = row;
        if (Compare(bookmark, bottom) <= 0)
            bottomRow = row;
        return true;
    });
    if (topRow < 0 || bottomRow < 0)
        return NoGridRect();
    const int offset = grid_->TitleOffset();
    return {left, topRow + offset, right, bottomRow + offset};
}

// ---- The selection -----------------------------------------------------

TDBGridXSelection::TDBGridXSelection(TCustomDBGridX* grid)
    : grid_(grid), columns_(grid), rect_(grid) {}

TBookmarkListX& TDBGridXSelection::GetRows() const {
    return grid_->SelectedRows();
}

void TDBGridXSelection::Clear() {
    try {
        ClearKind();
    } catch (...) {
        selectionType_ = gstNon;
        throw;
    }
    selectionType_ = gstNon;
    if ((grid_->Options() & dgAlwaysShowEditor) && !grid_->FilterEditMode())
        grid_->ShowEditor();
}

void TDBGridXSelection::ClearKind() {
    switch (selectionType_) {
    case gstRecordBookmarks:
        GetRows().Clear();
        break;
    case gstRectangle:
        rect_.Clear();
        break;
    case gstColumns:
        columns_.Clear();
        break;
    case gstAll:
        grid_->InvalidateGrid();
        break;
    case gstNon:
        break;
    }
}

void TDBGridXSelection::SelectAll() {
    if (selectionType_ == gstAll)
        return;
    if (selectionType_ != gstNon)
        Clear();
    selectionType_ = gstAll;
    grid_->InvalidateGrid();
}

void TDBGridXSelection::SetSelectionType(TDBGridSelectionType kind) {
    if (kind == selectionType_)
        return;
    selectionType_ = kind;
    grid_->UpdateEditorText();
}

void TDBGridXSelection::UpdateState() {
    if ((selectionType_ == gstRecordBookmarks && GetRows().BookmarkCount() == 0) ||
        (selectionType_ == gstColumns && columns_.Count() == 0)) {
        selectionType_ = gstNon;
        grid_->InvalidateGrid();
    }
}

void TDBGridXSelection::SetLinkActive(bool active) {
    GetRows().SetLinkActive(active);
    Clear();
}

bool TDBGridXSelection::CellSelected(int dataCol, const db::TBookmark& bookmark) const {
    switch (selectionType_) {
    case gstRecordBookmarks:
        return GetRows().IndexOfBookmark(bookmark) >= 0;
    case gstRectangle:
        return dataCol >= 0 && rect_.CellSelected(dataCol, bookmark);
    case gstColumns:
        return dataCol >= 0 && dataCol < grid_->Columns()->Count() &&
               columns_.Contains(grid_->Columns()->GetColumn(dataCol));
    case gstAll:
        return true;
    case gstNon:
        break;
    }
    return false;
}

TGridRect TDBGridXSelection::CoveredGridRect() const {
    switch (selectionType_) {
    case gstRecordBookmarks:
        return GetRows().SelectedRowsRect();
    case gstRectangle:
        return rect_.CoveredGridRect();
    case gstColumns:
        return columns_.CoveredGridRect();
    default:
        return NoGridRect();
    }
}

void TDBGridXSelection::SelectionChanged() {
    if (grid_->OnSelectionChanged)
        grid_->OnSelectionChanged(grid_);
}

} // namespace kx
