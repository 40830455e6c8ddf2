// kxcashier: the cashier bookkeeping program.

#include "cashbook/registerwindows.h"
#include "frame/admin/registerwindows.h"
#include "frame/admin/userform.h"
#include "frame/app/startup.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/print/printer.h"
#include "platform/ui/application.h"
#include "staff/registerwindows.h"
#include "tablereport/userlistreport.h"

#include <QDesktopServices>
#include <QScopeGuard>
#include <QUrl>

int main(int argc, char** argv) {
    kx::ui::Application app(argc, argv);
    // Without a print queue, printing makes a PDF file that the desktop's
    // viewer shows to the user.
    kx::print::SetPdfViewer(
        [](const QString& fileName) { QDesktopServices::openUrl(QUrl::fromLocalFile(fileName)); });
    kx::admin::RegisterWindows();
    kx::cashbook::RegisterWindows();
    kx::staff::RegisterWindows();
    kx::SetUserListPrint(kx::PrintUserList);
    // The grid unit that start-up begins ends after the last window.
    const auto endGridUnit = qScopeGuard(kx::EndGridUnit);
    kx::TRunningProgram program = kx::StartProgram();
    if (!program.MainForm)
        return 0;
    program.MainForm->show();
    return app.exec();
}
