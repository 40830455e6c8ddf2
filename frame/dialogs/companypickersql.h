#pragma once
// The statements of the department and employee pickers over the company
// tree: the children of a tree node by its level, the condition that selects
// a department's subtree, and the employee list of a department.

#include "frame/controls/kxtreeview.h"

#include <QString>

namespace kx {

// The root's children name the root's code in the statement itself; deeper
// levels take the expanded node's code.
TNodeSql DeptChildrenSql(const QString& rootId, int level);
TNodeSql DeptCountSql();

// The employees of the department: only its own when onlyThisDept, else its
// whole subtree; every employee for the root.
QString EmployeeListSql(const QString& deptId, int level, bool onlyThisDept);

// The name as the rest of a quoted literal whose opening quote the caller's
// condition already holds: quotes doubled, then the closing quote.
QString QuotedNameTail(const QString& name);

// The depth of a node below the tree's top level, which is level 0.
int NodeLevel(const TTreeNode* node);

} // namespace kx
