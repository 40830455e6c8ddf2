#include "staff/employeefieldslot.h"

#include "core/datamodule.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/session.h"

#include <iterator>

namespace kx::staff {
namespace {

const QString kSaveError = QStringLiteral("设置保存错误");

TSlotOutcome Refuse(const QString& message, TSlotFocus focus) {
    TSlotOutcome outcome;
    outcome.Message = message;
    outcome.Focus = focus;
    return outcome;
}

QString DeleteSql(const QString& column) {
    return "DELETE FROM SYS_EMPLOYEE_FIELD_TABLE WHERE FIELD_NAME = " + QuotedStr(column);
}

QString Quoted(const char* text) {
    return '"' + QString::fromUtf8(text) + '"';
}

// The refusal of a key category outside its own slot; empty when it fits.
QString KeyCategoryRefusal(const QString& column, int slot) {
    const int own = KeyColumnSlot(column);
    if (own == 0 || own == slot)
        return {};
    if (own == kIdSlot)
        return QStringLiteral("第一个字段才能是") + Quoted("编号字段");
    if (own == kNameSlot)
        return QStringLiteral("第二个字段才能是") + Quoted("名称字段");
    return QStringLiteral("最后一个字段才能是") + Quoted("备注字段");
}

TSlotOutcome RemoveSlot(const TSlotRequest& request) {
    if (!request.FormerColumn.isEmpty() &&
        !ExecSqlText(kDatabaseName, DeleteSql(request.FormerColumn)))
        return Refuse(kSaveError, TSlotFocus::None);
    TSlotOutcome outcome;
    outcome.Saved = true;
    outcome.Removed = true;
    outcome.Stored.DisplayName = kFreeSlotCaption;
    return outcome;
}

bool CaptionTaken(const QString& caption, const QString& column, const QString& former) {
    QString sql = "SELECT Count(FIELD_NAME) FROM SYS_EMPLOYEE_FIELD_TABLE WHERE "
                  "FIELD_DISPLAY_NAME = " +
                  QuotedStr(caption) + " AND FIELD_NAME <> " + QuotedStr(column);
    // The slot's own former row goes when the slot moves to another column.
    if (!former.isEmpty())
        sql += " AND FIELD_NAME <> " + QuotedStr(former);
    return GetSqlFirstFloat(kDatabaseName, sql) > 0;
}

struct TStoredRow {
    bool Exists = false;
    QString DisplayName;
    double Order = 0;
};

TStoredRow ReadRow(const QString& column) {
    const auto query =
        OpenSqlQuery(kDatabaseName, "SELECT * FROM SYS_EMPLOYEE_FIELD_TABLE WHERE FIELD_NAME = " +
                                        QuotedStr(column));
    if (query->IsEmpty())
        return {};
    return {true, query->FieldByName(QStringLiteral("FIELD_DISPLAY_NAME"))->AsString(),
            MoneyTextToFloat(query->FieldByName(QStringLiteral("FIELD_ORDER"))->AsString())};
}

QString WriteSql(const TEmployeeFieldRow& row, bool exists, bool keepOrder) {
    const QString values[] = {QuotedStr(row.DisplayName),      QuotedStr(row.FieldType),
                              QString::number(row.FieldWidth), QString::number(row.DisplayWidth),
                              QuotedStr(row.OrderType),        QuotedStr(row.FindType),
                              QString::number(row.Order)};
    if (!exists)
        return "INSERT INTO SYS_EMPLOYEE_FIELD_TABLE(FIELD_NAME,FIELD_DISPLAY_NAME,FIELD_TYPE,"
               "FIELD_WIDTH,FIELD_DISPLAY_WIDTH,FIELD_ORDER_TYPE,FIELD_FIND_TYPE,FIELD_ORDER) "
               "VALUES(" +
               QuotedStr(row.FieldName) + ',' +
               QStringList(std::begin(values), std::end(values)).join(',') + ')';
    QString sql = "UPDATE SYS_EMPLOYEE_FIELD_TABLE SET FIELD_DISPLAY_NAME = " + values[0] +
                  ", FIELD_TYPE = " + values[1] + ", FIELD_WIDTH = " + values[2] +
                  ", FIELD_DISPLAY_WIDTH = " + values[3] + ", FIELD_ORDER_TYPE = " + values[4] +
                  ", FIELD_FIND_TYPE = " + values[5];
    if (!keepOrder)
        sql += ", FIELD_ORDER = " + values[6];
    return sql + " WHERE FIELD_NAME = " + QuotedStr(row.FieldName);
}

// Deleting the former row and writing the new one, together or not at all.
bool WriteSlot(const QStringList& statements) {
    db::TDatabase* database = db::TSession::Default().OpenDatabase(kDatabaseName);
    const bool ownTransaction = !database->InTransaction();
    if (ownTransaction)
        database->StartTransaction();
    for (const QString& sql : statements) {
        if (!ExecSqlText(kDatabaseName, sql)) {
            if (ownTransaction)
                database->Rollback();
            return false;
        }
    }
    if (ownTransaction)
        database->Commit();
    return true;
}

} // namespace

bool IsKeySlot(int slot) {
    return slot == kIdSlot || slot == kNameSlot || slot == kNoteSlot;
}

TSlotOutcome SaveEmployeeFieldSlot(const TSlotRequest& request) {
    const QString caption = request.Caption.trimmed();
    if (caption.isEmpty()) {
        if (IsKeySlot(request.Slot))
            return Refuse(QStringLiteral("该字段是关键字段,必须输入字段名称"), TSlotFocus::Caption);
        return RemoveSlot(request);
    }
    if (request.Category.isEmpty())
        return Refuse(QStringLiteral("必须选择一个字段"), TSlotFocus::Category);
    if (request.InputMode.isEmpty())
        return Refuse(QStringLiteral("必须选择输入方式"), TSlotFocus::InputMode);
    const QString column = CategoryToColumn(request.Category);
    const QString keyRefusal = KeyCategoryRefusal(column, request.Slot);
    if (!keyRefusal.isEmpty())
        return Refuse(keyRefusal, TSlotFocus::Category);
    const QString former = request.FormerColumn == column ? QString() : request.FormerColumn;
    if (CaptionTaken(caption, column, former))
        return Refuse(QStringLiteral("字段名称重复"), TSlotFocus::Caption);
    const std::optional<TColumnDefaults> defaults = GetColumnDefaults(column);
    if (!defaults)
        return Refuse(QStringLiteral("字段类别错误"), TSlotFocus::None);
    const TStoredRow stored = ReadRow(column);
    // Key columns keep the order they are stored with (the list's columns
    // follow it); they cannot stand in another slot anyway.
    const bool keyColumn = IsKeyColumn(column);
    if (stored.Exists && !keyColumn && stored.Order != request.Slot)
        return Refuse(QStringLiteral("该字段已被定义为：") + stored.DisplayName +
                          QStringLiteral("\r\n不能重复定义"),
                      TSlotFocus::None);

    TEmployeeFieldRow row;
    row.FieldName = column;
    row.DisplayName = caption;
    row.FieldType = defaults->FieldType;
    row.FieldWidth = defaults->FieldWidth;
    row.DisplayWidth = defaults->DisplayWidth;
    row.OrderType = request.Sortable ? kSortFlagYes : QStringLiteral("否");
    row.FindType = request.InputMode == kChosenInput && row.FieldType == u"String"
                       ? QStringLiteral("DT")
                       : defaults->FindType;
    row.Order = keyColumn && stored.Exists ? stored.Order : request.Slot;
    QStringList statements;
    if (!former.isEmpty())
        statements.append(DeleteSql(former));
    statements.append(WriteSql(row, stored.Exists, keyColumn));
    if (!WriteSlot(statements))
        return Refuse(kSaveError, TSlotFocus::None);
    TSlotOutcome outcome;
    outcome.Saved = true;
    outcome.Stored = row;
    return outcome;
}

} // namespace kx::staff
