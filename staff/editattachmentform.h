#pragma once
// The editor of one document or picture row of an employee, on the list
// window's query: the file-name box's button stores a chosen file while the
// row is added or edited, and views or exports the stored copy while it is
// browsed.

#include "frame/app/kxbasepopeditshowform.h"

class QLabel;

namespace kx {

class TKXDBComboEdit;
class TKXDBEdit;

namespace staff {

struct TAttachmentKind;

class TEditAttachmentForm : public TKXBasePopEditShowForm {
    Q_OBJECT
public:
    QString EmployeeRecordID;
    QString HeadText;
    QString EmployeeName;
    // Add or edit is pressed as the window shows.
    bool AddOnShow = false;
    bool EditOnShow = false;

    QLabel* LabelHead;
    TKXDBComboEdit* KXDBComboEdit1; // the stored file's name
    TKXDBEdit* KXDBEdit1;           // note
    TKXDBEdit* KXDBEdit2;           // number

protected:
    TEditAttachmentForm(QWidget* owner, const TAttachmentKind& kind, int clientHeight);

    void FormCreate() override;
    void FormShow() override;
    void Button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_saveClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button_cancelClick(QObject* sender) override;
    void KXDBComboEdit1ButtonClick();

    // Copies a chosen file into the store as the row's copy.
    void StoreAttachment();
    void ViewOrExport();

private:
    bool ListEditing() const;
    void ArrangeButtons();
    void KeepRecordIdFree(bool rowHasCopy);
    void DropRowCreatedForStore();
    QString Title() const;

    const TAttachmentKind& kind_;
    // The copy made in this edit and not yet saved with its row: a cancel
    // takes it back, with the row when that was saved only for the copy.
    QString unsavedCopyId_;
    bool rowCreatedForCopy_ = false;
};

} // namespace staff
} // namespace kx
