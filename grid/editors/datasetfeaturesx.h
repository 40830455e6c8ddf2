#pragma once
// What a kind of data set can do for a grid beyond what every data set
// offers: filter, sort, search text, move records and find. A features
// object serves one data-set class and its descendants; the grid's data
// service asks the registry for the object of the nearest class before it
// falls back to its own way. Nothing in the program registers one, so the
// data service always takes its own way.

#include "grid/dbgrid/dbgriddataservice.h"

#include <QList>
#include <QString>

#include <climits>
#include <memory>

struct QMetaObject;

namespace kx {

class TCustomDBGridX;

namespace db {
class TDataSet;
}

class TDatasetFeaturesX {
public:
    explicit TDatasetFeaturesX(QString dataSetClassName)
        : dataSetClassName_(std::move(dataSetClassName)) {}
    virtual ~TDatasetFeaturesX() = default;

    // The class served, by its name without namespaces.
    const QString& DataSetClassName() const { return dataSetClassName_; }

    virtual void ApplyFilter(TCustomDBGridX* grid, db::TDataSet* dataSet, bool isReopen) = 0;
    virtual void ApplySorting(TCustomDBGridX* grid, db::TDataSet* dataSet, bool isReopen) = 0;
    virtual bool LocateText(TCustomDBGridX* grid, const QString& fieldName, const QString& text,
                            int options, TLocateTextDirection direction,
                            TLocateTextMatching matching, int range) = 0;
    virtual bool MoveRecords(TCustomDBGridX* grid, const QList<db::TBookmark>& bookmarks,
                             int target, bool checkOnly) = 0;
    virtual void OpenFindDialog(TCustomDBGridX* grid, const QString& text, const QString& fieldName,
                                bool modal) = 0;

private:
    QString dataSetClassName_;
};

// A second object for a class already served is refused; false then.
bool RegisterDatasetFeatures(std::unique_ptr<TDatasetFeaturesX> features);
void UnregisterDatasetFeatures(const QString& dataSetClassName);

// The object of the data set's class or its nearest registered ancestor;
// of two at the same distance the first registered. None for no data set.
TDatasetFeaturesX* DataSetFeaturesFor(const db::TDataSet* dataSet);

// Steps from the class up to the first ancestor named className (without
// namespaces, ignoring case): 0 for the class itself, INT_MAX for none.
int ClassDistance(const QMetaObject* classType, const QString& className);

} // namespace kx
