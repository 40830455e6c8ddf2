#pragma once
// Answers the modal dialogs a test's action opens: the answer runs from the
// event loop the dialog itself runs.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace kx::test {

// Runs the action on the next modal dialog as soon as it shows and, unless
// the platform never makes it so, is the active window.
inline void OnNextModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, ticks] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        if (!dialog->isActiveWindow() && ++*ticks < 200) {
            if (*ticks == 1)
                dialog->activateWindow();
            return;
        }
        timer->stop();
        timer->deleteLater();
        action(dialog);
    });
    timer->start();
}

} // namespace kx::test
