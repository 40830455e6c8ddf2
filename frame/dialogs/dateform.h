#pragma once
// The date picker: a month calendar with buttons that step a year or a
// month, the chosen date shown above it as "YYYY-MM-DD".

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

namespace kx {

class TDateForm : public QDialog {
    Q_OBJECT
public:
    explicit TDateForm(QWidget* parent = nullptr);

    // Its date is the result.
    QCalendarWidget* Calendar;
    QLabel* TitleLabel;
    QPushButton* SureButton;
    QPushButton* CloseButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowDate();
    void StepMonths(int months);
    void StepYears(int years);
};

// A date chosen in the picker, preset with the date in text (a time after
// it is ignored) or, when text is empty, with defaultDate; formatted
// "YYYY-MM-DD", empty when cancelled. A defaultDate that is no date raises
// the conversion error.
QString SelectDateText(const QString& text, const QString& defaultDate);

} // namespace kx
