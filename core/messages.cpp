#include "core/messages.h"

#include "platform/ui/messagedialog.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

namespace kx {
namespace {

const QString kPromptCaption = QStringLiteral("提示信息");
const QString kErrorCaption = QStringLiteral("错误信息");

bool ShowOwnedBy(QWidget* owner, const QString& caption, const QString& text, ui::MessageIcon icon,
                 ui::MessageButtons buttons) {
    if (owner)
        ForceForegroundFocus(owner);
    return ui::ShowMessageDialog(owner, caption, text, icon, buttons);
}

bool ShowOwnedByActiveForm(const QString& caption, const QString& text, ui::MessageIcon icon,
                           ui::MessageButtons buttons) {
    return ShowOwnedBy(QApplication::activeWindow(), caption, text, icon, buttons);
}

} // namespace

void ShowPromptMessage(const QString& text) {
    ShowOwnedByActiveForm(kPromptCaption, text, ui::MessageIcon::Warning, ui::MessageButtons::Ok);
}

void ShowErrorMessage(const QString& text) {
    ShowOwnedByActiveForm(kErrorCaption, text, ui::MessageIcon::Error, ui::MessageButtons::Ok);
}

bool ShowConfirmMessage(const QString& text) {
    return ShowOwnedByActiveForm(kPromptCaption, text + QStringLiteral(" ?"),
                                 ui::MessageIcon::Question, ui::MessageButtons::YesNo);
}

void ShowPromptMessageTo(QWidget* owner, const QString& text) {
    ShowOwnedBy(owner, kPromptCaption, text, ui::MessageIcon::Warning, ui::MessageButtons::Ok);
}

void ShowErrorMessageTo(QWidget* owner, const QString& text) {
    ShowOwnedBy(owner, kErrorCaption, text, ui::MessageIcon::Error, ui::MessageButtons::Ok);
}

void ShowPrintedFile(const QString& fileName, const std::function<bool(const QString&)>& open) {
    open(fileName);
    ShowPromptMessage(QStringLiteral("已打印到文件：") + QDir::toNativeSeparators(fileName));
}

QWidget* ForceForegroundFocus(QWidget* window) {
    QWidget* previous = QApplication::focusWidget();
    window->raise();
    window->activateWindow();
    // Activation gives the focus back to the control that last had it there.
    if (!window->focusWidget())
        window->setFocus();
    return previous;
}

} // namespace kx
