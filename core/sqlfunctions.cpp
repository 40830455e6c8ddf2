#include "core/sqlfunctions.h"

#include "core/messages.h"
#include "core/moneytext.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/variants.h"
#include "platform/sys/numberformat.h"

#include <QComboBox>

namespace kx {
namespace {

std::unique_ptr<db::TQuery> NewQuery(const QString& databaseName, const QString& sqlText) {
    auto query = std::make_unique<db::TQuery>();
    query->SetDatabaseName(databaseName);
    query->SetAutoCalcFields(false);
    query->SetParamCheck(false);
    query->SQL().SetText(sqlText);
    return query;
}

} // namespace

QString QuotedStr(const QString& text) {
    return u'\'' + QString(text).replace(u'\'', QLatin1String("''")) + u'\'';
}

bool ExecSqlText(const QString& databaseName, const QString& sqlText) {
    try {
        NewQuery(databaseName, sqlText)->ExecSQL();
        return true;
    } catch (...) {
        return false;
    }
}

bool ExecSqlFormat(const QString& databaseName, const QString& format, const QVariantList& args) {
    return ExecSqlText(databaseName, sys::Format(format, args));
}

std::unique_ptr<db::TQuery> OpenSqlQuery(const QString& databaseName, const QString& sqlText) {
    std::unique_ptr<db::TQuery> query = NewQuery(databaseName, sqlText);
    query->Open();
    return query;
}

std::unique_ptr<db::TQuery> OpenSqlQueryFocus(const QString& databaseName, const QString& sqlText,
                                              QWidget* window) {
    std::unique_ptr<db::TQuery> query = NewQuery(databaseName, sqlText);
    try {
        query->Open();
    } catch (...) {
        ForceForegroundFocus(window);
        throw;
    }
    return query;
}

QString GetSqlFirstValue(const QString& databaseName, const QString& sqlText) {
    const std::unique_ptr<db::TQuery> query = OpenSqlQuery(databaseName, sqlText);
    if (query->IsEmpty())
        return {};
    return query->Fields()[0]->AsString();
}

QString GetSqlFirstValueFormat(const QString& databaseName, const QString& format,
                               const QVariantList& args) {
    return GetSqlFirstValue(databaseName, sys::Format(format, args));
}

double GetSqlFirstFloat(const QString& databaseName, const QString& sqlText) {
    const std::unique_ptr<db::TQuery> query = OpenSqlQuery(databaseName, sqlText);
    if (query->IsEmpty())
        return 0;
    return MoneyTextToFloat(query->Fields()[0]->AsString());
}

QVariant GetSqlFirstRow(const QString& databaseName, const QString& sqlText) {
    const std::unique_ptr<db::TQuery> query = OpenSqlQuery(databaseName, sqlText);
    if (query->IsEmpty())
        return db::NullVariant();
    if (query->FieldCount() == 1)
        return query->Fields()[0]->Value();
    QVariantList values;
    for (db::TField* field : query->Fields())
        values.append(field->Value());
    return values;
}

QVariant GetSqlFirstRowFormat(const QString& databaseName, const QString& format,
                              const QVariantList& args) {
    return GetSqlFirstRow(databaseName, sys::Format(format, args));
}

void FillComboFromQuery(QComboBox* combo, db::TQuery& query, const QString& fieldName) {
    QStringList items;
    query.DisableControls();
    try {
        db::TField* field = query.FieldByName(fieldName);
        for (query.First(); !query.Eof(); query.Next())
            items.append(field->AsString());
    } catch (...) {
        query.EnableControls();
        throw;
    }
    query.EnableControls();
    combo->clear();
    combo->addItems(items);
}

} // namespace kx
