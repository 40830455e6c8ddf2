#include "grid/editors/mrulistboxx.h"

#include "grid/editors/sizegripx.h"
#include "platform/ui/application.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>

namespace kx {

QRect MRUScrollBarRect(QSize clientSize, int barWidth, int gripCorner, int gripHeight) {
    const int x = clientSize.width() - barWidth;
    if (gripCorner == gcBottomRight)
        return QRect(x, 0, barWidth, clientSize.height() - gripHeight);
    if (gripCorner == gcTopRight)
        return QRect(x, gripHeight, barWidth, clientSize.height() - gripHeight);
    return QRect(x, 0, barWidth, clientSize.height());
}

TMRUListboxX::TMRUListboxX(QWidget* owner)
    : TPopupListboxX(owner), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    scrollBar_->resize(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                       scrollBar_->height());
    scrollBar_->hide();
    // The bar scrolls the list, and the list's own scrolling moves the bar.
    connect(scrollBar_, &QScrollBar::valueChanged, this, ui::Guard([this](int value) {
                if (!placing_)
                    verticalScrollBar()->setValue(value);
            }));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, ui::Guard([this](int) {
                MoveScrollBar();
                LayoutScrollBar();
            }));
}

void TMRUListboxX::MoveScrollBar() {
    placing_ = true;
    const QRect client = viewport()->geometry();
    scrollBar_->setGeometry(MRUScrollBarRect(client.size(), scrollBar_->width(),
                                             SizeGrip()->Corner(), SizeGrip()->height())
                                .translated(client.topLeft()));
    placing_ = false;
}

void TMRUListboxX::LayoutScrollBar() {
    MoveScrollBar();
    placing_ = true;
    const int visibleRows = viewport()->height() / std::max(ItemHeight(), 1);
    const bool needed = count() > 0 && count() > visibleRows;
    if (needed) {
        scrollBar_->setRange(0, count() - visibleRows);
        scrollBar_->setPageStep(visibleRows);
        scrollBar_->setValue(verticalScrollBar()->value());
        const int corner = SizeGrip()->Corner();
        SizeGrip()->SetTriangleVisible(corner != gcTopRight && corner != gcBottomRight);
    } else {
        SizeGrip()->SetTriangleVisible(true);
    }
    scrollBar_->setVisible(needed);
    SizeGrip()->raise();
    placing_ = false;
}

void TMRUListboxX::ItemsChanged() {
    MoveScrollBar();
    LayoutScrollBar();
}

void TMRUListboxX::AfterSizeChange() {
    LayoutScrollBar();
}

void TMRUListboxX::AfterSideChange() {
    LayoutScrollBar();
}

void TMRUListboxX::wheelEvent(QWheelEvent* event) {
    TPopupListboxX::wheelEvent(event);
    try {
        MoveScrollBar();
        LayoutScrollBar();
    } catch (...) {
        ui::HandleCurrentException();
    }
}

} // namespace kx
