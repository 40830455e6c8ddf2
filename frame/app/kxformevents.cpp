#include "frame/app/kxformevents.h"

#include "platform/ui/application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

namespace kx {

TKXFormEvents::TKXFormEvents(QWidget* owner) : QDialog(owner) {
    qApp->installEventFilter(this);
}

void TKXFormEvents::RunFormCreate() {
    FormCreate();
}

int TKXFormEvents::ShowModal() {
    setResult(QDialog::Rejected);
    return ui::ExecModal(*this);
}

void TKXFormEvents::SetOnClick(QAbstractButton* button, TClickHandler handler) {
    if (!clickHandlers_.contains(button))
        connect(button, &QAbstractButton::clicked, this, ui::Guard([this, button] {
                    if (const TClickHandler handler = clickHandlers_.value(button))
                        handler(button);
                }));
    clickHandlers_.insert(button, std::move(handler));
}

bool TKXFormEvents::HasOnClick(QAbstractButton* button) const {
    return static_cast<bool>(clickHandlers_.value(button));
}

bool TKXFormEvents::ClickByKey(QAbstractButton* button) {
    if (!button || !button->isEnabled() || !button->isVisibleTo(this) || !HasOnClick(button))
        return false;
    clickHandlers_.value(button)(this);
    return true;
}

void TKXFormEvents::FormCloseQuery(bool& /*canClose*/) {}

void TKXFormEvents::FormClose(TCloseAction& action) {
    action = TCloseAction::caHide;
}

void TKXFormEvents::FormKeyDown(int& /*key*/, Qt::KeyboardModifiers /*shift*/) {}

void TKXFormEvents::CloseWith(int result) {
    setResult(result);
    close();
}

bool TKXFormEvents::IsKeyTarget(const QObject* receiver) const {
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (!widget || widget->window() != this)
        return false;
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != this)
        focus = focusWidget();
    return widget == (focus ? focus : this);
}

bool TKXFormEvents::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !IsKeyTarget(watched))
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    int key = keyEvent->key();
    try {
        FormKeyDown(key, keyEvent->modifiers());
    } catch (...) {
        ui::HandleCurrentException();
        return true;
    }
    return key == 0;
}

void TKXFormEvents::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    try {
        FormShow();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TKXFormEvents::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    try {
        FormActivate();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TKXFormEvents::closeEvent(QCloseEvent* event) {
    event->ignore();
    try {
        bool canClose = true;
        FormCloseQuery(canClose);
        if (!canClose)
            return;
        TCloseAction action = TCloseAction::caHide;
        FormClose(action);
        if (action == TCloseAction::caNone)
            return;
        event->accept();
        if (action == TCloseAction::caFree) {
            RunFormDestroy();
            deleteLater();
        }
    } catch (...) {
        ui::HandleCurrentException();
    }
}

void TKXFormEvents::RunFormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    FormDestroy();
}

} // namespace kx
