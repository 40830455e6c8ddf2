// Shows the demo grid. --rows N gives it N rows under its titles (10,000
// unless told otherwise), so that it can be tried over 100,000 rows and more;
// --money FOLDER shows the data-aware grid over the in/out records of a data
// folder instead, and --data FOLDER --table TABLE the program's list grid
// over any table of a data folder; --edit FOLDER the grid's editing mode over
// the records of a data folder; --tree shows the data-aware grid over an
// in-memory tree of records, --filter-row the grid's filter row over an
// in-memory list. With --screenshot FILE it saves a picture of the grid as
// soon as it is laid out and ends.

#include "grid/dbgrid/gridpictures.h"
#include "platform/ui/application.h"
#include "tools/griddemo/demogrid.h"
#include "tools/griddemo/editgrid.h"
#include "tools/griddemo/filterrowdemo.h"
#include "tools/griddemo/listgrid.h"
#include "tools/griddemo/moneygrid.h"
#include "tools/griddemo/treedemo.h"

#include <QCommandLineParser>
#include <QFile>
#include <QPixmap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <limits>
#include <memory>

namespace {

// The grid counts its rows, the title rows included, in an int.
constexpr int kMaxRows = std::numeric_limits<int>::max() - kx::TDemoGrid::kTitleRows;

// The row count from its option; 0 when the text is not a number from 1 to
// kMaxRows.
int ParseRows(const QString& text) {
    bool ok = false;
    const int rows = text.toInt(&ok);
    return ok && rows >= 1 && rows <= kMaxRows ? rows : 0;
}

} // namespace

int main(int argc, char** argv) {
    // The demo points the data-folder alias at the folder it is given: in a
    // configuration folder of its own, never in the user's.
    const QTemporaryDir config;
    if (!config.isValid()) {
        std::fputs("no temporary folder for the demo's configuration\n", stderr);
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    kx::ui::Application app(argc, argv);
    kx::ui::SetExceptionHandler([](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
    });
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the grid base over many rows."));
    parser.addHelpOption();
    const QCommandLineOption rowsOption(
        QStringLiteral("rows"), QStringLiteral("Rows under the titles (1 to %1).").arg(kMaxRows),
        QStringLiteral("count"), QString::number(kx::TDemoGrid::kDefaultRows));
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("Save a picture of the grid and end."),
                                              QStringLiteral("file"));
    const QCommandLineOption moneyOption(
        QStringLiteral("money"), QStringLiteral("Show the in/out records of a data folder."),
        QStringLiteral("folder"));
    const QCommandLineOption dataOption(
        QStringLiteral("data"), QStringLiteral("Show the list grid over a table of a data folder."),
        QStringLiteral("folder"));
    const QCommandLineOption tableOption(
        QStringLiteral("table"), QStringLiteral("The table --data shows."), QStringLiteral("name"),
        QStringLiteral("KX_INTO_OUT_MONEY_TABLE"));
    const QCommandLineOption treeOption(
        QStringLiteral("tree"),
        QStringLiteral("Show an in-memory tree of records: expand, scroll, drag records."));
    parser.addOption(treeOption);
    const QCommandLineOption filterRowOption(
        QStringLiteral("filter-row"),
        QStringLiteral("Show the filter row over an in-memory list: choose, press Enter."));
    parser.addOption(filterRowOption);
    const QCommandLineOption editOption(
        QStringLiteral("edit"),
        QStringLiteral("Edit the in/out records of a data folder in place."),
        QStringLiteral("folder"));
    parser.addOption(editOption);
    parser.addOption(rowsOption);
    parser.addOption(dataOption);
    parser.addOption(tableOption);
    parser.addOption(screenshotOption);
    parser.addOption(moneyOption);
    parser.process(app);
    const int rows = ParseRows(parser.value(rowsOption));
    if (rows == 0) {
        std::fprintf(stderr, "--rows takes a whole number from 1 to %d, not \"%s\"\n", kMaxRows,
                     qPrintable(parser.value(rowsOption)));
        return 1;
    }
    kx::StartGridUnit();
    std::unique_ptr<QWidget> window;
    if (parser.isSet(dataOption)) {
        const QString table = parser.value(tableOption);
        if (!QRegularExpression(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"))
                 .match(table)
                 .hasMatch()) {
            std::fprintf(stderr, "--table takes a table name, not \"%s\"\n", qPrintable(table));
            return 1;
        }
        try {
            window = std::make_unique<kx::TListGridDemo>(parser.value(dataOption), table);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    } else if (parser.isSet(editOption)) {
        try {
            window = std::make_unique<kx::TEditGridDemo>(parser.value(editOption));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    } else if (parser.isSet(filterRowOption)) {
        window = std::make_unique<kx::TFilterRowDemo>();
    } else if (parser.isSet(treeOption)) {
        window = std::make_unique<kx::TTreeGridDemo>();
    } else if (parser.isSet(moneyOption))
        window = std::make_unique<kx::TMoneyGridDemo>(parser.value(moneyOption));
    else
        window = std::make_unique<kx::TDemoGrid>(rows);
    QWidget& grid = *window;
    grid.setWindowTitle(QStringLiteral("Grid demo"));
    grid.resize(900, 520);
    grid.show();
    if (parser.isSet(screenshotOption)) {
        grid.activateWindow();
        grid.setFocus();
        QTimer::singleShot(200, [&] {
            grid.grab().save(parser.value(screenshotOption));
            app.quit();
        });
    }
    return app.exec();
}
