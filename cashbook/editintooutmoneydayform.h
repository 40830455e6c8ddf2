#pragma once
// The entry window of the day ledger: one day of a fund account.

#include "cashbook/ledgerentryform.h"

namespace kx::cashbook {

class TEditIntoOutMoneyDayForm : public TLedgerEntryForm {
    Q_OBJECT
public:
    explicit TEditIntoOutMoneyDayForm(QWidget* owner);

    TKXDBComboEdit* KXDBComboEdit1; // day
};

} // namespace kx::cashbook
