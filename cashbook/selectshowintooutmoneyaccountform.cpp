#include "cashbook/selectshowintooutmoneyaccountform.h"

#include "cashbook/drilldownrecords.h"

namespace kx::cashbook {

TSelectShowIntoOutMoneyAccountForm::TSelectShowIntoOutMoneyAccountForm(QWidget* owner)
    : TSelectShowIntoOutMoneyForm(owner, QStringLiteral("单位收支明细记录窗口")) {
    setObjectName(QStringLiteral("SelectShowIntoOutMoneyAccountForm"));
}

void TSelectShowIntoOutMoneyAccountForm::LoadLedgerRecords() {
    if (!MasterHasRow()) {
        ShowRecords({}, {});
        return;
    }
    const QString accountId = MasterText(QStringLiteral("MONEY_ACCOUNT_ID"));
    const QString accountName = MasterText(QStringLiteral("MONEY_ACCOUNT_NAME"));
    if (IsDayLedger) {
        const QString day = QStringLiteral("MONEY_DAY_DATE");
        ShowRecords(LedgerDayCondition(accountId, MasterDate(day)),
                    LedgerDayLabel(accountName, MasterText(day)));
        return;
    }
    const QString start = QStringLiteral("MONEY_START_DATE");
    const QString end = QStringLiteral("MONEY_END_DATE");
    ShowRecords(LedgerMonthCondition(accountId, MasterDate(start), MasterDate(end)),
                LedgerMonthLabel(accountName, MasterText(start), MasterText(end)));
}

TPrintChooserCall TSelectShowIntoOutMoneyAccountForm::PrintCall() const {
    TPrintChooserCall call;
    call.KindCaption1 = QStringLiteral("设置单位收支明细报表(主从报表模版)");
    call.PrintIndex = objectName();
    // The day and month drill-downs share their templates.
    call.DataSetLine1 = IsDayLedger ? QStringLiteral("D,IntoOutMoneyAccountForm.Query")
                                    : QStringLiteral("D,IntoOutMoneyAccountForm.QyMonth");
    call.DataSetLine2 = "M," + objectName() + ".Query";
    call.ExcelReportName = QStringLiteral("单位收支明细报表");
    return call;
}

} // namespace kx::cashbook
