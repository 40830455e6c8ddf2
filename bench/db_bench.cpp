// The data layer against bare SQLite on 100,000 in/out records:
//   open/raw      what a list's opening waits for in the data layer:
//                 opening the whole table and reading every field, against
//                 a bare sqlite3_step loop that only reads the same columns;
//   memory/values what the open data set holds, measured on its first
//                 opening in a fresh process (all anonymous memory: heap,
//                 row blocks, SQLite's), against the bytes of the values it
//                 holds (text and blob bytes, 8 per number);
//   post/update   what a save waits for beyond the disk: Edit + Post of one
//                 row, against the bare UPDATE by key. The data folder lies
//                 in memory (/dev/shm where there is one), so that neither
//                 side waits for a disk and the ratio is the data layer's
//                 own cost; the milliseconds per save are printed.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "platform/db/collation.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/configstore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

using kx::bench::CheckSqlite;

constexpr int kRows = 100000;
constexpr const char* kSelect = "SELECT * FROM KX_INTO_OUT_MONEY_TABLE";
constexpr const char* kKeyRecord = "070305000042";

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

void BindText(sqlite3_stmt* statement, int position, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, position, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
}

// Rows as the cash book writes them: ids, dates, amounts, Chinese names
// and notes, some fields left empty.
void FillRecords(const QString& file) {
    sqlite3* db = OpenRaw(file);
    const QStringList names = {"张三", "李四", "王五", "赵六", "陈七"};
    const QStringList departments = {"财务部", "销售部", "行政部"};
    const QStringList notes = {"支付办公用品费用", "收到货款", "报销差旅费，含住宿和交通", "",
                               "银行手续费"};
    CheckSqlite(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    CheckSqlite(
        sqlite3_prepare_v2(
            db,
            "INSERT INTO KX_INTO_OUT_MONEY_TABLE (MONEY_RECORD_ID, MONEY_ID, MONEY_TYPE_ID, "
            "MONEY_ACCOUNT_ID, MONEY_DATE, MONEY_INTO_NUMBER, MONEY_OUT_NUMBER, "
            "MONEY_DEPT_NAME, MONEY_EMPLOYEE_NAME, MONEY_DATE_FIELD1, MONEY_DATE_FIELD2, "
            "MONEY_TEXT_FIELD1, MONEY_TEXT_FIELD2, MONEY_TEXT_FIELD3, MONEY_TEXT_FIELD4, "
            "MONEY_TEXT_FIELD5, MONEY_TEXT_FIELD6, MONEY_TEXT_FIELD7, MONEY_TEXT_NOTE, "
            "MONEY_NUMBER_FIELD1, MONEY_NUMBER_FIELD2, MONEY_NUMBER_FIELD3, STATUS, "
            "VERIFY_NAME, VERIFY_DATE, EDIT_NAME, CREATE_NAME, EDIT_DATE, CREATE_DATE) VALUES "
            "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
            -1, &insert, nullptr),
        db);
    for (int i = 0; i < kRows; ++i) {
        const QString date = QDate(2007, 1, 1).addDays(i % 700).toString(Qt::ISODate);
        const QString name = names[i % names.size()];
        const bool verified = i % 3 == 0;
        const QString texts[] = {
            QStringLiteral("070305%1").arg(i, 6, 10, QLatin1Char('0')),
            date.left(4) + date.mid(5, 2) + QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')),
            QStringLiteral("%1").arg(1001 + i % 40, 6, 10, QLatin1Char('0')),
            QStringLiteral("%1").arg(1 + i % 5, 3, 10, QLatin1Char('0')),
            date,
        };
        int position = 1;
        for (const QString& text : texts)
            BindText(insert, position++, text);
        sqlite3_bind_double(insert, position++, i % 2 ? 0 : (i % 977) * 10.25);
        sqlite3_bind_double(insert, position++, i % 2 ? (i % 613) * 3.5 : 0);
        BindText(insert, position++, departments[i % departments.size()]);
        BindText(insert, position++, name);
        BindText(insert, position++, date);
        sqlite3_bind_null(insert, position++);
        BindText(insert, position++, QStringLiteral("发票%1").arg(i % 900));
        BindText(insert, position++, i % 4 ? QString() : QStringLiteral("现金支票"));
        for (int field = 3; field <= 7; ++field)
            BindText(insert, position++, QString(""));
        BindText(insert, position++, notes[i % notes.size()]);
        sqlite3_bind_double(insert, position++, i % 10);
        sqlite3_bind_null(insert, position++);
        sqlite3_bind_null(insert, position++);
        BindText(insert, position++,
                 verified ? QStringLiteral("已审核") : QStringLiteral("未审核"));
        BindText(insert, position++, verified ? name : QString());
        if (verified)
            BindText(insert, position++, date);
        else
            sqlite3_bind_null(insert, position++);
        BindText(insert, position++, name);
        BindText(insert, position++, name);
        BindText(insert, position++, date);
        BindText(insert, position++, date);
        CheckSqlite(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    CheckSqlite(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;

    Setup() {
        FillRecords(data.File());
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName("RUReravezLink");
        database->SetDatabaseName("RUReravezDataBase");
        database->Open();
    }
};

Setup* setup = nullptr;

// Steps through every row and reads every column as SQLite holds it, and
// answers the bytes those values take.
qint64 RawRead(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    CheckSqlite(sqlite3_prepare_v2(db, kSelect, -1, &statement, nullptr), db);
    const int columns = sqlite3_column_count(statement);
    qint64 bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(statement, i)) {
            case SQLITE_TEXT:
                benchmark::DoNotOptimize(sqlite3_column_text(statement, i));
                bytes += sqlite3_column_bytes(statement, i);
                break;
            case SQLITE_FLOAT:
                benchmark::DoNotOptimize(sqlite3_column_double(statement, i));
                bytes += 8;
                break;
            case SQLITE_INTEGER:
                benchmark::DoNotOptimize(sqlite3_column_int64(statement, i));
                bytes += 8;
                break;
            default:
                break;
            }
        }
    }
    sqlite3_finalize(statement);
    return bytes;
}

void OpenAndRead(kx::db::TQuery& query) {
    query.Open();
    const kx::db::TFields& fields = query.Fields();
    for (; !query.Eof(); query.Next()) {
        for (kx::db::TField* field : fields) {
            if (field->DataType() == kx::db::ftFloat)
                benchmark::DoNotOptimize(field->AsFloat());
            else
                benchmark::DoNotOptimize(field->AsString());
        }
    }
    query.Close();
}

kx::bench::Turns readTurns(kx::bench::Clock::Thread);
kx::bench::Turns postTurns(kx::bench::Clock::Wall);

void BM_ReadInTurns(benchmark::State& state) {
    sqlite3* db = OpenRaw(setup->data.File());
    kx::db::TQuery query;
    query.SetDatabaseName("RUReravezDataBase");
    query.SQL().Add(kSelect);
    kx::bench::RunTurns(
        state, readTurns, [&] { benchmark::DoNotOptimize(RawRead(db)); },
        [&] { OpenAndRead(query); });
    sqlite3_close(db);
}
BENCHMARK(BM_ReadInTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(12);

// Both sides are timed by the clock on the wall: each commit still syncs.
void BM_PostInTurns(benchmark::State& state) {
    sqlite3* db = OpenRaw(setup->data.File());
    kx::db::TQuery query;
    query.SetDatabaseName("RUReravezDataBase");
    query.SetRequestLive(true);
    query.SetUpdateMode(kx::db::upWhereKeyOnly);
    query.SQL().Add(QStringLiteral("%1 WHERE MONEY_RECORD_ID = '%2'").arg(kSelect, kKeyRecord));
    query.Open();
    kx::db::TField* note = query.FieldByName("MONEY_TEXT_NOTE");
    int round = 0;
    const auto update = [&] {
        sqlite3_stmt* statement = nullptr;
        CheckSqlite(
            sqlite3_prepare_v2(db,
                               "UPDATE KX_INTO_OUT_MONEY_TABLE SET MONEY_TEXT_NOTE = ? WHERE "
                               "MONEY_RECORD_ID = ? AND MONEY_ID = ? AND MONEY_TYPE_ID = ?",
                               -1, &statement, nullptr),
            db);
        BindText(statement, 1, QStringLiteral("备注%1").arg(++round));
        BindText(statement, 2, kKeyRecord);
        BindText(statement, 3, "200702000042");
        BindText(statement, 4, "001003");
        CheckSqlite(sqlite3_step(statement), db);
        sqlite3_finalize(statement);
    };
    const auto editAndPost = [&] {
        query.Edit();
        note->SetAsString(QStringLiteral("编辑%1").arg(round));
        query.Post();
    };
    kx::bench::RunTurns(state, postTurns, update, editAndPost);
    sqlite3_close(db);
}
BENCHMARK(BM_PostInTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(400);

// The data set's first opening, run in a fresh process: the bytes of
// anonymous memory it takes, printed for the parent.
int MeasureFirstOpening(const QString& folder) {
    kx::sys::SetAliasPath(QStringLiteral("RUReravezLink"), folder);
    kx::db::TDatabase database;
    database.SetAliasName("RUReravezLink");
    database.SetDatabaseName("RUReravezDataBase");
    database.Open();
    kx::db::TQuery query;
    query.SetDatabaseName("RUReravezDataBase");
    query.SQL().Add(kSelect);
    const double before = kx::bench::AnonymousBytes();
    query.Open();
    const double grown = kx::bench::AnonymousBytes() - before;
    if (query.RecordCount() != kRows)
        return 1;
    std::printf("%.0f\n", grown);
    return 0;
}

std::optional<double> MemoryRatio(const char* program) {
    sqlite3* db = OpenRaw(setup->data.File());
    const qint64 valueBytes = RawRead(db);
    sqlite3_close(db);
    const std::optional<double> grown = kx::bench::MeasureInFreshProcess(
        program, "--first-opening '" + setup->data.Folder().toStdString() + "'");
    if (!grown)
        return std::nullopt;
    std::printf("first opening: %.1f MB for %.1f MB of values\n", *grown / 1e6,
                static_cast<double>(valueBytes) / 1e6);
    return *grown / static_cast<double>(valueBytes);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--first-opening") == 0)
        return MeasureFirstOpening(QString::fromLocal8Bit(argv[2]));
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
    Setup context;
    setup = &context;
    const std::optional<double> memoryRatio = MemoryRatio(argv[0]);
    kx::bench::RunBenchmarks(argc, argv);
    if (const std::optional<double> seconds = postTurns.SubjectSeconds())
        std::printf("post %.3f ms, bare update %.3f ms\n", *seconds * 1000,
                    *postTurns.AnchorSeconds() * 1000);
    kx::bench::PrintRatio("open/raw", readTurns.Ratio());
    kx::bench::PrintRatio("memory/values", memoryRatio);
    kx::bench::PrintRatio("post/update", postTurns.Ratio());
    return 0;
}
