#include "core/options.h"

#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "platform/db/field.h"
#include "platform/db/query.h"

#include <QDate>
#include <QSet>

#include <cmath>

namespace kx {
namespace {

const QString kRoot = QStringLiteral("G001");

QString SubtreeClause(const QString& column, const QString& from, const QString& code, int level,
                      const QString& tablePrefix) {
    if (level == 0)
        return {};
    const QString name = tablePrefix.isEmpty() ? column : tablePrefix + "." + column;
    return " SUBSTRING(" + name + from + QString::number(3 * level) + ") = " + QuotedStr(code);
}

// A tree row's parent and name; false when there is no such row.
bool ReadTreeRow(const QString& sql, QString& parent, QString& name) {
    const std::unique_ptr<db::TQuery> query = OpenSqlQuery(kDatabaseName, sql);
    if (query->IsEmpty())
        return false;
    parent = query->Fields()[0]->AsString();
    name = query->Fields()[1]->AsString();
    return true;
}

// The names from the top down to the row, joined by the separator. A row
// met a second time (a loop in the stored tree) ends the walk there.
QString TreePath(const QString& select, const QString& id, const QString& separator,
                 QSet<QString>& seen) {
    if (seen.contains(id))
        return {};
    seen.insert(id);
    QString parent;
    QString name;
    if (!ReadTreeRow(select + QuotedStr(id), parent, name))
        return {};
    if (parent == kRoot)
        return name;
    return TreePath(select, parent, separator, seen) + separator + name;
}

} // namespace

QString GetOption(const QString& nameId) {
    return GetSqlFirstValue(kDatabaseName, "SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = " +
                                               QuotedStr(nameId));
}

QString GetOptionText(const QString& nameId) {
    return GetOption(nameId);
}

bool IsOptionYes(const QString& nameId) {
    return GetOption(nameId) == QStringLiteral("是");
}

void SetOption(const QString& nameId, const QString& value) {
    const double rows =
        GetSqlFirstFloat(kDatabaseName, "SELECT COUNT(AUTO_ID) FROM SYS_ID_TABLE WHERE NAME_ID = " +
                                            QuotedStr(nameId));
    const QString sql = rows > 0 ? "UPDATE SYS_ID_TABLE SET AUTO_ID = " + QuotedStr(value) +
                                       "  WHERE NAME_ID = " + QuotedStr(nameId)
                                 : "INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES(" +
                                       QuotedStr(nameId) + "," + QuotedStr(value) + ")";
    if (!ExecSqlText(kDatabaseName, sql))
        ShowPromptMessageTo(nullptr, QStringLiteral("参数保存过程发生错误"));
}

void LoadNumberingMode() {
    const QString mode = GetOption(QStringLiteral("分类编号"));
    AppNumberingMode = mode.isEmpty() ? 1 : static_cast<int>(std::lround(MoneyTextToFloat(mode)));
}

void RefreshToday() {
    AppToday = QDate::currentDate().toString(Qt::ISODate);
}

QString MoneyTypePrefixClause(const QString& code, int level, const QString& tablePrefix) {
    return SubtreeClause(QStringLiteral("MONEY_TYPE_ID"), QStringLiteral(" FROM 1  FOR  "), code,
                         level, tablePrefix);
}

QString MoneyTypeCodeClause(const QString& code, const QString& tablePrefix) {
    const int level = static_cast<int>(std::lround(code.size() / 3.0));
    return MoneyTypePrefixClause(code, level, tablePrefix);
}

QString CompanyPrefixClause(const QString& code, int level, const QString& tablePrefix) {
    const QString from = tablePrefix.isEmpty() ? QStringLiteral(" FROM 1  FOR  ")
                                               : QStringLiteral(" FROM  1  FOR  ");
    return SubtreeClause(QStringLiteral("COMPANY_ID"), from, code, level, tablePrefix);
}

QString GetMoneyTypePath(const QString& moneyTypeId) {
    QSet<QString> seen;
    return TreePath(QStringLiteral("SELECT PRIOR_ID,MONEY_TYPE_NAME FROM "
                                   "KX_MONEY_INTO_OUT_TYPE_TABLE WHERE MONEY_TYPE_ID = "),
                    moneyTypeId, QStringLiteral("-"), seen);
}

QString GetTopMoneyType(const QString& moneyTypeId) {
    if (moneyTypeId == kRoot)
        return {};
    QSet<QString> seen;
    QString current = moneyTypeId;
    for (;;) {
        const QString previous = current;
        seen.insert(previous);
        current = GetSqlFirstValue(
            kDatabaseName,
            "SELECT PRIOR_ID FROM KX_MONEY_INTO_OUT_TYPE_TABLE WHERE MONEY_TYPE_ID = " +
                QuotedStr(previous));
        if (current == kRoot)
            return previous;
        if (seen.contains(current) || current == QStringLiteral("G002"))
            return {};
    }
}

QString GetCompanyPath(const QString& companyId) {
    QSet<QString> seen;
    return TreePath(
        QStringLiteral("SELECT PRIOR_ID,COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = "),
        companyId, QString(), seen);
}

QString GetCompanyPath2(const QString& companyId) {
    return GetCompanyPath(companyId);
}

} // namespace kx
