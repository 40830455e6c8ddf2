#pragma once
// The ledger drill-down: the verified records of a day-ledger row's account
// on its day, or of a month-ledger row's account within the month's dates.

#include "cashbook/selectshowintooutmoneyform.h"

namespace kx::cashbook {

class TSelectShowIntoOutMoneyAccountForm : public TSelectShowIntoOutMoneyForm {
    Q_OBJECT
public:
    explicit TSelectShowIntoOutMoneyAccountForm(QWidget* owner);

    // On for the day list, off for the month list.
    bool IsDayLedger = true;

protected:
    void LoadRecords() override { LoadLedgerRecords(); }
    TPrintChooserCall PrintCall() const override;

private:
    void LoadLedgerRecords();
};

} // namespace kx::cashbook
