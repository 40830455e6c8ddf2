#pragma once
// The log-on window: a user id or name and the password. Success sets the
// program-wide user and ends the window with OK; the fourth wrong attempt
// ends it as cancelled, and with it the program.

#include <QDialog>

class QLabel;
class QPushButton;

namespace kx {

class TKXComboBox;
class TKXEdit;

class TLogonForm : public QDialog {
    Q_OBJECT
public:
    explicit TLogonForm(QWidget* owner = nullptr);

    QLabel* LongNameLabel;
    QLabel* LongPasswordLabel;
    TKXComboBox* UserIDBox;
    TKXEdit* PasswordEdit;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    bool FormKeyDown(QKeyEvent* event);
    void ButtonOKClick();

    int failedAttempts_ = 0;
};

} // namespace kx
