#include "staff/registerwindows.h"

#include "frame/app/kxformevents.h"
#include "frame/app/windowregistry.h"
#include "staff/deptform.h"
#include "staff/employeeform.h"

namespace kx::staff {

// One TWindowRegistry::Register line per window, added with the window.
void RegisterWindows() {
    TWindowRegistry::Register(TDeptForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TDeptForm>(owner);
    });
    TWindowRegistry::Register(TEmployeeForm::kFormName, [](QWidget* owner) {
        return TKXFormEvents::Create<TEmployeeForm>(owner);
    });
}

} // namespace kx::staff
