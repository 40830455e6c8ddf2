// Paints a 1920 x 1080 client full of cells with text, once with the grid
// base and once with QTableView over a plain model, into the same offscreen
// image, and prints the ratio of the two times.

#include "grid/base/customgridx.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

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

void Paint(benchmark::State& state, QWidget& view) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    view.show();
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_GridPaint(benchmark::State& state) {
    TextGrid grid;
    Paint(state, *grid.viewport());
}

void BM_TableViewPaint(benchmark::State& state) {
    TableView view;
    Paint(state, *view.viewport());
}

BENCHMARK(BM_GridPaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TableViewPaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each benchmark's time per paint for the ratio.
class Reporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double grid = reporter.times["BM_GridPaint"];
    const double table = reporter.times["BM_TableViewPaint"];
    if (grid > 0 && table > 0)
        std::printf("ratio paint/qtableview %.3f\n", grid / table);
    benchmark::Shutdown();
    return 0;
}
