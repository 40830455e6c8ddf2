#pragma once
// The entry window of the month ledger: one ledger month of a fund account,
// named "2008年09月", with the dates it runs from and to.

#include "cashbook/ledgerentryform.h"

namespace kx {

class TSelectMonthForm;

namespace cashbook {

class TEditIntoOutMoneyMonthForm : public TLedgerEntryForm {
    Q_OBJECT
public:
    explicit TEditIntoOutMoneyMonthForm(QWidget* owner);

    TKXDBComboEdit* KXDBComboEdit8; // month
    TKXDBComboEdit* KXDBComboEdit1; // start date
    TKXDBComboEdit* KXDBComboEdit2; // end date
    // Lent by the ledger window, which keeps it.
    QPointer<TSelectMonthForm> MonthPicker;

private:
    void KXDBComboEdit8ButtonClick();
};

} // namespace cashbook
} // namespace kx
