#pragma once
// The year-and-month input of the ledger windows: a four-digit year and a
// two-digit month, preset from a month text such as "2007年03月".

#include <QDialog>

class QPushButton;

namespace kx {

class TKXEdit;

// Year and month of a month text "YYYY年MM月" (ten code page 936 bytes);
// both empty for any other text.
void ParseMonthText(const QString& monthText, QString& year, QString& month);

// The first refusal of a year and a month as typed, empty when both are
// right; yearBox tells which box the refusal is about.
QString CheckYearMonth(const QString& year, const QString& month, bool& yearBox);

class TSelectMonthForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectMonthForm(QWidget* parent = nullptr);

    // Set before each showing.
    QString MonthText;
    TKXEdit* YearEdit;
    TKXEdit* MonthEdit;
    QPushButton* SureButton;
    QPushButton* CloseButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SureButtonClick();
};

} // namespace kx
