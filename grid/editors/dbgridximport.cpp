#include "grid/editors/dbgridximport.h"

#include "grid/base/drawingshims.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/dbgrid/dbgridselection.h"
#include "grid/editors/dbgridximportastext.h"
#include "grid/editors/dbgridximportasvcldbif.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/sys/exception.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>

#include <algorithm>
#include <utility>

namespace kx {

namespace {

TImportErrorDialog& ErrorDialog() {
    static TImportErrorDialog dialog;
    return dialog;
}

TImportErrorAnswer AskInMessageBox(QWidget* owner, const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), message, QMessageBox::NoButton,
                    owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* all = box.addButton(QStringLiteral("&All"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes)
        return TImportErrorAnswer::Yes;
    return box.clickedButton() == all ? TImportErrorAnswer::All : TImportErrorAnswer::No;
}

db::TDataSet* GridDataSet(const TCustomDBGridX* grid) {
    db::TDataSource* source = grid->GetDataSource();
    return source ? source->DataSet() : nullptr;
}

bool Editing(const db::TDataSet* dataSet) {
    return dataSet->State() == db::dsEdit || dataSet->State() == db::dsInsert;
}

// The values of the record's own fields, to put back a record that was
// already being edited before the import wrote into it.
std::vector<std::pair<db::TField*, QVariant>> RecordValues(const db::TDataSet* dataSet) {
    std::vector<std::pair<db::TField*, QVariant>> values;
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        db::TField* field = dataSet->Fields()[i];
        if (field->FieldKind() == db::fkData)
            values.emplace_back(field, field->Value());
    }
    return values;
}

} // namespace

TImportErrorDialog SetImportErrorDialog(TImportErrorDialog dialog) {
    return std::exchange(ErrorDialog(), std::move(dialog));
}

bool TDBGridXImport::StartEdit(db::TField* field) {
    db::TDataSet* dataSet = field->DataSet();
    if (dataSet->CanModify() && dataSet->State() == db::dsBrowse)
        dataSet->Edit();
    return Editing(dataSet);
}

// ---- The import walk ----------------------------------------------------

void TDBGridXImport::ReadFromStream(QIODevice& stream, bool wholeGrid) {
    stream_ = &stream;
    rows_.clear();
    next_ = 0;
    ignoreAll_ = false;
    ReadPrefix();
    for (TImportRow row; ParseRecord(row); row.clear())
        rows_.push_back(row);
    ReadTrailer();

    db::TDataSet* dataSet = GridDataSet(Grid);
    if (!dataSet || !dataSet->Active())
        return;
    const TDBGridSelectionType kind = wholeGrid ? gstNon : Grid->Selection().SelectionType();
    // Cells beyond the last column that takes them are dropped (WriteRecord).
    const TColumnsXList columns = ColumnsOf(kind, wholeGrid);
    if (wholeGrid) {
        Grid->Selection().Clear();
        dataSet->First();
        if (Grid->VisibleColumns()->Count() > 0)
            Grid->MoveToColumn(Grid->VisibleColumns()->GetColumn(0)->Index());
    }
    appendMode_ = dataSet->Eof();
    inserting_ = dataSet->State() == db::dsInsert;
    // A new record nobody has typed into yet is dropped rather than
    // posted empty before the first inserted one.
    if (inserting_ && !dataSet->Modified())
        dataSet->Cancel();
    if (!inserting_)
        Grid->SaveRowPosition();
    dataSet->DisableControls();
    const auto restore = qScopeGuard([this, dataSet] {
        if (!inserting_)
            Grid->RestoreRowPosition();
        dataSet->EnableControls();
    });
    if (inserting_)
        InsertRemaining(columns);
    else
        WriteRecords(kind, columns);
}

void TDBGridXImport::ReadFromFile(const QString& fileName, bool wholeGrid) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    ReadFromStream(file, wholeGrid);
}

TColumnsXList TDBGridXImport::ColumnsOf(TDBGridSelectionType kind, bool wholeGrid) const {
    TColumnsXList columns;
    const TColumnsXList& visible = *Grid->VisibleColumns();
    switch (kind) {
    case gstNon: {
        const int current = Grid->CurrentDataColumn();
        bool reached = wholeGrid;
        for (TColumnX* column : visible) {
            reached = reached || column->Index() >= current;
            if (reached)
                columns.Add(column);
        }
        break;
    }
    case gstRectangle: {
        TDBGridXSelectionRect& rect = Grid->Selection().Rect();
        for (int i = rect.GetLeftCol(); i <= rect.GetRightCol(); ++i)
            if (Grid->Columns()->GetColumn(i)->Visible())
                columns.Add(Grid->Columns()->GetColumn(i));
        break;
    }
    case gstColumns:
        for (TColumnX* column : Grid->Selection().Columns())
            columns.Add(column);
        break;
    default:
        for (TColumnX* column : visible)
            columns.Add(column);
        break;
    }
    return columns;
}

void TDBGridXImport::WriteRecords(TDBGridSelectionType kind, const TColumnsXList& columns) {
    db::TDataSet* dataSet = GridDataSet(Grid);
    switch (kind) {
    case gstNon:
        Grid->RestoreRowPosition();
        // Going back to the row may leave the end flag set while a record
        // is current, so the walk asks the moves themselves.
        if (!appendMode_ && !dataSet->IsEmpty()) {
            do
                WriteRecord(columns, false);
            while (SourceLeft() && dataSet->MoveBy(1) != 0);
        }
        if (SourceLeft() && (Grid->AllowedOperations() & alopAppendX)) {
            appendMode_ = true;
            inserting_ = true;
            InsertRemaining(columns);
        }
        return;
    case gstRecordBookmarks: {
        const TBookmarkListX& rows = Grid->Selection().GetRows();
        for (int i = 0; i < rows.BookmarkCount() && SourceLeft(); ++i) {
            dataSet->GotoBookmark(rows.ItemAt(i));
            WriteRecord(columns, false);
        }
        return;
    }
    case gstRectangle: {
        TDBGridXSelectionRect& rect = Grid->Selection().Rect();
        const db::TBookmark bottom = rect.GetBottomRow();
        dataSet->GotoBookmark(rect.GetTopRow());
        while (!dataSet->Eof() && SourceLeft()) {
            WriteRecord(columns, false);
            if (CompareDataSetBookmarks(*dataSet, dataSet->Bookmark(), bottom) == 0)
                return;
            dataSet->Next();
        }
        return;
    }
    default:
        for (dataSet->First(); !dataSet->Eof() && SourceLeft(); dataSet->Next())
            WriteRecord(columns, false);
        return;
    }
}

// Inserted records keep the source's order: each goes before the current
// record, which then moves on.
void TDBGridXImport::InsertRemaining(const TColumnsXList& columns) {
    db::TDataSet* dataSet = GridDataSet(Grid);
    while (SourceLeft()) {
        if (appendMode_)
            dataSet->Append();
        else
            dataSet->Insert();
        WriteRecord(columns, true);
        if (!appendMode_)
            dataSet->Next();
    }
}

// One source row into the current record, posted at once; on failure the
// record is as it was before.
void TDBGridXImport::WriteRecord(const TColumnsXList& columns, bool newRecord) {
    db::TDataSet* dataSet = GridDataSet(Grid);
    const TImportRow& row = rows_[next_++];
    const bool pending = !newRecord && Editing(dataSet);
    const auto before =
        pending ? RecordValues(dataSet) : std::vector<std::pair<db::TField*, QVariant>>();
    const auto putBack = [&] {
        if (!pending) {
            if (Editing(dataSet))
                dataSet->Cancel();
            return;
        }
        for (const auto& [field, value] : before)
            field->SetValue(value);
    };
    try {
        const std::size_t count = std::min(row.size(), static_cast<std::size_t>(columns.Count()));
        for (std::size_t i = 0; i < count; ++i)
            if (row[i].Assigned)
                ParseDataCell(columns[static_cast<int>(i)], row[i]);
        if (Editing(dataSet))
            dataSet->Post();
    } catch (const EAbort&) {
        putBack();
        throw;
    } catch (const Exception& error) {
        putBack();
        ReportRecordError(error.Message());
    }
}

void TDBGridXImport::ReportRecordError(const QString& message) {
    if (ignoreAll_)
        return;
    const QString text =
        QStringLiteral("Error during insert value:\n%1\n\nIgnore error?").arg(message);
    const TImportErrorAnswer answer =
        ErrorDialog() ? ErrorDialog()(Grid, text) : AskInMessageBox(Grid, text);
    if (answer == TImportErrorAnswer::No)
        Abort();
    if (answer == TImportErrorAnswer::All)
        ignoreAll_ = true;
}

// ---- Entry points -------------------------------------------------------

std::unique_ptr<TDBGridXImport> MakeGridImporter(TGridImportFormat format) {
    if (format == TGridImportFormat::VCLDBIF)
        return std::make_unique<TDBGridXImportAsVCLDBIF>();
    return std::make_unique<TDBGridXImportAsText>();
}

void ImportGridFromStream(TGridImportFormat format, TCustomDBGridX* grid, QIODevice& stream,
                          bool wholeGrid) {
    const std::unique_ptr<TDBGridXImport> importer = MakeGridImporter(format);
    importer->Grid = grid;
    importer->ReadFromStream(stream, wholeGrid);
}

} // namespace kx
