// A table report of 10,000 rows filled from a table and written to a PDF
// file, against a bare QPdfWriter/QPainter loop drawing the same cells
// (their ruled borders and their texts, wrapped in the same boxes) on the
// same pages, taking turns:
//   tablereport/pdf   filling the template and printing the pages against
//                     drawing what they hold directly.

#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "platform/db/database.h"
#include "platform/db/query.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportruntime.h"
#include "tablereport/templatestream.h"

#include <QApplication>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kRows = 10000;
constexpr int kResolution = 1200;
const char* const kFields[] = {"ID", "NAME", "MEMO", "AMOUNT"};

// What a printed cell shows: its borders and its text in its box.
struct Cell {
    QRect Box;
    QRect TextBox;
    bool Borders[4];
    int Align;
    QString Text;
};

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    std::unique_ptr<kx::db::TQuery> query;
    kx::TQtTextMeasurer measurer;
    std::unique_ptr<kx::TReportRunTime> filler;
    std::vector<std::vector<Cell>> pages;
    QFont font = kx::FontFromLogFont(kx::TLogFont::Default());
    QSize pageSize;

    Setup() {
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName("RUReravezLink");
        database->SetDatabaseName("RUReravezDataBase");
        database->Open();
        kx::bench::ExecSql(
            "CREATE TABLE TABLEREPORT_BENCH (ID INTEGER, NAME VARCHAR(20), MEMO VARCHAR(40), "
            "AMOUNT REAL)");
        kx::bench::ExecSql(
            QStringLiteral("WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r "
                           "WHERE i < %1) INSERT INTO TABLEREPORT_BENCH SELECT i, "
                           "CASE i % 3 WHEN 0 THEN '张三' WHEN 1 THEN '李四' ELSE '王五' END, "
                           "CASE i % 4 WHEN 0 THEN '差旅费' ELSE '办公用品' END, "
                           "(i % 977) * 10.25 FROM r")
                .arg(kRows));
        query = std::make_unique<kx::db::TQuery>();
        query->SetDatabaseName("RUReravezDataBase");
        query->SQL().Add("SELECT * FROM TABLEREPORT_BENCH ORDER BY ID");
        query->Open();
        filler = std::make_unique<kx::TReportRunTime>(&measurer);
        filler->LoadFromStream(MakeTemplate());
        filler->BindDataSet(QStringLiteral("D"), query.get());
        Fill();
        ReadPages();
    }

    // A title, the column names, the numbered detail line, the page number.
    QByteArray MakeTemplate() {
        kx::TReportControl page(&measurer);
        const int columns = int(std::size(kFields)) + 1;
        page.NewTable(columns, 4);
        const auto cell = [&page](int line, int column) {
            return page.Lines[std::size_t(line)]->Cells[std::size_t(column)].get();
        };
        cell(0, 0)->SetCellText(QStringLiteral("资金借贷记录报表"));
        cell(1, 0)->SetCellText(QStringLiteral("序号"));
        cell(2, 0)->SetCellText(QStringLiteral("`序号"));
        for (int column = 1; column < columns; ++column) {
            cell(1, column)->SetCellText(QString::fromLatin1(kFields[column - 1]));
            cell(2, column)->SetCellText(QStringLiteral("#D.") +
                                         QString::fromLatin1(kFields[column - 1]));
        }
        cell(3, 0)->SetCellText(QStringLiteral("`PAGENUM/"));
        page.UpdateLines();
        return kx::WriteTemplate(page);
    }

    void Fill() { filler->Paginate(true, filler->Paginate(false, 0)); }

    // The anchor draws the cells the printed pages hold.
    void ReadPages() {
        for (const QByteArray& stream : filler->PageStreams) {
            kx::TReportControl page(&measurer);
            kx::ReadTemplate(stream, page, {.ForGrid = false});
            pageSize = QSize(page.PageWidth, page.PageHeight);
            std::vector<Cell> cells;
            for (const auto& line : page.Lines)
                for (const auto& c : line->Cells) {
                    const kx::TRect& r = c->CellRect;
                    const kx::TRect& t = c->TextRect;
                    cells.push_back(
                        {QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)),
                         QRect(t.Left, t.Top, c->CellWidth() - 2 * c->TextMargin, t.Bottom - t.Top),
                         {c->LeftBorder().Line, c->TopBorder().Line, c->RightBorder().Line,
                          c->BottomBorder().Line},
                         c->HorzAlign == 1
                             ? int(Qt::AlignHCenter)
                             : (c->HorzAlign == 2 ? int(Qt::AlignRight) : int(Qt::AlignLeft)),
                         c->Text()});
                }
            pages.push_back(std::move(cells));
        }
    }
};

Setup* setup = nullptr;
kx::bench::Turns pdfTurns(kx::bench::Clock::Wall);

std::unique_ptr<QPdfWriter> NewWriter(const QString& fileName) {
    auto writer = std::make_unique<QPdfWriter>(fileName);
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    writer->setResolution(kResolution);
    return writer;
}

void BareRun() {
    const QString fileName = setup->data.Path("bare.pdf");
    const auto writer = NewWriter(fileName);
    QPainter painter(writer.get());
    painter.setViewport(kx::PdfPrintableArea(writer->pageLayout(), kResolution));
    painter.setWindow(QRect(QPoint(0, 0), setup->pageSize));
    painter.setFont(setup->font);
    const QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap);
    for (std::size_t page = 0; page < setup->pages.size(); ++page) {
        if (page > 0)
            writer->newPage();
        for (const Cell& cell : setup->pages[page]) {
            painter.setPen(pen);
            const QRect& r = cell.Box;
            if (cell.Borders[0])
                painter.drawLine(r.topLeft(), r.bottomLeft());
            if (cell.Borders[1])
                painter.drawLine(r.topLeft(), r.topRight());
            if (cell.Borders[2])
                painter.drawLine(r.topRight(), r.bottomRight());
            if (cell.Borders[3])
                painter.drawLine(r.bottomLeft(), r.bottomRight());
            if (!cell.Text.isEmpty())
                painter.drawText(cell.TextBox, cell.Align | Qt::TextWrapAnywhere, cell.Text);
        }
    }
    painter.end();
    QFile::remove(fileName);
}

void ReportRun() {
    const QString fileName = setup->data.Path("report.pdf");
    setup->Fill();
    const auto writer = NewWriter(fileName);
    QPainter painter(writer.get());
    setup->filler->PrintPageRange(painter, kx::PdfPrintableArea(writer->pageLayout(), kResolution),
                                  1, int(setup->filler->PageStreams.size()),
                                  [&writer] { writer->newPage(); });
    painter.end();
    QFile::remove(fileName);
}

void BM_TableReportAgainstBarePdf(benchmark::State& state) {
    kx::bench::RunTurns(state, pdfTurns, BareRun, ReportRun);
}
BENCHMARK(BM_TableReportAgainstBarePdf)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Setup context;
    setup = &context;
    kx::bench::RunBenchmarks(argc, argv);
    kx::bench::PrintRatio("tablereport/pdf", pdfTurns.Ratio());
    return 0;
}
