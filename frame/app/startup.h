#pragma once
// The program's start, in its fixed order: splash, data module and alias
// check, main window (connecting, cleaning, reading the company and the
// settings), about box, the end of the splash, then log-on, or the first-run
// set-up when the data folder has no system user yet.

#include "core/datamodule.h"
#include "frame/app/mainform.h"

#include <memory>

namespace kx {

// The main window ready for the event loop, with the data module it needs;
// empty when the program is to end.
struct TRunningProgram {
    std::unique_ptr<TDM> DataModule;
    std::unique_ptr<TMainForm> MainForm;
};

// splashMs is the splash's shortest time on screen (3000 in the program).
TRunningProgram StartProgram(int splashMs = 3000);

} // namespace kx
