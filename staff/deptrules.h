#pragma once
// The rules of the company's department tree in SYS_COMPANY_TABLE, without a
// window: how deep it may grow and which departments may not be deleted.
// The company row is "G001" (parent "G002"); a level-n department's code is
// its parent's code (none for level 1) and a three-digit counter.

#include <QString>

namespace kx::staff {

inline const QString kCompanyRootID = QStringLiteral("G001");
inline const QString kCompanyRowParent = QStringLiteral("G002");
inline constexpr int kMaxDeptLevels = 4;

// The level of a node by its code: 0 for the company, else a level per three
// characters.
int DeptLevel(const QString& code);

// Why no department may be added below the node of that code; empty when one
// may.
QString AddDeptRefusal(const QString& parentCode);

// Why the department may not be deleted: the company itself, a department
// with departments below it, or one that employees belong to; empty when it
// may.
QString DeleteDeptRefusal(const QString& code);

} // namespace kx::staff
