#include "staff/deptrules.h"

#include "core/datamodule.h"
#include "core/sqlfunctions.h"

namespace kx::staff {
namespace {

constexpr int kDigitsPerLevel = 3;
constexpr int kMaxChildCounter = 999;

double Count(const QString& sql) {
    return GetSqlFirstFloat(kDatabaseName, sql);
}

} // namespace

int DeptLevel(const QString& code) {
    return code == kCompanyRootID ? 0 : static_cast<int>(code.size()) / kDigitsPerLevel;
}

// A thousandth child would get a four-digit counter and a code that no
// longer tells its level.
QString AddDeptRefusal(const QString& parentCode) {
    if (DeptLevel(parentCode) >= kMaxDeptLevels)
        return QStringLiteral("部门只能有四级");
    const QString lastChild = GetSqlFirstValue(
        kDatabaseName,
        "SELECT MAX(COMPANY_ID) FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = " + QuotedStr(parentCode));
    if (lastChild.right(kDigitsPerLevel).toInt() >= kMaxChildCounter)
        return QStringLiteral("同一级最多只能有%1个部门，不能再增加").arg(kMaxChildCounter);
    return {};
}

QString DeleteDeptRefusal(const QString& code) {
    if (code == kCompanyRootID)
        return QStringLiteral("根节点不能删除");
    if (Count("SELECT COUNT(COMPANY_ID) FROM SYS_COMPANY_TABLE WHERE PRIOR_ID = " +
              QuotedStr(code)) > 0)
        return QStringLiteral("请先删除该部门的下级部门");
    if (Count("SELECT COUNT(COMPANY_ID) FROM KX_EMPLOYEE_TABLE WHERE COMPANY_ID = " +
              QuotedStr(code)) > 0)
        return QStringLiteral("员工数据库中有对该记录的引用,记录不能删除");
    return {};
}

} // namespace kx::staff
