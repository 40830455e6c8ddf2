// The grid's data service, which hands work to the features object of the
// grid's data set where one is registered, and the default text search.

#include "grid/dbgrid/dbgriddataservice.h"

#include "grid/base/drawingshims.h"
#include "grid/dbgrid/customdbgridx.h"
#include "grid/editors/datasetfeaturesx.h"
#include "platform/db/datasource.h"

#include <QScopeGuard>

#include <memory>

namespace kx {

namespace {

std::unique_ptr<TDBGridXDataService> dataService;

bool TextMatches(QString value, QString text, int options, TLocateTextMatching matching) {
    if (options & ltoCaseInsensitive) {
        value = UpperCaseLocale(value);
        text = UpperCaseLocale(text);
    }
    switch (matching) {
    case ltmWhole:
        return value == text;
    case ltmFromBeginning:
        return value.startsWith(text);
    default:
        return value.contains(text);
    }
}

// The walk over records, and with ltoAllColumns over every visible column
// of each record: forward runs left to right, then on to the next record.
class TTextSearchWalk {
public:
    TTextSearchWalk(TCustomDBGridX* grid, db::TDataSet* dataSet, int options, int position)
        : grid_(grid), dataSet_(dataSet), allColumns_(options & ltoAllColumns),
          position_(position) {}

    TColumnX* Column() const { return grid_->VisibleColumns()->GetColumn(position_); }

    // False when the walk has run out of records.
    bool Step(bool backward) {
        const int last = grid_->VisibleColumns()->Count() - 1;
        const int step = backward ? -1 : 1;
        if (allColumns_) {
            const int next = position_ + step;
            if (next >= 0 && next <= last) {
                position_ = next;
                return true;
            }
            if (dataSet_->MoveBy(step) == 0)
                return false;
            position_ = backward ? last : 0;
            return true;
        }
        return dataSet_->MoveBy(step) != 0;
    }

private:
    TCustomDBGridX* grid_;
    db::TDataSet* dataSet_;
    bool allColumns_;
    int position_;
};

db::TDataSet* GridDataSet(const TCustomDBGridX* grid) {
    db::TDataSource* source = grid ? grid->GetDataSource() : nullptr;
    return source ? source->DataSet() : nullptr;
}

TDatasetFeaturesX* FeaturesOf(const TCustomDBGridX* grid) {
    return DataSetFeaturesFor(GridDataSet(grid));
}

} // namespace

// Needs a whole scrollable column on screen. The matching column becomes
// the current one, so the found cell is the one shown.
bool FindTextInGridColumn(TCustomDBGridX* grid, const QString&, const QString& text, int options,
                          TLocateTextDirection direction, TLocateTextMatching matching, int) {
    db::TDataSet* dataSet = GridDataSet(grid);
    if (!dataSet || !dataSet->Active() || grid->VisibleColCount() == 0)
        return false;
    const TColumnsXList& visible = *grid->VisibleColumns();
    const int dataCol = grid->CurrentDataColumn();
    const int position = dataCol >= 0 && dataCol < grid->Columns()->Count()
                             ? visible.IndexOf(grid->Columns()->GetColumn(dataCol))
                             : -1;
    if (position < 0)
        return false;
    TTextSearchWalk walk(grid, dataSet, options, position);
    const auto matches = [&] {
        TColumnX* column = walk.Column();
        const db::TField* field = column->Field();
        const QString value = (options & ltoDisplayText) ? column->ShownText()
                              : field                    ? field->Text()
                                                         : QString();
        return TextMatches(value, text, options, matching);
    };

    dataSet->DisableControls();
    const auto enable = qScopeGuard([dataSet] { dataSet->EnableControls(); });
    grid->SaveRowPosition();
    const bool backward = direction == ltdUp;
    bool more = true;
    if (direction == ltdAll)
        dataSet->First();
    else
        more = walk.Step(backward);
    bool found = false;
    while (more && !dataSet->IsEmpty() && !found) {
        found = matches();
        if (!found)
            more = walk.Step(backward);
    }
    if (found)
        grid->MoveToColumn(walk.Column()->Index());
    else
        grid->RestoreRowPosition();
    return found;
}

bool TDBGridXDataService::DefaultLocateText(TCustomDBGridX* grid, const QString& fieldName,
                                            const QString& text, int options,
                                            TLocateTextDirection direction,
                                            TLocateTextMatching matching, int range) {
    return FindTextInGridColumn(grid, fieldName, text, options, direction, matching, range);
}

bool TDBGridXDataService::DefaultMoveRecords(TCustomDBGridX* grid,
                                             const QList<db::TBookmark>& bookmarks, int target,
                                             bool checkOnly) {
    TDatasetFeaturesX* features = FeaturesOf(grid);
    return features && features->MoveRecords(grid, bookmarks, target, checkOnly);
}

bool TDBGridXDataService::LocateText(TCustomDBGridX* grid, const QString& fieldName,
                                     const QString& text, int options,
                                     TLocateTextDirection direction, TLocateTextMatching matching,
                                     int range) {
    if (TDatasetFeaturesX* features = FeaturesOf(grid))
        return features->LocateText(grid, fieldName, text, options, direction, matching, range);
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

void TDBGridXDataService::DefaultApplyFilter(TCustomDBGridX* grid) {
    if (TDatasetFeaturesX* features = FeaturesOf(grid))
        features->ApplyFilter(grid, GridDataSet(grid), true);
}

void TDBGridXDataService::DefaultApplySorting(TCustomDBGridX* grid) {
    if (TDatasetFeaturesX* features = FeaturesOf(grid))
        features->ApplySorting(grid, GridDataSet(grid), true);
}

void TDBGridXDataService::OpenFindDialog(TCustomDBGridX* grid, const QString& text,
                                         const QString& fieldName, bool modal) {
    if (TDatasetFeaturesX* features = FeaturesOf(grid))
        features->OpenFindDialog(grid, text, fieldName, modal);
    else if (GridFindDialogProc)
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
