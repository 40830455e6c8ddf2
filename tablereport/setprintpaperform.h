#pragma once
// Asks for a paper of the user's own size, in millimetres.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kx {

class TSetPrintPaperForm : public QDialog {
public:
    explicit TSetPrintPaperForm(QWidget* owner);

    QLineEdit* WidthEdit;
    QLineEdit* HeightEdit;
    QPushButton* OkButton;
    QPushButton* CloseButton;

    // The edits as numbers; a text that is no number counts as 0.
    double PaperWidthMm() const;
    double PaperHeightMm() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkClick();
};

} // namespace kx
