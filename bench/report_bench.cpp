// What the user waits for between printing a 1,000-page banded report to
// PDF and the file being there, and for turning a page in its preview, each
// against the same drawing done directly, taking turns:
//   report/pdf             the engine's cheapest report, transparent detail
//                          rows of three fields over 50,000 rows, against a
//                          bare QPdfWriter/QPainter loop drawing the same
//                          texts at the same positions;
//   report/pdf_tool_layout the report tool's ordinary layout (title, column
//                          header with a rule, detail of five fields, summary
//                          with the row count, page footer with the page
//                          number), 1,000 pages, against a bare loop drawing
//                          the same texts and rules page by page;
//   preview/page           turning a page in the preview against drawing
//                          that page with QPainter from scratch at the same
//                          size.

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

#include <algorithm>
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

// The report tool's layout, in pixels of the screen.
constexpr int kToolColumns = 5;
constexpr int kToolColumnWidth = 140;
constexpr int kToolRowHeight = 22;
constexpr int kToolTitleHeight = 40;
const char* const kToolFields[kToolColumns] = {"ID", "NAME", "AMOUNT", "DAY", "NOTE"};

struct Setup {
    kx::bench::TBenchDataFolder data;
    std::unique_ptr<kx::db::TDatabase> database;
    std::unique_ptr<kx::db::TQuery> query;
    QList<QStringList> rows;
    QObject form;
    kx::TBandRep* report = nullptr;
    std::unique_ptr<kx::db::TQuery> toolQuery;
    QList<QStringList> toolRows;
    kx::TBandRep* toolReport = nullptr;
    int toolRowsPerPage = 0;

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
        FillToolTable();
        BuildToolReport();
    }

    // Five fields of every kind the tool meets, rows enough for 1,000 pages
    // (the engine places 45 rows on an A4 page of this layout).
    void FillToolTable() {
        kx::bench::ExecSql("CREATE TABLE REPORT_TOOL_BENCH (ID INTEGER, NAME VARCHAR(20), "
                           "AMOUNT REAL, DAY DATE, NOTE VARCHAR(40))");
        kx::bench::ExecSql(
            QStringLiteral("WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r "
                           "WHERE i < %1) INSERT INTO REPORT_TOOL_BENCH SELECT i, "
                           "CASE i % 3 WHEN 0 THEN '张三' WHEN 1 THEN '李四' ELSE '王五' END, "
                           "(i % 977) * 10.25, date('2007-01-01', '+' || (i % 700) || ' days'), "
                           "CASE i % 2 WHEN 0 THEN '收到货款' ELSE '支付办公用品费用' END FROM r")
                .arg(45 * 1000));
        toolQuery = std::make_unique<kx::db::TQuery>();
        toolQuery->setObjectName("ToolQuery");
        toolQuery->SetDatabaseName("RUReravezDataBase");
        toolQuery->SQL().Add("SELECT * FROM REPORT_TOOL_BENCH ORDER BY ID");
        toolQuery->Open();
        for (toolQuery->First(); !toolQuery->Eof(); toolQuery->Next()) {
            QStringList row;
            for (const char* field : kToolFields)
                row.append(toolQuery->FieldByName(field)->DisplayText());
            toolRows.append(row);
        }
    }

    static kx::TBRBand* AddBand(kx::TBandRep& owner, kx::TBRBandType type, int height) {
        kx::TBRBand* band = owner.CreateBand(type);
        band->Size().PushPixels();
        band->Size().SetHeight(height);
        band->Size().PopUnits();
        return band;
    }

    template <typename T> static T* Place(kx::TBRCustomBand* band, int left, int width) {
        auto* control = new T(band);
        control->SetBounds(QRect(left, 2, width, kToolRowHeight - 4));
        control->AutoSize = false;
        return control;
    }

    // As the report tool lays a table out.
    void BuildToolReport() {
        toolReport = new kx::TBandRep(&form);
        toolReport->ShowProgress = false;
        toolReport->ReportTitle = QStringLiteral("REPORT_TOOL_BENCH");
        toolReport->SetDataSet(toolQuery.get());
        kx::TBRBand* title = AddBand(*toolReport, kx::TBRBandType::rbTitle, kToolTitleHeight);
        Place<kx::TBRSysData>(title, 0, 600)->SetData(kx::brsReportTitle);
        kx::TBRBand* header = AddBand(*toolReport, kx::TBRBandType::rbColumnHeader, kToolRowHeight);
        header->Frame().SetDrawBottom(true);
        kx::TBRBand* detail = AddBand(*toolReport, kx::TBRBandType::rbDetail, kToolRowHeight);
        for (int column = 0; column < kToolColumns; ++column) {
            const QString field = QString::fromLatin1(kToolFields[column]);
            Place<kx::TBRLabel>(header, column * kToolColumnWidth, kToolColumnWidth - 4)
                ->SetCaption(field);
            auto* text =
                Place<kx::TBRDBText>(detail, column * kToolColumnWidth, kToolColumnWidth - 4);
            text->SetDataSet(toolQuery.get());
            text->SetDataField(field);
        }
        kx::TBRBand* summary = AddBand(*toolReport, kx::TBRBandType::rbSummary, kToolRowHeight);
        Place<kx::TBRExpr>(summary, 0, 300)->SetExpression(QStringLiteral("'Rows: '+COUNT"));
        kx::TBRBand* footer = AddBand(*toolReport, kx::TBRBandType::rbPageFooter, kToolRowHeight);
        auto* page = Place<kx::TBRSysData>(footer, 0, 200);
        page->SetData(kx::brsPageNumber);
        page->SetText(QStringLiteral("Page "));
        toolReport->PreparePages();
        const int pages = toolReport->ActivePrinter->PageCount();
        toolReport->FreeActivePrinter();
        toolRowsPerPage = (static_cast<int>(toolRows.size()) + pages - 1) / pages;
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
kx::bench::Turns toolTurns(kx::bench::Clock::Wall);
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

// The tool's layout drawn directly: per page the title (first page only),
// the captions over a rule, the rows, the row count after the last row and
// the page number at the foot, in the report's font at the engine's
// resolution.
void BareToolRun() {
    const QString fileName = setup->data.Path("bare-tool.pdf");
    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    QPainter canvas(&writer);
    canvas.setFont(setup->toolReport->Font());
    const double factor = 1200.0 / 96;
    const int ascent = canvas.fontMetrics().ascent();
    const int rowHeight = int(kToolRowHeight * factor);
    const int left = int(100 * 1200.0 / 254);
    const int width = int(kToolColumnWidth * factor);
    const QList<QStringList>& rows = setup->toolRows;
    const int perPage = setup->toolRowsPerPage;
    const int pageHeight = writer.height();
    for (int first = 0, page = 1; first < rows.size(); first += perPage, ++page) {
        if (page > 1)
            writer.newPage();
        int y = int(100 * 1200.0 / 254);
        if (page == 1) {
            canvas.drawText(left, y + ascent, setup->toolReport->ReportTitle);
            y += int(kToolTitleHeight * factor);
        }
        for (int column = 0; column < kToolColumns; ++column)
            canvas.drawText(left + column * width, y + ascent,
                            QString::fromLatin1(kToolFields[column]));
        y += rowHeight;
        canvas.drawLine(left, y, left + kToolColumns * width, y);
        const int end = std::min(first + perPage, static_cast<int>(rows.size()));
        for (int row = first; row < end; ++row, y += rowHeight) {
            for (int column = 0; column < kToolColumns; ++column)
                canvas.drawText(left + column * width, y + ascent, rows.at(row).at(column));
        }
        if (end == rows.size())
            canvas.drawText(left, y + ascent, QStringLiteral("Rows: %1").arg(rows.size()));
        canvas.drawText(left, pageHeight - left - rowHeight + ascent,
                        QStringLiteral("Page %1").arg(page));
    }
    canvas.end();
    QFile::remove(fileName);
}

void ToolReportRun() {
    QString written;
    kx::print::SetPdfViewer([&written](const QString& fileName) { written = fileName; });
    setup->toolReport->PrintToPrinter();
    kx::print::SetPdfViewer({});
    QFile::remove(written);
}

void BM_ToolLayoutAgainstBarePdf(benchmark::State& state) {
    kx::bench::RunTurns(state, toolTurns, BareToolRun, ToolReportRun);
    state.counters["rows_per_page"] = setup->toolRowsPerPage;
}
BENCHMARK(BM_ToolLayoutAgainstBarePdf)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

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
    kx::bench::PrintRatio("report/pdf_tool_layout", toolTurns.Ratio());
    kx::bench::PrintRatio("preview/page", pageTurns.Ratio());
    return 0;
}
