#include "app/program.h"

#include "cashbook/registerwindows.h"
#include "core/messages.h"
#include "frame/admin/registerwindows.h"
#include "frame/admin/userform.h"
#include "platform/print/printer.h"
#include "platform/ui/programlanguage.h"
#include "staff/registerwindows.h"
#include "tablereport/userlistreport.h"

#include <QDesktopServices>
#include <QUrl>

namespace kx {

void PrepareProgram() {
    ui::InstallQtTranslations();
    // Without a print queue, printing makes a PDF file that the desktop's
    // viewer shows to the user; the program says where it is kept.
    print::SetPdfViewer([](const QString& fileName) {
        ShowPrintedFile(fileName, [](const QString& path) {
            return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        });
    });
    admin::RegisterWindows();
    cashbook::RegisterWindows();
    staff::RegisterWindows();
    SetUserListPrint(PrintUserList);
}

} // namespace kx
