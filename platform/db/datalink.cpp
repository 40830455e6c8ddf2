#include "platform/db/datalink.h"

#include "platform/db/datasource.h"

#include <algorithm>

namespace kx::db {

TDataLink::~TDataLink() {
    if (dataSource_)
        dataSource_->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == dataSource_)
        return;
    if (dataSource_)
        dataSource_->RemoveLink(this);
    dataSource_ = source;
    if (dataSource_)
        dataSource_->AddLink(this);
    UpdateState();
}

TDataSet* TDataLink::DataSet() const {
    return dataSource_ ? dataSource_->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateState();
}

bool TDataLink::Edit() {
    if (!readOnly_ && dataSource_)
        dataSource_->Edit();
    return editing_;
}

void TDataLink::UpdateRecord() {
    updating_ = true;
    try {
        UpdateData();
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

void TDataLink::SetBufferCount(int count) {
    bufferCount_ = std::max(1, count);
    FollowCurrent();
}

int TDataLink::ActiveRecord() const {
    const TDataSet* dataSet = DataSet();
    return active_ && dataSet ? dataSet->ActiveRecord() - firstRecord_ : 0;
}

void TDataLink::SetActiveRecord(int row) {
    if (TDataSet* dataSet = DataSet(); active_ && dataSet)
        dataSet->SetActiveRecord(firstRecord_ + row);
}

int TDataLink::RecordCount() const {
    const TDataSet* dataSet = DataSet();
    if (!active_ || !dataSet)
        return 0;
    return std::clamp(dataSet->BufferRecordCount() - firstRecord_, 0, bufferCount_);
}

int TDataLink::MoveBy(int distance) {
    TDataSet* dataSet = DataSet();
    return active_ && dataSet ? dataSet->MoveBy(distance) : 0;
}

void TDataLink::DataSetScrolled(int) {
    DataSetChanged();
}

void TDataLink::DataEvent(TDataEvent event, TField* field) {
    switch (event) {
    case deFieldChange:
    case deRecordChange:
        if (!updating_)
            RecordChanged(field);
        break;
    case deDataSetChange:
        FollowCurrent();
        DataSetChanged();
        break;
    case deDataSetScroll:
        DataSetScrolled(FollowCurrent());
        break;
    case deLayoutChange:
        FollowCurrent();
        LayoutChanged();
        break;
    case deUpdateRecord:
        UpdateRecord();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deFieldListChange:
        FieldListChanged();
        break;
    case deFocusControl:
        FocusControl(field);
        break;
    default:
        break;
    }
}

void TDataLink::UpdateState() {
    const bool active = dataSource_ && dataSource_->State() != dsInactive;
    if (active != active_) {
        active_ = active;
        firstRecord_ = 0;
        FollowCurrent();
        ActiveChanged();
    }
    const TDataSetState state = active_ ? dataSource_->State() : dsInactive;
    SetEditing((state == dsEdit || state == dsInsert) && !readOnly_);
}

void TDataLink::SetEditing(bool editing) {
    if (editing == editing_)
        return;
    editing_ = editing;
    EditingChanged();
}

int TDataLink::FollowCurrent() {
    const TDataSet* dataSet = DataSet();
    if (!active_ || !dataSet)
        return 0;
    const int previous = firstRecord_;
    const int current = dataSet->CurrentIndex();
    if (current < firstRecord_)
        firstRecord_ = current;
    else if (current >= firstRecord_ + bufferCount_)
        firstRecord_ = current - bufferCount_ + 1;
    firstRecord_ = std::max(0, std::min(firstRecord_, dataSet->BufferRecordCount() - bufferCount_));
    return firstRecord_ - previous;
}

} // namespace kx::db
