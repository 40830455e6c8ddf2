#pragma once
// The employee picker: the department tree beside the list of the chosen
// department's employees (its whole subtree, or only its own employees when
// the check box is ticked). The window that uses it keeps it for its own
// lifetime: the tree is read on the first show and kept, and the list is read
// again only when the department or the check box changes.

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTreeWidgetItem;

namespace kx {

class TKXNDBGrid;
class TKXQuery;
class TKXTreeView;

namespace db {
class TDataSource;
class TQuery;
} // namespace db

class TSelectEmployeeForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectEmployeeForm(QWidget* parent = nullptr);
    ~TSelectEmployeeForm() override;

    // OK then needs only a selected department, not an employee.
    bool DeptOnly = false;
    QString SelectedDeptId;
    QString SelectedDeptName;

    TKXTreeView* KXTreeView;
    TKXNDBGrid* DBGrid;
    QCheckBox* CheckBox1;
    QPushButton* SureButton;
    QPushButton* CloseButton;
    TKXQuery* Query_Select;
    db::TDataSource* DS_Select;
    db::TQuery* QyDept;

    void RefreshEmployeeList();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormShow();
    void TreeExpanding(QTreeWidgetItem* node);
    void TreeChange(QTreeWidgetItem* node);
    void SureButtonClick();
    bool HandleKey(int key);

    QString listDeptId_;
    // The level of the remembered tree node; -1 without one.
    int selectedLevel_ = -1;
    bool holdReloads_ = true;
};

// Shows the picker; on OK Name is the current employee's name and QuotedName
// the same name as the rest of a quoted literal (quotes doubled, then the
// closing quote) for a condition that already holds the opening quote.
// Cancelled: both unchanged. Always answers 0.
int SelectEmployeeName(TSelectEmployeeForm& Form, QString& Name, QString& QuotedName);

} // namespace kx
