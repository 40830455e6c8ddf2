#pragma once
// Closes a working window the way the user does and lets the deletion it
// defers, and the notices it posts, run before the test goes on.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kx::test {

inline void CloseAndFree(QWidget* window) {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents();
}

} // namespace kx::test
