#pragma once
// What the two record drill-down windows build from the row they were
// opened on: the condition on the in/out records and the label above them,
// the statement, and the record data set's fields (the stored columns, the
// looked-up subject and account names and the calculated balance).

#include <QDate>
#include <QString>

class QObject;

namespace kx::db {
class TDataSet;
class TField;
} // namespace kx::db

namespace kx::cashbook {

// The verified records of the account on that day.
QString LedgerDayCondition(const QString& accountId, const QDate& day);
// The verified records of the account from start to end, both included.
QString LedgerMonthCondition(const QString& accountId, const QDate& start, const QDate& end);
// The records of the subject and of every subject below it, meeting the
// statistics' find condition when there is one.
QString SubjectRecordsCondition(const QString& subjectId, const QString& findCondition);

// "<account>  <day>", "<account>  <start><---><end>" and "<condition> 并且
// 资金借贷科目 等于 <subject>".
QString LedgerDayLabel(const QString& accountName, const QString& dayText);
QString LedgerMonthLabel(const QString& accountName, const QString& startText,
                         const QString& endText);
QString SubjectRecordsLabel(const QString& conditionText, const QString& subjectName);

// The records meeting the condition in date order and, within a date, in
// record number order.
QString DrillDownSelect(const QString& condition);

// Gives a closed record data set its fields in design order, owned by
// owner. MONEY_TYPE_NAME and MONEY_ACCOUNT_NAME are looked up by their
// codes in the two lists; MONEY_SUM_NUMBER waits for CalculateBalance.
void AddDrillDownFields(QObject* owner, db::TDataSet& records, db::TDataSet* subjectNames,
                        db::TDataSet* accountNames);

// The record's money in less its money out; an empty amount counts as 0.
void CalculateBalance(db::TDataSet& records);

} // namespace kx::cashbook
