#include "tools/griddemo/moneygrid.h"

#include "grid/dbgrid/columnfooterx.h"
#include "platform/db/field.h"
#include "platform/sys/configstore.h"

#include <QVBoxLayout>

namespace kx {

namespace {

const QString kDatabaseName = QStringLiteral("RUReravezDataBase");

struct TShownField {
    const char* Name;
    const char* Label;
    TFooterValueType Footer;
};

// The fields shown, in this order; every other field is hidden.
constexpr TShownField kShownFields[] = {
    {"MONEY_ID", "资金借贷编号", fvtCount},     {"MONEY_DATE", "日期", fvtNon},
    {"MONEY_INTO_NUMBER", "金额|借入", fvtSum}, {"MONEY_OUT_NUMBER", "金额|贷出", fvtSum},
    {"MONEY_TEXT_NOTE", "摘要", fvtNon},        {"STATUS", "状态", fvtNon},
};

} // namespace

TMoneyGridDemo::TMoneyGridDemo(const QString& folder) : grid_(this) {
    sys::SetAliasPath(QStringLiteral("RUReravezLink"), folder);
    database_.SetAliasName(QStringLiteral("RUReravezLink"));
    database_.SetDatabaseName(kDatabaseName);
    database_.SetLoginPrompt(false);
    query_.SetDatabaseName(kDatabaseName);
    query_.SQL().SetText(QStringLiteral("SELECT * FROM KX_INTO_OUT_MONEY_TABLE ORDER BY MONEY_ID"));
    source_.SetDataSet(&query_);
    grid_.SetFooterRowCount(1);
    grid_.SumList()->SetActive(true);
    grid_.SetUseMultiTitle(true);
    grid_.SetDataSource(&source_);
    query_.OpenQuery();
    query_.DisableControls();
    for (db::TField* field : query_.Fields())
        field->SetVisible(false);
    int position = 0;
    for (const TShownField& shown : kShownFields) {
        db::TField* field = query_.FieldByName(QString::fromLatin1(shown.Name));
        field->SetDisplayLabel(QString::fromUtf8(shown.Label));
        field->SetIndex(position++);
        field->SetVisible(true);
    }
    query_.EnableControls();
    for (const TShownField& shown : kShownFields) {
        for (int i = 0; i < grid_.Columns()->Count(); ++i) {
            TColumnX* column = grid_.Columns()->GetColumn(i);
            if (column->FieldName() == QLatin1String(shown.Name))
                column->Footer()->SetValueType(shown.Footer);
        }
    }
    grid_.SumList()->RecalculateSums();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&grid_);
}

} // namespace kx
