// The grid's property setters, its answers to the standard edit actions,
// the test whether the current record may change, the sizing of frozen
// columns by their title border, and the flat frame.

#include "grid/dbgrid/columndefvaluesx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/dbgridxscrollbar.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "platform/db/dataset.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QMimeData>

#include <algorithm>

namespace kx {

namespace {

constexpr int BorderBand = 7;

} // namespace

TGridEditActionsX EditActionKind(const QAction* action) {
    const QKeySequence shortcut = action->shortcut();
    if (shortcut.isEmpty())
        return 0;
    const std::pair<QKeySequence::StandardKey, TGridEditActionsX> kinds[] = {
        {QKeySequence::Copy, geaCopyX},
        {QKeySequence::Paste, geaPasteX},
        {QKeySequence::Cut, geaCutX},
        {QKeySequence::SelectAll, geaSelectAllX},
        {QKeySequence::Delete, geaDeleteX}};
    for (const auto& [key, kind] : kinds)
        if (QKeySequence::keyBindings(key).contains(shortcut))
            return kind;
    return 0;
}

TFrozenSizingHit CalcFrozenSizing(const TFrozenSizingGeometry& geometry, int x, int y) {
    TFrozenSizingHit hit;
    if (y >= geometry.TitleBottom)
        return hit;
    const int line = geometry.LineWidth;
    const int lead = line > 6 ? 0 : (BorderBand - line) / 2;
    const int band = std::max(line, BorderBand);
    int edge = geometry.IndicatorWidth;
    for (std::size_t i = 0; i < geometry.FrozenWidths.size(); ++i) {
        const int index = geometry.FirstFrozen + static_cast<int>(i);
        edge += geometry.FrozenWidths[i];
        if (geometry.DrawnWidth < edge) {
            hit.Index = index;
            break;
        }
        if (x >= edge - lead && x <= edge + band - lead) {
            hit = {true, index, edge, edge - x};
            return hit;
        }
        edge += line;
    }
    const int client = geometry.ClientWidth;
    if (geometry.DrawnWidth < edge && geometry.DrawnWidth == client && x >= client - lead &&
        x <= client) {
        hit.Sizing = true;
        hit.SizingPos = client;
        hit.SizingOfs = client - x;
    }
    return hit;
}

// ---- Properties --------------------------------------------------------

void TCustomDBGridX::SetReadOnly(bool value) {
    if (value == readOnly_)
        return;
    readOnly_ = value;
    InvalidateGrid();
    if (!loading_)
        UpdateColumnTabStops();
}

// Setting a colour marks it as the grid's own even when it is the colour
// already shown, so it is kept from then on.
void TCustomDBGridX::SetOddRowColor(ui::TColor color) {
    oddRowColorSet_ = true;
    if (color == oddRowColor_)
        return;
    oddRowColor_ = color;
    InvalidateGrid();
}

void TCustomDBGridX::SetEvenRowColor(ui::TColor color) {
    evenRowColorSet_ = true;
    if (color == evenRowColor_)
        return;
    evenRowColor_ = color;
    InvalidateGrid();
}

void TCustomDBGridX::SetColumnDefValues(const TDBGridXColumnDefValuesX& values) {
    columnDefValues_->Assign(values);
}

void TCustomDBGridX::SetHorzScrollBar(const TDBGridXScrollBar& scrollBar) {
    horzScrollBar_->Assign(scrollBar);
}

void TCustomDBGridX::SetVertScrollBar(const TDBGridXScrollBar& scrollBar) {
    vertScrollBar_->Assign(scrollBar);
}

// ---- Allowed operations ------------------------------------------------

bool TCustomDBGridX::CanModifyRecord() const {
    const db::TDataSet* dataSet = dataLink_->DataSet();
    if (!dataLink_->Active() || !dataSet)
        return false;
    const bool inserting = dataSet->State() == db::dsInsert;
    return ((allowedOperations_ & alopUpdateX) || inserting) &&
           (!dataSet->IsEmpty() || (allowedOperations_ & (alopInsertX | alopAppendX)));
}

bool TCustomDBGridX::CanPasteSelection() const {
    const db::TDataSet* dataSet = dataLink_->DataSet();
    if (!dataLink_->Active() || readOnly_ || !dataSet || !dataSet->CanModify())
        return false;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !(data->hasFormat(QString::fromLatin1(GridClipboardMimeType)) || data->hasText()))
        return false;
    return dataSet->State() == db::dsInsert || (allowedOperations_ & alopUpdateX);
}

bool TCustomDBGridX::CanCopySelection() const {
    return dataLink_->Active() && Selection().SelectionType() != gstNon;
}

bool TCustomDBGridX::CanCutSelection() const {
    return CanCopySelection() && CanDeleteSelection();
}

// Deleting records needs deletes allowed; deleting cells clears their
// values and needs updates allowed.
bool TCustomDBGridX::CanDeleteSelection() const {
    const db::TDataSet* dataSet = dataLink_->DataSet();
    if (!dataLink_->Active() || readOnly_ || !dataSet || dataSet->IsEmpty() ||
        !dataSet->CanModify())
        return false;
    switch (Selection().SelectionType()) {
    case gstRecordBookmarks:
    case gstAll:
        return (allowedOperations_ & alopDeleteX) != 0;
    case gstRectangle:
    case gstColumns:
        return (allowedOperations_ & alopUpdateX) != 0;
    default:
        return false;
    }
}

bool TCustomDBGridX::CanSelectAll() const {
    const db::TDataSet* dataSet = dataLink_->DataSet();
    return dataLink_->Active() && dataSet && !dataSet->IsEmpty() &&
           (allowedSelections_ & SelectionTypeBit(gstAll));
}

// ---- Edit actions ------------------------------------------------------

namespace {

const std::function<void(TCustomDBGridX*, bool)>* ClipboardCommand(TGridEditActionsX kind) {
    switch (kind) {
    case geaCopyX:
        return &GridClipboardCommands.Copy;
    case geaPasteX:
        return &GridClipboardCommands.Paste;
    case geaCutX:
        return &GridClipboardCommands.Cut;
    case geaDeleteX:
        return &GridClipboardCommands.Delete;
    default:
        return nullptr;
    }
}

} // namespace

// A clipboard action whose command the program lacks is never offered.
bool TCustomDBGridX::EditActionPossible(TGridEditActionsX kind) const {
    const auto* command = ClipboardCommand(kind);
    if (command && !*command)
        return false;
    switch (kind) {
    case geaCopyX:
        return CanCopySelection();
    case geaPasteX:
        return CanPasteSelection();
    case geaCutX:
        return CanCutSelection();
    case geaSelectAllX:
        return CanSelectAll();
    case geaDeleteX:
        return CanDeleteSelection();
    default:
        return false;
    }
}

bool TCustomDBGridX::ExecuteAction(QAction* action) {
    const TGridEditActionsX kind = EditActionKind(action);
    if (!GridOrEditorFocused() || !(kind & editActions_) || !EditActionPossible(kind))
        return false;
    if (kind == geaSelectAllX)
        Selection().SelectAll();
    else
        (*ClipboardCommand(kind))(this, false);
    return true;
}

bool TCustomDBGridX::UpdateAction(QAction* action) {
    const TGridEditActionsX kind = EditActionKind(action);
    if (!GridOrEditorFocused() || !(kind & editActions_))
        return false;
    action->setEnabled(EditActionPossible(kind));
    return true;
}

// ---- Frozen-column sizing ----------------------------------------------

TFrozenSizingHit TCustomDBGridX::FrozenSizingAt(int x, int y) const {
    if (!(TCustomGridX::Options() & goColSizing))
        return {};
    if (layoutDirection() == Qt::RightToLeft)
        x = ClientWidth() - x;
    TFrozenSizingGeometry geometry;
    geometry.ClientWidth = ClientWidth();
    geometry.DrawnWidth = GetGridWidth();
    geometry.LineWidth = GridLineWidth();
    for (int row = 0; row < titleOffset_; ++row)
        geometry.TitleBottom += GetRowHeights(row) + geometry.LineWidth;
    for (int col = 0; col < indicatorOffset_; ++col)
        geometry.IndicatorWidth += GetColWidths(col) + geometry.LineWidth;
    geometry.FirstFrozen = indicatorOffset_;
    for (int col = indicatorOffset_; col < FixedCols(); ++col)
        geometry.FrozenWidths.push_back(GetColWidths(col));
    return CalcFrozenSizing(geometry, x, y);
}

bool TCustomDBGridX::IsFrozenSizingPoint(int x, int y) const {
    return FrozenSizingAt(x, y).Sizing;
}

void TCustomDBGridX::CalcSizingState(int x, int y, const TGridLayoutX& layout, TGridStateX& state,
                                     int& index, int& sizingPos, int& sizingOfs) const {
    TCustomGridX::CalcSizingState(x, y, layout, state, index, sizingPos, sizingOfs);
    if (state == gsColSizing) {
        const int first = layout.Horz.FirstGridCell;
        if (index >= FullColCount() - 1) {
            index = ColCount() - 1;
        } else if (ContraColCount() == 0 && first == layout.Horz.LastFullVisibleCell &&
                   GetColWidths(first) > ClientWidth() - layout.Horz.FixedBoundary &&
                   index > first) {
            // One column wider than the room beside the fixed ones is sized
            // by the client edge.
            index = first;
        }
    } else if (state == gsRowSizing) {
        int indicatorWidth = 0;
        for (int col = 0; col < indicatorOffset_; ++col)
            indicatorWidth += GetColWidths(col) + GridLineWidth();
        if (x >= indicatorWidth)
            state = gsNormal;
    }
}

// ---- Frame -------------------------------------------------------------

int TCustomDBGridX::FlatBorderWidth() const {
    return flat_ && BorderStyle() == ui::TBorderStyle::bsSingle ? 1 : 0;
}

// A flat grid draws a plain one-pixel line instead of the sunken edge.
void TCustomDBGridX::ApplyFlatBorder() {
    if (FlatBorderWidth() > 0) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    } else {
        setFrameStyle(BorderStyle() == ui::TBorderStyle::bsSingle
                          ? (QFrame::StyledPanel | QFrame::Sunken)
                          : QFrame::NoFrame);
    }
}

} // namespace kx
