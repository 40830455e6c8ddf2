// The data-aware grid object: what it owns, its defaults, the layout
// counters, the data source, the column reactions, the editor hooks and the
// event dispatchers.

#include "grid/dbgrid/customdbgridx.h"

#include "grid/base/inplaceedit.h"
#include "grid/dbgrid/columndefvaluesx.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/dbgridhelpers.h"
#include "grid/dbgrid/dbgridinplaceedit.h"
#include "grid/dbgrid/dbgridlayoutmath.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/headtreenode.h"
#include "grid/dbgrid/inplacefilteredit.h"
#include "grid/editors/cellbuttons.h"
#include "platform/db/datasource.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QEvent>
#include <QScopeGuard>
#include <QStyle>

#include <algorithm>

namespace kx {

TCustomDBGridX::TCustomDBGridX(QWidget* owner)
    : TCustomGridX(owner), dataLink_(std::make_unique<TGridDataLinkX>(this)),
      visibleColumns_(std::make_unique<TColumnsXList>()),
      sortMarkedColumns_(std::make_unique<TColumnsXList>()),
      headTree_(std::make_unique<THeadTreeNode>(QStringLiteral("Root"), 10, 0)),
      sumList_(std::make_unique<TDBGridXSumList>(this)),
      cellParams_(std::make_unique<TColCellParamsX>()), titleFont_(font()), footerFont_(font()),
      stFilter_(std::make_unique<TSTDBGridXFilter>(this)) {
    layoutLock_.RunLayout = [this] { InternalLayout(); };
    layoutLock_.BeginColumnsUpdate = [this] { columns_->BeginUpdate(); };
    layoutLock_.EndColumnsUpdate = [this] { columns_->EndUpdate(); };
    layoutLock_.SetReceiver(this);
    columnDefValues_ = MakeColumnDefValues();
    columns_ = MakeColumnCollection();
    horzScrollBar_ = MakeHorzScrollBar();
    vertScrollBar_ = MakeVertScrollBar();
    sumList_->SumListChanged = [this](TDBSumListProducer*) { HandleSumListChanged(); };
    sumList_->OnRecalcAll = [this](TDBSumListProducer*) { HandleSumListRecalcAll(); };
    sumList_->OnAfterRecalcAll = [this](TDBSumListProducer*) { HandleSumListAfterRecalcAll(); };
    SetStyle(nullptr);
    TCustomGridX::SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                             goColSizing | goColMoving | goEditing | goTabs);
    SetColCount(2);
    SetRowCount(2);
    SetScrollBars(ui::TScrollStyle::ssHorizontal);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    CreateWnd();
}

TCustomDBGridX::~TCustomDBGridX() {
    destroying_ = true;
    // The application hears nothing more from a grid that is going.
    sumList_->SumListChanged = nullptr;
    sumList_->OnRecalcAll = nullptr;
    sumList_->OnAfterRecalcAll = nullptr;
    dataLink_->SetDataSource(nullptr);
    if (style_)
        style_->UnregisterGrid(this);
    horzScrollBar_->GridDestroying();
    vertScrollBar_->GridDestroying();
    layoutLock_.CancelDeferredLayout();
    DetachFilterEditor();
    // Columns go first: their footers leave the sum list.
    columns_.reset();
}

std::unique_ptr<TDBGridColumnsX> TCustomDBGridX::MakeColumnCollection() {
    return std::make_unique<TDBGridColumnsX>(
        this, [](TDBGridColumnsX* columns) { return std::make_unique<TDBGridColumnX>(columns); });
}

std::unique_ptr<TDBGridXColumnDefValuesX> TCustomDBGridX::MakeColumnDefValues() {
    return std::make_unique<TDBGridXColumnDefValuesX>(this);
}

std::unique_ptr<TDBGridXScrollBar> TCustomDBGridX::MakeHorzScrollBar() {
    return std::make_unique<TDBGridXScrollBar>(this, TDBGridXScrollBar::sbHorizontal);
}

std::unique_ptr<TVertDBGridXScrollBar> TCustomDBGridX::MakeVertScrollBar() {
    return std::make_unique<TVertDBGridXScrollBar>(this);
}

// ---- Data source, sum list and style -----------------------------------

db::TDataSource* TCustomDBGridX::GetDataSource() const {
    return dataLink_->DataSource();
}

void TCustomDBGridX::SetDataSource(db::TDataSource* source) {
    if (source == dataLink_->DataSource())
        return;
    dataLink_->SetDataSource(source);
    LinkActive(dataLink_->Active());
    sumList_->SetDataSet(source ? source->DataSet() : nullptr);
}

void TCustomDBGridX::SetSumList(TDBGridXSumList* sumList) {
    sumList_->Assign(*sumList);
}

bool TCustomDBGridX::SumListActive() const {
    return sumList_->Active();
}

void TCustomDBGridX::SetStyle(TDBGridXStyle* style) {
    if (!style)
        style = DefaultGridStyle();
    if (style == style_)
        return;
    if (style_)
        style_->UnregisterGrid(this);
    style_ = style;
    if (style_)
        style_->RegisterGrid(this);
    else
        LayoutChanged();
}

void TCustomDBGridX::DropStyle() {
    style_ = nullptr;
    InvalidateGrid();
}

// ---- Layout counters ---------------------------------------------------

void TCustomDBGridX::BeginLayout() {
    layoutLock_.BeginLayout();
}

void TCustomDBGridX::EndLayout() {
    layoutLock_.EndLayout();
    RunPendingSizeChange();
}

void TCustomDBGridX::BeginLayoutUpdate() {
    layoutLock_.BeginLayoutUpdate();
}

bool TCustomDBGridX::AcquireLayoutLock() {
    return layoutLock_.AcquireLayoutLock();
}

void TCustomDBGridX::EndLayoutUpdate() {
    layoutLock_.EndLayoutUpdate();
    RunPendingSizeChange();
}

void TCustomDBGridX::DropLayoutUpdate() {
    layoutLock_.DropLayoutUpdate();
}

void TCustomDBGridX::PostDeferredLayout() {
    layoutLock_.PostDeferredLayout();
}

void TCustomDBGridX::WMDeferredLayout() {
    layoutLock_.DeferredLayoutArrived();
}

bool TCustomDBGridX::event(QEvent* event) {
    if (event->type() == TDBGridLayoutLock::DeferredLayoutEvent()) {
        try {
            WMDeferredLayout();
        } catch (...) {
            ui::HandleCurrentException();
        }
        return true;
    }
    return TCustomGridX::event(event);
}

void TCustomDBGridX::EndLoading() {
    loading_ = false;
    if (autoFitColWidths_) {
        columns_->BeginUpdate();
        for (int i = 0; i < columns_->Count(); ++i)
            columns_->GetColumn(i)->BaseWidth = columns_->GetColumn(i)->Width();
        columns_->EndUpdate();
    }
    RebuildSortMarkedColumns();
    if (dataLink_->DataSource())
        sumList_->Reactivate();
    LayoutChanged();
}

// ---- Current column, focus and the indicator ---------------------------

int TCustomDBGridX::CurrentDataColumn() const {
    return RawToDataColumn(Col());
}

db::TField* TCustomDBGridX::CurrentField() const {
    const int dataCol = CurrentDataColumn();
    if (dataCol < 0 || dataCol >= columns_->Count())
        return nullptr;
    return columns_->GetColumn(dataCol)->Field();
}

void TCustomDBGridX::SelectColumnOfField(const db::TField* field) {
    for (int i = 0; i < columns_->Count(); ++i) {
        TColumnX* column = columns_->GetColumn(i);
        if (column->Visible() && column->Field() == field) {
            MoveToColumn(i);
            return;
        }
    }
}

void TCustomDBGridX::MoveToColumn(int dataCol) {
    const int col = DataToRawColumn(dataCol);
    if (col >= FixedCols() && col < ColCount())
        SetCol(col);
}

bool TCustomDBGridX::AcquireFocus() {
    if (!takeFocusAllowed_ || !isEnabled() || !isVisible())
        return true;
    setFocus();
    // The grid hands the focus on to its filter editor.
    return GridOrEditorFocused() || (filterEditor_ && QApplication::focusWidget() == filterEditor_);
}

bool TCustomDBGridX::GridOrEditorFocused() const {
    const QWidget* focused = QApplication::focusWidget();
    return focused && (focused == this || focused == viewport() ||
                       (InplaceEditor() && focused == InplaceEditor()));
}

void TCustomDBGridX::InvalidateIndicator() {
    if (options_ & dgIndicator)
        InvalidateCell(0, Row());
}

bool TCustomDBGridX::EditorShown() const {
    return EditorMode() && InplaceEditor();
}

// ---- Properties --------------------------------------------------------

void TCustomDBGridX::ApplyOptionsToBase() {
    TGridOptionsX base = 0;
    if (rowSizingAllowed_)
        base |= goRowSizing;
    if (options_ & dgColLines)
        base |= goFixedVertLine | goVertLine;
    if (options_ & dgRowLines)
        base |= goFixedHorzLine | goHorzLine;
    if (options_ & dgColumnResize)
        base |= goColSizing | goColMoving;
    if (options_ & dgTabs)
        base |= goTabs;
    if (options_ & dgRowSelect)
        base |= goRowSelect;
    if (options_ & dgEditing)
        base |= goEditing;
    if (options_ & dgAlwaysShowEditor)
        base |= goAlwaysShowEditor;
    TCustomGridX::SetOptions(base);
}

void TCustomDBGridX::SetOptions(TDBGridOptions options) {
    if (options & dgRowSelect)
        options &= ~(dgEditing | dgAlwaysShowEditor);
    if (options == options_)
        return;
    constexpr TDBGridOptions layoutOptions = dgEditing | dgAlwaysShowEditor | dgTitles |
                                             dgIndicator | dgColLines | dgRowLines | dgRowSelect |
                                             dgAlwaysShowSelection;
    const bool relayout = ((options ^ options_) & layoutOptions) != 0;
    options_ = options;
    ApplyOptionsToBase();
    if (relayout)
        LayoutChanged();
    if (EditorMode())
        RefreshEditor();
}

void TCustomDBGridX::SetOptionsX(TDBGridOptionsX options) {
    if (options == optionsX_)
        return;
    if ((optionsX_ & dghMultiSortMarking) && !(options & dghMultiSortMarking)) {
        // Only the first sort column keeps its marker; unmarking changes
        // the list, so walk a copy of it.
        std::vector<TColumnX*> marked;
        for (int i = 1; i < sortMarkedColumns_->Count(); ++i)
            marked.push_back(sortMarkedColumns_->GetColumn(i));
        for (auto it = marked.rbegin(); it != marked.rend(); ++it)
            if (*it)
                (*it)->Title()->SetSortMarker(smNoneX);
    }
    optionsX_ = options;
    LayoutChanged();
}

void TCustomDBGridX::SetAllowedOperations(TDBGridAllowedOperations operations) {
    allowedOperations_ = operations;
}

void TCustomDBGridX::SetAllowedSelections(TDBGridSelectionTypes selections) {
    if (selections == allowedSelections_)
        return;
    allowedSelections_ = selections;
    const TDBGridSelectionType active = Selection().SelectionType();
    if (active != gstNon && !(selections & SelectionTypeBit(active)))
        Selection().Clear();
}

bool TCustomDBGridX::SelectionKindAllowed(TDBGridSelectionType kind) const {
    if (kind == gstNon)
        return true;
    if (!(options_ & dgMultiSelect) || !(allowedSelections_ & SelectionTypeBit(kind)))
        return false;
    return kind == gstRecordBookmarks || kind == gstAll || !(options_ & dgRowSelect);
}

void TCustomDBGridX::SetFooterColor(ui::TColor color) {
    footerColor_ = color;
    if (footerRowCount_ > 0)
        InvalidateGrid();
}

void TCustomDBGridX::SetTitleFont(const QFont& font) {
    titleFont_ = font;
    if (options_ & dgTitles)
        LayoutChanged();
}

void TCustomDBGridX::SetFooterFont(const QFont& font) {
    footerFont_ = font;
    if (footerRowCount_ > 0)
        LayoutChanged();
}

void TCustomDBGridX::SetFlat(bool value) {
    if (value == flat_)
        return;
    flat_ = value;
    TCustomGridX::SetFlat(value);
}

void TCustomDBGridX::FlatChanged() {
    textPadding_ = flat_ ? 2 : 4;
    ApplyFlatBorder();
    CreateWnd();
}

void TCustomDBGridX::SetDrawMemoText(bool value) {
    drawMemoText_ = value;
    InvalidateGrid();
}

void TCustomDBGridX::FontChanged() {
    TCustomGridX::FontChanged();
    LayoutChanged();
}

// ---- Window creation ---------------------------------------------------

void TCustomDBGridX::CreateWnd() {
    editButtonWidth_ =
        flat_ ? FlatButtonWidth() : QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    editButtonHeight_ = qRound(editButtonWidth_ * 3 / 2.0) < DefaultRowHeight()
                            ? EditButtonHeightFor(editButtonWidth_, flat_)
                            : DefaultRowHeight();
    if (autoFitColWidths_) {
        LayoutChanged();
    } else if (layoutLock_.LayoutLockCount() == 0) {
        UpdateRowCount();
        UpdateCurrentRow();
    }
    UpdateScrollBar();
}

void TCustomDBGridX::Resized() {
    TCustomGridX::Resized();
    if (layoutLock_.UpdateHeld())
        sizeChangedWhileLocked_ = true;
    else
        SizeChanged();
    UpdateHorzExtScrollBar();
}

void TCustomDBGridX::ExternalScroll(bool vertical, int code, int pos) {
    ScrollAction(vertical ? ui::SB_VERT : ui::SB_HORZ, code, pos);
}

void TCustomDBGridX::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (button == ui::TMouseButton::mbRight) {
        const TGridCoord cell = MouseCoord(x, y);
        int dataCol = 0;
        int dataRow = 0;
        if (cell.X >= 0 && cell.Y >= 0 &&
            GetCellType(cell.X, cell.Y, dataCol, dataRow) == cakData &&
            dataCol < columns_->Count()) {
            if (QMenu* menu = columns_->GetColumn(dataCol)->PopupMenu()) {
                CancelMode();
                menu->popup(mapToGlobal(QPoint(x, y)));
                return;
            }
        }
    }
    InputMouseUp(button, shift, x, y);
}

// ---- Column reactions --------------------------------------------------

void TCustomDBGridX::ColumnMoved(int fromIndex, int toIndex) {
    const int fromData = RawToDataColumn(fromIndex);
    const int toData = RawToDataColumn(toIndex);
    columns_->GetColumn(fromData)->SetIndex(toData);
    if (OnColumnMoved)
        OnColumnMoved(this, fromData, toData);
}

void TCustomDBGridX::ColumnIndexChanging(int, int) {}

void TCustomDBGridX::ColWidthsChanged() {
    const bool ownLayout = (dataLink_->Active() || columns_->GetState()) && AcquireLayoutLock();
    if (ownLayout) {
        const auto end = qScopeGuard([this] { EndLayoutUpdate(); });
        TCustomGridX::ColWidthsChanged();
        for (int i = 0; i < columns_->Count() && DataToRawColumn(i) < FullColCount(); ++i) {
            TColumnX* column = columns_->GetColumn(i);
            const int col = DataToRawColumn(i);
            const int gridWidth = GetColWidths(col);
            if (!column->Visible() || gridWidth <= 0)
                continue;
            const int clamped = column->ClampWidth(gridWidth);
            if (clamped != gridWidth)
                SetColWidths(col, clamped);
            const int oldWidth = column->Width();
            if (!autoFitColWidths_) {
                column->SetWidth(clamped);
            } else if (clamped != oldWidth) {
                if (optionsX_ & dghResizeWholeRightPart)
                    SpreadWidthChange(column, oldWidth, clamped);
                else if (column->AutoFitColWidth()) {
                    const int oldBase = column->BaseWidth;
                    column->BaseWidth = RescaledBaseWidth(oldBase, clamped, oldWidth);
                    const int next = visibleColumns_->IndexOf(column) + 1;
                    if (next > 0 && next < visibleColumns_->Count()) {
                        TColumnX* right = visibleColumns_->GetColumn(next);
                        right->BaseWidth =
                            std::max(0, right->BaseWidth + oldBase - column->BaseWidth);
                    }
                } else {
                    column->SetWidth(clamped);
                }
            }
        }
    } else {
        TCustomGridX::ColWidthsChanged();
    }
    RefreshEditor();
    if (OnColWidthsChanged)
        OnColWidthsChanged(this);
    UpdateHorzExtScrollBar();
}

void TCustomDBGridX::SpreadWidthChange(TColumnX* column, int oldWidth, int newWidth) {
    if (column->AutoFitColWidth())
        column->BaseWidth = RescaledBaseWidth(column->BaseWidth, newWidth, oldWidth);
    else
        column->SetWidth(newWidth);
    const int start = visibleColumns_->IndexOf(column) + 1;
    int sum = 0;
    for (int i = start; i < visibleColumns_->Count(); ++i) {
        if (visibleColumns_->GetColumn(i)->AutoFitColWidth())
            sum += visibleColumns_->GetColumn(i)->Width();
    }
    if (sum <= 0)
        return;
    for (int i = start; i < visibleColumns_->Count(); ++i) {
        TColumnX* right = visibleColumns_->GetColumn(i);
        if (right->AutoFitColWidth())
            right->BaseWidth =
                std::max(1, MulDiv(right->BaseWidth, sum + oldWidth - newWidth, sum));
    }
}

void TCustomDBGridX::RowHeightsChanged() {
    const int firstDataRow = (options_ & dgTitles) ? 1 : 0;
    for (int row = firstDataRow; row < RowCount(); ++row) {
        const int height = GetRowHeights(row);
        if (height != DefaultRowHeight()) {
            rowLines_ = 0;
            rowHeight_ = height;
            LayoutChanged();
            UpdateScrollBar();
            break;
        }
    }
    TCustomGridX::RowHeightsChanged();
}

// ---- Editor hooks ------------------------------------------------------

TInplaceEdit* TCustomDBGridX::CreateEditor() {
    return new TDBGridInplaceEdit(viewport());
}

bool TCustomDBGridX::EditorAcceptsKey(QChar key) {
    const db::TField* field = CurrentField();
    if (!dataLink_->Active() || !field)
        return false;
    const int dataCol = CurrentDataColumn();
    if (!columns_->GetColumn(dataCol)->KeyList().isEmpty())
        return true;
    return field->IsValidChar(key);
}

bool TCustomDBGridX::BeginCellEdit() {
    if (readOnly_ || !dataLink_->Active() || dataLink_->ReadOnly())
        return false;
    const int dataCol = CurrentDataColumn();
    if (dataCol < 0 || dataCol >= columns_->Count())
        return false;
    TColumnX* column = columns_->GetColumn(dataCol);
    if (column->ReadOnly() || !column->Field() || !column->CellEditable(false))
        return false;
    if (!dataLink_->Edit())
        return false;
    dataLink_->MarkEditorChanged();
    return true;
}

bool TCustomDBGridX::CanEditCell() {
    const int dataCol = CurrentDataColumn();
    if (dataCol < 0 || dataCol >= columns_->Count())
        return false;
    // The cell-parameter events may have made the editor read-only for this
    // cell.
    if (const auto* editor = dynamic_cast<const TDBGridInplaceEdit*>(InplaceEditor());
        editor && editor->ReadOnlyOverridden() && editor->isReadOnly())
        return false;
    return columns_->GetColumn(dataCol)->ReadCellKind() != cellCheckBox && !incSearchActive_ &&
           BeginCellEdit();
}

bool TCustomDBGridX::EditorCanShow() {
    if (layoutLock_.LayoutLockCount() > 0 || !TCustomGridX::CanEditShow())
        return false;
    const int dataCol = CurrentDataColumn();
    if (dataCol < 0 || dataCol >= columns_->Count())
        return false;
    const TColumnCellKind kind = columns_->GetColumn(dataCol)->ReadCellKind();
    return kind != cellImages && kind != cellCheckBox && !incSearchActive_;
}

bool TCustomDBGridX::EditorAlwaysShown() const {
    return (options_ & dgAlwaysShowEditor) != 0 && !filterEditMode_;
}

int TCustomDBGridX::EditorMaxLength() const {
    const int dataCol = CurrentDataColumn();
    if (dataCol < 0 || dataCol >= columns_->Count())
        return 0;
    const TColumnX* column = columns_->GetColumn(dataCol);
    const db::TField* field = column->Field();
    if (!column->KeyList().isEmpty() || !field || field->DataType() != db::ftString)
        return 0;
    return field->Size();
}

QString TCustomDBGridX::EditorMask(int col) const {
    const int dataCol = RawToDataColumn(col);
    if (!dataLink_->Active() || dataCol < 0 || dataCol >= columns_->Count())
        return {};
    const TColumnX* column = columns_->GetColumn(dataCol);
    if (!column->EditMask().isEmpty())
        return column->EditMask();
    const db::TField* field = column->Field();
    if (!field || !column->KeyList().isEmpty())
        return {};
    return field->EditMask();
}

QString TCustomDBGridX::EditorText(int col) {
    TColCellParamsX params;
    EditorCellParams(col, params, false);
    return editText_;
}

void TCustomDBGridX::EditorCellParams(int col, TColCellParamsX& params, bool gridEvent) {
    const int dataCol = RawToDataColumn(col);
    if (!dataLink_->Active() || dataCol < 0 || dataCol >= columns_->Count()) {
        editText_.clear();
        return;
    }
    TColumnX* column = columns_->GetColumn(dataCol);
    const db::TField* field = column->Field();
    QString text;
    if (field) {
        if (!column->KeyList().isEmpty()) {
            const int index = column->KeyList().indexOf(field->EditText());
            text = index >= 0 && index < column->PickList().size() ? column->PickList()[index]
                                                                   : QString();
        } else if (drawMemoText_ && field->DataType() == db::ftMemo) {
            text = field->AsString().replace(u'\n', QStringLiteral("\r\n"));
        } else {
            text = field->EditText();
        }
        editKeyValue_ = field->Value();
        editKeySet_ = false;
    }
    column->FillCellParams(params);
    params.CellText = text;
    params.CellColor = column->Color();
    params.CellReadOnly = !column->CellEditable(false);
    if (gridEvent)
        FireGetCellParams(column, params.CellFont, params.CellColor, gdFocused | gdSelected);
    column->FireGetCellParams(true, params);
    editText_ = params.CellText;
}

bool TCustomDBGridX::ColumnEditable(int dataCol) const {
    if (dataCol < 0 || dataCol >= columns_->Count())
        return false;
    return columns_->GetColumn(dataCol)->CellEditable(false) && (options_ & dgEditing);
}

bool TCustomDBGridX::CanEditAcceptKey(QChar key) {
    return EditorAcceptsKey(key);
}

bool TCustomDBGridX::CanEditShow() const {
    return const_cast<TCustomDBGridX*>(this)->EditorCanShow();
}

bool TCustomDBGridX::CanEditModify() {
    return CanEditCell();
}

int TCustomDBGridX::GetEditLimit() {
    return EditorMaxLength();
}

QString TCustomDBGridX::GetEditMask(int col, int) {
    return EditorMask(col);
}

QString TCustomDBGridX::GetEditText(int col, int) {
    return EditorText(col);
}

void TCustomDBGridX::SetEditText(int, int, const QString& value) {
    editText_ = value;
}

TEditStyle TCustomDBGridX::GetEditStyle(int col, int) {
    const int dataCol = RawToDataColumn(col);
    if (dataCol < 0 || dataCol >= columns_->Count())
        return TEditStyle::esSimple;
    const TColumnX* column = columns_->GetColumn(dataCol);
    if (column->ButtonStyle() == cbsEllipsis)
        return TEditStyle::esEllipsis;
    const TColumnCellKind kind = column->ReadCellKind();
    if (column->ButtonStyle() == cbsAuto &&
        (kind == cellPickList || kind == cellKeyToPick || kind == cellLookupField))
        return TEditStyle::esPickList;
    return TEditStyle::esSimple;
}

void TCustomDBGridX::RefreshEditor() {
    if (EditorMode())
        UpdateText();
}

// ---- Event dispatchers -------------------------------------------------

void TCustomDBGridX::FireCellClick(TColumnX* column) {
    if (OnCellClick)
        OnCellClick(column);
}

void TCustomDBGridX::FireColEnter() {
    if (OnColEnter)
        OnColEnter(this);
}

void TCustomDBGridX::FireColExit() {
    if (OnColExit)
        OnColExit(this);
}

void TCustomDBGridX::FireEditButtonClick() {
    if (OnEditButtonClick)
        OnEditButtonClick(this);
}

void TCustomDBGridX::FireDrawColumnCell(const ui::TRect& rect, int dataCol, TColumnX* column,
                                        TGridDrawState state) {
    if (OnDrawColumnCell)
        OnDrawColumnCell(this, rect, dataCol, column, state);
}

void TCustomDBGridX::FireGetCellParams(TColumnX* column, QFont& font, ui::TColor& background,
                                       TGridDrawState state) {
    if (OnGetCellParams)
        OnGetCellParams(this, column, font, background, state);
}

void TCustomDBGridX::FireGetFooterParams(int dataCol, int row, TColumnX* column, QFont& font,
                                         ui::TColor& background, int& alignment,
                                         TGridDrawState state, QString& text) {
    if (OnGetFooterParams)
        OnGetFooterParams(this, dataCol, row, column, font, background, alignment, state, text);
}

} // namespace kx
