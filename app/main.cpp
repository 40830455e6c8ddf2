// kxcashier: the cashier bookkeeping program.

#include "app/program.h"
#include "frame/app/startup.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/ui/application.h"

#include <QScopeGuard>

int main(int argc, char** argv) {
    kx::ui::Application app(argc, argv);
    kx::PrepareProgram();
    // The grid unit that start-up begins ends after the last window.
    const auto endGridUnit = qScopeGuard(kx::EndGridUnit);
    kx::TRunningProgram program = kx::StartProgram();
    if (!program.MainForm)
        return 0;
    program.MainForm->show();
    return app.exec();
}
