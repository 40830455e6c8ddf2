#include "platform/ui/programlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QtDebug>

namespace kx::ui {

QLocale ProgramLocale() {
    return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
}

bool InstallQtTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(ProgramLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        qWarning().noquote() << "Qt's Chinese translations are not installed in" << folder;
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace kx::ui
