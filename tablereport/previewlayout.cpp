#include "tablereport/previewlayout.h"

#include <algorithm>
#include <cmath>

namespace kx {
namespace {

// Room the tool bar, status bar and frame take from the window.
constexpr int kHeightTaken = 110;
constexpr int kWidthTaken = 170;

int FitPercent(int room, int pageExtent) {
    if (pageExtent <= room || pageExtent <= 0)
        return 100;
    return int(std::lround(double(room) / pageExtent * 100));
}

} // namespace

void TPreviewPaging::SetCount(int count) {
    count_ = std::max(count, 1);
    current_ = std::clamp(current_, 1, count_);
}

void TPreviewPaging::Prior() {
    if (current_ > 1)
        --current_;
}

void TPreviewPaging::Next() {
    if (current_ < count_)
        ++current_;
}

QString TPreviewPaging::StatusText() const {
    return QStringLiteral("第%1／%2页").arg(current_).arg(count_);
}

int BestFitZoom(QSize window, QSize page) {
    // A window too small for any page still gets a page to see.
    return std::max(std::min(FitPercent(window.height() - kHeightTaken, page.height()),
                             FitPercent(window.width() - kWidthTaken, page.width())),
                    kMinPreviewZoom);
}

QPoint CentredPagePosition(int clientWidth, int windowHeight, QSize control) {
    const int left =
        control.width() + 20 < clientWidth ? (clientWidth - control.width() - 20) / 2 : 23;
    const int top = std::max((windowHeight - control.height() - kHeightTaken) / 2 + 10, 10);
    return {left, top};
}

} // namespace kx
