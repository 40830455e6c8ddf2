#pragma once
// The scope in which record numbers must be unique and are counted, by the
// numbering mode (the option "分类编号"): 0 within the top-level subject and
// its subtree, 2 within the record's own subject, 1, 3 and any other value
// one sequence for all records. The same two conditions feed the duplicate
// check of MONEY_ID and the counter of generated numbers.

#include <QString>

namespace kx {

struct TNumberingScope {
    QString CheckCondition;   // appended to the check's select, with its " AND "
    QString CounterCondition; // the counter's extra condition
};

// The scope of a record of subjectId; topSubjectId is the subject's
// ancestor directly below the root (GetTopMoneyType). False in mode 0 when
// there is no such ancestor: the subject is not a real one.
bool NumberingScopeFor(int mode, const QString& subjectId, const QString& topSubjectId,
                       TNumberingScope& scope);

} // namespace kx
