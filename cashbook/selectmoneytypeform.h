#pragma once
// The subject picker: the in/out subject tree under the root "帐款类别",
// read level by level. The records list keeps the window, so expansion and
// selection stay between uses; the root itself may be chosen ("G001").

#include <QDialog>

class QPushButton;
class QTreeWidgetItem;

namespace kx {

class TKXTreeView;

class TSelectMoneyTypeForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectMoneyTypeForm(QWidget* parent = nullptr);

    // The selected node's code and name; the root until another is chosen.
    QString SelectedID;
    QString SelectedName;

    TKXTreeView* KXTreeView;
    QPushButton* Button_ok;
    QPushButton* Button_Close;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void KXTreeViewExpanding(QTreeWidgetItem* node);
    void KXTreeViewChange(QTreeWidgetItem* node);
    void Button_okClick();
};

} // namespace kx
