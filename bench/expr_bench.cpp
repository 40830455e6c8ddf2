// A compiled report expression of ten operators evaluated on every record of
// a data set of 100,000 rows, as a group band or an expression control does
// during a report run:
//   expr/native  its time against the same arithmetic written in C++ over
//                the same fields, the two passes taking turns;
// and, apart, the rows per second through the expression.

#include "bandreport/brevaluator.h"
#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

constexpr int kRows = 100000;
const char* const kExpression =
    "IF((Bench.AMOUNT*2+Bench.N-1>100) and (Bench.NAME<>'张三'), Bench.AMOUNT/4+1, "
    "Bench.N*3-7)";

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    std::unique_ptr<kx::db::TQuery> query;

    Setup() {
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName("RUReravezLink");
        database->SetDatabaseName("RUReravezDataBase");
        database->Open();
        kx::bench::ExecSql(
            "CREATE TABLE EXPR_BENCH (N INTEGER, AMOUNT CURRENCY, NAME VARCHAR(20))");
        kx::bench::ExecSql(
            QStringLiteral("WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r "
                           "WHERE i < %1) INSERT INTO EXPR_BENCH SELECT i, (i % 977) * 10.25, "
                           "CASE i % 3 WHEN 0 THEN '张三' WHEN 1 THEN '李四' ELSE '王五' END "
                           "FROM r")
                .arg(kRows));
        query = std::make_unique<kx::db::TQuery>();
        query->setObjectName("Bench");
        query->SetDatabaseName("RUReravezDataBase");
        query->SQL().Add("SELECT * FROM EXPR_BENCH");
        query->Open();
    }
};

Setup* setup = nullptr;

kx::bench::Turns turns(kx::bench::Clock::Thread);

void BM_ExpressionAgainstNative(benchmark::State& state) {
    kx::db::TQuery& query = *setup->query;
    kx::TBRDatasetList datasets{&query};
    kx::TBREvaluator evaluator;
    evaluator.AssignDatasets(&datasets);
    evaluator.Compile(QString::fromUtf8(kExpression));
    const kx::db::TField* n = query.FieldByName("N");
    const kx::db::TField* amount = query.FieldByName("AMOUNT");
    const kx::db::TField* name = query.FieldByName("NAME");
    const QString excluded = QStringLiteral("张三");
    const auto native = [&] {
        for (query.First(); !query.Eof(); query.Next()) {
            const double value =
                amount->AsFloat() * 2 + n->AsInteger() - 1 > 100 && name->AsString() != excluded
                    ? amount->AsFloat() / 4 + 1
                    : n->AsInteger() * 3 - 7;
            benchmark::DoNotOptimize(value);
        }
    };
    const auto expression = [&] {
        for (query.First(); !query.Eof(); query.Next())
            benchmark::DoNotOptimize(evaluator.ComputeResult());
    };
    kx::bench::RunTurns(state, turns, native, expression);
}
BENCHMARK(BM_ExpressionAgainstNative)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Setup context;
    setup = &context;
    kx::bench::RunBenchmarks(argc, argv);
    if (const std::optional<double> seconds = turns.SubjectSeconds())
        std::printf("expr: %.0f rows per second\n", kRows / *seconds);
    kx::bench::PrintRatio("expr/native", turns.Ratio());
    return 0;
}
