// The grid's data service and the default text search over the current
// column.

#include "grid/dbgrid/dbgriddataservice.h"

#include "grid/dbgrid/customdbgridx.h"
#include "platform/db/datasource.h"

#include <QScopeGuard>

#include <memory>

namespace kx {

namespace {

std::unique_ptr<TDBGridXDataService> dataService;

bool TextMatches(QString value, QString text, int options, TLocateTextMatching matching) {
    if (options & ltoCaseInsensitive) {
        value = value.toUpper();
        text = text.toUpper();
    }
    switch (matching) {
    case ltmWhole:
        return QString::localeAwareCompare(value, text) == 0;
    case ltmFromBeginning:
        return value.startsWith(text);
    default:
        return value.contains(text);
    }
}

} // namespace

bool FindTextInGridColumn(TCustomDBGridX* grid, const QString&, const QString& text, int options,
                          TLocateTextDirection direction, TLocateTextMatching matching, int) {
    db::TDataSource* source = grid->GetDataSource();
    db::TDataSet* dataSet = source ? source->DataSet() : nullptr;
    if (!dataSet || !dataSet->Active() || grid->VisibleColumns()->Count() == 0)
        return false;
    const int dataCol = grid->CurrentDataColumn();
    if (dataCol < 0 || dataCol >= grid->Columns()->Count())
        return false;
    TColumnX* column = grid->Columns()->GetColumn(dataCol);
    const db::TField* field = column->Field();
    if (!field || dataSet->IsEmpty())
        return false;
    const auto matches = [&] {
        const QString value = (options & ltoDisplayText) ? column->ShownText() : field->Text();
        return TextMatches(value, text, options, matching);
    };

    dataSet->DisableControls();
    const auto enable = qScopeGuard([dataSet] { dataSet->EnableControls(); });
    grid->SaveRowPosition();
    bool found = false;
    if (direction == ltdAll) {
        dataSet->First();
        found = matches();
    }
    const int step = direction == ltdUp ? -1 : 1;
    while (!found && dataSet->MoveBy(step) != 0)
        found = matches();
    if (!found)
        grid->RestoreRowPosition();
    return found;
}

bool TDBGridXDataService::DefaultLocateText(TCustomDBGridX* grid, const QString& fieldName,
                                            const QString& text, int options,
                                            TLocateTextDirection direction,
                                            TLocateTextMatching matching, int range) {
    return FindTextInGridColumn(grid, fieldName, text, options, direction, matching, range);
}

bool TDBGridXDataService::DefaultMoveRecords(TCustomDBGridX*, const QList<db::TBookmark>&, int,
                                             bool) {
    return false;
}

bool TDBGridXDataService::LocateText(TCustomDBGridX* grid, const QString& fieldName,
                                     const QString& text, int options,
                                     TLocateTextDirection direction, TLocateTextMatching matching,
                                     int range) {
    return DefaultLocateText(grid, fieldName, text, options, direction, matching, range);
}

bool TDBGridXDataService::MoveRecords(TCustomDBGridX* grid, const QList<db::TBookmark>& bookmarks,
                                      int target, bool checkOnly) {
    return DefaultMoveRecords(grid, bookmarks, target, checkOnly);
}

void TDBGridXDataService::ApplyFilter(TCustomDBGridX* grid) {
    if (FilterHandler)
        FilterHandler(grid);
    else
        DefaultApplyFilter(grid);
}

void TDBGridXDataService::ApplySorting(TCustomDBGridX* grid) {
    if (SortingHandler)
        SortingHandler(grid);
    else
        DefaultApplySorting(grid);
}

// No data set brings a filter or a sorting of its own.
void TDBGridXDataService::DefaultApplyFilter(TCustomDBGridX*) {}

void TDBGridXDataService::DefaultApplySorting(TCustomDBGridX*) {}

void TDBGridXDataService::OpenFindDialog(TCustomDBGridX* grid, const QString& text, const QString&,
                                         bool modal) {
    if (GridFindDialogProc)
        GridFindDialogProc(grid, text, QString(), modal);
}

TDBGridXDataService* GridDataService() {
    return dataService.get();
}

void CreateGridDataService() {
    if (!dataService)
        dataService = std::make_unique<TDBGridXDataService>();
}

void DestroyGridDataService() {
    dataService.reset();
}

} // namespace kx
