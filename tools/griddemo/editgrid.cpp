#include "tools/griddemo/editgrid.h"

#include "grid/dbgrid/columntitlex.h"
#include "grid/dbgrid/dblookupgridx.h"
#include "grid/editors/gridclipboard.h"
#include "platform/db/fieldtypes.h"
#include "platform/sys/configstore.h"
#include "platform/ui/application.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

namespace {

const QString kDatabaseName = QStringLiteral("RUReravezDataBase");

struct TDemoField {
    const char* Name;
    const char* Label;
    db::TFieldType Type;
    int Size;
};

// The record's key first, then one field per edit style.
constexpr TDemoField kRecordFields[] = {
    {"MONEY_RECORD_ID", "记录", db::ftString, 16},
    {"MONEY_ID", "编号", db::ftString, 16},
    {"MONEY_TYPE_ID", "科目", db::ftString, 16},
    {"MONEY_TEXT_NOTE", "摘要(…)", db::ftString, 160},
    {"MONEY_TEXT_FIELD1", "方式(列表)", db::ftString, 50},
    {"MONEY_ACCOUNT_ID", "账户编号", db::ftString, 16},
    {"MONEY_DATE", "日期", db::ftDate, 0},
    {"MONEY_NUMBER_FIELD1", "张数(增减)", db::ftFloat, 0},
    {"MONEY_INTO_NUMBER", "借入(计算器)", db::ftFloat, 0},
    {"STATUS", "审核", db::ftString, 10},
};

db::TField* MakeField(db::TFieldType type, QObject* owner) {
    switch (type) {
    case db::ftDate:
        return new db::TDateField(owner);
    case db::ftFloat:
        return new db::TFloatField(owner);
    default:
        return new db::TStringField(owner);
    }
}

QString FieldList() {
    QStringList names;
    for (const TDemoField& field : kRecordFields)
        names.append(QString::fromLatin1(field.Name));
    return names.join(QStringLiteral(", "));
}

} // namespace

TEditGridDemo::TEditGridDemo(const QString& folder)
    : grid_(this), pasteGrid_(this), accountGrid_(new TDBLookupGridX(this)), status_(this) {
    sys::SetAliasPath(QStringLiteral("RUReravezLink"), folder);
    database_.SetAliasName(QStringLiteral("RUReravezLink"));
    database_.SetDatabaseName(kDatabaseName);
    database_.SetLoginPrompt(false);
    for (db::TQuery* query : {&accounts_, &records_, &pasteRecords_}) {
        query->SetDatabaseName(kDatabaseName);
        query->SetRequestLive(true);
    }
    accounts_.SQL().SetText(
        QStringLiteral("SELECT MONEY_ACCOUNT_ID, MONEY_ACCOUNT_NAME FROM KX_MONEY_ACCOUNT_TABLE "
                       "ORDER BY MONEY_ACCOUNT_ID"));
    records_.SQL().SetText(
        QStringLiteral("SELECT %1 FROM KX_INTO_OUT_MONEY_TABLE ORDER BY MONEY_ID")
            .arg(FieldList()));
    pasteRecords_.SQL().SetText(QStringLiteral(
        "SELECT MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID, MONEY_TEXT_NOTE, MONEY_TEXT_FIELD1 "
        "FROM KX_INTO_OUT_MONEY_TABLE ORDER BY MONEY_ID DESC"));
    for (const TDemoField& shown : kRecordFields) {
        db::TField* field = MakeField(shown.Type, this);
        field->SetFieldName(QString::fromLatin1(shown.Name));
        field->SetSize(shown.Size);
        field->SetDisplayLabel(QString::fromUtf8(shown.Label));
        field->SetDataSet(&records_);
    }
    db::TField* account = MakeField(db::ftString, this);
    account->SetFieldName(QStringLiteral("ACCOUNT_NAME"));
    account->SetFieldKind(db::fkLookup);
    account->SetSize(20);
    account->SetDisplayLabel(QStringLiteral("账户(查找)"));
    account->SetLookupDataSet(&accounts_);
    account->SetKeyFields(QStringLiteral("MONEY_ACCOUNT_ID"));
    account->SetLookupKeyFields(QStringLiteral("MONEY_ACCOUNT_ID"));
    account->SetLookupResultField(QStringLiteral("MONEY_ACCOUNT_NAME"));
    account->SetDataSet(&records_);
    accounts_.Open();
    records_.Open();
    pasteRecords_.Open();
    accountSource_.SetDataSet(&accounts_);
    recordSource_.SetDataSet(&records_);
    pasteSource_.SetDataSet(&pasteRecords_);
    grid_.SetDataSource(&recordSource_);
    pasteGrid_.SetDataSource(&pasteSource_);
    accountGrid_->SetLookupDataSource(&recordSource_);
    accountGrid_->SetDataFieldName(QStringLiteral("ACCOUNT_NAME"));
    SetUpColumns();
    grid_.OnEditButtonClick = [this](QObject*) {
        status_.setText(QStringLiteral("编辑按钮: %1").arg(grid_.EditText()));
    };

    auto* buttons = new QHBoxLayout;
    auto addButton = [this, buttons](const QString& caption, std::function<void()> action) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, this, ui::Guard(std::move(action)));
        buttons->addWidget(button);
    };
    addButton(QStringLiteral("复制"), [this] { CopyFromGrid(); });
    addButton(QStringLiteral("粘贴到下表"), [this] { PasteIntoSecondGrid(); });
    addButton(QStringLiteral("导出文本"), [this] { AskAndExport(TGridExportFormat::Text); });
    addButton(QStringLiteral("导出 CSV"), [this] { AskAndExport(TGridExportFormat::Csv); });
    addButton(QStringLiteral("导出 RTF"), [this] { AskAndExport(TGridExportFormat::Rtf); });
    addButton(QStringLiteral("导出交换格式"), [this] { AskAndExport(TGridExportFormat::VCLDBIF); });
    buttons->addStretch();

    auto* lower = new QHBoxLayout;
    lower->addWidget(&pasteGrid_, 3);
    lower->addWidget(accountGrid_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&grid_, 3);
    layout->addLayout(buttons);
    layout->addLayout(lower, 2);
    layout->addWidget(&status_);
}

TEditGridDemo::~TEditGridDemo() = default;

TColumnX* TEditGridDemo::ColumnOf(const QString& fieldName) const {
    for (int i = 0; i < grid_.Columns()->Count(); ++i) {
        if (grid_.Columns()->GetColumn(i)->FieldName() == fieldName)
            return grid_.Columns()->GetColumn(i);
    }
    return nullptr;
}

void TEditGridDemo::SetUpColumns() {
    for (const char* hidden : {"MONEY_RECORD_ID", "MONEY_TYPE_ID", "MONEY_ACCOUNT_ID"})
        ColumnOf(QString::fromLatin1(hidden))->SetVisible(false);
    // Two text lines a row: the note wraps, in the cell and in its editor.
    grid_.SetRowLines(2);
    TColumnX* note = ColumnOf(QStringLiteral("MONEY_TEXT_NOTE"));
    note->SetButtonStyle(cbsEllipsis);
    note->SetWordWrap(true);
    TColumnX* way = ColumnOf(QStringLiteral("MONEY_TEXT_FIELD1"));
    way->SetPickList({QStringLiteral("现金"), QStringLiteral("支票"), QStringLiteral("转账")});
    way->SetDropDownSizing(true);
    ColumnOf(QStringLiteral("ACCOUNT_NAME"))->SetDropDownSizing(true);
    ColumnOf(QStringLiteral("MONEY_NUMBER_FIELD1"))->SetButtonStyle(cbsUpDown);
    ColumnOf(QStringLiteral("MONEY_INTO_NUMBER"))->SetButtonStyle(cbsDropDown);
    TColumnX* status = ColumnOf(QStringLiteral("STATUS"));
    status->SetKeyList({QStringLiteral("已审核"), QStringLiteral("未审核")});
    status->SetCheckboxes(true);
    for (int i = 0; i < grid_.Columns()->Count(); ++i)
        grid_.Columns()->GetColumn(i)->SetWidth(100);
}

void TEditGridDemo::CopyFromGrid() {
    GridCopyToClipboard(&grid_, false);
    status_.setText(QStringLiteral("已复制"));
}

void TEditGridDemo::PasteIntoSecondGrid() {
    GridPasteFromClipboard(&pasteGrid_, false);
    status_.setText(QStringLiteral("已粘贴"));
}

void TEditGridDemo::ExportTo(TGridExportFormat format, const QString& path) {
    std::unique_ptr<TDBGridXExport> exporter = MakeGridExporter(format);
    exporter->Grid = &grid_;
    exporter->WriteToFile(path, true);
    status_.setText(QStringLiteral("已导出到 %1").arg(path));
}

void TEditGridDemo::AskAndExport(TGridExportFormat format) {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出"));
    if (!path.isEmpty())
        ExportTo(format, path);
}

} // namespace kx
