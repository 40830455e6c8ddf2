#pragma once
// The statements with which the cash book's trees read their nodes: the
// in/out subjects level by level (at most four levels, so the fourth gets
// no child count and no expander), and the one flat level of fund accounts.

#include "frame/controls/kxtreeview.h"

namespace kx {

// The children of a subject node at level 0 (the root "G001") to 4, in
// ORDER_ID order.
TNodeSql SubjectChildrenSql(int level);
// The child count of each child read below a node at that level; empty at
// level 4.
TNodeSql SubjectCountSql(int level);
// Clears both statements of the tree, then sets those of the node at
// level that is being expanded.
void SetSubjectNodeSql(TKXTreeView& tree, int level);

// The fund accounts, all on the first level, in ORDER_ID order.
TNodeSql AccountChildrenSql();

} // namespace kx
