#include "cashbook/subjecttreesql.h"

namespace kx {
namespace {

constexpr int kDeepestSubjectLevel = 4;

const QString kSubjectChildrenHead =
    QStringLiteral("SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME,ORDER_ID FROM "
                   "KX_MONEY_INTO_OUT_TYPE_TABLE WHERE PRIOR_ID = ");
const QString kOrderTail = QStringLiteral(" ORDER BY ORDER_ID");

void SetNodeSql(TKXTreeView& tree, int which, const TNodeSql& sql) {
    tree.SetNodeSql(which, sql.HeadSql, sql.TailSql, sql.KeyKind, sql.Suffix, sql.PadWidth);
}

} // namespace

TNodeSql SubjectChildrenSql(int level) {
    if (level == 0)
        return {kSubjectChildrenHead + QStringLiteral("'G001'"), kOrderTail, QString(), QString(),
                0};
    return {kSubjectChildrenHead, kOrderTail, QStringLiteral("C"), QString(), 0};
}

TNodeSql SubjectCountSql(int level) {
    if (level >= kDeepestSubjectLevel)
        return {};
    return {QStringLiteral(
                "SELECT Count(MONEY_TYPE_ID) FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE PRIOR_ID = "),
            QString(), QStringLiteral("C"), QString(), 0};
}

void SetSubjectNodeSql(TKXTreeView& tree, int level) {
    SetNodeSql(tree, 0, {});
    SetNodeSql(tree, 1, {});
    SetNodeSql(tree, 0, SubjectChildrenSql(level));
    SetNodeSql(tree, 1, SubjectCountSql(level));
}

TNodeSql AccountChildrenSql() {
    return {QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_ACCOUNT_NAME,ORDER_ID FROM "
                           "KX_MONEY_ACCOUNT_TABLE WHERE PRIOR_ID = 'G001'"),
            kOrderTail, QString(), QString(), 0};
}

} // namespace kx
