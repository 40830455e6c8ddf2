#pragma once
// The log-on window: a user id or name and the password. Success sets the
// program-wide user and ends the window with OK; the fourth wrong attempt
// ends it as cancelled, and with it the program.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kx {

class TLogonForm : public QDialog {
    Q_OBJECT
public:
    explicit TLogonForm(QWidget* owner = nullptr);

    QLabel* LongNameLabel;
    QLabel* LongPasswordLabel;
    QComboBox* UserIDBox;
    QLineEdit* PasswordEdit;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    bool FormKeyDown(QKeyEvent* event);
    void ButtonOKClick();
    void SetEditColor(QWidget* edit, bool focused);

    int failedAttempts_ = 0;
};

} // namespace kx
