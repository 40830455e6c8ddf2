#include "cashbook/selectshowintooutmoneyform.h"

#include "cashbook/drilldownrecords.h"
#include "cashbook/recordcolumns.h"
#include "cashbook/unverifiedcolors.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxdatasource.h"
#include "frame/data/kxquery.h"
#include "platform/db/query.h"
#include "platform/ui/canvas.h"
#include "tablereport/printchoosercall.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

namespace kx::cashbook {
namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 520;
constexpr int kRuleCount = 38;
// Every other record on light green paper, as a ledger's detail sheet.
constexpr ui::TColor kEvenRowColor = 0xE0FC98;
constexpr int kPrintCount = 48;
// Entries 38 to 46 carry the caller's row, master fields only.
constexpr std::size_t kMasterCopyStart = 38;
constexpr std::size_t kMasterCopyCount = 9;

} // namespace

TSelectShowIntoOutMoneyForm::TSelectShowIntoOutMoneyForm(QWidget* owner, const QString& title)
    : TKXAppPopForm(owner), Label24(new QLabel(QStringLiteral("查找条件："), Panel3)),
      QyMoneyAccount(new db::TQuery(this)) {
    setWindowTitle(title);
    setMinimumSize(kWidth, kHeight);
    setMaximumSize(kWidth, kHeight);
    resize(kWidth, kHeight);
    Label24->setObjectName(QStringLiteral("Label24"));
    Label24->setAlignment(Qt::AlignCenter);
    // A long find condition wraps rather than being cut.
    Label24->setWordWrap(true);
    auto* labelLayout = new QHBoxLayout(Panel3);
    labelLayout->setContentsMargins(2, 4, 2, 4);
    labelLayout->addWidget(Label24);

    auto* bar = static_cast<QHBoxLayout*>(Panel2->layout());
    const auto moveButton = [this, bar](const char* name, const char* caption, int position) {
        QPushButton* button = AddBarButton(Panel2, name, QString::fromUtf8(caption));
        bar->removeWidget(button);
        bar->insertWidget(position, button);
        return button;
    };
    button1_first = moveButton("button1_first", "首条", 0);
    button1_prior = moveButton("button1_prior", "前条", 1);
    button1_next = moveButton("button1_next", "下条", 2);
    button1_last = moveButton("button1_last", "末条", 3);
    bar->insertStretch(4);
    for (QPushButton* hidden : {button_add, button_edit, button_delete, button_save, button_cancel,
                                button_find, button_Ok})
        hidden->setVisible(false);
    // Nothing is edited or found here: no right may show those buttons again.
    DS->Button_Add = nullptr;
    DS->Button_Edit = nullptr;
    DS->Button_Delete = nullptr;
    DS->Button_Save = nullptr;
    DS->Button_Cancel = nullptr;
    DS->Button_Find = nullptr;

    QyMoneyAccount->setObjectName(QStringLiteral("QyMoneyAccount"));
    QyMoneyAccount->SetDatabaseName(kDatabaseName);
    QyMoneyAccount->SQL().SetText(
        QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_ACCOUNT_NAME FROM KX_MONEY_ACCOUNT_TABLE"));
    Query->SetDatabaseName(kDatabaseName);
    Query->SetUpdateObject(nullptr);
    Query->SetCachedUpdates(false);
    AddDrillDownFields(this, *Query, nullptr, QyMoneyAccount);
    Query->OnCalcFields = [](db::TDataSet* records) { CalculateBalance(*records); };

    DBGrid->SetReadOnly(true);
    DBGrid->SetEvenRowColor(kEvenRowColor);
    DBGrid->SetFooterRowCount(1);
    DBGrid->SumList()->SetActive(true);
    DBGrid->OnApplyCellAttr = [this](TKXNDBGrid*, db::TField* field, ui::TCanvas& canvas,
                                     TGridDrawState) { DBGridApplyCellAttr(field, canvas); };

    SetOnClick(button1_first, [this](QObject*) { MoveMaster(TMove::First); });
    SetOnClick(button1_prior, [this](QObject*) { MoveMaster(TMove::Prior); });
    SetOnClick(button1_next, [this](QObject*) { MoveMaster(TMove::Next); });
    SetOnClick(button1_last, [this](QObject*) { MoveMaster(TMove::Last); });
    SetOnClick(Button_Print, [this](QObject*) { Button_PrintClick(); });
}

void TSelectShowIntoOutMoneyForm::FormCreate() {
    TKXAppPopForm::FormCreate();
    FieldsData.SetLength(kRuleCount);
    PrintFields.assign(kPrintCount, TPrintFields{});
    DBGrid->FormName = kLayoutName;
    DBGrid->SetLayoutTable(QStringLiteral("SYS_SHOW_INTO_OUT_MONEY_TABLE"));
    DBGrid->DataBaseName = kDatabaseName;
    DBGrid->UserID = AppUserId;
    DBGrid->SetSaveColumnOrder(true);
    DBGrid->ShowEmptyRows = true;
    Query->SetFieldsData(FieldsData);
    DBGrid->SetFieldsData(FieldsData);
}

void TSelectShowIntoOutMoneyForm::FormShow() {
    TKXAppPopForm::FormShow();
    Query->FieldByName(QStringLiteral("MONEY_TYPE_NAME"))->SetLookupDataSet(SubjectLookup);
    OrderFieldsByLayout();
    ResetColumns();
    LoadRecords();
}

void TSelectShowIntoOutMoneyForm::OrderFieldsByLayout() {
    Query->CloseQuery();
    const TMoneyFieldSlots slotRows = FieldQuery ? ReadFieldSlots(*FieldQuery) : TMoneyFieldSlots();
    const QStringList order = kx::OrderFieldsByLayout(RecordFieldDesignOrder(), slotRows);
    for (int position = 0; position < order.size(); ++position)
        Query->FieldByName(order[position])->SetIndex(position);
}

void TSelectShowIntoOutMoneyForm::ResetColumns() {
    const TMoneyFieldSlots slotRows = FieldQuery ? ReadFieldSlots(*FieldQuery) : TMoneyFieldSlots();
    BuildDrillDownColumns(slotRows, AppFinancialFormat, FieldsData, PrintFields);
    Query->SetFieldsData(FieldsData);
    DBGrid->SetFieldsData(FieldsData);
}

void TSelectShowIntoOutMoneyForm::Button_PrintClick() {
    for (std::size_t i = 0; i < kMasterCopyCount; ++i) {
        TPrintFields entry = i < MasterPrintFields.size() ? MasterPrintFields[i] : TPrintFields{};
        entry.InDetail = false;
        PrintFields[kMasterCopyStart + i] = entry;
    }
    TPrintChooserCall call = PrintCall();
    call.TemplateKind = 2;
    call.PrintFields = PrintFields;
    call.List = Query;
    call.ExcelColumnCount = kRuleCount;
    ShowPrintChooser(call);
}

bool TSelectShowIntoOutMoneyForm::MasterHasRow() const {
    return MasterList && MasterList->Active() && !MasterList->IsEmpty();
}

QString TSelectShowIntoOutMoneyForm::MasterText(const QString& fieldName) const {
    const db::TField* field = MasterList->FindField(fieldName);
    return field ? field->Text() : QString();
}

QDate TSelectShowIntoOutMoneyForm::MasterDate(const QString& fieldName) const {
    const db::TField* field = MasterList->FindField(fieldName);
    return field ? field->AsDateTime().date() : QDate();
}

void TSelectShowIntoOutMoneyForm::ShowRecords(const QString& condition, const QString& label) {
    Label24->setText(label);
    Query->DisableControls();
    // The grid lays its columns out once it hears of the open list again.
    const auto enable = qScopeGuard([this] {
        Query->EnableControls();
        if (Query->Active()) {
            DBGrid->LaidOut = false;
            DBGrid->ApplyLayout();
        }
    });
    Query->CloseQuery();
    if (condition.isEmpty())
        return;
    // Accounts named since the last load show their names too.
    QyMoneyAccount->Close();
    QyMoneyAccount->Open();
    Query->SQL().SetText(DrillDownSelect(condition));
    Query->OpenQuery();
}

void TSelectShowIntoOutMoneyForm::MoveMaster(TMove move) {
    if (!MasterHasRow())
        return;
    switch (move) {
    case TMove::First:
        MasterList->First();
        break;
    case TMove::Prior:
        MasterList->Prior();
        break;
    case TMove::Next:
        MasterList->Next();
        break;
    case TMove::Last:
        MasterList->Last();
        break;
    }
    LoadRecords();
    if (move == TMove::Prior && MasterList->Bof())
        ShowPromptMessage(QStringLiteral("已到第一个纪录"));
    else if (move == TMove::Next && MasterList->Eof())
        ShowPromptMessage(QStringLiteral("已到最后一个纪录"));
}

void TSelectShowIntoOutMoneyForm::DBGridApplyCellAttr(db::TField* field, ui::TCanvas& canvas) {
    if (!field)
        return;
    TStatusCellColors colors{canvas.BrushColor(), canvas.FontColor()};
    ApplyUnverifiedColors(field->DataSet()->FieldByName(QStringLiteral("STATUS"))->AsString(),
                          THighlightRule::HighlightOnly, colors);
    canvas.SetBrushColor(colors.Brush);
    canvas.SetFontColor(colors.Font);
}

} // namespace kx::cashbook
