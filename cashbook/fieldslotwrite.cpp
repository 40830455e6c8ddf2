#include "cashbook/fieldslotwrite.h"

#include "cashbook/entrylayout.h"
#include "cashbook/fieldkinds.h"
#include "core/datamodule.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"

namespace kx {
namespace {

const QString kSaveError = QStringLiteral("设置保存错误");

TFieldSlotOutcome Refuse(const QString& text, TFieldSlotControl focus = TFieldSlotControl::None) {
    TFieldSlotOutcome outcome;
    outcome.Refusal = text;
    outcome.Focus = focus;
    return outcome;
}

TFieldSlotOutcome Saved(const QString& fieldName, const QString& caption, const QString& findType) {
    TFieldSlotOutcome outcome;
    outcome.Done = true;
    outcome.FieldName = fieldName;
    outcome.DisplayName = caption;
    outcome.FindType = findType;
    return outcome;
}

// The row the slot itself holds: its column in its own slot number. The
// column may stand in another slot instead (slot 2 opens on the record date
// even when some other slot holds it), and that row is not this slot's.
QString OwnRowCondition(const TFieldSlotEntry& entry) {
    return QStringLiteral("FIELD_NAME = %1 AND FIELD_ORDER = %2")
        .arg(QuotedStr(entry.FieldName), QString::number(MoneyTextToFloat(entry.Order), 'g', 15));
}

bool DeleteOwnRow(const TFieldSlotEntry& entry) {
    return ExecSqlText(kDatabaseName,
                       "DELETE FROM SYS_MONEY_FIELD_TABLE WHERE " + OwnRowCondition(entry));
}

// Another slot already shows the caption. The slot's own row does not
// count: its caption goes with it when the slot changes its column.
bool CaptionTaken(const TFieldSlotEntry& entry, const QString& caption, const QString& column) {
    return GetSqlFirstFloat(kDatabaseName,
                            "SELECT Count(FIELD_NAME) FROM SYS_MONEY_FIELD_TABLE WHERE "
                            "FIELD_DISPLAY_NAME = " +
                                QuotedStr(caption) + " AND FIELD_NAME <> " + QuotedStr(column) +
                                " AND NOT (" + OwnRowCondition(entry) + ")") > 0;
}

void FillRow(db::TQuery& query, const QString& column, const QString& caption,
             const TFieldKindDefaults& defaults, const QString& findType,
             const TFieldSlotEntry& entry) {
    query.FieldByName("FIELD_NAME")->SetAsString(column);
    query.FieldByName("FIELD_DISPLAY_NAME")->SetAsString(caption);
    query.FieldByName("FIELD_TYPE")->SetAsString(defaults.FieldType);
    query.FieldByName("FIELD_WIDTH")->SetAsString(defaults.FieldWidth);
    query.FieldByName("FIELD_DISPLAY_WIDTH")->SetAsString(defaults.DisplayWidth);
    query.FieldByName("FIELD_ORDER_TYPE")
        ->SetAsString(entry.SortField ? QStringLiteral("是") : QStringLiteral("否"));
    query.FieldByName("FIELD_FIND_TYPE")->SetAsString(findType);
    query.FieldByName("FIELD_ORDER")->SetAsString(entry.Order);
}

// The slot's old row goes when it changes its column; then the query's row
// is written. False when the old row could not be deleted.
bool WriteRow(db::TQuery& query, const QString& column, const QString& caption,
              const TFieldKindDefaults& defaults, const QString& findType,
              const TFieldSlotEntry& entry) {
    if (column != entry.FieldName && !entry.FieldName.isEmpty() && !DeleteOwnRow(entry))
        return false;
    if (query.IsEmpty())
        query.Append();
    else
        query.Edit();
    FillRow(query, column, caption, defaults, findType, entry);
    query.Post();
    return true;
}

bool WriteRowInTransaction(db::TQuery& query, const QString& column, const QString& caption,
                           const TFieldKindDefaults& defaults, const QString& findType,
                           const TFieldSlotEntry& entry) {
    db::TDatabase* database = query.Database();
    const bool ownTransaction = !database->InTransaction();
    if (ownTransaction)
        database->StartTransaction();
    bool written = false;
    try {
        written = WriteRow(query, column, caption, defaults, findType, entry);
    } catch (...) {
        if (query.State() == db::dsInsert || query.State() == db::dsEdit)
            query.Cancel();
        if (ownTransaction)
            database->Rollback();
        throw;
    }
    if (ownTransaction)
        written ? database->Commit() : database->Rollback();
    return written;
}

} // namespace

TFieldSlotOutcome ConfirmFieldSlot(db::TQuery& query, const TFieldSlotEntry& entry) {
    const QString caption = entry.Caption.trimmed();
    if (caption.isEmpty()) {
        if (entry.KeySlot)
            return Refuse(QStringLiteral("该字段是关键字段,必须输入字段名称"),
                          TFieldSlotControl::Caption);
        if (!DeleteOwnRow(entry))
            return Refuse(kSaveError);
        return Saved(QString(), kFreeSlotCaption, QString());
    }
    if (entry.Kind.trimmed().isEmpty())
        return Refuse(QStringLiteral("必须选择一个字段"), TFieldSlotControl::Kind);
    if (entry.InputMode.trimmed().isEmpty())
        return Refuse(QStringLiteral("必须选择输入方式"), TFieldSlotControl::InputMode);
    if (entry.Kind == QStringLiteral("编号字段") && entry.Order != QLatin1String("1"))
        return Refuse(QStringLiteral("第一个字段才能是\"编号字段\""), TFieldSlotControl::Kind);
    if (entry.Kind == QStringLiteral("备注字段") && entry.Order != QLatin1String("21"))
        return Refuse(QStringLiteral("最后一个字段才能是\"备注字段\""), TFieldSlotControl::Kind);

    const QString column = FieldKindColumn(entry.Kind);
    if (CaptionTaken(entry, caption, column))
        return Refuse(QStringLiteral("字段名称重复"), TFieldSlotControl::Caption);
    query.Close();
    query.SQL().SetText("SELECT * FROM SYS_MONEY_FIELD_TABLE WHERE FIELD_NAME = " +
                        QuotedStr(column));
    query.Open();
    const std::optional<TFieldKindDefaults> defaults = FieldKindDefaults(column);
    if (!defaults)
        return Refuse(QStringLiteral("字段类别错误"));
    if (!query.IsEmpty() && MoneyTextToFloat(query.FieldByName("FIELD_ORDER")->AsString()) !=
                                MoneyTextToFloat(entry.Order))
        return Refuse(QStringLiteral("该字段已被定义为：") +
                      query.FieldByName("FIELD_DISPLAY_NAME")->AsString() +
                      QStringLiteral("\r\n不能重复定义"));

    const QString findType = WrittenFindType(*defaults, entry.InputMode);
    if (!WriteRowInTransaction(query, column, caption, *defaults, findType, entry))
        return Refuse(kSaveError);
    return Saved(column, caption, findType);
}

} // namespace kx
