// A 1,000-page banded report over 50,000 rows, and the preview of one of its
// pages, each against the same drawing done directly, taking turns:
//   report/pdf   the run to a PDF file against a bare QPdfWriter/QPainter
//                loop drawing the same texts at the same positions;
//   preview/page turning a page in the preview against drawing that page
//                with QPainter from scratch at the same size.

#include "bandreport/bandrep.h"
#include "bandreport/brpreview.h"
#include "bandreport/brprintable.h"
#include "bandreport/brprinter.h"
#include "bench/benchdata.h"
#include "bench/benchsupport.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/print/printer.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int kRows = 50000;
constexpr int kRowsPerPage = 50;
constexpr long double kMargin = 100;
constexpr long double kRowHeight = 51;
constexpr long double kColumnWidth = 500;
constexpr int kColumns = 3;
const char* const kFields[kColumns] = {"ID", "NAME", "AMOUNT"};

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    std::unique_ptr<kx::db::TQuery> query;
    QList<QStringList> rows;
    QObject form;
    kx::TBandRep* report = nullptr;

    Setup() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.Path("home")));
        kx::print::SetPdfFolder(data.Path("temp"));
        kx::SetNewPrinterPaperSize([] { return kx::TBRPaperSize::A4; });
        database = std::make_unique<kx::db::TDatabase>();
        database->SetAliasName("RUReravezLink");
        database->SetDatabaseName("RUReravezDataBase");
        database->Open();
        kx::bench::ExecSql("CREATE TABLE REPORT_BENCH (ID INTEGER, NAME VARCHAR(20), AMOUNT REAL)");
        kx::bench::ExecSql(
            QStringLiteral("WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r "
                           "WHERE i < %1) INSERT INTO REPORT_BENCH SELECT i, "
                           "CASE i % 3 WHEN 0 THEN '张三' WHEN 1 THEN '李四' ELSE '王五' END, "
                           "(i % 977) * 10.25 FROM r")
                .arg(kRows));
        query = std::make_unique<kx::db::TQuery>();
        query->setObjectName("Query");
        query->SetDatabaseName("RUReravezDataBase");
        query->SQL().Add("SELECT * FROM REPORT_BENCH ORDER BY ID");
        query->Open();
        for (query->First(); !query->Eof(); query->Next()) {
            QStringList row;
            for (const char* field : kFields)
                row.append(query->FieldByName(field)->DisplayText());
            rows.append(row);
        }
        BuildReport();
    }

    // Transparent detail rows only, so that both sides draw the same texts
    // and nothing else.
    void BuildReport() {
        report = new kx::TBandRep(&form);
        report->SetUnits(kx::TBRUnit::Native);
        report->SetDataSet(query.get());
        report->ShowProgress = false;
        report->Page().SetDimension(kx::TBRPage::TopMarginIndex, kMargin + 100);
        report->Page().SetDimension(kx::TBRPage::BottomMarginIndex, kMargin + 100);
        kx::TBRBand* detail = report->CreateBand(kx::TBRBandType::rbDetail);
        detail->Size().SetHeight(kRowHeight);
        detail->TransparentBand = true;
        for (int column = 0; column < kColumns; ++column) {
            auto* text = new kx::TBRDBText(detail);
            text->AutoSize = false;
            text->Transparent = true;
            text->SetDataSet(query.get());
            text->SetDataField(QString::fromLatin1(kFields[column]));
            text->Size().SetValues({kRowHeight - 6, column * kColumnWidth, 0, kColumnWidth - 20});
        }
    }
};

Setup* setup = nullptr;
kx::bench::Turns pdfTurns(kx::bench::Clock::Wall);
kx::bench::Turns pageTurns(kx::bench::Clock::Thread);

void BareRun() {
    const QString fileName = setup->data.Path("bare.pdf");
    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    QPainter canvas(&writer);
    canvas.setFont(setup->report->Font());
    const long double factor = 1200.0L / 254;
    const int ascent = canvas.fontMetrics().ascent();
    for (int row = 0; row < setup->rows.size(); ++row) {
        if (row > 0 && row % kRowsPerPage == 0)
            writer.newPage();
        const long double y = kMargin + 100 + (row % kRowsPerPage) * kRowHeight;
        for (int column = 0; column < kColumns; ++column)
            canvas.drawText(int((kMargin + column * kColumnWidth) * factor),
                            int(y * factor) + ascent, setup->rows.at(row).at(column));
    }
    canvas.end();
    QFile::remove(fileName);
}

void ReportRun() {
    QString written;
    kx::print::SetPdfViewer([&written](const QString& fileName) { written = fileName; });
    setup->report->PrintToPrinter();
    kx::print::SetPdfViewer({});
    QFile::remove(written);
}

void BM_ReportAgainstBarePdf(benchmark::State& state) {
    kx::bench::RunTurns(state, pdfTurns, BareRun, ReportRun);
}
BENCHMARK(BM_ReportAgainstBarePdf)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_PageTurnAgainstPainter(benchmark::State& state) {
    setup->report->PreparePages();
    kx::TBRPrinter* printer = setup->report->ActivePrinter;
    kx::TBRPreview preview;
    preview.resize(800, 1000);
    preview.AttachPrinter(printer);
    preview.SetZoom(100);
    const QSize size = preview.Image()->size();
    QImage shown(size, QImage::Format_ARGB32_Premultiplied);
    int page = 1;
    const auto turn = [&] {
        page = page % printer->PageCount() + 1;
        preview.SetPageNumber(page);
        preview.Image()->render(&shown);
    };
    // Both draw into an image made once, so that neither pays for its memory.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const auto direct = [&] {
        image.fill(Qt::white);
        QPainter canvas(&image);
        canvas.setFont(setup->report->Font());
        const long double factor = 96.0L / 254;
        const int ascent = canvas.fontMetrics().ascent();
        const int first = (page % printer->PageCount()) * kRowsPerPage;
        for (int row = first; row < first + kRowsPerPage && row < setup->rows.size(); ++row) {
            const long double y = kMargin + 100 + (row % kRowsPerPage) * kRowHeight;
            for (int column = 0; column < kColumns; ++column)
                canvas.drawText(int((kMargin + column * kColumnWidth) * factor),
                                int(y * factor) + ascent, setup->rows.at(row).at(column));
        }
    };
    kx::bench::RunTurns(state, pageTurns, direct, turn);
    preview.AttachPrinter(nullptr);
    setup->report->FreeActivePrinter();
}
BENCHMARK(BM_PageTurnAgainstPainter)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Setup context;
    setup = &context;
    kx::bench::RunBenchmarks(argc, argv);
    kx::bench::PrintRatio("report/pdf", pdfTurns.Ratio());
    kx::bench::PrintRatio("preview/page", pageTurns.Ratio());
    return 0;
}
