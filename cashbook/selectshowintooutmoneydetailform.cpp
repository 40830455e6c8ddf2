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

TPrintChooserCall TSelectShowIntoOutMoneyDetailForm::PrintCall() const {
    TPrintChooserCall call;
    call.KindCaption1 = QStringLiteral("设置资金借贷明细报表(主从报表模版)");
    call.PrintIndex = objectName();
    call.DataSetLine1 = QStringLiteral("D,MoneyIntoOutQueryForm.Query");
    call.DataSetLine2 = "M," + objectName() + ".Query";
    call.ExcelReportName = QStringLiteral("资金借贷明细报表");
    return call;
}

} // namespace kx::cashbook
