#pragma once
// The data-aware grid: a TCustomGridX bound through its data link to a data
// source, with a collection of columns, a title tree, footers over a sum
// list, selections, a filter row and the base grid's in-place editor.
//
// One class for every concern of the grid, each concern in a source file of
// its own (the object, layout, columns, titles, footers, cell values,
// painting, keys, mouse, selection, filter row, messages, tool tips); the
// layout arithmetic, layout batching, title tree, footer texts and cell
// values it builds on live in their own files beside it.

#include "core/fieldsdata.h"
#include "grid/base/customgridx.h"
#include "grid/dbgrid/columnx.h"
#include "grid/dbgrid/dbgriddataservice.h"
#include "grid/dbgrid/dbgridfilter.h"
#include "grid/dbgrid/dbgridoptions.h"
#include "grid/dbgrid/dbgridproperties.h"
#include "grid/dbgrid/dbgridxscrollbar.h"
#include "grid/dbgrid/dbgridxstyle.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/layoutlock.h"
#include "grid/editors/inplaceeditholderx.h"

#include <QByteArray>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class QTimer;

namespace kx {

namespace db {
class TDataSet;
class TDataSource;
class TField;
} // namespace db

class TDBSumListProducer;
class TDBGridXColumnDefValuesX;
class THeadTreeNode;
class TDBGridXSumList;
class TDBGridXScrollBar;
class TVertDBGridXScrollBar;
class IMemTableX;
class TInplaceFilterEditX;
class TToolTipsWindow;
struct TCellHintInfo;

// One column with its leaf of the title tree, for multi-level titles.
struct TLeafCol {
    TColumnX* Column = nullptr;
    THeadTreeNode* Leaf = nullptr;
};

class TCustomDBGridX : public TCustomGridX, public TDBGridXStyleUser, public IInplaceEditHolderX {
public:
    using TNotifyEvent = std::function<void(TCustomDBGridX* sender)>;
    using TColumnEvent = std::function<void(TColumnX* column)>;
    using TMovedEvent = std::function<void(TCustomDBGridX* sender, int fromIndex, int toIndex)>;
    using TDrawColumnCellEvent =
        std::function<void(TCustomDBGridX* sender, const ui::TRect& rect, int dataCol,
                           TColumnX* column, TGridDrawState state)>;
    using TGetCellParamsEvent =
        std::function<void(TCustomDBGridX* sender, TColumnX* column, QFont& font,
                           ui::TColor& background, TGridDrawState state)>;
    using TGetFooterParamsEvent = std::function<void(
        TCustomDBGridX* sender, int dataCol, int row, TColumnX* column, QFont& font,
        ui::TColor& background, int& alignment, TGridDrawState state, QString& text)>;
    using TTitleClickEvent = std::function<void(TColumnX* column)>;
    // Answers whether the records can be (checkOnly) or were moved.
    using TMoveRecordsEvent =
        std::function<bool(TCustomDBGridX* sender, const QList<db::TBookmark>& bookmarks,
                           int toRecNo, int treeLevel, bool checkOnly)>;

    explicit TCustomDBGridX(QWidget* owner = nullptr);
    ~TCustomDBGridX() override;

    // Object, data link and layout counters (customdbgridx.cpp).
    db::TDataSource* GetDataSource() const;
    void SetDataSource(db::TDataSource* source);
    TGridDataLinkX* DataLink() const { return dataLink_.get(); }
    TDBGridColumnsX* Columns() const { return columns_.get(); }
    TColumnsXList* VisibleColumns() const { return visibleColumns_.get(); }
    TColumnsXList* SortMarkedColumns() const { return sortMarkedColumns_.get(); }
    TDBGridXColumnDefValuesX* ColumnDefValues() const { return columnDefValues_.get(); }
    TDBGridXSumList* SumList() const { return sumList_.get(); }
    void SetSumList(TDBGridXSumList* sumList);
    TDBGridXStyle* Style() const { return style_; }
    void SetStyle(TDBGridXStyle* style);
    void DropStyle() override;
    // The window's field rules, which money cells and footers read.
    const TFieldsDataArray& FieldsData() const { return fieldsData_; }
    void SetFieldsData(const TFieldsDataArray& fieldsData) { fieldsData_ = fieldsData; }

    void BeginLayout();
    void EndLayout();
    void BeginLayoutUpdate();
    bool AcquireLayoutLock();
    void EndLayoutUpdate();
    void DropLayoutUpdate();
    void PostDeferredLayout();
    bool LayoutUpdateHeld() const { return layoutLock_.UpdateHeld(); }

    int RawToDataColumn(int col) const { return col - indicatorOffset_; }
    int DataToRawColumn(int dataCol) const { return dataCol + indicatorOffset_; }
    int CurrentDataColumn() const;
    db::TField* CurrentField() const;
    virtual bool AcquireFocus();
    void InvalidateIndicator();
    bool Loading() const { return loading_; }
    // Form-stream reading: no layout runs until EndLoading.
    void BeginLoading() { loading_ = true; }
    void EndLoading();
    // The layout is running because the data link reported a change.
    bool LayoutFromLink() const { return layoutFromLink_; }
    // The edit text of the in-place editor as the grid last received it.
    const QString& EditText() const { return editText_; }
    bool EditorShown() const;
    // The current cell moves to the column showing field.
    void SelectColumnOfField(const db::TField* field);
    // An external scroll bar was scrolled.
    void ExternalScroll(bool vertical, int code, int pos);
    ui::TRect CellRect(int col, int row) const { return TCustomGridX::CellRect(col, row); }

    // Properties.
    TDBGridOptions Options() const { return options_; }
    void SetOptions(TDBGridOptions options);
    TDBGridOptionsX OptionsX() const { return optionsX_; }
    void SetOptionsX(TDBGridOptionsX options);
    TDBGridAllowedOperations AllowedOperations() const { return allowedOperations_; }
    void SetAllowedOperations(TDBGridAllowedOperations operations);
    TDBGridSelectionTypes AllowedSelections() const { return allowedSelections_; }
    void SetAllowedSelections(TDBGridSelectionTypes selections);
    bool SelectionKindAllowed(TDBGridSelectionType kind) const;
    ui::TColor FooterColor() const { return footerColor_; }
    void SetFooterColor(ui::TColor color);
    const QFont& TitleFont() const { return titleFont_; }
    void SetTitleFont(const QFont& font);
    const QFont& FooterFont() const { return footerFont_; }
    void SetFooterFont(const QFont& font);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    ui::TColor OddRowColor() const { return oddRowColorSet_ ? oddRowColor_ : Color(); }
    void SetOddRowColor(ui::TColor color);
    bool OddRowColorSet() const { return oddRowColorSet_; }
    ui::TColor EvenRowColor() const { return evenRowColorSet_ ? evenRowColor_ : Color(); }
    void SetEvenRowColor(ui::TColor color);
    bool EvenRowColorSet() const { return evenRowColorSet_; }
    bool DrawMemoText() const { return drawMemoText_; }
    void SetDrawMemoText(bool value);
    bool SumListActive() const;

    // Layout (dbgridlayout.cpp).
    int FooterRowCount() const { return footerRowCount_; }
    void SetFooterRowCount(int count);
    int TitleHeight() const { return titleHeight_; }
    void SetTitleHeight(int height);
    int TitleLines() const { return titleLines_; }
    void SetTitleLines(int lines);
    int VTitleMargin() const { return vTitleMargin_; }
    void SetVTitleMargin(int margin);
    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int height);
    int RowLines() const { return rowLines_; }
    void SetRowLines(int lines);
    int FrozenCols() const { return frozenCols_; }
    void SetFrozenCols(int count);
    bool AutoFitColWidths() const { return autoFitColWidths_; }
    void SetAutoFitColWidths(bool value);
    int MinAutoFitWidth() const { return minAutoFitWidth_; }
    void SetMinAutoFitWidth(int width);
    bool UseMultiTitle() const { return useMultiTitle_; }
    void SetUseMultiTitle(bool value);
    bool RowSizingAllowed() const { return rowSizingAllowed_; }
    void SetRowSizingAllowed(bool value);
    int IndicatorOffset() const { return indicatorOffset_; }
    int TitleOffset() const { return titleOffset_; }
    int TextPadding() const { return textPadding_; }
    bool WrapAllowed() const { return wrapAllowed_; }
    int EditButtonWidth() const { return editButtonWidth_; }
    int EditButtonHeight() const { return editButtonHeight_; }
    int ComputedTitleHeight() const { return computedTitleHeight_; }
    virtual void UpdateCurrentRow();
    void ChangeScale(int multiplier, int divider);
    const std::vector<TLeafCol>& LeafCols() const { return leafCols_; }
    THeadTreeNode* HeadTree() const { return headTree_.get(); }
    virtual void LayoutChanged();
    void InternalLayout();
    virtual void UpdateColumnTabStops();
    virtual void UpdateRowCount();
    virtual void UpdateScrollBar();
    virtual void UpdateHorzExtScrollBar();
    // The kind of a grid cell, and its data column and data row (-1 outside).
    TCellAreaKind GetCellType(int col, int row, int& dataCol, int& dataRow) const;
    TDBGridXScrollBar* HorzScrollBar() const { return horzScrollBar_.get(); }
    TVertDBGridXScrollBar* VertScrollBar() const { return vertScrollBar_.get(); }
    // Rows below the last record show as empty ruled lines.
    bool ShowEmptyRows = false;

    // Columns, titles and footers (dbgridcolumns.cpp, dbgridfooters.cpp).
    void RebuildSortMarkedColumns();
    void InvalidateFooter();
    virtual QString GetFooterText(int footerRow, TColumnX* column) const;
    bool CanModifyRecord() const;
    // The tallest title of a node's children, setting each child's height.
    int CalcTitleTreeHeight(THeadTreeNode* node) const;
    // The editor reloads its text from the cell.
    void RefreshEditor();

    // Painting (dbgridpaint.cpp; text and pictures through celltextoutput,
    // amounts through moneycells).
    using TDrawDataCellEvent = std::function<void(TCustomDBGridX* sender, const ui::TRect& rect,
                                                  db::TField* field, TGridDrawState state)>;
    using TDrawFooterCellEvent =
        std::function<void(TCustomDBGridX* sender, int dataCol, int row, TColumnX* column,
                           const ui::TRect& rect, TGridDrawState state)>;
    // sortMarker holds a TSortMarkerX.
    using TGetBtnParamsEvent =
        std::function<void(TCustomDBGridX* sender, TColumnX* column, QFont& font,
                           ui::TColor& background, int& sortMarker, bool isDown)>;
    bool GridOrEditorFocused() const;
    bool ThemedFixedCells() const;
    // The text writer of the cells; a right-to-left column is written
    // mirrored, its alignment and margins swapped.
    void WriteCellText(TColumnX* column, ui::TCanvas& canvas, const ui::TRect& rect, bool fill,
                       int dx, int dy, const QString& text, int alignment, TTextLayout layout,
                       bool wordWrap, bool endEllipsis, int leftMargin, int rightMargin);
    // The grid row that last showed the current-record indicator.
    int IndicatorRow() const { return indicatorRow_; }
    TDrawDataCellEvent OnDrawDataCell;
    TDrawFooterCellEvent OnDrawFooterCell;
    TGetBtnParamsEvent OnGetBtnParams;

    // Keys, mouse and record moving (dbgridkeys.cpp, dbgridmouse.cpp).
    void ClearSelection();
    // A record move that extends the selection; toEdge runs to the first or
    // last record.
    void MoveBySelecting(bool select, int distance, bool rowWise, bool toEdge);
    void CopyFromPreviousRecord();
    void MoveToColumn(int dataCol);
    void OpenFindDialog();
    bool FindDialogModal() const { return findDialogModal_; }
    void OptimizeColWidth(TColumnX* column);
    void OptimizeColsWidth(const std::vector<TColumnX*>& columns);
    void StopTracking();
    // Makes grid column col current, skipping hidden columns by step;
    // extendRect carries a rectangle selection along.
    void MoveToColumn(int col, int step, bool extendRect);
    int TrackingMode() const;
    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    // Ctrl+Delete deletes records on its own only where this is set; a grid
    // whose window has delete rules of its own leaves it off.
    bool KeyDeletesRecords = false;

    // Selection (dbgridselection.cpp).
    class TBookmarkListX& SelectedRows() const;
    class TDBGridXSelection& Selection() const;

protected:
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void CharTyped(QChar ch) override;
    bool WantSpecialKey(int key) override;
    // The release once the column menu has had its say.
    void InputMouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y);

private:
    void CtrlKeyDown(int key, ui::TShiftState shift);
    void PlainKeyDown(int key, ui::TShiftState shift);
    bool IncSearchKeyDown(int key, ui::TShiftState modifiers);
    bool IncSearchWanted() const;
    bool IncSearchTakes(QChar ch) const;
    void RunEditActionKey(TGridEditActionsX kind);
    void PasteKey();
    bool InsertingUntouched() const;
    void DownMove(ui::TShiftState shift);
    void UpMove(ui::TShiftState shift);
    void TabMove(bool forward);
    void MarkStep(bool awayFromAnchor);
    void MoveRowWise(bool select, int distance, bool toEdge);
    void DeleteRecordsByKey();
    void ClearCheckCell();
    TColumnX* ColumnAtGridCol(int col) const;
    void DoubleClickDown(ui::TShiftState shift, int x, int y);
    void TitleMouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y,
                        TGridCoord cell);
    void DataRowMouseDown(ui::TMouseButton button, ui::TShiftState shift, TGridCoord cell);
    void SelectionDrag(int x, int y);
    bool IsColumnSelectPoint(int x, int y) const;
    bool IsRecordSelectPoint(int x, int y) const;
    void ShowSelectionCursor(int x, int y);
    void ColumnSelectMouseDown(ui::TShiftState shift, TGridCoord cell);
    void ColumnSelectDrag(int x);
    void StartAutoScrollBeyondCells(int x, int y);
    void TitleButtonClicked(TColumnX* column, ui::TShiftState shift);
    int CellNeed(TColumnX* column);
    int FooterNeed(TColumnX* column);
    static std::shared_ptr<struct TDBGridXInput> MakeInput(TCustomDBGridX* grid);
    std::shared_ptr<TDBGridXInput> input_ = MakeInput(this);

public:
    // Filter row (dbgridfilter.cpp, its editing dbgridfilteredit.cpp).
    TSTDBGridXFilter* STFilter() const { return stFilter_.get(); }
    void SetSTFilter(const TSTDBGridXFilter& filter) { stFilter_->Assign(filter); }
    // The editor's text goes into its column filter first; the leftmost
    // column, the editor and the footers are set right again also when the
    // filter fails.
    void ApplyFilter();
    virtual void DefaultApplyFilter();
    void ClearFilter();
    // Filter editing is on and no selection hides the editor.
    virtual bool FilterEditMode() const;
    void ShowFilterEditor(int dataCol);
    void HideFilterEditor();
    void PlaceFilterEditor(bool reload);
    TInplaceFilterEditX* FilterEditor() const { return filterEditor_; }
    int FilterColumn() const { return filterColumn_; }
    // The data column shows a filter cell.
    bool HasFilterCell(int dataCol) const;
    // The filter editor's keys; true when the key was taken.
    bool FilterEditorKeyDown(int key, ui::TShiftState shift);
    void FilterEditorKeyPress(QChar& key);
    // The editor's list: filled before it drops down; a choice made.
    void FilterEditorDropDown();
    void FilterEditorClosingUp(int chosenIndex, bool& accept);
    void FilterEditorClosedUp(bool accept);
    // A press on a filter cell opens the editor there; true when it did.
    bool FilterRowMouseDown(ui::TMouseButton button, int x, int y);
    // The filter editor is shown and takes the grid's focus and wheel.
    bool FilterEditorActive() const;
    // Closes filter editing first.
    void ShowEditor();

    // IInplaceEditHolderX, for the filter editor.
    bool CanModify(QWidget* editor) override;
    void GetMouseDownInfo(QPoint& screenPoint, qint64& time) override;
    bool EditorWndProc(QWidget* editor, QEvent* event) override;
    void EditorKeyDown(QWidget* editor, int& key, ui::TShiftState shift) override;
    void EditorKeyPress(QWidget* editor, QChar& key) override;
    void EditorKeyUp(QWidget* editor, int& key, ui::TShiftState shift) override;

    // Selection, sorting and data service (dbgridselection.cpp, dbgridsorting.cpp).
    void InvalidateSelection();
    void UpdateEditorText();
    int VisibleDataRowCount() const;
    virtual bool LocateText(const QString& fieldName, const QString& text, int options,
                            TLocateTextDirection direction, TLocateTextMatching matching,
                            int range);
    bool MultiSortPending() const { return multiSortPending_; }
    // A title click with Ctrl changed the markers: sorting waits for Ctrl's release.
    void SetMultiSortPending(bool value) { multiSortPending_ = value; }
    virtual void SortMarkingChanged();
    virtual void DefaultApplySorting();
    void KeyUp(int& key, ui::TShiftState shift) override;

    // Messages, scrolling and incremental search (dbgridmessages.cpp).
    int DataRowCount() const;
    int BufferRowRecNo(int bufferRow) const;
    ui::TRect DataCellsBoxRect() const;
    TGridRect GetDataCellsRect() const;
    void SaveRowPosition();
    void RestoreRowPosition();
    const db::TBookmark& SavedRowBookmark() const { return savedRowBookmark_; }
    int SavedRowOffset() const { return savedRowOffset_; }
    int GetCol() const { return Col(); }
    void SetCurrentGridCol(int col);
    bool IncSearchActive() const { return incSearchActive_; }
    const QString& IncSearchText() const { return incSearchText_; }
    int IncSearchInterval() const { return incSearchInterval_; }
    // A negative time-out lets the search run until it is ended.
    void IncSearchAddText(const QString& text, int timeOut, TLocateTextDirection direction);
    void StopIncSearch();
    bool HasDatasetCursor() const;
    bool DoMouseWheelDown(ui::TShiftState shift, QPoint pos) override;
    bool DoMouseWheelUp(ui::TShiftState shift, QPoint pos) override;

    // Properties, edit actions and frame (dbgridproperties.cpp).
    bool CanCopySelection() const;
    bool CanCutSelection() const;
    bool CanDeleteSelection() const;
    bool CanPasteSelection() const;
    bool CanSelectAll() const;
    TGridEditActionsX EditActions() const { return editActions_; }
    void SetEditActions(TGridEditActionsX actions) { editActions_ = actions; }
    // The grid's answers to the standard edit actions; true when the action
    // was the grid's.
    bool ExecuteAction(QAction* action);
    bool UpdateAction(QAction* action);
    void SetColumnDefValues(const TDBGridXColumnDefValuesX& values);
    void SetHorzScrollBar(const TDBGridXScrollBar& scrollBar);
    void SetVertScrollBar(const TDBGridXScrollBar& scrollBar);
    int FlatBorderWidth() const;
    bool IsFrozenSizingPoint(int x, int y) const;
    TFrozenSizingHit FrozenSizingAt(int x, int y) const;

    // Tool tips (dbgridhints.cpp).
    QString CellHintText(TColumnX* column) const;
    // The pause before a hint over point shows, in milliseconds.
    int HintShowPause(QPoint point) const;
    // What shows over point; false when nothing does.
    bool CellHintInfo(QPoint point, TCellHintInfo& info);
    bool ToolTipShown() const;

    // Record moving by drag (dbgridrecordmoving.cpp). Levels are -1 outside
    // tree views.
    virtual bool StartRecordMoving(int x, int y, ui::TShiftState shift, bool checkOnly);
    virtual void TrackRecordMoving(QPoint pointer);
    // Accepted (the button released) the records move; else nothing moves.
    virtual void StopRecordMoving(bool accept);
    virtual bool MoveSelectedRecordsTo(int toDataRow, int treeLevel, bool checkOnly);
    virtual bool MoveRecords(const QList<db::TBookmark>& bookmarks, int toDataRow, bool checkOnly,
                             int treeLevel);
    virtual bool DefaultMoveRecords(const QList<db::TBookmark>& bookmarks, int toRecNo,
                                    bool checkOnly, int treeLevel);
    // The x where the drop marker starts over grid row row.
    virtual int DropPosition(int row, QPoint pointer, int& treeLevel) const;
    int MoveTargetRow() const { return recordMove_.TargetRow; }
    int MoveTargetLevel() const { return recordMove_.TargetLevel; }
    bool MoveMarkerShown() const { return recordMove_.Shown; }

    // Record-cursor data sets and tree rows (dbgridcursor.cpp).
    static constexpr int TreeLevelWidth = 18;
    enum TNodeChange { ncCollapse, ncExpand, ncToggle };
    IMemTableX* MemTable() const { return memTable_; }
    // Asks the data set again whether it keeps a record cursor of its own.
    void CheckDatasetCursor();
    bool TreeViewShown() const;
    // Row access in both modes: the data rows that show a record, the row
    // of the current record, and reading a row's record through the fields
    // (BeginReadRow answers what EndReadRow takes back).
    int ReadableRowCount() const;
    int CurrentRecordRow() const;
    bool IsCurrentRecordRow(int dataRow) const { return dataRow == CurrentRecordRow(); }
    int BeginReadRow(int dataRow) const;
    void EndReadRow(int saved) const;
    // The tree indentation of the read record; 0 outside a tree view.
    int TreeIndent() const;
    bool IsFirstVisibleColumn(const TColumnX* column) const;
    // A press in a row's indentation: true when the point lies in it; a
    // press on the node's own slot expands or collapses the node.
    virtual bool TreeNodeClick(int x, int y, bool checkOnly);
    void ExpandCurrentNode(TNodeChange change);
    // The first visible data row changes; the current record stays.
    void ScrollDataRowsTo(int topRow);
    void FetchRecords();

    // Events.
    std::function<void(TColumnX* column)> OnCellClick;
    TNotifyEvent OnColEnter;
    TNotifyEvent OnColExit;
    TNotifyEvent OnEditButtonClick;
    TMovedEvent OnColumnMoved;
    TNotifyEvent OnColWidthsChanged;
    TDrawColumnCellEvent OnDrawColumnCell;
    TGetCellParamsEvent OnGetCellParams;
    TGetFooterParamsEvent OnGetFooterParams;
    TTitleClickEvent OnTitleBtnClick;
    TTitleClickEvent OnTitleClick;
    TNotifyEvent OnSortMarkingChanged;
    TNotifyEvent OnSelectionChanged;
    std::function<void(TDBSumListProducer* sender)> OnSumListRecalcAll;
    std::function<void(TDBSumListProducer* sender)> OnSumListAfterRecalcAll;
    TNotifyEvent OnApplyFilter;
    TMoveRecordsEvent OnMoveRecords;

protected:
    friend class TGridDataLinkX;
    friend class TColumnX;
    friend class TDBGridColumnsX;
    friend class TDBGridInplaceEdit;

    // Factories.
    virtual std::unique_ptr<TDBGridColumnsX> MakeColumnCollection();
    virtual std::unique_ptr<TDBGridXColumnDefValuesX> MakeColumnDefValues();
    virtual std::unique_ptr<TDBGridXScrollBar> MakeHorzScrollBar();
    virtual std::unique_ptr<TVertDBGridXScrollBar> MakeVertScrollBar();

    // Data link reactions (dbgriddata.cpp).
    virtual void LinkActive(bool active);
    virtual void LinkDataSetChanged();
    virtual void DataChanged(int distance);
    virtual void RecordChanged(db::TField* field);
    virtual void UpdateData();
    virtual void BuildFieldMap();
    void ShowEditorForField();
    bool event(QEvent* event) override;

    // Base grid reactions.
    void CreateWnd();
    void ColumnMoved(int fromIndex, int toIndex) override;
    // A column of the collection is about to move from one index to another.
    virtual void ColumnIndexChanging(int fromIndex, int toIndex);
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void FlatChanged() override;
    void Resized() override;
    void FontChanged() override;
    // A right-button release over a data cell opens its column's menu.
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;

    // Editor hooks.
    TInplaceEdit* CreateEditor() override;
    bool EditorAcceptsKey(QChar key);
    bool CanEditCell();
    bool BeginCellEdit();
    bool EditorCanShow();
    bool EditorAlwaysShown() const;
    int EditorMaxLength() const;
    QString EditorMask(int col) const;
    QString EditorText(int col);
    // The cell's parameters as the editor starts with them, after the grid's
    // event (with gridEvent) and the column's; the text becomes the pending
    // text.
    void EditorCellParams(int col, TColCellParamsX& params, bool gridEvent);
    bool ColumnEditable(int dataCol) const;
    bool CanEditAcceptKey(QChar key) override;
    bool CanEditShow() const override;
    bool CanEditModify() override;
    int GetEditLimit() override;
    QString GetEditMask(int col, int row) override;
    QString GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const QString& value) override;
    TEditStyle GetEditStyle(int col, int row) override;

    // Event dispatchers.
    virtual void FireCellClick(TColumnX* column);
    virtual void FireColEnter();
    virtual void FireColExit();
    virtual void FireEditButtonClick();
    virtual void FireDrawColumnCell(const ui::TRect& rect, int dataCol, TColumnX* column,
                                    TGridDrawState state);
    virtual void FireGetCellParams(TColumnX* column, QFont& font, ui::TColor& background,
                                   TGridDrawState state);
    virtual void FireGetFooterParams(int dataCol, int row, TColumnX* column, QFont& font,
                                     ui::TColor& background, int& alignment, TGridDrawState state,
                                     QString& text);

    // Sum list.
    void HandleSumListChanged();
    void HandleSumListRecalcAll();
    void HandleSumListAfterRecalcAll();

    // Painting.
    // What DrawCell knows of the cell it paints, for the cell kinds' helpers.
    struct TPaintedCell {
        int Col = 0;
        int Row = 0;
        TGridDrawState State = 0;
        ui::TRect Bounds; // the whole cell, before a raised cell shrinks
        bool Raised = false;
        bool Themed = false;
        int DX = 2;
        int DY = 2;
    };
    // Area kinds handed to FixedCellHighlight: the indicator column or a
    // data column; sub-kinds: title, filter, data row, footer.
    enum TFixedArea { faIndicator, faDataColumn };
    enum TFixedAreaRow { farTitle, farFilter, farData, farFooter };
    void DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState state) override;
    virtual void DrawDataCell(const ui::TRect& rect, db::TField* field, TGridDrawState state);
    void DefaultDrawDataCell(const ui::TRect& rect, db::TField* field, TGridDrawState state);
    void DrawEditButton(ui::TCanvas& canvas, const ui::TRect& rect, TColumnX* column, bool pressed,
                        bool active);
    virtual bool DataCellHighlight(TColumnX* column, QFont& font, ui::TColor& fontColor,
                                   ui::TColor& background, TGridDrawState& state, int dataCol,
                                   int dataRow);
    virtual bool FixedCellHighlight(QFont& font, ui::TColor& fontColor, ui::TColor& background,
                                    bool selected, int areaKind, int areaSubKind);
    virtual bool IsCellSelected(int col, int row, int dataCol, int dataRow) const;
    virtual bool Cell3D(int col, int row, TCellAreaKind kind) const;
    // Themed, a tool-button face (pressed when down) over the cell; else
    // the cell filled with the brush.
    void DrawCellFrame(ui::TCanvas& canvas, const ui::TRect& rect, bool down);
    void DrawEmptyRowCell(const ui::TRect& rect, TColumnX* column);
    ui::TColor RecordRowColor(const TColumnX* column, int recordNumber) const;
    void DrawCellContent(ui::TCanvas& canvas, const ui::TRect& rect, TColumnX* column,
                         bool duplicate);
    void DrawCellEditButtons(ui::TCanvas& canvas, const ui::TRect& area, TColumnX* column);
    void DrawRequiredMark(ui::TCanvas& canvas, const ui::TRect& rect, TColumnX* column,
                          bool currentRecord);
    bool IsHiddenDuplicate(TColumnX* column, int recordRow);
    void DrawIncSearchText(ui::TCanvas& canvas, const ui::TRect& rect, const QString& cellText);
    void DrawTitleGroup(THeadTreeNode* node, TColumnX* column);
    TPaintedCell paintedCell_;
    int indicatorRow_ = -1;

    // Keys and mouse.
    void TrackTitleButton(int x, int y);
    void DrawSizingLine();
    bool StartFrozenSizing(int x, int y);
    void FrozenSizingDrag(int x);
    void EndFrozenSizing();
    // The pixels of the grid columns before col, each with its line.
    int ColumnsWidthBefore(int col) const;
    void CalcFrozenSizingState(int x, int y, TGridStateX& state, int& index, int& sizingPos,
                               int& sizingOfs);

    // A veto before a record move starts.
    virtual bool CanStartRecordMoving(int, int, QPoint) { return true; }
    void DrawMoveMarker();
    void RemoveMoveMarker();

    // Record-cursor mode.
    void UpdateCursorRowCount();
    void CursorDataChanged();
    void UpdateCursorScrollBar();
    void CursorScroll(int code, int pos);
    // direction 1 down, -1 up.
    void CursorWheel(ui::TShiftState shift, int direction);
    void LimitTopRow();
    void FollowCurrentRecord(bool byMouse);
    void DrawTreePart(ui::TCanvas& canvas, ui::TRect& rect, bool widen);
    void keyPressEvent(QKeyEvent* event) override;

    // Filter row.
    virtual void ColumnFilterToEditor(int dataCol);
    virtual void EditorToColumnFilter(int dataCol);
    virtual TInplaceFilterEditX* CreateFilterEditor();
    void SetUpFilterEditor(TInplaceFilterEditX* editor);
    // The editor outlives the grid's own part while Qt frees the children.
    void DetachFilterEditor();
    void HideFilterEditorBox();
    void MoveFilterEditor(int dataCol, int step, bool toEdge);
    void DrawFilterCell(const ui::TRect& rect, TColumnX* column);
    bool FilterHasDropDown(const TColumnX* column) const;

    // Tool tips.
    bool viewportEvent(QEvent* event) override;
    void TrackToolTip(QPoint point);
    void ShowToolTip(const TCellHintInfo& info);
    void HideToolTip();

    // Timers and incremental search.
    void StartTimer(int interval);
    void StopTimer();
    bool TimerRunning() const { return timerRunning_; }
    int TimerInterval() const { return timerInterval_; }
    void AutoScrollStep();
    void AutoScrollColumns(QPoint pointer);
    void AutoScrollRows(QPoint pointer);
    // A drag that must end ends its tracking and its timer.
    void WMCancelMode() override;
    void CMCancelMode(QWidget* sender) override;
    void EndTrackingOnCancel();
    void StartIncSearchTimer();
    void StopIncSearchTimer();
    bool IncSearchTimerRunning() const { return incSearchTimerRunning_; }
    void WMDeferredLayout();
    void TimerFired(int id) override;
    // The vertical bar moves the data set, not the rows.
    void ScrollAction(int bar, int code, int pos) override;
    void ThumbToRecordNumber(int pos);
    void ThumbToUnsequencedPlace(int pos);
    void FocusIn(QWidget* from) override;
    void FocusOut(QWidget* to) override;
    void wheelEvent(QWheelEvent* event) override;
    using TCustomGridX::SizeChanged;
    // The client size changed: rows and scroll bar follow, or the whole
    // layout when widths fit the client.
    virtual void SizeChanged();
    // A resize that came while the layout was held runs once it is let go.
    void RunPendingSizeChange();
    Qt::CursorShape CursorAt(int x, int y) override;
    unsigned DialogCode() override;
    void TopLeftChanged() override;

    // Properties, edit actions and frame.
    void CalcSizingState(int x, int y, const TGridLayoutX& layout, TGridStateX& state, int& index,
                         int& sizingPos, int& sizingOfs) const override;
    void ApplyFlatBorder();
    bool EditActionPossible(TGridEditActionsX kind) const;

private:
    void ColumnChanged(TColumnX* column);
    void InvalidateRow(int row);
    void ApplyOptionsToBase();
    void ApplyVertScrollBarValues(int min, int max, int page, int pos);
    void DropBuiltColumnsBeforeCustomized();
    void BuildColumnsFromFields();
    void UpdateVisibleColumnsAndCounts();
    void LayoutRowHeights();
    void LayoutTitleHeight();
    void AutoFitWidths();
    void ApplyHorzScrollBarWish();
    void SpreadWidthChange(TColumnX* column, int oldWidth, int newWidth);
    void DrawTitleCell(const ui::TRect& rect, TColumnX* column);
    void DrawDataCellText(const ui::TRect& rect, TColumnX* column, int recordRow,
                          TGridDrawState state);
    void DrawFooterCell(const ui::TRect& rect, TColumnX* column, int dataCol, int footerRow);
    void DrawIndicatorCell(const ui::TRect& rect, int row);
    QString MultiTitleCaption(const TColumnX* column) const;

    std::unique_ptr<TGridDataLinkX> dataLink_;
    std::unique_ptr<TDBGridXColumnDefValuesX> columnDefValues_;
    std::unique_ptr<TDBGridColumnsX> columns_;
    std::unique_ptr<TColumnsXList> visibleColumns_;
    std::unique_ptr<TColumnsXList> sortMarkedColumns_;
    std::unique_ptr<THeadTreeNode> headTree_;
    std::unique_ptr<TDBGridXSumList> sumList_;
    std::unique_ptr<TDBGridXScrollBar> horzScrollBar_;
    std::unique_ptr<TVertDBGridXScrollBar> vertScrollBar_;
    std::unique_ptr<TColCellParamsX> cellParams_;
    TFieldsDataArray fieldsData_;
    TDBGridXStyle* style_ = nullptr;
    std::vector<TLeafCol> leafCols_;

    TDBGridOptions options_ = dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines |
                              dgRowLines | dgTabs | dgConfirmDelete | dgCancelOnExit;
    TDBGridOptionsX optionsX_ = dghFixed3D | dghHighlightFocus | dghClearSelection | dghDialogFind;
    TDBGridAllowedOperations allowedOperations_ =
        alopInsertX | alopUpdateX | alopDeleteX | alopAppendX;
    TDBGridSelectionTypes allowedSelections_ =
        SelectionTypeBit(gstRecordBookmarks) | SelectionTypeBit(gstRectangle) |
        SelectionTypeBit(gstColumns) | SelectionTypeBit(gstAll);
    QFont titleFont_;
    QFont footerFont_;
    ui::TColor footerColor_ = ui::clWindow;
    ui::TColor oddRowColor_ = ui::clWindow;
    ui::TColor evenRowColor_ = ui::clWindow;
    bool oddRowColorSet_ = false;
    bool evenRowColorSet_ = false;
    bool defaultDrawing_ = true;
    bool readOnly_ = false;
    bool flat_ = false;
    bool drawMemoText_ = false;

    int footerRowCount_ = 0;
    int titleHeight_ = 0;
    int titleLines_ = 0;
    int vTitleMargin_ = 10;
    int rowHeight_ = 0;
    int rowLines_ = 0;
    int frozenCols_ = 0;
    bool autoFitColWidths_ = false;
    int minAutoFitWidth_ = 0;
    bool useMultiTitle_ = false;
    bool rowSizingAllowed_ = false;

    TDBGridLayoutLock layoutLock_;
    bool loading_ = false;
    bool destroying_ = false;
    bool layoutFromLink_ = false;
    int hiddenFrozenCount_ = 0;
    bool ownHorzScrollBar_ = true;
    ui::TScrollStyle scrollBarsApplied_ = ui::TScrollStyle::ssBoth;
    int vertScrollMin_ = 0;
    int vertScrollMax_ = 0;
    int vertScrollPage_ = 0;
    int vertScrollPos_ = 0;
    TScrollBarVisibleModeX vertVisibleModeSeen_ = sbAutoShowX;
    bool vertScrollSeen_ = false;
    QVariant editKeyValue_;
    // The editor chose a lookup key that the write-back stores.
    bool editKeySet_ = false;
    bool inSumListRecalc_ = false;
    int indicatorOffset_ = 1;
    int titleOffset_ = 1;
    int textPadding_ = 4;
    bool wrapAllowed_ = false;
    int computedTitleHeight_ = 0;
    int editButtonWidth_ = 0;
    int editButtonHeight_ = 0;
    int pressedTitleColumn_ = -1;
    int activeRecordSeen_ = -1;
    bool takeFocusAllowed_ = true;
    TInplaceFilterEditX* filterEditor_ = nullptr;
    int filterColumn_ = -1;
    // The press that opened the filter editor, for its double click.
    QPoint filterPressPoint_;
    qint64 filterPressTime_ = 0;
    TToolTipsWindow* toolTipWindow_ = nullptr;
    ui::TRect toolTipRect_;
    struct TRecordMove {
        int StartRow = -1;
        db::TBookmark StartBookmark;
        int StartLevel = -1;
        int TargetRow = -1;
        int TargetLevel = -1;
        int MarkerX = 0;
        ui::TRect Line;
        ui::TRect Tick;
        bool Shown = false;
    };
    TRecordMove recordMove_;
    IMemTableX* memTable_ = nullptr;
    bool fetching_ = false;
    bool cursorMoveByMouse_ = false;

    bool filterEditMode_ = false;
    bool findDialogModal_ = false;
    bool multiSortPending_ = false;
    bool incSearchActive_ = false;
    QString incSearchText_;
    QString editText_;
    QByteArray savedRowBookmark_;
    int savedRowOffset_ = 0;
    std::unique_ptr<TSTDBGridXFilter> stFilter_;
    bool timerRunning_ = false;
    int timerInterval_ = -1;
    bool incSearchTimerRunning_ = false;
    int incSearchInterval_ = -1;
    bool thumbTracked_ = false;
    bool sizeChangedWhileLocked_ = false;
    bool leftEdgeShown_ = true;
    TGridEditActionsX editActions_ = 0;
};

// Reads one data row's record through the fields while it lives.
class TReadRowScope {
public:
    TReadRowScope(const TCustomDBGridX& grid, int dataRow)
        : grid_(grid), saved_(grid.BeginReadRow(dataRow)) {}
    ~TReadRowScope() { grid_.EndReadRow(saved_); }
    TReadRowScope(const TReadRowScope&) = delete;
    TReadRowScope& operator=(const TReadRowScope&) = delete;

private:
    const TCustomDBGridX& grid_;
    int saved_;
};

} // namespace kx
