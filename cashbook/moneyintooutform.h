#pragma once
// The in/out records list: the subject tree on the left, on the right the
// records of the selected subject and its sub-subjects that match the find
// condition, laid out from the record field slots. From here records are
// found, opened for entry, deleted while unverified, verified (posting their
// amounts into the ledgers) or taken back, and the system user sets up the
// record layout.

#include "frame/app/kxdform.h"
#include "frame/controls/kxtreeview.h"
#include "tablereport/printfields.h"

#include <QPointer>
#include <QStringList>

#include <memory>

class QToolButton;

namespace kx {

class TFindFormDialog;
class TKX3DLabel;
class TKXNDBGrid;
class TSelectDeptForm;
class TSelectEmployeeForm;
class TSelectMoneyTypeForm;

namespace db {
class TField;
class TQuery;
} // namespace db

namespace ui {
class TCanvas;
}

namespace cashbook {

class TRecordCalculator;

class TMoneyIntoOutForm : public TKXDForm {
    Q_OBJECT
public:
    static inline const QString kFormName = QStringLiteral("MoneyIntoOutForm");

    explicit TMoneyIntoOutForm(QWidget* owner);
    ~TMoneyIntoOutForm() override;

    db::TUpdateSQL* UPStatus;
    TKXQuery* QyFieldName;
    db::TUpdateSQL* UPFieldName;
    db::TQuery* QyMoneyAccount;
    db::TQuery* QyMontyType;
    QFrame* Panel4;
    TKXTreeView* KXTreeView;
    QFrame* Panel3;
    TKX3DLabel* KX3DLabel1;
    QFrame* PanelShow;
    TKXNDBGrid* DBGrid1;
    TFindFormDialog* FindFormDialog;
    QToolButton* button_closeNew;

    TPrintFieldsArray PrintFields;
    QString FindCondition;
    QString SubjectID;
    QString SubjectName;
    QString QueriedSubjectID;
    QStringList SortCaptions;
    QStringList SortFields;
    bool AutoRecordNumber = false;
    bool TreeRefreshOff = true;
    QPointer<TSelectMoneyTypeForm> SubjectPicker;
    QPointer<TSelectEmployeeForm> EmployeePicker;
    QPointer<TSelectDeptForm> DeptPicker;

    void RefreshRecordQuery();
    void ResetColumns();
    void OrderFieldsByLayout();
    // After the slots were set up: the columns are built anew and every
    // stored column layout of the list and the statistics is dropped.
    void ReloadAfterFieldSetup();

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormDestroy() override;
    void FormKeyDown(int& key, ui::TShiftState shift) override;
    void button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button_checkClick(QObject* sender) override;
    void button_closeClick(QObject* sender) override;

private:
    void button_findClick();
    void button_closeNewClick();
    void button_printClick();
    void DBGrid1DblClick();
    void DBGrid1ApplyCellAttr(db::TField* field, ui::TCanvas& canvas);
    void FindFormDialogPopupWindow(QString& text, QString& code, QString& fieldName);
    void KXTreeViewChange(TTreeNode* node);
    void KXTreeViewExpanding(TTreeNode* node);
    void QueryBeforeEdit();
    void QueryBeforeInsert();
    void QueryBeforePost();

    void SetDuplicateChecks();
    void SetAutoValues();
    void ShowFindCondition(const QString& text);
    void CreatePickers();
    // The entry window on this list's query, adding or editing.
    void OpenEntryWindow(bool adding);
    // The layout set-up window for the system user.
    void OpenFieldSetup();
    void VerifyRecord(const QString& status);
    int SelectedLevel() const;

    std::unique_ptr<TRecordCalculator> calculator_;
};

} // namespace cashbook
} // namespace kx
