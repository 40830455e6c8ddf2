#include "cashbook/recordentryrules.h"

#include "cashbook/cashbooktables.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/numberformat.h"

namespace kx::cashbook {
namespace {

const QString kMoneyId = QStringLiteral("MONEY_ID");
const QString kRecordId = QStringLiteral("MONEY_RECORD_ID");
constexpr int kNumberWidth = 12;

TCheckData DuplicateCheck(const QString& field, const QString& message) {
    TCheckData check;
    check.Links[0] = {field, field, QString(), QString(), QStringLiteral("C")};
    check.BaseSelect = "SELECT " + field + " FROM " + KX_INTO_OUT_MONEY_TABLE + " WHERE ";
    check.NumberField = field;
    check.Message = message;
    check.AlwaysCheck = true;
    check.MustNotExist = true;
    return check;
}

TInsertData AutoValue(const QString& field, const QString& kind, const QString& value,
                      int width = 0) {
    TInsertData entry;
    entry.FieldName = field;
    entry.DisplayLabel = field;
    entry.Kind = kind;
    entry.Value = value;
    entry.Width = width;
    return entry;
}

} // namespace

TCheckDataArray EntryCheckData(int numberingMode) {
    TCheckDataArray checks;
    if (numberingMode != 3)
        checks.Append(DuplicateCheck(kMoneyId, QStringLiteral("纪录编号重复")));
    checks.Append(DuplicateCheck(kRecordId, QStringLiteral("内部编号重复")));
    return checks;
}

TInsertDataArray EntryInsertData(bool autoRecordNumber, const QString& userName,
                                 const QString& today) {
    const QString constant = QStringLiteral("A");
    TInsertDataArray values;
    if (autoRecordNumber)
        values.Append(AutoValue(kMoneyId, QStringLiteral("M"), QString(), kNumberWidth));
    values.Append(AutoValue(QStringLiteral("CREATE_NAME"), constant, userName));
    values.Append(AutoValue(QStringLiteral("CREATE_DATE"), constant, today));
    values.Append(AutoValue(QStringLiteral("MONEY_DATE"), constant, today));
    values.Append(AutoValue(QStringLiteral("STATUS"), constant, kStatusUnverified));
    values.Append(AutoValue(kRecordId, QStringLiteral("T"), QString(), kNumberWidth));
    return values;
}

void ApplyNumberingScope(const TNumberingScope& scope, const TCheckDataArray& checks,
                         const TInsertDataArray& values) {
    for (TCheckData& check : checks)
        if (check.NumberField == kMoneyId)
            check.ExtraWhere = scope.CheckCondition;
    for (TInsertData& entry : values)
        if (entry.FieldName == kMoneyId)
            entry.ExtraWhere = scope.CounterCondition;
}

void RecheckNumberInNewScope(int numberingMode, const TCheckDataArray& checks) {
    if (numberingMode != 0 && numberingMode != 2)
        return;
    for (TCheckData& check : checks)
        if (check.NumberField == kMoneyId)
            check.Links[0].OldValue.clear();
}

TEntrySaveRefusal EntrySaveRefusal(const TEntrySaveTexts& texts) {
    if (texts.MoneyId.trimmed().isEmpty())
        return {"必须输入" + texts.MoneyIdCaption, TEntryFocus::MoneyId};
    if (texts.MoneyDate.trimmed().isEmpty())
        return {QStringLiteral("必须输入账款日期"), TEntryFocus::MoneyDate};
    if (texts.AccountName.trimmed().isEmpty())
        return {QStringLiteral("资金账号字段必须输入")};
    if (texts.RecordId.isEmpty())
        return {QStringLiteral("必须输入记录编号")};
    if (texts.SubjectId.isEmpty() || texts.SubjectId == kTreeRootId)
        return {QStringLiteral("必须选择帐款类别")};
    return {};
}

QString BadEntryMessage(TEntryInput input, const QString& caption, const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || input == TEntryInput::Text)
        return {};
    double number = 0;
    QDate date;
    const bool valid = input == TEntryInput::Number ? sys::TryStrToFloat(trimmed, number)
                                                    : sys::TryStrToDate(trimmed, date);
    return valid ? QString() : caption + "是错误的数据";
}

ui::TColor StatusPanelColor(const QString& status) {
    constexpr ui::TColor kLightViolet = 0xFFD2FF;
    constexpr ui::TColor kPaleKhaki = 0xC4E1E1;
    return status == kStatusUnverified ? kLightViolet : kPaleKhaki;
}

} // namespace kx::cashbook
