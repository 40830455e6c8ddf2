#pragma once
// The event chain every base form runs its steps through.
//
// A window extends a base step by overriding the step's virtual (FormCreate,
// FormShow, FormCloseQuery, FormClose, button_addClick, ...) and calling the
// base class's version in it, usually first, before adding its own steps.
//
// Forms are made with Create<Form>(...), which runs FormCreate once the whole
// form exists. FormShow runs on the first show only. Closing asks
// FormCloseQuery, then FormClose decides whether the form hides or frees
// itself; a freed form runs FormDestroy first. The form sees every key of
// its controls first (FormKeyDown), and a function key presses a button only
// when the button is enabled, visible and has a click handler.

#include <QDialog>
#include <QHash>
#include <QPointer>

#include <functional>
#include <utility>

class QAbstractButton;

namespace kx {

enum class TCloseAction { caNone, caHide, caFree };

class TKXFormEvents : public QDialog {
    Q_OBJECT
public:
    using TClickHandler = std::function<void(QObject* sender)>;

    template <typename Form, typename... Args> static Form* Create(Args&&... args) {
        auto* form = new Form(std::forward<Args>(args)...);
        form->RunFormCreate();
        return form;
    }

    // Runs the form modally; the result is QDialog::Accepted after OK.
    int ShowModal();

    // The button's OnClick: a click passes the button as sender, a function
    // key the form.
    void SetOnClick(QAbstractButton* button, TClickHandler handler);
    bool HasOnClick(QAbstractButton* button) const;
    // Presses the button for a function key; false when it is disabled,
    // hidden or has no handler.
    bool ClickByKey(QAbstractButton* button);

    // Escape leaves a form open; it closes by its buttons or its close box.
    void reject() override {}

protected:
    explicit TKXFormEvents(QWidget* owner);

    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormCloseQuery(bool& canClose);
    virtual void FormClose(TCloseAction& action);
    virtual void FormDestroy() {}
    // Clearing the key stops it from reaching the control.
    virtual void FormKeyDown(int& key, Qt::KeyboardModifiers shift);

    // Closes with a result the modal caller reads.
    void CloseWith(int result);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RunFormCreate();
    void RunFormDestroy();
    bool IsKeyTarget(const QObject* receiver) const;

    QHash<QAbstractButton*, TClickHandler> clickHandlers_;
    bool shown_ = false;
    bool destroyed_ = false;
};

} // namespace kx
