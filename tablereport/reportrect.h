#pragma once
// A rectangle as the page layout stores it: left, top, right, bottom, with the
// right and bottom edges outside the area.

#include <QPoint>

namespace kx {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Contains(QPoint p) const {
        return p.x() >= Left && p.x() < Right && p.y() >= Top && p.y() < Bottom;
    }
    bool Intersects(const TRect& other) const {
        return Left < other.Right && other.Left < Right && Top < other.Bottom && other.Top < Bottom;
    }
    bool operator==(const TRect&) const = default;
};

} // namespace kx
