#pragma once
// The status dialog: the user chooses a record's new status from the items
// the caller adds. The status the record has not yet comes preselected, and
// Esc presses "确定", so Esc flips the status.

#include <QDialog>

class QPushButton;

namespace kx {

class TKXComboBox;

class TSetStatusForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetStatusForm(QWidget* parent = nullptr);

    // The record's status, set by the caller before showing.
    QString CurrentStatus;

    TKXComboBox* KXComboBox1;
    QPushButton* Button_ok;
    QPushButton* Button_Close;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void Button_okClick();
};

} // namespace kx
