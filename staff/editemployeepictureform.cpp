#include "staff/editemployeepictureform.h"

#include "staff/attachmentkind.h"

namespace kx::staff {

TEditEmployeePictureForm::TEditEmployeePictureForm(QWidget* owner)
    : TEditAttachmentForm(owner, PictureKind(), 185) {}

} // namespace kx::staff
