#pragma once
// Input methods by name. On Linux the desktop owns the input methods: the
// program lists the one the desktop reports, keeps the names its controls ask
// for, and never switches. A box that wants no input method (numbers, dates)
// simply gets none while it has the focus.

#include <QString>
#include <QStringList>

class QWidget;

namespace kx {

// The desktop's input method, when it names one.
QStringList InstalledImeNames();

// The installed input method that is active now; empty when the platform
// cannot tell, which leaves the program's remembered name alone.
QString ActiveImeName();

// Lets the control take text from an input method or not.
void SetInputMethodWanted(QWidget* control, bool wanted);

} // namespace kx
