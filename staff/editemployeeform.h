#pragma once
// The employee entry window: one employee of the list window's query, its
// editors laid out from the field definitions in the slot grid. It adds,
// edits, saves, deletes and moves on the list's query, so the list shows
// every change at once.

#include "core/fieldsdata.h"
#include "frame/app/kxbasepopeditshowform.h"
#include "staff/employeeslotlayout.h"

#include <QHash>
#include <QPointer>

#include <functional>

class QLabel;
class QLineEdit;

namespace kx {
class TKXDBEdit;
class TKXDBComboEdit;
namespace db {
class TDataSet;
}
} // namespace kx

namespace kx::staff {

class TEditEmployeeForm : public TKXBasePopEditShowForm {
    Q_OBJECT
public:
    explicit TEditEmployeeForm(QWidget* owner = nullptr);

    QPointer<db::TDataSet> FieldDataSet;
    QString DeptID;
    QString DeptPath;
    // The list query's checks (shared); the first is the employee-number
    // check.
    TCheckDataArray CheckData;
    bool AddOnShow = false;
    bool EditOnShow = false;
    // How the opener deletes the current employee: with its attachments.
    std::function<void()> DeleteEmployee;

    QFrame* HeadPanel;
    QLabel* HeadLabel;
    TKXDBEdit* KXDBEdit_EMPLOYEE_ORDER_ID;
    QWidget* Editor(const QString& name) const { return editors_.value(name); }
    QLabel* SlotLabel(int slot) const { return labels_.value(slot - 1); }
    const TEntryFieldLayout& Layout() const { return layout_; }

    // Picks a value of the text column's code list; true when none was
    // taken (the Enter answer that keeps the focus in the editor).
    bool PickTextField(int column);

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose(TCloseAction& action) override;
    void Button_addClick(QObject* sender) override;
    void button_editClick(QObject* sender) override;
    void button_saveClick(QObject* sender) override;
    void button_deleteClick(QObject* sender) override;
    void button1_firstClick(QObject* sender) override;
    void button1_priorClick(QObject* sender) override;
    void button1_nextClick(QObject* sender) override;
    void button1_lastClick(QObject* sender) override;

private:
    void BuildEditors();
    void BuildButtonPanel();
    void LayoutFields();
    void ApplyLayout();
    void HookDateEditor(TKXDBComboEdit* edit, const QString& column);
    void HookChoiceEditor(TKXDBComboEdit* edit, int column);
    void PickDate(TKXDBComboEdit* edit, const QString& column, bool onlyWhenEmpty, bool& keepFocus);
    bool ListEditing() const;
    void ShowRowHeading();
    void ReleaseCheckFocus();

    TEntryFieldLayout layout_;
    QHash<QString, QWidget*> editors_;
    QList<QLabel*> labels_; // slots 1 to 20 and the note at 20
};

} // namespace kx::staff
