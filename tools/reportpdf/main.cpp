// Prints a table of the data folder as a banded report into a PDF file, for
// trying the report engine by hand:
//   kxreportpdf --table SYS_USER_TABLE --out users.pdf [--data FOLDER]
// With --png FILE it also saves the first page as the preview shows it.
// The report has a title, a column header with the field names, a detail
// band with the first fields, a summary with the row count and a page
// footer with the page number.

#include "bandreport/bandrep.h"
#include "bandreport/brprintable.h"
#include "bandreport/brprinter.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/print/printer.h"
#include "platform/sys/configstore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <exception>

namespace {

constexpr int kColumns = 5;
constexpr int kColumnWidth = 140;
constexpr int kRowHeight = 22;

template <typename T> T* Place(kx::TBRCustomBand* band, int left, int width) {
    auto* control = new T(band);
    control->SetBounds(QRect(left, 2, width, kRowHeight - 4));
    control->AutoSize = false;
    return control;
}

kx::TBRBand* AddBand(kx::TBandRep& report, kx::TBRBandType type, int height) {
    kx::TBRBand* band = report.CreateBand(type);
    band->Size().PushPixels();
    band->Size().SetHeight(height);
    band->Size().PopUnits();
    return band;
}

void BuildReport(kx::TBandRep& report, kx::db::TQuery& query, const QString& table) {
    report.ReportTitle = table;
    report.SetDataSet(&query);
    kx::TBRBand* title = AddBand(report, kx::TBRBandType::rbTitle, 40);
    auto* caption = Place<kx::TBRSysData>(title, 0, 600);
    caption->SetData(kx::brsReportTitle);
    kx::TBRBand* header = AddBand(report, kx::TBRBandType::rbColumnHeader, kRowHeight);
    header->Frame().SetDrawBottom(true);
    kx::TBRBand* detail = AddBand(report, kx::TBRBandType::rbDetail, kRowHeight);
    const int columns = qMin(kColumns, query.Fields().Count());
    for (int column = 0; column < columns; ++column) {
        const QString field = query.Fields()[column]->FieldName();
        Place<kx::TBRLabel>(header, column * kColumnWidth, kColumnWidth - 4)->SetCaption(field);
        auto* text = Place<kx::TBRDBText>(detail, column * kColumnWidth, kColumnWidth - 4);
        text->SetDataSet(&query);
        text->SetDataField(field);
    }
    kx::TBRBand* summary = AddBand(report, kx::TBRBandType::rbSummary, kRowHeight);
    auto* count = Place<kx::TBRExpr>(summary, 0, 300);
    count->SetExpression(QStringLiteral("'Rows: '+COUNT"));
    kx::TBRBand* footer = AddBand(report, kx::TBRBandType::rbPageFooter, kRowHeight);
    auto* page = Place<kx::TBRSysData>(footer, 0, 200);
    page->SetData(kx::brsPageNumber);
    page->SetText(QStringLiteral("Page "));
}

void SaveFirstPage(kx::TBandRep& report, const QString& fileName) {
    report.PreparePages();
    const auto page = report.ActivePrinter->PageMetafile(1);
    if (page) {
        QImage image(page->Size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter canvas(&image);
        page->Play(canvas, QRectF(QPointF(0, 0), QSizeF(page->Size())));
        canvas.end();
        image.save(fileName);
    }
    report.FreeActivePrinter();
}

int Run(const QString& dataFolder, const QString& table, const QString& output,
        const QString& png) {
    if (!dataFolder.isEmpty())
        kx::sys::SetAliasPath(QStringLiteral("RUReravezLink"), dataFolder);
    kx::db::TDatabase database;
    database.SetAliasName(QStringLiteral("RUReravezLink"));
    database.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    database.SetLoginPrompt(false);
    kx::db::TQuery query;
    query.setObjectName(QStringLiteral("Query"));
    query.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    query.SQL().SetText(QStringLiteral("SELECT * FROM ") + table);
    query.Open();

    QString written;
    kx::print::SetPdfViewer([&written](const QString& fileName) { written = fileName; });
    QObject form;
    kx::TBandRep report(&form);
    BuildReport(report, query, table);
    if (!png.isEmpty())
        SaveFirstPage(report, png);
    report.PrintToPrinter();
    if (written.isEmpty()) {
        QTextStream(stderr) << "No PDF was written: print queues are installed.\n";
        return 1;
    }
    QFile::remove(output);
    if (!QFile::rename(written, output) && !QFile::copy(written, output)) {
        QTextStream(stderr) << "Cannot write " << output << "\n";
        return 1;
    }
    QTextStream(stdout) << output << "\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints a table of the data folder as a banded report into a PDF file."));
    parser.addHelpOption();
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("The data folder."),
                                  QStringLiteral("folder"));
    const QCommandLineOption table(QStringLiteral("table"), QStringLiteral("The table to print."),
                                   QStringLiteral("name"), QStringLiteral("SYS_USER_TABLE"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The PDF file to write."),
                                 QStringLiteral("file"), QStringLiteral("report.pdf"));
    const QCommandLineOption png(QStringLiteral("png"),
                                 QStringLiteral("Also save the first page as a picture."),
                                 QStringLiteral("file"));
    parser.addOptions({data, table, out, png});
    parser.process(application);
    try {
        return Run(parser.value(data), parser.value(table), parser.value(out), parser.value(png));
    } catch (const std::exception& error) {
        QTextStream(stderr) << QString::fromUtf8(error.what()) << "\n";
        return 1;
    }
}
