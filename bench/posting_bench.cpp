// Verifying records one by one, what the user waits for after choosing
// "已审核" for a record: each turn posts one record into the day and month
// ledgers of its account and stamps its status, once through
// PostMoneyToLedgers with the records window's own save of the stamp (its
// query and status statements, over the 10,000 records of the account) and
// once as bare SQLite running the same checks and changes in one
// transaction of its own. Dates come in a shuffled order, so many posts
// shift the later rows of their account. The data folder lies in memory
// (/dev/shm where there is one): each commit still syncs, but neither side
// waits for a disk, so the ratio is the program's own cost; the
// milliseconds per verification are printed.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "cashbook/cashbooktables.h"
#include "cashbook/ledgermonth.h"
#include "cashbook/ledgerposting.h"
#include "cashbook/moneyintooutform.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/collation.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/sys/numberformat.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace {

using kx::bench::CheckSqlite;

constexpr int kRecords = 10000;

struct Record {
    QDate date;
    double in;
    double out;
};

std::vector<Record> MakeRecords() {
    std::mt19937 random(18);
    std::uniform_int_distribution<int> day(0, 729);
    std::uniform_int_distribution<int> cents(1, 500000);
    std::vector<Record> records;
    for (int i = 0; i < kRecords; ++i) {
        const bool in = i % 3 != 0;
        const double amount = cents(random) / 100.0;
        records.push_back(
            {QDate(2007, 1, 1).addDays(day(random)), in ? amount : 0, in ? 0 : amount});
    }
    return records;
}

QString RecordId(const char* account, int i) {
    return QStringLiteral("%1%2").arg(account).arg(i, 9, 10, QLatin1Char('0'));
}

sqlite3* OpenRaw(const QString& file) {
    sqlite3* db = nullptr;
    CheckSqlite(sqlite3_open_v2(QFile::encodeName(file).constData(), &db,
                                SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr),
                db);
    kx::db::RegisterCollations(db);
    CheckSqlite(sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr,
                             nullptr, nullptr),
                db);
    return db;
}

// A prepared statement with its values bound, stepped to its first row.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        CheckSqlite(sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr), db);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement& Text(const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(statement_, ++bound_, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Number(double value) {
        sqlite3_bind_double(statement_, ++bound_, value);
        return *this;
    }
    // True when a row came.
    bool Step() {
        const int rc = sqlite3_step(statement_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            CheckSqlite(rc, db_);
        return rc == SQLITE_ROW;
    }
    QString Column(int i) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement_, i)));
    }
    double Real(int i) const { return sqlite3_column_double(statement_, i); }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    int bound_ = 0;
};

void FillRecords(const QString& file, const std::vector<Record>& records) {
    sqlite3* db = OpenRaw(file);
    CheckSqlite(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    for (const char* account : {"001", "002"}) {
        for (int i = 0; i < kRecords; ++i) {
            Statement(db, "INSERT INTO KX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,"
                          "MONEY_TYPE_ID,MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,"
                          "MONEY_OUT_NUMBER,STATUS) VALUES(?,?,'001',?,?,?,?,'未审核')")
                .Text(RecordId(account, i))
                .Text(QString::number(i))
                .Text(account)
                .Text(records[i].date.toString(Qt::ISODate))
                .Number(records[i].in)
                .Number(records[i].out)
                .Step();
        }
    }
    CheckSqlite(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

double Round2(double value) {
    return std::round(value * 100) / 100;
}

// The checks and changes of one posting on account 002, in one transaction.
void RawPost(sqlite3* db, const Record& record, const QString& recordId) {
    const QString account = QStringLiteral("002");
    const QString date = record.date.toString(Qt::ISODate);
    const kx::cashbook::TLedgerMonth month = kx::cashbook::LedgerMonthOf(record.date, 0);
    const QString start = month.StartDate.toString(Qt::ISODate);
    const QString end = month.EndDate.toString(Qt::ISODate);
    const double delta = Round2(record.in - record.out);
    CheckSqlite(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
    Statement count(db, "SELECT Count(MONEY_ACCOUNT_ID) FROM KX_MONEY_MONTH_TABLE WHERE "
                        "MONEY_ACCOUNT_ID = ? AND MONEY_START_DATE <= ? AND MONEY_END_DATE >= ?");
    count.Text(account).Text(date).Text(date).Step();
    Statement contains(db, "SELECT MONEY_ACCOUNT_ID,MONEY_MONTH,STATUS FROM KX_MONEY_MONTH_TABLE "
                           "WHERE MONEY_ACCOUNT_ID = ? AND MONEY_START_DATE <= ? AND "
                           "MONEY_END_DATE >= ?");
    const bool monthFound = contains.Text(account).Text(date).Text(date).Step();
    if (!monthFound)
        Statement(db, "SELECT MONEY_START_DATE,MONEY_END_DATE FROM KX_MONEY_MONTH_TABLE WHERE "
                      "MONEY_ACCOUNT_ID = ? AND MONEY_MONTH = ?")
            .Text(account)
            .Text(month.MonthText)
            .Step();
    const bool dayFound = Statement(db, "SELECT MONEY_ACCOUNT_ID,STATUS FROM KX_MONEY_DAY_TABLE "
                                        "WHERE MONEY_ACCOUNT_ID = ? AND MONEY_DAY_DATE = ?")
                              .Text(account)
                              .Text(date)
                              .Step();
    if (monthFound) {
        Statement(db, "UPDATE KX_MONEY_MONTH_TABLE SET INTO_MONTH_MONEY = INTO_MONTH_MONEY + ?,"
                      "OUT_MONTH_MONEY = OUT_MONTH_MONEY + ?,TODAY_MONTH_MONEY = "
                      "TODAY_MONTH_MONEY + ? WHERE MONEY_MONTH = ? AND MONEY_ACCOUNT_ID = ?")
            .Number(record.in)
            .Number(record.out)
            .Number(delta)
            .Text(month.MonthText)
            .Text(account)
            .Step();
    } else {
        Statement latest(db, "SELECT MAX(MONEY_MONTH) FROM KX_MONEY_MONTH_TABLE WHERE "
                             "MONEY_MONTH < ? AND MONEY_ACCOUNT_ID = ?");
        latest.Text(month.MonthText).Text(account).Step();
        double prior = 0;
        if (!latest.Column(0).isEmpty()) {
            Statement carried(db, "SELECT TODAY_MONTH_MONEY FROM KX_MONEY_MONTH_TABLE WHERE "
                                  "MONEY_MONTH = ? AND MONEY_ACCOUNT_ID = ?");
            carried.Text(latest.Column(0)).Text(account).Step();
            prior = carried.Real(0);
        }
        Statement(db, "INSERT INTO KX_MONEY_MONTH_TABLE(STATUS,MONEY_MONTH,MONEY_ACCOUNT_ID,"
                      "MONEY_START_DATE,MONEY_END_DATE,PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,"
                      "OUT_MONTH_MONEY,TODAY_MONTH_MONEY,CREATE_NAME,CREATE_DATE) "
                      "VALUES('未审核',?,?,?,?,?,?,?,?,?,?)")
            .Text(month.MonthText)
            .Text(account)
            .Text(start)
            .Text(end)
            .Number(prior)
            .Number(record.in)
            .Number(record.out)
            .Number(Round2(prior + delta))
            .Text(kx::AppUserName)
            .Text(kx::AppToday)
            .Step();
    }
    Statement(db, "UPDATE KX_MONEY_MONTH_TABLE SET PRIOR_MONTH_MONEY = PRIOR_MONTH_MONEY + ?,"
                  "TODAY_MONTH_MONEY = TODAY_MONTH_MONEY + ? WHERE MONEY_MONTH > ? AND "
                  "MONEY_ACCOUNT_ID = ?")
        .Number(delta)
        .Number(delta)
        .Text(month.MonthText)
        .Text(account)
        .Step();
    if (dayFound) {
        Statement(db, "UPDATE KX_MONEY_DAY_TABLE SET INTO_DAY_MONEY = INTO_DAY_MONEY + ?,"
                      "OUT_DAY_MONEY = OUT_DAY_MONEY + ?,TODAY_DAY_MONEY = TODAY_DAY_MONEY + ? "
                      "WHERE MONEY_DAY_DATE = ? AND MONEY_ACCOUNT_ID = ?")
            .Number(record.in)
            .Number(record.out)
            .Number(delta)
            .Text(date)
            .Text(account)
            .Step();
    } else {
        Statement latest(db, "SELECT MAX(MONEY_DAY_DATE) FROM KX_MONEY_DAY_TABLE WHERE "
                             "MONEY_DAY_DATE < ? AND MONEY_ACCOUNT_ID = ?");
        latest.Text(date).Text(account).Step();
        double prior = 0;
        if (!latest.Column(0).isEmpty()) {
            Statement carried(db, "SELECT TODAY_DAY_MONEY FROM KX_MONEY_DAY_TABLE WHERE "
                                  "MONEY_DAY_DATE = ? AND MONEY_ACCOUNT_ID = ?");
            carried.Text(latest.Column(0)).Text(account).Step();
            prior = carried.Real(0);
        }
        Statement(db, "INSERT INTO KX_MONEY_DAY_TABLE(STATUS,MONEY_DAY_DATE,MONEY_ACCOUNT_ID,"
                      "PRIOR_DAY_MONEY,INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY,CREATE_NAME,"
                      "CREATE_DATE) VALUES('未审核',?,?,?,?,?,?,?,?)")
            .Text(date)
            .Text(account)
            .Number(prior)
            .Number(record.in)
            .Number(record.out)
            .Number(Round2(prior + delta))
            .Text(kx::AppUserName)
            .Text(kx::AppToday)
            .Step();
    }
    Statement(db, "UPDATE KX_MONEY_DAY_TABLE SET PRIOR_DAY_MONEY = PRIOR_DAY_MONEY + ?,"
                  "TODAY_DAY_MONEY = TODAY_DAY_MONEY + ? WHERE MONEY_DAY_DATE > ? AND "
                  "MONEY_ACCOUNT_ID = ?")
        .Number(delta)
        .Number(delta)
        .Text(date)
        .Text(account)
        .Step();
    Statement(db, "UPDATE KX_INTO_OUT_MONEY_TABLE SET STATUS = '已审核',VERIFY_NAME = ?,"
                  "VERIFY_DATE = ? WHERE MONEY_RECORD_ID = ?")
        .Text(kx::AppUserName)
        .Text(kx::AppToday)
        .Text(recordId)
        .Step();
    CheckSqlite(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
}

// The records window's save of the stamp: its query standing on the record,
// stamped through its status statements.
void ProgramPost(kx::cashbook::TMoneyIntoOutForm& window, int recNo, const Record& record) {
    kx::TKXQuery& query = *window.Query;
    query.SetRecNo(recNo);
    const auto stamp = [&] {
        query.NotEdit = true;
        query.SetVerifyStatus(kx::cashbook::kStatusVerified);
        return query.Saved;
    };
    if (!kx::cashbook::PostMoneyToLedgers(record.date.toString(Qt::ISODate), "001", "现金",
                                          kx::sys::FloatToStr(record.in),
                                          kx::sys::FloatToStr(record.out), true, stamp))
        throw std::runtime_error("posting failed");
}

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::vector<Record> records = MakeRecords();
    std::unique_ptr<kx::db::TDatabase> database;
    std::unique_ptr<kx::cashbook::TMoneyIntoOutForm> window;
    // Where each record of account 001 stands in the window's list.
    std::vector<int> recNos = std::vector<int>(kRecords);

    Setup() {
        kx::AppUserName = QStringLiteral("王会计");
        kx::AppToday = QStringLiteral("2008-12-31");
        FillRecords(data.File(), records);
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName(kx::kAliasName);
        database->SetDatabaseName(kx::kDatabaseName);
        database->Open();
        window.reset(kx::TKXFormEvents::Create<kx::cashbook::TMoneyIntoOutForm>(nullptr));
        window->FindCondition = QStringLiteral("MONEY_ACCOUNT_ID = '001'");
        window->RefreshRecordQuery();
        kx::TKXQuery& query = *window->Query;
        query.SetUpdateObject(window->UPStatus);
        query.UserName = kx::AppUserName;
        query.Today = kx::AppToday;
        if (query.RecordCount() != kRecords)
            throw std::runtime_error("the window did not list the account's records");
        kx::db::TField* id = query.FieldByName(QStringLiteral("MONEY_RECORD_ID"));
        for (query.First(); !query.Eof(); query.Next())
            recNos[static_cast<std::size_t>(id->AsString().mid(3).toInt())] = query.RecNo();
    }
};

Setup* setup = nullptr;
kx::bench::Turns postTurns(kx::bench::Clock::Wall);

// Both sides are timed by the clock on the wall: each commit still syncs.
void BM_VerifyAndPostInTurns(benchmark::State& state) {
    sqlite3* db = OpenRaw(setup->data.File());
    int next = 0;
    kx::bench::RunTurns(
        state, postTurns, [&] { RawPost(db, setup->records[next], RecordId("002", next)); },
        [&] {
            ProgramPost(*setup->window, setup->recNos[static_cast<std::size_t>(next)],
                        setup->records[next]);
            ++next;
        });
    sqlite3_close(db);
}
BENCHMARK(BM_VerifyAndPostInTurns)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kRecords);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
    kx::StartGridUnit();
    {
        Setup context;
        setup = &context;
        kx::bench::RunBenchmarks(argc, argv);
        setup = nullptr;
    }
    if (const std::optional<double> seconds = postTurns.SubjectSeconds())
        std::printf("verification %.3f ms, bare SQLite %.3f ms\n", *seconds * 1000,
                    *postTurns.AnchorSeconds() * 1000);
    kx::bench::PrintRatio("post", postTurns.Ratio());
    kx::EndGridUnit();
    return 0;
}
