#pragma once
// Connects a data set to the controls that show it: passes the data set's
// notices to its data links and to its own two events.

#include "platform/db/dataset.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

namespace kx::db {

class TDataLink;
class TField;

class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject* owner = nullptr);
    ~TDataSource() override;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    // The data set's state while Enabled, else inactive.
    TDataSetState State() const { return state_; }
    bool AutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Puts the data set into edit state when AutoEdit allows it.
    void Edit();
    bool IsLinkedTo(const TDataSet* dataSet) const;

    // Fired on every change of State.
    std::function<void(TDataSource*)> OnStateChange;
    // Fired when a field (field given) or the record or the whole data set
    // (no field) changed, and after scrolling.
    std::function<void(TDataSource*, TField*)> OnDataChange;
    std::function<void(TDataSource*)> OnUpdateData;

private:
    friend class TDataSet;
    friend class TDataLink;

    void DataEvent(TDataEvent event, TField* field);
    void UpdateState();
    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);

    QPointer<TDataSet> dataSet_;
    TDataSetState state_ = dsInactive;
    bool autoEdit_ = true;
    bool enabled_ = true;
    QList<TDataLink*> links_;
};

} // namespace kx::db
