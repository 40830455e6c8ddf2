#include "frame/admin/userformrules.h"

#include "core/sqlfunctions.h"

namespace kx {
namespace {

const QString kYes = QStringLiteral("是");

TFieldsData Field(const char* name, const char* caption, bool visible, bool required = false,
                  const char* type = "C", const char* findKind = "") {
    TFieldsData rule;
    rule.FieldName = QString::fromLatin1(name);
    rule.DisplayLabel = QString::fromUtf8(caption);
    rule.Visible = visible;
    rule.Required = required;
    rule.TypeCode = QString::fromLatin1(type);
    rule.FindKind = QString::fromLatin1(findKind);
    return rule;
}

TCheckData Unique(const QString& column, const QString& message) {
    TCheckData check;
    check.BaseSelect =
        QStringLiteral("SELECT ") + column + QStringLiteral(" FROM SYS_USER_TABLE WHERE ");
    check.Links[0] = {column, column, QString(), QString(), QStringLiteral("C")};
    check.NumberField = column;
    check.MustNotExist = true;
    check.Message = message;
    return check;
}

TInsertData Constant(const char* field, const QString& value) {
    TInsertData entry;
    entry.FieldName = QString::fromLatin1(field);
    entry.DisplayLabel = entry.FieldName;
    entry.Kind = QStringLiteral("A");
    entry.Value = value;
    return entry;
}

} // namespace

TFieldsDataArray UserFieldsData() {
    TFieldsDataArray fields{
        Field("USE_ID", "用户编号", true, true, "C", "T"),
        Field("USE_NAME", "用户姓名", true, true, "C", "T"),
        Field("SYS_USER", "是否系统用户", false),
        Field("STOP_RIGHT", "用户状态", true, true, "C", "B"),
        Field("NOTE", "备注", true),
        Field("CREATE_NAME", "建档人员", true),
        Field("CREATE_DATE", "建档日期", true, false, "D"),
        Field("EDIT_NAME", "修改人员", true),
        Field("EDIT_DATE", "修改日期", true, false, "D"),
        Field("USE_PASSWORD", "用户口令", false),
        Field("CREATE_ID", "建档人员编号", true),
        Field("EDIT_ID", "修改人员编号", true),
    };
    fields[3].FindKey = QStringLiteral("有效;停用");
    // Wide enough for the column title.
    fields[3].DisplayWidth = 8;
    return fields;
}

TCheckDataArray UserCheckData() {
    return {Unique(QStringLiteral("USE_ID"), QStringLiteral("用户编号重复")),
            Unique(QStringLiteral("USE_NAME"), QStringLiteral("用户名称重复"))};
}

TInsertDataArray UserInsertData(const QString& userName, const QString& today) {
    return {Constant("USE_PASSWORD", kDefaultPassword), Constant("CREATE_NAME", userName),
            Constant("CREATE_DATE", today), Constant("STOP_RIGHT", QStringLiteral("有效")),
            Constant("SYS_USER", QStringLiteral("否"))};
}

TEditDataArray UserEditData(const QString& userName, const QString& today) {
    return {{QStringLiteral("EDIT_NAME"), QStringLiteral("EDIT_NAME"), userName},
            {QStringLiteral("EDIT_DATE"), QStringLiteral("EDIT_DATE"), today}};
}

QString StopUserRefusal(const QString& sysUser, const QString& status) {
    if (sysUser == kYes && status == QStringLiteral("停用"))
        return QStringLiteral("该用户是系统管理员,不能被停用");
    return QString();
}

QString DeleteUserRefusal(const QString& sysUser) {
    if (sysUser == kYes)
        return QStringLiteral("该用户是系统管理员，不能被删除");
    return QString();
}

QString NewUserPasswordPrompt() {
    return QStringLiteral("新用户的口令是: ") + kDefaultPassword + u' ';
}

QString UserRightsDeleteSql(const QString& userId) {
    return QStringLiteral("DELETE FROM SYS_RIGHT_TABLE WHERE USE_ID = ") + QuotedStr(userId);
}

QStringList LayoutCleanupStatements() {
    QStringList statements;
    for (const char* table : {"SYS_SHOW_INTO_OUT_MONEY_TABLE", "SYS_EMPLOYEE_DBGRID_TABLE",
                              "SYS_MONEY_INTO_OUT_QUERY_TABLE", "SYS_INTO_OUT_ACCOUNT_TABLE",
                              "SYS_MONEY_INTO_OUT_TABLE"})
        statements << QStringLiteral("DELETE FROM ") + QString::fromLatin1(table) +
                          QStringLiteral(
                              " WHERE NOT (USE_ID IN(SELECT  USE_ID FROM SYS_USER_TABLE))");
    return statements;
}

} // namespace kx
