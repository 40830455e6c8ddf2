#pragma once
// The editor of one of an employee's documents.

#include "staff/editattachmentform.h"

namespace kx::staff {

class TEditEmployeeFileForm : public TEditAttachmentForm {
    Q_OBJECT
public:
    explicit TEditEmployeeFileForm(QWidget* owner);

    void StoreDocument() { StoreAttachment(); }
    void ViewOrExportDocument() { ViewOrExport(); }
};

} // namespace kx::staff
