#include "frame/admin/registerwindows.h"

#include "frame/admin/deletedataform.h"
#include "frame/admin/passwordchangeform.h"
#include "frame/admin/userform.h"
#include "frame/app/windowregistry.h"

namespace kx::admin {

void RegisterWindows() {
    TWindowRegistry::Register(TUserForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TUserForm>(owner);
    });
    TWindowRegistry::Register(TPasswordChangeForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TPasswordChangeForm>(owner);
    });
    TWindowRegistry::Register(TDeleteDataForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TDeleteDataForm>(owner);
    });
}

} // namespace kx::admin
