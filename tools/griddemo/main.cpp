// Shows the demo grid; with --screenshot FILE it saves a picture of the grid
// as soon as it is laid out and ends.

#include "platform/ui/application.h"
#include "tools/griddemo/demogrid.h"

#include <QPixmap>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    kx::ui::Application app(argc, argv);
    kx::ui::SetExceptionHandler([](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
    });
    kx::TDemoGrid grid;
    grid.setWindowTitle(QStringLiteral("Grid demo"));
    grid.resize(900, 520);
    grid.show();
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0 && at + 1 < args.size()) {
        grid.activateWindow();
        grid.setFocus();
        QTimer::singleShot(200, [&] {
            grid.grab().save(args[at + 1]);
            app.quit();
        });
    }
    return app.exec();
}
