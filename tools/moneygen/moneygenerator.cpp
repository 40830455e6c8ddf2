#include "tools/moneygen/moneygenerator.h"

#include "platform/db/collation.h"

#include <QDate>
#include <QFile>
#include <QStringList>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

namespace kx::tools {
namespace {

struct TSubject {
    const char* Id;
    const char* Name;
    bool MoneyIn;
    const char* Summary; // what a record of the subject usually says
};

// Level-one subjects first, their children after them.
constexpr std::array<TSubject, 12> kSubjects{{
    {"001", "经营收入", true, ""},
    {"002", "经营支出", false, ""},
    {"003", "往来借款", true, ""},
    {"001001", "销售收入", true, "收到货款"},
    {"001002", "利息收入", true, "收到存款利息"},
    {"001003", "其他收入", true, "收到赔偿款"},
    {"002001", "办公费用", false, "购买办公用品"},
    {"002002", "差旅费", false, "报销差旅费"},
    {"002003", "职工工资", false, "发放工资"},
    {"002004", "税费", false, "缴纳税款"},
    {"003001", "银行借款", true, "取得银行借款"},
    {"003002", "个人借款", false, "归还个人借款"},
}};
// Records go to the second level only.
constexpr int kFirstLeaf = 3;

constexpr std::array<std::array<const char*, 3>, 3> kAccounts{{
    {"001", "现金", "现金账"},
    {"002", "工商银行", "银行账"},
    {"003", "建设银行", "银行账"},
}};

constexpr std::array<const char*, 6> kEmployees{"张三", "李四", "王五", "赵敏", "孙丽", "周杰"};
constexpr std::array<const char*, 4> kDepartments{"财务部", "销售部", "行政部", "生产部"};
constexpr std::array<const char*, 3> kUsers{"王会计", "李出纳", "系统管理员"};

class TDatabase {
public:
    explicit TDatabase(const QString& file) {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK)
            Fail();
        db::RegisterCollations(db_);
    }
    ~TDatabase() { sqlite3_close(db_); }
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    void Exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            Fail();
    }
    sqlite3_stmt* Prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK)
            Fail();
        return statement;
    }
    // Steps a statement whose values are bound, then makes it ready again.
    void Run(sqlite3_stmt* statement) {
        if (sqlite3_step(statement) != SQLITE_DONE)
            Fail();
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }
    [[noreturn]] void Fail() { throw std::runtime_error(sqlite3_errmsg(db_)); }

private:
    sqlite3* db_ = nullptr;
};

class TBinder {
public:
    explicit TBinder(sqlite3_stmt* statement) : statement_(statement) {}
    TBinder& Text(const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(statement_, ++index_, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    TBinder& Number(double value) {
        sqlite3_bind_double(statement_, ++index_, value);
        return *this;
    }
    TBinder& Integer(int value) {
        sqlite3_bind_int(statement_, ++index_, value);
        return *this;
    }
    TBinder& Null() {
        sqlite3_bind_null(statement_, ++index_);
        return *this;
    }

private:
    sqlite3_stmt* statement_;
    int index_ = 0;
};

QString ParentOf(const char* id) {
    const QString code = QString::fromLatin1(id);
    return code.size() == 3 ? QStringLiteral("G001") : code.left(code.size() - 3);
}

void AddSubjectsAndAccounts(TDatabase& db) {
    sqlite3_stmt* subject = db.Prepare(
        "INSERT OR IGNORE INTO KX_MONEY_INTO_OUT_TYPE_TABLE (MONEY_TYPE_ID, PRIOR_ID, "
        "MONEY_TYPE_NAME, ORDER_ID, CREATE_NAME, CREATE_DATE) VALUES (?, ?, ?, ?, '系统管理员', "
        "'2005-01-01')");
    for (const TSubject& row : kSubjects) {
        const QString id = QString::fromLatin1(row.Id);
        TBinder(subject)
            .Text(id)
            .Text(ParentOf(row.Id))
            .Text(QString::fromUtf8(row.Name))
            .Integer(id.right(3).toInt());
        db.Run(subject);
    }
    sqlite3_finalize(subject);
    sqlite3_stmt* account = db.Prepare(
        "INSERT OR IGNORE INTO KX_MONEY_ACCOUNT_TABLE (MONEY_ACCOUNT_ID, PRIOR_ID, "
        "MONEY_ACCOUNT_NAME, MONEY_ACCOUNT_TYPE, ORDER_ID, CREATE_NAME, CREATE_DATE) VALUES (?, "
        "'G001', ?, ?, ?, '系统管理员', '2005-01-01')");
    for (const auto& row : kAccounts) {
        const QString id = QString::fromLatin1(row[0]);
        TBinder(account)
            .Text(id)
            .Text(QString::fromUtf8(row[1]))
            .Text(QString::fromUtf8(row[2]))
            .Integer(id.toInt());
        db.Run(account);
    }
    sqlite3_finalize(account);
}

template <class List> QString Pick(const List& list, std::mt19937& random) {
    return QString::fromUtf8(
        list[std::uniform_int_distribution<std::size_t>(0, list.size() - 1)(random)]);
}

void AddRecords(TDatabase& db, const TMoneyGenOptions& options) {
    sqlite3_stmt* insert = db.Prepare(
        "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID, "
        "MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, MONEY_OUT_NUMBER, MONEY_DEPT_NAME, "
        "MONEY_EMPLOYEE_NAME, MONEY_TEXT_FIELD1, MONEY_TEXT_NOTE, STATUS, VERIFY_NAME, "
        "VERIFY_DATE, CREATE_NAME, CREATE_DATE) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?)");
    std::mt19937 random(options.Seed);
    const QDate first(options.FirstYear, 1, 1);
    const qint64 days = first.daysTo(first.addYears(options.Years));
    const QDate newest = first.addDays(days - 1);
    std::uniform_int_distribution<qint64> dayOf(0, days - 1);
    std::uniform_int_distribution<int> subjectOf(kFirstLeaf, kSubjects.size() - 1);
    std::uniform_int_distribution<int> accountOf(0, kAccounts.size() - 1);
    std::lognormal_distribution<double> amountOf(7.0, 1.3);
    std::uniform_int_distribution<int> percent(0, 99);
    // Counters per month, in date order, as automatic numbering counts.
    std::vector<QDate> dates;
    dates.reserve(static_cast<std::size_t>(options.Records));
    for (int i = 0; i < options.Records; ++i)
        dates.push_back(first.addDays(dayOf(random)));
    std::sort(dates.begin(), dates.end());
    QString month;
    int counter = 0;
    for (int i = 0; i < options.Records; ++i) {
        const QDate date = dates[static_cast<std::size_t>(i)];
        const QString thisMonth = date.toString(QStringLiteral("yyyyMM"));
        counter = thisMonth == month ? counter + 1 : 1;
        month = thisMonth;
        const TSubject& subject = kSubjects[static_cast<std::size_t>(subjectOf(random))];
        const double amount = std::round(amountOf(random) * 100) / 100;
        const bool verified = date.daysTo(newest) > 60 && percent(random) < 90;
        const QString day = date.toString(Qt::ISODate);
        TBinder row(insert);
        row.Text(date.toString(QStringLiteral("yyMMdd")) +
                 QStringLiteral("%1").arg(i % 1000000, 6, 10, QLatin1Char('0')))
            .Text(thisMonth + QStringLiteral("%1").arg(counter, 6, 10, QLatin1Char('0')))
            .Text(QString::fromLatin1(subject.Id))
            .Text(QString::fromLatin1(kAccounts[static_cast<std::size_t>(accountOf(random))][0]))
            .Text(day)
            .Number(subject.MoneyIn ? amount : 0)
            .Number(subject.MoneyIn ? 0 : amount)
            .Text(Pick(kDepartments, random))
            .Text(Pick(kEmployees, random))
            .Text(QString::fromUtf8(subject.Summary));
        if (percent(random) < 20)
            row.Text(QStringLiteral("附单据%1张").arg(1 + percent(random) % 5));
        else
            row.Null();
        row.Text(verified ? QStringLiteral("已审核") : QStringLiteral("未审核"));
        if (verified)
            row.Text(Pick(kUsers, random))
                .Text(date.addDays(percent(random) % 7).toString(Qt::ISODate));
        else
            row.Null().Null();
        row.Text(Pick(kUsers, random)).Text(day);
        db.Run(insert);
    }
    sqlite3_finalize(insert);
}

} // namespace

QString GenerateMoneyRecords(const QString& databaseFile, const TMoneyGenOptions& options) {
    try {
        TDatabase db(databaseFile);
        db.Exec("BEGIN IMMEDIATE");
        try {
            AddSubjectsAndAccounts(db);
            AddRecords(db, options);
        } catch (...) {
            db.Exec("ROLLBACK");
            throw;
        }
        db.Exec("COMMIT");
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

} // namespace kx::tools
