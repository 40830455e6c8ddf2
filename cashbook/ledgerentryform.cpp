#include "cashbook/ledgerentryform.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/selectmoneyaccountrootform.h"
#include "cashbook/setstatusform.h"
#include "core/appstate.h"
#include "core/messages.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/dateform.h"
#include "platform/ui/application.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx::cashbook {
namespace {

constexpr int kAmountLength = 12;
constexpr int kButtonWidth = 19;

} // namespace

TLedgerEntryForm::TLedgerEntryForm(QWidget* owner, TLedgerView view)
    : TKXBasePopEditShowForm(owner), Label24(new QLabel), Panel3(new QLabel),
      InputLayout(new QVBoxLayout(Panel1)), view_(view), inputs_(new QGridLayout) {
    auto* topBar = new QFrame(Panel1);
    topBar->setObjectName(QStringLiteral("Panel4"));
    topBar->setFrameShape(QFrame::StyledPanel);
    auto* topLayout = new QHBoxLayout(topBar);
    topLayout->addWidget(Label24, 0, Qt::AlignCenter);
    Label24->setObjectName(QStringLiteral("Label24"));
    Label24->setAlignment(Qt::AlignCenter);
    QFont headerFont = Label24->font();
    headerFont.setPointSize(headerFont.pointSize() + 3);
    headerFont.setBold(true);
    Label24->setFont(headerFont);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setAlignment(Qt::AlignCenter);
    Panel3->setAutoFillBackground(true);
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Sunken);
    Panel3->setMinimumHeight(24);
    InputLayout->addWidget(topBar);
    InputLayout->addLayout(inputs_);
    inputs_->setHorizontalSpacing(8);
    inputs_->setColumnStretch(1, 1);
    inputs_->setColumnStretch(3, 1);

    button_Ok->setText(QStringLiteral("审核[F3]"));
    DS->Button_Check = button_Ok;
    // The ledger rows print from the ledger window, not from here.
    Button_Print->setVisible(false);
    DS->Button_Print = nullptr;
}

TLedgerEntryForm::~TLedgerEntryForm() = default;

void TLedgerEntryForm::AddInput(const QString& caption, QWidget* input, bool wide) {
    if (wide && nextCell_ % 2 != 0)
        ++nextCell_;
    const int row = nextCell_ / 2;
    const int column = (nextCell_ % 2) * 2;
    auto* label = new QLabel(caption, Panel1);
    label->setObjectName(input->objectName() + QStringLiteral("Label"));
    inputs_->addWidget(label, row, column);
    inputs_->addWidget(input, row, column + 1, 1, wide ? 3 : 1);
    nextCell_ += wide ? 2 : 1;
}

void TLedgerEntryForm::EndRow() {
    nextCell_ += nextCell_ % 2;
}

TKXDBEdit* TLedgerEntryForm::AddAmount(const QString& caption, const QString& field) {
    auto* edit = new TKXDBEdit(Panel1);
    edit->setObjectName(field);
    edit->SetDataSource(DS);
    edit->SetDataField(field);
    edit->SetEditType(etFloat);
    edit->setMaxLength(kAmountLength);
    AddInput(caption, edit);
    return edit;
}

TKXDBComboEdit* TLedgerEntryForm::AddDateBox(const QString& caption, const QString& field) {
    auto* box = new TKXDBComboEdit(Panel1);
    box->setObjectName(field);
    box->SetDataSource(DS);
    box->SetDataField(field);
    box->SetButtonWidth(kButtonWidth);
    box->OnButtonClick = [this, box](QObject*) { DateButtonClick(box); };
    box->OnSelect = [this, box](QObject*, bool& stop) { DateBoxSelect(box, stop); };
    AddInput(caption, box);
    return box;
}

void TLedgerEntryForm::AddAmountsAndNote() {
    const TLedgerNames& names = LedgerNames(view_);
    const bool day = view_ == TLedgerView::Day;
    EndRow();
    KXDBEdit3 =
        AddAmount(day ? QStringLiteral("前日结转") : QStringLiteral("前月结转"), names.PriorField);
    KXDBEdit10 =
        AddAmount(day ? QStringLiteral("本日借入") : QStringLiteral("本月借入"), names.IntoField);
    KXDBEdit1 =
        AddAmount(day ? QStringLiteral("本日贷出") : QStringLiteral("本月贷出"), names.OutField);
    KXDBEdit2 =
        AddAmount(day ? QStringLiteral("本日结存") : QStringLiteral("本月结存"), names.TodayField);
    KXDBEdit2->setStyleSheet(QStringLiteral("color: blue"));
    Panel1->findChild<QLabel*>(names.TodayField + QStringLiteral("Label"))
        ->setStyleSheet(QStringLiteral("color: blue"));
    KXDBEdit15 = new TKXDBEdit(Panel1);
    KXDBEdit15->setObjectName(QStringLiteral("NOTE"));
    KXDBEdit15->SetDataSource(DS);
    KXDBEdit15->SetDataField(QStringLiteral("NOTE"));
    AddInput(QStringLiteral("备注"), KXDBEdit15, true);
    for (TKXDBEdit* amount : {KXDBEdit3, KXDBEdit10, KXDBEdit1})
        connect(amount, &QLineEdit::textChanged, this, ui::Guard([this] { RecomputeBalance(); }));
}

bool TLedgerEntryForm::RowEditing() const {
    return ListQuery && (ListQuery->State() == db::dsInsert || ListQuery->State() == db::dsEdit);
}

QString TLedgerEntryForm::RowText(const QString& field) const {
    if (!ListQuery || !ListQuery->Active() || !ListQuery->HasField(field))
        return {};
    if (ListQuery->IsEmpty() && ListQuery->State() != db::dsInsert)
        return {};
    return ListQuery->FieldByName(field)->AsString();
}

void TLedgerEntryForm::TakeRowAccount() {
    AccountId = RowText(QStringLiteral("MONEY_ACCOUNT_ID"));
    AccountName = RowText(QStringLiteral("MONEY_ACCOUNT_NAME"));
}

void TLedgerEntryForm::ShowAccountAndStatus() {
    if (view_ == TLedgerView::Month)
        TakeRowAccount();
    const QString rowName = RowText(QStringLiteral("MONEY_ACCOUNT_NAME"));
    Label24->setText(rowName.isEmpty() ? AccountName : rowName);
    if (HeaderWidth > 0)
        Label24->setMinimumWidth(HeaderWidth);
    const QString status = RowText(QStringLiteral("STATUS"));
    Panel3->setText(status);
    QPalette palette = Panel3->palette();
    palette.setColor(QPalette::Window, ui::ToQColor(LedgerStatusBarColor(status), palette));
    Panel3->setPalette(palette);
}

void TLedgerEntryForm::FormShow() {
    TKXBasePopEditShowForm::FormShow();
    TakeRowAccount();
    ShowAccountAndStatus();
    if (OpenAdding)
        Button_addClick(this);
}

void TLedgerEntryForm::Button_addClick(QObject* sender) {
    TKXBasePopEditShowForm::Button_addClick(sender);
    if (!ListQuery || ListQuery->State() != db::dsInsert || !GiveNewRowAnAccount())
        return;
    TakeRowAccount();
    ShowAccountAndStatus();
    if (PeriodBox)
        PeriodBox->setFocus();
}

// A new row takes the account of the row that was current, else the one
// the user picks; without one the row is dropped.
bool TLedgerEntryForm::GiveNewRowAnAccount() {
    QString id = AccountId;
    QString name = AccountName;
    if (name.isEmpty()) {
        if (!AccountPicker)
            AccountPicker = std::make_unique<TSelectMoneyAccountRootForm>();
        ForceForegroundFocus(AccountPicker.get());
        if (ui::ExecModal(*AccountPicker) != QDialog::Accepted) {
            ShowPromptMessage(QStringLiteral("必须选择一个资金账号"));
            ListQuery->CancelRecord();
            Adding = false;
            return false;
        }
        id = AccountPicker->SelectedID;
        name = AccountPicker->SelectedName;
    }
    ListQuery->FieldByName(QStringLiteral("MONEY_ACCOUNT_ID"))->SetAsString(id);
    ListQuery->FieldByName(QStringLiteral("MONEY_ACCOUNT_NAME"))->SetAsString(name);
    return true;
}

void TLedgerEntryForm::button_deleteClick(QObject* sender) {
    TKXBasePopEditShowForm::button_deleteClick(sender);
    ShowAccountAndStatus();
}

void TLedgerEntryForm::button1_firstClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_firstClick(sender);
    TakeRowAccount();
    ShowAccountAndStatus();
}

void TLedgerEntryForm::button1_priorClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_priorClick(sender);
    TakeRowAccount();
    ShowAccountAndStatus();
}

void TLedgerEntryForm::button1_nextClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_nextClick(sender);
    TakeRowAccount();
    ShowAccountAndStatus();
}

void TLedgerEntryForm::button1_lastClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_lastClick(sender);
    TakeRowAccount();
    ShowAccountAndStatus();
}

// Verifying stamps the row only; the amounts stay as they are.
void TLedgerEntryForm::button_OkClick(QObject* /*sender*/) {
    if (!ListQuery || !ListQuery->Active() || ListQuery->IsEmpty())
        return;
    const QString current = RowText(QStringLiteral("STATUS"));
    {
        TSetStatusForm dialog;
        dialog.KXComboBox1->addItems({kStatusUnverified, kStatusVerified});
        dialog.CurrentStatus = current;
        ForceForegroundFocus(&dialog);
        const QString chosen = ui::ExecModal(dialog) == QDialog::Accepted
                                   ? dialog.KXComboBox1->currentText()
                                   : current;
        if (chosen != current)
            ListQuery->SetVerifyStatus(chosen);
    }
    ShowAccountAndStatus();
}

void TLedgerEntryForm::RecomputeBalance() {
    if (!RowEditing())
        return;
    ListQuery->FieldByName(LedgerNames(view_).TodayField)
        ->SetAsString(LedgerBalanceText(KXDBEdit3->text(), KXDBEdit10->text(), KXDBEdit1->text()));
}

void TLedgerEntryForm::DateButtonClick(TKXDBComboEdit* box) {
    if (!RowEditing())
        return;
    const QString chosen = SelectDateText(box->text(), AppToday);
    if (!chosen.isEmpty())
        ListQuery->FieldByName(box->DataField())->SetAsString(chosen);
}

// Enter in an empty date box asks for the date; a cancelled dialog keeps
// the focus in the box.
void TLedgerEntryForm::DateBoxSelect(TKXDBComboEdit* box, bool& stop) {
    if (!RowEditing() || !box->text().trimmed().isEmpty())
        return;
    const QString chosen = SelectDateText(box->text(), AppToday);
    if (chosen.isEmpty()) {
        stop = true;
        return;
    }
    ListQuery->FieldByName(box->DataField())->SetAsString(chosen);
}

} // namespace kx::cashbook
