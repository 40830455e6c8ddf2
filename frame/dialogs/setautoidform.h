#pragma once
// The options window: how in/out records are numbered, and whether record
// and employee numbers are filled in, amounts drawn in ledger digit cells
// and the data backed up automatically. Every option is written on each
// "确定", changed or not; Esc answers "确定" as well.

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QShowEvent;

namespace kx {

class TSetAutoIDForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetAutoIDForm(QWidget* parent = nullptr);

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void ButtonOkClick();

    QButtonGroup* numberingMode_;
    QCheckBox* fillMoneyId_;
    QCheckBox* financialFormat_;
    QCheckBox* fillEmployeeId_;
    QCheckBox* autoBackup_;
    QPushButton* okButton_;
};

} // namespace kx
