#pragma once
// The status dialog offers the status a record does not have yet: with the
// items "未审核" and "已审核", a record's own status preselects the other.

#include <QStringList>

namespace kx {

// The item preselected for a record of currentStatus: the second when it
// is the first item, the first when it is a later one; -1 for none.
int PreselectedStatusIndex(const QStringList& items, const QString& currentStatus);

} // namespace kx
