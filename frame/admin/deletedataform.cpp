#include "frame/admin/deletedataform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/admin/kxpacktable.h"
#include "frame/admin/yearform.h"
#include "frame/controls/kxedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/controls/radiogroup.h"
#include "frame/dialogs/kxthread.h"
#include "frame/dialogs/selectform.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/ui/application.h"

#include <QPushButton>

#include <algorithm>

namespace kx {
namespace {

const QStringList kOptions = {
    QStringLiteral("删除等于指定年份的借贷记录和台帐资料"),
    QStringLiteral("删除指定资金账号的借贷记录和台帐资料"),
    QStringLiteral("删除全部员工资料"),
    QStringLiteral("删除全部数据资料"),
};

} // namespace

TDeleteDataForm::TDeleteDataForm(QWidget* owner)
    : TKXBaseForm(owner), RadioGroup1(new TRadioGroup(this)),
      SureButton(new QPushButton(QStringLiteral("确定"), this)),
      CloseButton(new QPushButton(QStringLiteral("关闭"), this)), KXThread(new TKXThread(this)) {
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("数据删除选择窗口"));
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    for (const QString& option : kOptions)
        RadioGroup1->AddItem(option);
    // The group grows, and the window with it, until every choice has the
    // height of its text in the installed font.
    const int grown = std::max(0, RadioGroup1->minimumSizeHint().height() - 132);
    setFixedSize(368, 201 + grown);
    RadioGroup1->setGeometry(16, 12, 336, 132 + grown);
    SureButton->setObjectName(QStringLiteral("SureButton"));
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    SureButton->setGeometry(88, 160 + grown, 81, 25);
    CloseButton->setGeometry(200, 160 + grown, 81, 25);
    SureButton->setAutoDefault(false);
    CloseButton->setAutoDefault(false);
    SetOnClick(SureButton, [this](QObject*) { SureButtonClick(); });
    SetOnClick(CloseButton, [this](QObject*) { close(); });
    KXThread->SetKind(TOptionKind::crDelete);
    KXThread->SetCaption(QStringLiteral("正在删除数据....."));
    PackTables = [] {
        TKXPackTable packer;
        packer.DataBase = DM->MainDatabase;
        packer.PackAll();
    };
}

void TDeleteDataForm::FormCreate() {
    TKXBaseForm::FormCreate();
    ProgramGroupName = QStringLiteral("系统管理");
    ProgramName = QStringLiteral("过时数据删除");
}

void TDeleteDataForm::FormShow() {
    TKXBaseForm::FormShow();
    Rights = ReadRights();
    RadioGroup1->setEnabled(Rights.Add);
    // Packing needs every data set closed and the connection kept.
    DM->MainDatabase->CloseDataSets();
    keptConnection_ = DM->MainDatabase->KeepConnection();
    DM->MainDatabase->SetKeepConnection(true);
}

void TDeleteDataForm::FormDestroy() {
    TKXBaseForm::FormDestroy();
    if (DM)
        DM->MainDatabase->SetKeepConnection(keptConnection_);
}

void TDeleteDataForm::FormKeyDown(int& key, ui::TShiftState shift) {
    TKXBaseForm::FormKeyDown(key, shift);
    if (key == Qt::Key_Escape && ClickByKey(SureButton))
        key = 0;
}

void TDeleteDataForm::SureButtonClick() {
    switch (RadioGroup1->ItemIndex()) {
    case 0:
        DeleteYear();
        break;
    case 1:
        DeleteAccount();
        break;
    case 2:
        DeleteAfterQuestion(TDeleteOption::Employees, QStringLiteral("是否删除全部员工资料"));
        break;
    case 3:
        DeleteAfterQuestion(TDeleteOption::AllData, QStringLiteral("是否删除全部数据库资料"));
        break;
    default:
        ShowPromptMessageTo(nullptr, QStringLiteral("必须选择一个删除选项"));
        break;
    }
}

void TDeleteDataForm::DeleteYear() {
    if (!YearForm)
        YearForm = new TYearForm(this);
    ForceForegroundFocus(YearForm);
    if (ui::ExecModal(*YearForm) != QDialog::Accepted)
        return;
    RunStatements(DeletionStatements(TDeleteOption::Year, YearForm->YearEdit->text()));
}

void TDeleteDataForm::DeleteAccount() {
    QString accountId;
    {
        TSelectForm picker(this);
        picker.DBGrid->SetColor(AppEditColor);
        picker.Query_Select->SetDatabaseName(kDatabaseName);
        picker.Query_Select->SQL().SetText(
            QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_ACCOUNT_NAME,ORDER_ID FROM "
                           "KX_MONEY_ACCOUNT_TABLE  ORDER BY ORDER_ID"));
        picker.Query_Select->Open();
        if (picker.Query_Select->IsEmpty()) {
            ShowPromptMessage(QStringLiteral("资金账号数据库中找不到符合查找条件的资金账号资料"));
            return;
        }
        picker.Query_Select->Fields()[1]->SetDisplayLabel(QStringLiteral("资金账号"));
        picker.Query_Select->Fields()[0]->SetVisible(false);
        if (ui::ExecModal(picker) != QDialog::Accepted)
            return;
        accountId =
            picker.Query_Select->FieldByName(QStringLiteral("MONEY_ACCOUNT_ID"))->AsString();
    }
    RunStatements(DeletionStatements(TDeleteOption::Account, accountId));
}

void TDeleteDataForm::DeleteAfterQuestion(TDeleteOption option, const QString& question) {
    if (ShowConfirmMessage(question))
        RunStatements(DeletionStatements(option));
}

void TDeleteDataForm::RunStatements(const QStringList& statements) {
    KXThread->Start();
    const bool deleted = RunDeletion(
        *DM->MainDatabase, statements,
        [](const QString& sql) { return ExecSqlText(kDatabaseName, sql); }, PackTables);
    KXThread->Stop();
    if (deleted)
        ShowPromptMessageTo(nullptr, QStringLiteral("数据成功删除"));
    else
        ShowErrorMessageTo(nullptr, QStringLiteral("数据删除过程发生错误"));
}

} // namespace kx

#include "moc_deletedataform.cpp"
