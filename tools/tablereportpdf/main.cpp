// Fills a table-report template from a table of the data folder and writes
// the pages into a PDF file, for trying the filler by hand:
//   kxtablereportpdf --table SYS_USER_TABLE --out users.pdf [--data FOLDER]
//                    [--template FILE] [--save-template FILE] [--png FILE]
// Without --template it makes one: a title, a header with the field names,
// a numbered detail line with the first fields, and the page number. The
// detail tags name the data set "D". With --png it also saves the first
// page as it prints, at 96 dots per inch.

#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/sys/configstore.h"
#include "tablereport/printerdevmode.h"
#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportruntime.h"
#include "tablereport/templatestream.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>

#include <exception>

namespace {

constexpr int kMaxColumns = 5;

// Title, field names, the detail line and the page number, ruled.
QByteArray MakeTemplate(kx::TTextMeasurer* measurer, const kx::db::TQuery& query,
                        const QString& title) {
    kx::TReportControl page(measurer);
    const int columns = std::min(kMaxColumns, query.Fields().Count()) + 1;
    page.NewTable(columns, 4);
    const auto cell = [&page](int line, int column) {
        return page.Lines[std::size_t(line)]->Cells[std::size_t(column)].get();
    };
    for (int column = 0; column < columns; ++column)
        page.SelectCell(cell(0, column));
    page.CombineCells();
    page.ClearSelection();
    cell(0, 0)->SetCellText(title);
    cell(0, 0)->HorzAlign = 1;
    const kx::TBorder none{false, 1};
    const kx::TBorder ruled{true, 1};
    cell(1, 0)->SetCellText(QStringLiteral("序号"));
    cell(2, 0)->SetCellText(QStringLiteral("`序号"));
    for (int column = 1; column < columns; ++column) {
        const QString field = query.Fields()[column - 1]->FieldName();
        cell(1, column)->SetCellText(field);
        cell(2, column)->SetCellText(QStringLiteral("#D.") + field);
    }
    for (int line = 1; line <= 2; ++line)
        for (int column = 0; column < columns; ++column)
            page.SelectCell(cell(line, column));
    page.SetCellBorders(ruled, ruled, ruled, ruled);
    page.ClearSelection();
    // The title is one cell now.
    page.SelectCell(cell(0, 0));
    for (int column = 0; column < columns; ++column)
        page.SelectCell(cell(3, column));
    page.SetCellBorders(none, none, none, none);
    page.ClearSelection();
    cell(3, 0)->SetCellText(QStringLiteral("`PAGENUM/"));
    page.UpdateLines();
    return kx::WriteTemplate(page);
}

void WritePdf(kx::TReportRunTime& filler, const QString& fileName) {
    QPdfWriter writer(fileName);
    writer.setTitle(filler.Title);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    QPainter painter(&writer);
    filler.PrintPageRange(painter, kx::PdfPrintableArea(writer.pageLayout(), 1200), 1,
                          int(filler.PageStreams.size()), [&writer] { writer.newPage(); });
}

void WritePng(kx::TReportRunTime& filler, const QString& fileName) {
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    QImage image(layout.fullRectPixels(96).size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    filler.PrintPageRange(painter, kx::PdfPrintableArea(layout, 96), 1, 1, [] {});
    painter.end();
    image.save(fileName);
}

int Run(const QCommandLineParser& options) {
    const QString dataFolder = options.value(QStringLiteral("data"));
    if (!dataFolder.isEmpty())
        kx::sys::SetAliasPath(QStringLiteral("RUReravezLink"), dataFolder);
    kx::db::TDatabase database;
    database.SetAliasName(QStringLiteral("RUReravezLink"));
    database.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    database.SetLoginPrompt(false);
    kx::db::TQuery query;
    query.SetDatabaseName(QStringLiteral("RUReravezDataBase"));
    const QString table = options.value(QStringLiteral("table"));
    query.SQL().SetText(QStringLiteral("SELECT * FROM ") + table);
    query.Open();

    kx::TQtTextMeasurer measurer;
    kx::TReportRunTime filler(&measurer);
    filler.Title =
        options.isSet(QStringLiteral("title")) ? options.value(QStringLiteral("title")) : table;
    const QString templateFile = options.value(QStringLiteral("template"));
    if (templateFile.isEmpty()) {
        const QByteArray made = MakeTemplate(&measurer, query, filler.Title);
        filler.LoadFromStream(made);
        const QString saveAs = options.value(QStringLiteral("save-template"));
        if (!saveAs.isEmpty()) {
            kx::TReportControl page(&measurer);
            kx::ReadTemplate(made, page);
            kx::SaveTemplateFile(page, saveAs);
        }
    } else {
        filler.SetReportFile(templateFile);
    }
    filler.DataSet = &query;
    filler.BindDataSet(QStringLiteral("D"), &query);
    filler.Paginate(true, filler.Paginate(false, 0));
    if (filler.PageStreams.empty()) {
        QTextStream(stderr) << "No page was filled.\n";
        return 1;
    }
    const QString output = options.value(QStringLiteral("out"));
    WritePdf(filler, output);
    if (options.isSet(QStringLiteral("png")))
        WritePng(filler, options.value(QStringLiteral("png")));
    QTextStream(stdout) << output << ": " << filler.PageStreams.size() << " pages\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Fills a table-report template from a table and writes a PDF file."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("data"), QStringLiteral("The data folder."), QStringLiteral("folder")},
        {QStringLiteral("table"), QStringLiteral("The table to print."), QStringLiteral("name"),
         QStringLiteral("SYS_USER_TABLE")},
        {QStringLiteral("template"), QStringLiteral("The template file to fill."),
         QStringLiteral("file")},
        {QStringLiteral("save-template"), QStringLiteral("Also save the template made."),
         QStringLiteral("file")},
        {QStringLiteral("title"), QStringLiteral("The report's title."), QStringLiteral("text")},
        {QStringLiteral("out"), QStringLiteral("The PDF file to write."), QStringLiteral("file"),
         QStringLiteral("report.pdf")},
        {QStringLiteral("png"), QStringLiteral("Also save the first page as a picture."),
         QStringLiteral("file")},
    });
    parser.process(application);
    try {
        return Run(parser);
    } catch (const std::exception& error) {
        QTextStream(stderr) << QString::fromUtf8(error.what()) << "\n";
        return 1;
    }
}
