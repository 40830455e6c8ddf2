#pragma once
// The list of an employee's documents, opened by the employee list window
// for its current employee.

#include "staff/selectattachmentform.h"

namespace kx::staff {

class TSelectEmployeeFileForm : public TSelectAttachmentForm {
    Q_OBJECT
public:
    explicit TSelectEmployeeFileForm(QWidget* owner);

    void LoadDocuments() { LoadRows(); }
    void ViewOrExportDocument() { ViewOrExport(); }

protected:
    TEditAttachmentForm* CreateEditForm() override;
};

} // namespace kx::staff
