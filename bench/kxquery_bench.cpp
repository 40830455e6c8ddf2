// The query data set on 100,000 in/out records, each against its anchor in
// turns:
//   kxquery/open  opening the records window's query with its field rules
//                 and a sum list of five money footers, against opening the
//                 bare data set on the same SELECT;
//   add/sqlite    one add with a time-stamp number, a month counter and a
//                 duplicate check, saved by key, in the query open over all
//                 records with a list grid's footer sums attached (the query
//                 has them recalculated after each save), against the
//                 statements that add sends, run on plain SQLite.
// Both adds write to the same file with synchronous=FULL, so the disk's
// speed weighs on both alike and the ratio shows what the query adds to it.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/dbsumlist.h"
#include "grid/dbgrid/gridlayouthooks.h"
#include "platform/db/collation.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/db/updatesql.h"

#include <QApplication>
#include <QDateTime>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {

using kx::bench::CheckSqlite;

constexpr const char* kSelect = "SELECT * FROM KX_INTO_OUT_MONEY_TABLE";
const char* const kMoneyFields[] = {"MONEY_INTO_NUMBER", "MONEY_OUT_NUMBER", "MONEY_NUMBER_FIELD1",
                                    "MONEY_NUMBER_FIELD2", "MONEY_NUMBER_FIELD3"};

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;

    Setup() {
        kx::bench::FillMoneyRecords(data.File());
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName("RUReravezLink");
        database->SetDatabaseName("RUReravezDataBase");
        database->Open();
    }
};

Setup* setup = nullptr;

kx::bench::Turns openTurns(kx::bench::Clock::Thread);
kx::bench::Turns addTurns(kx::bench::Clock::Wall);

// A rule for every field, amounts as numbers, as the records window sets.
kx::TFieldsDataArray FieldRules() {
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
    return rules;
}

void SumMoneyFields(kx::TDBSumListProducer& sums, kx::db::TDataSet& dataSet) {
    for (const char* field : kMoneyFields)
        sums.SumCollection().Add()->SetFieldName(field);
    sums.SetDataSet(&dataSet);
}

void BM_OpenInTurns(benchmark::State& state) {
    kx::db::TQuery bare;
    bare.SetDatabaseName("RUReravezDataBase");
    bare.SQL().Add(kSelect);
    kx::TKXQuery query;
    query.SetDatabaseName("RUReravezDataBase");
    query.SQL().Add(kSelect);
    query.SetFieldsData(FieldRules());
    kx::TDBSumListProducer sums;
    SumMoneyFields(sums, query);
    kx::bench::RunTurns(
        state, openTurns,
        [&] {
            bare.Open();
            bare.Close();
        },
        [&] {
            query.OpenQuery();
            query.CloseQuery();
        });
}
BENCHMARK(BM_OpenInTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The list grid's side of the footers, as the records window attaches it:
// after each save the query has the footers' sums recalculated.
class FooterGrid : public QWidget, public kx::TKXNDBGridHooks {
public:
    explicit FooterGrid(kx::db::TDataSet& dataSet) { SumMoneyFields(sums_, dataSet); }

    QWidget* GridWidget() override { return this; }
    QString LayoutTable() const override { return {}; }
    bool SaveColumnOrder() const override { return false; }
    void SetColWidthChange(bool) override {}
    void LoadLayout() override {}
    QList<kx::TGridLayoutRow> LayoutRows() const override { return {}; }
    void DeleteFieldLayout(const QString&) override {}
    void ClearLaidOut() override {}
    void ApplyLayout() override {}
    kx::TDBSumListProducer* SumList() override { return &sums_; }

private:
    kx::TDBSumListProducer sums_;
};

const QStringList kAddColumns = {"MONEY_RECORD_ID",  "MONEY_ID",        "MONEY_TYPE_ID",
                                 "MONEY_ACCOUNT_ID", "MONEY_DATE",      "MONEY_INTO_NUMBER",
                                 "MONEY_OUT_NUMBER", "MONEY_TEXT_NOTE", "STATUS",
                                 "CREATE_NAME",      "CREATE_DATE"};

void SetUpdateStatements(kx::db::TUpdateSQL& statements) {
    QStringList assignments;
    QStringList parameters;
    for (const QString& column : kAddColumns) {
        assignments.append("  " + column + " = :" + column +
                           (column == kAddColumns.last() ? "" : ","));
        parameters.append(':' + column);
    }
    const QStringList where = {"where", "  MONEY_RECORD_ID = :OLD_MONEY_RECORD_ID and",
                               "  MONEY_ID = :OLD_MONEY_ID and",
                               "  MONEY_TYPE_ID = :OLD_MONEY_TYPE_ID"};
    statements.ModifySQL().SetLines(QStringList{"update KX_INTO_OUT_MONEY_TABLE", "set"} +
                                    assignments + where);
    statements.InsertSQL().SetLines({"insert into KX_INTO_OUT_MONEY_TABLE",
                                     "  (" + kAddColumns.join(", ") + ")", "values",
                                     "  (" + parameters.join(", ") + ")"});
    statements.DeleteSQL().SetLines(QStringList{"delete from KX_INTO_OUT_MONEY_TABLE"} + where);
}

// The entry window's add: a time-stamp record id, the month's next record
// number, "未审核", a duplicate check of the number, saved by key.
void SetUpNumbering(kx::TKXQuery& query) {
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
}

void Step(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    CheckSqlite(sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &statement,
                                   nullptr),
                db);
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    CheckSqlite(rc, db);
}

// The statements the query's add sends, in its order: the month's largest
// number, the duplicate check, the look for the key, the insert with bound
// values inside a savepoint, and the stored row read back. Its numbers run
// in a month of their own, so the query's counter never sees them.
class PlainAdd {
public:
    explicit PlainAdd(const QString& file) {
        CheckSqlite(sqlite3_open(QFile::encodeName(file).constData(), &db_), db_);
        kx::db::RegisterCollations(db_);
        CheckSqlite(sqlite3_exec(db_, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL",
                                 nullptr, nullptr, nullptr),
                    db_);
    }
    ~PlainAdd() { sqlite3_close(db_); }

    void Run() {
        const QString recordId =
            QDateTime::currentDateTime().toString(QStringLiteral("yyMMddHHmmss"));
        const QString largest = LargestNumber();
        const QString number =
            kMonth + QString::number(largest.toLongLong() + 1).rightJustified(6, u'0');
        Step(db_, QStringLiteral("SELECT MONEY_ID FROM KX_INTO_OUT_MONEY_TABLE WHERE MONEY_ID='%1'")
                      .arg(number));
        const QString keyWhere = QStringLiteral("SELECT * FROM KX_INTO_OUT_MONEY_TABLE  WHERE   "
                                                "MONEY_RECORD_ID ='%1' AND   MONEY_ID ='%2' AND   "
                                                "MONEY_TYPE_ID ='001001'")
                                     .arg(recordId, number);
        Step(db_, keyWhere);
        Step(db_, QStringLiteral("SAVEPOINT kx_apply"));
        Insert(recordId, number);
        Step(db_, QStringLiteral("RELEASE kx_apply"));
        Step(db_, keyWhere);
    }

private:
    static constexpr QLatin1StringView kMonth{"200602"};

    QString LargestNumber() {
        sqlite3_stmt* statement = nullptr;
        const QByteArray sql = QStringLiteral("SELECT MAX(substr(MONEY_ID,7,12)) From "
                                              "KX_INTO_OUT_MONEY_TABLE WHERE substr(MONEY_ID,1,6)= "
                                              "'%1'")
                                   .arg(kMonth)
                                   .toUtf8();
        CheckSqlite(sqlite3_prepare_v2(db_, sql.constData(), -1, &statement, nullptr), db_);
        CheckSqlite(sqlite3_step(statement), db_);
        const QString largest =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return largest;
    }

    void Insert(const QString& recordId, const QString& number) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray sql = QStringLiteral("insert into KX_INTO_OUT_MONEY_TABLE (%1) values "
                                              "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                                   .arg(kAddColumns.join(", "))
                                   .toUtf8();
        CheckSqlite(sqlite3_prepare_v2(db_, sql.constData(), -1, &statement, nullptr), db_);
        const QByteArray texts[] = {recordId.toUtf8(), number.toUtf8(), "001001", "", "2006-01-15"};
        int position = 1;
        for (const QByteArray& text : texts)
            sqlite3_bind_text(statement, position++, text.constData(),
                              static_cast<int>(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(statement, position++, 125.5);
        sqlite3_bind_null(statement, position++);
        sqlite3_bind_text(statement, position++, "", 0, SQLITE_STATIC);
        sqlite3_bind_text(statement, position++, "未审核", -1, SQLITE_STATIC);
        sqlite3_bind_text(statement, position++, "", 0, SQLITE_STATIC);
        sqlite3_bind_null(statement, position++);
        CheckSqlite(sqlite3_step(statement), db_);
        sqlite3_finalize(statement);
    }

    sqlite3* db_ = nullptr;
};

void BM_AddInTurns(benchmark::State& state) {
    kx::db::TUpdateSQL statements;
    SetUpdateStatements(statements);
    kx::TKXQuery query;
    query.setObjectName("Query");
    query.SetDatabaseName("RUReravezDataBase");
    query.SetCachedUpdates(true);
    query.SetUpdateObject(&statements);
    query.SetTableName("KX_INTO_OUT_MONEY_TABLE");
    query.SQL().SetText(kSelect);
    SetUpNumbering(query);
    FooterGrid footers(query);
    query.SetDBNGride(&footers);
    query.OpenQuery();
    PlainAdd plain(setup->data.File());
    kx::bench::RunTurns(
        state, addTurns, [&] { plain.Run(); },
        [&] {
            query.AppendRecord();
            query.FieldByName("MONEY_TYPE_ID")->SetAsString("001001");
            query.FieldByName("MONEY_DATE")->SetAsString("2006-01-15");
            query.FieldByName("MONEY_INTO_NUMBER")->SetAsFloat(125.5);
            query.PostRecord();
        });
    state.counters["records"] = query.RecordCount();
    state.counters["sum"] = footers.SumList()->SumCollection().Items(0)->Value();
}
BENCHMARK(BM_AddInTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(100);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Setup context;
    setup = &context;
    kx::bench::RunBenchmarks(argc, argv);
    kx::bench::PrintRatio("kxquery/open", openTurns.Ratio());
    kx::bench::PrintRatio("add/sqlite", addTurns.Ratio());
    return 0;
}
