#include "platform/ui/screencursor.h"

#include <QApplication>
#include <QCursor>

namespace kx::ui {

void SetScreenCursor(Qt::CursorShape shape) {
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (shape != Qt::ArrowCursor)
        QApplication::setOverrideCursor(QCursor(shape));
}

} // namespace kx::ui
