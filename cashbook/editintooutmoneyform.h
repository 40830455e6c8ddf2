#pragma once
// The entry window of the in/out records: the records list shows it modally
// over its own query, so every add, edit, delete and verify here is in the
// list at once. Its inputs are laid out from the field slots when it is
// shown; it picks a new record's subject, numbers records within the scope
// of the numbering option, and verifies or takes back a record through the
// ledger posting.

#include "cashbook/entrylayout.h"
#include "core/fieldsdata.h"
#include "frame/app/kxbasepopeditshowform.h"
#include "tablereport/printfields.h"

#include <QHash>
#include <QPointer>

#include <array>

class QLabel;

namespace kx {

class TKXDBComboEdit;
class TKXDBEdit;
class TSelectDeptForm;
class TSelectEmployeeForm;
class TSelectMoneyTypeForm;

namespace db {
class TUpdateSQL;
}

namespace cashbook {

class TEditIntoOutMoneyForm : public TKXBasePopEditShowForm {
    Q_OBJECT
public:
    explicit TEditIntoOutMoneyForm(QWidget* owner);

    // Set by the records list before the window is shown.
    QPointer<TKXQuery> FieldQuery;
    QPointer<TSelectMoneyTypeForm> SubjectPicker;
    QPointer<TSelectEmployeeForm> EmployeePicker;
    QPointer<TSelectDeptForm> DeptPicker;
    QString SubjectId;
    QString SubjectName;
    bool AutoRecordNumber = false;
    bool OpenAdding = false;
    QPointer<db::TUpdateSQL> ListUpdateSQL;
    QPointer<db::TUpdateSQL> StatusUpdateSQL;
    // The list's printable fields, for the window's print button.
    TPrintFieldsArray PrintFields;

    QWidget* HeaderPanel;
    QLabel* Label24; // the subject's path
    QWidget* FieldPanel;
    QLabel* Panel3; // the record's status
    QPushButton* Button_Type;
    // Label1 to Label21, one per slot and the note row.
    std::array<QLabel*, kNoteSlot> Labels;
    // The account and text controls placed in slots 2 to 20.
    std::array<QWidget*, kNoteSlot> SlotControls{};

    // The prepared input control of that name (see EntryControlRules).
    QWidget* FieldControl(const QString& name) const;
    TKXDBEdit* KXDBEdit_MONEY_ID() const;
    TKXDBComboEdit* KXDBComboEdit_MONEY_DATE() const;
    TKXDBComboEdit* KXDBComboEdit_MONEY_ACCOUNT_NAME() const;

protected:
    void FormCreate() override;
    void FormShow() override;

    void Button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_saveClick(QObject* sender) override;
    void button_cancelClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button_OkClick(QObject* sender) override;
    void button1_firstClick(QObject* sender) override;
    void button1_priorClick(QObject* sender) override;
    void button1_nextClick(QObject* sender) override;
    void button1_lastClick(QObject* sender) override;

private:
    void CreateFieldControls();
    void PlaceButtons();
    void BindAmountEdits();
    void BindControl(QWidget* control, const QString& fieldName);
    void LayoutFields();
    void PlaceFieldControls(const TEntryLayout& layout);
    void PlaceLabels(const TEntryLayout& layout);
    void Button_TypeClick();
    void Button_PrintClick();
    void DSStateChange();
    void ShowStatus();
    void ShowSubjectPath();
    void ShowPathOf(const QString& subjectId);
    void FocusMoneyId();

    // The numbering scope of the subject written into the checks and the
    // counter; false (after "错误的帐款类别") when mode 0 finds no
    // top-level subject.
    bool SetNumberingScope(const QString& subjectId);
    bool ListEditing() const;
    bool ListHasRows() const;
    QString FieldText(const QString& fieldName) const;
    void SetFieldText(const QString& fieldName, const QString& text);

    void PickDate(const QString& column, TKXDBComboEdit* edit);
    void PickTextField(int n);
    void PickAccount();
    void PickDepartment();
    void PickEmployee();
    // Shows a picker modally with the keyboard focus; true on OK.
    static bool RunPicker(QDialog& picker);

    // A shown number or date input with its slot's caption.
    struct TShownInput {
        QWidget* Control;
        TEntryInput Input;
        QString Caption;
    };

    QHash<QString, QWidget*> controls_;
    QList<TShownInput> shownInputs_;
    TCheckDataArray checkData_;
    TInsertDataArray insertData_;
    int numberingMode_ = 1;
    QString shownSubjectId_;
};

} // namespace cashbook
} // namespace kx
