#pragma once
// The program speaks Chinese whatever the system locale: Qt's own dialogs
// (file, print, message boxes, edit menus) and calendars follow it too.

#include <QLocale>

namespace kx::ui {

// Simplified Chinese as used in mainland China.
QLocale ProgramLocale();

// Installs Qt's own translations for the program's locale into the running
// application. Returns false, after a warning, when they are not installed
// (the dialogs then stay in Qt's English).
bool InstallQtTranslations();

} // namespace kx::ui
