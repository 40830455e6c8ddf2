#pragma once
// The owner-drawn grid of cells the data grid and the lookup grids stand on.
// It keeps columns and rows with their sizes, the current cell and the
// selection, the part scrolled into view and how cells map to pixels; it
// paints by calling DrawCell for every visible cell, handles mouse and keys
// for navigation, sizing and moving, scrolls, and hosts one in-place editor.
//
// Besides fixed and scrollable cells it has frozen cells (the last FrozenCols
// fixed columns, kept in place but drawn and selected as data) and contra
// cells (ContraColCount columns and ContraRowCount rows after the last ones,
// glued to the far right and bottom edges, never current).

#include "grid/base/gridlinecolorsx.h"
#include "platform/ui/customcontrol.h"

#include <QDataStream>

#include <memory>
#include <vector>

namespace kx {

class TInplaceEdit;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TGridCoord&) const = default;
};

// A rectangle of cells, both corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr bool operator==(const TGridRect&) const = default;
};

using TGridOptionsX = unsigned;
constexpr TGridOptionsX goFixedVertLine = 1 << 0;
constexpr TGridOptionsX goFixedHorzLine = 1 << 1;
constexpr TGridOptionsX goVertLine = 1 << 2;
constexpr TGridOptionsX goHorzLine = 1 << 3;
constexpr TGridOptionsX goRangeSelect = 1 << 4;
constexpr TGridOptionsX goDrawFocusSelected = 1 << 5;
constexpr TGridOptionsX goRowSizing = 1 << 6;
constexpr TGridOptionsX goColSizing = 1 << 7;
constexpr TGridOptionsX goRowMoving = 1 << 8;
constexpr TGridOptionsX goColMoving = 1 << 9;
constexpr TGridOptionsX goEditing = 1 << 10;
constexpr TGridOptionsX goTabs = 1 << 11;
constexpr TGridOptionsX goRowSelect = 1 << 12;
constexpr TGridOptionsX goAlwaysShowEditor = 1 << 13;
constexpr TGridOptionsX goThumbTracking = 1 << 14;

using TGridDrawState = unsigned;
constexpr TGridDrawState gdSelected = 0x1;
constexpr TGridDrawState gdFocused = 0x2;
constexpr TGridDrawState gdFixed = 0x4;

enum TGridStateX : quint8 {
    gsNormal,
    gsSelecting,
    gsRowSizing,
    gsColSizing,
    gsRowMoving,
    gsColMoving
};

enum class TEditStyle { esSimple, esEllipsis, esPickList };

// Directions of the timed scroll while selecting.
using TGridScrollDirection = unsigned;
constexpr TGridScrollDirection sdLeft = 1;
constexpr TGridScrollDirection sdRight = 2;
constexpr TGridScrollDirection sdUp = 4;
constexpr TGridScrollDirection sdDown = 8;

// The geometry of one axis for a given client size.
struct TGridAxisLayoutX {
    int LineWidth = 0;           // line width, 0 when this axis draws no lines
    int FixedBoundary = 0;       // end of the fixed cells, frozen ones included
    int GridBoundary = 0;        // end of the drawn scrollable cells
    int GridExtent = 0;          // end of the scrollable area: the contra boundary
    int LastFullVisibleCell = 0; // last scrollable cell shown whole
    int FullVisBoundary = 0;     // after the last whole cell and its line
    int FixedCellCount = 0;
    int FirstGridCell = 0;  // LeftCol or TopRow
    int GridCellCount = 0;  // ColCount or RowCount
    int StaticBoundary = 0; // end of the non-frozen fixed cells
    int FrozenCellCount = 0;
    int ContraCellCount = 0;
    int ContraBoundary = 0; // where the contra cells begin (their leading line)
    int ClientExtent = 0;
    int FullGridBoundary = 0; // grid boundary, or the client extent with contra cells
    int FullCellCount = 0;
    const TCustomGridX* Grid = nullptr;
    int (TCustomGridX::*GetExtent)(int) const = nullptr;

    int Extent(int index) const { return (Grid->*GetExtent)(index); }
    // The pixels a cell takes with its line; a cell of extent 0 or less is
    // hidden and takes none.
    int Span(int index) const {
        const int extent = Extent(index);
        return extent > 0 ? extent + LineWidth : 0;
    }
};

struct TGridLayoutX {
    TGridAxisLayoutX Horz;
    TGridAxisLayoutX Vert;
};

class TCustomGridX : public ui::TCustomControl {
    Q_OBJECT
public:
    explicit TCustomGridX(QWidget* parent = nullptr);
    ~TCustomGridX() override;

    // Counts and sizes.
    int ColCount() const { return colCount_; }
    void SetColCount(int value);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int value);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int value);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int value);
    int FrozenCols() const { return frozenCols_; }
    void SetFrozenCols(int value);
    int FrozenRows() const { return frozenRows_; }
    int ContraColCount() const { return contraColCount_; }
    void SetContraColCount(int value);
    int ContraRowCount() const { return contraRowCount_; }
    void SetContraRowCount(int value);
    int FullColCount() const { return colCount_ + contraColCount_; }
    int FullRowCount() const { return rowCount_ + contraRowCount_; }
    int GetColWidths(int index) const;
    void SetColWidths(int index, int value);
    int GetRowHeights(int index) const;
    void SetRowHeights(int index, int value);
    bool GetTabStops(int index) const;
    void SetTabStops(int index, bool value);
    int DefaultColWidth() const { return defaultColWidth_; }
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    TGridOptionsX Options() const { return options_; }
    void SetOptions(TGridOptionsX value);
    ui::TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(ui::TColor value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    void SetBorderStyle(ui::TBorderStyle value);
    void SetScrollBars(ui::TScrollStyle value);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }
    // Made on first use, so that a subclass's CreateGridLineColors applies.
    TGridLineColorsX& LineColors();
    TGridStateX GridState() const { return gridState_; }
    int ColOffset() const { return colOffset_; }
    bool SaveCellExtents = true;
    bool FullRedrawOnSizeChange = false;

    // The current cell, the selection and the scroll position.
    int Col() const { return current_.X; }
    void SetCol(int value);
    int Row() const { return current_.Y; }
    void SetRow(int value);
    TGridCoord Anchor() const { return anchor_; }
    int LeftCol() const { return topLeft_.X; }
    void SetLeftCol(int value);
    int TopRow() const { return topLeft_.Y; }
    void SetTopRow(int value);
    TGridRect Selection() const;
    int VisibleColCount() const;
    int VisibleRowCount() const;
    int GetGridWidth() const;
    int GetGridHeight() const;
    bool IsActiveControl() const;

    // Cells and pixels.
    void CalcDrawInfo(TGridLayoutX& layout) const;
    void CalcDrawInfoXY(TGridLayoutX& layout, int width, int height) const;
    TGridCoord MouseCoord(int x, int y) const;
    TGridCoord CalcCoordFromPoint(int x, int y, const TGridLayoutX& layout) const;
    ui::TRect CellRect(int col, int row) const;
    ui::TRect BoxRect(int left, int top, int right, int bottom) const;
    void GridRectToScreenRect(const TGridRect& gridRect, ui::TRect& screenRect,
                              bool includeLine) const;
    TGridCoord CalcMaxTopLeft(const TGridCoord& coord, const TGridLayoutX& layout) const;

    // Moving the current cell, the anchor and the view.
    void FocusCell(int col, int row, bool show, bool moveAnchor);
    void InvalidateGridRect(int col, int row, bool show, bool moveAnchor);
    void MoveToCell(int col, int row, bool moveAnchor);
    void MoveAnchor(const TGridCoord& newAnchor);
    void MoveTopLeft(int left, int top);
    void ClampInView(const TGridCoord& coord);
    void Initialize();

    // Repainting.
    void InvalidateCell(int col, int row);
    void InvalidateRect(const TGridRect& rect);
    void InvalidateCol(int col);
    void InvalidateGrid();
    void LockGrid() { ++lockCount_; }
    void UnlockGrid();
    bool GridLocked() const { return lockCount_ > 0; }

    // Structure.
    void MoveColumn(int fromIndex, int toIndex);
    void MoveRow(int fromIndex, int toIndex);
    virtual void DeleteColumn(int col);
    virtual void DeleteRow(int row);

    // Scrolling.
    void ModifyScrollBar(int scrollBar, int scrollCode, int pos);
    void UpdateScrollPos();
    void UpdateScrollRange();

    // The in-place editor.
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool value);
    void ShowEditor();
    void HideEditor();
    void ShowEditorChar(QChar ch);
    void InvalidateEditor();
    void UpdateEdit();
    void HideEdit();
    void UpdateText();
    TInplaceEdit* InplaceEditor() const { return editor_; }

    // The stored form of the cell sizes, properties "ColWidths" and
    // "RowHeights": written when the grid has its own sizes that differ from
    // the ancestor's; reading raises EStreamError on a damaged list.
    void WriteCellExtents(QDataStream& stream, const TCustomGridX* ancestor = nullptr) const;
    void ReadCellExtents(QDataStream& stream);

    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    bool DoMouseWheelDown(ui::TShiftState shift, QPoint pos) override;
    bool DoMouseWheelUp(ui::TShiftState shift, QPoint pos) override;

protected:
    friend class TInplaceEdit;

    virtual void CalcSizingState(int x, int y, const TGridLayoutX& layout, TGridStateX& state,
                                 int& index, int& sizingPos, int& sizingOfs) const;
    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow() const;
    virtual void FlatChanged();
    virtual void DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState state) = 0;
    virtual bool SelectCell(int col, int row);
    virtual std::unique_ptr<TGridLineColorsX> CreateGridLineColors();
    virtual void ChangeContraSize(int newContraColCount, int newContraRowCount);

    virtual void AdjustSize(int index, int amount, bool rows);
    virtual bool CanEditAcceptKey(QChar key);
    virtual bool CanGridAcceptKey(int key, ui::TShiftState shift);
    virtual bool CanEditModify();
    virtual QString GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const QString& value);
    virtual int GetEditLimit();
    virtual QString GetEditMask(int col, int row);
    virtual TEditStyle GetEditStyle(int col, int row);
    virtual void ColumnMoved(int fromIndex, int toIndex);
    virtual void RowMoved(int fromIndex, int toIndex);
    virtual void SizeChanged(int oldColCount, int oldRowCount);
    virtual void TopLeftChanged();
    virtual void TimedScroll(TGridScrollDirection direction);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual bool BeginColumnDrag(int& origin, int& destination, QPoint mousePt);
    virtual bool BeginRowDrag(int& origin, int& destination, QPoint mousePt);
    virtual bool CheckColumnDrag(int& origin, int& destination, QPoint mousePt);
    virtual bool CheckRowDrag(int& origin, int& destination, QPoint mousePt);
    virtual bool EndColumnDrag(int& origin, int& destination, QPoint mousePt);
    virtual bool EndRowDrag(int& origin, int& destination, QPoint mousePt);

    void ChangeSize(int newColCount, int newRowCount);
    void SelectionMoved(const TGridRect& oldSelection);
    void TopLeftMoved(const TGridCoord& oldTopLeft);
    void ScrollData(int dx, int dy);
    bool IsSizingPoint(int x, int y) const;
    int SizingDistance(const TGridLayoutX& layout) const;
    void MoveAndScroll(int mouse, int cellHit, TGridLayoutX& layout, bool columns, QPoint mousePt);
    void CancelMode();
    void DrawSizingLine(const TGridLayoutX& layout);
    void DrawMoveLine();
    void DrawEdgeX(ui::TCanvas& canvas, const ui::TRect& rect, bool bottomRight, bool topLeft,
                   bool down) const;

    void Paint() override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void CharTyped(QChar ch) override;
    void DoExit() override;
    void FocusIn(QWidget* from) override;
    void FocusOut(QWidget* to) override;
    void ScrollAction(int bar, int code, int pos) override;
    void TimerFired(int id) override;
    void Resized() override;
    void ShowingChanged() override;
    void FontChanged() override;
    unsigned DialogCode() override;
    bool WantSpecialKey(int key) override;
    Qt::CursorShape CursorAt(int x, int y) override;
    void WMCancelMode() override;
    void CMCancelMode(QWidget* sender) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    class TPainter;

    void CalcContraInfo(TGridAxisLayoutX& axis, bool columns, int extent) const;
    void CalcFixedInfo(TGridAxisLayoutX& axis, bool columns) const;
    void CalcVisibleInfo(TGridAxisLayoutX& axis, int extent) const;
    void ResizeAllExtents(std::vector<int>& widths, std::vector<int>& tabStops,
                          std::vector<int>& heights) const;
    void PullInsideAfterSizeChange();
    void RedrawAfterSizeChange(const TGridCoord& oldTopLeft, const TGridLayoutX* oldLayout);
    void ModifyPixelScrollBar(int code, int pos);
    void TabTarget(TGridCoord& cell, bool backward) const;
    bool ScrollBarWanted(int bar) const;
    void StopDrag();

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int frozenCols_ = 0;
    int frozenRows_ = 0;
    int contraColCount_ = 0;
    int contraRowCount_ = 0;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TGridOptionsX options_ =
        goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    ui::TColor fixedColor_ = ui::clBtnFace;
    bool flat_ = false;
    bool defaultDrawing_ = true;
    // Element 0 holds the count, elements 1..count the values; empty when
    // every cell has the default.
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    std::vector<int> tabStops_;
    TGridCoord anchor_{1, 1};
    TGridCoord current_{1, 1};
    TGridCoord topLeft_{1, 1};
    int colOffset_ = 0;
    TGridStateX gridState_ = gsNormal;
    int sizingIndex_ = 0;
    int sizingPos_ = 0;
    int sizingOfs_ = 0;
    ui::TRect sizingBand_;
    bool sizingLineShown_ = false;
    int moveIndex_ = 0;
    int movePos_ = 0;
    ui::TRect moveBand_;
    bool moveLineShown_ = false;
    QPoint lastMousePos_;
    TInplaceEdit* editor_ = nullptr;
    int editorCol_ = -1;
    int editorRow_ = -1;
    bool editorMode_ = false;
    bool canEditModify_ = true;
    bool scrollRangeUpdating_ = false;
    int lockCount_ = 0;
    std::unique_ptr<TGridLineColorsX> lineColors_;
};

// A multiply-then-divide with a 64-bit product, rounded to the nearest whole
// number; -1 when dividing by zero.
int MulDiv(int number, int numerator, int denominator);

} // namespace kx
