#include "frame/controls/editbutton.h"

#include <QPainter>

namespace kx {

TEditButton::TEditButton(QWidget* parent) : QToolButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TEditButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Button));
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(1, 1, 1, height() - 3);
}

} // namespace kx

#include "moc_editbutton.cpp"
