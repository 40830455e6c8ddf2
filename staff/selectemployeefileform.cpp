#include "staff/selectemployeefileform.h"

#include "frame/app/kxformevents.h"
#include "staff/attachmentkind.h"
#include "staff/editemployeefileform.h"

namespace kx::staff {

TSelectEmployeeFileForm::TSelectEmployeeFileForm(QWidget* owner)
    : TSelectAttachmentForm(owner, DocumentKind()) {}

TEditAttachmentForm* TSelectEmployeeFileForm::CreateEditForm() {
    return TKXFormEvents::Create<TEditEmployeeFileForm>(nullptr);
}

} // namespace kx::staff
