#include "grid/dbgrid/tooltipswindow.h"

#include "platform/ui/colors.h"

#include <QPalette>

namespace kx {

TToolTipsWindow::TToolTipsWindow(QWidget* owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QRect TToolTipsWindow::CalcHintRect(int maxWidth, const QString& hint, const QFont& font) {
    setFont(font);
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, ui::ToQColor(ui::clWindowText, colors));
    setPalette(colors);
    setWordWrap(maxWidth > 0);
    setText(hint);
    if (maxWidth > 0) {
        const int width = maxWidth + 2 * (margin() + frameWidth());
        return QRect(0, 0, width, heightForWidth(width));
    }
    return QRect(QPoint(0, 0), sizeHint());
}

void TToolTipsWindow::ShowAt(QPoint screenPoint, int maxWidth, const QString& hint,
                             const QFont& font) {
    const QRect rect = CalcHintRect(maxWidth, hint, font);
    setGeometry(QRect(screenPoint, rect.size()));
    show();
    raise();
}

} // namespace kx
