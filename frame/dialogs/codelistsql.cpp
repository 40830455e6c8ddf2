#include "frame/dialogs/codelistsql.h"

#include "core/sqlfunctions.h"

namespace kx {
namespace {

// The pattern keeps LIKE's wildcards the user may type; only the quotes are
// doubled.
QString ContainsPattern(const QString& text) {
    return QuotedStr(u'%' + text + u'%');
}

TFieldsData Rule(const QString& field, const QString& caption, const QString& type, bool required) {
    TFieldsData rule;
    rule.FieldName = field;
    rule.DisplayLabel = caption;
    rule.TypeCode = type;
    rule.Required = required;
    rule.Visible = true;
    return rule;
}

} // namespace

QString CodeListSelect(const QString& table, const QString& field) {
    return "SELECT *  FROM " + table + " ORDER BY " + field;
}

QString CodeListSearchSql(const QString& table, const QString& field, const QString& searchText) {
    return "SELECT * FROM " + table + " WHERE " + field + " LIKE " +
           ContainsPattern(searchText.trimmed()) + " ORDER BY " + field;
}

TCodeListUpdateLines CodeListUpdateLines(const QString& table, const QString& field) {
    TCodeListUpdateLines lines;
    lines.Modify = {"UPDATE " + table,
                    QStringLiteral("SET"),
                    "  " + field + " = :" + field + ",",
                    QStringLiteral("  EDIT_NAME = :EDIT_NAME,"),
                    QStringLiteral("  EDIT_DATE = :EDIT_DATE,"),
                    QStringLiteral("  CREATE_NAME = :CREATE_NAME,"),
                    QStringLiteral("  CREATE_DATE = :CREATE_DATE"),
                    QStringLiteral("WHERE"),
                    "  " + field + " = :OLD_" + field};
    lines.Insert = {"INSERT INTO " + table,
                    "  (" + field + ", EDIT_NAME, EDIT_DATE, CREATE_NAME, CREATE_DATE)",
                    QStringLiteral("VALUES"),
                    "  (:" + field + ", :EDIT_NAME, :EDIT_DATE, :CREATE_NAME, :CREATE_DATE)"};
    lines.Delete = {"DELETE FROM " + table, QStringLiteral("WHERE"),
                    "  " + field + " = :OLD_" + field};
    return lines;
}

TFieldsDataArray CodeListFieldRules() {
    return {
        Rule(QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"), QStringLiteral("C"), true),
        Rule(QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"), QStringLiteral("C"), false),
        Rule(QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"), QStringLiteral("D"), false),
        Rule(QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), QStringLiteral("C"), false),
        Rule(QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), QStringLiteral("D"), false)};
}

void SetCodeListValueRule(const TFieldsDataArray& rules, const QString& field,
                          const QString& caption) {
    rules[0].FieldName = field;
    rules[0].DisplayLabel = caption;
}

TCheckData CodeListDuplicateCheck(const QString& table, const QString& field,
                                  const QString& caption) {
    TCheckData check;
    check.Links[0].FieldName = field;
    check.Links[0].ColumnName = field;
    check.Links[0].Kind = QStringLiteral("C");
    check.BaseSelect = "SELECT " + field + " FROM " + table + " WHERE ";
    check.NumberField = field;
    check.Message = caption + "重复";
    check.MustNotExist = true;
    return check;
}

QString PickTextValueSql(const QString& column, const QString& table, const QString& text) {
    return "SELECT " + column + " FROM " + table + " WHERE " + column + "  LIKE " +
           ContainsPattern(text) + " ORDER BY " + column;
}

} // namespace kx
