#pragma once
// Reloads a window's query under the busy window and tells the user how
// many rows it found.

#include <QString>

namespace kx {

class TKXQuery;

// A database error closes the busy window and passes on to the caller.
void RunQueryWithBusyWindow(TKXQuery& query, const QString& sqlText);

} // namespace kx
