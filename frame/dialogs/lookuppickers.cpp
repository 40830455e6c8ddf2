#include "frame/dialogs/lookuppickers.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/dialogs/codelistsql.h"
#include "frame/dialogs/selectform.h"
#include "grid/dbgrid/columnx.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/ui/application.h"

namespace kx {
namespace {

void PickEmployeeText(int n, QString& Text, QString& Code, const QString& Caption) {
    PickTextValue(QStringLiteral("EMPLOYEE_TEXT_FIELD%1").arg(n),
                  QStringLiteral("KX_EMPLOYEE_TEXT_FIELD%1_TABLE").arg(n), Text, Code, Caption);
}

void PickMoneyText(int n, QString& Text, QString& Code, const QString& Caption) {
    PickTextValue(QStringLiteral("MONEY_TEXT_FIELD%1").arg(n),
                  QStringLiteral("KX_MONEY_TEXT_FIELD%1_TABLE").arg(n), Text, Code, Caption);
}

void OpenPicker(TSelectForm& form, const QString& sql) {
    form.DBGrid->SetColor(AppEditColor);
    form.Query_Select->SetDatabaseName(kDatabaseName);
    form.Query_Select->SQL().SetText(sql);
    form.Query_Select->Open();
}

} // namespace

void PickTextValue(const QString& column, const QString& table, QString& Text, QString& Code,
                   const QString& Caption) {
    TSelectForm form;
    OpenPicker(form, PickTextValueSql(column, table, Text));
    form.Query_Select->Fields()[0]->SetDisplayLabel(Caption);
    if (form.Query_Select->IsEmpty()) {
        ShowPromptMessage("不能找到符合查找条件的" + Caption);
        return;
    }
    ForceForegroundFocus(&form);
    if (ui::ExecModal(form) != QDialog::Accepted)
        return;
    Code = QStringLiteral("0");
    Text = form.Query_Select->FieldByName(column)->AsString();
}

bool SelectMoneyAccount(QString& Name, QString& AccountId) {
    TSelectForm form;
    OpenPicker(form, QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_ACCOUNT_NAME,ORDER_ID FROM "
                                    "KX_MONEY_ACCOUNT_TABLE ORDER BY ORDER_ID"));
    form.Query_Select->Fields()[1]->SetDisplayLabel(QStringLiteral("资金账号"));
    if (form.DBGrid->Columns()->Count() > 0)
        form.DBGrid->Columns()->GetColumn(0)->SetVisible(false);
    if (form.Query_Select->IsEmpty()) {
        ShowPromptMessage(QStringLiteral("资金账号数据库中找不到符合查找条件的资金账号资料"));
        return true;
    }
    if (ui::ExecModal(form) != QDialog::Accepted)
        return true;
    Name = form.Query_Select->FieldByName(QStringLiteral("MONEY_ACCOUNT_NAME"))->AsString();
    AccountId = form.Query_Select->FieldByName(QStringLiteral("MONEY_ACCOUNT_ID"))->AsString();
    return false;
}

void PickEmployeeTextValue1(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(1, Text, Code, Caption);
}

void PickEmployeeTextValue2(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(2, Text, Code, Caption);
}

void PickEmployeeTextValue3(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(3, Text, Code, Caption);
}

void PickEmployeeTextValue4(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(4, Text, Code, Caption);
}

void PickEmployeeTextValue5(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(5, Text, Code, Caption);
}

void PickEmployeeTextValue6(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(6, Text, Code, Caption);
}

void PickEmployeeTextValue7(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(7, Text, Code, Caption);
}

void PickEmployeeTextValue8(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(8, Text, Code, Caption);
}

void PickEmployeeTextValue9(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(9, Text, Code, Caption);
}

void PickEmployeeTextValue10(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(10, Text, Code, Caption);
}

void PickEmployeeTextValue11(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(11, Text, Code, Caption);
}

void PickEmployeeTextValue12(QString& Text, QString& Code, const QString& Caption) {
    PickEmployeeText(12, Text, Code, Caption);
}

void PickMoneyTextValue1(QString& Text, QString& Code, const QString& Caption) {
    PickMoneyText(1, Text, Code, Caption);
}

void PickMoneyTextValue2(QString& Text, QString& Code, const QString& Caption) {
    PickMoneyText(2, Text, Code, Caption);
}

void PickMoneyTextValue3(QString& Text, QString& Code, const QString& Caption) {
    PickMoneyText(3, Text, Code, Caption);
}

void PickMoneyTextValue4(QString& Text, QString& Code, const QString& Caption) {
    PickMoneyText(4, Text, Code, Caption);
}

void PickMoneyTextValue5(QString& Text, QString& Code, const QString& Caption) {
    PickMoneyText(5, Text, Code, Caption);
}

void PickMoneyTextValue6(QString& Text, QString& Code, const QString& Caption) {
    PickMoneyText(6, Text, Code, Caption);
}

void PickMoneyTextValue7(QString& Text, QString& Code, const QString& Caption) {
    PickMoneyText(7, Text, Code, Caption);
}

} // namespace kx
