#include "platform/ui/windowmessage.h"

#include <QCoreApplication>
#include <QHash>
#include <QVariant>
#include <QWidget>

namespace kx::ui {

QEvent::Type RegisterWindowMessage(const QString& name) {
    static QHash<QString, QEvent::Type> registered;
    auto found = registered.constFind(name);
    if (found != registered.constEnd())
        return *found;
    const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    registered.insert(name, type);
    return type;
}

void PostWindowMessage(QObject* receiver, QEvent::Type type, qint64 windowId) {
    QCoreApplication::postEvent(receiver, new WindowMessageEvent(type, windowId));
}

qint64 WindowHandle(QWidget* window) {
    static const char* const kProperty = "kxWindowHandle";
    static qint64 lastHandle = 0;
    const QVariant stored = window->property(kProperty);
    if (stored.isValid())
        return stored.toLongLong();
    window->setProperty(kProperty, ++lastHandle);
    return lastHandle;
}

} // namespace kx::ui
