#pragma once
// Frame lines around a report, a band or a printable, drawn as filled
// strips whose thickness is the width in points at the device's scale.

#include "platform/ui/colors.h"

#include <QRect>

#include <functional>

class QPainter;

namespace kx {

class TBRFrame {
public:
    ui::TColor Color() const { return color_; }
    void SetColor(ui::TColor color);
    bool DrawTop() const { return sides_[0]; }
    bool DrawBottom() const { return sides_[1]; }
    bool DrawLeft() const { return sides_[2]; }
    bool DrawRight() const { return sides_[3]; }
    void SetDrawTop(bool value) { SetSide(0, value); }
    void SetDrawBottom(bool value) { SetSide(1, value); }
    void SetDrawLeft(bool value) { SetSide(2, value); }
    void SetDrawRight(bool value) { SetSide(3, value); }
    Qt::PenStyle Style() const { return style_; }
    void SetStyle(Qt::PenStyle style);
    int Width() const { return width_; }
    void SetWidth(int width);
    bool AnySideDrawn() const;

    // Thickness in device units of a line at scale device units per tenth.
    int Thickness(long double scale) const;
    // Draws the sides inside rect; the scales are device units per tenth
    // of a millimetre.
    void PaintFrame(QPainter& canvas, const QRect& rect, long double verticalScale,
                    long double horizontalScale) const;

    // The owner repaints on every change.
    std::function<void()> OnChanged;

private:
    void SetSide(int side, bool value);
    void Changed() const;

    ui::TColor color_ = 0x000000;
    bool sides_[4] = {false, false, false, false};
    Qt::PenStyle style_ = Qt::SolidLine;
    int width_ = 1;
};

} // namespace kx
