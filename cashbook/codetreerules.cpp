#include "cashbook/codetreerules.h"

#include "cashbook/cashbooktables.h"
#include "core/datamodule.h"
#include "core/sqlfunctions.h"

namespace kx::cashbook {

const TCodeTreeRules& SubjectTreeRules() {
    static const TCodeTreeRules rules{
        KX_MONEY_INTO_OUT_TYPE_TABLE,
        QStringLiteral("MONEY_TYPE_ID"),
        kMaxSubjectLevels,
        QStringLiteral("借贷科目只能有四级"),
        {{QStringLiteral("SELECT COUNT(MONEY_TYPE_ID) FROM KX_INTO_OUT_MONEY_TABLE WHERE "
                         "MONEY_TYPE_ID ="),
          QStringLiteral("有该借贷科目的收支记录，该借贷科目不能删除")}}};
    return rules;
}

const TCodeTreeRules& AccountTreeRules() {
    static const QString ledgerRows =
        QStringLiteral("有该资金账号的收支台账记录，该资金账号不能删除");
    static const TCodeTreeRules rules{
        KX_MONEY_ACCOUNT_TABLE,
        QStringLiteral("MONEY_ACCOUNT_ID"),
        kMaxAccountLevels,
        QStringLiteral("资金账号只能有一级"),
        {{QStringLiteral("SELECT COUNT(MONEY_ACCOUNT_ID) FROM KX_INTO_OUT_MONEY_TABLE WHERE "
                         "MONEY_ACCOUNT_ID ="),
          QStringLiteral("有该资金账号的借贷记录，该资金账号不能删除")},
         {QStringLiteral(
              "SELECT COUNT(MONEY_ACCOUNT_ID) FROM KX_MONEY_DAY_TABLE WHERE MONEY_ACCOUNT_ID ="),
          ledgerRows},
         {QStringLiteral(
              "SELECT COUNT(MONEY_ACCOUNT_ID) FROM KX_MONEY_MONTH_TABLE WHERE MONEY_ACCOUNT_ID ="),
          ledgerRows}}};
    return rules;
}

// Each level's counter has three digits: a thousandth child would get a
// longer code and break every subtree clause that cuts codes by level.
QString AddChildRefusal(const TCodeTreeRules& rules, const QString& parentId, int level) {
    if (level >= rules.MaxLevels)
        return rules.LevelMessage;
    const QString lastChild =
        GetSqlFirstValue(kDatabaseName, QStringLiteral("SELECT MAX(%1) FROM %2 WHERE PRIOR_ID = %3")
                                            .arg(rules.IdColumn, rules.Table, QuotedStr(parentId)));
    if (lastChild.right(kCodeDigitsPerLevel).toInt() >= kMaxChildCounter)
        return QStringLiteral("同一级最多只能有%1个下级，不能再增加").arg(kMaxChildCounter);
    return {};
}

QString DeleteRefusal(const TCodeTreeRules& rules, const QString& id) {
    for (const TCodeUse& use : rules.Uses) {
        if (GetSqlFirstFloat(kDatabaseName, use.CountSql + QuotedStr(id)) > 0)
            return use.Message;
    }
    return {};
}

} // namespace kx::cashbook
