#include "tools/griddemo/treedemo.h"

#include "grid/dbgrid/columntitlex.h"
#include "platform/db/field.h"

#include <QVBoxLayout>

namespace kx {

void FillDemoAccounts(TMemTreeDataSet& data) {
    data.DefineFields({{QStringLiteral("NAME"), db::ftString, 40},
                       {QStringLiteral("CODE"), db::ftString, 12},
                       {QStringLiteral("AMOUNT"), db::ftFloat, 0},
                       {QStringLiteral("NOTE"), db::ftString, 80}});
    const QStringList branches{QStringLiteral("Cash"),         QStringLiteral("Bank accounts"),
                               QStringLiteral("Receivables"),  QStringLiteral("Payables"),
                               QStringLiteral("Wages"),        QStringLiteral("Taxes"),
                               QStringLiteral("Office costs"), QStringLiteral("Travel"),
                               QStringLiteral("Sales"),        QStringLiteral("Other income")};
    for (int b = 0; b < branches.size(); ++b) {
        const QString code = QStringLiteral("%1").arg(b + 1, 3, 10, QLatin1Char('0'));
        // Every other branch starts collapsed.
        data.AddNode(1,
                     {branches[b], code, 1000.0 * (b + 1),
                      QStringLiteral("All entries booked under %1").arg(branches[b])},
                     b % 2 == 0);
        for (int c = 1; c <= 3; ++c) {
            const QString childCode = code + QStringLiteral("%1").arg(c, 3, 10, QLatin1Char('0'));
            data.AddNode(2, {QStringLiteral("%1, part %2").arg(branches[b]).arg(c), childCode,
                             100.0 * (b + c), QStringLiteral("Entries of part %1").arg(c)});
            if (c == 2)
                data.AddNode(3, {QStringLiteral("%1, part %2, detail").arg(branches[b]).arg(c),
                                 childCode + QStringLiteral("001"), 10.0 * (b + 1),
                                 QStringLiteral("A detail line with a long note that the narrow "
                                                "column cuts off")});
        }
    }
}

TTreeGridDemo::TTreeGridDemo(QWidget* parent) : QWidget(parent), grid_(this) {
    FillDemoAccounts(data_);
    source_.SetDataSet(&data_);
    grid_.SetOptionsX(grid_.OptionsX() | dghRecordMoving);
    struct TShown {
        const char* Field;
        const char* Caption;
        int Width;
    };
    constexpr TShown shown[] = {{"NAME", "Account", 260},
                                {"CODE", "Code", 90},
                                {"AMOUNT", "Amount", 90},
                                {"NOTE", "Note", 150}};
    for (const TShown& item : shown) {
        TColumnX* column = grid_.Columns()->Add();
        column->SetFieldName(QString::fromLatin1(item.Field));
        column->Title()->SetCaption(QString::fromLatin1(item.Caption));
        column->SetWidth(item.Width);
        column->SetToolTips(true);
    }
    grid_.SetDataSource(&source_);
    data_.Open();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&grid_);
}

} // namespace kx
