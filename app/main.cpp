// kxcashier: the cashier bookkeeping program.

#include "cashbook/registerwindows.h"
#include "core/messages.h"
#include "frame/admin/registerwindows.h"
#include "frame/admin/userform.h"
#include "frame/app/startup.h"
#include "platform/print/printer.h"
#include "platform/ui/application.h"
#include "staff/registerwindows.h"
#include "tablereport/userlistreport.h"

#include <QDesktopServices>
#include <QUrl>

int main(int argc, char** argv) {
    kx::ui::Application app(argc, argv);
    // Without a print queue, printing makes a PDF file that the desktop's
    // viewer shows to the user; the program says where it is kept.
    kx::print::SetPdfViewer([](const QString& fileName) {
        kx::ShowPrintedFile(fileName, [](const QString& path) {
            return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        });
    });
    kx::admin::RegisterWindows();
    kx::cashbook::RegisterWindows();
    kx::staff::RegisterWindows();
    kx::SetUserListPrint(kx::PrintUserList);
    kx::TRunningProgram program = kx::StartProgram();
    if (!program.MainForm)
        return 0;
    program.MainForm->show();
    return app.exec();
}
