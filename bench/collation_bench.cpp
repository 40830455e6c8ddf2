// Sorting by code page 936 against sorting by bytes: 100,000 in/out records
// whose first free text column holds mostly ASCII ids and some Chinese
// names, in shuffled order.
//   collation_order_by  ORDER BY that column COLLATE CP936, against the same
//                       statement COLLATE BINARY; both sort all rows in a
//                       temporary tree (checked before timing).

#include "bench/benchdata.h"
#include "platform/db/collation.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using kx::bench::CheckSqlite;

constexpr int kRows = 100000;
constexpr const char* kSubject = "SELECT MONEY_TEXT_FIELD1 FROM KX_INTO_OUT_MONEY_TABLE "
                                 "ORDER BY MONEY_TEXT_FIELD1 COLLATE CP936";
constexpr const char* kAnchor = "SELECT MONEY_TEXT_FIELD1 FROM KX_INTO_OUT_MONEY_TABLE "
                                "ORDER BY MONEY_TEXT_FIELD1 COLLATE BINARY";

sqlite3* Open(const QString& file) {
    sqlite3* db = nullptr;
    CheckSqlite(sqlite3_open_v2(QFile::encodeName(file).constData(), &db,
                                SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr),
                db);
    kx::db::RegisterCollations(db);
    return db;
}

// One in ten values is a Chinese name (surname and one or two given-name
// characters, so names share leading characters); the rest are invoice ids
// sharing their leading letters and year.
QString ValueOf(int row) {
    static const QStringList surnames = {"张", "王", "李", "赵", "陈", "刘", "杨", "黄",
                                         "周", "吴", "徐", "孙", "胡", "朱", "高", "林"};
    static const QStringList given = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊",
                                      "军", "洋", "勇", "艳", "杰", "娟", "涛", "明",
                                      "超", "秀", "霞", "平", "刚", "桂", "英", "华"};
    if (row % 10 == 0) {
        const int n = row / 10;
        QString name = surnames[n % surnames.size()] + given[n / 16 % given.size()];
        if (n % 3 != 0)
            name += given[n / 7 % given.size()];
        return name;
    }
    return QStringLiteral("FP2007%1").arg(row, 6, 10, QLatin1Char('0'));
}

void Fill(const QString& file) {
    sqlite3* db = Open(file);
    std::vector<int> order(kRows);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(936));
    CheckSqlite(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    CheckSqlite(
        sqlite3_prepare_v2(db,
                           "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, "
                           "MONEY_TYPE_ID, MONEY_TEXT_FIELD1) VALUES (?, ?, '001001', ?)",
                           -1, &insert, nullptr),
        db);
    for (int i = 0; i < kRows; ++i) {
        const QByteArray id = QByteArray::number(70305000000LL + i).rightJustified(12, '0');
        const QByteArray value = ValueOf(order[static_cast<size_t>(i)]).toUtf8();
        sqlite3_bind_text(insert, 1, id.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, id.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, value.constData(), -1, SQLITE_TRANSIENT);
        CheckSqlite(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    CheckSqlite(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

// Both statements must sort every row themselves; an index in the
// collation's order would let one of them skip the work being measured.
void CheckBothSort(sqlite3* db) {
    for (const char* select : {kSubject, kAnchor}) {
        sqlite3_stmt* plan = nullptr;
        const std::string explain = std::string("EXPLAIN QUERY PLAN ") + select;
        CheckSqlite(sqlite3_prepare_v2(db, explain.c_str(), -1, &plan, nullptr), db);
        bool sorts = false;
        while (sqlite3_step(plan) == SQLITE_ROW) {
            const auto* detail = reinterpret_cast<const char*>(sqlite3_column_text(plan, 3));
            sorts =
                sorts || std::string(detail).find("TEMP B-TREE FOR ORDER BY") != std::string::npos;
        }
        sqlite3_finalize(plan);
        if (!sorts)
            throw std::runtime_error(std::string("no sort in: ") + select);
    }
}

struct Setup {
    kx::bench::TBenchDataFolder data;

    Setup() { Fill(data.File()); }
};

Setup* setup = nullptr;

// Steps through the whole sorted result, reading each value.
void RunSorted(sqlite3* db, const char* select) {
    sqlite3_stmt* statement = nullptr;
    CheckSqlite(sqlite3_prepare_v2(db, select, -1, &statement, nullptr), db);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        benchmark::DoNotOptimize(sqlite3_column_text(statement, 0));
        ++rows;
    }
    sqlite3_finalize(statement);
    if (rows != kRows)
        throw std::runtime_error("the sorted result misses rows");
}

// Processor time of this thread, which other work on a shared machine
// disturbs least.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double fastestSubject = 0;
double fastestAnchor = 0;

// The two sorts take turns on one connection, so a change of load on the
// machine meets both; each is judged by its fastest round.
void BM_OrderByInTurns(benchmark::State& state) {
    sqlite3* db = Open(setup->data.File());
    CheckBothSort(db);
    fastestSubject = fastestAnchor = 1e9;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        RunSorted(db, kSubject);
        const double middle = ThreadSeconds();
        RunSorted(db, kAnchor);
        const double end = ThreadSeconds();
        fastestSubject = std::min(fastestSubject, middle - start);
        fastestAnchor = std::min(fastestAnchor, end - middle);
    }
    state.counters["cp936_ms"] = fastestSubject * 1000;
    state.counters["binary_ms"] = fastestAnchor * 1000;
    sqlite3_close(db);
}
BENCHMARK(BM_OrderByInTurns)->Unit(benchmark::kMillisecond)->Iterations(12);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Setup context;
    setup = &context;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("ratio collation_order_by %.2f\n", fastestSubject / fastestAnchor);
    benchmark::Shutdown();
    return 0;
}
