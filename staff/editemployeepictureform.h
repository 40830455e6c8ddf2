#pragma once
// The editor of one of an employee's pictures.

#include "staff/editattachmentform.h"

namespace kx::staff {

class TEditEmployeePictureForm : public TEditAttachmentForm {
    Q_OBJECT
public:
    explicit TEditEmployeePictureForm(QWidget* owner);

    void StorePicture() { StoreAttachment(); }
    void ViewOrExportPicture() { ViewOrExport(); }
};

} // namespace kx::staff
