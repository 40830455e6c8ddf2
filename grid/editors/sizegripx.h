#pragma once
// The grip in a corner of a drop-down window with which the user resizes
// the window: a small child that draws ridged diagonal lines, shaped as a
// triangle, and changes its parent's size as it is dragged, never past the
// work area of the monitor the parent is on.

#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>

namespace kx {

// Corners of the grip in its parent.
constexpr int gcTopLeft = 0;
constexpr int gcTopRight = 1;
constexpr int gcBottomRight = 2;
constexpr int gcBottomLeft = 3;

// The corner a grip moves to when its drop-down opened on the given side
// (ddsGripLeft .. ddsBelow): the other axis stays.
int CornerForAlign(int corner, int side);
// The grip's shape, by corner, in a grip of size w x h.
QPolygon GripTriangle(int corner, int w, int h);
// The grip's top-left point inside a parent's client area.
QPoint GripPosition(int corner, QSize clientSize, QSize gripSize);
// The parent's new screen rectangle when the grip of the given corner moved
// by delta from where it was pressed; the parent started at start and may
// not pass workArea's edges.
QRect GripDragGeometry(int corner, const QRect& start, QPoint delta, const QRect& workArea);

class TSizeGripX : public QWidget {
    Q_OBJECT
public:
    explicit TSizeGripX(QWidget* parent);

    int Corner() const { return corner_; }
    void SetCorner(int corner);
    bool Triangular() const { return triangular_; }
    void SetTriangleVisible(bool value);
    // Shows or hides the grip without changing whether it is meant to show.
    void ShowGrip(bool visible);
    void SetCornerForAlign(int side);
    void UpdatePosition();
    void UpdateWindowRegion();

    std::function<void(TSizeGripX* sender)> OnParentResized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void Drag(QPoint screenPoint);
    void ParentResized();

    int corner_ = gcBottomRight;
    bool triangular_ = true;
    bool positioning_ = false;
    bool dragging_ = false;
    QPoint pressPoint_;
    QPoint lastPoint_;
    QRect startGeometry_;
};

} // namespace kx
