#pragma once
// The year input of the outdated-data deletion: a four-digit year, refused
// with a message until it is one.

#include <QDialog>

class QPushButton;

namespace kx {

class TKXEdit;

class TYearForm : public QDialog {
    Q_OBJECT
public:
    explicit TYearForm(QWidget* parent = nullptr);

    TKXEdit* YearEdit;
    QPushButton* SureButton;
    QPushButton* CloseButton;

private:
    void SureButtonClick();
};

} // namespace kx
