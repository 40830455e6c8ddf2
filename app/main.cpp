// kxcashier: the cashier bookkeeping program.

#include "cashbook/registerwindows.h"
#include "frame/app/startup.h"
#include "platform/ui/application.h"
#include "staff/registerwindows.h"

int main(int argc, char** argv) {
    kx::ui::Application app(argc, argv);
    kx::cashbook::RegisterWindows();
    kx::staff::RegisterWindows();
    kx::TRunningProgram program = kx::StartProgram();
    if (!program.MainForm)
        return 0;
    program.MainForm->show();
    return app.exec();
}
