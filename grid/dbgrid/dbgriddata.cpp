// How the data-aware grid follows its data: the link turning active, the
// data set changing or scrolling, a record changing, and the editor's text
// going back into the field.

#include "grid/base/inplaceedit.h"
#include "grid/dbgrid/columnfooterx.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridhelpers.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/dbgrid/griddatalinkx.h"
#include "platform/db/datasource.h"

#include <QScopeGuard>

#include <algorithm>
#include <cstdlib>

namespace kx {

void TCustomDBGridX::LinkActive(bool active) {
    if (destroying_)
        return;
    Selection().SetLinkActive(active);
    if (!active)
        HideEditor();
    db::TDataSource* source = dataLink_->DataSource();
    sumList_->SetDataSet(active && source ? source->DataSet() : nullptr);
    CheckDatasetCursor();
    LayoutChanged();
    if (active && (options_ & dgAlwaysShowEditor))
        ShowEditor();
    UpdateScrollBar();
    columns_->ForgetFields();
}

void TCustomDBGridX::LinkDataSetChanged() {
    if (inSumListRecalc_)
        return;
    if (memTable_) {
        CursorDataChanged();
        return;
    }
    UpdateRowCount();
    const bool barShown = verticalScrollBar()->isVisible();
    UpdateScrollBar();
    if (barShown != verticalScrollBar()->isVisible() && autoFitColWidths_)
        PostDeferredLayout();
    UpdateCurrentRow();
    RefreshEditor();
    InvalidateGrid();
}

void TCustomDBGridX::DataChanged(int distance) {
    // A row band across the client area, where the row is now.
    const auto rowBand = [this](int row) {
        const ui::TRect cells = BoxRect(0, row, ColCount() - 1, row);
        return ui::TRect{0, cells.Top, ClientWidth(), cells.Bottom};
    };
    const auto shifted = [](ui::TRect rect, int dy, const ui::TRect& within) {
        rect.Top += dy;
        rect.Bottom += dy;
        return ui::IntersectRect(rect, within);
    };
    if (memTable_) {
        CursorDataChanged();
        return;
    }
    const int oldRow = Row();
    const int oldIndicatorRow = indicatorRow_;
    if (dataLink_->ActiveRecord() >= RowCount() - titleOffset_)
        UpdateRowCount();
    const bool barShown = verticalScrollBar()->isVisible();
    UpdateScrollBar();
    if (barShown != verticalScrollBar()->isVisible() && autoFitColWidths_)
        PostDeferredLayout();
    UpdateCurrentRow();
    if (distance == 0) {
        InvalidateRow(oldRow);
        InvalidateRow(Row());
        InvalidateFooter();
        return;
    }
    HideEditor();
    const auto showEditor = qScopeGuard([this] {
        if (options_ & dgAlwaysShowEditor)
            ShowEditor();
    });
    if (std::abs(distance) > VisibleDataRowCount()) {
        InvalidateGrid();
    } else {
        // The rows' pixels move with the records; only the rows that come
        // into view, the current rows and the indicators are painted anew.
        TGridLayoutX layout;
        CalcDrawInfo(layout);
        const int lineWidth = (options_ & dgRowLines) ? GridLineWidth() : 0;
        const int pitch = DefaultRowHeight() + lineWidth;
        // Only whole rows move: the part row under them would carry its
        // empty pixels up over a record, which nothing paints again.
        const int wholeRowsBottom = std::min(
            layout.Vert.GridBoundary, layout.Vert.FixedBoundary + VisibleDataRowCount() * pitch);
        const ui::TRect dataRows{0, layout.Vert.FixedBoundary, ClientWidth(), wholeRowsBottom};
        const int dy = -distance * pitch;
        ScrollWindowArea(0, dy, dataRows);
        InvalidateWindowRect({0, wholeRowsBottom, ClientWidth(), layout.Vert.GridBoundary});
        InvalidateWindowRect(shifted(rowBand(oldRow), dy, dataRows));
        InvalidateWindowRect(rowBand(Row()));
        if ((options_ & dgIndicator) && oldIndicatorRow >= titleOffset_) {
            const ui::TRect indicator = CellRect(0, oldIndicatorRow);
            InvalidateWindowRect(shifted(indicator, dy, dataRows));
            InvalidateWindowRect(indicator);
        }
        InvalidateIndicator();
        for (int i = 0; i < columns_->Count(); ++i) {
            if (columns_->GetColumn(i)->HideDuplicates()) {
                InvalidateRow(TopRow());
                break;
            }
        }
    }
    InvalidateFooter();
    if (layoutLock_.LayoutLockCount() == 0)
        UpdateWindow();
}

void TCustomDBGridX::RecordChanged(db::TField* field) {
    if (field) {
        for (int i = 0; i < columns_->Count(); ++i) {
            if (columns_->GetColumn(i)->Field() == field)
                InvalidateRow(Row());
        }
    } else {
        InvalidateGrid();
    }
    const db::TField* selected = CurrentField();
    if (selected && (!field || field == selected) && selected->EditText() != editText_) {
        RefreshEditor();
        if (InplaceEditor())
            InplaceEditor()->selectAll();
    }
}

void TCustomDBGridX::UpdateCurrentRow() {
    if (!dataLink_->Active() || loading_)
        return;
    if (memTable_) {
        FollowCurrentRecord(false);
        return;
    }
    const int row = dataLink_->ActiveRecord() + titleOffset_;
    if (row >= 0 && row != Row() && row < RowCount()) {
        if (!(options_ & dgAlwaysShowEditor))
            HideEditor();
        FocusCell(Col(), row, false, false);
        RefreshEditor();
    }
}

void TCustomDBGridX::UpdateData() {
    const int dataCol = CurrentDataColumn();
    if (dataCol < 0 || dataCol >= columns_->Count())
        return;
    TColumnX* column = columns_->GetColumn(dataCol);
    switch (column->ReadCellKind()) {
    case cellKeyToPick: {
        const int index = column->PickList().indexOf(editText_);
        QVariant key;
        if (index >= 0 && index < column->KeyList().size())
            key = column->KeyList()[index];
        else if (column->OnNotInList && !editText_.isEmpty()) {
            bool recheck = false;
            column->OnNotInList(column, editText_, recheck);
            const int again = recheck ? column->PickList().indexOf(editText_) : -1;
            if (again >= 0 && again < column->KeyList().size())
                key = column->KeyList()[again];
        }
        column->WriteCellValue(editText_, key, false);
        return;
    }
    case cellLookupField:
        // Only a key the editor chose reaches the key fields; free text
        // names no row.
        if (editKeySet_)
            column->WriteCellValue(editText_, editKeyValue_, false);
        return;
    case cellPickList:
        if (column->OnNotInList && !column->PickList().contains(editText_)) {
            bool recheck = false;
            column->OnNotInList(column, editText_, recheck);
        }
        column->WriteCellValue(editText_, editText_, true);
        return;
    default:
        column->WriteCellValue(editText_, editText_, true);
        return;
    }
}

void TCustomDBGridX::InvalidateRow(int row) {
    if (row >= 0 && row < FullRowCount())
        RepaintGridRow(*this, row);
}

} // namespace kx
