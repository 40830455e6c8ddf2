#include "frame/admin/outdateddeletion.h"

#include "core/sqlfunctions.h"
#include "platform/db/database.h"

#include <QRegularExpression>

namespace kx {

QString CheckDeletionYear(const QString& yearText) {
    const QString year = yearText.trimmed();
    if (year.isEmpty())
        return QStringLiteral("必须输入删除数据的年份");
    // The year goes into the statements as a number, so it must be digits
    // only, whatever reached the edit.
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    if (!fourDigits.match(year).hasMatch())
        return QStringLiteral("错误的年份,正确的年份如2000年是:\"2000\"");
    return QString();
}

QStringList DeletionStatements(TDeleteOption option, const QString& value) {
    switch (option) {
    case TDeleteOption::Year: {
        const QString year = value.trimmed();
        return {
            QStringLiteral("DELETE FROM KX_INTO_OUT_MONEY_TABLE WHERE   EXTRACT(YEAR FROM "
                           "MONEY_DATE) =") +
                year,
            QStringLiteral("DELETE FROM KX_MONEY_DAY_TABLE WHERE   EXTRACT(YEAR FROM "
                           "MONEY_DAY_DATE) =") +
                year,
            QStringLiteral("DELETE FROM KX_MONEY_MONTH_TABLE WHERE  SUBSTRING(MONEY_MONTH FROM 1  "
                           "FOR 4) =") +
                QuotedStr(year),
        };
    }
    case TDeleteOption::Account:
        return {
            QStringLiteral("DELETE FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ACCOUNT_ID  =") +
                QuotedStr(value),
            QStringLiteral("DELETE FROM KX_MONEY_DAY_TABLE WHERE  MONEY_ACCOUNT_ID =") +
                QuotedStr(value),
            QStringLiteral("DELETE FROM KX_MONEY_MONTH_TABLE WHERE  MONEY_ACCOUNT_ID =") +
                QuotedStr(value),
        };
    case TDeleteOption::Employees:
        return {QStringLiteral("DELETE FROM KX_EMPLOYEE_TABLE")};
    case TDeleteOption::AllData:
        return {
            QStringLiteral("DELETE FROM KX_INTO_OUT_MONEY_TABLE"),
            QStringLiteral("DELETE FROM KX_MONEY_MONTH_TABLE"),
            QStringLiteral("DELETE FROM KX_MONEY_DAY_TABLE"),
            QStringLiteral("DELETE FROM KX_INTO_OUT_MONEY_SUM_TABLE"),
            QStringLiteral("DELETE FROM KX_EMPLOYEE_TABLE"),
        };
    }
    return {};
}

namespace {

// True when every statement ran and the transaction was committed.
bool DeleteInOneTransaction(db::TDatabase& database, const QStringList& statements,
                            const std::function<bool(const QString& sql)>& exec) {
    database.StartTransaction();
    try {
        for (const QString& sql : statements) {
            if (!exec(sql)) {
                database.Rollback();
                return false;
            }
        }
        database.Commit();
        return true;
    } catch (...) {
        database.Rollback();
        throw;
    }
}

} // namespace

bool RunDeletion(db::TDatabase& database, const QStringList& statements,
                 const std::function<bool(const QString& sql)>& exec,
                 const std::function<void()>& pack) {
    // Every failure, of the statements or of the engine, ends in the one
    // error message the caller shows.
    try {
        if (!DeleteInOneTransaction(database, statements, exec))
            return false;
        pack();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace kx
