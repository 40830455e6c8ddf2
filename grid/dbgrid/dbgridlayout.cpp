// The data-aware grid's layout: columns from fields, column and row counts,
// row and title heights, widths fitted to the client, and the scroll bars.

#include "grid/dbgrid/columndefvaluesx.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridhelpers.h"
#include "grid/dbgrid/dbgridlayoutmath.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/headtreenode.h"
#include "grid/editors/cellbuttons.h"
#include "platform/db/dataset.h"

#include <QFontMetrics>
#include <QScopeGuard>
#include <QScrollBar>

#include <algorithm>

namespace kx {

namespace {

constexpr int IndicatorWidth = 11;
constexpr int EmptyRowsRowCount = 100;

int TextHeightOf(const QFont& font) {
    return QFontMetrics(font).height();
}

} // namespace

void TCustomDBGridX::LayoutChanged() {
    if (AcquireLayoutLock())
        EndLayoutUpdate();
}

void TCustomDBGridX::InternalLayout() {
    if (loading_)
        return;
    layoutLock_.CancelDeferredLayout();
    LockGrid();
    const int keptLeftCol = LeftCol();
    const auto unlock = qScopeGuard([this, keptLeftCol] {
        if ((options_ & dgRowSelect) && keptLeftCol < ColCount())
            SetLeftCol(std::max(keptLeftCol, FixedCols()));
        UnlockGrid();
    });
    DropBuiltColumnsBeforeCustomized();
    indicatorOffset_ = (options_ & dgIndicator) ? 1 : 0;
    dataLink_->ClearFieldMap();
    if (dataLink_->Active())
        BuildFieldMap();
    BuildColumnsFromFields();
    Selection().Columns().Refresh();
    UpdateVisibleColumnsAndCounts();
    titleOffset_ = ((options_ & dgTitles) ? 1 : 0) + (stFilter_->Visible() ? 1 : 0);
    LayoutRowHeights();
    ApplyHorzScrollBarWish();
    UpdateColumnTabStops();
    if (autoFitColWidths_)
        AutoFitWidths();
    LayoutTitleHeight();
    UpdateColumnTabStops();
    UpdateRowCount();
    UpdateCurrentRow();
    InvalidateGrid();
    PlaceFilterEditor(false);
}

void TCustomDBGridX::DropBuiltColumnsBeforeCustomized() {
    bool builtSeen = false;
    for (int i = 0; i < columns_->Count(); ++i) {
        if (!columns_->GetColumn(i)->Customized()) {
            builtSeen = true;
        } else if (builtSeen) {
            for (int j = columns_->Count() - 1; j >= 0; --j) {
                if (!columns_->GetColumn(j)->Customized())
                    columns_->Delete(j);
            }
            return;
        }
    }
}

void TCustomDBGridX::BuildFieldMap() {
    const bool byNames = columns_->GetState();
    dataLink_->SetByColumnNames(byNames);
    if (byNames) {
        for (int i = 0; i < columns_->Count(); ++i)
            dataLink_->AddMapping(columns_->GetColumn(i)->FieldName());
        return;
    }
    const db::TDataSet* dataSet = dataLink_->DataSet();
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        const db::TField* field = dataSet->Fields()[i];
        if (field->Visible())
            dataLink_->AddMapping(field->FieldName());
    }
}

void TCustomDBGridX::BuildColumnsFromFields() {
    if (columns_->GetState()) {
        for (int i = 0; i < columns_->Count(); ++i)
            columns_->GetColumn(i)->SetField(nullptr);
        return;
    }
    const db::TDataSet* dataSet = dataLink_->DataSet();
    if (dataLink_->Active() || (dataSet && !dataSet->DefaultFields())) {
        for (int i = columns_->Count() - 1; i >= 0; --i) {
            const db::TField* field = columns_->GetColumn(i)->Field();
            bool mapped = false;
            for (int p = 0; p < dataLink_->MapCount() && !mapped; ++p)
                mapped = field && dataLink_->MappedField(p) == field;
            if (!mapped)
                columns_->Delete(i);
        }
    } else {
        columns_->Clear();
    }
    const int positions = std::max(dataLink_->MapCount(), columns_->Count() == 0 ? 1 : 0);
    for (int p = 0; p < positions; ++p) {
        db::TField* field = dataLink_->MappedField(p);
        int found = -1;
        for (int i = p; i < columns_->Count() && found < 0; ++i) {
            if (field && columns_->GetColumn(i)->Field() == field)
                found = i;
        }
        if (found < 0) {
            TColumnX* column = columns_->AddDefaultColumn();
            if (field)
                column->SetField(field);
            found = columns_->Count() - 1;
        }
        columns_->Move(found, p);
    }
}

void TCustomDBGridX::UpdateVisibleColumnsAndCounts() {
    visibleColumns_->Clear();
    std::vector<bool> visible;
    for (int i = 0; i < columns_->Count(); ++i) {
        TColumnX* column = columns_->GetColumn(i);
        visible.push_back(column->Visible());
        if (column->Visible())
            visibleColumns_->Add(column);
    }
    hiddenFrozenCount_ = HiddenFrozenCount(visible, frozenCols_);
    const bool bound = dataLink_->Active() || columns_->GetState();
    const int count = columns_->Count();
    if (bound) {
        const int contra =
            std::max(0, std::min(ContraColCount(), count - frozenCols_ - indicatorOffset_));
        SetContraColCount(contra);
        SetColCount(count + indicatorOffset_ - contra);
    } else {
        SetColCount(count + indicatorOffset_);
        SetContraColCount(0);
    }
    const int fixed = bound ? indicatorOffset_ + frozenCols_ + hiddenFrozenCount_
                            : indicatorOffset_ + hiddenFrozenCount_;
    // The base grid needs one scrollable column; extra frozen columns wait
    // until there are columns to freeze.
    SetFixedCols(std::clamp(fixed, 0, ColCount() - 1));
    TCustomGridX::SetFrozenCols(bound ? std::min(frozenCols_, FixedCols() - indicatorOffset_) : 0);
}

void TCustomDBGridX::LayoutRowHeights() {
    const QFontMetrics metrics(font());
    int lines = flat_ ? 1 : 3;
    if (options_ & dgRowLines)
        lines += GridLineWidth();
    const int text = metrics.height();
    int height = text + lines;
    if (rowHeight_ > 0 || rowLines_ > 0)
        height = rowHeight_ + (metrics.height() + metrics.leading()) * rowLines_;
    if (optionsX_ & dghFitRowHeightToText) {
        const TRowFit fit = FitRowHeightToText(height, lines, text);
        height = fit.RowHeight;
        rowLines_ = fit.Lines;
        rowHeight_ = lines;
    }
    const int titleHeight = (options_ & dgTitles) ? GetRowHeights(0) : 0;
    SetDefaultRowHeight(height);
    if ((options_ & dgTitles) && RowCount() > 0)
        SetRowHeights(0, titleHeight);
    editButtonHeight_ = qRound(editButtonWidth_ * 3 / 2.0) < height
                            ? EditButtonHeightFor(editButtonWidth_, flat_)
                            : height;
    wrapAllowed_ = height > metrics.height() + metrics.leading() + textPadding_;
}

void TCustomDBGridX::LayoutTitleHeight() {
    if (!(options_ & dgTitles) || RowCount() == 0)
        return;
    if (!useMultiTitle_) {
        int height = TextHeightOf(titleFont_);
        if (columns_->Count() > 0) {
            height = 0;
            for (int i = 0; i < columns_->Count(); ++i)
                height = std::max(height, TextHeightOf(columns_->GetColumn(i)->Title()->Font()));
        }
        SetRowHeights(0, height + textPadding_);
    }
    if (titleHeight_ != 0 || titleLines_ != 0) {
        QFont tallest = titleFont_;
        for (int i = 0; i < columns_->Count(); ++i) {
            const QFont font = columns_->GetColumn(i)->Title()->Font();
            if (TextHeightOf(font) > TextHeightOf(tallest))
                tallest = font;
        }
        const QFontMetrics metrics(tallest);
        computedTitleHeight_ =
            titleLines_ * metrics.height() + metrics.leading() + titleHeight_ + 2;
        if (options_ & dgRowLines)
            ++computedTitleHeight_;
        SetRowHeights(0, computedTitleHeight_);
    }
    if (useMultiTitle_) {
        leafCols_.assign(static_cast<std::size_t>(columns_->Count()), {});
        std::vector<TTitleLeaf> leaves;
        const int lineWidth = (options_ & dgColLines) ? 1 : 0;
        for (int i = 0; i < columns_->Count(); ++i) {
            TColumnX* column = columns_->GetColumn(i);
            const int width =
                column->Visible() ? column->Width() : ((options_ & dgColLines) ? -1 : 0);
            TTitleLeaf leaf;
            leaf.Caption = column->Title()->Caption();
            leaf.Height = GetRowHeights(0);
            leaf.Width = width;
            leaf.Column = column;
            leaf.MarkerIndent = column->Title()->SortMarker() != smNoneX ? 16 : 0;
            leaf.LineWidth = lineWidth;
            leaves.push_back(leaf);
        }
        const std::vector<THeadTreeNode*> nodes = headTree_->BuildFromColumns(leaves);
        for (std::size_t i = 0; i < nodes.size() && i < leafCols_.size(); ++i)
            leafCols_[i] = {columns_->GetColumn(static_cast<int>(i)), nodes[i]};
        const int treeHeight = CalcTitleTreeHeight(headTree_.get());
        SetRowHeights(0, std::max(1, treeHeight - ((optionsX_ & dghFixed3D) ? 1 : 3)));
    }
}

int TCustomDBGridX::CalcTitleTreeHeight(THeadTreeNode* node) const {
    THeadTreeNode* first = node->FirstChild();
    if (!first)
        return 0;
    struct TChild {
        THeadTreeNode* Node;
        int Band;
    };
    std::vector<TChild> children;
    int band = 0;
    THeadTreeNode* child = first;
    do {
        const int childBand = child->FirstChild() ? CalcTitleTreeHeight(child) : 0;
        const QFont font = child->OwnerColumn ? child->OwnerColumn->Title()->Font() : titleFont_;
        const QString caption = child->Caption.isEmpty() ? QStringLiteral(" ") : child->Caption;
        int captionHeight = 0;
        if (child->CellWidth > 0) {
            const QFontMetrics metrics(font);
            const bool vertical =
                child->OwnerColumn && child->OwnerColumn->Title()->Orientation() == tohVertical;
            if (vertical) {
                captionHeight = metrics.horizontalAdvance(caption) + 6;
            } else {
                const int width = std::max(1, child->CellWidth - child->MarkerIndent - 4);
                captionHeight =
                    metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, caption)
                        .height() +
                    vTitleMargin_;
            }
        }
        band = std::max(band, childBand + captionHeight);
        children.push_back({child, childBand});
        child = child->NextSibling();
    } while (child != first);
    for (const TChild& item : children)
        item.Node->CellHeight = item.Node->FirstChild() ? band - item.Band : band;
    node->CellHeight = band;
    return band;
}

void TCustomDBGridX::ApplyHorzScrollBarWish() {
    const bool wanted =
        !autoFitColWidths_ && horzScrollBar_->Visible() && !horzScrollBar_->ExtScrollBar();
    if (wanted != ownHorzScrollBar_) {
        ownHorzScrollBar_ = wanted;
        UpdateScrollBar();
    }
    SetScrollBars(wanted ? ui::TScrollStyle::ssHorizontal : ui::TScrollStyle::ssNone);
    // The vertical bar follows the data set, not the rows: the grid sets it.
    const bool vertOwn = vertScrollBar_->Visible() && !vertScrollBar_->ExtScrollBar();
    setVerticalScrollBarPolicy(!vertOwn ? Qt::ScrollBarAlwaysOff
                               : vertScrollBar_->VisibleMode() == sbAlwaysShowX
                                   ? Qt::ScrollBarAlwaysOn
                                   : Qt::ScrollBarAsNeeded);
}

void TCustomDBGridX::UpdateColumnTabStops() {
    if (indicatorOffset_ > 0 && FullColCount() > 0)
        SetColWidths(0, IndicatorWidth);
    const bool active = dataLink_->Active();
    for (int i = 0; i < columns_->Count(); ++i) {
        const int col = DataToRawColumn(i);
        if (col >= FullColCount())
            break;
        const TColumnX* column = columns_->GetColumn(i);
        const db::TField* field = column->Field();
        bool writable = field && !field->Calculated() && !field->ReadOnly();
        if (writable && field->Lookup()) {
            const db::TDataSet* dataSet = field->DataSet();
            writable = dataSet && !field->KeyFields().isEmpty() &&
                       AllFieldsModifiable(dataSet->GetFieldList(field->KeyFields()));
        }
        if (col < ColCount())
            SetTabStops(col, column->Visible() && !column->ReadOnly() && active && writable);
        SetColWidths(col, column->Visible() ? column->Width() : ((options_ & dgColLines) ? -1 : 0));
    }
}

void TCustomDBGridX::AutoFitWidths() {
    for (TColumnX* column : *visibleColumns_)
        column->WidthLimited = false;
    std::vector<TFitColumn> fit;
    for (const TColumnX* column : *visibleColumns_)
        fit.push_back({column->AutoFitColWidth(), column->BaseWidth, column->Width(),
                       column->MinWidth(), column->MaxWidth()});
    UpdateScrollBar();
    TFitSpace space;
    space.ClientWidth = ClientWidth();
    space.MinAutoFitWidth = minAutoFitWidth_;
    space.IndicatorWidth = (options_ & dgIndicator) ? IndicatorWidth : 0;
    space.ColLines = (options_ & dgColLines) != 0;
    FitColumnWidths(fit, space);
    columns_->BeginUpdate();
    for (int i = 0; i < visibleColumns_->Count(); ++i) {
        TColumnX* column = visibleColumns_->GetColumn(i);
        if (column->AutoFitColWidth()) {
            const int base = column->BaseWidth;
            column->SetWidth(fit[static_cast<std::size_t>(i)].Width);
            column->BaseWidth = base;
        }
    }
    columns_->EndUpdate();
}

void TCustomDBGridX::UpdateRowCount() {
    if (titleOffset_ >= RowCount())
        SetRowCount(titleOffset_ + 1);
    SetFixedRows(titleOffset_);
    const int lineWidth = (options_ & dgRowLines) ? GridLineWidth() : 0;
    const int pitch = DefaultRowHeight() + lineWidth;
    int fixedHeight = footerRowCount_ * pitch + (footerRowCount_ > 0 ? lineWidth : 0);
    if (options_ & dgTitles)
        fixedHeight += GetRowHeights(0) + lineWidth;
    if (stFilter_->Visible())
        fixedHeight += pitch;
    const int titleHeight = (options_ & dgTitles) ? GetRowHeights(0) : 0;
    SetDefaultRowHeight(DefaultRowHeight());
    if (options_ & dgTitles)
        SetRowHeights(0, titleHeight);
    const int oldRowCount = RowCount();
    const auto setRows = [this](int count) {
        SetRowCount(ShowEmptyRows ? std::max(count, EmptyRowsRowCount) : count);
    };
    const db::TDataSet* dataSet = dataLink_->DataSet();
    if (memTable_) {
        UpdateCursorRowCount();
    } else if (dataLink_->Active() && dataSet && !dataSet->IsEmpty()) {
        dataLink_->SetBufferCount(std::max(1, (ClientHeight() - fixedHeight) / pitch));
        setRows(dataLink_->RecordCount() + titleOffset_);
        if (footerRowCount_ > 0)
            SetContraRowCount(footerRowCount_);
        UpdateCurrentRow();
    } else {
        setRows(titleOffset_ + 1);
        SetContraRowCount(footerRowCount_);
    }
    if (RowCount() != oldRowCount)
        InvalidateGrid();
}

void TCustomDBGridX::UpdateScrollBar() {
    if (memTable_) {
        UpdateCursorScrollBar();
        return;
    }
    int min = 0;
    int max = 1;
    int page = 2;
    int pos = 0;
    const db::TDataSet* dataSet = dataLink_->DataSet();
    if (dataLink_->Active() && dataSet && sumList_->HasRecordNumbers()) {
        min = 1;
        page = std::max(0, VisibleDataRowCount());
        max = sumList_->RecordTotal() + page - 1;
        pos = dataSet->State() >= db::dsInsert ? vertScrollPos_ : sumList_->RecordNumber();
    } else if (dataLink_->Active() && dataSet) {
        page = 0;
        max = 4;
        pos = dataSet->Bof() ? 0 : (dataSet->Eof() ? 4 : 2);
    }
    ApplyVertScrollBarValues(min, max, page, pos);
}

int TCustomDBGridX::VisibleDataRowCount() const {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    return std::max(0, layout.Vert.LastFullVisibleCell - TopRow() + 1);
}

void TCustomDBGridX::ApplyVertScrollBarValues(int min, int max, int page, int pos) {
    const TScrollBarVisibleModeX mode = vertScrollBar_->VisibleMode();
    if (vertScrollSeen_ && min == vertScrollMin_ && max == vertScrollMax_ &&
        page == vertScrollPage_ && pos == vertScrollPos_ && mode == vertVisibleModeSeen_)
        return;
    vertScrollSeen_ = true;
    vertScrollMin_ = min;
    vertScrollMax_ = max;
    vertScrollPage_ = page;
    vertScrollPos_ = pos;
    vertVisibleModeSeen_ = mode;
    const bool empty = min >= max || max - min <= page;
    // Windows counts the page inside the range, Qt after its maximum.
    const int qtMax = std::max(min, max - std::max(page, 1) + 1);
    if (QScrollBar* external = vertScrollBar_->ExtScrollBar()) {
        external->setPageStep(std::max(page, 1));
        external->setRange(min, qtMax);
        external->setValue(pos);
        return;
    }
    if (!vertScrollBar_->Visible()) {
        SetScrollRange(ui::SB_VERT, min, min);
        return;
    }
    verticalScrollBar()->setPageStep(std::max(page, 1));
    SetScrollRange(ui::SB_VERT, min, empty && mode != sbAlwaysShowX ? min : qtMax);
    SetScrollPos(ui::SB_VERT, pos);
    verticalScrollBar()->setEnabled(!(mode == sbAlwaysShowX && empty));
}

void TCustomDBGridX::UpdateHorzExtScrollBar() {
    QScrollBar* bar = horzScrollBar_->ExtScrollBar();
    if (!bar)
        return;
    const int scrollable = ColCount() - FixedCols();
    const bool allVisible = VisibleColCount() >= scrollable;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int farthest = CalcMaxTopLeft({ColCount() - 1, RowCount() - 1}, layout).X;
    const int max = allVisible ? 0 : 127;
    const int pos =
        farthest > FixedCols() ? MulDiv(LeftCol() - FixedCols(), 127, farthest - FixedCols()) : 0;
    bar->setPageStep(1);
    bar->setRange(0, max);
    bar->setValue(pos);
}

TCellAreaKind TCustomDBGridX::GetCellType(int col, int row, int& dataCol, int& dataRow) const {
    TCellTypeAxes axes;
    axes.IndicatorOffset = indicatorOffset_;
    axes.Titles = (options_ & dgTitles) != 0;
    axes.FilterRow = stFilter_->Visible();
    axes.TitleOffset = titleOffset_;
    axes.RowCount = RowCount();
    const TCellType type = kx::GetCellType(col, row, axes);
    dataCol = type.DataCol;
    dataRow = type.DataRow;
    if (!(type.Kind & ctDataColumn))
        return row >= RowCount() ? cakFooter : cakIndicator;
    if (type.Kind & ctFooterRow)
        return cakFooter;
    if (type.Kind & ctFilterRow)
        return cakFilter;
    if (type.Kind & ctDataRow)
        return cakData;
    return cakTitle;
}

// ---- Properties that re-lay the grid -----------------------------------

void TCustomDBGridX::SetFooterRowCount(int count) {
    if (count == footerRowCount_ || count < 0)
        return;
    footerRowCount_ = count;
    CheckDatasetCursor();
    LayoutChanged();
}

void TCustomDBGridX::SetTitleHeight(int height) {
    titleHeight_ = height;
    LayoutChanged();
}

void TCustomDBGridX::SetTitleLines(int lines) {
    titleLines_ = lines;
    LayoutChanged();
}

void TCustomDBGridX::SetVTitleMargin(int margin) {
    vTitleMargin_ = margin;
    LayoutChanged();
}

void TCustomDBGridX::SetMinAutoFitWidth(int width) {
    minAutoFitWidth_ = width;
    LayoutChanged();
}

void TCustomDBGridX::SetUseMultiTitle(bool value) {
    useMultiTitle_ = value;
    LayoutChanged();
}

void TCustomDBGridX::SetRowHeight(int height) {
    if (height == rowHeight_)
        return;
    rowHeight_ = std::max(0, height);
    LayoutChanged();
}

void TCustomDBGridX::SetRowLines(int lines) {
    if (lines == rowLines_)
        return;
    rowLines_ = std::max(0, lines);
    LayoutChanged();
}

void TCustomDBGridX::SetFrozenCols(int count) {
    if (count == frozenCols_ || count < 0)
        return;
    frozenCols_ = count;
    LayoutChanged();
}

void TCustomDBGridX::SetRowSizingAllowed(bool value) {
    if (value == rowSizingAllowed_)
        return;
    rowSizingAllowed_ = value;
    ApplyOptionsToBase();
}

void TCustomDBGridX::SetAutoFitColWidths(bool value) {
    if (value == autoFitColWidths_)
        return;
    autoFitColWidths_ = value;
    columns_->BeginUpdate();
    for (int i = 0; i < columns_->Count(); ++i) {
        TColumnX* column = columns_->GetColumn(i);
        if (value && !loading_)
            column->BaseWidth = column->Width();
        else if (!value)
            column->SetWidth(column->BaseWidth);
    }
    columns_->EndUpdate();
    if (value && FixedCols() < ColCount())
        SetLeftCol(FixedCols());
    LayoutChanged();
}

void TCustomDBGridX::ChangeScale(int multiplier, int divider) {
    if (multiplier == divider)
        return;
    const auto scaled = [&](QFont font) {
        if (font.pixelSize() > 0)
            font.setPixelSize(MulDiv(font.pixelSize(), multiplier, divider));
        else
            font.setPointSizeF(font.pointSizeF() * multiplier / divider);
        return font;
    };
    titleFont_ = scaled(titleFont_);
    footerFont_ = scaled(footerFont_);
    columns_->BeginUpdate();
    const auto end = qScopeGuard([this] { columns_->EndUpdate(); });
    std::vector<int> widths;
    for (int i = 0; i < columns_->Count(); ++i)
        widths.push_back(columns_->GetColumn(i)->Width());
    const std::vector<int> newWidths = ScaledWidths(widths, multiplier, divider);
    for (int i = 0; i < columns_->Count(); ++i) {
        TColumnX* column = columns_->GetColumn(i);
        if (column->IsAssigned(cvFont))
            column->SetFont(scaled(column->Font()));
        if (column->IsAssigned(cvTitleFont))
            column->Title()->SetFont(scaled(column->Title()->Font()));
        column->SetWidth(newWidths[static_cast<std::size_t>(i)]);
    }
}

} // namespace kx
