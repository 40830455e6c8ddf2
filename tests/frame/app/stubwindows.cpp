#include "tests/frame/app/stubwindows.h"

#include "frame/app/kxmain.h"
#include "platform/ui/windowmessage.h"

#include <QCloseEvent>

namespace kx::test {
namespace {

template <typename W> void RegisterStub(const QString& formName) {
    TWindowRegistry::Register(formName, [](QWidget* owner) { return new W(owner); });
}

const QStringList kFormNames = {"MoneyIntoOutForm", "IntoOutMoneyAccountForm",
                                "MoneyAccountForm", "DeleteDataForm",
                                "UserForm",         "PasswordChangeForm"};

} // namespace

StubWindow::StubWindow(QWidget* owner) : QWidget(owner, Qt::Window), id_(ui::WindowHandle(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(300, 200);
}

qint64 StubWindow::ShowInPlace(int) {
    ++ShowInPlaceCalls;
    QWidget* main = parentWidget();
    if (FailPlacement) {
        ui::PostWindowMessage(main, ui::RegisterWindowMessage(kCloseFormMessage), id_);
        return 0;
    }
    ui::PostWindowMessage(main, ui::RegisterWindowMessage(kShowFormMessage), id_);
    show();
    return id_;
}

void StubWindow::closeEvent(QCloseEvent* event) {
    ui::PostWindowMessage(parentWidget(), ui::RegisterWindowMessage(kCloseFormMessage), id_);
    event->accept();
}

StubFactories::StubFactories() {
    RegisterStub<TMoneyIntoOutForm>("MoneyIntoOutForm");
    RegisterStub<TIntoOutMoneyAccountForm>("IntoOutMoneyAccountForm");
    RegisterStub<TMoneyAccountForm>("MoneyAccountForm");
    RegisterStub<TDeleteDataForm>("DeleteDataForm");
    RegisterStub<TUserForm>("UserForm");
    RegisterStub<TPasswordChangeForm>("PasswordChangeForm");
}

StubFactories::~StubFactories() {
    for (const QString& name : kFormNames)
        TWindowRegistry::Unregister(name);
}

} // namespace kx::test

#include "moc_stubwindows.cpp"
