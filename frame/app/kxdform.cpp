#include "frame/app/kxdform.h"

#include "core/datamodule.h"
#include "core/messages.h"
#include "core/options.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "platform/db/updatesql.h"

#include <QFrame>
#include <QLayout>
#include <QToolButton>

namespace kx {
namespace {

const QString kNoRecords = QStringLiteral("没有数据记录");

void MoveToEnd(db::TDataSet* dataSet, bool last) {
    if (dataSet->IsEmpty()) {
        ShowPromptMessage(kNoRecords);
        return;
    }
    if (last)
        dataSet->Last();
    else
        dataSet->First();
}

void StepAndTell(db::TDataSet* dataSet, int step) {
    if (dataSet->IsEmpty()) {
        ShowPromptMessage(kNoRecords);
        return;
    }
    dataSet->MoveBy(step);
    if (dataSet->Bof())
        ShowPromptMessage(QStringLiteral("已到第一个纪录"));
    else if (dataSet->Eof())
        ShowPromptMessage(QStringLiteral("已到最后一个纪录"));
}

} // namespace

TKXDForm::TKXDForm(QWidget* owner)
    : TKXAppForm(owner), Panel1(new QFrame(this)), Query(new TKXQuery(this)),
      UpdateSQL1(new db::TUpdateSQL(this)), DS(new TKXDataSource(this)) {
    Panel1->setObjectName(QStringLiteral("Panel1"));
    layout()->addWidget(Panel1);
    resize(754, 473);
    setMinimumSize(754, 473);
    setMaximumSize(756, 478);

    Query->setObjectName(QStringLiteral("Query"));
    Query->SQL().SetText(QStringLiteral("SELECT  *  FROM  "));
    Query->SetCachedUpdates(true);
    Query->SetUpdateObject(UpdateSQL1);
    UpdateSQL1->setObjectName(QStringLiteral("UpdateSQL1"));
    DS->setObjectName(QStringLiteral("DS"));
    DS->SetDataSet(Query);
    DS->SetAutoEdit(false);
    DS->SetActiveColor(true);
    LinkButtons();

    button_save->setEnabled(false);
    button_cancel->setEnabled(false);
    button_check->setVisible(false);
    SetOnClick(button_add, [this](QObject* sender) { button_addClick(sender); });
    SetOnClick(button_edit, [this](QObject* sender) { button_editClick(sender); });
    SetOnClick(button_delete, [this](QObject* sender) { button_deleteClick(sender); });
    SetOnClick(button_cancel, [this](QObject* sender) { button_cancelClick(sender); });
    SetOnClick(button_First, [this](QObject* sender) { button_FirstClick(sender); });
    SetOnClick(button_Prior, [this](QObject* sender) { Button_PriorClick(sender); });
    SetOnClick(button_next, [this](QObject* sender) { Button_NextClick(sender); });
    SetOnClick(button_Last, [this](QObject* sender) { button_LastClick(sender); });
}

void TKXDForm::LinkButtons() {
    DS->ButtonAdd = button_add;
    DS->ButtonEdit = button_edit;
    DS->ButtonPrint = button_print;
    DS->ButtonCheck = button_check;
    DS->ButtonDelete = button_delete;
    DS->ButtonCancel = button_cancel;
    DS->ButtonSave = button_save;
    DS->ButtonFind = button_find;
    DS->ButtonPrior = button_Prior;
    DS->ButtonNext = button_next;
    DS->ButtonFirst = button_First;
    DS->ButtonLast = button_Last;
}

void TKXDForm::FormCreate() {
    TKXAppForm::FormCreate();
    Query->SetStatusEditValue(QStringLiteral("未审核"));
    Query->SqlType = urStandard;
    Query->SetDatabaseName(kDatabaseName);
    ActiveQuery = Query;
    NavigationDataSet = Query;
}

void TKXDForm::FormShow() {
    TKXAppForm::FormShow();
    EnableByRights();
    SetupQuery(Query);
    SetupDataSource(DS);
    DS->ApplyStateColors();
}

void TKXDForm::EnableByRights() {
    Rights = NamesProgram(ProgramGroupName, ProgramName) ? ReadRights() : UnnamedProgramRights();
    const TRightButtons enabled = RightButtonsOf(Rights);
    button_add->setEnabled(enabled.Add);
    button_edit->setEnabled(enabled.Edit);
    button_delete->setEnabled(enabled.Delete);
    if (NamesProgram(ProgramGroupName, ProgramName)) {
        button_print->setEnabled(enabled.Print);
        button_check->setEnabled(enabled.Check);
    }
}

void TKXDForm::FormClose(TCloseAction& action) {
    TKXAppForm::FormClose(action);
    action = TCloseAction::caFree;
}

bool TKXDForm::ActiveQueryOpen() const {
    return ActiveQuery && ActiveQuery->Active();
}

void TKXDForm::button_addClick(QObject* /*sender*/) {
    if (!ActiveQueryOpen())
        return;
    RefreshToday();
    ActiveQuery->AppendRecord();
    Adding = true;
    Editing = false;
    Checking = false;
}

void TKXDForm::button_editClick(QObject* /*sender*/) {
    if (!ActiveQueryOpen() || ActiveQuery->IsEmpty())
        return;
    RefreshToday();
    ActiveQuery->EditRecord();
    Adding = false;
    Editing = true;
    Checking = false;
}

void TKXDForm::button_deleteClick(QObject* /*sender*/) {
    if (ActiveQueryOpen() && !ActiveQuery->IsEmpty())
        ActiveQuery->DeleteRecord();
}

void TKXDForm::button_saveClick(QObject* sender) {
    TKXAppForm::button_saveClick(sender);
    if (!ActiveQueryOpen())
        return;
    if (ActiveQuery->State() == db::dsInsert || ActiveQuery->State() == db::dsEdit)
        ActiveQuery->PostRecord();
}

void TKXDForm::button_cancelClick(QObject* /*sender*/) {
    if (ActiveQueryOpen())
        ActiveQuery->CancelRecord();
}

void TKXDForm::button_FirstClick(QObject* /*sender*/) {
    if (NavigationDataSet)
        MoveToEnd(NavigationDataSet, false);
}

void TKXDForm::button_LastClick(QObject* /*sender*/) {
    if (NavigationDataSet)
        MoveToEnd(NavigationDataSet, true);
}

void TKXDForm::Button_PriorClick(QObject* /*sender*/) {
    if (NavigationDataSet)
        StepAndTell(NavigationDataSet, -1);
}

void TKXDForm::Button_NextClick(QObject* /*sender*/) {
    if (NavigationDataSet)
        StepAndTell(NavigationDataSet, 1);
}

void TKXDForm::button_checkClick(QObject* sender) {
    if (Query->IsEmpty())
        return;
    Adding = false;
    Editing = false;
    TKXAppForm::button_checkClick(sender);
}

} // namespace kx
