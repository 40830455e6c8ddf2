#include "cashbook/moneyaccountform.h"

#include "frame/controls/kxdbcombobox.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"

namespace kx::cashbook {
namespace {

constexpr int kAmountLength = 16;

TCodeTreeWindow AccountWindow() {
    return {&AccountTreeRules(),
            QStringLiteral("MONEY_ACCOUNT_NAME"),
            QStringLiteral("资金账号"),
            QStringLiteral("资金账号录入编辑"),
            QStringLiteral("请先删除该资金账号的下级资金账号"),
            {"MONEY_ACCOUNT_ID", "PRIOR_ID", "MONEY_ACCOUNT_NAME", "ORDER_ID", "MONEY_ACCOUNT_TYPE",
             "START_MONEY_ACCOUNT_DATE", "START_MONEY_ACCOUNT", "START_MONEY_ACCOUNT_INTO",
             "START_MONEY_ACCOUNT_OUT", "NOTE", "CREATE_NAME", "EDIT_NAME", "CREATE_DATE",
             "EDIT_DATE"}};
}

} // namespace

TMoneyAccountForm::TMoneyAccountForm(QWidget* owner) : TCodeTreeForm(owner, AccountWindow()) {
    setWindowTitle(QStringLiteral("资金账号录入编辑窗口"));
    KXDBEdit5 =
        AddInput<TKXDBEdit>(QStringLiteral("账号名称"), QStringLiteral("MONEY_ACCOUNT_NAME"));
    NameEdit = KXDBEdit5;
    KXDBComboBox1 =
        AddInput<TKXDBComboBox>(QStringLiteral("账号类别"), QStringLiteral("MONEY_ACCOUNT_TYPE"));
    KXDBComboBox1->SetStyle(csDropDownList);
    KXDBComboBox1->addItems({QStringLiteral("现金账"), QStringLiteral("银行账")});
    KXDBEdit3 = AddInput<TKXDBEdit>(QStringLiteral("序号"), QStringLiteral("ORDER_ID"));
    KXDBComboEdit1 = AddInput<TKXDBComboEdit>(QStringLiteral("启用日期"),
                                              QStringLiteral("START_MONEY_ACCOUNT_DATE"));
    KXDBEdit1 =
        AddInput<TKXDBEdit>(QStringLiteral("启动期初余额"), QStringLiteral("START_MONEY_ACCOUNT"));
    KXDBEdit2 = AddInput<TKXDBEdit>(QStringLiteral("期初借方累计"),
                                    QStringLiteral("START_MONEY_ACCOUNT_INTO"));
    KXDBEdit4 = AddInput<TKXDBEdit>(QStringLiteral("期初贷方累计"),
                                    QStringLiteral("START_MONEY_ACCOUNT_OUT"));
    for (TKXDBEdit* amount : {KXDBEdit1, KXDBEdit2, KXDBEdit4})
        amount->setMaxLength(kAmountLength);
    KXDBEdit6 = AddInput<TKXDBEdit>(QStringLiteral("备注"), QStringLiteral("NOTE"));
    AddAuditInputs();
}

void TMoneyAccountForm::FormCreate() {
    FieldsData = {
        Field("ORDER_ID", "纪录编号", "C"),           Field("MONEY_ACCOUNT_ID", "资金账号", "C"),
        Field("MONEY_ACCOUNT_NAME", "资金账号", "C"), Field("NOTE", "备注", "C"),
        Field("CREATE_NAME", "建档人员", "C"),        Field("CREATE_DATE", "建档日期", "D"),
        Field("EDIT_NAME", "修改人员", "C"),          Field("EDIT_DATE", "修改日期", "D")};
    FieldsData[0].Required = true;
    FieldsData[2].Required = true;
    FieldsData[2].FindKind = QStringLiteral("T");
    const QString select =
        QStringLiteral("SELECT MONEY_ACCOUNT_ID FROM KX_MONEY_ACCOUNT_TABLE WHERE ");
    CheckData = {DuplicateCheck(select, {"PRIOR_ID", "ORDER_ID"}, "序号重复", KXDBEdit3),
                 DuplicateCheck(select, {"MONEY_ACCOUNT_ID"}, "纪录编号重复", nullptr),
                 DuplicateCheck("SELECT MONEY_ACCOUNT_NAME FROM KX_MONEY_ACCOUNT_TABLE WHERE ",
                                {"MONEY_ACCOUNT_NAME"}, "资金账号名称重复", KXDBEdit5)};
    TCodeTreeForm::FormCreate();
}

} // namespace kx::cashbook
