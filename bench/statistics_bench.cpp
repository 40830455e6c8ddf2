// The statistics window and the day ledger it sits beside, each in turns
// with its anchor on the same data, by this thread's processor time:
//   statistics/root  the statistics window's run at the root over 1,000,000
//                    in/out records with every record found: the sums read,
//                    the result list filled, the busy window shown and
//                    closed; the same GROUP BY stepped through the sqlite3
//                    C API with each row printed as the sqlite3 shell prints
//                    it, through stdio into /dev/null.
//   dayledger/open   the day ledger of one account with ten years of day
//                    rows opened as the ledger window opens it: its statement
//                    in the program's query with the ledger's field rules,
//                    every row read, the footers summed, the list grid laid
//                    out and its first picture drawn at 1280 x 1024; the
//                    same SELECT printed as the shell prints it.
// The data are written with plain SQL inserts in one transaction.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "cashbook/moneyintooutqueryform.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/collation.h"
#include "platform/db/database.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QImage>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

using kx::bench::CheckSqlite;

constexpr int kRecords = 1000000;
constexpr int kTopSubjects = 6;
constexpr int kChildren = 5;
constexpr int kAccounts = 3;
constexpr int kLedgerYears = 10;

// The statement the statistics run amounts to at the root with all data.
constexpr const char* kGroupBy =
    "SELECT substr(MONEY_TYPE_ID,1,3) AS SUBJECT_KEY,TOTAL(MONEY_INTO_NUMBER) AS "
    "MONEY_INTO_NUMBER,TOTAL(MONEY_OUT_NUMBER) AS MONEY_OUT_NUMBER FROM KX_INTO_OUT_MONEY_TABLE "
    "GROUP BY substr(MONEY_TYPE_ID,1,3)";
// The ledger window's day list on account 001, in its order.
constexpr const char* kDayLedger =
    "SELECT DISTINCT B.ORDER_ID,B.MONEY_ACCOUNT_NAME,A.* FROM KX_MONEY_DAY_TABLE "
    "A,KX_MONEY_ACCOUNT_TABLE B WHERE A.MONEY_ACCOUNT_ID = B.MONEY_ACCOUNT_ID AND "
    "(A.MONEY_ACCOUNT_ID = '001') ORDER BY A.MONEY_DAY_DATE,B.ORDER_ID";

void Exec(sqlite3* db, const char* sql) {
    CheckSqlite(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
}

sqlite3_stmt* Prepare(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    CheckSqlite(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr), db);
    return statement;
}

void Step(sqlite3* db, sqlite3_stmt* statement) {
    if (sqlite3_step(statement) != SQLITE_DONE)
        CheckSqlite(sqlite3_errcode(db), db);
    sqlite3_reset(statement);
}

QString Code(int top, int child) {
    const QString topCode = QStringLiteral("%1").arg(top, 3, 10, QLatin1Char('0'));
    return child == 0 ? topCode
                      : topCode + QStringLiteral("%1").arg(child, 3, 10, QLatin1Char('0'));
}

void FillData(const QString& file) {
    sqlite3* db = nullptr;
    CheckSqlite(sqlite3_open(QFile::encodeName(file).constData(), &db), db);
    kx::db::RegisterCollations(db);
    Exec(db, "BEGIN");
    for (int top = 1; top <= kTopSubjects; ++top)
        for (int child = 0; child <= kChildren; ++child)
            Exec(db,
                 QStringLiteral("INSERT INTO KX_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,"
                                "PRIOR_ID,MONEY_TYPE_NAME,ORDER_ID) VALUES('%1','%2','科目%1',%3)")
                     .arg(Code(top, child), child == 0 ? QStringLiteral("G001") : Code(top, 0))
                     .arg(child == 0 ? kTopSubjects - top : child)
                     .toUtf8()
                     .constData());
    for (int account = 1; account <= kAccounts; ++account)
        Exec(db, QStringLiteral("INSERT INTO KX_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,"
                                "MONEY_ACCOUNT_NAME,ORDER_ID) VALUES('%1','G001','账号%1',%2)")
                     .arg(account, 3, 10, QLatin1Char('0'))
                     .arg(account)
                     .toUtf8()
                     .constData());

    std::mt19937 random(19);
    std::uniform_int_distribution<int> top(1, kTopSubjects);
    std::uniform_int_distribution<int> child(0, kChildren);
    std::uniform_int_distribution<int> account(1, kAccounts);
    std::uniform_int_distribution<int> day(0, 365 * kLedgerYears - 1);
    std::uniform_int_distribution<int> cents(1, 500000);
    const QDate first(1999, 1, 1);
    sqlite3_stmt* record =
        Prepare(db, QStringLiteral("INSERT INTO KX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,"
                                   "MONEY_TYPE_ID,MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,"
                                   "MONEY_OUT_NUMBER,STATUS,MONEY_TEXT_FIELD1) "
                                   "VALUES(?,?,?,?,?,?,?,'已审核','摘要')"));
    for (int i = 0; i < kRecords; ++i) {
        const QByteArray id = QByteArray::number(i).rightJustified(10, '0');
        const QByteArray subject = Code(top(random), child(random)).toLatin1();
        const QByteArray accountId = QByteArray::number(account(random)).rightJustified(3, '0');
        const QByteArray date = first.addDays(day(random)).toString(Qt::ISODate).toLatin1();
        const double amount = cents(random) / 100.0;
        sqlite3_bind_text(record, 1, id.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(record, 2, id.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(record, 3, subject.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(record, 4, accountId.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(record, 5, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(record, 6, i % 3 ? amount : 0);
        sqlite3_bind_double(record, 7, i % 3 ? 0 : amount);
        Step(db, record);
    }
    sqlite3_finalize(record);

    sqlite3_stmt* dayRow = Prepare(
        db, QStringLiteral("INSERT INTO KX_MONEY_DAY_TABLE(MONEY_DAY_DATE,MONEY_ACCOUNT_ID,STATUS,"
                           "PRIOR_DAY_MONEY,INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY,"
                           "CREATE_NAME,CREATE_DATE) VALUES(?,?,'已审核',?,?,?,?,'王会计',?)"));
    for (int a = 1; a <= kAccounts; ++a) {
        const QByteArray accountId = QByteArray::number(a).rightJustified(3, '0');
        double balance = 0;
        for (QDate date = first; date < first.addYears(kLedgerYears); date = date.addDays(1)) {
            const QByteArray text = date.toString(Qt::ISODate).toLatin1();
            const double in = cents(random) / 100.0;
            const double out = cents(random) / 200.0;
            sqlite3_bind_text(dayRow, 1, text.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(dayRow, 2, accountId.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(dayRow, 3, balance);
            sqlite3_bind_double(dayRow, 4, in);
            sqlite3_bind_double(dayRow, 5, out);
            balance = std::round((balance + in - out) * 100) / 100;
            sqlite3_bind_double(dayRow, 6, balance);
            sqlite3_bind_text(dayRow, 7, text.constData(), -1, SQLITE_TRANSIENT);
            Step(db, dayRow);
        }
    }
    sqlite3_finalize(dayRow);
    Exec(db, "COMMIT");
    sqlite3_close(db);
}

// The shell's list mode: the columns of a row joined by "|", a real in its
// shortest 15-digit form, a null as nothing, written by stdio. Answers the
// rows printed.
int ShellRows(const QString& file, const char* sql) {
    FILE* out = std::fopen("/dev/null", "w");
    if (!out)
        throw std::runtime_error("/dev/null cannot be written");
    sqlite3* db = nullptr;
    CheckSqlite(
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr),
        db);
    kx::db::RegisterCollations(db);
    sqlite3_stmt* statement = nullptr;
    CheckSqlite(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), db);
    const int columns = sqlite3_column_count(statement);
    char number[64];
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                std::fputc('|', out);
            switch (sqlite3_column_type(statement, column)) {
            case SQLITE_NULL:
                break;
            case SQLITE_FLOAT:
                sqlite3_snprintf(sizeof number, number, "%!.15g",
                                 sqlite3_column_double(statement, column));
                std::fputs(number, out);
                break;
            default:
                std::fputs(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                           out);
                break;
            }
        }
        std::fputc('\n', out);
        ++rows;
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    std::fclose(out);
    return rows;
}

kx::TFieldsData Rule(const char* field, const char* caption, const char* type, bool money) {
    kx::TFieldsData rule;
    rule.FieldName = QString::fromLatin1(field);
    rule.DisplayLabel = QString::fromUtf8(caption);
    rule.TypeCode = QString::fromLatin1(type);
    rule.Visible = true;
    if (money) {
        rule.MoneyCell = true;
        rule.DigitCount = 12;
        rule.DisplayWidth = 21;
        rule.FooterValue = QStringLiteral("@Sum");
    }
    return rule;
}

// The day list as the ledger window holds it: its query, rules and grid.
struct DayLedger {
    kx::TKXQuery query;
    kx::db::TDataSource source;
    kx::TKXNDBGrid grid;
    QImage picture{1280, 1024, QImage::Format_ARGB32_Premultiplied};

    DayLedger() {
        query.SetDatabaseName(kx::kDatabaseName);
        query.SetTableName(QStringLiteral("KX_MONEY_DAY_TABLE"));
        query.SetFieldsData(
            {Rule("STATUS", "状态", "C", false), Rule("MONEY_DAY_DATE", "借贷日期", "D", false),
             Rule("MONEY_ACCOUNT_NAME", "资金账号", "C", false),
             Rule("PRIOR_DAY_MONEY", "上日余额", "N", true),
             Rule("INTO_DAY_MONEY", "本日借方", "N", true),
             Rule("OUT_DAY_MONEY", "本日贷方", "N", true),
             Rule("TODAY_DAY_MONEY", "本日余额", "N", true), Rule("NOTE", "备注", "C", false),
             Rule("CREATE_NAME", "建档人员", "C", false),
             Rule("CREATE_DATE", "建档日期", "D", false)});
        grid.SetFieldsData(query.FieldsData());
        grid.SetFooterRowCount(1);
        grid.SumList()->SetActive(true);
        grid.ShowEmptyRows = true;
        grid.resize(1280, 1024);
        source.SetDataSet(&query);
        grid.SetDataSource(&source);
        query.SetDBNGride(&grid);
    }

    int Open() {
        query.CloseQuery();
        query.SQL().SetText(QString::fromLatin1(kDayLedger));
        query.OpenQuery();
        grid.render(&picture);
        benchmark::DoNotOptimize(picture.constBits());
        return query.RecordCount();
    }
};

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    kx::cashbook::TMoneyIntoOutQueryForm* window = nullptr;
    std::unique_ptr<DayLedger> dayLedger;

    Setup() {
        FillData(data.File());
        kx::AppUserName = QStringLiteral("王会计");
        kx::AppToday = QStringLiteral("2008-12-31");
        kx::AppFinancialFormat = true;
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName(kx::kAliasName);
        database->SetDatabaseName(kx::kDatabaseName);
        database->Open();
        window = kx::TKXFormEvents::Create<kx::cashbook::TMoneyIntoOutQueryForm>(nullptr);
        // Every record, as "全部数据" at the root gives them.
        window->FindCondition.clear();
        dayLedger = std::make_unique<DayLedger>();
    }
    ~Setup() { delete window; }
};

Setup* setup = nullptr;
kx::bench::Turns statisticsTurns(kx::bench::Clock::Thread);
kx::bench::Turns dayLedgerTurns(kx::bench::Clock::Thread);

void BM_StatisticsInTurns(benchmark::State& state) {
    kx::bench::RunTurns(
        state, statisticsTurns,
        [] {
            if (ShellRows(setup->data.File(), kGroupBy) != kTopSubjects)
                throw std::runtime_error("the anchor did not sum every top-level subject");
        },
        [] {
            setup->window->ComputeSubjectSums();
            if (setup->window->Query->RecordCount() != kTopSubjects)
                throw std::runtime_error("the statistics missed a top-level subject");
        });
}
BENCHMARK(BM_StatisticsInTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);

void BM_DayLedgerInTurns(benchmark::State& state) {
    constexpr int kDays = 3653; // ten years from 1999, three of them leap years
    kx::bench::RunTurns(
        state, dayLedgerTurns,
        [] {
            if (ShellRows(setup->data.File(), kDayLedger) != kDays)
                throw std::runtime_error("the anchor did not print every day");
        },
        [] {
            if (setup->dayLedger->Open() != kDays)
                throw std::runtime_error("the day ledger did not open every day");
        });
}
BENCHMARK(BM_DayLedgerInTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kx::StartGridUnit();
    {
        Setup context;
        setup = &context;
        kx::bench::RunBenchmarks(argc, argv);
        setup = nullptr;
    }
    kx::bench::PrintRatio("statistics/root", statisticsTurns.Ratio());
    kx::bench::PrintRatio("dayledger/open", dayLedgerTurns.Ratio());
    kx::EndGridUnit();
    return 0;
}
