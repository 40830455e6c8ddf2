#pragma once
// The one handler for exceptions that no code caught: engine errors become
// the program's prompts, conversion errors a prompt with the expected format,
// the silent abort nothing, and everything else an error box with the
// exception's class name and message.

#include <QString>

#include <exception>

namespace kx {

namespace db {
class EDBEngineError;
}

// Set once a prompt has told the user about the current exception, so the
// error box with the details is not shown as well.
inline bool ExceptionShown = false;

void HandleApplicationException(const std::exception_ptr& error);

// Shows the prompt for error index of an engine error, or "数据库操作错误"
// when the error is not one the program knows.
void ShowBdeErrorMessage(const db::EDBEngineError& error, int index);

void ShowExceptionDetail(const QString& text);

} // namespace kx
