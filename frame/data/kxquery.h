#pragma once
// The record engine of every working window: an SQL query that the
// window's controls and grid are bound to, with the framework's rules added.
// It applies the window's field rules and the user's grid layout on open,
// refuses to add, edit or delete rows whose STATUS (or whose master row's
// STATUS) is locked, fills automatic values into a new row and the edit
// values on every edit, checks a row before it is saved, writes it back by
// the key of the window's update statements, and deletes detail rows with
// their master row in one transaction.
//
// Windows call AppendRecord, EditRecord, PostRecord, CancelRecord and
// DeleteRecord rather than the data set's own Append, Edit, Post, Cancel and
// Delete. The query puts its handlers for six events in front of the
// window's on the first OpenQuery and calls the window's after its own.

#include "core/fieldsdata.h"
#include "frame/data/kxdatasource.h"
#include "platform/db/query.h"
#include "platform/ui/colors.h"

#include <QPointer>
#include <QStringList>

#include <array>
#include <optional>

namespace kx {

class TKXDBGridHooks;
class TKXNDBGridHooks;

namespace db {
class TUpdateSQL;
}

enum TTableType { ttDefault, ttParadox, ttDBase, ttFoxPro, ttASCII };

// A date text as the dialect's quoted literal 'MM/DD/YYYY'; a text that is
// not a date is quoted as it is.
QString SqlDateLiteral(const QString& dateText);

// Re-opens a child query on every scroll with conditions made of this
// query's current values.
struct TQueryChildOpen {
    struct TFieldName {
        QString FieldName;  // field of this query
        QString ChildField; // column of the child
        QString Kind;       // "N", "C" or "D", quoted as in the checks
    };
    std::array<TFieldName, 11> Links;
    QString BaseSelect;
    QPointer<db::TQuery> Child;
    bool Active = false;
};

class TKXQuery : public db::TQuery {
    Q_OBJECT
public:
    explicit TKXQuery(QObject* owner = nullptr);
    ~TKXQuery() override;

    // Setting a new table name also sets the SQL text to select the table.
    const QString& TableName() const { return tableName_; }
    void SetTableName(const QString& tableName);

    void SetFieldsData(const TFieldsDataArray& fields) { fieldsData_ = fields; }
    void SetCheckData(const TCheckDataArray& checks) { checkData_ = checks; }
    void SetInsertData(const TInsertDataArray& values) { insertData_ = values; }
    void SetEditData(const TEditDataArray& values) { editData_ = values; }
    const TFieldsDataArray& FieldsData() const { return fieldsData_; }
    const TCheckDataArray& CheckData() const { return checkData_; }
    const TInsertDataArray& InsertData() const { return insertData_; }
    const TEditDataArray& EditData() const { return editData_; }

    // Each call adds one STATUS value in which rows may still (or may no
    // longer) be edited and deleted; without any, no lock applies.
    void SetStatusEditValue(const QString& status);
    void SetStatusEditEndValue(const QString& status);

    TKXQuery* QyMaster() const { return master_; }
    void SetQyMaster(TKXQuery* master) { master_ = master; }
    TKXQuery* QyDetail() const { return detail_; }
    void SetQyDetail(TKXQuery* detail) { detail_ = detail; }
    TKXDataSource* KXDS() const { return dataSource_; }
    void SetKXDS(TKXDataSource* dataSource);
    // The plain grid and the list grid laid out from the field rules.
    void SetDBGride(TKXDBGridHooks* grid);
    void SetDBNGride(TKXNDBGridHooks* grid);

    void OpenQuery();
    // Closes and lets the grids lay themselves out again at the next open.
    void CloseQuery();
    void AppendRecord();
    void EditRecord();
    void PostRecord();
    void CancelRecord();
    void DeleteRecord();
    // Stamps STATUS, the verifier and the date on the current row, past the
    // status locks.
    void SetVerifyStatus(const QString& statusValue);

    // A field of exactly that name.
    bool HasField(const QString& name) const;
    // Focuses the window's first data-aware input control bound to this
    // query's field.
    void FocusFieldControl(const QString& fieldName);

    // Saving and numbering (kxquerysave.cpp).
    bool ValidateRecord();
    void BuildCheckSql(int index, bool& changed, QString& sql) const;
    void BuildKeyWhere(QString& keyWhere);
    bool SaveBySql(const QString& keyWhere, bool isEdit);
    void DeleteBySql(const QString& keyWhere);
    bool GenerateFieldValue(int index, bool numberingOnly);
    bool FillAutoValues();
    bool RenumberField(const QString& fieldName);
    const QString& KeySelect() const { return keySelect_; }

    TTableType TableType = ttDefault;
    // The control that gets the focus when a row is added or edited, and
    // ColorOnFocus when editing begins.
    QString ActiveControl;
    TSqlType SqlType = urStandard;
    ui::TColor ColorOnFocus = ui::clNone;
    bool ActiveStatus = false;
    QString KeyValue;    // field linking the detail table's rows to this row
    QString DetailTable; // detail table whose rows go with this row
    QString DetailDError;
    QString StatusMsg; // the master's name in the master-status messages
    // The first line of each update statement is re-targeted at TableName.
    bool UpDateTable = false;
    bool NotEdit = false; // the next EditRecord writes no edit values

    QString YearMonthPrefix; // "YYYYMM", date part of counters Y and M
    QString DayPrefix;       // "YYYYMMDD", date part of counter D
    QString UserName;        // verifier written by SetVerifyStatus
    QString Today;           // verify date written by SetVerifyStatus
    // Code, not the user, edits: locks, checks, focus moves and colouring
    // are skipped. Cleared after every save, cancel and delete.
    bool InternalEdit = false;
    bool NoDeleteConfirm = false; // the next delete asks nothing
    // The next save stays in the cached updates only; the next delete skips
    // its own status lock.
    bool CacheOnly = false;
    bool Saved = false;
    bool SqlSaveMode = false;
    bool AutoValuesOnAppend = true;
    // The next save of a row that has vanished meanwhile inserts it again.
    bool ReinsertMissing = false;
    QString StatusField;     // empty: "STATUS"
    QString VerifyNameField; // empty: "VERIFY_NAME"
    QString VerifyDateField; // empty: "VERIFY_DATE"
    TQueryChildOpen ChildOpen;
    // The text of every field when editing or deleting began.
    QStringList OldValues;

private:
    enum class TStatusLock { Free, Ended, NotEditable };

    void InstallHandlers();
    void QueryBeforeInsert(db::TDataSet* dataSet);
    void QueryBeforeEdit(db::TDataSet* dataSet);
    void QueryAfterOpen(db::TDataSet* dataSet);
    void QueryBeforePost(db::TDataSet* dataSet);
    void QueryAfterScroll(db::TDataSet* dataSet);
    void QueryUpdateError(db::TDataSet* dataSet, db::EDatabaseError& error, db::TUpdateKind kind,
                          db::TUpdateAction& action);
    void CheckMasterLock(const QString& endText, const QString& notEditableText) const;
    TStatusLock StatusLockOf(const QString& status) const;
    QString TrimmedStatus() const;

    void LoadFieldLayout();
    void ApplyFieldsData();
    void ApplySavedFieldOrder();
    void FocusActiveControl();
    void PaintActiveControl();
    void ReopenChild();
    QWidget* OwnerWindow() const;

    void SetBoundGridsEnabled(bool enabled);
    void EnableGridsWhenBrowsing();
    void SuspendColouring();
    void ResumeColouring();
    // The footers follow each posted and deleted row by its change; a scan
    // is needed only where they could not follow it exactly.
    void UpdateFooters();
    void RecalculateFooters();
    void RememberOldValues();
    void ClearCheckOldValues();
    void WriteEditValues();
    void DeleteWithDetails(const QString& keyWhere);
    void ReopenAt(int recNo);
    void DeleteDetailRows();

    bool RunCheck(int index, db::TQuery& check);
    void FocusCheckControl(const TCheckData& check);
    bool HasAutoValue(const QString& fieldName) const;
    QString CounterSelect(const TInsertData& entry) const;
    bool RefuseAutoValue(const QString& message);
    void CopyUpdateStatements();
    QString KeyTerm(const QString& name) const;

    QString tableName_;
    TFieldsDataArray fieldsData_;
    TCheckDataArray checkData_;
    TInsertDataArray insertData_;
    TEditDataArray editData_;
    std::optional<QStringList> editableStatuses_;
    std::optional<QStringList> endStatuses_;
    QPointer<TKXQuery> master_;
    QPointer<TKXQuery> detail_;
    QPointer<TKXDataSource> dataSource_;
    TKXDBGridHooks* dbGrid_ = nullptr;
    QPointer<QWidget> dbGridWidget_;
    TKXNDBGridHooks* dbnGrid_ = nullptr;
    QPointer<QWidget> dbnGridWidget_;

    bool handlersInstalled_ = false;
    bool layingOut_ = false;
    QStringList savedFieldOrder_;
    bool beforePostCalled_ = false;
    QString keySelect_;
    QString lastAsked_;
    QString oldKeyValue_;

    TDataSetNotifyEvent windowBeforeInsert_;
    TDataSetNotifyEvent windowBeforeEdit_;
    TDataSetNotifyEvent windowAfterOpen_;
    TDataSetNotifyEvent windowAfterScroll_;
    TDataSetNotifyEvent windowBeforePost_;
    TUpdateErrorEvent windowUpdateError_;

    db::TQuery* liveQuery_;
    db::TUpdateSQL* liveUpdate_;
};

} // namespace kx
