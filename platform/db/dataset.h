#pragma once
// The data set: a result held wholly in memory, a current record, states,
// the editing cycle and the events around it, as every window of the
// program expects of it. A subclass supplies the rows (TQuery) and writes
// the changes back.

#include "platform/db/dberrors.h"
#include "platform/db/field.h"
#include "platform/db/fields.h"
#include "platform/db/recordstore.h"
#include "platform/db/sqltranslate.h"

#include <QByteArray>
#include <QFlags>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariant>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

struct sqlite3_stmt;

namespace kx::db {

class TDataSource;
class TField;
class TUpdateSQL;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields };

// Notices from a data set to its data sources and their links.
enum TDataEvent {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    dePropertyChange,
    deFieldListChange,
    deFocusControl
};

enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
Q_DECLARE_FLAGS(TLocateOptions, TLocateOption)

enum TUpdateKind { ukModify, ukInsert, ukDelete };
enum TUpdateAction { uaFail, uaAbort, uaSkip, uaRetry, uaApplied };
enum TUpdateStatus { usUnmodified, usModified, usInserted, usDeleted };
enum TDataAction { daFail, daAbort, daRetry };
// Which columns identify the stored row when a change is written.
enum TUpdateMode { upWhereAll, upWhereChanged, upWhereKeyOnly };

// A record's identity; empty for none. Bookmarks compare in record order.
using TBookmark = QByteArray;

// One column of a result, as the subclass describes it at open.
struct TColumnInfo {
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    QString TableName;  // the stored table, empty for an expression
    QString OriginName; // the stored column's name
};

class TDataSet : public QObject {
    Q_OBJECT
public:
    using TDataSetNotifyEvent = std::function<void(TDataSet*)>;
    using TDataSetErrorEvent = std::function<void(TDataSet*, EDatabaseError&, TDataAction&)>;
    using TUpdateErrorEvent =
        std::function<void(TDataSet*, EDatabaseError&, TUpdateKind, TUpdateAction&)>;

    explicit TDataSet(QObject* owner = nullptr);
    ~TDataSet() override;

    // Opening and closing.
    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }

    // Fields.
    const TFields& Fields() const { return fields_; }
    int FieldCount() const { return fields_.Count(); }
    TField* FieldByName(const QString& fieldName) const { return fields_.FieldByName(fieldName); }
    TField* FindField(const QString& fieldName) const { return fields_.FindField(fieldName); }
    // The fields named in a ";"-separated list; raises for an unknown name.
    QList<TField*> GetFieldList(const QString& fieldNames) const;
    // True when the fields were made at open from the result's columns.
    bool DefaultFields() const { return defaultFields_; }

    // Moving. Bof and Eof are true only after a move ran past an end (and
    // both on an empty data set).
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    int MoveBy(int distance);
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    // From 1; 0 when there is no record.
    int RecNo() const;
    void SetRecNo(int recNo);
    int RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0 && state_ != dsInsert; }
    bool IsSequenced() const { return true; }

    TBookmark Bookmark() const;
    // The bookmark of the record the fields read, which a data link may set
    // apart from the current one to walk its buffer.
    TBookmark ActiveBookmark() const;
    void SetBookmark(const TBookmark& bookmark) { GotoBookmark(bookmark); }
    TBookmark GetBookmark() const { return Bookmark(); }
    // Raises EDatabaseError "Record not found" for a bookmark of a record
    // that is gone.
    void GotoBookmark(const TBookmark& bookmark);
    void FreeBookmark(TBookmark& bookmark) const { bookmark.clear(); }
    bool BookmarkValid(const TBookmark& bookmark) const;
    // -1, 0 or 1 by record order; an empty bookmark comes first.
    int CompareBookmarks(const TBookmark& a, const TBookmark& b) const;

    // keyFields is a ";"-separated list; keyValues a single value or, for
    // several fields, a QVariantList. Locate moves to the first match;
    // Lookup leaves the current record alone and answers the result field's
    // value (a QVariantList for several), or Null without a match.
    bool Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options = {});
    QVariant Lookup(const QString& keyFields, const QVariant& keyValues,
                    const QString& resultFields);

    // Nested; while disabled the data sources hear nothing, and the last
    // EnableControls tells them once what changed.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // Editing.
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void CheckBrowseMode();
    // Lets the bound controls write their pending values.
    void UpdateRecord();
    bool Modified() const { return modified_; }
    virtual bool CanModify() const;
    // Writes the record's values to the fields of a new record at the end
    // (an invalid QVariant leaves a field alone) and posts it.
    void AppendRecord(const QVariantList& values);

    // Kept for the grids' filter row, which reads them back; rows are not
    // hidden by them.
    const QString& Filter() const { return filter_; }
    void SetFilter(const QString& filter) { filter_ = filter; }
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered) { filtered_ = filtered; }
    virtual TDataSource* MasterSource() const { return nullptr; }

    bool AutoCalcFields() const { return autoCalcFields_; }
    void SetAutoCalcFields(bool autoCalc) { autoCalcFields_ = autoCalc; }

    // Cached updates: Post and Delete change only the records held here
    // until ApplyUpdates writes them, through the update object when there
    // is one.
    bool CachedUpdates() const { return cachedUpdates_; }
    void SetCachedUpdates(bool cached);
    TUpdateSQL* UpdateObject() const;
    void SetUpdateObject(TUpdateSQL* updateObject);
    TUpdateMode UpdateMode() const { return updateMode_; }
    void SetUpdateMode(TUpdateMode mode) { updateMode_ = mode; }
    bool UpdatesPending() const;
    TUpdateStatus UpdateStatus() const;
    // Writes every cached change in one savepoint: either all of them (less
    // those OnUpdateError skips) reach the database, or none.
    void ApplyUpdates();
    // Marks the cached changes as written.
    void CommitUpdates();
    // Drops the cached changes and shows the records as they were read.
    void CancelUpdates();

    TDataSetNotifyEvent BeforeOpen;
    TDataSetNotifyEvent AfterOpen;
    TDataSetNotifyEvent BeforeClose;
    TDataSetNotifyEvent AfterClose;
    TDataSetNotifyEvent BeforeInsert;
    TDataSetNotifyEvent AfterInsert;
    TDataSetNotifyEvent BeforeEdit;
    TDataSetNotifyEvent AfterEdit;
    TDataSetNotifyEvent BeforePost;
    TDataSetNotifyEvent AfterPost;
    TDataSetNotifyEvent BeforeCancel;
    TDataSetNotifyEvent AfterCancel;
    TDataSetNotifyEvent BeforeDelete;
    TDataSetNotifyEvent AfterDelete;
    TDataSetNotifyEvent BeforeScroll;
    TDataSetNotifyEvent AfterScroll;
    TDataSetNotifyEvent OnNewRecord;
    TDataSetNotifyEvent OnCalcFields;
    TDataSetErrorEvent OnPostError;
    TDataSetErrorEvent OnDeleteError;
    TUpdateErrorEvent OnUpdateError;

protected:
    // The subclass runs its statement and hands over the result through
    // SetColumns and AddRow.
    virtual void OpenCursor() = 0;
    virtual void CloseCursor() {}
    void SetColumns(const QList<TColumnInfo>& columns);
    void AddRow(sqlite3_stmt* statement);
    const QList<TColumnInfo>& Columns() const { return columns_; }

    // One change written straight to the database: the stored values of
    // the result's columns before (empty for an insert) and after (empty
    // for a delete).
    struct TRowChange {
        TUpdateKind Kind;
        StoredValues OldValues;
        StoredValues NewValues;
    };
    // Writes a change of a record through the subclass's own SQL; raises
    // EDBEngineError 10763 when no stored row was affected.
    virtual void WriteChange(const TRowChange& change) = 0;
    virtual bool CanWriteDirectly() const = 0;
    // The database that the changes and the update statements go to.
    virtual sqlite3* Connection() const = 0;
    // A table's declared columns in that database, for the SQL translation.
    virtual TDeclaredColumns DeclaredColumns(const QString& table) const = 0;

private:
    friend class TField;
    friend class TDataSource;
    friend class TDataLink;

    struct Record {
        PackedRow Data;
        quint32 Id = 0;
        TUpdateStatus Status = usUnmodified;
    };

    // Field access, for TField.
    QVariant StoredValue(const TField* field) const;
    // A data field's value in place, when the record the fields read is a
    // packed row rather than an edit buffer; no Data otherwise.
    PackedValue PackedValueOf(const TField* field) const;
    QVariant OldStoredValue(const TField* field) const;
    void SetStoredValue(TField* field, const QVariant& stored);
    void FieldListChanged();
    void LayoutChanged();
    void AddField(TField* field);
    void RemoveField(TField* field);

    // Data sources and the buffer rows of their links.
    void AddDataSource(TDataSource* source);
    void RemoveDataSource(TDataSource* source);
    void DataEvent(TDataEvent event, TField* field = nullptr);
    int ActiveRecord() const { return activeRecord_; }
    void SetActiveRecord(int index);
    int CurrentIndex() const { return current_; }
    int BufferRecordCount() const { return static_cast<int>(records_.size()); }

    void OpenData();
    void CloseData();
    void ResolveColumnTypes();
    void BindFields();
    void DestroyDefaultFields();
    void SetState(TDataSetState state);
    void CheckActive() const;
    void CheckCanModify() const;
    void Call(const TDataSetNotifyEvent& event);
    void MoveTo(int index);
    void BeginInsert(bool append);
    void DoPost();
    void DoDelete();
    void RowsChanged();
    bool ApplyCached(Record& record, TUpdateKind kind);
    void WriteCached(const Record& record, TUpdateKind kind);
    void WriteWithUpdateObject(const Record& record, TUpdateKind kind);
    void RunWithErrorEvent(const TDataSetErrorEvent& event, const std::function<void()>& step);
    const std::vector<QVariant>& CalcValues() const;
    QVariant FieldStoredAt(const TField* field, int index) const;
    QVariant FieldValueAt(TField* field, int index);
    int FindRecord(const QList<TField*>& fields, const QVariantList& values,
                   TLocateOptions options);
    int PositionOf(quint32 id) const;
    const RowReader& ReaderFor(const Record& record) const;
    StoredValues RecordValues(const Record& record) const;
    StoredValues OriginalValues(const Record& record) const;
    // The row as read from the database: for a record whose data a cached
    // change replaced, the row kept beside it, else its data.
    PackedRow AsRead(const Record& record) const;
    void CheckStringSize(const TField* field, const QVariant& stored) const;
    void CheckStringSizes(const StoredValues& values) const;
    void RequireFields() const;
    void FillUnassignedText();

    TFields fields_;
    bool defaultFields_ = false;
    std::vector<std::unique_ptr<TField>> defaultFieldStore_;
    QList<TColumnInfo> columns_;
    RowArena arena_;
    std::vector<Record> records_;
    // Rows of the last result: a refresh reads about as many again.
    std::size_t lastRowCount_ = 0;
    std::vector<Record> deleted_;
    // The rows as read of the records a cached change replaced, by record
    // id; apart from the records, which stay small.
    std::unordered_map<quint32, PackedRow> originals_;
    quint32 nextId_ = 1;
    mutable std::vector<int> positions_;
    mutable bool positionsValid_ = false;
    mutable RowReader reader_;

    TDataSetState state_ = dsInactive;
    int current_ = -1;
    int activeRecord_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    bool modified_ = false;
    StoredValues editValues_;
    std::vector<bool> assigned_;
    // Calculated and looked-up values: those of the current record live
    // until it changes (code may assign them while editing); those of any
    // other record the links read are computed on demand.
    mutable std::vector<QVariant> currentCalc_;
    mutable bool currentCalcValid_ = false;
    mutable std::vector<QVariant> otherCalc_;
    mutable int otherCalcIndex_ = -1;
    mutable bool calculating_ = false;
    int calcSlots_ = 0;

    int disableCount_ = 0;
    TDataSetState disableState_ = dsInactive;
    TDataEvent enableEvent_ = deDataSetChange;
    QList<TDataSource*> dataSources_;

    QString filter_;
    bool filtered_ = false;
    bool autoCalcFields_ = true;
    bool cachedUpdates_ = false;
    QPointer<TUpdateSQL> updateObject_;
    TUpdateMode updateMode_ = upWhereAll;
};

} // namespace kx::db

Q_DECLARE_OPERATORS_FOR_FLAGS(kx::db::TLocateOptions)
