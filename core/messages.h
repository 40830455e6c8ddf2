#pragma once
// The program's message boxes. Every box is modal and stays on top; the
// automatic ones are owned by the active form (brought forward first) or, when
// the program has none, by the application.

#include <QString>

#include <functional>

class QWidget;

namespace kx {

void ShowPromptMessage(const QString& text);
void ShowErrorMessage(const QString& text);
// Appends " ?" and offers Yes and No; true for Yes.
bool ShowConfirmMessage(const QString& text);

// The same boxes with an owner chosen by the caller (nullptr: the application).
void ShowPromptMessageTo(QWidget* owner, const QString& text);
void ShowErrorMessageTo(QWidget* owner, const QString& text);

// Where a PDF printed without a print queue is kept: opens it when open
// can, then tells the user "已打印到文件：<path>".
void ShowPrintedFile(const QString& fileName, const std::function<bool(const QString&)>& open);

// Brings the window forward and gives it the keyboard focus; returns the
// widget that had the focus before.
QWidget* ForceForegroundFocus(QWidget* window);

} // namespace kx
