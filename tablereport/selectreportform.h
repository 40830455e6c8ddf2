#pragma once
// A choice among up to three radio buttons, the first checked and the third
// hidden at the start; the caller sets the caption and the texts.

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace kx {

class TSelectReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectReportForm(QWidget* owner = nullptr);

    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QPushButton* SureButton;

private:
    void SureButtonClick();
};

} // namespace kx
