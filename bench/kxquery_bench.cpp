// The query data set on 100,000 in/out records:
//   kxquery/open  opening the records window's query with its field rules
//                 and a sum list of five money footers, against opening the
//                 bare data set on the same SELECT;
//   add           one add with a time-stamp number, a month counter and a
//                 duplicate check, saved by key (milliseconds per add; the
//                 budget is 5 ms).

#include "frame/data/kxquery.h"
#include "grid/dbgrid/dbsumlist.h"
#include "platform/db/collation.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/updatesql.h"
#include "platform/sys/configstore.h"
#include "tools/mkdatafolder/datafolder.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr const char* kSelect = "SELECT * FROM KX_INTO_OUT_MONEY_TABLE";
const char* const kMoneyFields[] = {"MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER", "MONEY_NUMBER_FIELD1",
                                    "MONEY_NUMBER_FIELD2", "MONEY_NUMBER_FIELD3"};

void Check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// 100,000 records over 24 months, amounts with up to two decimals as typed
// amounts are stored.
void FillRecords(const QString& file) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(QFile::encodeName(file).constData(), &db), db);
    kx::db::RegisterCollations(db);
    Check(sqlite3_exec(
              db,
              "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
              "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID, "
              "MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, MONEY_OUT_NUMBER, "
              "MONEY_NUMBER_FIELD1, MONEY_NUMBER_FIELD2, MONEY_NUMBER_FIELD3, MONEY_TEXT_NOTE, "
              "STATUS, CREATE_NAME, CREATE_DATE) "
              "SELECT printf('070305%06d', i), "
              "printf('%04d%02d%06d', 2005 + i / 50000, 1 + (i / 2000) % 12, i % 50000), "
              "printf('%03d%03d', 1 + i % 7, 1 + i % 11), printf('%03d', 1 + i % 5), "
              "date('2005-01-01', '+' || (i / 140) || ' days'), "
              "(i % 977) * 10.25, (i % 613) * 3.5, i % 10, (i % 89) / 100.0, (i % 7) * 100, "
              "'收到货款', '未审核', '张三', date('2005-01-01', '+' || (i / 140) || ' days') "
              "FROM n",
              nullptr, nullptr, nullptr),
          db);
    sqlite3_close(db);
}

struct Setup {
    QTemporaryDir config;
    QTemporaryDir root;
    std::unique_ptr<kx::db::TDatabase> database;

    Setup() {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const QString data = root.filePath("data");
        const QString error =
            kx::tools::CreateDataFolder(QStringLiteral(KX_SOURCE_SCHEMA_DIR), data);
        if (!error.isEmpty())
            throw std::runtime_error(error.toStdString());
        kx::sys::SetAliasPath("RUReravezLink", data);
        FillRecords(QDir(data).filePath(kx::tools::kDatabaseFileName));
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName("RUReravezLink");
        database->SetDatabaseName("RUReravezDataBase");
        database->Open();
    }
};

void BM_OpenBare(benchmark::State& state) {
    kx::db::TQuery query;
    query.SetDatabaseName("RUReravezDataBase");
    query.SQL().Add(kSelect);
    for (auto _ : state) {
        query.Open();
        query.Close();
    }
}
BENCHMARK(BM_OpenBare)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The records window's query: a rule for every field, amounts as numbers,
// and the footers' sum list over the five money columns.
void BM_OpenKXQuery(benchmark::State& state) {
    kx::TKXQuery query;
    query.SetDatabaseName("RUReravezDataBase");
    query.SQL().Add(kSelect);
    kx::TFieldsDataArray rules;
    kx::db::TQuery columns;
    columns.SetDatabaseName("RUReravezDataBase");
    columns.SQL().Add(QStringLiteral("%1 WHERE 1 = 0").arg(kSelect));
    columns.Open();
    for (const kx::db::TField* field : columns.Fields()) {
        kx::TFieldsData rule;
        rule.FieldName = field->FieldName();
        rule.DisplayLabel = field->FieldName();
        rule.TypeCode = field->DataType() == kx::db::ftFloat  ? "N"
                        : field->DataType() == kx::db::ftDate ? "D"
                                                              : "C";
        rule.Visible = true;
        rules.Append(rule);
    }
    query.SetFieldsData(rules);
    kx::TDBSumListProducer sums;
    for (const char* field : kMoneyFields)
        sums.SumCollection().Add()->SetFieldName(field);
    sums.SetDataSet(&query);
    for (auto _ : state) {
        query.OpenQuery();
        query.CloseQuery();
    }
    query.OpenQuery();
    state.counters["sum"] = sums.SumCollection().Items(0)->Value();
}
BENCHMARK(BM_OpenKXQuery)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The entry window's add: a time-stamp record id, the month's next record
// number, "未审核", a duplicate check of the number, saved by key.
void BM_AddWithNumbering(benchmark::State& state) {
    const QStringList columns = {"MONEY_RECORD_ID",  "MONEY_ID",        "MONEY_TYPE_ID",
                                 "MONEY_ACCOUNT_ID", "MONEY_DATE",      "MONEY_INTO_NUMBER",
                                 "MONEY_OUT_NUMBER", "MONEY_TEXT_NOTE", "STATUS",
                                 "CREATE_NAME",      "CREATE_DATE"};
    QStringList assignments;
    QStringList parameters;
    for (const QString& column : columns) {
        assignments.append("  " + column + " = :" + column + (column == columns.last() ? "" : ","));
        parameters.append(':' + column);
    }
    const QStringList where = {"where", "  MONEY_RECORD_ID = :OLD_MONEY_RECORD_ID and",
                               "  MONEY_ID = :OLD_MONEY_ID and",
                               "  MONEY_TYPE_ID = :OLD_MONEY_TYPE_ID"};
    kx::db::TUpdateSQL statements;
    statements.ModifySQL().SetLines(QStringList{"update KX_INTO_OUT_MONEY_TABLE", "set"} +
                                    assignments + where);
    statements.InsertSQL().SetLines({"insert into KX_INTO_OUT_MONEY_TABLE",
                                     "  (" + columns.join(", ") + ")", "values",
                                     "  (" + parameters.join(", ") + ")"});
    statements.DeleteSQL().SetLines(QStringList{"delete from KX_INTO_OUT_MONEY_TABLE"} + where);

    kx::TKXQuery query;
    query.setObjectName("Query");
    query.SetDatabaseName("RUReravezDataBase");
    query.SetCachedUpdates(true);
    query.SetUpdateObject(&statements);
    query.SetTableName("KX_INTO_OUT_MONEY_TABLE");
    query.SQL().SetText(QStringLiteral("%1 WHERE MONEY_DATE = '2099-01-01'").arg(kSelect));
    query.YearMonthPrefix = "200601";
    kx::TInsertData recordId{"MONEY_RECORD_ID", "纪录号", "", 0, "", {}, "T", ""};
    kx::TInsertData number{"MONEY_ID", "资金借贷编号", "", 12, "", {}, "M", ""};
    kx::TInsertData status{"STATUS", "状态", "", 0, "未审核", {}, "A", ""};
    query.SetInsertData({recordId, number, status});
    kx::TCheckData duplicate;
    duplicate.BaseSelect = "SELECT MONEY_ID FROM KX_INTO_OUT_MONEY_TABLE WHERE ";
    duplicate.Links[0] = {"MONEY_ID", "MONEY_ID", "", "", "C"};
    duplicate.NumberField = "MONEY_ID";
    duplicate.MustNotExist = true;
    duplicate.Message = "资金借贷编号重复";
    query.SetCheckData({duplicate});
    query.OpenQuery();
    for (auto _ : state) {
        query.AppendRecord();
        query.FieldByName("MONEY_TYPE_ID")->SetAsString("001001");
        query.FieldByName("MONEY_DATE")->SetAsString("2006-01-15");
        query.FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(125.5);
        query.PostRecord();
    }
    state.counters["records"] = query.RecordCount();
}
BENCHMARK(BM_AddWithNumbering)->Unit(benchmark::kMillisecond)->Iterations(200);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Setup setup;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ratio = [&](const char* a, const char* b) {
        return reporter.times.count(a) && reporter.times.count(b)
                   ? reporter.times[a] / reporter.times[b]
                   : 0.0;
    };
    // Medians of five runs each: the machine's other work moves single runs.
    std::printf("ratio kxquery/open %.2f\n",
                ratio("BM_OpenKXQuery/repeats:5_median", "BM_OpenBare/repeats:5_median"));
    const auto add = reporter.times.find("BM_AddWithNumbering/iterations:200");
    if (add != reporter.times.end())
        std::printf("add with numbering: %.3f ms\n", add->second);
    benchmark::Shutdown();
    return 0;
}
