#include "staff/registerwindows.h"

#include "frame/app/windowregistry.h"

namespace kx::staff {

// One TWindowRegistry::Register line per window, added with the window.
void RegisterWindows() {}

} // namespace kx::staff
