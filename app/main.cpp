// kxcashier: the cashier bookkeeping program.

#include "app/program.h"
#include "frame/app/startup.h"
#include "platform/ui/application.h"

int main(int argc, char** argv) {
    kx::ui::Application app(argc, argv);
    kx::PrepareProgram();
    kx::TRunningProgram program = kx::StartProgram();
    if (!program.MainForm)
        return 0;
    program.MainForm->show();
    return app.exec();
}
