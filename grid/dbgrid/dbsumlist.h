#pragma once
// The sum list behind a grid's footers: sums, averages and counts of fields
// of one data set, kept current as rows are edited, posted and deleted, and
// recomputed by one scan when the data set opens, its filter changes, its
// master moves or a caller asks.
//
// The producer takes over seven events of its data set (and the master's
// AfterScroll) and chains the handlers it found there. It lets go of them
// when it moves to another data set or is destroyed; a handler it cannot
// take back (someone chained in front of it since) stays as a plain
// pass-through, so no event ever reaches a producer that is gone.

#include "platform/db/dataset.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace kx {

enum TGroupOperation : quint8 { goSum, goAvg, goCount };

class TDBSumCollection;
class TDBSumListProducer;

// One aggregate. A goSum or goAvg item without a field name is ignored; a
// goCount item without one counts every record.
class TDBSum {
public:
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& fieldName);
    TGroupOperation GroupOperation() const { return groupOperation_; }
    void SetGroupOperation(TGroupOperation operation);
    // The sum, the average, or the count as a number.
    double Value() const { return value_; }

    // A decimal number as whole units of 10^-scale (scale at most 8).
    struct TDecimal {
        qint64 units = 0;
        int scale = 0;
    };

private:
    friend class TDBSumCollection;
    friend class TDBSumListProducer;

    explicit TDBSum(TDBSumCollection* collection) : collection_(collection) {}
    bool Counted() const { return groupOperation_ == goCount || !fieldName_.isEmpty(); }
    // The exact total gains (sign 1) or loses (sign -1) the decimal; a value
    // that is not one (known False) ends the exactness until the next scan.
    void AddExactly(bool known, TDecimal decimal, int sign);
    // The sum or average from the totals kept.
    void UpdateValue();

    TDBSumCollection* collection_;
    QString fieldName_;
    TGroupOperation groupOperation_ = goSum;
    double contribution_ = 0; // the current record's part, noted when its edit began
    int nonNullCount_ = 0;    // goAvg
    double runningSum_ = 0;   // goAvg
    QVariant editStartValue_; // goAvg: the value when the edit began, Null when inserting
    double value_ = 0;
    // While exact_, the sum (goSum) or the running sum (goAvg) and the
    // record's contribution as decimals, so that a followed change gives
    // the very total a scan would.
    bool exact_ = true;
    TDecimal exactTotal_;
    TDecimal exactContribution_;
};

class TDBSumCollection {
public:
    explicit TDBSumCollection(TDBSumListProducer* producer) : producer_(producer) {}
    TDBSumCollection(const TDBSumCollection&) = delete;
    TDBSumCollection& operator=(const TDBSumCollection&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TDBSum* Items(int index) const { return items_.at(static_cast<std::size_t>(index)).get(); }
    TDBSum* Add();
    void Delete(int index);
    void Clear();

    // Changes between BeginUpdate and the last EndUpdate recalculate once.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // The first item of that operation whose field name equals the one given,
    // letter case ignored; nullptr when there is none.
    TDBSum* FindSum(TGroupOperation operation, const QString& fieldName) const;

private:
    friend class TDBSum;

    void Changed();

    TDBSumListProducer* producer_;
    std::vector<std::unique_ptr<TDBSum>> items_;
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
};

class TDBSumListProducer : public QObject {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TDBSumListProducer*)>;

    explicit TDBSumListProducer(QObject* owner = nullptr);
    ~TDBSumListProducer() override;

    db::TDataSet* DataSet() const { return dataSet_; }
    // A new data set: the old one gets its own handlers back and, while
    // active, the new one is hooked and scanned.
    void SetDataSet(db::TDataSet* dataSet);
    // Switches on again for the data set held, when active.
    void Reactivate();

    bool Active() const { return active_; }
    void SetActive(bool active);
    // While set, a full recalculation only resets the aggregates and fires
    // the events; OnRecalcAll fills them.
    bool ExternalRecalc() const { return externalRecalc_; }
    void SetExternalRecalc(bool externalRecalc);
    // Stored only: every data set of this program numbers its own records,
    // so no bookmark list is ever needed.
    bool VirtualRecords() const { return virtualRecords_; }
    void SetVirtualRecords(bool virtualRecords);

    TDBSumCollection& SumCollection() { return sums_; }
    const TDBSumCollection& SumCollection() const { return sums_; }

    // One scan over the data set; it ends on the first record.
    void RecalculateSums();
    // False once a change was followed with a value that reads as no decimal
    // (no number, past 15 digits, a tie at the ninth decimal), or a total
    // left 15 digits: the aggregates may then differ from a scan's in the
    // last digits until the next scan.
    bool FollowsExactly() const;
    void ResetSums();
    void ItemsChanged();

    int RecordNumber() const;
    void GoToRecordNumber(int recordNumber);
    int RecordTotal() const;
    bool HasRecordNumbers() const;

    TNotifyEvent OnRecalcAll;
    TNotifyEvent OnAfterRecalcAll;
    TNotifyEvent SumListChanged;

private:
    struct THook;
    struct THandler;
    enum THookedEvent {
        heAfterClose,
        heAfterEdit,
        heAfterInsert,
        heAfterOpen,
        heAfterPost,
        heAfterScroll,
        heBeforeDelete,
        heMasterAfterScroll,
        heCount
    };

    void SwitchOn(bool recalculate);
    void SwitchOff(bool reset);
    void HookDataSetEvents();
    void UnhookDataSetEvents();
    void HandleEvent(THookedEvent event, db::TDataSet* sender,
                     const db::TDataSet::TDataSetNotifyEvent& saved);
    void Fire(const TNotifyEvent& event);
    bool ScanNeeded() const;
    void ScanRecords();
    // The data set's field of each counted item (nullptr for a count of
    // every record); raises for a name the data set does not have.
    std::vector<db::TField*> ItemFields() const;

    void DataSetAfterEdit();
    void DataSetAfterInsert();
    void DataSetAfterPost();
    void DataSetBeforeDelete();
    void DataSetAfterScroll();
    void DataSetAfterClose();
    void MasterAfterScroll();

    TDBSumCollection sums_{this};
    QPointer<db::TDataSet> dataSet_;
    std::shared_ptr<THook> hook_;
    bool active_ = true;
    bool externalRecalc_ = false;
    bool virtualRecords_ = false;
    bool changing_ = false;
    bool notedFiltered_ = false;
    QString notedFilter_;
};

} // namespace kx
