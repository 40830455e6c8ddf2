// Paints a 1920 x 1080 client full of cells with text with the grid base,
// against QTableView over a plain model painting the same cells, the two
// taking turns into the same offscreen image:
//   paint/qtableview  the grid's time per paint over the table view's.

#include "bench/benchsupport.h"
#include "grid/base/customgridx.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kCols = 40;
constexpr int kRows = 60;

QString CellText(int col, int row) {
    return QStringLiteral("%1,%2").arg(col).arg(row);
}

class TextGrid : public kx::TCustomGridX {
public:
    TextGrid() {
        SetBorderStyle(kx::ui::TBorderStyle::bsNone);
        SetScrollBars(kx::ui::TScrollStyle::ssNone);
        SetColCount(kCols);
        SetRowCount(kRows);
        SetFixedCols(0);
        SetFixedRows(0);
        resize(kWidth, kHeight);
    }

protected:
    void DrawCell(int col, int row, const kx::ui::TRect& rect, kx::TGridDrawState) override {
        Canvas().TextRect(rect, rect.Left + 2, rect.Top + 2, CellText(col, row));
    }
};

class TextModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kRows; }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : kCols;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole)
            return QVariant();
        return CellText(index.column(), index.row());
    }
};

// Same cells as the grid: 64 x 24 pixels plus a one-pixel line.
class TableView : public QTableView {
public:
    TableView() {
        setModel(&model_);
        horizontalHeader()->hide();
        verticalHeader()->hide();
        horizontalHeader()->setMinimumSectionSize(1);
        verticalHeader()->setMinimumSectionSize(1);
        horizontalHeader()->setDefaultSectionSize(65);
        verticalHeader()->setDefaultSectionSize(25);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        resize(kWidth, kHeight);
    }

private:
    TextModel model_;
};

kx::bench::Turns turns(kx::bench::Clock::Thread);

void BM_GridAgainstTableView(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    TextGrid grid;
    TableView table;
    grid.show();
    table.show();
    const auto paint = [&image](QWidget* view) {
        view->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    };
    kx::bench::RunTurns(
        state, turns, [&] { paint(table.viewport()); }, [&] { paint(grid.viewport()); });
}
BENCHMARK(BM_GridAgainstTableView)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kx::bench::RunBenchmarks(argc, argv);
    kx::bench::PrintRatio("paint/qtableview", turns.Ratio());
    return 0;
}
