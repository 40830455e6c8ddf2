#pragma once
// What the user has selected in the data-aware grid beyond the current cell:
// whole records, a rectangle of data cells, whole columns, or everything.
// Only one kind is active at a time; starting another kind clears the one
// before it.

#include "grid/base/customgridx.h"
#include "grid/dbgrid/bmlistx.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/dbgridoptions.h"
#include "platform/ui/rect.h"

namespace kx {

class TCustomDBGridX;
class TDBGridXSelection;

// A data cell named by its data column and its record's bookmark; unset
// while the column is -1 and the bookmark empty.
struct TDBCell {
    int Col = -1;
    db::TBookmark Row;
    bool IsSet() const { return Col != -1 || !Row.isEmpty(); }
};

// The grid's selected records.
class TBookmarkListX : public TBMListX {
public:
    explicit TBookmarkListX(TCustomDBGridX* grid) : grid_(grid) {}
    void MarkCurrentRow(bool value) override;
    // Empties the list; the selection hears of it even when it was empty.
    void ClearAll() override;
    void Clear() { ClearAll(); }
    // The grid rows of the first and last selected records in the buffer.
    TGridRect SelectedRowsRect() const;

protected:
    db::TDataSet* LinkedDataSet() const override;
    void RefreshOwner() override;
    // The list changed: the selection's kind follows it.
    void SelectionChanged() override;

private:
    TCustomDBGridX* grid_;
};

// The selected columns, kept in the order of the grid's column collection.
class TDBGridXSelectionCols : public TColumnsXList {
public:
    explicit TDBGridXSelectionCols(TCustomDBGridX* grid) : grid_(grid) {}
    void Select(TColumnX* column, bool addToSelection);
    void InvertSelect(TColumnX* column);
    // Shift-click or a drag over titles: from the anchor to the column.
    void ExtendTo(TColumnX* column);
    void AddSorted(TColumnX* column);
    void Clear();
    // Drops columns that left the grid and puts the rest in column order.
    void Refresh();
    TGridRect CoveredGridRect() const;
    bool Contains(const TColumnX* column) const { return IndexOf(column) >= 0; }

    TColumnX* Anchor = nullptr;
    TColumnX* ShiftCol = nullptr;
    // The columns whose state the current Shift range has changed.
    TColumnsXList ShiftSelectedCols;

private:
    TDBGridXSelection& Owner() const;
    void ChangeColumn(TColumnX* column, bool select);
    void WalkStep(int index, int anchorIndex, bool selectMode, bool anchorSelected);
    void SetKindFromList();

    TCustomDBGridX* grid_;
};

// A rectangle of data cells between two corners.
class TDBGridXSelectionRect {
public:
    explicit TDBGridXSelectionRect(TCustomDBGridX* grid) : grid_(grid) {}
    void Select(int dataCol, const db::TBookmark& bookmark, bool extend);
    void Clear();
    bool CellSelected(int dataCol, const db::TBookmark& bookmark) const;
    db::TBookmark GetTopRow() const;
    db::TBookmark GetBottomRow() const;
    int GetLeftCol() const;
    int GetRightCol() const;
    bool DataReady() const;
    ui::TRect CornersScreenRect(int col1, const db::TBookmark& bookmark1, int col2,
                                const db::TBookmark& bookmark2) const;
    TGridRect CoveredGridRect() const;

    TDBCell Anchor;
    TDBCell ShiftCell;

private:
    void CheckDataReady(const char* message) const;
    int Compare(const db::TBookmark& a, const db::TBookmark& b) const;
    void RepaintChange(const ui::TRect& before, const ui::TRect& after);

    TCustomDBGridX* grid_;
};

class TDBGridXSelection {
public:
    explicit TDBGridXSelection(TCustomDBGridX* grid);
    virtual ~TDBGridXSelection() = default;
    TDBGridXSelection(const TDBGridXSelection&) = delete;
    TDBGridXSelection& operator=(const TDBGridXSelection&) = delete;

    TDBGridSelectionType SelectionType() const { return selectionType_; }
    void SetSelectionType(TDBGridSelectionType kind);
    TDBGridXSelectionCols& Columns() { return columns_; }
    TDBGridXSelectionRect& Rect() { return rect_; }
    TBookmarkListX& GetRows() const;

    void Clear();
    void SelectAll();
    // Drops a kind whose list has run empty.
    void UpdateState();
    void SetLinkActive(bool active);
    bool CellSelected(int dataCol, const db::TBookmark& bookmark) const;
    TGridRect CoveredGridRect() const;
    virtual void SelectionChanged();

private:
    friend class TBookmarkListX;
    void ClearKind();
    void SetSelectionTypeDirectly(TDBGridSelectionType kind) { selectionType_ = kind; }

    TCustomDBGridX* grid_;
    TDBGridSelectionType selectionType_ = gstNon;
    TDBGridXSelectionCols columns_;
    TDBGridXSelectionRect rect_;
};

} // namespace kx
