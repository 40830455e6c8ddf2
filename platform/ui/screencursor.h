#pragma once
// The screen cursor: one cursor for the whole program, as long work sets it
// to the wait cursor and puts the arrow back when done.

#include <Qt>

namespace kx::ui {

// Qt::ArrowCursor gives every window its own cursor back.
void SetScreenCursor(Qt::CursorShape shape);

} // namespace kx::ui
