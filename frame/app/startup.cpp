#include "frame/app/startup.h"

#include "core/appstate.h"
#include "core/exceptionhandler.h"
#include "core/filefunctions.h"
#include "core/messages.h"
#include "core/sqlfunctions.h"
#include "frame/app/aboutform.h"
#include "frame/app/enrolform.h"
#include "frame/app/logonform.h"
#include "frame/app/showform.h"
#include "grid/dbgrid/gridpictures.h"
#include "platform/db/session.h"
#include "platform/ui/application.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace kx {
namespace {

void WaitForSplash(const TShowForm& splash) {
    while (splash.tmMainTimer->isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool SystemUserExists() {
    return GetSqlFirstFloat(kDatabaseName, QStringLiteral("SELECT  Count(USE_ID) from "
                                                          "SYS_USER_TABLE WHERE  SYS_USER ='是'")) >
           0;
}

bool LogOn(TMainForm& mainForm) {
    TLogonForm logon(&mainForm);
    // The start-up benchmark times the wait up to this window, drawn, by
    // this line; nothing else sets the variable.
    if (qEnvironmentVariableIsSet("KX_REPORT_LOGON_SHOWN")) {
        QTimer::singleShot(0, &logon, [] {
            QCoreApplication::processEvents();
            std::puts("log-on window shown");
            std::fflush(stdout);
        });
    }
    return ui::ExecModal(logon) == QDialog::Accepted;
}

// A data folder without a system user is new: its first user sets it up.
bool SetUp() {
    TEnrolForm enrol;
    return ui::ExecModal(enrol) == QDialog::Accepted;
}

TRunningProgram Run(int splashMs) {
    // Every list needs the grid's pictures, default style, data service and
    // find dialog before its window opens.
    StartGridUnit();
    TRunningProgram program;
    auto splash = std::make_unique<TShowForm>();
    splash->tmMainTimer->setInterval(splashMs);
    splash->show();
    splash->repaint();
    ui::SetApplicationTitle(QStringLiteral("岚衡出纳记账管理系统"));
    program.DataModule = std::make_unique<TDM>();
    DM = program.DataModule.get();
    if (AppAliasMissing) {
        ui::RequestTerminate();
        return {};
    }
    program.MainForm = std::make_unique<TMainForm>();
    program.MainForm->AboutForm = new TAboutForm(program.MainForm.get());
    WaitForSplash(*splash);
    splash.reset();
    if (ui::TerminateRequested() || !(SystemUserExists() ? LogOn(*program.MainForm) : SetUp())) {
        ui::RequestTerminate();
        return {};
    }
    return program;
}

} // namespace

TRunningProgram StartProgram(int splashMs) {
    ui::SetExceptionHandler(HandleApplicationException);
    // Nothing runs the event loop's handler yet: a failure here (a data
    // folder that cannot be opened, a damaged table) is shown the same way
    // and ends the program.
    try {
        return Run(splashMs);
    } catch (...) {
        ui::HandleCurrentException();
        // The engine's prompt names neither the file nor what is wrong with it.
        if (DM) {
            const QString fault = DatabaseFileFault(DM->MainDatabase->FileName());
            if (!fault.isEmpty())
                ShowPromptMessage(fault);
        }
        ui::RequestTerminate();
        return {};
    }
}

} // namespace kx
