#include "cashbook/numberingscope.h"

#include "core/sqlfunctions.h"

namespace kx {

bool NumberingScopeFor(int mode, const QString& subjectId, const QString& topSubjectId,
                       TNumberingScope& scope) {
    switch (mode) {
    case 0: {
        if (topSubjectId.isEmpty())
            return false;
        const QString head =
            " SUBSTRING(MONEY_TYPE_ID FROM 1  FOR " + QString::number(topSubjectId.size()) + ")";
        scope.CheckCondition = " AND" + head + "  = " + QuotedStr(topSubjectId);
        scope.CounterCondition = head + " = " + QuotedStr(topSubjectId);
        return true;
    }
    case 2:
        scope.CheckCondition = " AND MONEY_TYPE_ID = " + QuotedStr(subjectId);
        scope.CounterCondition = " MONEY_TYPE_ID = " + QuotedStr(subjectId);
        return true;
    default:
        scope = {};
        return true;
    }
}

} // namespace kx
