// Opening the in/out records list over 100,000 generated records: what the
// user waits for between asking for every record and seeing the first page
// of the list. In turns with its anchor, by this thread's processor time:
//   records_window/shell  the records window's own refresh at the root with
//                         every record found: its statement with its ORDER
//                         BY, the query opened with the looked-up names, the
//                         balance and the grid's layout, and the grid's first
//                         page drawn at 1280 x 1024; the same SELECT stepped
//                         through the sqlite3 C API with the program's
//                         collation, each row printed as the sqlite3 shell
//                         prints it (columns joined by "|", reals as
//                         "%!.15g") through stdio into /dev/null.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "cashbook/moneyintooutform.h"
#include "cashbook/recordlistquery.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/collation.h"
#include "platform/db/database.h"
#include "tools/moneygen/moneygenerator.h"

#include <QApplication>
#include <QFile>
#include <QImage>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

using kx::bench::CheckSqlite;

constexpr int kRecords = 100000;
constexpr QSize kWindowSize(1280, 1024);

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    kx::cashbook::TMoneyIntoOutForm* window = nullptr;
    QImage page;

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
        // Drawn as the maximised window shows its list, without showing the
        // window, whose first showing asks questions of its own.
        window->DBGrid1->resize(kWindowSize);
        page = QImage(kWindowSize, QImage::Format_RGB32);
    }
    ~Setup() { delete window; }
};

Setup* setup = nullptr;
kx::bench::Turns openTurns(kx::bench::Clock::Thread);

// The list as the window refreshes it, up to its first page drawn.
void OpenList() {
    kx::cashbook::TMoneyIntoOutForm& window = *setup->window;
    window.Query->CloseQuery();
    window.RefreshRecordQuery();
    if (window.Query->RecordCount() != kRecords)
        throw std::runtime_error("the list did not open every record");
    window.DBGrid1->render(&setup->page);
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
    kx::bench::PrintRatio("records_window/shell", openTurns.Ratio());
    kx::EndGridUnit();
    return 0;
}
