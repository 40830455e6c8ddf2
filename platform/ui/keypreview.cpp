#include "platform/ui/keypreview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kx::ui {
namespace {

bool TakesTabFocus(const QWidget* widget, const QWidget* form) {
    return widget->window() == form && (widget->focusPolicy() & Qt::TabFocus) &&
           widget->isEnabled() && widget->isVisibleTo(form) && !widget->focusProxy();
}

} // namespace

KeyPreview::KeyPreview(QWidget* form, Handler handler)
    : QObject(form), form_(form), handler_(std::move(handler)) {
    qApp->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // A key travels from the focused control up to the window, passing the
    // application's filters at each step: preview it only at its first stop.
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = form_;
    if (watched != target || target->window() != form_)
        return false;
    return handler_(static_cast<QKeyEvent*>(event));
}

void ClickOnEscape(QWidget* form, QAbstractButton* button) {
    new KeyPreview(form, [button](QKeyEvent* event) {
        if (event->key() != Qt::Key_Escape)
            return false;
        button->click();
        return true;
    });
}

void MoveFocus(QWidget* form, bool forward) {
    QWidget* start = QApplication::focusWidget();
    if (!start || start->window() != form)
        start = form;
    QWidget* widget = start;
    do {
        widget = forward ? widget->nextInFocusChain() : widget->previousInFocusChain();
        if (TakesTabFocus(widget, form)) {
            widget->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (widget != start);
}

} // namespace kx::ui

#include "moc_keypreview.cpp"
