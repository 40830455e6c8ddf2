#include "tests/frame/kxqueryfixture.h"

#include "core/sqlfunctions.h"
#include "platform/db/field.h"

#include <memory>

namespace kx::test {

KXQueryTest::KXQueryTest() {
    messages_.answer = true;
}

void KXQueryTest::Exec(const QString& sql) {
    ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)) << sql.toStdString();
}

QStringList KXQueryTest::Column(const QString& sql) {
    const std::unique_ptr<db::TQuery> query = OpenSqlQuery(kDatabaseName, sql);
    QStringList values;
    for (; !query->Eof(); query->Next())
        values.append(query->Fields()[0]->AsString());
    return values;
}

QString KXQueryTest::Value(const QString& sql) {
    return GetSqlFirstValue(kDatabaseName, sql);
}

TKXQuery* KXQueryTest::NewQuery(const QString& table, const QStringList& columns,
                                const QStringList& keys) {
    auto* query = new TKXQuery(&window_);
    query->setObjectName(QStringLiteral("Query"));
    query->SetDatabaseName(kDatabaseName);
    query->SetCachedUpdates(true);
    QStringList parameters;
    QStringList assignments;
    for (const QString& column : columns) {
        parameters.append(':' + column);
        assignments.append("  " + column + " = :" + column + (column == columns.last() ? "" : ","));
    }
    QStringList where{QStringLiteral("where")};
    for (const QString& key : keys)
        where.append("  " + key + " = :OLD_" + key + (key == keys.last() ? "" : " and"));
    auto* update = new db::TUpdateSQL(&window_);
    update->InsertSQL().SetLines({"insert into " + table, "  (" + columns.join(", ") + ")",
                                  "values", "  (" + parameters.join(", ") + ")"});
    update->ModifySQL().SetLines(QStringList{"update " + table, "set"} + assignments + where);
    update->DeleteSQL().SetLines(QStringList{"delete from " + table} + where);
    query->SetUpdateObject(update);
    query->SetTableName(table);
    return query;
}

TKXQuery* KXQueryTest::MoneyQuery() {
    TKXQuery* query = NewQuery("KX_INTO_OUT_MONEY_TABLE",
                               {"MONEY_RECORD_ID", "MONEY_ID", "MONEY_TYPE_ID", "MONEY_ACCOUNT_ID",
                                "MONEY_DATE", "MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER",
                                "MONEY_TEXT_NOTE", "STATUS", "VERIFY_NAME", "VERIFY_DATE",
                                "EDIT_NAME", "EDIT_DATE", "CREATE_NAME", "CREATE_DATE"},
                               {"MONEY_RECORD_ID", "MONEY_ID", "MONEY_TYPE_ID"});
    query->YearMonthPrefix = "200703";
    query->DayPrefix = "20070305";
    query->UserName = "李四";
    query->Today = "2007-03-06";
    query->ActiveStatus = true;
    query->SetStatusEditValue("未审核");

    TFieldsDataArray fields;
    const auto field = [&](const char* name, const char* label, const char* type) {
        TFieldsData data;
        data.FieldName = name;
        data.DisplayLabel = label;
        data.TypeCode = type;
        data.Visible = true;
        fields.Append(data);
    };
    field("MONEY_ID", "资金借贷编号", "C");
    field("MONEY_DATE", "日期", "D");
    field("MONEY_INTO_NUMBER", "借入金额", "N");
    field("MONEY_OUT_NUMBER", "贷出金额", "N");
    field("MONEY_TEXT_NOTE", "摘要", "C");
    field("STATUS", "状态", "C");
    fields[1].Required = true;
    query->SetFieldsData(fields);

    TInsertDataArray values;
    const auto value = [&](const char* name, const char* kind, const char* text, int width) {
        TInsertData data;
        data.FieldName = name;
        data.DisplayLabel = name;
        data.Kind = kind;
        data.Value = text;
        data.Width = width;
        values.Append(data);
    };
    value("MONEY_RECORD_ID", "T", "", 0);
    value("MONEY_ID", "M", "", 12);
    value("STATUS", "A", "未审核", 0);
    value("CREATE_NAME", "A", "张三", 0);
    value("CREATE_DATE", "A", "2007-03-05", 0);
    values[1].DisplayLabel = "资金借贷编号";
    query->SetInsertData(values);

    TCheckData duplicate;
    duplicate.BaseSelect = "SELECT MONEY_ID FROM KX_INTO_OUT_MONEY_TABLE WHERE ";
    duplicate.Links[0] = {"MONEY_ID", "MONEY_ID", "", "", "C"};
    duplicate.NumberField = "MONEY_ID";
    duplicate.MustNotExist = true;
    duplicate.Message = "资金借贷编号重复";
    query->SetCheckData({duplicate});

    query->SetEditData({{"EDIT_NAME", "", "张三"}, {"EDIT_DATE", "", "2007-03-05"}});
    return query;
}

void KXQueryTest::AddMoneyRecord(const QString& recordId, const QString& moneyId,
                                 const QString& typeId, double in, const QString& status) {
    Exec(QStringLiteral("INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, "
                        "MONEY_TYPE_ID, MONEY_DATE, MONEY_INTO_NUMBER, STATUS) VALUES "
                        "(%1, %2, %3, '2007-03-01', %4, %5)")
             .arg(QuotedStr(recordId), QuotedStr(moneyId), QuotedStr(typeId))
             .arg(in)
             .arg(QuotedStr(status)));
}

TKXQuery* KXQueryTest::SubjectQuery(const QString& parent) {
    TKXQuery* query = NewQuery("KX_MONEY_INTO_OUT_TYPE_TABLE",
                               {"MONEY_TYPE_ID", "PRIOR_ID", "MONEY_TYPE_NAME", "ORDER_ID", "NOTE",
                                "CREATE_NAME", "EDIT_NAME", "CREATE_DATE", "EDIT_DATE"},
                               {"MONEY_TYPE_ID"});
    const QString withinParent = "  PRIOR_ID = " + QuotedStr(parent);

    TFieldsDataArray fields;
    for (const auto& [name, label] :
         {std::pair{"ORDER_ID", "纪录编号"}, std::pair{"MONEY_TYPE_NAME", "借贷科目"},
          std::pair{"NOTE", "备注"}}) {
        TFieldsData data;
        data.FieldName = name;
        data.DisplayLabel = label;
        data.TypeCode = "C";
        data.Visible = true;
        data.Required = data.FieldName != "NOTE";
        fields.Append(data);
    }
    query->SetFieldsData(fields);

    TCheckData sameOrder;
    sameOrder.BaseSelect = "SELECT MONEY_TYPE_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE ";
    sameOrder.Links[0] = {"PRIOR_ID", "PRIOR_ID", "", "", "C"};
    sameOrder.Links[1] = {"ORDER_ID", "ORDER_ID", "", "", "C"};
    sameOrder.NumberField = "ORDER_ID";
    sameOrder.MustNotExist = true;
    sameOrder.NoRenumber = true;
    sameOrder.Message = "序号重复";
    TCheckData sameCode = sameOrder;
    sameCode.Links = {};
    sameCode.Links[0] = {"MONEY_TYPE_ID", "MONEY_TYPE_ID", "", "", "C"};
    sameCode.NumberField = "MONEY_TYPE_ID";
    sameCode.NoRenumber = false;
    sameCode.Message = "纪录编号重复";
    query->SetCheckData({sameOrder, sameCode});

    TInsertData code;
    code.FieldName = "MONEY_TYPE_ID";
    code.DisplayLabel = "科目编号";
    code.Kind = "C";
    code.Width = 3;
    code.Prefix = parent == "G001" ? QString() : parent;
    code.ExtraWhere = withinParent;
    TInsertData prior;
    prior.FieldName = "PRIOR_ID";
    prior.Kind = "A";
    prior.Value = parent;
    TInsertData order;
    order.FieldName = "ORDER_ID";
    order.Kind = "C";
    order.ExtraWhere = withinParent;
    query->SetInsertData({code, prior, order});
    query->SetEditData({{"EDIT_NAME", "", "张三"}, {"EDIT_DATE", "", "2007-03-05"}});
    return query;
}

void KXQueryTest::AddSubject(const QString& id, const QString& parent, const QString& name,
                             int order) {
    Exec(QStringLiteral("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, "
                        "MONEY_TYPE_NAME, ORDER_ID) VALUES (%1, %2, %3, %4)")
             .arg(QuotedStr(id), QuotedStr(parent), QuotedStr(name))
             .arg(order));
}

} // namespace kx::test
