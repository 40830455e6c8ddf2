#include "frame/dialogs/companypickersql.h"

#include "core/options.h"
#include "core/sqlfunctions.h"

namespace kx {
namespace {

const QString kChildrenHead = QStringLiteral(
    "SELECT COMPANY_ID,COMPANY_NAME,ORDER_ID FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = ");
const QString kOrderTail = QStringLiteral(" ORDER BY ORDER_ID");

} // namespace

TNodeSql DeptChildrenSql(const QString& rootId, int level) {
    if (level == 0)
        return {kChildrenHead + QuotedStr(rootId), kOrderTail, QString(), QString(), 0};
    return {kChildrenHead, kOrderTail, QStringLiteral("C"), QString(), 0};
}

TNodeSql DeptCountSql() {
    return {QStringLiteral("SELECT Count(COMPANY_ID) FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = "),
            QString(), QStringLiteral("C"), QString(), 0};
}

QString EmployeeListSql(const QString& deptId, int level, bool onlyThisDept) {
    QString condition;
    if (onlyThisDept)
        condition = " COMPANY_ID = " + QuotedStr(deptId) + " ";
    else if (level > 0)
        condition = CompanyPrefixClause(deptId, level);
    QString sql =
        QStringLiteral("SELECT COMPANY_ID,EMPLOYEE_ID,EMPLOYEE_NAME FROM KX_EMPLOYEE_TABLE ");
    if (!condition.isEmpty())
        sql += " WHERE " + condition;
    return sql + " ORDER BY EMPLOYEE_ID";
}

QString QuotedNameTail(const QString& name) {
    return QuotedStr(name).mid(1);
}

int NodeLevel(const TTreeNode* node) {
    int level = 0;
    for (const TTreeNode* parent = node ? node->parent() : nullptr; parent;
         parent = parent->parent())
        ++level;
    return level;
}

} // namespace kx
