#include "cashbook/registerwindows.h"

#include "frame/app/windowregistry.h"

namespace kx::cashbook {

// One TWindowRegistry::Register line per window, added with the window.
void RegisterWindows() {}

} // namespace kx::cashbook
