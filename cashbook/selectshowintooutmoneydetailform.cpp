#include "cashbook/selectshowintooutmoneydetailform.h"

#include "cashbook/drilldownrecords.h"

namespace kx::cashbook {

TSelectShowIntoOutMoneyDetailForm::TSelectShowIntoOutMoneyDetailForm(QWidget* owner)
    : TSelectShowIntoOutMoneyForm(owner, QStringLiteral("资金借贷明细显示窗口")) {
    setObjectName(QStringLiteral("SelectShowIntoOutMoneyDetailForm"));
}

void TSelectShowIntoOutMoneyDetailForm::LoadSubjectRecords() {
    if (!MasterHasRow()) {
        ShowRecords({}, {});
        return;
    }
    ShowRecords(SubjectRecordsCondition(MasterText(QStringLiteral("MONEY_TYPE_ID")), FindCondition),
                SubjectRecordsLabel(ConditionText, MasterText(QStringLiteral("MONEY_TYPE_NAME"))));
}

} // namespace kx::cashbook
