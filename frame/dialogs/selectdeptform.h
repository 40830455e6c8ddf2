#pragma once
// The department picker: the company's department tree, read level by level
// below a start node the caller names. The window that uses it keeps it for
// its own lifetime, so each use starts where the last one left the tree
// unless a department below the start node was picked (then the tree is
// read again from the start node).

#include <QDialog>

class QPushButton;
class QTreeWidgetItem;

namespace kx {

class TKXTreeView;

class TSelectDeptForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectDeptForm(QWidget* parent = nullptr);

    // The root node: the callers set "G001" and the company's name.
    QString StartId;
    QString StartName;
    // The selected node; the start node when none is selected.
    QString SelectedId;
    QString SelectedName;

    TKXTreeView* KXTreeView;
    QPushButton* SureButton;
    QPushButton* CloseButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void TreeExpanding(QTreeWidgetItem* node);
    void TreeChange(QTreeWidgetItem* node);
    void SureButtonClick();
};

// Shows the picker; on OK Condition selects the chosen department's subtree
// (empty for the root, so that the whole company matches), with TablePrefix
// before the column, Name is its name and the answer is false. Cancelled:
// true, both unchanged.
bool SelectDeptCondition(TSelectDeptForm& Form, QString& Name, QString& Condition,
                         const QString& TablePrefix);

} // namespace kx
