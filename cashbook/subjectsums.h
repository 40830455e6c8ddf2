#pragma once
// The statistics of money in and out per subject: for a chosen subject and
// a find condition on the in/out records, the totals of the records booked
// on the subject itself and, for each child subject, the totals of that
// child's whole subtree.

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace kx::cashbook {

struct TSubjectSum {
    QString SubjectId;
    double Into = 0;
    double Out = 0;
    double Balance = 0; // Into less Out
};
using TSubjectSums = QList<TSubjectSum>;

// Told once the children are known (count, then position 0) and after each
// child's row (its number from 1).
using TSumProgress = std::function<void(int position, int count)>;

// The subject's own row first, only when records are booked on it (never at
// the root "G001"), then one row per child subject in ORDER_ID order, 0 in
// all amounts where nothing matches. All sums are read in one transaction,
// so the rows agree with one another; a failing statement raises the
// engine's error (focusing window first when given) and nothing is
// returned.
TSubjectSums SumSubjects(const QString& subjectId, const QString& findCondition,
                         const TSumProgress& progress = {}, QWidget* window = nullptr);

} // namespace kx::cashbook
