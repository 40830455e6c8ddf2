#include "cashbook/subjectsums.h"

#include "cashbook/cashbooktables.h"
#include "core/datamodule.h"
#include "core/moneytext.h"
#include "core/options.h"
#include "core/sqlfunctions.h"
#include "platform/db/database.h"
#include "platform/db/query.h"
#include "platform/db/session.h"

#include <QHash>

#include <memory>

namespace kx::cashbook {
namespace {

struct TAmounts {
    double Into = 0;
    double Out = 0;
};

// TOTAL gives 0 over no records and ignores empty amounts, so a subtree
// whose amounts out are all empty still shows its money in as balance.
const QString kSums = QStringLiteral("TOTAL(MONEY_INTO_NUMBER) AS MONEY_INTO_NUMBER,"
                                     "TOTAL(MONEY_OUT_NUMBER) AS MONEY_OUT_NUMBER");

QString Prefix(int length) {
    return "SUBSTRING(MONEY_TYPE_ID FROM 1 FOR " + QString::number(length) + ")";
}

QString Where(const QString& subtree, const QString& findCondition) {
    QStringList terms;
    if (!subtree.isEmpty())
        terms << subtree;
    if (!findCondition.isEmpty())
        terms << findCondition;
    return terms.isEmpty() ? QString() : " WHERE " + terms.join(" AND ");
}

TAmounts ReadAmounts(db::TDataSet& row) {
    return {MoneyTextToFloat(row.FieldByName(QStringLiteral("MONEY_INTO_NUMBER"))->AsString()),
            MoneyTextToFloat(row.FieldByName(QStringLiteral("MONEY_OUT_NUMBER"))->AsString())};
}

std::unique_ptr<db::TQuery> Open(const QString& sql, QWidget* window) {
    return window ? OpenSqlQueryFocus(kDatabaseName, sql, window)
                  : OpenSqlQuery(kDatabaseName, sql);
}

// One pass over the records: the totals of every code prefix of keyLength
// characters within the subtree. A record booked on the subject itself
// gives the subject's own code, being no longer than it.
QHash<QString, TAmounts> GroupedSums(const QString& subtree, int keyLength,
                                     const QString& findCondition, QWidget* window) {
    const auto rows = Open("SELECT " + Prefix(keyLength) + " AS SUBJECT_KEY," + kSums +
                               " FROM KX_INTO_OUT_MONEY_TABLE" + Where(subtree, findCondition) +
                               " GROUP BY " + Prefix(keyLength),
                           window);
    QHash<QString, TAmounts> sums;
    for (rows->First(); !rows->Eof(); rows->Next())
        sums.insert(rows->FieldByName(QStringLiteral("SUBJECT_KEY"))->AsString(),
                    ReadAmounts(*rows));
    return sums;
}

TSubjectSum RowOf(const QString& subjectId, const TAmounts& amounts) {
    return {subjectId, amounts.Into, amounts.Out, amounts.Into - amounts.Out};
}

// Reads in one transaction of its own unless the caller has one open; a
// read changes nothing, so ending it either way is safe.
class TReadTransaction {
public:
    TReadTransaction() : database_(db::TSession::Default().OpenDatabase(kDatabaseName)) {
        own_ = !database_->InTransaction();
        if (own_)
            database_->StartTransaction();
    }
    ~TReadTransaction() {
        if (own_ && database_->InTransaction())
            database_->Rollback();
    }
    TReadTransaction(const TReadTransaction&) = delete;
    TReadTransaction& operator=(const TReadTransaction&) = delete;

private:
    db::TDatabase* database_;
    bool own_ = false;
};

} // namespace

TSubjectSums SumSubjects(const QString& subjectId, const QString& findCondition,
                         const TSumProgress& progress, QWidget* window) {
    const bool root = subjectId == kTreeRootId;
    TReadTransaction transaction;
    const auto children =
        Open("SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME,ORDER_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE "
             "WHERE PRIOR_ID = " +
                 QuotedStr(subjectId) + " ORDER BY ORDER_ID",
             window);
    // No record carries the root's code, so the root has no own row.
    const int keyLength = root ? 3 : static_cast<int>(subjectId.size()) + 3;
    const QString subtree =
        root ? QString()
             : Prefix(static_cast<int>(subjectId.size())) + " = " + QuotedStr(subjectId);
    const QHash<QString, TAmounts> grouped = GroupedSums(subtree, keyLength, findCondition, window);

    TSubjectSums sums;
    if (!root && grouped.contains(subjectId))
        sums.append(RowOf(subjectId, grouped.value(subjectId)));
    const int count = children->RecordCount();
    if (progress && count > 0)
        progress(0, count);
    int position = 0;
    for (children->First(); !children->Eof(); children->Next()) {
        const QString childId = children->FieldByName(QStringLiteral("MONEY_TYPE_ID"))->AsString();
        sums.append(RowOf(childId, grouped.value(childId)));
        if (progress)
            progress(++position, count);
    }
    return sums;
}

} // namespace kx::cashbook
