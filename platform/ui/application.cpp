#include "platform/ui/application.h"

#include <QDialog>
#include <QtDebug>

namespace kx::ui {
namespace {

ExceptionHandler& Handler() {
    static ExceptionHandler handler;
    return handler;
}

bool& TerminateFlag() {
    static bool flag = false;
    return flag;
}

QString& Title() {
    static QString title;
    return title;
}

} // namespace

void SetApplicationTitle(const QString& title) {
    Title() = title;
}

QString ApplicationTitle() {
    return Title();
}

void SetExceptionHandler(ExceptionHandler handler) {
    Handler() = std::move(handler);
}

void HandleCurrentException() {
    const std::exception_ptr error = std::current_exception();
    if (!Handler()) {
        qWarning("unhandled exception with no handler installed");
        return;
    }
    try {
        Handler()(error);
    } catch (...) {
        qWarning("the exception handler itself failed");
    }
}

void RequestTerminate() {
    TerminateFlag() = true;
    QCoreApplication::quit();
}

bool TerminateRequested() {
    return TerminateFlag();
}

void ClearTerminateRequest() {
    TerminateFlag() = false;
}

int ExecModal(QDialog& dialog) {
    if (TerminateRequested())
        return QDialog::Rejected;
    return dialog.exec();
}

bool NotifyGuarded(QApplication* app, QObject* receiver, QEvent* event) {
    try {
        return app->QApplication::notify(receiver, event);
    } catch (...) {
        HandleCurrentException();
        return false;
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    return NotifyGuarded(this, receiver, event);
}

} // namespace kx::ui

#include "moc_application.cpp"
