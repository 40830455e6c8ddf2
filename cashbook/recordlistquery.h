#pragma once
// The query of the in/out records list: the fields of a record data set
// (the stored columns, the looked-up account and subject names and the
// calculated balance), the statement that selects the records of a subject's
// subtree matching a find condition, and the statements that write a record
// back whole or stamp only its status.

#include <QString>
#include <QStringList>

class QObject;

namespace kx::db {
class TDataSet;
class TUpdateSQL;
} // namespace kx::db

namespace kx::ui {
class TCanvas;
}

namespace kx::cashbook {

// A condition no record meets: the list shows nothing until a find.
inline const QString kNoRecordsCondition = QStringLiteral("MONEY_ID ='MONEY_ID'");
inline const QString kDateOrder = QStringLiteral(" ORDER BY MONEY_DATE,MONEY_ID");

// The condition of a confirmed find: empty for all data, else the pieces in
// parentheses.
QString FindConditionOf(const QStringList& pieces, bool allData);

// The list's statement: the find condition and the subject clause, either
// of them empty, then the order.
QString RecordListSelect(const QString& findCondition, const QString& subjectClause,
                         const QString& orderBy);

// Gives a closed record data set its fields in design order, owned by
// owner: the account and subject names looked up in accounts
// (MONEY_ACCOUNT_ID, MONEY_ACCOUNT_NAME) and subjects (MONEY_TYPE_ID,
// MONEY_TYPE_NAME), and the balance, which CalcRecordBalance computes.
void AddRecordFields(QObject* owner, db::TDataSet& records, db::TDataSet* accounts,
                     db::TDataSet* subjects);

// The balance of the current record: money in less money out, an empty
// amount counting as 0.
void CalcRecordBalance(db::TDataSet& records);

// The colours of a cell of a record with that status, as the list draws
// it: an unverified record stands out whatever system colour the row has.
void ColourRecordCell(const QString& status, ui::TCanvas& canvas);

// Insert, modify and delete of the 29 columns a record is written with,
// by its old key.
void WriteRecordStatements(db::TUpdateSQL& update);
// Modify of the key and the verification stamp only.
void WriteStatusStatements(db::TUpdateSQL& update);

// The columns the record statements write, in table order.
QStringList RecordWrittenColumns();

} // namespace kx::cashbook
