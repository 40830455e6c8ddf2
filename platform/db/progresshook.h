#pragma once
// A hook that every connection's statements call every few thousand engine
// steps, so that a busy window can keep its picture moving while the GUI
// thread waits for SQLite. The hook runs in the middle of a statement: it
// must neither use the database nor handle events.

#include <functional>

struct sqlite3;

namespace kx::db {

using ProgressHook = std::function<void()>;

// Makes hook the one the statements call (an empty hook: none) and returns the
// one it replaces.
ProgressHook SetProgressHook(ProgressHook hook);

// Lets the connection's statements call the hook; done once when it opens.
void AttachProgressHook(sqlite3* db);

// A hook that raised an exception stopped its statement, which then failed as
// interrupted: this raises the hook's own exception instead, once.
void RethrowProgressHookFailure();

} // namespace kx::db
