#include "platform/db/datasource.h"

#include "platform/db/datalink.h"

namespace kx::db {

TDataSource::TDataSource(QObject* owner) : QObject(owner) {}

TDataSource::~TDataSource() {
    for (TDataLink* link : QList<TDataLink*>(links_)) {
        link->dataSource_ = nullptr;
        link->UpdateState();
    }
    if (dataSet_)
        dataSet_->RemoveDataSource(this);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_)
        return;
    if (dataSet_) {
        dataSet_->RemoveDataSource(this);
        dataSet_ = nullptr;
        UpdateState();
    }
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->AddDataSource(this);
    UpdateState();
}

void TDataSource::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateState();
}

void TDataSource::Edit() {
    if (autoEdit_ && state_ == dsBrowse && dataSet_)
        dataSet_->Edit();
}

bool TDataSource::IsLinkedTo(const TDataSet* dataSet) const {
    return dataSet && dataSet_ == dataSet;
}

void TDataSource::UpdateState() {
    const TDataSetState state = enabled_ && dataSet_ ? dataSet_->State() : dsInactive;
    if (state == state_)
        return;
    state_ = state;
    for (TDataLink* link : QList<TDataLink*>(links_))
        link->UpdateState();
    if (OnStateChange)
        OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent event, TField* field) {
    if (event == deUpdateState) {
        UpdateState();
        return;
    }
    if (state_ == dsInactive && event != deFieldListChange)
        return;
    for (TDataLink* link : QList<TDataLink*>(links_))
        link->DataEvent(event, field);
    switch (event) {
    case deFieldChange:
        if (OnDataChange)
            OnDataChange(this, field);
        break;
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
        if (OnDataChange)
            OnDataChange(this, nullptr);
        break;
    case deUpdateRecord:
        if (OnUpdateData)
            OnUpdateData(this);
        break;
    default:
        break;
    }
}

void TDataSource::AddLink(TDataLink* link) {
    if (!links_.contains(link))
        links_.append(link);
}

void TDataSource::RemoveLink(TDataLink* link) {
    links_.removeOne(link);
}

} // namespace kx::db

#include "moc_datasource.cpp"
