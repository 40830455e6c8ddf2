#pragma once
// The window companion's rules that need no window: where a working window is
// placed over the main window, which window command a change of window state
// is, and the names of the rights columns.

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

namespace kx {

// The window commands the companion reacts to.
enum TSysCommand { SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE };

// The highest top a working window is placed at.
inline constexpr int kChildTopLimit = 90;

// Centred under the main window's outer height and client width, a little
// lower, never below kChildTopLimit and never left of 2; a form with Tag 10
// covers its frame at (-4, -4). Halves round to even.
QPoint ChildPlacement(int mainHeight, int mainClientWidth, QSize formSize, int formTag);

// The command that took a window from one state to the other: minimising,
// maximising, or restoring (from minimised or maximised).
std::optional<TSysCommand> SysCommandFor(Qt::WindowStates oldState, Qt::WindowStates newState);

// The rights columns by index 0 to 6: add, edit, delete, browse, print,
// verify, currency. Empty for any other index.
QString RightColumnName(int index);

} // namespace kx
