#include "cashbook/cashbooktables.h"

#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "platform/db/database.h"
#include "platform/db/session.h"

namespace kx::cashbook {

std::array<TMoneyFieldSlot, 8> DefaultFieldSlots(TSlotCaptions captions) {
    const bool ledger = captions == TSlotCaptions::Ledger;
    const QString string = QStringLiteral("String");
    const QString typed = QStringLiteral("T");
    const QString listed = QStringLiteral("DT");
    return {{
        {1, QStringLiteral("MONEY_ID"), QStringLiteral("记录编号"), string, typed, 20, 13},
        {2, QStringLiteral("MONEY_DATE"), QStringLiteral("借贷日期"), QStringLiteral("Date"),
         QStringLiteral("D"), 17, 17},
        {3, QStringLiteral("MONEY_TEXT_FIELD1"), QStringLiteral("摘要"), string, listed, 20, 20},
        {5, QStringLiteral("MONEY_ACCOUNT_NAME"), QStringLiteral("资金账号"), string, listed, 20,
         20},
        {6, QStringLiteral("MONEY_INTO_NUMBER"),
         ledger ? QStringLiteral("借款金额") : QStringLiteral("借入金额"), QStringLiteral("Float"),
         typed, 0, 10},
        {7, QStringLiteral("MONEY_OUT_NUMBER"),
         ledger ? QStringLiteral("贷款金额") : QStringLiteral("贷出金额"), QStringLiteral("Float"),
         typed, 0, 10},
        {8, QStringLiteral("MONEY_EMPLOYEE_NAME"), QStringLiteral("经办人员"), string, listed, 20,
         20},
        {21, QStringLiteral("MONEY_TEXT_NOTE"), QStringLiteral("备注"), string, typed, 160, 80},
    }};
}

namespace {

QString InsertSlotSql(const TMoneyFieldSlot& slot) {
    return QStringLiteral("INSERT INTO SYS_MONEY_FIELD_TABLE(FIELD_NAME,FIELD_DISPLAY_NAME,"
                          "FIELD_TYPE,FIELD_FIND_TYPE,FIELD_WIDTH,FIELD_DISPLAY_WIDTH,"
                          "FIELD_ORDER) VALUES(%1,%2,%3,%4,%5,%6,%7)")
        .arg(QuotedStr(slot.FieldName), QuotedStr(slot.DisplayName), QuotedStr(slot.FieldType),
             QuotedStr(slot.FindType), QString::number(slot.Width),
             QString::number(slot.DisplayWidth), QString::number(slot.Order));
}

} // namespace

// All eight rows or none: a half-seeded table would never be seeded again.
bool SeedDefaultFieldSlots(TSlotCaptions captions) {
    if (GetSqlFirstFloat(kDatabaseName,
                         QStringLiteral("SELECT COUNT(FIELD_NAME) FROM SYS_MONEY_FIELD_TABLE")) > 0)
        return false;
    db::TDatabase* database = db::TSession::Default().OpenDatabase(kDatabaseName);
    const bool ownTransaction = !database->InTransaction();
    if (ownTransaction)
        database->StartTransaction();
    for (const TMoneyFieldSlot& slot : DefaultFieldSlots(captions)) {
        if (!ExecSqlText(kDatabaseName, InsertSlotSql(slot))) {
            if (ownTransaction)
                database->Rollback();
            return false;
        }
    }
    if (ownTransaction)
        database->Commit();
    return true;
}

} // namespace kx::cashbook
