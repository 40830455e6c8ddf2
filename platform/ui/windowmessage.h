#pragma once
// Registered window messages stand-in: a message registered by name becomes a
// custom QEvent type (the same name always gives the same type), and posting
// it queues the event behind the current one, as a posted message would be.

#include <QEvent>
#include <QString>

class QObject;
class QWidget;

namespace kx::ui {

QEvent::Type RegisterWindowMessage(const QString& name);

// A posted message with its long parameter, the id of the window it concerns.
class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(QEvent::Type type, qint64 windowId) : QEvent(type), windowId_(windowId) {}
    qint64 WindowId() const { return windowId_; }

private:
    qint64 windowId_;
};

void PostWindowMessage(QObject* receiver, QEvent::Type type, qint64 windowId);

// A window's handle: a number that stays the window's own for its whole life
// and is never reused for another window in this run.
qint64 WindowHandle(QWidget* window);

} // namespace kx::ui
