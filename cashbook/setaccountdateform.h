#pragma once
// The closing-day dialog of the ledger months: chooses the day on which each
// ledger month ends and stores it as the option "GACCOUNT_DAY".

#include <QDialog>

class QPushButton;

namespace kx {
class TKXComboBox;
}

namespace kx::cashbook {

class TSetAccountDateForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetAccountDateForm(QWidget* parent = nullptr);

    TKXComboBox* KXComboBox1;
    QPushButton* Button_ok;
    QPushButton* Button_Close;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void Button_okClick();
    void Button_CloseClick();
};

} // namespace kx::cashbook
