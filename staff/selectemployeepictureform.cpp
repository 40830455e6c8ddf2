#include "staff/selectemployeepictureform.h"

#include "frame/app/kxformevents.h"
#include "staff/attachmentkind.h"
#include "staff/editemployeepictureform.h"

namespace kx::staff {

TSelectEmployeePictureForm::TSelectEmployeePictureForm(QWidget* owner)
    : TSelectAttachmentForm(owner, PictureKind()) {}

TEditAttachmentForm* TSelectEmployeePictureForm::CreateEditForm() {
    return TKXFormEvents::Create<TEditEmployeePictureForm>(nullptr);
}

} // namespace kx::staff
