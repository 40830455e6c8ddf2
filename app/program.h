#pragma once
// What the program sets up before its start-up sequence runs: its language,
// where printed PDF files go, and every subsystem's windows.

namespace kx {

// Call once, after the application object exists.
void PrepareProgram();

} // namespace kx
