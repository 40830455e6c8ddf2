#include "cashbook/registerwindows.h"

#include "cashbook/intooutmoneyaccountform.h"
#include "cashbook/moneyaccountform.h"
#include "cashbook/moneyintooutform.h"
#include "cashbook/moneyintooutqueryform.h"
#include "cashbook/moneyintoouttypeform.h"
#include "frame/app/kxformevents.h"
#include "frame/app/windowregistry.h"

namespace kx::cashbook {

// One TWindowRegistry::Register line per window, added with the window.
void RegisterWindows() {
    TWindowRegistry::Register(TMoneyIntoOutTypeForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TMoneyIntoOutTypeForm>(owner);
    });
    TWindowRegistry::Register(TMoneyAccountForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TMoneyAccountForm>(owner);
    });
    TWindowRegistry::Register(TMoneyIntoOutForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TMoneyIntoOutForm>(owner);
    });
    TWindowRegistry::Register(TIntoOutMoneyAccountForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TIntoOutMoneyAccountForm>(owner);
    });
    TWindowRegistry::Register(TMoneyIntoOutQueryForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TMoneyIntoOutQueryForm>(owner);
    });
}

} // namespace kx::cashbook
