#pragma once
// The employee list: the department tree on the left, the employees of the
// selected department and its sub-departments on the right, their columns
// laid out from the field definitions. Records are entered in the entry
// window, the field slots in the layout window; a delete takes the
// employee's attachment rows with it.

#include "frame/app/kxdform.h"
#include "frame/controls/kxtreeview.h"
#include "staff/employeelist.h"

#include <QPointer>

class QLabel;
class QPushButton;

namespace kx {
class TFindFormDialog;
class TKXNDBGrid;
class TSelectDeptForm;
namespace db {
class TQuery;
}
} // namespace kx

namespace kx::staff {

class TEmployeeForm : public TKXDForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("EmployeeForm");
    static inline const QString kRootID = QStringLiteral("G001");

    explicit TEmployeeForm(QWidget* owner);

    QFrame* Panel4;
    TKXTreeView* KXTreeView;
    QLabel* Label1;    // the find condition
    QLabel* PanelBusy; // shown while the columns are rebuilt
    TKXNDBGrid* DBGrid1;
    QFrame* Panel3;
    QPushButton* SpeedButton3; // pictures
    QPushButton* SpeedButton2; // documents
    TKXQuery* QyField;         // the definition rows, open for the window's life
    db::TQuery* QyDept;        // department names for the list's look-up column
    TFindFormDialog* FindFormDialog;
    TTreeNode* SelectedNode = nullptr;

    QString CurrentCode() const { return currentCode_; }
    const TSortChoices& SortChoices() const { return columns_.Sort; }
    const TPrintFieldsArray& PrintFields() const { return columns_.PrintFields; }

protected:
    void FormCreate() override;
    void FormShow() override;
    void button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button_checkClick(QObject* sender) override;

private:
    void AddPersistentFields();
    void WriteUpdateStatements();
    void SeedDefinitions();
    void KXTreeViewExpanding(TTreeNode* node);
    void KXTreeViewChange(TTreeNode* node);
    void RefreshEmployeeQuery();
    void LoadFieldDefinitions();
    void ResetFieldArrays();
    void ApplyFieldVisibility();
    void button_findClick();
    void Button_OtherClick();
    void button_printClick();
    void DBGrid1DblClick();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void FindFormDialogPopupWindow(QString& value, QString& code, QString& fieldName);
    void QueryAfterInsert();
    // The tree holds the company only.
    bool OnlyRoot() const;
    int Level(const TTreeNode* node) const;
    void OpenEntryWindow(bool addOnShow, bool editOnShow);
    // The employee's documents or pictures window (built beside this one).
    void OpenDocuments(const QString& headText, const QString& name, const QString& recordId);
    void OpenPictures(const QString& headText, const QString& name, const QString& recordId);
    // The stored copies of deleted attachment rows leave the attachment store.
    void RemoveStoredCopies(const QStringList& recordIds);
    void ReopenAfterDelete(int recNo);
    void DeleteCurrentEmployee();

    TEmployeeColumns columns_;
    QString currentCode_ = kRootID;
    QString currentName_;
    QString lastOpenedCode_;
    QString findCondition_;
    QString labelText_;
    bool autoNumbering_ = false;
    QPointer<TSelectDeptForm> deptPicker_;
};

} // namespace kx::staff
