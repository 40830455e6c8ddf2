// Verifying one record in the in/out records window: what the user waits
// for after choosing the new status, until the row shows it stored and the
// footers their new sums. One data folder of 1,000,000 generated records,
// two records windows over it, each turn verifying (or unverifying) a row
// of each through the window's query, its status statements and its
// footers, by the wall clock:
//   verify_at_1m/verify_at_10k   the window listing all 1,000,000 records,
//                                against the window listing the 10,000 of
//                                two weeks: a save must not cost more as
//                                the list grows;
//   post/raw_same_durability     the window listing 10,000, against bare
//                                SQLite writing the same three columns of
//                                the row by key on the program's own
//                                connection: each row a commit of its own,
//                                with the same rollback journal and
//                                synchronous=FULL.
// The milliseconds per verification are printed beside the ratios.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "cashbook/cashbooktables.h"
#include "cashbook/moneyintooutform.h"
#include "core/appstate.h"
#include "core/datamodule.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "tools/moneygen/moneygenerator.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

using kx::bench::CheckSqlite;

constexpr int kRecords = 1000000;
// Two weeks of records: about 10,000 of the generated ones.
const QString kTwoWeeks =
    QStringLiteral("MONEY_DATE >= '2006-03-01' AND MONEY_DATE < '2006-03-15'");

using Window = kx::cashbook::TMoneyIntoOutForm;

// A records window listing what the condition finds, ready to verify.
Window* OpenWindow(const QString& condition) {
    auto* window = kx::TKXFormEvents::Create<Window>(nullptr);
    window->FindCondition = condition;
    window->RefreshRecordQuery();
    kx::TKXQuery& query = *window->Query;
    query.SetUpdateObject(window->UPStatus);
    query.UserName = kx::AppUserName;
    query.Today = kx::AppToday;
    return window;
}

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    std::unique_ptr<Window> all;
    std::unique_ptr<Window> twoWeeks;

    Setup() {
        kx::tools::TMoneyGenOptions options;
        options.Records = kRecords;
        const QString error = kx::tools::GenerateMoneyRecords(data.File(), options);
        if (!error.isEmpty())
            throw std::runtime_error(error.toStdString());
        kx::AppUserName = QStringLiteral("王会计");
        kx::AppToday = QStringLiteral("2008-12-31");
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName(kx::kAliasName);
        database->SetDatabaseName(kx::kDatabaseName);
        database->Open();
        all.reset(OpenWindow({}));
        twoWeeks.reset(OpenWindow(kTwoWeeks));
        if (all->Query->RecordCount() != kRecords)
            throw std::runtime_error("the list did not open every record");
    }
};

Setup* setup = nullptr;
kx::bench::Turns sizeTurns(kx::bench::Clock::Wall);
kx::bench::Turns rawTurns(kx::bench::Clock::Wall);

// The next row of the list, spread over it, verified when it is not and
// unverified when it is, as the window's verify command stamps it.
void Verify(Window& window, int& turn) {
    kx::TKXQuery& query = *window.Query;
    query.SetRecNo(1 + static_cast<int>((++turn * 7919LL) % query.RecordCount()));
    const bool verified =
        query.FieldByName(QStringLiteral("STATUS"))->AsString() == kx::cashbook::kStatusVerified;
    query.NotEdit = true;
    query.SetVerifyStatus(verified ? kx::cashbook::kStatusUnverified
                                   : kx::cashbook::kStatusVerified);
    if (!query.Saved)
        throw std::runtime_error("the verification was not saved");
}

// The same three columns written by key, on the program's own connection
// (so with its journal, its sync and its page cache), each row a commit.
class RawStamp {
public:
    explicit RawStamp(sqlite3* db) : db_(db) {
        CheckSqlite(sqlite3_prepare_v2(db_,
                                       "UPDATE KX_INTO_OUT_MONEY_TABLE SET STATUS = ?, "
                                       "VERIFY_NAME = ?, VERIFY_DATE = ? WHERE MONEY_RECORD_ID = ? "
                                       "AND MONEY_ID = ? AND MONEY_TYPE_ID = ?",
                                       -1, &update_, nullptr),
                    db_);
    }
    ~RawStamp() { sqlite3_finalize(update_); }

    // The row the window stands on, stamped with the other status.
    void Run(const kx::TKXQuery& rows) {
        const auto text = [&](const char* name) {
            return rows.FieldByName(QString::fromLatin1(name))->AsString().toUtf8();
        };
        const QByteArray status = text("STATUS") == kx::cashbook::kStatusVerified.toUtf8()
                                      ? kx::cashbook::kStatusUnverified.toUtf8()
                                      : kx::cashbook::kStatusVerified.toUtf8();
        const QByteArray values[] = {status,
                                     kx::AppUserName.toUtf8(),
                                     kx::AppToday.toUtf8(),
                                     text("MONEY_RECORD_ID"),
                                     text("MONEY_ID"),
                                     text("MONEY_TYPE_ID")};
        int position = 1;
        for (const QByteArray& value : values)
            sqlite3_bind_text(update_, position++, value.constData(),
                              static_cast<int>(value.size()), SQLITE_TRANSIENT);
        CheckSqlite(sqlite3_step(update_), db_);
        sqlite3_reset(update_);
    }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* update_ = nullptr;
};

void BM_VerifyAsTheListGrows(benchmark::State& state) {
    int allTurn = 0;
    int twoWeeksTurn = 0;
    kx::bench::RunTurns(
        state, sizeTurns, [&] { Verify(*setup->twoWeeks, twoWeeksTurn); },
        [&] { Verify(*setup->all, allTurn); });
    state.counters["listed"] = setup->all->Query->RecordCount();
    state.counters["anchor_listed"] = setup->twoWeeks->Query->RecordCount();
}
BENCHMARK(BM_VerifyAsTheListGrows)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);

void BM_VerifyAgainstRawUpdate(benchmark::State& state) {
    RawStamp raw(setup->database->Handle());
    kx::TKXQuery& rows = *setup->twoWeeks->Query;
    int turn = 1000;
    kx::bench::RunTurns(
        state, rawTurns, [&] { raw.Run(rows); }, [&] { Verify(*setup->twoWeeks, turn); });
}
BENCHMARK(BM_VerifyAgainstRawUpdate)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(40);

void PrintMilliseconds(const char* what, std::optional<double> seconds) {
    if (seconds)
        std::printf("%s %.2f ms\n", what, *seconds * 1000);
}

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
    PrintMilliseconds("verification at 1,000,000 listed", sizeTurns.SubjectSeconds());
    PrintMilliseconds("verification at 10,000 listed", sizeTurns.AnchorSeconds());
    PrintMilliseconds("bare update with the same durability", rawTurns.AnchorSeconds());
    kx::bench::PrintRatio("verify_at_1m/verify_at_10k", sizeTurns.Ratio());
    kx::bench::PrintRatio("post/raw_same_durability", rawTurns.Ratio());
    kx::EndGridUnit();
    return 0;
}
