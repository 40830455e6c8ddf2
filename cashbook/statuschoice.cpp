#include "cashbook/statuschoice.h"

namespace kx {

int PreselectedStatusIndex(const QStringList& items, const QString& currentStatus) {
    if (currentStatus.isEmpty())
        return -1;
    const qsizetype found = items.indexOf(currentStatus);
    if (found == 0)
        return items.size() > 1 ? 1 : -1;
    return found > 0 ? 0 : -1;
}

} // namespace kx
