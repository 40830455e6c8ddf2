#pragma once
// The list of an employee's pictures, opened by the employee list window
// for its current employee.

#include "staff/selectattachmentform.h"

namespace kx::staff {

class TSelectEmployeePictureForm : public TSelectAttachmentForm {
    Q_OBJECT
public:
    explicit TSelectEmployeePictureForm(QWidget* owner);

    void LoadPictures() { LoadRows(); }
    void ViewOrExportPicture() { ViewOrExport(); }

protected:
    TEditAttachmentForm* CreateEditForm() override;
};

} // namespace kx::staff
