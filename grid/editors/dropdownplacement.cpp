#include "grid/editors/dropdownplacement.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <climits>

namespace kx {

const QEvent::Type TDropDownSideEvent::EventType =
    static_cast<QEvent::Type>(QEvent::registerEventType());

namespace {

// Screen rectangles here run from left/top to right/bottom exclusive.
int RightOf(const QRect& r) {
    return r.x() + r.width();
}
int BottomOf(const QRect& r) {
    return r.y() + r.height();
}

bool OpensAbove(const QRect& owner, int height, const QRect& work) {
    const bool fitsBelow = BottomOf(work) >= BottomOf(owner) + height;
    const bool fitsAbove = owner.y() - height >= work.y();
    if (!fitsBelow && fitsAbove)
        return true;
    const int roomBelow = BottomOf(work) - BottomOf(owner);
    const int roomAbove = owner.y() - work.y();
    return !fitsBelow && !fitsAbove && roomBelow < roomAbove;
}

int StartX(const QRect& owner, int width, int alignment) {
    if (alignment == ddaRight)
        return RightOf(owner) - width;
    if (alignment == ddaCenter)
        return owner.x() - (width - owner.width()) / 2;
    return owner.x();
}

qint64 DistanceSquared(const QRect& a, const QRect& b) {
    const qint64 dx = std::max({0, b.x() - RightOf(a), a.x() - RightOf(b)});
    const qint64 dy = std::max({0, b.y() - BottomOf(a), a.y() - BottomOf(b)});
    return dx * dx + dy * dy;
}

} // namespace

TDropDownPlacement CalcDropDownPlacement(const QRect& ownerRect, QSize dropDownSize,
                                         const QRect& workArea, int alignment) {
    TDropDownPlacement placement;
    int height = dropDownSize.height();
    int width = dropDownSize.width();
    int y = 0;
    if (OpensAbove(ownerRect, height, workArea)) {
        if (ownerRect.y() - height < workArea.y())
            height = ownerRect.y() - workArea.y();
        y = ownerRect.y() - height;
        placement.VerticalSide = ddsAbove;
    } else {
        if (BottomOf(workArea) < BottomOf(ownerRect) + height)
            height = BottomOf(workArea) - BottomOf(ownerRect);
        y = BottomOf(ownerRect);
        placement.VerticalSide = ddsBelow;
    }
    int x = StartX(ownerRect, width, alignment);
    if (workArea.width() < width)
        width = workArea.width();
    if (x + width > RightOf(workArea)) {
        x = RightOf(workArea) - width;
        placement.HorizontalSide = ddsGripLeft;
    } else if (x < workArea.x()) {
        x = workArea.x();
        placement.HorizontalSide = ddsGripRight;
    } else {
        placement.HorizontalSide = alignment == ddaRight ? ddsGripLeft : ddsGripRight;
    }
    placement.TopLeft = QPoint(x, y);
    placement.Size = QSize(width, height);
    return placement;
}

QRect WorkAreaNearest(const QRect& screenRect) {
    QScreen* nearest = nullptr;
    qint64 best = LLONG_MAX;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect geometry = screen->geometry();
        const qint64 distance =
            geometry.intersects(screenRect)
                ? -(geometry & screenRect).width() * qint64((geometry & screenRect).height())
                : DistanceSquared(geometry, screenRect);
        if (distance < best) {
            best = distance;
            nearest = screen;
        }
    }
    if (!nearest)
        nearest = QGuiApplication::primaryScreen();
    return nearest ? nearest->availableGeometry() : QRect();
}

QPoint PlaceDropDownRect(const QRect& ownerScreenRect, QWidget* dropDown, int alignment) {
    const TDropDownPlacement placement = CalcDropDownPlacement(
        ownerScreenRect, dropDown->size(), WorkAreaNearest(ownerScreenRect), alignment);
    if (placement.Size != dropDown->size())
        dropDown->resize(placement.Size);
    TDropDownSideEvent vertical(placement.VerticalSide);
    QCoreApplication::sendEvent(dropDown, &vertical);
    TDropDownSideEvent horizontal(placement.HorizontalSide);
    QCoreApplication::sendEvent(dropDown, &horizontal);
    return placement.TopLeft;
}

QPoint PlaceDropDownWindow(const QWidget* owner, QWidget* dropDown, int alignment) {
    const QRect ownerRect(owner->mapToGlobal(QPoint(0, 0)), owner->size());
    return PlaceDropDownRect(ownerRect, dropDown, alignment);
}

} // namespace kx
