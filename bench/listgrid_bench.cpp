// Opening a list of 100,000 in/out records in the program's list grid,
// against the sqlite3 shell printing the same rows, in turns:
//   listgrid/open  the window's query opened with its field rules and the
//                  user's layout, the grid laid out with its footers and
//                  empty ruled rows, and its first picture at 1280 x 1024;
//                  the shell's run of "SELECT *" into /dev/null, start to
//                  end of its process.
// Both by the wall clock: the shell is another process.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/collation.h"
#include "platform/db/database.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/query.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {

using kx::bench::CheckSqlite;

constexpr const char* kSelect = "SELECT * FROM KX_INTO_OUT_MONEY_TABLE";
const QString kDatabaseName = QStringLiteral("RUReravezDataBase");

// 100,000 records over 24 months, amounts with up to two decimals.
void FillRecords(const QString& file) {
    sqlite3* db = nullptr;
    CheckSqlite(sqlite3_open(QFile::encodeName(file).constData(), &db), db);
    kx::db::RegisterCollations(db);
    CheckSqlite(
        sqlite3_exec(
            db,
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
            "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID, "
            "MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, MONEY_OUT_NUMBER, MONEY_TEXT_NOTE, "
            "STATUS, CREATE_NAME, CREATE_DATE) "
            "SELECT printf('070305%06d', i), "
            "printf('%04d%02d%06d', 2005 + i / 50000, 1 + (i / 2000) % 12, i % 50000), "
            "printf('%03d%03d', 1 + i % 7, 1 + i % 11), printf('%03d', 1 + i % 5), "
            "date('2005-01-01', '+' || (i / 140) || ' days'), (i % 977) * 10.25, "
            "(i % 613) * 3.5, '收到货款', '未审核', '张三', "
            "date('2005-01-01', '+' || (i / 140) || ' days') FROM n",
            nullptr, nullptr, nullptr),
        db);
    sqlite3_close(db);
}

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));

    Setup() {
        if (shell.isEmpty())
            throw std::runtime_error("the sqlite3 shell is not installed");
        FillRecords(data.File());
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName("RUReravezLink");
        database->SetDatabaseName(kDatabaseName);
        database->Open();
    }
};

Setup* setup = nullptr;

kx::bench::Turns openTurns(kx::bench::Clock::Wall);

// The records list's rules: every field shown under its name, sums under
// the amounts and the count under the record number.
kx::TFieldsDataArray FieldRules() {
    kx::TFieldsDataArray rules;
    kx::db::TQuery columns;
    columns.SetDatabaseName(kDatabaseName);
    columns.SQL().Add(QStringLiteral("%1 WHERE 1 = 0").arg(kSelect));
    columns.Open();
    for (const kx::db::TField* field : columns.Fields()) {
        kx::TFieldsData rule;
        rule.FieldName = rule.DisplayLabel = field->FieldName();
        rule.TypeCode = field->DataType() == kx::db::ftFloat ? "N" : "C";
        if (rule.TypeCode == "N") {
            rule.FooterValue = "@Sum";
            rule.MoneyCell = true;
            rule.DigitCount = 11;
        }
        rule.Visible = true;
        rules.Append(rule);
    }
    rules[1].FooterValue = "@Count";
    return rules;
}

double ShellSeconds() {
    QProcess shell;
    shell.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    shell.start(setup->shell, {QStringLiteral("-batch"), setup->data.File(), kSelect});
    if (!shell.waitForFinished(-1) || shell.exitCode() != 0)
        throw std::runtime_error("the sqlite3 shell failed");
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// The records list as it opens: its query, the list grid keeping the
// user's layout, and the first picture of the window.
double GridSeconds() {
    QWidget window;
    auto* query = new kx::TKXQuery(&window);
    auto* source = new kx::db::TDataSource(&window);
    auto* grid = new kx::TKXNDBGrid(&window);
    const kx::TFieldsDataArray rules = FieldRules();
    query->SetDatabaseName(kDatabaseName);
    query->SQL().Add(kSelect);
    query->SetFieldsData(rules);
    source->SetDataSet(query);
    grid->setObjectName("DBGrid1");
    grid->FormName = "MoneyIntoOutForm";
    grid->UserID = "G001";
    grid->DataBaseName = kDatabaseName;
    grid->SetLayoutTable("SYS_MONEY_INTO_OUT_TABLE");
    grid->SetSaveColumnOrder(true);
    grid->SetFieldsData(rules);
    grid->ShowEmptyRows = true;
    grid->SetFooterRowCount(1);
    grid->SumList()->SetActive(true);
    grid->resize(1280, 1024);
    grid->SetDataSource(source);
    query->SetDBNGride(grid);
    QImage picture(grid->size(), QImage::Format_RGB32);
    QElapsedTimer clock;
    clock.start();
    query->OpenQuery();
    grid->render(&picture);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (query->RecordCount() != 100000)
        throw std::runtime_error("the list did not open every record");
    return seconds;
}

void BM_OpenInTurns(benchmark::State& state) {
    kx::bench::RunTimedTurns(state, openTurns, ShellSeconds, GridSeconds);
}
BENCHMARK(BM_OpenInTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kx::StartGridUnit();
    Setup context;
    setup = &context;
    kx::bench::RunBenchmarks(argc, argv);
    kx::bench::PrintRatio("listgrid/open", openTurns.Ratio());
    kx::EndGridUnit();
    return 0;
}
