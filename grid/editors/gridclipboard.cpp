#include "grid/editors/gridclipboard.h"

#include "grid/base/drawingshims.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/editors/dbgridxexport.h"
#include "grid/editors/dbgridximport.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/sys/cp936.h"
#include "platform/ui/messagedialog.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QRegularExpression>
#include <QScopeGuard>

#include <memory>

namespace kx {

namespace {

db::TDataSet* GridDataSet(const TCustomDBGridX* grid) {
    db::TDataSource* source = grid->GetDataSource();
    return source ? source->DataSet() : nullptr;
}

QByteArray Exported(TGridExportFormat format, TCustomDBGridX* grid, bool wholeGrid) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ExportGridToStream(format, grid, buffer, wholeGrid);
    return buffer.data();
}

void Import(TGridImportFormat format, TCustomDBGridX* grid, QByteArray bytes, bool wholeGrid) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ImportGridFromStream(format, grid, buffer, wholeGrid);
}

// Every kind but the column selection asks, where the grid wants
// deletions confirmed; so does deleting every record.
bool ConfirmSelectionDelete(TCustomDBGridX* grid, TDBGridSelectionType kind) {
    if (!(grid->Options() & dgConfirmDelete))
        return true;
    QString text;
    switch (kind) {
    case gstRecordBookmarks:
        text = grid->Selection().GetRows().BookmarkCount() < 2
                   ? QStringLiteral("Delete record?")
                   : QStringLiteral("Delete all selected records?");
        break;
    case gstRectangle:
        text = QStringLiteral("Clear selected cells?");
        break;
    case gstAll:
        text = QStringLiteral("Delete all selected records?");
        break;
    default:
        return true;
    }
    return ui::ShowMessageDialog(grid, QStringLiteral("Confirm"), text, ui::MessageIcon::Question,
                                 ui::MessageButtons::YesNo);
}

// Clears the cells of the columns in the current record and posts it; a
// record that cannot take the change is put back and the error passes on.
void ClearRowCells(db::TDataSet* dataSet, const TColumnsXList& columns) {
    try {
        for (TColumnX* column : columns) {
            db::TField* field = column->Field();
            if (!field || !column->CellEditable(false))
                continue;
            const QList<db::TField*> targets =
                field->Lookup() ? dataSet->GetFieldList(field->KeyFields()) : QList{field};
            if (dataSet->CanModify() && dataSet->State() == db::dsBrowse)
                dataSet->Edit();
            if (dataSet->State() != db::dsEdit && dataSet->State() != db::dsInsert)
                continue;
            for (db::TField* target : targets)
                target->Clear();
        }
        if (dataSet->State() == db::dsEdit || dataSet->State() == db::dsInsert)
            dataSet->Post();
    } catch (...) {
        if (dataSet->State() == db::dsEdit || dataSet->State() == db::dsInsert)
            dataSet->Cancel();
        throw;
    }
}

TColumnsXList RectangleColumns(TCustomDBGridX* grid) {
    TColumnsXList columns;
    TDBGridXSelectionRect& rect = grid->Selection().Rect();
    for (int i = rect.GetLeftCol(); i <= rect.GetRightCol(); ++i)
        if (grid->Columns()->GetColumn(i)->Visible())
            columns.Add(grid->Columns()->GetColumn(i));
    return columns;
}

void DeleteSelected(TCustomDBGridX* grid, db::TDataSet* dataSet, TDBGridSelectionType kind) {
    switch (kind) {
    case gstRecordBookmarks: {
        TBookmarkListX& rows = grid->Selection().GetRows();
        for (int i = 0; i < rows.BookmarkCount(); ++i) {
            dataSet->GotoBookmark(rows.ItemAt(i));
            dataSet->Delete();
        }
        grid->Selection().Clear();
        return;
    }
    case gstRectangle: {
        const TColumnsXList columns = RectangleColumns(grid);
        TDBGridXSelectionRect& rect = grid->Selection().Rect();
        const db::TBookmark bottom = rect.GetBottomRow();
        dataSet->GotoBookmark(rect.GetTopRow());
        while (!dataSet->Eof()) {
            ClearRowCells(dataSet, columns);
            if (CompareDataSetBookmarks(*dataSet, dataSet->Bookmark(), bottom) == 0)
                break;
            dataSet->Next();
        }
        grid->RestoreRowPosition();
        return;
    }
    case gstColumns: {
        TColumnsXList columns;
        for (TColumnX* column : grid->Selection().Columns())
            columns.Add(column);
        for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
            ClearRowCells(dataSet, columns);
        grid->RestoreRowPosition();
        return;
    }
    default:
        for (dataSet->First(); !dataSet->IsEmpty();)
            dataSet->Delete();
        return;
    }
}

} // namespace

QMimeData* GridSelectionMimeData(TCustomDBGridX* grid, bool wholeGrid) {
    auto data = std::make_unique<QMimeData>();
    data->setText(cp936::Decode(Exported(TGridExportFormat::Text, grid, wholeGrid)));
    data->setData(QString::fromLatin1(ClipboardFormatCsv),
                  Exported(TGridExportFormat::Csv, grid, wholeGrid));
    data->setData(QString::fromLatin1(ClipboardFormatRtf),
                  Exported(TGridExportFormat::Rtf, grid, wholeGrid));
    data->setData(QString::fromLatin1(GridClipboardMimeType),
                  Exported(TGridExportFormat::VCLDBIF, grid, wholeGrid));
    return data.release();
}

QByteArray ClipboardTextBytes(const QString& text) {
    QString rows = text;
    rows.replace(QRegularExpression(QStringLiteral("(?<!\\r)\\n")), QStringLiteral("\r\n"));
    return cp936::Encode(rows);
}

void GridCopyToClipboard(TCustomDBGridX* grid, bool wholeGrid) {
    db::TDataSet* dataSet = GridDataSet(grid);
    if (!dataSet)
        return;
    dataSet->DisableControls();
    const auto enable = qScopeGuard([dataSet] { dataSet->EnableControls(); });
    QApplication::clipboard()->setMimeData(GridSelectionMimeData(grid, wholeGrid));
}

void GridPasteFromClipboard(TCustomDBGridX* grid, bool wholeGrid) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    if (data->hasFormat(QString::fromLatin1(GridClipboardMimeType)))
        Import(TGridImportFormat::VCLDBIF, grid,
               data->data(QString::fromLatin1(GridClipboardMimeType)), wholeGrid);
    else if (data->hasText())
        Import(TGridImportFormat::Text, grid, ClipboardTextBytes(data->text()), wholeGrid);
}

void GridCutSelection(TCustomDBGridX* grid, bool wholeGrid) {
    GridCopyToClipboard(grid, wholeGrid);
    GridDeleteSelection(grid, wholeGrid);
}

void GridDeleteSelection(TCustomDBGridX* grid, bool wholeGrid) {
    const TDBGridSelectionType kind = wholeGrid ? gstAll : grid->Selection().SelectionType();
    db::TDataSet* dataSet = GridDataSet(grid);
    if (kind == gstNon || !dataSet || !ConfirmSelectionDelete(grid, kind))
        return;
    grid->SaveRowPosition();
    dataSet->DisableControls();
    const auto enable = qScopeGuard([dataSet] { dataSet->EnableControls(); });
    DeleteSelected(grid, dataSet, kind);
}

void RegisterGridClipboardCommands() {
    GridClipboardCommands = {GridCopyToClipboard, GridPasteFromClipboard, GridCutSelection,
                             GridDeleteSelection};
}

} // namespace kx
