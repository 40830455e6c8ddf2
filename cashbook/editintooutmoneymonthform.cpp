#include "cashbook/editintooutmoneymonthform.h"

#include "core/messages.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxedit.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/selectmonthform.h"
#include "platform/ui/application.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kx::cashbook {
namespace {

constexpr int kHeaderWidth = 768;

} // namespace

TEditIntoOutMoneyMonthForm::TEditIntoOutMoneyMonthForm(QWidget* owner)
    : TLedgerEntryForm(owner, TLedgerView::Month) {
    setWindowTitle(QStringLiteral("资金账号月结账录入编辑窗口"));
    resize(790, 380);
    HeaderWidth = kHeaderWidth;
    KXDBComboEdit8 = new TKXDBComboEdit(Panel1);
    KXDBComboEdit8->setObjectName(QStringLiteral("MONEY_MONTH"));
    KXDBComboEdit8->SetDataSource(DS);
    KXDBComboEdit8->SetDataField(QStringLiteral("MONEY_MONTH"));
    KXDBComboEdit8->SetButtonWidth(19);
    KXDBComboEdit8->setStyleSheet(QStringLiteral("color: blue"));
    KXDBComboEdit8->OnButtonClick = [this](QObject*) { KXDBComboEdit8ButtonClick(); };
    AddInput(QStringLiteral("月结年月"), KXDBComboEdit8);
    Panel1->findChild<QLabel*>(QStringLiteral("MONEY_MONTHLabel"))
        ->setStyleSheet(QStringLiteral("color: blue"));
    PeriodBox = KXDBComboEdit8;
    EndRow();
    KXDBComboEdit1 = AddDateBox(QStringLiteral("起始日期"), QStringLiteral("MONEY_START_DATE"));
    KXDBComboEdit2 = AddDateBox(QStringLiteral("终止日期"), QStringLiteral("MONEY_END_DATE"));
    for (TKXDBComboEdit* box : {KXDBComboEdit1, KXDBComboEdit2})
        box->SetEditType(etDate);
    AddAmountsAndNote();
    auto* note = new QLabel(
        QStringLiteral("起始日期和终止日期是指资金账号的借贷记录的帐款日期的起始和终止日期范围"),
        Panel1);
    note->setObjectName(QStringLiteral("Label9"));
    note->setStyleSheet(QStringLiteral("color: red"));
    InputLayout->addWidget(note);
    InputLayout->addStretch(1);
    InputLayout->addWidget(Panel3);
}

void TEditIntoOutMoneyMonthForm::KXDBComboEdit8ButtonClick() {
    if (!RowEditing() || !MonthPicker)
        return;
    MonthPicker->MonthText = ListQuery->FieldByName(QStringLiteral("MONEY_MONTH"))->AsString();
    ForceForegroundFocus(MonthPicker);
    if (ui::ExecModal(*MonthPicker) == QDialog::Accepted)
        ListQuery->FieldByName(QStringLiteral("MONEY_MONTH"))
            ->SetAsString(
                PickedMonthText(MonthPicker->YearEdit->text(), MonthPicker->MonthEdit->text()));
}

} // namespace kx::cashbook
