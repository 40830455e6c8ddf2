#include "grid/editors/sizegripx.h"

#include "grid/editors/dropdownplacement.h"
#include "platform/ui/application.h"
#include "platform/ui/colors.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace kx {

namespace {

// A scrolling control's client area is its viewport, beside its scroll bars.
QRect ClientAreaOf(const QWidget* parent) {
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(parent))
        return area->viewport()->geometry();
    return parent->contentsRect();
}

bool IsRightCorner(int corner) {
    return corner == gcTopRight || corner == gcBottomRight;
}
bool IsBottomCorner(int corner) {
    return corner == gcBottomRight || corner == gcBottomLeft;
}

template <typename F> void Guarded(F&& body) {
    try {
        body();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

} // namespace

int CornerForAlign(int corner, int side) {
    switch (side) {
    case ddsGripLeft:
        return corner == gcTopRight ? gcTopLeft : corner == gcBottomRight ? gcBottomLeft : corner;
    case ddsGripRight:
        return corner == gcTopLeft ? gcTopRight : corner == gcBottomLeft ? gcBottomRight : corner;
    case ddsAbove:
        return corner == gcBottomRight ? gcTopRight : corner == gcBottomLeft ? gcTopLeft : corner;
    case ddsBelow:
        return corner == gcTopRight ? gcBottomRight : corner == gcTopLeft ? gcBottomLeft : corner;
    default:
        return corner;
    }
}

QPolygon GripTriangle(int corner, int w, int h) {
    switch (corner) {
    case gcBottomRight:
        return QPolygon({QPoint(0, h), QPoint(w, h), QPoint(w, 0)});
    case gcBottomLeft:
        return QPolygon({QPoint(w, h), QPoint(0, h), QPoint(0, 0)});
    case gcTopLeft:
        return QPolygon({QPoint(w - 1, 0), QPoint(0, 0), QPoint(0, h - 1)});
    default:
        return QPolygon({QPoint(w, h - 1), QPoint(w, 0), QPoint(1, 0)});
    }
}

QPoint GripPosition(int corner, QSize clientSize, QSize gripSize) {
    const int right = clientSize.width() - gripSize.width();
    const int bottom = clientSize.height() - gripSize.height();
    switch (corner) {
    case gcTopLeft:
        return QPoint(0, 0);
    case gcTopRight:
        return QPoint(right, 0);
    case gcBottomRight:
        return QPoint(right, bottom);
    default:
        return QPoint(0, bottom);
    }
}

QRect GripDragGeometry(int corner, const QRect& start, QPoint delta, const QRect& workArea) {
    const int workRight = workArea.x() + workArea.width();
    const int workBottom = workArea.y() + workArea.height();
    const int startRight = start.x() + start.width();
    const int startBottom = start.y() + start.height();
    int left = start.x();
    int top = start.y();
    int width = start.width();
    int height = start.height();
    // The window itself raises a size too small to use; never below a pixel.
    if (IsRightCorner(corner)) {
        width = std::max(std::min(start.width() + delta.x(), workRight - left), 1);
    } else {
        width = std::max(std::min(start.width() - delta.x(), startRight - workArea.x()), 1);
        left = startRight - width;
    }
    if (IsBottomCorner(corner)) {
        height = std::max(std::min(start.height() + delta.y(), workBottom - top), 1);
    } else {
        height = std::max(std::min(start.height() - delta.y(), startBottom - workArea.y()), 1);
        top = startBottom - height;
    }
    return QRect(left, top, width, height);
}

TSizeGripX::TSizeGripX(QWidget* parent) : QWidget(parent) {
    const QStyle* style = QApplication::style();
    const int extent = style->pixelMetric(QStyle::PM_ScrollBarExtent);
    resize(extent, extent);
    setAutoFillBackground(false);
    UpdateWindowRegion();
}

void TSizeGripX::SetCorner(int corner) {
    if (corner_ == corner)
        return;
    corner_ = corner;
    UpdateWindowRegion();
    update();
}

void TSizeGripX::SetTriangleVisible(bool value) {
    if (triangular_ == value)
        return;
    triangular_ = value;
    UpdateWindowRegion();
    update();
}

void TSizeGripX::ShowGrip(bool visible) {
    QWidget::setVisible(visible);
}

void TSizeGripX::SetCornerForAlign(int side) {
    SetCorner(CornerForAlign(corner_, side));
}

void TSizeGripX::UpdatePosition() {
    if (!parentWidget())
        return;
    const QRect client = ClientAreaOf(parentWidget());
    positioning_ = true;
    move(client.topLeft() + GripPosition(corner_, client.size(), size()));
    positioning_ = false;
}

void TSizeGripX::UpdateWindowRegion() {
    if (triangular_)
        setMask(QRegion(GripTriangle(corner_, width(), height()), Qt::WindingFill));
    else
        clearMask();
    UpdatePosition();
    setCursor(corner_ == gcTopLeft || corner_ == gcBottomRight ? Qt::SizeFDiagCursor
                                                               : Qt::SizeBDiagCursor);
}

void TSizeGripX::paintEvent(QPaintEvent*) {
    Guarded([&] {
        QPainter painter(this);
        const QPalette& palette = this->palette();
        painter.fillRect(rect(), ui::ToQColor(ui::clBtnFace, palette));
        const QColor colors[4] = {
            ui::ToQColor(ui::clBtnHighlight, palette), ui::ToQColor(ui::clBtnShadow, palette),
            ui::ToQColor(ui::clBtnShadow, palette), ui::ToQColor(ui::clBtnFace, palette)};
        const int w = width();
        const int h = height();
        // Lines parallel to the hypotenuse, one pixel nearer the corner each.
        for (int offset = 1; offset < w; offset += 4) {
            for (int i = 0; i < 4; ++i) {
                const int d = offset + i;
                painter.setPen(colors[i]);
                switch (corner_) {
                case gcBottomRight:
                    painter.drawLine(w - 1, d, d, h - 1);
                    break;
                case gcBottomLeft:
                    painter.drawLine(0, d, w - 1 - d, h - 1);
                    break;
                case gcTopLeft:
                    painter.drawLine(0, h - 1 - d, w - 1 - d, 0);
                    break;
                default:
                    painter.drawLine(d, 0, w - 1, h - 1 - d);
                    break;
                }
            }
        }
    });
}

void TSizeGripX::mousePressEvent(QMouseEvent* event) {
    Guarded([&] {
        if (event->button() != Qt::LeftButton || !window())
            return;
        dragging_ = true;
        pressPoint_ = event->globalPosition().toPoint();
        lastPoint_ = pressPoint_;
        startGeometry_ = window()->geometry();
    });
}

void TSizeGripX::mouseMoveEvent(QMouseEvent* event) {
    Guarded([&] {
        if (dragging_ && (event->buttons() & Qt::LeftButton) && !positioning_)
            Drag(event->globalPosition().toPoint());
    });
}

void TSizeGripX::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}

void TSizeGripX::moveEvent(QMoveEvent*) {
    if (!positioning_)
        Guarded([&] { UpdatePosition(); });
}

void TSizeGripX::Drag(QPoint screenPoint) {
    if (screenPoint == lastPoint_)
        return;
    lastPoint_ = screenPoint;
    QWidget* target = window();
    // The monitor the drop-down is on, not the primary one: a drop-down on a
    // second monitor may grow to that monitor's edges.
    const QRect workArea = WorkAreaNearest(target->geometry());
    const QSize before = target->size();
    target->setGeometry(
        GripDragGeometry(corner_, startGeometry_, screenPoint - pressPoint_, workArea));
    if (target->size() != before)
        ParentResized();
    UpdatePosition();
}

void TSizeGripX::ParentResized() {
    if (OnParentResized)
        OnParentResized(this);
}

} // namespace kx
