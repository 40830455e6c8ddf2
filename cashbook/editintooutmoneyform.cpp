#include "cashbook/editintooutmoneyform.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/entrylayout.h"
#include "cashbook/ledgerposting.h"
#include "cashbook/numberingscope.h"
#include "cashbook/recordcolumns.h"
#include "cashbook/recordentryrules.h"
#include "cashbook/selectmoneytypeform.h"
#include "cashbook/setstatusform.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/moneytext.h"
#include "core/options.h"
#include "frame/controls/kxcombobox.h"
#include "frame/controls/kxdbcomboedit.h"
#include "frame/controls/kxdbedit.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "frame/dialogs/dateform.h"
#include "frame/dialogs/selectdeptform.h"
#include "frame/dialogs/selecteditform.h"
#include "frame/dialogs/selectemployeeform.h"
#include "frame/dialogs/selectform.h"
#include "grid/dbgrid/columnx.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/updatesql.h"
#include "platform/sys/numberformat.h"
#include "platform/ui/application.h"
#include "platform/ui/tag.h"
#include "tablereport/printchoosercall.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <map>

namespace kx::cashbook {
namespace {

constexpr int kClientWidth = 807;
constexpr int kHeaderHeight = 32;
constexpr int kFieldPanelHeight = 156;
constexpr int kButtonPanelHeight = 97;
constexpr int kStatusHeight = 24;
constexpr int kShownTop = 50;
constexpr int kPickButtonWidth = 19;
// The fund account's edit is read-only in every state: the account's code
// and name change only together, through the account list.
constexpr int kAlwaysReadOnlyTag = 2;
constexpr ui::TColor kBlue = 0xFF0000;
constexpr int kPrintCount = 38;

const QString kMoneyId = QStringLiteral("MONEY_ID");
const QString kMoneyDate = QStringLiteral("MONEY_DATE");
const QString kSubjectId = QStringLiteral("MONEY_TYPE_ID");
const QString kSubjectName = QStringLiteral("MONEY_TYPE_NAME");
const QString kAccountId = QStringLiteral("MONEY_ACCOUNT_ID");
const QString kAccountName = QStringLiteral("MONEY_ACCOUNT_NAME");
const QString kStatus = QStringLiteral("STATUS");

QFont NinePointFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setPointSize(9);
    return font;
}

void SetTextColor(QWidget* widget, ui::TColor color) {
    QPalette palette = widget->palette();
    const QColor shown = ui::ToQColor(color, palette);
    palette.setColor(QPalette::WindowText, shown);
    palette.setColor(QPalette::Text, shown);
    widget->setPalette(palette);
}

const TEntryControlRule& RuleNamed(const QString& name) {
    const QList<TEntryControlRule>& rules = EntryControlRules();
    return *std::find_if(rules.begin(), rules.end(),
                         [&](const TEntryControlRule& rule) { return rule.Name == name; });
}

// The fund account and the text columns widen over free slots.
bool TakesSlotTable(const TEntryControlRule& rule) {
    return rule.FieldName == QLatin1String("MONEY_ACCOUNT_NAME") ||
           rule.FieldName.startsWith(QLatin1String("MONEY_TEXT_FIELD"));
}

QString ControlTextOf(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    return {};
}

} // namespace

TEditIntoOutMoneyForm::TEditIntoOutMoneyForm(QWidget* owner)
    : TKXBasePopEditShowForm(owner), HeaderPanel(new QWidget(Panel1)),
      Label24(new QLabel(HeaderPanel)), FieldPanel(new QWidget(Panel1)),
      Panel3(new QLabel(FieldPanel)),
      Button_Type(new QPushButton(QStringLiteral("资金借贷科目选择"), Panel2)) {
    setObjectName(QStringLiteral("EditIntoOutMoneyForm"));
    setWindowTitle(QStringLiteral("资金借贷记录录入编辑窗口"));
    setFixedSize(kClientWidth, kHeaderHeight + kFieldPanelHeight + kButtonPanelHeight);
    layout()->setSpacing(0);
    Panel1->setFixedHeight(kHeaderHeight + kFieldPanelHeight);
    Panel2->setFixedHeight(kButtonPanelHeight);

    HeaderPanel->setObjectName(QStringLiteral("HeaderPanel"));
    HeaderPanel->setGeometry(0, 0, kClientWidth, kHeaderHeight);
    Label24->setObjectName(QStringLiteral("Label24"));
    Label24->setGeometry(15, 8, 777, 16);
    Label24->setAlignment(Qt::AlignCenter);

    FieldPanel->setObjectName(QStringLiteral("FieldPanel"));
    FieldPanel->setGeometry(0, kHeaderHeight, kClientWidth, kFieldPanelHeight);
    for (int slot = 1; slot <= kNoteSlot; ++slot) {
        auto* label = new QLabel(FieldPanel);
        label->setObjectName(QStringLiteral("Label%1").arg(slot));
        label->setFont(NinePointFont(label));
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        Labels[static_cast<std::size_t>(slot - 1)] = label;
    }
    CreateFieldControls();

    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(0, kFieldPanelHeight - kStatusHeight, kClientWidth, kStatusHeight);
    Panel3->setAlignment(Qt::AlignCenter);
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Raised);
    Panel3->setAutoFillBackground(true);
    QFont statusFont = Panel3->font();
    statusFont.setPointSize(12);
    Panel3->setFont(statusFont);

    Button_Type->setObjectName(QStringLiteral("Button_Type"));
    Button_Type->setEnabled(false);
    connect(Button_Type, &QPushButton::clicked, this, ui::Guard([this] { Button_TypeClick(); }));
    button_Ok->setText(QStringLiteral("审核[F3]"));
    SetOnClick(Button_Print, [this](QObject*) { Button_PrintClick(); });
    PlaceButtons();

    DS->Button_Check = button_Ok;
    DS->OnStateChange = [this](db::TDataSource*) { DSStateChange(); };
}

void TEditIntoOutMoneyForm::CreateFieldControls() {
    for (const TEntryControlRule& rule : EntryControlRules()) {
        QWidget* control = nullptr;
        if (rule.ButtonEdit) {
            auto* edit = new TKXDBComboEdit(FieldPanel);
            edit->SetButtonWidth(kPickButtonWidth);
            edit->SetGlyphKind(gkEllipsis);
            control = edit;
        } else {
            control = new TKXDBEdit(FieldPanel);
        }
        control->setObjectName(rule.Name);
        auto* input = dynamic_cast<TKXInput<ui::TCustomMaskEdit>*>(control);
        if (rule.Input == TEntryInput::Date)
            input->SetEditType(etDate);
        else if (rule.Input == TEntryInput::Number)
            input->SetEditType(etFloat);
        if (rule.MaxLength > 0)
            input->SetMaxLength(rule.MaxLength);
        control->setFont(NinePointFont(control));
        control->setGeometry(0, kOutOfSightTop, kEntrySlotWidth, kEntrySlotHeight);
        control->setVisible(false);
        controls_.insert(rule.Name, control);
    }
    QWidget* account = FieldControl(QStringLiteral("KXDBComboEdit_MONEY_ACCOUNT_NAME"));
    ui::SetTag(account, kAlwaysReadOnlyTag);
    SetTextColor(account, kBlue);

    const auto onButton = [this](const QString& name, std::function<void()> pick) {
        auto* edit = qobject_cast<TKXDBComboEdit*>(FieldControl(name));
        edit->OnButtonClick = [this, pick](QObject*) {
            if (ListEditing())
                pick();
        };
    };
    for (const char* column : {"MONEY_DATE", "MONEY_DATE_FIELD1", "MONEY_DATE_FIELD2"}) {
        const QString field = QString::fromLatin1(column);
        const QString name =
            field == kMoneyDate ? "KXDBComboEdit_" + field : "KXDBComboEdit" + field;
        auto* edit = qobject_cast<TKXDBComboEdit*>(FieldControl(name));
        onButton(name, [this, field, edit] { PickDate(field, edit); });
    }
    for (int n = 1; n <= 7; ++n)
        onButton(QStringLiteral("KXDBComboEdit_MONEY_TEXT_FIELD%1").arg(n),
                 [this, n] { PickTextField(n); });
    onButton(QStringLiteral("KXDBComboEdit_MONEY_ACCOUNT_NAME"), [this] { PickAccount(); });
    onButton(QStringLiteral("KXDBComboEdit_MONEY_DEPT_NAME"), [this] { PickDepartment(); });
    onButton(QStringLiteral("KXDBComboEdit_MONEY_EMPLOYEE_NAME"), [this] { PickEmployee(); });
}

void TEditIntoOutMoneyForm::PlaceButtons() {
    delete Panel2->layout();
    Button_Type->setGeometry(334, 8, 139, 27);
    const QList<QPushButton*> recordRow = {Button_add,    button_edit,   button_delete,
                                           button_save,   button_cancel, button1_first,
                                           button1_prior, button1_next,  button1_last};
    int left = 61;
    for (QPushButton* button : recordRow) {
        button->setGeometry(left, 35, 75, 25);
        left += 76;
    }
    button_Ok->setGeometry(289, 62, 75, 25);
    Button_Print->setGeometry(365, 62, 75, 25);
    button_close->setGeometry(441, 62, 75, 25);
}

QWidget* TEditIntoOutMoneyForm::FieldControl(const QString& name) const {
    return controls_.value(name);
}

TKXDBEdit* TEditIntoOutMoneyForm::KXDBEdit_MONEY_ID() const {
    return qobject_cast<TKXDBEdit*>(FieldControl(QStringLiteral("KXDBEdit_MONEY_ID")));
}

TKXDBComboEdit* TEditIntoOutMoneyForm::KXDBComboEdit_MONEY_DATE() const {
    return qobject_cast<TKXDBComboEdit*>(FieldControl(QStringLiteral("KXDBComboEdit_MONEY_DATE")));
}

TKXDBComboEdit* TEditIntoOutMoneyForm::KXDBComboEdit_MONEY_ACCOUNT_NAME() const {
    return qobject_cast<TKXDBComboEdit*>(
        FieldControl(QStringLiteral("KXDBComboEdit_MONEY_ACCOUNT_NAME")));
}

void TEditIntoOutMoneyForm::FormCreate() {
    TKXBasePopEditShowForm::FormCreate();
    BindAmountEdits();
}

void TEditIntoOutMoneyForm::BindAmountEdits() {
    for (const char* column : {"MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER"})
        BindControl(FieldControl("KXDBEdit_" + QLatin1String(column)), QLatin1String(column));
}

void TEditIntoOutMoneyForm::FormShow() {
    TKXBasePopEditShowForm::FormShow();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center().x() - width() / 2, kShownTop);
    numberingMode_ = AppNumberingMode;
    checkData_ = EntryCheckData(numberingMode_);
    for (TCheckData& check : checkData_)
        if (check.NumberField == kMoneyId)
            check.Control = KXDBEdit_MONEY_ID();
    insertData_ = EntryInsertData(AutoRecordNumber, AppUserName, AppToday);
    if (ListQuery) {
        ListQuery->SetInsertData(insertData_);
        ListQuery->SetCheckData(checkData_);
    }
    LayoutFields();
    if (OpenAdding)
        Button_addClick(this);
    if (!SubjectId.isEmpty() && SubjectId != kTreeRootId)
        ShowPathOf(SubjectId);
    else
        ShowSubjectPath();
    ShowStatus();
    if (ListEditing())
        FocusMoneyId();
}

void TEditIntoOutMoneyForm::LayoutFields() {
    TMoneyFieldSlots rows;
    if (FieldQuery && FieldQuery->Active() && !FieldQuery->IsEmpty())
        rows = ReadFieldSlots(*FieldQuery);
    const TEntryLayout layout = LayoutEntryFields(rows);
    PlaceFieldControls(layout);
    PlaceLabels(layout);
}

void TEditIntoOutMoneyForm::PlaceFieldControls(const TEntryLayout& layout) {
    std::multimap<int, QWidget*> tabChain;
    SlotControls.fill(nullptr);
    shownInputs_.clear();
    for (const TEntryControlPlace& place : layout.Controls) {
        QWidget* control = FieldControl(place.Name);
        const TEntryControlRule& rule = RuleNamed(place.Name);
        if (place.Bound)
            BindControl(control, rule.FieldName);
        if (place.Slot >= 2 && TakesSlotTable(rule))
            SlotControls[static_cast<std::size_t>(place.Slot)] = control;
        control->setGeometry(place.Left, place.Top, place.Width, kEntrySlotHeight);
        const bool shown = place.Top != kOutOfSightTop;
        control->setVisible(shown);
        if (!shown)
            continue;
        if (rule.Input != TEntryInput::Text)
            shownInputs_.append(
                {control, rule.Input, layout.Labels[std::size_t(place.Slot - 1)].Caption});
        if (place.TabOrder > 0)
            tabChain.emplace(place.TabOrder, control);
    }
    QWidget* previous = nullptr;
    for (const auto& [order, control] : tabChain) {
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
}

// Labels keep their right edge and size themselves to their caption. Slot
// 2's label never hides; while the slot is free it shows nothing.
void TEditIntoOutMoneyForm::PlaceLabels(const TEntryLayout& layout) {
    for (int slot = 1; slot <= kNoteSlot; ++slot) {
        const TEntryLabel& labelPlace = layout.Labels[static_cast<std::size_t>(slot - 1)];
        QLabel* label = Labels[static_cast<std::size_t>(slot - 1)];
        const bool blank = slot == 2 && labelPlace.Caption == kFreeSlotCaption;
        label->setText(blank ? QString() : labelPlace.Caption);
        SetTextColor(label, labelPlace.Blue ? kBlue : ui::TColor(0));
        const int width = label->fontMetrics().horizontalAdvance(label->text()) + 2;
        label->setGeometry(labelPlace.Right - width, labelPlace.Top, width,
                           label->sizeHint().height());
        label->setVisible(labelPlace.Visible);
    }
}

void TEditIntoOutMoneyForm::BindControl(QWidget* control, const QString& fieldName) {
    if (auto* edit = qobject_cast<TKXDBEdit*>(control)) {
        edit->SetDataSource(DS);
        edit->SetDataField(fieldName);
    } else if (auto* buttonEdit = qobject_cast<TKXDBComboEdit*>(control)) {
        buttonEdit->SetDataSource(DS);
        buttonEdit->SetDataField(fieldName);
    }
    control->setFocusPolicy(Qt::StrongFocus);
}

bool TEditIntoOutMoneyForm::ListEditing() const {
    return ListQuery && (ListQuery->State() == db::dsInsert || ListQuery->State() == db::dsEdit);
}

bool TEditIntoOutMoneyForm::ListHasRows() const {
    return ListQuery && ListQuery->Active() && !ListQuery->IsEmpty();
}

QString TEditIntoOutMoneyForm::FieldText(const QString& fieldName) const {
    const db::TField* field = ListQuery ? ListQuery->FindField(fieldName) : nullptr;
    return field ? field->AsString() : QString();
}

// A looked-up name left empty follows its code by itself.
void TEditIntoOutMoneyForm::SetFieldText(const QString& fieldName, const QString& text) {
    db::TField* field = ListQuery->FindField(fieldName);
    if (field && !(field->Lookup() && text.isEmpty()))
        field->SetAsString(text);
}

bool TEditIntoOutMoneyForm::SetNumberingScope(const QString& subjectId) {
    TNumberingScope scope;
    if (!NumberingScopeFor(numberingMode_, subjectId, GetTopMoneyType(subjectId), scope)) {
        ShowPromptMessage(QStringLiteral("错误的帐款类别"));
        return false;
    }
    ApplyNumberingScope(scope, checkData_, insertData_);
    return true;
}

void TEditIntoOutMoneyForm::FocusMoneyId() {
    if (TKXDBEdit* edit = KXDBEdit_MONEY_ID(); edit && edit->isVisible())
        edit->setFocus();
}

void TEditIntoOutMoneyForm::Button_addClick(QObject* sender) {
    QString subjectId = SubjectId;
    QString subjectName = SubjectName;
    if (subjectId.isEmpty() || subjectId == kTreeRootId) {
        subjectId = FieldText(kSubjectId);
        subjectName = FieldText(kSubjectName);
    }
    if (subjectId.isEmpty() && SubjectPicker && RunPicker(*SubjectPicker)) {
        SubjectId = subjectId = SubjectPicker->SelectedID;
        SubjectName = subjectName = SubjectPicker->SelectedName;
        ShowPathOf(subjectId);
    }
    if (!SetNumberingScope(subjectId))
        return;
    TKXBasePopEditShowForm::Button_addClick(sender);
    if (!ListQuery || ListQuery->State() != db::dsInsert)
        return;
    SetFieldText(kSubjectId, subjectId);
    SetFieldText(kSubjectName, subjectName);
    ShowSubjectPath();
    ShowStatus();
    FocusMoneyId();
}

void TEditIntoOutMoneyForm::button_editClick(QObject* sender) {
    TKXBasePopEditShowForm::button_editClick(sender);
    if (!ListQuery || ListQuery->State() != db::dsEdit)
        return;
    SetNumberingScope(FieldText(kSubjectId));
    FocusMoneyId();
}

void TEditIntoOutMoneyForm::Button_TypeClick() {
    if (!ListEditing() || !SubjectPicker || !RunPicker(*SubjectPicker))
        return;
    SubjectId = SubjectPicker->SelectedID;
    SubjectName = SubjectPicker->SelectedName;
    SetFieldText(kSubjectId, SubjectId);
    SetFieldText(kSubjectName, SubjectName);
    ShowPathOf(SubjectId);
    if (!SetNumberingScope(SubjectId))
        return;
    if (AutoRecordNumber)
        ListQuery->GenerateFieldValue(0, true);
}

void TEditIntoOutMoneyForm::button_saveClick(QObject* sender) {
    if (!ListEditing())
        return;
    const TEntrySaveRefusal refusal =
        EntrySaveRefusal({ControlTextOf(KXDBEdit_MONEY_ID()), Labels[0]->text(),
                          ControlTextOf(KXDBComboEdit_MONEY_DATE()),
                          ControlTextOf(KXDBComboEdit_MONEY_ACCOUNT_NAME()),
                          FieldText("MONEY_RECORD_ID"), FieldText(kSubjectId)});
    if (!refusal.Message.isEmpty()) {
        ShowPromptMessage(refusal.Message);
        if (refusal.Focus == TEntryFocus::MoneyId)
            KXDBEdit_MONEY_ID()->setFocus();
        else if (refusal.Focus == TEntryFocus::MoneyDate)
            KXDBComboEdit_MONEY_DATE()->setFocus();
        return;
    }
    for (const TShownInput& input : shownInputs_) {
        const QString message =
            BadEntryMessage(input.Input, input.Caption, ControlTextOf(input.Control));
        if (!message.isEmpty()) {
            ShowPromptMessage(message);
            input.Control->setFocus();
            return;
        }
    }
    const QString subjectId = FieldText(kSubjectId);
    if (!SetNumberingScope(subjectId))
        return;
    const int subjectIndex = ListQuery->FieldByName(kSubjectId)->Index();
    if (ListQuery->State() == db::dsEdit && subjectIndex < ListQuery->OldValues.size() &&
        ListQuery->OldValues[subjectIndex] != subjectId)
        RecheckNumberInNewScope(numberingMode_, checkData_);
    TKXBasePopEditShowForm::button_saveClick(sender);
    ShowSubjectPath();
}

void TEditIntoOutMoneyForm::button_cancelClick(QObject* sender) {
    TKXBasePopEditShowForm::button_cancelClick(sender);
    ShowStatus();
    ShowSubjectPath();
}

void TEditIntoOutMoneyForm::button_deleteClick(QObject* sender) {
    TKXBasePopEditShowForm::button_deleteClick(sender);
    ShowStatus();
    ShowSubjectPath();
}

void TEditIntoOutMoneyForm::button1_firstClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_firstClick(sender);
    ShowStatus();
    ShowSubjectPath();
}

void TEditIntoOutMoneyForm::button1_priorClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_priorClick(sender);
    ShowStatus();
    ShowSubjectPath();
}

void TEditIntoOutMoneyForm::button1_nextClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_nextClick(sender);
    ShowStatus();
    ShowSubjectPath();
}

void TEditIntoOutMoneyForm::button1_lastClick(QObject* sender) {
    TKXBasePopEditShowForm::button1_lastClick(sender);
    ShowStatus();
    ShowSubjectPath();
}

// Verifying posts the record's amounts into the ledgers and stamps its new
// status in one transaction: a refused or failed posting leaves the
// ledgers and the record as they were.
// A voucher prints one record: every field is offered as a master field.
void TEditIntoOutMoneyForm::Button_PrintClick() {
    if (!ListHasRows())
        return;
    TPrintChooserCall call;
    call.PrintFields.assign(kPrintCount, TPrintFields{});
    for (std::size_t i = 0; i < call.PrintFields.size() && i < PrintFields.size(); ++i) {
        call.PrintFields[i] = PrintFields[i];
        call.PrintFields[i].InDetail = false;
    }
    call.KindCaption1 = QStringLiteral("设置单位借贷单据打印(报表模版)");
    call.PrintIndex = QStringLiteral("EditIntoOutMoneyForm");
    call.List = ListQuery;
    call.ReportDataSet = ListQuery;
    ShowPrintChooser(call);
}

void TEditIntoOutMoneyForm::button_OkClick(QObject* /*sender*/) {
    if (!ListHasRows())
        return;
    TSetStatusForm dialog;
    dialog.KXComboBox1->addItems({kStatusUnverified, kStatusVerified});
    dialog.CurrentStatus = FieldText(kStatus);
    const auto restore = [this] {
        if (ListQuery)
            ListQuery->SetUpdateObject(ListUpdateSQL);
        ShowStatus();
    };
    try {
        const QString status = FieldText(kStatus);
        if (RunPicker(dialog) && dialog.KXComboBox1->Text() != status) {
            const QString chosen = dialog.KXComboBox1->Text();
            if (FieldText(kMoneyDate).isEmpty()) {
                ShowPromptMessage(QStringLiteral("没有: 账款日期不能审核"));
            } else {
                ListQuery->SetUpdateObject(StatusUpdateSQL);
                const auto amount = [this](const char* column) {
                    return sys::FloatToStr(MoneyTextToFloat(FieldText(QLatin1String(column))));
                };
                PostMoneyToLedgers(FieldText(kMoneyDate), FieldText(kAccountId),
                                   FieldText(kAccountName), amount("MONEY_INTO_NUMBER"),
                                   amount("MONEY_OUT_NUMBER"), chosen == kStatusVerified, [&] {
                                       ListQuery->SetVerifyStatus(chosen);
                                       return ListQuery->Saved;
                                   });
            }
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TEditIntoOutMoneyForm::DSStateChange() {
    Button_Type->setEnabled(ListEditing());
    ShowStatus();
}

void TEditIntoOutMoneyForm::ShowStatus() {
    const QString status = FieldText(kStatus);
    Panel3->setText(status);
    QPalette palette = Panel3->palette();
    palette.setColor(QPalette::Window, ui::ToQColor(StatusPanelColor(status), palette));
    Panel3->setPalette(palette);
}

void TEditIntoOutMoneyForm::ShowSubjectPath() {
    ShowPathOf(FieldText(kSubjectId));
}

void TEditIntoOutMoneyForm::ShowPathOf(const QString& subjectId) {
    if (subjectId == shownSubjectId_ && !Label24->text().isEmpty())
        return;
    shownSubjectId_ = subjectId;
    Label24->setText(subjectId.isEmpty() ? QString() : GetMoneyTypePath(subjectId));
}

bool TEditIntoOutMoneyForm::RunPicker(QDialog& picker) {
    ForceForegroundFocus(&picker);
    return ui::ExecModal(picker) == QDialog::Accepted;
}

void TEditIntoOutMoneyForm::PickDate(const QString& column, TKXDBComboEdit* edit) {
    const QString date = SelectDateText(edit->text(), AppToday);
    if (!date.isEmpty())
        SetFieldText(column, date);
}

void TEditIntoOutMoneyForm::PickTextField(int n) {
    const QString column = QStringLiteral("MONEY_TEXT_FIELD%1").arg(n);
    TSelectEditForm picker;
    picker.SetupCodeList(column, AppFieldCaptions.value(column),
                         QStringLiteral("KX_MONEY_TEXT_FIELD%1_TABLE").arg(n));
    picker.Query->OpenQuery();
    if (RunPicker(picker) && !picker.Query->IsEmpty())
        SetFieldText(column, picker.Query->FieldByName(column)->AsString());
}

void TEditIntoOutMoneyForm::PickAccount() {
    TSelectForm picker;
    picker.DBGrid->SetColor(AppEditColor);
    picker.Query_Select->SetDatabaseName(kDatabaseName);
    picker.Query_Select->SQL().SetText(
        QStringLiteral("SELECT MONEY_ACCOUNT_NAME,MONEY_ACCOUNT_ID,ORDER_ID FROM "
                       "KX_MONEY_ACCOUNT_TABLE ORDER BY ORDER_ID"));
    picker.Query_Select->Open();
    picker.Query_Select->Fields()[0]->SetDisplayLabel(QStringLiteral("资金账号"));
    for (int column = 1; column < picker.DBGrid->Columns()->Count(); ++column)
        picker.DBGrid->Columns()->GetColumn(column)->SetVisible(false);
    if (!RunPicker(picker) || picker.Query_Select->IsEmpty())
        return;
    SetFieldText(kAccountId, picker.Query_Select->FieldByName(kAccountId)->AsString());
    SetFieldText(kAccountName, picker.Query_Select->FieldByName(kAccountName)->AsString());
}

void TEditIntoOutMoneyForm::PickDepartment() {
    if (!DeptPicker)
        return;
    QString name;
    QString condition;
    if (!SelectDeptCondition(*DeptPicker, name, condition, QString()))
        SetFieldText(QStringLiteral("MONEY_DEPT_NAME"), name);
}

void TEditIntoOutMoneyForm::PickEmployee() {
    if (!EmployeePicker)
        return;
    EmployeePicker->DeptOnly = true;
    if (!RunPicker(*EmployeePicker))
        return;
    const TKXQuery* employees = EmployeePicker->Query_Select;
    const bool found = employees->Active() && !employees->IsEmpty();
    const auto value = [&](const char* column) {
        return found ? employees->FieldByName(QLatin1String(column))->AsString() : QString();
    };
    SetFieldText(QStringLiteral("MONEY_EMPLOYEE_NAME"), value("EMPLOYEE_NAME"));
    SetFieldText(QStringLiteral("MONEY_DEPT_NAME"), value("COMPANY_NAME"));
}

} // namespace kx::cashbook

#include "moc_editintooutmoneyform.cpp"
