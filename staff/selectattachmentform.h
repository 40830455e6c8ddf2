#pragma once
// The list of one employee's documents or pictures: the rows in a grid under
// a heading with the employee's department and name, added and edited in the
// edit window, viewed or exported from the list, and deleted with their
// stored copies. The caller sets the employee before showing it.

#include "frame/app/kxapppopform.h"

class QLabel;

namespace kx::staff {

struct TAttachmentKind;
class TEditAttachmentForm;

class TSelectAttachmentForm : public TKXAppPopForm {
    Q_OBJECT
public:
    // The employee's EMPLOYEE_RECORD_ID, department path and name.
    QString EmployeeRecordID;
    QString HeadText;
    QString EmployeeName;

    QLabel* LabelHead;

protected:
    TSelectAttachmentForm(QWidget* owner, const TAttachmentKind& kind);

    void FormCreate() override;
    void FormShow() override;
    void button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button_findClick(QObject* sender);
    void DBGridDblClick();

    // Reads the employee's rows again.
    void LoadRows();
    void ViewOrExport();
    // An edit window without an owner; the caller frees it.
    virtual TEditAttachmentForm* CreateEditForm() = 0;

private:
    void OpenEditForm(bool add);
    void ArrangeButtons();
    void WriteUpdateStatements();

    const TAttachmentKind& kind_;
};

} // namespace kx::staff
