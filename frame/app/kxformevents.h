#pragma once
// The event chain every base form runs its steps through.
//
// A window extends a base step by overriding the step's virtual (FormCreate,
// FormShow, FormCloseQuery, FormClose, button_addClick, ...) and calling the
// base class's version in it, usually first, before adding its own steps.
//
// Forms are made with Create<Form>(...), which runs FormCreate once the whole
// form exists. The form's companion, attached in FormCreate, runs FormShow
// on the first show only, asks FormCloseQuery after its own check of the
// data sets, hands every key to FormKeyDown first and runs FormDestroy as
// the form goes. FormClose then decides whether a closing form hides or
// frees itself. A function key presses a button only when the button is
// enabled, visible and has a click handler.

#include "platform/ui/customcontrol.h"

#include <QDialog>
#include <QHash>

#include <functional>
#include <utility>

class QAbstractButton;
class QPushButton;
class QWidget;

namespace kx {

class TKXChild;
struct TFormHandlers;

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

    TKXChild* KXChild;

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
    virtual void FormCloseQuery(bool& /*canClose*/) {}
    virtual void FormClose(TCloseAction& action) { action = TCloseAction::caHide; }
    virtual void FormDestroy() {}
    // Clearing the key stops it from reaching the control.
    virtual void FormKeyDown(int& /*key*/, ui::TShiftState /*shift*/) {}

    // The companion takes the form's events over with these steps as the
    // form's own handlers.
    TFormHandlers Handlers();
    // Closes with a result the modal caller reads.
    void CloseWith(int result);

    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RunFormCreate() { FormCreate(); }

    QHash<QAbstractButton*, TClickHandler> clickHandlers_;
};

// The companion takes the program's language, colours, database name and
// dialect, then the form's handlers.
void AttachCompanion(TKXChild& child, const TFormHandlers& handlers);

// The button bars of the pop-up forms: a button added to the bar's layout,
// and every button of the bar held at least as wide as its caption.
QPushButton* AddBarButton(QWidget* bar, const char* name, const QString& caption);
void FitBarCaptions(QWidget* bar);

} // namespace kx
