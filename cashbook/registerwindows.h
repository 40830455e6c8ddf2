#pragma once
// Registers the cash book's working windows with the window registry under their
// form names. The program calls it once at start, before the main window
// opens anything; a static library would drop self-registering objects.

namespace kx::cashbook {

void RegisterWindows();

} // namespace kx::cashbook
