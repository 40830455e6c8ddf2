#pragma once
// The application object: the exception boundary of the event loop and the
// terminate request that also works before the loop has started.

#include <QApplication>

#include <exception>
#include <functional>
#include <type_traits>

class QDialog;

namespace kx::ui {

using ExceptionHandler = std::function<void(const std::exception_ptr&)>;

// The program's one handler for exceptions that no code caught.
void SetExceptionHandler(ExceptionHandler handler);

// Hands the exception being handled (call inside a catch block) to the handler.
void HandleCurrentException();

// Wraps a slot or callback so that no exception leaves it towards Qt. The
// wrapped function takes either all of the signal's arguments or none.
template <typename F> class GuardedSlot {
public:
    explicit GuardedSlot(F function) : function_(std::move(function)) {}

    // Constrained overloads let Qt probe the slot's argument count without
    // instantiating a body that cannot compile for the wrong count.
    template <typename... Args>
    requires std::is_invocable_v<F&, Args...>
    void operator()(Args&&... args) {
        Run([&] { function_(std::forward<Args>(args)...); });
    }

    template <typename... Args>
    requires(!std::is_invocable_v<F&, Args...> && sizeof...(Args) > 0 &&
             std::is_invocable_v<F&>) void
    operator()(Args&&...) {
        Run([&] { function_(); });
    }

private:
    template <typename Call> static void Run(Call&& call) {
        try {
            call();
        } catch (...) {
            HandleCurrentException();
        }
    }

    F function_;
};

template <typename F> GuardedSlot<F> Guard(F function) {
    return GuardedSlot<F>(std::move(function));
}

// The application's title, as the program names itself to the user and to
// other copies of itself. Kept apart from Qt's display name, which the
// platform would append to every window caption.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// Asks the application to end. Before the event loop runs, QApplication::quit()
// is lost, so the request is also kept as a flag that the start-up code and
// ExecModal read.
void RequestTerminate();
bool TerminateRequested();
void ClearTerminateRequest();

// QDialog::exec(), except that a pending terminate request closes the dialog
// at once as cancelled, without showing it.
int ExecModal(QDialog& dialog);

// Delivers an event as QApplication does, handing any exception to the handler.
bool NotifyGuarded(QApplication* app, QObject* receiver, QEvent* event);

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    // Every event passes here: an exception from any handler goes to the
    // program's handler instead of through Qt's event loop.
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace kx::ui
