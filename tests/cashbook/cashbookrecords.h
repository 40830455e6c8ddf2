#pragma once
// A small cash book for the statistics and drill-down tests: subjects on
// two levels whose ORDER_ID order differs from their codes, two fund
// accounts, and records written straight into the database or verified
// through the ledger posting so that day and month ledger rows exist.

#include "cashbook/ledgerposting.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/sqlfunctions.h"
#include "tests/core/programfixture.h"

#include <QString>

#include <gtest/gtest.h>

namespace kx::test {

class CashBookRecords {
public:
    CashBookRecords() {
        AppUserId = QStringLiteral("U01");
        AppUserName = QStringLiteral("王会计");
        AppToday = QStringLiteral("2008-09-30");
        // 002 comes before 001 in the tree; 001002 has no records at all.
        for (const char* subject :
             {"'002','G001','支出',1", "'001','G001','收入',2", "'001001','001','销售',1",
              "'001002','001','利息',2", "'001001001','001001','零售',1"})
            Exec(QStringLiteral("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, "
                                "PRIOR_ID, MONEY_TYPE_NAME, ORDER_ID) VALUES (%1)")
                     .arg(QString::fromUtf8(subject)));
        for (const char* account : {"'001','G001','现金',1", "'002','G001','银行',2"})
            Exec(QStringLiteral("INSERT INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, "
                                "MONEY_ACCOUNT_NAME, ORDER_ID) VALUES (%1)")
                     .arg(QString::fromUtf8(account)));
    }

    static void Exec(const QString& sql) {
        ASSERT_TRUE(ExecSqlText(kDatabaseName, sql)) << sql.toStdString();
    }
    static QString Value(const QString& sql) { return GetSqlFirstValue(kDatabaseName, sql); }

    // An unverified record; out may be "NULL".
    static void AddRecord(const QString& moneyId, const QString& subject, const QString& account,
                          const QString& date, const QString& in, const QString& out) {
        Exec(QStringLiteral("INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, "
                            "MONEY_TYPE_ID, MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, "
                            "MONEY_OUT_NUMBER, STATUS) VALUES ('R%1', '%1', '%2', '%3', '%4', "
                            "%5, %6, '未审核')")
                 .arg(moneyId, subject, account, date, in, out));
    }
    // A record verified as the records list verifies it: posted into the
    // ledgers together with its status stamp.
    static void AddVerified(const QString& moneyId, const QString& subject, const QString& account,
                            const QString& date, const QString& in, const QString& out) {
        AddRecord(moneyId, subject, account, date, in, out);
        const auto stamp = [&moneyId] {
            return ExecSqlText(kDatabaseName,
                               "UPDATE KX_INTO_OUT_MONEY_TABLE SET STATUS = '已审核' WHERE "
                               "MONEY_ID = " +
                                   QuotedStr(moneyId));
        };
        ASSERT_TRUE(cashbook::PostMoneyToLedgers(date, account, QString(), in, out, true, stamp));
    }

    OpenDataFolder Data;
    MessageRecorder Messages;
};

} // namespace kx::test
