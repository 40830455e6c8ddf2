#include "tools/griddemo/listgrid.h"

#include "core/appstate.h"
#include "core/sqlfunctions.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/configstore.h"

#include <QVBoxLayout>

namespace kx {

namespace {

const QString kDatabaseName = QStringLiteral("RUReravezDataBase");
constexpr int kDigitCells = 11;

bool IsAmount(const db::TField* field) {
    return field->DataType() == db::ftFloat || field->DataType() == db::ftCurrency;
}

} // namespace

TListGridDemo::TListGridDemo(const QString& folder, const QString& table) : grid_(this) {
    sys::SetAliasPath(QStringLiteral("RUReravezLink"), folder);
    database_.SetAliasName(QStringLiteral("RUReravezLink"));
    database_.SetDatabaseName(kDatabaseName);
    database_.SetLoginPrompt(false);
    query_.SetDatabaseName(kDatabaseName);
    query_.SetTableName(table);
    const TFieldsDataArray rules = RulesOf(table);
    query_.SetFieldsData(rules);
    source_.SetDataSet(&query_);
    grid_.setObjectName(table);
    grid_.FormName = QStringLiteral("GridDemo");
    grid_.UserID = AppUserId;
    grid_.DataBaseName = kDatabaseName;
    grid_.SetLayoutTable(QStringLiteral("SYS_MONEY_INTO_OUT_TABLE"));
    grid_.SetSaveColumnOrder(true);
    grid_.SetFieldsData(rules);
    grid_.ShowEmptyRows = true;
    grid_.SetReadOnly(true);
    grid_.SetFooterRowCount(1);
    grid_.SumList()->SetActive(true);
    grid_.SetDataSource(&source_);
    query_.SetDBNGride(&grid_);
    query_.OpenQuery();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&grid_);
}

TListGridDemo::~TListGridDemo() {
    query_.Close();
    SaveFormGridLayouts(&grid_);
}

// One rule per field of the table, read from an empty result.
TFieldsDataArray TListGridDemo::RulesOf(const QString& table) const {
    const std::unique_ptr<db::TQuery> probe =
        OpenSqlQuery(kDatabaseName, "SELECT * FROM " + table + " WHERE 1 = 0");
    TFieldsDataArray rules;
    for (const db::TField* field : probe->Fields()) {
        TFieldsData rule;
        rule.FieldName = rule.DisplayLabel = field->FieldName();
        rule.Visible = true;
        rule.TypeCode = IsAmount(field) ? QStringLiteral("N") : QStringLiteral("C");
        if (IsAmount(field)) {
            rule.FooterValue = QStringLiteral("@Sum");
            rule.MoneyCell = true;
            rule.DigitCount = kDigitCells;
        }
        if (rules.IsEmpty()) {
            rule.FooterValue = QStringLiteral("@Count");
            rule.FooterFormat = QStringLiteral("0笔");
        }
        rules.Append(rule);
    }
    return rules;
}

} // namespace kx
