#pragma once
// Registers the frame's own working windows (users, password change,
// outdated-data deletion) with the window registry under their form names.
// The program calls it once at start, before the main window opens
// anything; a static library would drop self-registering objects.

namespace kx::admin {

void RegisterWindows();

} // namespace kx::admin
