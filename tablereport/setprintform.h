#pragma once
// The margin dialog of the preview's settings button: top, bottom, left and
// right margin of a report, the bottom and right following the totals as
// the top and left are typed.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kx {

class TSetPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetPrintForm(QWidget* owner = nullptr);

    // Shown in the edits when the dialog shows; the four values it keeps on OK.
    double Top = 0;
    double Bottom = 0;
    double Left = 0;
    double Right = 0;
    int VerticalMarginTotal = 0;
    int HorizontalMarginTotal = 0;

    QLineEdit* EditTop;
    QLineEdit* EditBottom;
    QLineEdit* EditLeft;
    QLineEdit* EditRight;
    QPushButton* SureButton;
    QPushButton* CloseButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* AddEdit(const QString& caption, int maxLength, int row);
    void SureButtonClick();
    QLineEdit* Edit(int index) const;
};

} // namespace kx
