#pragma once
// Key preview: a form sees every key pressed in any of its controls before the
// control does. The handler returns true when it consumed the key.

#include <QObject>

#include <functional>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace kx::ui {

class KeyPreview : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(QKeyEvent*)>;

    // Owned by the form; previews its keys for as long as it lives.
    KeyPreview(QWidget* form, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* form_;
    Handler handler_;
};

// Escape anywhere in the form presses the button: the dialogs that confirm
// their choice on Escape.
void ClickOnEscape(QWidget* form, QAbstractButton* button);

// Moves the focus to the next (or previous) control of the form in tab order,
// as the platform's next-dialog-control message does.
void MoveFocus(QWidget* form, bool forward);

} // namespace kx::ui
