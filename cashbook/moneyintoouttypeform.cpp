#include "cashbook/moneyintoouttypeform.h"

#include "cashbook/cashbooktables.h"
#include "frame/controls/kxdbcombobox.h"
#include "frame/controls/kxdbedit.h"

namespace kx::cashbook {
namespace {

TCodeTreeWindow SubjectWindow() {
    return {&SubjectTreeRules(),
            QStringLiteral("MONEY_TYPE_NAME"),
            QStringLiteral("借贷科目"),
            QStringLiteral("资金借贷科目录入编辑"),
            QStringLiteral("请先删除该借贷科目的下级借贷科目"),
            {"MONEY_TYPE_ID", "PRIOR_ID", "MONEY_TYPE_NAME", "ORDER_ID", "CASH_FLOWS", "NOTE",
             "CREATE_NAME", "EDIT_NAME", "CREATE_DATE", "EDIT_DATE"}};
}

} // namespace

TMoneyIntoOutTypeForm::TMoneyIntoOutTypeForm(QWidget* owner)
    : TCodeTreeForm(owner, SubjectWindow()) {
    setWindowTitle(QStringLiteral("资金借贷科目录入编辑窗口"));
    KXDBEdit1 = AddInput<TKXDBEdit>(QStringLiteral("借贷科目"), QStringLiteral("MONEY_TYPE_NAME"));
    NameEdit = KXDBEdit1;
    KXDBEdit2 = AddInput<TKXDBEdit>(QStringLiteral("备注"), QStringLiteral("NOTE"));
    KXDBEdit3 = AddInput<TKXDBEdit>(QStringLiteral("序号"), QStringLiteral("ORDER_ID"));
    KXDBComboBox1 =
        AddInput<TKXDBComboBox>(QStringLiteral("现金流量表项目"), QStringLiteral("CASH_FLOWS"));
    KXDBComboBox1->SetStyle(csDropDownList);
    KXDBComboBox1->addItems(kCashFlowItems);
    AddAuditInputs();
}

void TMoneyIntoOutTypeForm::FormCreate() {
    FieldsData = {
        Field("ORDER_ID", "纪录编号", "C"),        Field("MONEY_TYPE_ID", "纪录编号", "C"),
        Field("MONEY_TYPE_NAME", "账款类别", "C"), Field("NOTE", "备注", "C"),
        Field("CREATE_NAME", "建档人员", "C"),     Field("CREATE_DATE", "建档日期", "D"),
        Field("EDIT_NAME", "修改人员", "C"),       Field("EDIT_DATE", "修改日期", "D")};
    FieldsData[0].Required = true;
    FieldsData[2].Required = true;
    FieldsData[2].FindKind = QStringLiteral("T");
    const QString select =
        QStringLiteral("SELECT MONEY_TYPE_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE ");
    CheckData = {DuplicateCheck(select, {"PRIOR_ID", "ORDER_ID"}, "序号重复", KXDBEdit3),
                 DuplicateCheck(select, {"MONEY_TYPE_ID"}, "纪录编号重复", nullptr)};
    TCodeTreeForm::FormCreate();
}

} // namespace kx::cashbook
