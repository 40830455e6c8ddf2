#include "frame/controls/imenames.h"

#include <QWidget>

namespace kx {

QStringList InstalledImeNames() {
    const QString name = qEnvironmentVariable("QT_IM_MODULE").trimmed();
    return name.isEmpty() ? QStringList() : QStringList{name};
}

QString ActiveImeName() {
    return QString();
}

void SetInputMethodWanted(QWidget* control, bool wanted) {
    control->setAttribute(Qt::WA_InputMethodEnabled, wanted);
}

} // namespace kx
