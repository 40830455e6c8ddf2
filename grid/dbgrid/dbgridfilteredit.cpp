// Editing the filter row: one drop-down edit box over one filter cell at a
// time, moved between the cells by keys, filled with the column's values
// and the special entries, and the filter applied to the data set through
// the grid's data service.

#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/dbsumlist.h"
#include "grid/dbgrid/filterrowlist.h"
#include "grid/dbgrid/inplacefilteredit.h"
#include "grid/dbgrid/memtablex.h"
#include "grid/editors/cellbuttons.h"
#include "platform/db/dataset.h"
#include "platform/db/variants.h"
#include "platform/ui/colors.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QStyle>

#include <algorithm>

namespace kx {

namespace {

// A left click at a screen point on the widget's child there (a button),
// else on the widget itself.
void ClickAt(QWidget& widget, QPoint screen) {
    QWidget* target = widget.childAt(widget.mapFromGlobal(screen));
    if (!target)
        target = &widget;
    const QPointF local = target->mapFromGlobal(QPointF(screen));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, local, QPointF(screen), Qt::LeftButton, held,
                          QApplication::keyboardModifiers());
        QCoreApplication::sendEvent(target, &event);
    }
}

constexpr int DefaultDropDownWidth = 100;
constexpr int DefaultDropDownRows = 17;

// Each colour component grown by its own 1/part, at most 255.
ui::TColor PaleColor(ui::TColor color, int part, const QPalette& palette) {
    const ui::TColor rgb = ui::ColorToRGB(color, palette);
    const auto pale = [part](int component) { return std::min(255, component + component / part); };
    return ui::RGBColor(pale(rgb & 0xFF), pale((rgb >> 8) & 0xFF), pale((rgb >> 16) & 0xFF));
}

} // namespace

// ---- State ---------------------------------------------------------------

bool TCustomDBGridX::FilterEditMode() const {
    return filterEditMode_ && Selection().SelectionType() == gstNon;
}

bool TCustomDBGridX::HasFilterCell(int dataCol) const {
    if (!stFilter_->Visible() || dataCol < 0 || dataCol >= columns_->Count())
        return false;
    const TColumnX* column = columns_->GetColumn(dataCol);
    return column->Visible() && column->STFilter()->Visible();
}

bool TCustomDBGridX::FilterHasDropDown(const TColumnX* column) const {
    return column->STFilter()->HasValueList();
}

bool TCustomDBGridX::FilterEditorActive() const {
    return filterEditor_ && filterEditor_->isVisible();
}

TInplaceFilterEditX* TCustomDBGridX::CreateFilterEditor() {
    return new TInplaceFilterEditX(viewport());
}

// The editor in the grid's looks: no border, the grid's font in blue on the
// filter cells' pale colour; Enter applies the filter.
void TCustomDBGridX::SetUpFilterEditor(TInplaceFilterEditX* editor) {
    editor->hide();
    editor->SetInplaceEditHolder(this);
    editor->SetBorderStyle(ui::TBorderStyle::bsNone);
    editor->SetFont(font());
    editor->SetColor(PaleColor(FixedColor(), 8, palette()));
    QPalette colors = editor->palette();
    colors.setColor(QPalette::Text, Qt::blue);
    editor->setPalette(colors);
    editor->SetOnKeyPress([this](QObject*, QChar& key) { FilterEditorKeyPress(key); });
    editor->SetOnExit([](QObject*) {});
    editor->SetFlat(flat_);
}

void TCustomDBGridX::DetachFilterEditor() {
    if (!filterEditor_)
        return;
    filterEditor_->SetInplaceEditHolder(nullptr);
    filterEditor_->OnCloseUpQuery = nullptr;
    filterEditor_->OnCloseUp = nullptr;
    filterEditor_->OnDropDown = nullptr;
    filterEditor_->SetOnKeyPress(nullptr);
    filterEditor_->hide();
}

// ---- Showing, placing and hiding ---------------------------------------------

void TCustomDBGridX::ShowFilterEditor(int dataCol) {
    if (!HasFilterCell(dataCol))
        return;
    db::TDataSet* dataSet = dataLink_->DataSet();
    if (dataLink_->Active() && dataSet)
        dataSet->CheckBrowseMode();
    if (!filterEditor_) {
        filterEditor_ = CreateFilterEditor();
        SetUpFilterEditor(filterEditor_);
    }
    const int filterRow = titleOffset_ - 1;
    if (filterEditor_->isVisible() && filterColumn_ >= 0 && filterColumn_ != dataCol) {
        const int old = filterColumn_;
        HideFilterEditorBox();
        InvalidateCell(DataToRawColumn(old), filterRow);
    }
    filterColumn_ = dataCol;
    filterEditMode_ = true;
    HideEditor();
    {
        BeginLayout();
        LockGrid();
        const auto unlock = qScopeGuard([this] {
            UnlockGrid();
            EndLayout();
        });
        const int col = DataToRawColumn(dataCol);
        if (options_ & dgRowSelect) {
            if (col < LeftCol())
                SetLeftCol(col);
            while (col >= LeftCol() + VisibleColCount() && LeftCol() < ColCount() - 1)
                SetLeftCol(LeftCol() + 1);
        } else {
            MoveToColumn(dataCol);
        }
        InvalidateCell(col, filterRow);
    }
    PlaceFilterEditor(true);
}

void TCustomDBGridX::PlaceFilterEditor(bool reload) {
    if (stFilter_->UpdateCount() > 0)
        return;
    if (!filterEditor_ || !filterEditMode_)
        return;
    if (!stFilter_->Visible() || !HasFilterCell(filterColumn_)) {
        HideFilterEditor();
        return;
    }
    const ui::TRect cell = CellRect(DataToRawColumn(filterColumn_), titleOffset_ - 1);
    if (!FilterEditMode() || cell.IsEmpty()) {
        HideFilterEditorBox();
        return;
    }
    if (reload)
        filterEditor_->setGeometry(QRect());
    filterEditor_->show();
    filterEditor_->setFocus();
    if (reload) {
        ColumnFilterToEditor(filterColumn_);
        filterEditor_->selectAll();
    }
    filterEditor_->setGeometry(
        ui::TRect{cell.Left + 1, cell.Top, cell.Right, cell.Bottom}.ToQRect());
}

void TCustomDBGridX::HideFilterEditorBox() {
    if (!filterEditor_ || !filterEditor_->isVisible())
        return;
    if (filterEditor_->hasFocus() && isVisible() && focusPolicy() != Qt::NoFocus)
        setFocus();
    filterEditor_->hide();
    EditorToColumnFilter(filterColumn_);
    InvalidateCell(DataToRawColumn(filterColumn_), titleOffset_ - 1);
}

void TCustomDBGridX::HideFilterEditor() {
    if (stFilter_->UpdateCount() > 0)
        return;
    HideFilterEditorBox();
    filterEditMode_ = false;
    if (options_ & dgAlwaysShowEditor)
        ShowEditor();
    else
        HideEditor();
}

// ---- Between the editor and the column filter ---------------------------------

void TCustomDBGridX::ColumnFilterToEditor(int dataCol) {
    if (dataCol < 0 || dataCol >= columns_->Count())
        return;
    const TColumnX* column = columns_->GetColumn(dataCol);
    const TSTColumnFilterX* filter = column->STFilter();
    TInplaceFilterEditX& editor = *filterEditor_;
    editor.SetEntries({});
    editor.ApplyValue(db::NullVariant());
    if (!FilterHasDropDown(column)) {
        editor.OnDropDown = nullptr;
        editor.EditButton().SetVisible(false);
        editor.SetText(filter->ExpressionText());
        return;
    }
    editor.OnCloseUpQuery = [this](QObject*, bool& accept) {
        FilterEditorClosingUp(filterEditor_->PopupList()->currentRow(), accept);
    };
    editor.OnCloseUp = [this](QObject*, bool accept) { FilterEditorClosedUp(accept); };
    editor.OnDropDown = [this](QObject*) { FilterEditorDropDown(); };
    editor.OnButtonClick = nullptr;
    editor.EditButton().SetVisible(true);
    editor.DropDownBox().Sizable = true;
    if (db::VarIsNullOrEmpty(filter->KeyValues()))
        editor.SetText(filter->ExpressionText());
    else
        editor.SetKeyAndText(filter->KeyValues(), filter->ExpressionText());
    editor.DropDownBox().Width =
        filter->DropDownWidth > 0 ? filter->DropDownWidth : DefaultDropDownWidth;
    editor.DropDownBox().Rows =
        filter->DropDownRows > 0 ? filter->DropDownRows : DefaultDropDownRows;
}

void TCustomDBGridX::EditorToColumnFilter(int dataCol) {
    if (!filterEditor_ || dataCol < 0 || dataCol >= columns_->Count())
        return;
    TColumnX* column = columns_->GetColumn(dataCol);
    if (!column->FieldName().isEmpty())
        column->STFilter()->ChangeExpressionText(filterEditor_->Text());
}

// ---- Applying and clearing ---------------------------------------------------

void TCustomDBGridX::ApplyFilter() {
    if (filterEditor_ && filterEditor_->isVisible())
        EditorToColumnFilter(filterColumn_);
    const int left = LeftCol();
    const auto restore = [this, left] {
        if (left >= FixedCols() && left < ColCount())
            SetLeftCol(left);
        PlaceFilterEditor(true);
        if (SumListActive())
            sumList_->RecalculateSums();
        InvalidateGrid();
    };
    try {
        if (OnApplyFilter)
            OnApplyFilter(this);
        else
            DefaultApplyFilter();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TCustomDBGridX::DefaultApplyFilter() {
    LockGrid();
    const auto unlock = qScopeGuard([this] { UnlockGrid(); });
    GridDataService()->ApplyFilter(this);
}

void TCustomDBGridX::ClearFilter() {
    HideFilterEditor();
    for (int i = 0; i < columns_->Count(); ++i)
        columns_->GetColumn(i)->STFilter()->Clear();
    InvalidateGrid();
}

// ---- Keys and clicks -----------------------------------------------------------

bool TCustomDBGridX::FilterEditorKeyDown(int key, ui::TShiftState shift) {
    if (!filterEditor_ || filterEditor_->ListVisible())
        return false;
    if (isRightToLeft() && (key == Qt::Key_Left || key == Qt::Key_Right))
        key = key == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left;
    const TFilterCaret caret{filterEditor_->CaretPosition(), filterEditor_->SelStart(),
                             filterEditor_->SelLength(),
                             static_cast<int>(filterEditor_->Text().size())};
    const int count = columns_->Count();
    switch (FilterEditorKeyAction(key, shift, caret, options_ & dgTabs, dataLink_->Active())) {
    case fkaPass:
        return false;
    case fkaSwallow:
        return true;
    case fkaNext:
        MoveFilterEditor(filterColumn_, 1, false);
        return true;
    case fkaPrior:
        MoveFilterEditor(filterColumn_, -1, false);
        return true;
    case fkaFirst:
        MoveFilterEditor(-1, 1, true);
        return true;
    case fkaLast:
        MoveFilterEditor(count, -1, true);
        return true;
    case fkaLeave: {
        const int dataCol = filterColumn_;
        MoveToColumn(dataCol);
        if (!(shift & ui::ssCtrl))
            dataLink_->DataSet()->MoveBy(-dataLink_->ActiveRecord());
        HideFilterEditor();
        return true;
    }
    case fkaCaretToEnd:
        filterEditor_->SetCaretToEnd();
        return true;
    }
    return false;
}

// From start the columns are walked by step (wrapping round, unless the walk
// runs to an edge) to the next one with a filter cell.
void TCustomDBGridX::MoveFilterEditor(int start, int step, bool toEdge) {
    const int count = columns_->Count();
    int dataCol = start;
    for (int walked = 0; walked <= count; ++walked) {
        dataCol += step;
        if (!toEdge && dataCol >= count)
            dataCol = 0;
        else if (!toEdge && dataCol < 0)
            dataCol = count - 1;
        if (dataCol < 0 || dataCol >= count || dataCol == start)
            return;
        if (HasFilterCell(dataCol)) {
            ShowFilterEditor(dataCol);
            return;
        }
    }
}

void TCustomDBGridX::FilterEditorKeyPress(QChar& key) {
    if (key != QChar(13))
        return;
    key = QChar();
    ApplyFilter();
}

// The press that opened the editor acts on it as a click at the same place:
// on its button the list drops down, in its text the caret goes there.
bool TCustomDBGridX::FilterRowMouseDown(ui::TMouseButton button, int x, int y) {
    if (!stFilter_->Visible())
        return false;
    const TGridCoord cell = MouseCoord(x, y);
    const int dataCol = cell.X - indicatorOffset_;
    if (cell.Y != titleOffset_ - 1 || cell.X < indicatorOffset_ || !HasFilterCell(dataCol))
        return false;
    ClearSelection();
    ShowFilterEditor(dataCol);
    const QPoint screen = viewport()->mapToGlobal(QPoint(x, y));
    filterPressTime_ = 0;
    if (button == ui::TMouseButton::mbLeft && FilterEditorActive())
        ClickAt(*filterEditor_, screen);
    filterPressPoint_ = screen;
    filterPressTime_ = MessageTime();
    return true;
}

bool TCustomDBGridX::CanModify(QWidget*) {
    return true;
}

void TCustomDBGridX::GetMouseDownInfo(QPoint& screenPoint, qint64& time) {
    screenPoint = filterPressPoint_;
    time = filterPressTime_;
    filterPressTime_ = 0;
}

bool TCustomDBGridX::EditorWndProc(QWidget*, QEvent*) {
    return false;
}

void TCustomDBGridX::EditorKeyDown(QWidget*, int& key, ui::TShiftState shift) {
    if (FilterEditorKeyDown(key, shift))
        key = 0;
}

// Tab moves between the filter cells by its key-down alone.
void TCustomDBGridX::EditorKeyPress(QWidget*, QChar& key) {
    if (key == QChar(9))
        key = QChar();
}

void TCustomDBGridX::EditorKeyUp(QWidget*, int&, ui::TShiftState) {}

// A cell editor and the filter editor are never open together.
void TCustomDBGridX::ShowEditor() {
    if (filterEditMode_)
        HideFilterEditor();
    TCustomGridX::ShowEditor();
}

void EnterFilterRow(TCustomDBGridX& grid) {
    if (!(grid.Options() & dgRowSelect)) {
        grid.ShowFilterEditor(grid.CurrentDataColumn());
        return;
    }
    const int last = grid.FilterColumn();
    const int lastCol = grid.DataToRawColumn(last);
    // A column scrolled out of view does not get the editor.
    if (grid.HasFilterCell(last) && lastCol >= grid.LeftCol() &&
        lastCol < grid.LeftCol() + grid.VisibleColCount()) {
        grid.ShowFilterEditor(last);
        return;
    }
    for (int dataCol = grid.RawToDataColumn(grid.LeftCol()); dataCol < grid.Columns()->Count();
         ++dataCol) {
        if (grid.HasFilterCell(dataCol)) {
            grid.ShowFilterEditor(dataCol);
            return;
        }
    }
}

// ---- The list ------------------------------------------------------------------

void TCustomDBGridX::FilterEditorDropDown() {
    if (filterColumn_ < 0 || filterColumn_ >= columns_->Count())
        return;
    TColumnX* column = columns_->GetColumn(filterColumn_);
    if (!column->FieldValueList()) {
        std::shared_ptr<IMemTableDataFieldValueListX> list = column->STFilter()->GetValueList();
        if (!list && memTable_)
            list = memTable_->GetFieldValueList(column->FieldName());
        column->SetFieldValueList(std::move(list));
    }
    const std::shared_ptr<IMemTableDataFieldValueListX>& list = column->FieldValueList();
    const QStringList values = list ? list->DistinctValues() : QStringList();
    const bool sortEntries = (optionsX_ & dghAutoSortMarking) && column->Title()->TitleButton();
    filterEditor_->SetEntries(
        BuildFilterList(values, column->KeyList(), column->PickList(), sortEntries));
}

void TCustomDBGridX::FilterEditorClosingUp(int chosenIndex, bool& accept) {
    if (!accept || filterColumn_ < 0 || filterColumn_ >= columns_->Count())
        return;
    TColumnX* column = columns_->GetColumn(filterColumn_);
    column->STFilter()->DropDownWidth = filterEditor_->DropDownWidth();
    column->STFilter()->DropDownRows = filterEditor_->DropDownRows();
    const int code = filterEditor_->EntryCode(chosenIndex);
    if (code < fseEmpty)
        return;
    // The entry's action stands in for the chosen text.
    accept = false;
    const bool applyAtOnce = style_ && style_->FilterEditCloseUpApplyFilter;
    QString text = filterEditor_->Text();
    switch (code) {
    case fseEmpty:
    case fseNotEmpty:
    case fseAll:
        FilterEntryText(code, text);
        filterEditor_->SetText(text);
        if (applyAtOnce)
            ApplyFilter();
        return;
    case fseClearFilter:
        for (int i = 0; i < columns_->Count(); ++i)
            columns_->GetColumn(i)->STFilter()->Clear();
        filterEditor_->SetText(QString());
        ApplyFilter();
        return;
    case fseOrderAscending:
    case fseOrderDescending:
        for (int i = 0; i < columns_->Count(); ++i)
            columns_->GetColumn(i)->Title()->SetSortMarker(smNoneX);
        sortMarkedColumns_->Clear();
        column->Title()->SetSortMarker(code == fseOrderAscending ? smDownX : smUpX);
        SortMarkingChanged();
        return;
    default:
        return;
    }
}

void TCustomDBGridX::FilterEditorClosedUp(bool accept) {
    if (accept && style_ && style_->FilterEditCloseUpApplyFilter)
        ApplyFilter();
}

// ---- Painting ------------------------------------------------------------------

void TCustomDBGridX::DrawFilterCell(const ui::TRect& rect, TColumnX* column) {
    ui::TCanvas& canvas = Canvas();
    QFont font = this->font();
    ui::TColor fontColor = ui::clBlue;
    ui::TColor background = PaleColor(FixedColor(), 8, palette());
    const bool selected = IsCellSelected(paintedCell_.Col, paintedCell_.Row, column->Index(), -1);
    FixedCellHighlight(font, fontColor, background, selected, faDataColumn, farFilter);
    const bool dropDown = FilterHasDropDown(column);
    const int buttonWidth =
        flat_ ? FlatButtonWidth() : style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    ui::TRect textRect = rect;
    if (dropDown)
        textRect.Right = std::max(rect.Left, rect.Right - buttonWidth - (flat_ ? 1 : 0));
    canvas.SetBrushColor(background);
    canvas.SetFont(font);
    canvas.SetFontColor(fontColor);
    const QString text =
        column->FieldName().isEmpty() ? QString() : column->STFilter()->ExpressionText();
    WriteCellText(column, canvas, textRect, true, 2, 2, text, db::taLeftJustify, tlCenter, false,
                  false, 0, 0);
    if (!dropDown)
        return;
    canvas.FillRect({textRect.Right, rect.Top, rect.Right, rect.Bottom});
    if (flat_) {
        canvas.SetPenColor(ui::clBtnShadow);
        canvas.MoveTo(textRect.Right, rect.Top);
        canvas.LineTo(textRect.Right, rect.Bottom);
    }
    const int right = rect.Right - (flat_ ? 1 : 0);
    const int height =
        std::min(rect.Height(), EditButtonHeight() > 0 ? EditButtonHeight() : rect.Height());
    PaintCellButton(canvas, {right - buttonWidth, rect.Top, right, rect.Top + height}, background,
                    cpsDropDownX, 0, flat_, false, true, cbUnchecked);
}

} // namespace kx
