// The program's list grid over 100,000 in/out records, each against its
// anchor in turns (the records window's opening is recordlist_bench's):
//   listgrid/scroll_row   the Down key on the last shown row of the open list,
//   listgrid/scroll_page  and the PgDn key, each followed by the repaint it
//                         asks for, shown offscreen at 1280 x 1024; a
//                         QTableView of the same size over a model of the same
//                         rows and column widths doing the same. By this
//                         thread's processor time.
// And one measure without an anchor in time:
//   list_memory/values    what the user's machine gives the open list: the
//                         anonymous memory (heap, row blocks, SQLite's) that
//                         its first opening in a fresh process takes, up to
//                         its first picture, over the bytes of its values
//                         (text in UTF-8, 8 for a number or a date).

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "frame/controls/kxndbgrid.h"
#include "frame/data/kxquery.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/database.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/configstore.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QTableView>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

using kx::bench::CheckSqlite;

constexpr const char* kSelect = "SELECT * FROM KX_INTO_OUT_MONEY_TABLE";
const QString kDatabaseName = QStringLiteral("RUReravezDataBase");

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    Setup() {
        kx::bench::FillMoneyRecords(data.File());
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName("RUReravezLink");
        database->SetDatabaseName(kDatabaseName);
        database->Open();
    }
};

Setup* setup = nullptr;

kx::bench::Turns rowTurns(kx::bench::Clock::Thread);
kx::bench::Turns pageTurns(kx::bench::Clock::Thread);
std::optional<double> memoryRatio;
// This program, run again to measure in a fresh process.
const char* program = nullptr;

constexpr QSize kWindowSize(1280, 1024);

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

// The records list as its window holds it: the query with the field rules
// and the list grid keeping the user's layout, 1280 x 1024.
struct ListWindow {
    QWidget window;
    kx::TKXQuery* query = new kx::TKXQuery(&window);
    kx::db::TDataSource* source = new kx::db::TDataSource(&window);
    kx::TKXNDBGrid* grid = new kx::TKXNDBGrid(&window);

    ListWindow() {
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
        window.resize(kWindowSize);
        grid->resize(kWindowSize);
        grid->SetDataSource(source);
        query->SetDBNGride(grid);
    }

    void Open() {
        query->OpenQuery();
        if (query->RecordCount() != 100000)
            throw std::runtime_error("the list did not open every record");
    }
};

// ---- Scrolling -----------------------------------------------------------

// The rows as the table view's anchor shows them: each value's text made
// once, so that the view's model does no more than hand it out.
class RecordsModel : public QAbstractTableModel {
public:
    RecordsModel() {
        sqlite3* db = nullptr;
        CheckSqlite(sqlite3_open_v2(QFile::encodeName(setup->data.File()).constData(), &db,
                                    SQLITE_OPEN_READONLY, nullptr),
                    db);
        sqlite3_stmt* statement = nullptr;
        CheckSqlite(sqlite3_prepare_v2(db, kSelect, -1, &statement, nullptr), db);
        columns_ = sqlite3_column_count(statement);
        for (int column = 0; column < columns_; ++column)
            titles_.append(QString::fromUtf8(sqlite3_column_name(statement, column)));
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int column = 0; column < columns_; ++column)
                cells_.push_back(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, column))));
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(cells_.size()) / columns_;
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : columns_;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole)
            return {};
        return cells_[static_cast<std::size_t>(index.row() * columns_ + index.column())];
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return QAbstractTableModel::headerData(section, orientation, role);
        return titles_[section];
    }

private:
    int columns_ = 0;
    QStringList titles_;
    std::vector<QString> cells_;
};

void SendKey(QWidget* target, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

// The paints a step asked for, and anything the step posted before them.
void Repaint() {
    QCoreApplication::processEvents();
}

// Counts the paints a viewport receives, so that a step that painted
// nothing is caught rather than timed.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* viewport) : QObject(viewport) {
        viewport->installEventFilter(this);
    }
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count_;
        return false;
    }

private:
    int count_ = 0;
};

// The open list shown offscreen beside a table view of the same rows, the
// same column widths and row height, each with its last shown row current,
// so that the next Down scrolls.
struct ScrollScene {
    ListWindow list;
    RecordsModel model;
    QTableView table;

    ScrollScene() {
        list.Open();
        list.window.show();
        table.resize(kWindowSize);
        table.setModel(&model);
        table.setSelectionBehavior(QAbstractItemView::SelectRows);
        table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table.verticalHeader()->setDefaultSectionSize(list.grid->DefaultRowHeight());
        for (int column = 0; column < model.columnCount({}); ++column)
            table.setColumnWidth(column, list.grid->Columns()->GetColumn(column)->Width());
        table.show();
        Repaint();
        list.query->MoveBy(list.grid->VisibleDataRowCount() - 1);
        const int lastShown =
            table.viewport()->height() / table.verticalHeader()->defaultSectionSize() - 1;
        table.setCurrentIndex(model.index(lastShown, 0));
        Repaint();
    }

    PaintCounter* gridPaints = new PaintCounter(list.grid->viewport());
    PaintCounter* tablePaints = new PaintCounter(table.viewport());

    int GridRecord() const { return list.query->RecNo(); }
    int TableTopRow() const { return table.rowAt(0); }
};

ScrollScene* scene = nullptr;

// One key on each side, checked to have scrolled: a step that stopped
// scrolling would time nothing.
void ScrollInTurns(benchmark::State& state, kx::bench::Turns& turns, Qt::Key key) {
    kx::bench::RunTurns(
        state, turns,
        [key] {
            const int top = scene->TableTopRow();
            const int paints = scene->tablePaints->Count();
            SendKey(&scene->table, key);
            Repaint();
            if (scene->TableTopRow() == top || scene->tablePaints->Count() == paints)
                throw std::runtime_error("the table view did not scroll");
        },
        [key] {
            const int record = scene->GridRecord();
            const int row = scene->list.grid->Row();
            const int paints = scene->gridPaints->Count();
            SendKey(scene->list.grid, key);
            Repaint();
            if (scene->GridRecord() == record || scene->list.grid->Row() != row ||
                scene->gridPaints->Count() == paints)
                throw std::runtime_error("the list grid did not scroll");
        });
}

void BM_ScrollRowInTurns(benchmark::State& state) {
    ScrollInTurns(state, rowTurns, Qt::Key_Down);
}
BENCHMARK(BM_ScrollRowInTurns)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(500);

void BM_ScrollPageInTurns(benchmark::State& state) {
    ScrollInTurns(state, pageTurns, Qt::Key_PageDown);
}
BENCHMARK(BM_ScrollPageInTurns)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(500);

// ---- Memory ---------------------------------------------------------------

// The bytes of the values themselves: a text's UTF-8 bytes, 8 for a
// number or a date, nothing for a null.
double ValueBytes() {
    sqlite3* db = nullptr;
    CheckSqlite(sqlite3_open_v2(QFile::encodeName(setup->data.File()).constData(), &db,
                                SQLITE_OPEN_READONLY, nullptr),
                db);
    sqlite3_stmt* statement = nullptr;
    CheckSqlite(sqlite3_prepare_v2(db, kSelect, -1, &statement, nullptr), db);
    const int columns = sqlite3_column_count(statement);
    double bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column) {
            const QByteArray declared = QByteArray(sqlite3_column_decltype(statement, column));
            switch (sqlite3_column_type(statement, column)) {
            case SQLITE_NULL:
                break;
            case SQLITE_INTEGER:
            case SQLITE_FLOAT:
                bytes += 8;
                break;
            default:
                bytes += declared.startsWith("DATE") ? 8 : sqlite3_column_bytes(statement, column);
                break;
            }
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return bytes;
}

// The list's first opening, run in a fresh process: the bytes of anonymous
// memory it takes up to its first picture, printed for the parent. The
// empty grid is drawn once before, so that the fonts and pictures every
// grid shares and the picture's own pixels are not counted.
int MeasureFirstOpening(const QString& folder) {
    kx::sys::SetAliasPath(QStringLiteral("RUReravezLink"), folder);
    kx::db::TDatabase database;
    database.SetAliasName("RUReravezLink");
    database.SetDatabaseName(kDatabaseName);
    database.Open();
    ListWindow list;
    QImage picture(kWindowSize, QImage::Format_RGB32);
    list.grid->render(&picture);
    const double before = kx::bench::AnonymousBytes();
    list.Open();
    list.grid->render(&picture);
    std::printf("%.0f\n", kx::bench::AnonymousBytes() - before);
    return 0;
}

void BM_OpenListMemory(benchmark::State& state) {
    for (auto _ : state) {
        const std::optional<double> grown = kx::bench::MeasureInFreshProcess(
            program, "--first-opening '" + setup->data.Folder().toStdString() + "'");
        if (!grown) {
            state.SkipWithError("the fresh process failed");
            return;
        }
        memoryRatio = *grown / ValueBytes();
        state.counters["memory_mb"] = *grown / 1e6;
    }
}
BENCHMARK(BM_OpenListMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kx::StartGridUnit();
    if (argc == 3 && std::strcmp(argv[1], "--first-opening") == 0) {
        const int result = MeasureFirstOpening(QString::fromLocal8Bit(argv[2]));
        kx::EndGridUnit();
        return result;
    }
    program = argv[0];
    Setup context;
    setup = &context;
    {
        ScrollScene scrolling;
        scene = &scrolling;
        kx::bench::RunBenchmarks(argc, argv);
        scene = nullptr;
    }
    kx::bench::PrintRatio("listgrid/scroll_row", rowTurns.Ratio());
    kx::bench::PrintRatio("listgrid/scroll_page", pageTurns.Ratio());
    kx::bench::PrintRatio("list_memory/values", memoryRatio);
    kx::EndGridUnit();
    return 0;
}
