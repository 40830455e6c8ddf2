// A compiled report expression of ten operators evaluated on every record of
// a data set of 100,000 rows, as a group band or an expression control does
// during a report run:
//   expr         rows per second through the expression;
//   expr/native  its time against the same arithmetic written in C++ over
//                the same fields.

#include "bandreport/brevaluator.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/configstore.h"
#include "tools/mkdatafolder/datafolder.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr int kRows = 100000;
const char* const kExpression =
    "IF((Bench.AMOUNT*2+Bench.N-1>100) and (Bench.NAME<>'张三'), Bench.AMOUNT/4+1, "
    "Bench.N*3-7)";

struct Setup {
    QTemporaryDir config;
    QTemporaryDir root;
    std::unique_ptr<kx::db::TDatabase> database;
    std::unique_ptr<kx::db::TQuery> query;

    Setup() {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const QString data = root.filePath("data");
        const QString error =
            kx::tools::CreateDataFolder(QStringLiteral(KX_SOURCE_SCHEMA_DIR), data);
        if (!error.isEmpty())
            throw std::runtime_error(error.toStdString());
        kx::sys::SetAliasPath("RUReravezLink", data);
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName("RUReravezLink");
        database->SetDatabaseName("RUReravezDataBase");
        database->Open();
        Exec("CREATE TABLE EXPR_BENCH (N INTEGER, AMOUNT CURRENCY, NAME VARCHAR(20))");
        Exec(QStringLiteral("WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r "
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

    void Exec(const QString& sql) {
        kx::db::TQuery statement;
        statement.SetDatabaseName("RUReravezDataBase");
        statement.SetParamCheck(false);
        statement.SQL().Add(sql);
        statement.ExecSQL();
    }
};

Setup* setup = nullptr;

void BM_Expression(benchmark::State& state) {
    kx::db::TQuery& query = *setup->query;
    kx::TBRDatasetList datasets{&query};
    kx::TBREvaluator evaluator;
    evaluator.AssignDatasets(&datasets);
    evaluator.Compile(QString::fromUtf8(kExpression));
    for (auto _ : state) {
        for (query.First(); !query.Eof(); query.Next())
            benchmark::DoNotOptimize(evaluator.ComputeResult());
    }
    state.counters["rows_per_second"] = benchmark::Counter(
        static_cast<double>(kRows), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Expression)->Unit(benchmark::kMillisecond);

void BM_Native(benchmark::State& state) {
    kx::db::TQuery& query = *setup->query;
    const kx::db::TField* n = query.FieldByName("N");
    const kx::db::TField* amount = query.FieldByName("AMOUNT");
    const kx::db::TField* name = query.FieldByName("NAME");
    const QString excluded = QStringLiteral("张三");
    for (auto _ : state) {
        for (query.First(); !query.Eof(); query.Next()) {
            const double value =
                amount->AsFloat() * 2 + n->AsInteger() - 1 > 100 && name->AsString() != excluded
                    ? amount->AsFloat() / 4 + 1
                    : n->AsInteger() * 3 - 7;
            benchmark::DoNotOptimize(value);
        }
    }
}
BENCHMARK(BM_Native)->Unit(benchmark::kMillisecond);

// Without colours, so that each ratio line starts with "ratio".
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    std::map<std::string, double> times;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Setup context;
    setup = &context;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double expression = reporter.times["BM_Expression"];
    const double native = reporter.times["BM_Native"];
    // Times are in milliseconds per pass over every row.
    std::printf("ratio expr_rows_per_second %.0f\n",
                expression > 0 ? kRows * 1000.0 / expression : 0.0);
    std::printf("ratio expr/native %.2f\n", native > 0 ? expression / native : 0.0);
    benchmark::Shutdown();
    return 0;
}
