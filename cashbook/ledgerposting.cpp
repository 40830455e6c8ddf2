#include "cashbook/ledgerposting.h"

#include "cashbook/cashbooktables.h"
#include "cashbook/ledgermonth.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "core/messages.h"
#include "core/moneytext.h"
#include "core/sqlfunctions.h"
#include "platform/db/database.h"
#include "platform/db/session.h"
#include "platform/sys/dateformat.h"
#include "platform/sys/numberformat.h"

#include <QVariantList>

namespace kx::cashbook {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLfCr = QStringLiteral("\n\r");
const QString kMonthError = QStringLiteral("修改资金进出台帐数据库时发生错误");
const QString kDayError = QStringLiteral("修改资金进出日台帐数据库时发生错误");
const QString kVerifiedRefusal =
    QStringLiteral("台帐数据库中该年月该资金账号的台帐记录是已审核的，不能审核该项收支记录");

// The texts every statement of one posting is made of. Amounts are written
// back from their values, so no caller's text reaches the SQL as it stands.
struct TPosting {
    QString A, N, T, D, M, S, E;
    QString In, Out, Delta;
    bool Post;

    // "+ " or "- " before a value that may itself be negative: the blank
    // keeps "- -20.50" from reading as the start of a comment.
    QString Sign() const { return Post ? QStringLiteral("+ ") : QStringLiteral("- "); }
};

QString Number(double value) {
    return sys::SqlNumber(value);
}

TPosting PostingOf(const QString& dateText, const QString& accountId, const QString& accountName,
                   const QString& intoText, const QString& outText, bool post) {
    TPosting p;
    p.A = accountId;
    p.N = accountName;
    p.T = dateText;
    p.D = SqlDateText(sys::StrToDate(dateText));
    GetLedgerMonth(dateText, p.M, p.S, p.E);
    const double in = MoneyTextToFloat(intoText);
    const double out = MoneyTextToFloat(outText);
    p.In = Number(in);
    p.Out = Number(out);
    p.Delta = FormatRoundNumber(2, QString(), in - out);
    p.Post = post;
    return p;
}

QString MonthRowsWhere(const TPosting& p) {
    return QStringLiteral(" FROM KX_MONEY_MONTH_TABLE WHERE MONEY_ACCOUNT_ID = %1"
                          " AND MONEY_START_DATE <= '%2' AND MONEY_END_DATE >= '%2'")
        .arg(QuotedStr(p.A), p.D);
}

QString DateText(const QVariant& value) {
    return value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate)
                                              : value.toString();
}

// The message of the first check that refuses the posting; empty when all
// pass. The flags tell whether a month row holds the date and whether the
// day has its row.
QString Refusal(const TPosting& p, bool& monthRowFound, bool& dayRowFound) {
    const int count = static_cast<int>(GetSqlFirstFloat(
        kDatabaseName, QStringLiteral("SELECT Count(MONEY_ACCOUNT_ID)") + MonthRowsWhere(p)));
    if (count >= 2)
        return QStringLiteral("帐款日期:") + p.T + kLfCr + QStringLiteral("资金账号:") + p.N +
               kCrLf + QStringLiteral("该日期包含在 ") + QString::number(count) +
               QStringLiteral(" 个台帐记录里,请先修改这些台帐的起始和结束日期范围");
    const QVariant monthRow = GetSqlFirstRow(
        kDatabaseName, QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_MONTH,STATUS,INTO_MONTH_MONEY,"
                                      "OUT_MONTH_MONEY,TODAY_MONTH_MONEY") +
                           MonthRowsWhere(p));
    monthRowFound = !monthRow.isNull();
    if (monthRowFound) {
        const QVariantList row = monthRow.toList();
        const QString rowMonth = row.value(1).toString();
        if (rowMonth != p.M)
            return QStringLiteral("帐款日期:") + p.T + kLfCr + QStringLiteral("资金账号:") + p.N +
                   kCrLf + QStringLiteral("台帐年月:") + p.M + kCrLf +
                   QStringLiteral("该帐款日期在台帐里记录包含在台帐年月 ") + rowMonth +
                   QStringLiteral(" 里") + kCrLf + QStringLiteral("请先修改台帐里的台帐年月");
        if (row.value(2).toString() == kStatusVerified)
            return QStringLiteral("资金账号:") + p.N + kCrLf + QStringLiteral("台帐年月:") + p.M +
                   kCrLf + kVerifiedRefusal;
    } else if (p.Post) {
        const QVariant sameMonth = GetSqlFirstRow(
            kDatabaseName,
            QStringLiteral("SELECT MONEY_START_DATE,MONEY_END_DATE FROM KX_MONEY_MONTH_TABLE "
                           "WHERE MONEY_ACCOUNT_ID = %1 AND MONEY_MONTH = %2")
                .arg(QuotedStr(p.A), QuotedStr(p.M)));
        if (!sameMonth.isNull()) {
            const QVariantList row = sameMonth.toList();
            return QStringLiteral("资金账号:") + p.N + kCrLf + QStringLiteral("台帐年月:") + p.M +
                   kCrLf + QStringLiteral("日期范围 ") + p.S + QStringLiteral(" <----> ") + p.E +
                   kCrLf + QStringLiteral("台帐年月:") + p.M + kCrLf + QStringLiteral("日期范围 ") +
                   DateText(row.value(0)) + QStringLiteral(" <----> ") + DateText(row.value(1)) +
                   kCrLf +
                   QStringLiteral("同一台帐年月,不同的日期范围,不能审核记录,"
                                  "请修改台帐里面的该台帐年月的日期范围");
        }
    }
    const QVariant dayRow = GetSqlFirstRow(
        kDatabaseName,
        QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_DAY_DATE,STATUS,INTO_DAY_MONEY,"
                       "OUT_DAY_MONEY,TODAY_DAY_MONEY FROM KX_MONEY_DAY_TABLE WHERE "
                       "MONEY_ACCOUNT_ID = %1 AND MONEY_DAY_DATE = '%2'")
            .arg(QuotedStr(p.A), p.D));
    dayRowFound = !dayRow.isNull();
    if (dayRowFound && dayRow.toList().value(2).toString() == kStatusVerified)
        return QStringLiteral("资金账号:") + p.N + kCrLf + QStringLiteral("台帐日期:") + p.T +
               kCrLf + kVerifiedRefusal;
    return {};
}

bool Run(const QString& sql, const QString& errorText) {
    if (ExecSqlText(kDatabaseName, sql))
        return true;
    ShowErrorMessage(errorText);
    return false;
}

// Carried balance and new balance of a row the posting creates.
struct TNewRow {
    QString Prior;
    QString Today;
};

TNewRow NewRowBalances(const TPosting& p, const QString& priorText) {
    const double prior = MoneyTextToFloat(priorText);
    const double today =
        MoneyTextToFloat(FormatRoundNumber(2, QString(), MoneyTextToFloat(p.Delta) + prior));
    return {Number(prior), Number(today)};
}

QString AuditValues() {
    return QStringLiteral("%1,'%2'").arg(QuotedStr(AppUserName),
                                         SqlDateText(sys::StrToDate(AppToday)));
}

bool MonthStage(const TPosting& p, bool monthRowFound) {
    const QString key = QStringLiteral(" AND MONEY_ACCOUNT_ID = %1").arg(QuotedStr(p.A));
    if (monthRowFound || !p.Post) {
        const QString update =
            QStringLiteral("UPDATE KX_MONEY_MONTH_TABLE SET INTO_MONTH_MONEY = INTO_MONTH_MONEY "
                           "%1%2,OUT_MONTH_MONEY = OUT_MONTH_MONEY %1%3,TODAY_MONTH_MONEY = "
                           "TODAY_MONTH_MONEY %1%4 WHERE MONEY_MONTH = %5")
                .arg(p.Sign(), p.In, p.Out, p.Delta, QuotedStr(p.M)) +
            key;
        if (!Run(update, kMonthError))
            return false;
    } else {
        const QString earlier = GetSqlFirstValue(
            kDatabaseName, QStringLiteral("SELECT MAX(MONEY_MONTH) FROM KX_MONEY_MONTH_TABLE WHERE "
                                          "MONEY_MONTH < %1")
                                   .arg(QuotedStr(p.M)) +
                               key);
        const QString prior =
            earlier.isEmpty()
                ? QStringLiteral("0")
                : GetSqlFirstValue(kDatabaseName,
                                   QStringLiteral("SELECT TODAY_MONTH_MONEY FROM "
                                                  "KX_MONEY_MONTH_TABLE WHERE MONEY_MONTH = %1")
                                           .arg(QuotedStr(earlier)) +
                                       key);
        const TNewRow row = NewRowBalances(p, prior);
        const QString insert =
            QStringLiteral("INSERT INTO KX_MONEY_MONTH_TABLE(STATUS,MONEY_MONTH,MONEY_ACCOUNT_ID,"
                           "MONEY_START_DATE,MONEY_END_DATE,PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,"
                           "OUT_MONTH_MONEY,TODAY_MONTH_MONEY,CREATE_NAME,CREATE_DATE) "
                           "VALUES(%1,%2,%3,'%4','%5',%6,%7,%8,%9,")
                .arg(QuotedStr(kStatusUnverified), QuotedStr(p.M), QuotedStr(p.A), p.S, p.E,
                     row.Prior, p.In, p.Out, row.Today) +
            AuditValues() + u')';
        if (!Run(insert, kMonthError))
            return false;
    }
    return Run(QStringLiteral("UPDATE KX_MONEY_MONTH_TABLE SET PRIOR_MONTH_MONEY = "
                              "PRIOR_MONTH_MONEY %1%2,TODAY_MONTH_MONEY = TODAY_MONTH_MONEY %1%2 "
                              "WHERE MONEY_MONTH > %3")
                       .arg(p.Sign(), p.Delta, QuotedStr(p.M)) +
                   key,
               kMonthError);
}

bool DayStage(const TPosting& p, bool dayRowFound) {
    const QString key = QStringLiteral(" AND MONEY_ACCOUNT_ID = %1").arg(QuotedStr(p.A));
    if (dayRowFound || !p.Post) {
        const QString update =
            QStringLiteral("UPDATE KX_MONEY_DAY_TABLE SET INTO_DAY_MONEY = INTO_DAY_MONEY "
                           "%1%2,OUT_DAY_MONEY = OUT_DAY_MONEY %1%3,TODAY_DAY_MONEY = "
                           "TODAY_DAY_MONEY %1%4 WHERE MONEY_DAY_DATE = '%5'")
                .arg(p.Sign(), p.In, p.Out, p.Delta, p.D) +
            key;
        if (!Run(update, kDayError))
            return false;
    } else {
        const QString earlier = GetSqlFirstValue(
            kDatabaseName,
            QStringLiteral("SELECT MAX(MONEY_DAY_DATE) FROM KX_MONEY_DAY_TABLE WHERE "
                           "MONEY_DAY_DATE < '%1'")
                    .arg(p.D) +
                key);
        QDate earlierDate;
        const QString prior =
            sys::TryStrToDate(earlier, earlierDate)
                ? GetSqlFirstValue(kDatabaseName,
                                   QStringLiteral("SELECT TODAY_DAY_MONEY FROM KX_MONEY_DAY_TABLE "
                                                  "WHERE MONEY_DAY_DATE = '%1'")
                                           .arg(SqlDateText(earlierDate)) +
                                       key)
                : QStringLiteral("0");
        const TNewRow row = NewRowBalances(p, prior);
        const QString insert =
            QStringLiteral("INSERT INTO KX_MONEY_DAY_TABLE(STATUS,MONEY_DAY_DATE,MONEY_ACCOUNT_ID,"
                           "PRIOR_DAY_MONEY,INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY,"
                           "CREATE_NAME,CREATE_DATE) VALUES(%1,'%2',%3,%4,%5,%6,%7,")
                .arg(QuotedStr(kStatusUnverified), p.D, QuotedStr(p.A), row.Prior, p.In, p.Out,
                     row.Today) +
            AuditValues() + u')';
        if (!Run(insert, kDayError))
            return false;
    }
    return Run(QStringLiteral("UPDATE KX_MONEY_DAY_TABLE SET PRIOR_DAY_MONEY = PRIOR_DAY_MONEY "
                              "%1%2,TODAY_DAY_MONEY = TODAY_DAY_MONEY %1%2 WHERE MONEY_DAY_DATE > "
                              "'%3'")
                       .arg(p.Sign(), p.Delta, p.D) +
                   key,
               kDayError);
}

bool PostInOpenTransaction(const TPosting& p, const TStampRecord& stampRecord) {
    bool monthRowFound = false;
    bool dayRowFound = false;
    const QString refusal = Refusal(p, monthRowFound, dayRowFound);
    if (!refusal.isEmpty()) {
        ShowPromptMessage(refusal);
        return false;
    }
    return MonthStage(p, monthRowFound) && DayStage(p, dayRowFound) &&
           (!stampRecord || stampRecord());
}

} // namespace

bool PostMoneyToLedgers(const QString& dateText, const QString& accountId,
                        const QString& accountName, const QString& intoText, const QString& outText,
                        bool post, const TStampRecord& stampRecord) {
    const TPosting posting = PostingOf(dateText, accountId, accountName, intoText, outText, post);
    db::TDatabase* database = db::TSession::Default().OpenDatabase(kDatabaseName);
    const bool ownTransaction = !database->InTransaction();
    if (ownTransaction)
        database->StartTransaction();
    bool done = false;
    try {
        done = PostInOpenTransaction(posting, stampRecord);
    } catch (...) {
        if (ownTransaction)
            database->Rollback();
        throw;
    }
    if (ownTransaction)
        done ? database->Commit() : database->Rollback();
    return done;
}

} // namespace kx::cashbook
