#include "tests/platform/db/dbfixture.h"

#include "platform/db/field.h"

namespace kx::db::test {

DbTest::DbTest() : database_(std::make_unique<TDatabase>()) {
    database_->SetAliasName(QStringLiteral("RUReravezLink"));
    database_->SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    database_->SetLoginPrompt(false);
}

void DbTest::Exec(const QStringList& statements) {
    TQuery query;
    query.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    query.SetParamCheck(false);
    for (const QString& sql : statements) {
        query.SQL().SetText(sql);
        query.ExecSQL();
    }
}

QStringList DbTest::Column(const QString& sql) {
    TQuery query;
    query.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    query.SetParamCheck(false);
    query.SQL().SetText(sql);
    query.Open();
    QStringList values;
    for (; !query.Eof(); query.Next())
        values.append(query.Fields()[0]->AsString());
    return values;
}

TQuery* DbTest::NewQuery(const QString& sql, bool live) {
    auto* query = new TQuery(&owner_);
    query->SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    query->SetRequestLive(live);
    query->SQL().SetText(sql);
    return query;
}

} // namespace kx::db::test
