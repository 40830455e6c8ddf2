// Opening the in/out records list over 100,000 generated records, in turns
// with its anchor, by this thread's processor time:
//   recordlist/open  the list window's own refresh at the root with every
//                    record found: its statement, the query opened with the
//                    looked-up names, the balance and the grid's layout, and
//                    the text of every shown field of every record formed;
//                    the same SELECT stepped through the sqlite3 C API with
//                    each row printed as the sqlite3 shell prints it
//                    (columns joined by "|", reals as "%!.15g") through
//                    stdio into /dev/null.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "cashbook/moneyintooutform.h"
#include "cashbook/recordlistquery.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/collation.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "tools/moneygen/moneygenerator.h"

#include <QApplication>
#include <QFile>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

using kx::bench::CheckSqlite;

constexpr int kRecords = 100000;

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    kx::cashbook::TMoneyIntoOutForm* window = nullptr;

    Setup() {
        kx::tools::TMoneyGenOptions options;
        options.Records = kRecords;
        const QString error = kx::tools::GenerateMoneyRecords(data.File(), options);
        if (!error.isEmpty())
            throw std::runtime_error(error.toStdString());
        kx::AppUserName = QStringLiteral("王会计");
        kx::AppToday = QStringLiteral("2008-12-31");
        kx::AppFinancialFormat = true;
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName(kx::kAliasName);
        database->SetDatabaseName(kx::kDatabaseName);
        database->Open();
        window = kx::TKXFormEvents::Create<kx::cashbook::TMoneyIntoOutForm>(nullptr);
        // Every record, as "全部数据" at the root gives them.
        window->FindCondition.clear();
    }
    ~Setup() { delete window; }
};

Setup* setup = nullptr;
kx::bench::Turns openTurns(kx::bench::Clock::Thread);

// The list as the window refreshes it, then every shown text of it.
void OpenList() {
    kx::cashbook::TMoneyIntoOutForm& window = *setup->window;
    window.Query->CloseQuery();
    window.RefreshRecordQuery();
    kx::TKXQuery& query = *window.Query;
    if (query.RecordCount() != kRecords)
        throw std::runtime_error("the list did not open every record");
    std::vector<kx::db::TField*> shown;
    for (kx::db::TField* field : query.Fields())
        if (field->Visible())
            shown.push_back(field);
    qsizetype characters = 0;
    query.DisableControls();
    for (query.First(); !query.Eof(); query.Next())
        for (const kx::db::TField* field : shown)
            characters += field->DisplayText().size();
    query.EnableControls();
    benchmark::DoNotOptimize(characters);
}

// The shell's list mode: the columns of a row joined by "|", a real in
// its shortest 15-digit form, a null as nothing, written by stdio.
void ShellRows() {
    FILE* out = std::fopen("/dev/null", "w");
    if (!out)
        throw std::runtime_error("/dev/null cannot be written");
    sqlite3* db = nullptr;
    CheckSqlite(sqlite3_open_v2(QFile::encodeName(setup->data.File()).constData(), &db,
                                SQLITE_OPEN_READONLY, nullptr),
                db);
    kx::db::RegisterCollations(db);
    const QByteArray sql =
        kx::cashbook::RecordListSelect({}, {}, kx::cashbook::kDateOrder).toUtf8();
    sqlite3_stmt* statement = nullptr;
    CheckSqlite(sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr), db);
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
    if (rows != kRecords)
        throw std::runtime_error("the anchor did not read every record");
}

void BM_OpenInTurns(benchmark::State& state) {
    kx::bench::RunTurns(state, openTurns, ShellRows, OpenList);
}
BENCHMARK(BM_OpenInTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);

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
    kx::bench::PrintRatio("recordlist/open", openTurns.Ratio());
    kx::EndGridUnit();
    return 0;
}
