#include "tests/frame/app/samplemoneyform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/findformdialog.h"
#include "platform/db/updatesql.h"

#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

namespace kx::sample {
namespace {

const QStringList kColumns = {"MONEY_RECORD_ID", "MONEY_ID",          "MONEY_TYPE_ID",
                              "MONEY_DATE",      "MONEY_INTO_NUMBER", "MONEY_TEXT_NOTE",
                              "STATUS",          "VERIFY_NAME",       "VERIFY_DATE",
                              "CREATE_NAME",     "CREATE_DATE"};

TFieldsData Rule(const char* name, const char* label, const char* type) {
    TFieldsData rule;
    rule.FieldName = name;
    rule.DisplayLabel = label;
    rule.TypeCode = type;
    rule.FindKind = QStringLiteral("T");
    rule.Visible = true;
    return rule;
}

TInsertData AutoValue(const char* name, const char* kind, const QString& value) {
    TInsertData entry;
    entry.FieldName = name;
    entry.DisplayLabel = name;
    entry.Kind = kind;
    entry.Value = value;
    return entry;
}

void WriteUpdateStatements(db::TUpdateSQL* update) {
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : kColumns) {
        parameters.append(':' + column);
        assignments.append(column + " = :" + column + (column == kColumns.last() ? "" : ","));
    }
    const QString where = QStringLiteral("where MONEY_RECORD_ID = :OLD_MONEY_RECORD_ID");
    update->InsertSQL().SetLines({"insert into KX_INTO_OUT_MONEY_TABLE",
                                  "(" + kColumns.join(", ") + ")", "values",
                                  "(" + parameters.join(", ") + ")"});
    update->ModifySQL().SetLines(QStringList{"update KX_INTO_OUT_MONEY_TABLE", "set"} +
                                 assignments + QStringList{where});
    update->DeleteSQL().SetLines({"delete from KX_INTO_OUT_MONEY_TABLE", where});
}

} // namespace

TMoneyIntoOutForm::TMoneyIntoOutForm(QWidget* owner)
    : TKXDForm(owner), DBGrid(new TKXNDBGrid(Panel1)), MoneyIdEdit(new TKXDBEdit(Panel1)),
      NoteEdit(new TKXDBEdit(Panel1)), FindDialog(new TFindFormDialog(this)) {
    setWindowTitle(QStringLiteral("资金借贷记录录入编辑"));
    auto* layout = new QVBoxLayout(Panel1);
    layout->addWidget(MoneyIdEdit);
    layout->addWidget(NoteEdit);
    layout->addWidget(DBGrid, 1);
    MoneyIdEdit->setObjectName(QStringLiteral("MoneyIdEdit"));
    MoneyIdEdit->SetDataSource(DS);
    MoneyIdEdit->SetDataField(QStringLiteral("MONEY_ID"));
    NoteEdit->setObjectName(QStringLiteral("NoteEdit"));
    NoteEdit->SetDataSource(DS);
    NoteEdit->SetDataField(QStringLiteral("MONEY_TEXT_NOTE"));
    DBGrid->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid->SetDataSource(DS);
    DBGrid->FormName = kFormName;
    DBGrid->SetLayoutTable(QStringLiteral("SYS_MONEY_INTO_OUT_TABLE"));
    Query->SetDBNGride(DBGrid);
    Query->SetKXDS(DS);
    button_check->setVisible(true);
    SetOnClick(button_find, [this](QObject* sender) { button_findClick(sender); });
}

void TMoneyIntoOutForm::FormCreate() {
    TKXDForm::FormCreate();
    ProgramGroupName = QStringLiteral("出纳记账管理");
    ProgramName = QStringLiteral("资金借贷记录录入编辑");
    FieldsData = {Rule("MONEY_ID", "资金借贷编号", "C"), Rule("MONEY_DATE", "日期", "D"),
                  Rule("MONEY_INTO_NUMBER", "借入金额", "N"), Rule("MONEY_TEXT_NOTE", "摘要", "C"),
                  Rule("STATUS", "状态", "C")};
    FieldsData[0].Required = true;
    InsertData = {AutoValue("MONEY_RECORD_ID", "T", QString()),
                  AutoValue("STATUS", "A", QStringLiteral("未审核")),
                  AutoValue("CREATE_NAME", "A", AppUserName)};
    Query->SetFieldsData(FieldsData);
    Query->SetInsertData(InsertData);
    Query->SetTableName(QStringLiteral("KX_INTO_OUT_MONEY_TABLE"));
    Query->ActiveStatus = true;
    Query->ActiveControl = MoneyIdEdit->objectName();
    WriteUpdateStatements(UpdateSQL1);
    SelectText = QStringLiteral("SELECT * FROM KX_INTO_OUT_MONEY_TABLE");
    OrderByText = QStringLiteral(" ORDER BY MONEY_ID");
    FindDialog->SetFieldsData(FieldsData);
    DBGrid->UserID = AppUserId;
    DBGrid->DataBaseName = kDatabaseName;
    DBGrid->SetFieldsData(FieldsData);
}

void TMoneyIntoOutForm::FormShow() {
    TKXDForm::FormShow();
    OpenList();
}

void TMoneyIntoOutForm::OpenList() {
    Query->CloseQuery();
    Query->SQL().SetText(SelectText + (FindWhere.isEmpty() ? QString() : " WHERE " + FindWhere) +
                         OrderByText);
    Query->OpenQuery();
}

void TMoneyIntoOutForm::button_addClick(QObject* sender) {
    TKXDForm::button_addClick(sender);
    if (Adding)
        Query->FieldByName(QStringLiteral("MONEY_DATE"))->SetAsString(AppToday);
}

void TMoneyIntoOutForm::button_checkClick(QObject* sender) {
    TKXDForm::button_checkClick(sender);
    if (Checking)
        Query->SetVerifyStatus(QStringLiteral("已审核"));
}

void TMoneyIntoOutForm::button_findClick(QObject* /*sender*/) {
    if (!FindDialog->Execute())
        return;
    const QStringList conditions = FindDialog->GetConditionList();
    FindWhere = conditions.isEmpty() ? QString() : '(' + conditions.join(QString()) + ')';
    OpenList();
}

} // namespace kx::sample
