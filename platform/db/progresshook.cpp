#include "platform/db/progresshook.h"

#include <sqlite3.h>

#include <exception>
#include <utility>

namespace kx::db {
namespace {

// Often enough for a smooth picture, rarely enough to cost nothing measurable.
constexpr int kStepsBetweenCalls = 10000;

ProgressHook& CurrentHook() {
    static ProgressHook hook;
    return hook;
}

std::exception_ptr& HookFailure() {
    static std::exception_ptr failure;
    return failure;
}

// No exception may unwind through SQLite: it is kept, and the statement is
// stopped so that its caller raises it.
int CallHook(void*) noexcept {
    if (!CurrentHook())
        return 0;
    try {
        CurrentHook()();
        return 0;
    } catch (...) {
        HookFailure() = std::current_exception();
        return 1;
    }
}

} // namespace

ProgressHook SetProgressHook(ProgressHook hook) {
    HookFailure() = nullptr;
    ProgressHook previous = std::move(CurrentHook());
    CurrentHook() = std::move(hook);
    return previous;
}

void AttachProgressHook(sqlite3* db) {
    sqlite3_progress_handler(db, kStepsBetweenCalls, CallHook, nullptr);
}

void RethrowProgressHookFailure() {
    if (std::exception_ptr failure = std::exchange(HookFailure(), nullptr))
        std::rethrow_exception(failure);
}

} // namespace kx::db
