#include "cashbook/editintooutmoneydayform.h"

#include "frame/controls/kxdbcomboedit.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kx::cashbook {

TEditIntoOutMoneyDayForm::TEditIntoOutMoneyDayForm(QWidget* owner)
    : TLedgerEntryForm(owner, TLedgerView::Day) {
    setWindowTitle(QStringLiteral("资金账号日结账录入编辑窗口"));
    KXDBComboEdit1 = AddDateBox(QStringLiteral("日结日期"), QStringLiteral("MONEY_DAY_DATE"));
    PeriodBox = KXDBComboEdit1;
    AddAmountsAndNote();
    InputLayout->addStretch(1);
    InputLayout->addWidget(Panel3);
}

} // namespace kx::cashbook
