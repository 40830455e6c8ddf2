#pragma once
// While working windows of a group are open, the main window's commands that
// must not run beside them are disabled: the first window of the group to
// open disables them, the last one to close enables them again. Commands are
// marked by their Tag; the counters are the program-wide ones of appstate.h.

class QMenuBar;
class QToolBar;

namespace kx {

// Menu items tagged 100 or 300 and tool buttons tagged 100 or 300 (first
// group); menu items tagged 200 or 300 and tool buttons tagged 200 (second).
void SetChildToolbarState(QToolBar* toolBar, QMenuBar* menu, bool closing, int& counter1,
                          int& counter2, bool secondGroup);

// Menu items and tool buttons tagged 10 or 300 (first group), 20 or 300
// (second).
void SetChildMenuState(QToolBar* toolBar, QMenuBar* menu, bool closing, int& counter1,
                       int& counter2, bool secondGroup);

} // namespace kx
