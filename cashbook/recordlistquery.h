#pragma once
// The query of the in/out records list: the fields of a record data set
// (the stored columns, the looked-up account and subject names and the
// calculated balance), the statement that selects the records of a subject's
// subtree matching a find condition, and the statements that write a record
// back whole or stamp only its status.

#include <QHash>
#include <QString>
#include <QStringList>

class QObject;

namespace kx::db {
class TDataSet;
class TField;
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
// owner: the stored columns, the account and subject names looked up by
// MONEY_ACCOUNT_ID and MONEY_TYPE_ID, and the balance; TRecordCalculator
// fills the last three.
void AddRecordFields(QObject* owner, db::TDataSet& records);

// The values a record data set calculates for each record: the account's
// and the subject's names, and the balance, money in less money out with
// an empty amount counting as 0. The names are read once per opening into
// an index, so that a list of many records looks each one up at once.
class TRecordCalculator {
public:
    // The data set has its fields already.
    explicit TRecordCalculator(db::TDataSet& records);

    // Reads the names from open data sets of (MONEY_ACCOUNT_ID,
    // MONEY_ACCOUNT_NAME) and (MONEY_TYPE_ID, MONEY_TYPE_NAME).
    void LoadNames(db::TDataSet& accounts, db::TDataSet& subjects);
    // The data set's OnCalcFields.
    void Calculate() const;

private:
    db::TField* accountId_;
    db::TField* accountName_;
    db::TField* subjectId_;
    db::TField* subjectName_;
    db::TField* in_;
    db::TField* out_;
    db::TField* balance_;
    QHash<QString, QString> accountNames_;
    QHash<QString, QString> subjectNames_;
};

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
