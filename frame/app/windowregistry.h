#pragma once
// Working windows by form name. Each window class registers a factory under
// its form name, so the main window and the window manager open windows
// without knowing their classes; a form name without a factory opens nothing.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace kx {

// What the main window needs of a working window it opens: its companion's
// placement (the window's handle, 0 when placing failed) and the on-top rule.
class TWorkingWindow {
public:
    virtual ~TWorkingWindow() = default;
    virtual QWidget* Form() = 0;
    virtual void SetNotTopShow(bool notTopShow) = 0;
    virtual qint64 ShowInPlace(int mode) = 0;
};

class TWindowRegistry {
public:
    // Creates the window owned by owner.
    using Factory = std::function<TWorkingWindow*(QWidget* owner)>;

    static void Register(const QString& formName, Factory factory);
    static void Unregister(const QString& formName);
    static bool HasFactory(const QString& formName);

    // Creates a window of that form name and keeps it as the form's last
    // created window; nullptr when no factory is registered.
    static TWorkingWindow* Create(const QString& formName, QWidget* owner);

    // The last window created under that form name, while it lives (the
    // "global form variable" of its class).
    static TWorkingWindow* Last(const QString& formName);
};

} // namespace kx
