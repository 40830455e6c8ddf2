#include "frame/app/kxapppopform.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/controls/formimenames.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "platform/db/updatesql.h"

#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

TKXAppPopForm::TKXAppPopForm(QWidget* owner)
    : TKXFormEvents(owner), Panel400(new QFrame(this)), Panel2(new QFrame(Panel400)),
      Panel3(new QFrame(Panel400)), Panel1000(new QFrame(Panel400)),
      DBGrid(new TKXNDBGrid(Panel1000)), Query(new TKXQuery(this)),
      UpdateSQL1(new db::TUpdateSQL(this)), DS(new TKXDataSource(this)) {
    setFont(QFont(QStringLiteral("宋体"), 9));
    resize(553, 360);
    setMinimumWidth(553);
    setMaximumWidth(598);
    Panel400->setObjectName(QStringLiteral("Panel400"));
    Panel2->setObjectName(QStringLiteral("Panel2"));
    // Save takes the focus here so that a bound control writes its text first.
    Panel2->setFocusPolicy(Qt::StrongFocus);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel1000->setObjectName(QStringLiteral("Panel1000"));
    Panel1000->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* gridLayout = new QVBoxLayout(Panel1000);
    gridLayout->setContentsMargins(1, 1, 1, 1);
    gridLayout->addWidget(DBGrid);
    auto* barLayout = new QHBoxLayout(Panel2);
    barLayout->setContentsMargins(2, 2, 2, 2);
    barLayout->setSpacing(2);

    button_add = AddBarButton(Panel2, "button_add", QStringLiteral("新增[F5]"));
    button_delete = AddBarButton(Panel2, "button_delete", QStringLiteral("删除[F7]"));
    button_edit = AddBarButton(Panel2, "button_edit", QStringLiteral("编辑[F6]"));
    button_save = AddBarButton(Panel2, "button_save", QStringLiteral("保存[F8]"));
    button_cancel = AddBarButton(Panel2, "button_cancel", QStringLiteral("取消[F9]"));
    button_close = AddBarButton(Panel2, "button_close", QStringLiteral("关闭[F12]"));
    button_find = AddBarButton(Panel2, "button_find", QStringLiteral("查找[F10]"));
    Button_Print = AddBarButton(Panel2, "Button_Print", QStringLiteral("打印[F11]"));
    button_Ok = AddBarButton(Panel2, "button_Ok", QStringLiteral("确定[F3]"));
    button_save->setEnabled(false);
    button_cancel->setEnabled(false);

    auto* clientLayout = new QVBoxLayout(Panel400);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->addWidget(Panel3);
    clientLayout->addWidget(Panel1000, 1);
    clientLayout->addWidget(Panel2);
    auto* formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addWidget(Panel400);

    DBGrid->setObjectName(QStringLiteral("DBGrid"));
    DBGrid->SetDataSource(DS);
    DBGrid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                       dgRowSelect | dgAlwaysShowSelection | dgConfirmDelete | dgCancelOnExit);
    DBGrid->SetColWidthChange(false);
    Query->setObjectName(QStringLiteral("Query"));
    Query->SetCachedUpdates(true);
    Query->SetUpdateObject(UpdateSQL1);
    Query->SetDBNGride(DBGrid);
    Query->SetKXDS(DS);
    UpdateSQL1->setObjectName(QStringLiteral("UpdateSQL1"));
    DS->setObjectName(QStringLiteral("DS"));
    DS->SetDataSet(Query);
    DS->SetAutoEdit(false);
    DS->SetActiveColor(true);
    LinkButtons();

    SetOnClick(button_add, [this](QObject* sender) { button_addClick(sender); });
    SetOnClick(button_edit, [this](QObject* sender) { button_editClick(sender); });
    SetOnClick(button_delete, [this](QObject* sender) { button_deleteClick(sender); });
    SetOnClick(button_save, [this](QObject* sender) { button_saveClick(sender); });
    SetOnClick(button_cancel, [this](QObject* sender) { button_cancelClick(sender); });
    SetOnClick(button_close, [this](QObject* sender) { button_closeClick(sender); });
    SetOnClick(button_Ok, [this](QObject* sender) { button_OkClick(sender); });
}

void TKXAppPopForm::LinkButtons() {
    DS->Button_Add = button_add;
    DS->Button_Edit = button_edit;
    DS->Button_Delete = button_delete;
    DS->Button_Find = button_find;
    DS->Button_Print = Button_Print;
    DS->Button_Save = button_save;
    DS->Button_Cancel = button_cancel;
    DS->Button_Close = button_close;
}

void TKXAppPopForm::FormCreate() {
    TKXFormEvents::FormCreate();
    Rights.Add = true;
    AttachCompanion(*KXChild, Handlers());
    ApplyImeToForm(this, AppImeName);
    AppToday = QDate::currentDate().toString(Qt::ISODate);
}

void TKXAppPopForm::FormShow() {
    TKXFormEvents::FormShow();
    // The bar is as wide as the form allows: each button keeps its caption.
    FitBarCaptions(Panel2);
    if (NamesProgram(ProgramGroupName, ProgramName))
        KXChild->GetRights(ProgramGroupName, ProgramName, Rights, AppUserId);
    EnableByRights();
    SetupQuery(Query);
    SetupDataSource(DS);
    DS->ApplyStateColors();
    if (button_Ok->isEnabled() && button_Ok->isVisibleTo(this))
        button_Ok->setFocus();
    DBGrid->setFocus();
}

void TKXAppPopForm::EnableByRights() {
    const TRightButtons enabled = RightButtonsOf(Rights);
    button_add->setEnabled(enabled.Add);
    button_edit->setEnabled(enabled.Edit);
    button_delete->setEnabled(enabled.Delete);
    Button_Print->setEnabled(enabled.Print);
}

void TKXAppPopForm::SetupQuery(TKXQuery* query) {
    query->YearMonthPrefix = YearMonthPrefixOf(AppToday);
    query->UserName = AppUserName;
    query->Today = AppToday;
    query->ColorOnFocus = AppFocusColor;
    query->SqlType = urStandard;
}

void TKXAppPopForm::SetupDataSource(TKXDataSource* dataSource) {
    dataSource->HookStateChange();
    dataSource->RightAdd = Rights.Add;
    dataSource->RightEdit = Rights.Add;
    dataSource->RightDelete = Rights.Add;
    dataSource->RightPrint = Rights.Print;
    dataSource->RightCheck = Rights.Verify;
    const TRightButtons enabled = RightButtonsOf(Rights);
    button_add->setEnabled(enabled.Add);
    button_edit->setEnabled(enabled.Edit);
    button_delete->setEnabled(enabled.Delete);
    dataSource->ApplyRights();
    dataSource->SetEditColor(AppEditColor);
    dataSource->SetBrowseColor(AppBrowseColor);
    dataSource->SetColorOnFocus(AppFocusColor);
}

bool TKXAppPopForm::Editing() const {
    return Query->State() == db::dsInsert || Query->State() == db::dsEdit;
}

void TKXAppPopForm::FormCloseQuery(bool& canClose) {
    TKXFormEvents::FormCloseQuery(canClose);
    if (!canClose || !Editing())
        return;
    ShowPromptMessage(QStringLiteral("必须先保存或取消新增的数据或修改后的数据"));
    canClose = false;
}

void TKXAppPopForm::FormClose(TCloseAction& action) {
    TKXFormEvents::FormClose(action);
    action = TCloseAction::caHide;
}

void TKXAppPopForm::FormKeyDown(int& key, ui::TShiftState shift) {
    TKXFormEvents::FormKeyDown(key, shift);
    const QString name = FunctionKeyButton(TFormKind::PopList, key);
    if (!name.isEmpty() && ClickByKey(findChild<QAbstractButton*>(name)))
        key = 0;
}

void TKXAppPopForm::button_addClick(QObject* /*sender*/) {
    if (Query->Active())
        Query->AppendRecord();
}

void TKXAppPopForm::button_editClick(QObject* /*sender*/) {
    if (Query->Active() && !Query->IsEmpty())
        Query->EditRecord();
}

void TKXAppPopForm::button_deleteClick(QObject* /*sender*/) {
    if (Query->Active() && !Query->IsEmpty())
        Query->DeleteRecord();
}

void TKXAppPopForm::button_saveClick(QObject* /*sender*/) {
    Panel2->setFocus();
    if (Editing())
        Query->PostRecord();
}

void TKXAppPopForm::button_cancelClick(QObject* /*sender*/) {
    if (Query->Active())
        Query->CancelRecord();
}

void TKXAppPopForm::button_closeClick(QObject* /*sender*/) {
    CloseWith(QDialog::Rejected);
}

void TKXAppPopForm::button_OkClick(QObject* /*sender*/) {
    if (!Query->Active() || Query->IsEmpty()) {
        ShowPromptMessage(QStringLiteral("必须选择一个记录"));
        return;
    }
    CloseWith(QDialog::Accepted);
}

} // namespace kx
