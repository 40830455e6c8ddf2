#pragma once
// The fund-account picker: every account as one flat list of nodes in
// ORDER_ID order, read once when the window is made. The caller keeps the
// window, so the last choice stays selected between uses.

#include <QDialog>

class QPushButton;
class QTreeWidgetItem;

namespace kx {

class TKXTreeView;

class TSelectMoneyAccountRootForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectMoneyAccountRootForm(QWidget* parent = nullptr);

    // The chosen account's MONEY_ACCOUNT_ID and MONEY_ACCOUNT_NAME, read
    // after OK.
    QString SelectedID;
    QString SelectedName;

    TKXTreeView* KXTreeView;
    QPushButton* Button_ok;

private:
    void Button_okClick();
};

} // namespace kx
