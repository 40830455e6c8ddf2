#pragma once
// Rectangles as the drawing code thinks of them: right and bottom edges are
// not part of the rectangle, so a cell of width w runs from Left to
// Left + w - 1. QRect's right() and bottom() are inclusive; convert only here.

#include <QRect>

namespace kx::ui {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool operator==(const TRect&) const = default;

    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect& r) {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
};

constexpr TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}

// The common part of two rectangles; empty (all zero) when they do not meet.
inline TRect IntersectRect(const TRect& a, const TRect& b) {
    const TRect r{qMax(a.Left, b.Left), qMax(a.Top, b.Top), qMin(a.Right, b.Right),
                  qMin(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}

} // namespace kx::ui
