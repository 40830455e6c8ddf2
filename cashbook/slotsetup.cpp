#include "cashbook/slotsetup.h"

#include "cashbook/entrylayout.h"
#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "platform/db/field.h"
#include "platform/db/query.h"

namespace kx {
namespace {

constexpr int kFirstPreviewSlot = 2;

bool IsTextColumn(const QString& column) {
    return column.startsWith(QLatin1String("MONEY_TEXT_FIELD"));
}

} // namespace

QString SlotRowSql(int slot) {
    const QString select = QStringLiteral("SELECT * FROM SYS_MONEY_FIELD_TABLE WHERE ");
    if (slot == 1)
        return select + QStringLiteral("FIELD_NAME = 'MONEY_ID'");
    if (slot == kNoteSlot)
        return select + QStringLiteral("FIELD_NAME = 'MONEY_TEXT_NOTE'");
    return select + QStringLiteral("FIELD_ORDER = %1").arg(slot);
}

TSlotOffer SlotWithoutRow(int slot) {
    switch (slot) {
    case 1:
        return {QStringLiteral("MONEY_ID"), QStringLiteral("记录编号"), QStringLiteral("T")};
    case 2:
        return {QStringLiteral("MONEY_DATE"), QStringLiteral("帐款日期"), QStringLiteral("T")};
    case kNoteSlot:
        return {QStringLiteral("MONEY_TEXT_NOTE"), QStringLiteral("备注"), QStringLiteral("T")};
    default:
        return {};
    }
}

std::optional<TPreviewPlacement> PreviewPlacement(const QString& column, const QString& findType,
                                                  int slot) {
    const TEntryControlRule* rule = PreviewControlFor(column, findType);
    if (!rule || slot < kFirstPreviewSlot || slot > kEntrySlotCount)
        return std::nullopt;
    TPreviewPlacement placement{rule->Name, QString(), PreviewSlotRect(slot)};
    if (IsTextColumn(column))
        placement.Hidden =
            EntryControlFor(column, rule->ButtonEdit ? QStringLiteral("T") : QStringLiteral("DT"))
                ->Name;
    return placement;
}

bool HasAccountSlot() {
    return !GetSqlFirstValue(kDatabaseName, QStringLiteral("SELECT  FIELD_NAME  FROM  "
                                                           "SYS_MONEY_FIELD_TABLE WHERE "
                                                           "FIELD_NAME = 'MONEY_ACCOUNT_NAME'"))
                .isEmpty();
}

QStringList FieldSlotTableRows() {
    const std::unique_ptr<db::TQuery> query = OpenSqlQuery(
        kDatabaseName, QStringLiteral("SELECT * FROM SYS_MONEY_FIELD_TABLE ORDER BY FIELD_NAME"));
    QStringList rows;
    for (query->First(); !query->Eof(); query->Next()) {
        QStringList values;
        for (const db::TField* field : query->Fields())
            values.append(field->AsString());
        rows.append(values.join(u'|'));
    }
    return rows;
}

} // namespace kx
