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

#include "grid/base/customgridx.h"
#include "grid/dbgrid/dbgridoptions.h"
#include "grid/dbgrid/dbgridxstyle.h"
#include "grid/dbgrid/layoutlock.h"

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

struct TFieldsData;
class TDBSumListProducer;
class TGridDataLinkX;
class TDBGridColumnX;
class TDBGridColumnsX;
class TColumnsXList;
class TDBGridXColumnDefValuesX;
class TBookmarkListX;
class THeadTreeNode;
class TDBGridXSumList;
class TDBGridXSelection;
class TColCellParamsX;
class TSTDBGridXFilter;
class TDBGridXScrollBar;
class TVertDBGridXScrollBar;
class TDBGridInplaceEdit;

// One column with its leaf of the title tree, for multi-level titles.
struct TLeafCol {
    TDBGridColumnX* Column = nullptr;
    THeadTreeNode* Leaf = nullptr;
};

class TCustomDBGridX : public TCustomGridX, public TDBGridXStyleUser {
public:
    using TNotifyEvent = std::function<void(TCustomDBGridX* sender)>;
    using TColumnEvent = std::function<void(TDBGridColumnX* column)>;
    using TMovedEvent = std::function<void(TCustomDBGridX* sender, int fromIndex, int toIndex)>;
    using TDrawColumnCellEvent =
        std::function<void(TCustomDBGridX* sender, const ui::TRect& rect, int dataCol,
                           TDBGridColumnX* column, TGridDrawState state)>;
    using TGetCellParamsEvent =
        std::function<void(TCustomDBGridX* sender, TDBGridColumnX* column, QFont& font,
                           ui::TColor& background, TGridDrawState state)>;
    using TGetFooterParamsEvent = std::function<void(
        TCustomDBGridX* sender, int dataCol, int row, TDBGridColumnX* column, QFont& font,
        ui::TColor& background, int& alignment, TGridDrawState state, QString& text)>;
    using TTitleClickEvent = std::function<void(TDBGridColumnX* column)>;
    using TMoveRecordsEvent =
        std::function<void(TCustomDBGridX* sender, int bookmarkCount, int& toIndex, bool& handled)>;

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
    TBookmarkListX* SelectedRows() const { return selectedRows_.get(); }
    TDBGridXSelection* Selection() const { return selection_.get(); }
    TDBGridXSumList* SumList() const { return sumList_.get(); }
    void SetSumList(TDBGridXSumList* sumList);
    TSTDBGridXFilter* STFilter() const { return stFilter_.get(); }
    TDBGridXStyle* Style() const { return style_; }
    void SetStyle(TDBGridXStyle* style);
    void DropStyle() override;
    const TFieldsData* FieldsData() const { return fieldsData_.get(); }
    void SetFieldsData(std::shared_ptr<const TFieldsData> fieldsData);

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
    ui::TColor OddRowColor() const { return oddRowColor_; }
    void SetOddRowColor(ui::TColor color);
    bool OddRowColorSet() const { return oddRowColorSet_; }
    ui::TColor EvenRowColor() const { return evenRowColor_; }
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
    int CalcTitleTreeHeight() const;
    TDBGridXScrollBar* HorzScrollBar() const { return horzScrollBar_.get(); }
    TVertDBGridXScrollBar* VertScrollBar() const { return vertScrollBar_.get(); }
    // Rows below the last record show as empty ruled lines.
    bool ShowEmptyRows = false;

    // Columns, titles and footers (dbgridcolumns.cpp, dbgridtitles.cpp,
    // dbgridfooters.cpp).
    void RebuildSortMarkedColumns();
    void InvalidateFooter();
    QString GetFooterText(int dataCol, int footerRow) const;
    bool CanModifyRecord() const;

    // Painting (dbgridpaint.cpp).
    bool GridOrEditorFocused() const;
    bool ThemedFixedCells() const;
    virtual void DefaultDrawDataCell(const ui::TRect& rect, db::TField* field,
                                     TGridDrawState state);
    void WriteCellText(ui::TCanvas& canvas, const ui::TRect& rect, bool fillRect, int dx, int dy,
                       const QString& text, int alignment, bool multiLine, bool endEllipsis);

    // Keys, mouse and record moving (dbgridkeys.cpp, dbgridmouse.cpp).
    void ClearSelection();
    void MoveBySelecting(int distance);
    void CopyFromPreviousRecord();
    void MoveToColumn(int dataCol);
    void OpenFindDialog();
    bool FindDialogModal() const { return findDialogModal_; }
    void OptimizeColWidth(TDBGridColumnX* column);
    void OptimizeColsWidth(const std::vector<TDBGridColumnX*>& columns);
    void StopTracking();
    void MoveSelectedRecordsTo(int toIndex);
    virtual void DefaultMoveRecords(int toIndex);
    void StartRecordMoving();
    void StopRecordMoving();

    // Filter row (dbgridfilter.cpp).
    void ApplyFilter();
    void ClearFilter();
    virtual void DefaultApplyFilter();
    bool FilterEditMode() const { return filterEditMode_; }
    void ShowFilterEditor();
    void HideFilterEditor();
    void PlaceFilterEditor();

    // Selection, sorting and data service (dbgridselection.cpp).
    void InvalidateSelection();
    void UpdateEditorText();
    int VisibleDataRowCount() const;
    virtual void DefaultApplySorting();
    bool LocateText(const QString& fieldName, const QString& text, bool partial);
    bool MultiSortPending() const { return multiSortPending_; }
    virtual void SortMarkingChanged();

    // Messages, scrolling and incremental search (dbgridmessages.cpp).
    int DataRowCount() const;
    int BufferRowRecNo(int bufferRow) const;
    ui::TRect DataCellsBoxRect(int left, int top, int right, int bottom) const;
    ui::TRect GetDataCellsRect() const;
    void SaveRowPosition();
    void RestoreRowPosition();
    void SetCurrentGridCol(int col);
    bool IncSearchActive() const { return incSearchActive_; }
    const QString& IncSearchText() const { return incSearchText_; }
    void IncSearchAddText(const QString& text);
    void StopIncSearch();
    bool HasDatasetCursor() const;

    // Properties, edit actions and frame (dbgridproperties.cpp).
    bool CanCopySelection() const;
    bool CanCutSelection() const;
    bool CanDeleteSelection() const;
    bool CanPasteSelection() const;
    bool CanSelectAll() const;
    int FlatBorderWidth() const;
    bool IsFrozenSizingPoint(int x, int y) const;

    // Tool tips (dbgridhints.cpp).
    QString CellHintText(int col, int row) const;

    // Events.
    TColumnEvent OnCellClick;
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
    TNotifyEvent OnSumListRecalcAll;
    TNotifyEvent OnSumListAfterRecalcAll;
    TNotifyEvent OnApplyFilter;
    TMoveRecordsEvent OnMoveRecords;

protected:
    friend class TGridDataLinkX;
    friend class TDBGridColumnX;
    friend class TDBGridColumnsX;

    // Factories.
    virtual std::unique_ptr<TDBGridColumnsX> MakeColumnCollection();
    virtual std::unique_ptr<TDBGridXColumnDefValuesX> MakeColumnDefValues();
    virtual std::unique_ptr<TDBGridXScrollBar> MakeHorzScrollBar();
    virtual std::unique_ptr<TVertDBGridXScrollBar> MakeVertScrollBar();
    TInplaceEdit* CreateEditor() override;

    // Data link reactions (dbgriddata.cpp).
    virtual void LinkActive(bool active);
    virtual void LinkDataSetChanged();
    virtual void DataChanged(int distance);
    virtual void RecordChanged(db::TField* field);
    virtual void UpdateData();
    virtual void BuildFieldMap();
    void ShowEditorForField();

    // Base grid reactions.
    void CreateWnd();
    void ColumnMoved(int fromIndex, int toIndex) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(int oldColCount, int oldRowCount) override;
    void TopLeftChanged() override;
    void FlatChanged() override;
    void CalcSizingState(int x, int y, const TGridLayoutX& layout, TGridStateX& state, int& index,
                         int& sizingPos, int& sizingOfs) const override;
    void Loaded();
    void ChangeScale(int multiplier, int divider);

    // Editor hooks.
    bool EditorAcceptsKey(QChar key);
    bool CanEditCell();
    bool BeginCellEdit();
    bool EditorCanShow();
    bool EditorAlwaysShown() const;
    int EditorMaxLength() const;
    QString EditorMask(int col) const;
    QString EditorText(int col);
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
    virtual void FireCellClick(TDBGridColumnX* column);
    virtual void FireColEnter();
    virtual void FireColExit();
    virtual void FireEditButtonClick();
    virtual void FireDrawColumnCell(const ui::TRect& rect, int dataCol, TDBGridColumnX* column,
                                    TGridDrawState state);
    virtual void FireGetCellParams(TDBGridColumnX* column, QFont& font, ui::TColor& background,
                                   TGridDrawState state);
    virtual void FireGetFooterParams(int dataCol, int row, TDBGridColumnX* column, QFont& font,
                                     ui::TColor& background, int& alignment, TGridDrawState state,
                                     QString& text);

    // Sum list.
    void HandleSumListChanged();
    void HandleSumListRecalcAll();
    void HandleSumListAfterRecalcAll();

    // Painting.
    void DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState state) override;
    virtual void DrawDataCell(const ui::TRect& rect, db::TField* field, TGridDrawState state);
    void DrawEditButton(ui::TCanvas& canvas, const ui::TRect& rect, TDBGridColumnX* column,
                        bool pressed, bool active);
    bool DataCellHighlight(TDBGridColumnX* column, QFont& font, ui::TColor& background,
                           TGridDrawState state, int row, int dataCol, int dataRow);
    bool FixedCellHighlight(QFont& font, ui::TColor& background, bool selected, int areaKind,
                            int areaSubKind);
    bool IsCellSelected(int dataCol, int dataRow) const;
    TColumnCellKind ColumnCellKind(const TDBGridColumnX* column) const;

    // Keys and mouse.
    void KeyDown(int& key, ui::TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void CharTyped(QChar ch) override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseMove(ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    bool DoMouseWheelDown(ui::TShiftState shift, QPoint mousePos) override;
    bool DoMouseWheelUp(ui::TShiftState shift, QPoint mousePos) override;
    void TrackTitleButton(int x, int y);
    void DrawSizingLine();
    void CalcFrozenSizingState(int x, int y, TGridStateX& state, int& index, int& sizingPos,
                               int& sizingOfs);
    void TrackRecordMoving(int x, int y);
    int DropPosition(int y) const;
    void DoExit() override;
    void Paint() override;
    Qt::CursorShape CursorAt(int x, int y) override;
    void TimerFired(int id) override;

    // Filter row.
    void ColumnFilterToEditor();
    void EditorToColumnFilter();
    void CreateFilterEditor();

    // Timers and incremental search.
    void StartTimer(int interval);
    void StopTimer();
    void AutoScrollStep();
    void StartIncSearchTimer();
    void StopIncSearchTimer();
    void WMDeferredLayout();

private:
    void ApplyOptionsToBase();

    std::unique_ptr<TGridDataLinkX> dataLink_;
    std::unique_ptr<TDBGridXColumnDefValuesX> columnDefValues_;
    std::unique_ptr<TDBGridColumnsX> columns_;
    std::unique_ptr<TColumnsXList> visibleColumns_;
    std::unique_ptr<TColumnsXList> sortMarkedColumns_;
    std::unique_ptr<TBookmarkListX> selectedRows_;
    std::unique_ptr<THeadTreeNode> headTree_;
    std::unique_ptr<TDBGridXSumList> sumList_;
    std::unique_ptr<TDBGridXScrollBar> horzScrollBar_;
    std::unique_ptr<TVertDBGridXScrollBar> vertScrollBar_;
    std::unique_ptr<TDBGridXSelection> selection_;
    std::unique_ptr<TColCellParamsX> cellParams_;
    std::unique_ptr<TSTDBGridXFilter> stFilter_;
    std::shared_ptr<const TFieldsData> fieldsData_;
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
    bool layoutFromLink_ = false;
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
    bool datasetCursorAllowed_ = true;

    bool filterEditMode_ = false;
    bool findDialogModal_ = false;
    bool multiSortPending_ = false;
    bool incSearchActive_ = false;
    QString incSearchText_;
    QString editText_;
    QByteArray savedRowBookmark_;
    int savedRowOffset_ = 0;
    QTimer* timer_ = nullptr;
    QTimer* incSearchTimer_ = nullptr;
};

} // namespace kx
