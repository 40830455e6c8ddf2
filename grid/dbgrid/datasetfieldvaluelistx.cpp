#include "grid/dbgrid/datasetfieldvaluelistx.h"

#include "grid/base/drawingshims.h"
#include "platform/db/field.h"

#include <algorithm>

namespace kx {

namespace {

// Keeps the data set's controls disabled for a scope, also when it ends by
// an exception.
class TControlsDisabled {
public:
    explicit TControlsDisabled(db::TDataSet& dataSet) : dataSet_(dataSet) {
        dataSet_.DisableControls();
    }
    ~TControlsDisabled() { dataSet_.EnableControls(); }
    TControlsDisabled(const TControlsDisabled&) = delete;
    TControlsDisabled& operator=(const TControlsDisabled&) = delete;

private:
    db::TDataSet& dataSet_;
};

} // namespace

TDatasetFieldValueListX::TDatasetFieldValueListX() {
    link_.OnDataEvent = [this](db::TDataEvent event, db::TField*) { DataLinkEvent(event); };
    link_.SetDataSource(&source_);
}

TDatasetFieldValueListX::~TDatasetFieldValueListX() {
    link_.OnDataEvent = nullptr;
    link_.SetDataSource(nullptr);
    source_.SetDataSet(nullptr);
}

void TDatasetFieldValueListX::ChangeFieldName(const QString& fieldName) {
    if (fieldName == fieldName_)
        return;
    fieldName_ = fieldName;
    obsolete_ = true;
}

void TDatasetFieldValueListX::ChangeDataSet(db::TDataSet* dataSet) {
    if (dataSet == source_.DataSet())
        return;
    obsolete_ = true;
    source_.SetDataSet(dataSet);
}

const QStringList& TDatasetFieldValueListX::DistinctValues() {
    if (obsolete_)
        ReloadValues();
    return values_;
}

void TDatasetFieldValueListX::DataLinkEvent(db::TDataEvent event) {
    if (event == db::deDataSetChange || event == db::dePropertyChange ||
        event == db::deFieldListChange)
        obsolete_ = true;
}

void TDatasetFieldValueListX::AddValue(const QString& text) {
    const auto place = std::lower_bound(
        values_.begin(), values_.end(), text,
        [](const QString& a, const QString& b) { return CompareTextLocale(a, b) < 0; });
    if (place == values_.end() || CompareTextLocale(*place, text) != 0)
        values_.insert(place, text);
}

void TDatasetFieldValueListX::ReloadValues() {
    values_.clear();
    db::TDataSet* dataSet = source_.DataSet();
    // A record being edited would be posted by the scan: the values wait
    // until the edit is over.
    if (!dataSet || !dataSet->Active() || dataSet->State() == db::dsEdit ||
        dataSet->State() == db::dsInsert)
        return;
    const db::TField* field = dataSet->FindField(fieldName_);
    if (!field)
        return;
    {
        TControlsDisabled disabled(*dataSet);
        // The user's current record stays where it was.
        const db::TBookmark current = dataSet->Bookmark();
        dataSet->First();
        while (!dataSet->Eof()) {
            AddValue(field->AsString());
            dataSet->Next();
        }
        if (!current.isEmpty())
            dataSet->GotoBookmark(current);
    }
    obsolete_ = false;
}

} // namespace kx
