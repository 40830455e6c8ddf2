#include "frame/app/kxchildrules.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kx {
namespace {

// The default rounding mode of the floating-point environment rounds halves
// to even.
int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

QPoint ChildPlacement(int mainHeight, int mainClientWidth, QSize formSize, int formTag) {
    if (formTag == 10)
        return {-4, -4};
    const int top =
        std::min(RoundHalfEven((mainHeight - formSize.height()) / 2.0 + 5), kChildTopLimit);
    const int left = std::max(RoundHalfEven((mainClientWidth - formSize.width()) / 2.0 - 1), 2);
    return {left, top};
}

std::optional<TSysCommand> SysCommandFor(Qt::WindowStates oldState, Qt::WindowStates newState) {
    if (newState & Qt::WindowMinimized)
        return oldState & Qt::WindowMinimized ? std::nullopt : std::optional(SC_MINIMIZE);
    if (oldState & Qt::WindowMinimized)
        return SC_RESTORE;
    if ((newState & Qt::WindowMaximized) && !(oldState & Qt::WindowMaximized))
        return SC_MAXIMIZE;
    if ((oldState & Qt::WindowMaximized) && !(newState & Qt::WindowMaximized))
        return SC_RESTORE;
    return std::nullopt;
}

QString RightColumnName(int index) {
    static const QStringList names = {
        QStringLiteral("ADD_RIGHT"),     QStringLiteral("EDIT_RIGHT"),
        QStringLiteral("DElETE_RIGHT"),  QStringLiteral("BROWSE_RIGHT"),
        QStringLiteral("PRINT_RIGHT"),   QStringLiteral("VERIFY_RIGHT"),
        QStringLiteral("CURRENCY_RIGHT")};
    return names.value(index);
}

} // namespace kx
