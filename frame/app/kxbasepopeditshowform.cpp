#include "frame/app/kxbasepopeditshowform.h"

#include "core/messages.h"
#include "core/options.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

TKXBasePopEditShowForm::TKXBasePopEditShowForm(QWidget* owner)
    : TKXBaseForm(owner), Panel1(new QFrame(this)), Panel2(new QFrame(this)),
      DS(new TKXDataSource(this)) {
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(726, 365);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel2->setObjectName(QStringLiteral("Panel2"));
    // Save takes the focus here so that the control being typed in writes
    // its text to the field first.
    Panel2->setFocusPolicy(Qt::StrongFocus);
    auto* barLayout = new QHBoxLayout(Panel2);
    barLayout->setContentsMargins(2, 2, 2, 2);
    barLayout->setSpacing(2);

    Button_add = AddBarButton(Panel2, "Button_add", QStringLiteral("增加[F5]"));
    button_edit = AddBarButton(Panel2, "button_edit", QStringLiteral("编辑[F6]"));
    button_delete = AddBarButton(Panel2, "button_delete", QStringLiteral("删除[F7]"));
    button_save = AddBarButton(Panel2, "button_save", QStringLiteral("保存[F8]"));
    button_cancel = AddBarButton(Panel2, "button_cancel", QStringLiteral("取消[F9]"));
    Button_Print = AddBarButton(Panel2, "Button_Print", QStringLiteral("打印[F11]"));
    button_Ok = AddBarButton(Panel2, "button_Ok", QStringLiteral("确定[F3]"));
    button_close = AddBarButton(Panel2, "button_close", QStringLiteral("关闭[F12]"));
    button1_first = AddBarButton(Panel2, "button1_first", QStringLiteral("首条"));
    button1_prior = AddBarButton(Panel2, "button1_prior", QStringLiteral("前条"));
    button1_next = AddBarButton(Panel2, "button1_next", QStringLiteral("下条"));
    button1_last = AddBarButton(Panel2, "button1_last", QStringLiteral("末条"));
    button_save->setEnabled(false);
    button_cancel->setEnabled(false);

    auto* formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addWidget(Panel1, 1);
    formLayout->addWidget(Panel2);

    DS->setObjectName(QStringLiteral("DS"));
    DS->SetAutoEdit(false);
    DS->SetActiveColor(true);
    LinkButtons();

    SetOnClick(Button_add, [this](QObject* sender) { Button_addClick(sender); });
    SetOnClick(button_edit, [this](QObject* sender) { button_editClick(sender); });
    SetOnClick(button_delete, [this](QObject* sender) { button_deleteClick(sender); });
    SetOnClick(button_save, [this](QObject* sender) { button_saveClick(sender); });
    SetOnClick(button_cancel, [this](QObject* sender) { button_cancelClick(sender); });
    SetOnClick(button_Ok, [this](QObject* sender) { button_OkClick(sender); });
    SetOnClick(button_close, [this](QObject* sender) { button_closeClick(sender); });
    SetOnClick(button1_first, [this](QObject* sender) { button1_firstClick(sender); });
    SetOnClick(button1_prior, [this](QObject* sender) { button1_priorClick(sender); });
    SetOnClick(button1_next, [this](QObject* sender) { button1_nextClick(sender); });
    SetOnClick(button1_last, [this](QObject* sender) { button1_lastClick(sender); });
}

void TKXBasePopEditShowForm::LinkButtons() {
    DS->Button_Add = Button_add;
    DS->Button_Edit = button_edit;
    DS->Button_Delete = button_delete;
    // The find link points at the add button; the rights pass runs after the
    // state pass, so add still follows the add right.
    DS->Button_Find = Button_add;
    DS->Button_Print = Button_Print;
    DS->Button_Save = button_save;
    DS->Button_Cancel = button_cancel;
    DS->Button_Close = button_close;
    DS->Button_Prior = button1_prior;
    DS->Button_Next = button1_next;
    DS->Button_First = button1_first;
    DS->Button_Last = button1_last;
}

void TKXBasePopEditShowForm::FormShow() {
    TKXBaseForm::FormShow();
    // The bar is as wide as the form allows: each button keeps its caption.
    FitBarCaptions(Panel2);
    if (NamesProgram(ProgramGroupName, ProgramName))
        Rights = ReadRights();
    const TRightButtons enabled = RightButtonsOf(Rights);
    Button_add->setEnabled(enabled.Add);
    button_edit->setEnabled(enabled.Edit);
    button_delete->setEnabled(enabled.Delete);
    Button_Print->setEnabled(enabled.Print);
    DS->SetDataSet(ListQuery);
    SetupDataSource(DS);
    DS->ApplyStateColors();
}

bool TKXBasePopEditShowForm::ListOpen() const {
    return ListQuery && ListQuery->Active();
}

bool TKXBasePopEditShowForm::ListEditing() const {
    return ListQuery && (ListQuery->State() == db::dsInsert || ListQuery->State() == db::dsEdit);
}

bool TKXBasePopEditShowForm::ListHasRows() const {
    return ListOpen() && !ListQuery->IsEmpty();
}

void TKXBasePopEditShowForm::FormActivate() {
    TKXBaseForm::FormActivate();
    if (ListEditing() && !button_save->isEnabled())
        ListQuery->CancelRecord();
}

void TKXBasePopEditShowForm::FormCloseQuery(bool& canClose) {
    TKXBaseForm::FormCloseQuery(canClose);
    if (!canClose || !ListEditing())
        return;
    ShowPromptMessage(QStringLiteral("必须先按“保存”或“取消”按钮后才能关闭窗口"));
    canClose = false;
}

void TKXBasePopEditShowForm::FormClose(TCloseAction& action) {
    TKXBaseForm::FormClose(action);
    action = TCloseAction::caHide;
}

void TKXBasePopEditShowForm::FormKeyDown(int& key, ui::TShiftState shift) {
    TKXBaseForm::FormKeyDown(key, shift);
    const QString name = FunctionKeyButton(TFormKind::PopEditor, key);
    if (!name.isEmpty() && ClickByKey(findChild<QAbstractButton*>(name)))
        key = 0;
}

void TKXBasePopEditShowForm::Button_addClick(QObject* /*sender*/) {
    if (!ListOpen())
        return;
    RefreshToday();
    ListQuery->AppendRecord();
    Adding = true;
}

void TKXBasePopEditShowForm::button_editClick(QObject* /*sender*/) {
    if (!ListHasRows())
        return;
    RefreshToday();
    ListQuery->EditRecord();
}

void TKXBasePopEditShowForm::button_deleteClick(QObject* /*sender*/) {
    if (ListHasRows())
        ListQuery->DeleteRecord();
}

void TKXBasePopEditShowForm::button_saveClick(QObject* /*sender*/) {
    Panel2->setFocus();
    if (ListEditing() && ListOpen())
        ListQuery->PostRecord();
}

void TKXBasePopEditShowForm::button_cancelClick(QObject* /*sender*/) {
    if (ListOpen())
        ListQuery->CancelRecord();
}

void TKXBasePopEditShowForm::button_OkClick(QObject* /*sender*/) {
    if (!ListHasRows()) {
        ShowPromptMessage(QStringLiteral("必须选择一个记录"));
        return;
    }
    CloseWith(QDialog::Accepted);
}

void TKXBasePopEditShowForm::button_closeClick(QObject* /*sender*/) {
    CloseWith(QDialog::Rejected);
}

void TKXBasePopEditShowForm::button1_firstClick(QObject* /*sender*/) {
    if (ListHasRows())
        ListQuery->First();
}

void TKXBasePopEditShowForm::button1_lastClick(QObject* /*sender*/) {
    if (ListHasRows())
        ListQuery->Last();
}

void TKXBasePopEditShowForm::button1_priorClick(QObject* /*sender*/) {
    if (!ListHasRows())
        return;
    ListQuery->Prior();
    if (ListQuery->Bof())
        ShowPromptMessage(QStringLiteral("已到第一个纪录"));
}

void TKXBasePopEditShowForm::button1_nextClick(QObject* /*sender*/) {
    if (!ListHasRows())
        return;
    ListQuery->Next();
    if (ListQuery->Eof())
        ShowPromptMessage(QStringLiteral("已到最后一个纪录"));
}

} // namespace kx
