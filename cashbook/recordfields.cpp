#include "cashbook/recordfields.h"

#include "platform/db/dataset.h"
#include "platform/db/fieldtypes.h"

namespace kx::cashbook {

const QList<std::pair<QString, TRecordColumnType>>& RecordStoredColumns() {
    static const QList<std::pair<QString, TRecordColumnType>> columns = {
        {"MONEY_RECORD_ID", {db::ftString, 16}},
        {"MONEY_ID", {db::ftString, 16}},
        {"MONEY_TYPE_ID", {db::ftString, 16}},
        {"MONEY_ACCOUNT_ID", {db::ftString, 16}},
        {"MONEY_DATE", {db::ftDate, 0}},
        {"MONEY_INTO_NUMBER", {db::ftFloat, 0}},
        {"MONEY_OUT_NUMBER", {db::ftFloat, 0}},
        {"MONEY_DEPT_NAME", {db::ftString, 20}},
        {"MONEY_EMPLOYEE_NAME", {db::ftString, 20}},
        {"MONEY_DATE_FIELD1", {db::ftDate, 0}},
        {"MONEY_DATE_FIELD2", {db::ftDate, 0}},
        {"MONEY_TEXT_FIELD1", {db::ftString, 50}},
        {"MONEY_TEXT_FIELD2", {db::ftString, 50}},
        {"MONEY_TEXT_FIELD3", {db::ftString, 50}},
        {"MONEY_TEXT_FIELD4", {db::ftString, 50}},
        {"MONEY_TEXT_FIELD5", {db::ftString, 50}},
        {"MONEY_TEXT_FIELD6", {db::ftString, 160}},
        {"MONEY_TEXT_FIELD7", {db::ftString, 160}},
        {"MONEY_TEXT_NOTE", {db::ftString, 160}},
        {"MONEY_NUMBER_FIELD1", {db::ftFloat, 0}},
        {"MONEY_NUMBER_FIELD2", {db::ftFloat, 0}},
        {"MONEY_NUMBER_FIELD3", {db::ftFloat, 0}},
        {"STATUS", {db::ftString, 10}},
        {"VERIFY_NAME", {db::ftString, 20}},
        {"VERIFY_DATE", {db::ftDate, 0}},
        {"EDIT_NAME", {db::ftString, 20}},
        {"CREATE_NAME", {db::ftString, 20}},
        {"EDIT_DATE", {db::ftDate, 0}},
        {"CREATE_DATE", {db::ftDate, 0}},
        {"CHARGE_OUGHT_ID", {db::ftString, 16}},
    };
    return columns;
}

TRecordColumnType RecordColumnType(const QString& name) {
    for (const auto& [column, type] : RecordStoredColumns())
        if (column == name)
            return type;
    return {};
}

db::TField* AddRecordField(QObject* owner, db::TDataSet& records, const QString& name,
                           db::TFieldType type, int size, db::TFieldKind kind) {
    db::TField* field = db::CreateField(type, owner);
    field->SetFieldName(name);
    field->SetFieldKind(kind);
    if (size > 0)
        field->SetSize(size);
    field->SetDataSet(&records);
    return field;
}

} // namespace kx::cashbook
