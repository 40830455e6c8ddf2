#pragma once
// A control's view of a data set through a data source. A link shows a
// window of BufferCount records around the current one (a grid's rows);
// ActiveRecord selects which of them the fields read, so a grid can paint
// every row.

#include "platform/db/dataset.h"

namespace kx::db {

class TDataSource;
class TField;

class TDataLink {
public:
    TDataLink() = default;
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;
    virtual ~TDataLink();

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    bool Active() const { return active_; }
    // True while the data set edits or inserts and the link is not read-only.
    bool Editing() const { return editing_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // Puts the data set into edit state through the data source (AutoEdit);
    // true when the data set then edits or inserts.
    bool Edit();
    // Writes this link's pending value (UpdateData); the data set asks every
    // link to do so before it posts.
    void UpdateRecord();

    int BufferCount() const { return bufferCount_; }
    void SetBufferCount(int count);
    // The buffer row of the record the fields read, from 0.
    int ActiveRecord() const;
    void SetActiveRecord(int row);
    // Records in the buffer window.
    int RecordCount() const;
    int MoveBy(int distance);

protected:
    virtual void ActiveChanged() {}
    virtual void CheckBrowseMode() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int distance);
    virtual void EditingChanged() {}
    virtual void FieldListChanged() {}
    virtual void FocusControl(TField*) {}
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField*) {}
    virtual void UpdateData() {}
    // Every notice from the data source; a subclass that overrides it calls
    // this one first.
    virtual void DataEvent(TDataEvent event, TField* field);

private:
    friend class TDataSource;

    void UpdateState();
    void SetEditing(bool editing);
    // Moves the window so it holds the current record; the rows it moved.
    int FollowCurrent();

    TDataSource* dataSource_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
    bool updating_ = false;
    int bufferCount_ = 1;
    int firstRecord_ = 0;
};

} // namespace kx::db
