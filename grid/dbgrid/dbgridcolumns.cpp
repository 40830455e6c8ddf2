// How the data-aware grid follows changes of its columns.

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "grid/dbgrid/sortmarking.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace kx {

void TCustomDBGridX::ColumnChanged(TColumnX* column) {
    if (!column) {
        RebuildSortMarkedColumns();
        LayoutChanged();
    } else {
        const int col = DataToRawColumn(column->Index());
        if (col >= 0 && col < FullColCount()) {
            InvalidateCol(col);
            const int gridWidth = GetColWidths(col);
            if (!autoFitColWidths_) {
                if (gridWidth == column->Width()) {
                    if (useMultiTitle_)
                        LayoutChanged();
                } else {
                    SetColWidths(col, column->Visible() ? column->Width()
                                                        : ((options_ & dgColLines) ? -1 : 0));
                }
            } else if (gridWidth != -1) {
                const int oldBase = column->BaseWidth;
                if (gridWidth > 0)
                    column->BaseWidth = static_cast<int>(
                        std::lround(static_cast<double>(oldBase) * column->Width() / gridWidth));
                const int next = column->Index() + 1;
                if (col != FullColCount() - 1 && next < columns_->Count()) {
                    TColumnX* right = columns_->GetColumn(next);
                    right->BaseWidth = std::max(0, right->BaseWidth + oldBase - column->BaseWidth);
                }
                LayoutChanged();
            }
        }
    }
    if (columns_->Count() > 0 && visibleColumns_->Count() > 0) {
        const int current = CurrentDataColumn();
        if (current >= 0 && current < columns_->Count() && !columns_->GetColumn(current)->Visible())
            MoveToColumn(visibleColumns_->GetColumn(0)->Index());
    }
    if (layoutLock_.LayoutLockCount() == 0)
        RefreshEditor();
}

void TCustomDBGridX::RebuildSortMarkedColumns() {
    std::vector<int> indexes;
    for (int i = 0; i < columns_->Count(); ++i)
        indexes.push_back(columns_->GetColumn(i)->Title()->SortIndex());
    sortMarkedColumns_->Clear();
    for (int index : kx::SortMarkedColumns(indexes))
        sortMarkedColumns_->Add(columns_->GetColumn(index));
}

} // namespace kx
