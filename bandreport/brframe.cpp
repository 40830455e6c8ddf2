#include "bandreport/brframe.h"

#include "bandreport/brunitbase.h"

#include <QGuiApplication>
#include <QPainter>

namespace kx {

void TBRFrame::SetColor(ui::TColor color) {
    color_ = color;
    Changed();
}

void TBRFrame::SetSide(int side, bool value) {
    sides_[side] = value;
    Changed();
}

void TBRFrame::SetStyle(Qt::PenStyle style) {
    style_ = style;
    Changed();
}

void TBRFrame::SetWidth(int width) {
    width_ = width;
    Changed();
}

bool TBRFrame::AnySideDrawn() const {
    return sides_[0] || sides_[1] || sides_[2] || sides_[3];
}

void TBRFrame::Changed() const {
    if (OnChanged)
        OnChanged();
}

int TBRFrame::Thickness(long double scale) const {
    const int thickness = int(RoundEven(scale * width_ * 254 / 72));
    if ((thickness < 1 && width_ > 0) || width_ == -1)
        return 1;
    return thickness;
}

void TBRFrame::PaintFrame(QPainter& canvas, const QRect& rect, long double verticalScale,
                          long double horizontalScale) const {
    const QColor color = ui::ToQColor(color_, QGuiApplication::palette());
    const int across = Thickness(verticalScale);
    const int down = Thickness(horizontalScale);
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    if (DrawTop())
        canvas.fillRect(QRect(QPoint(left, top), QPoint(right - 1, top + across - 1)), color);
    if (DrawBottom())
        canvas.fillRect(QRect(QPoint(left, bottom - across), QPoint(right - 1, bottom - 1)), color);
    if (DrawLeft())
        canvas.fillRect(QRect(QPoint(left, top), QPoint(left + down - 1, bottom - 1)), color);
    if (DrawRight())
        canvas.fillRect(QRect(QPoint(right - down, top), QPoint(right - 1, bottom - 1)), color);
}

} // namespace kx
