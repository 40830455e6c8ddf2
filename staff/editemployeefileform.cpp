#include "staff/editemployeefileform.h"

#include "staff/attachmentkind.h"

namespace kx::staff {

TEditEmployeeFileForm::TEditEmployeeFileForm(QWidget* owner)
    : TEditAttachmentForm(owner, DocumentKind(), 177) {}

} // namespace kx::staff
