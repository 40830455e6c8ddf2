#include "grid/base/customgridx.h"

#include "grid/base/gridaxis.h"

#include <algorithm>

namespace kx {

using namespace ui;
using namespace gridaxis;

// Scrolling

bool TCustomGridX::ScrollBarWanted(int bar) const {
    if (scrollRangeUpdating_)
        return false;
    const TScrollStyle style = ScrollBars();
    return style == TScrollStyle::ssBoth ||
           style == (bar == SB_HORZ ? TScrollStyle::ssHorizontal : TScrollStyle::ssVertical);
}

void TCustomGridX::ModifyScrollBar(int scrollBar, int scrollCode, int pos) {
    if (isVisible() && CanFocus() && (focusPolicy() & Qt::TabFocus))
        setFocus();
    if (scrollBar == SB_HORZ && colCount_ == 1) {
        ModifyPixelScrollBar(scrollCode, pos);
        return;
    }
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridCoord maxTopLeft = CalcMaxTopLeft({colCount_ - 1, rowCount_ - 1}, layout);
    const bool horz = scrollBar == SB_HORZ;
    const TGridAxisLayoutX& axis = horz ? layout.Horz : layout.Vert;
    const int first = axis.FixedCellCount;
    const int last = horz ? maxTopLeft.X : maxTopLeft.Y;
    const int current = horz ? topLeft_.X : topLeft_.Y;
    const auto pageUp = [&] {
        const TGridCoord fits = CalcMaxTopLeft(topLeft_, layout);
        return std::max(current - (horz ? fits.X : fits.Y), 1);
    };
    const auto pageDown = [&] { return std::max(axis.LastFullVisibleCell - current, 1); };
    const auto step = [&](int value) {
        switch (scrollCode) {
        case SB_LINEUP:
            return value - 1;
        case SB_LINEDOWN:
            return value + 1;
        case SB_PAGEUP:
            return value - pageUp();
        case SB_PAGEDOWN:
            return value + pageDown();
        case SB_THUMBPOSITION:
            return first + MulDiv(pos, last - first, kThumbRange);
        case SB_THUMBTRACK:
            return (options_ & goThumbTracking) ? first + MulDiv(pos, last - first, kThumbRange)
                                                : value;
        case SB_TOP:
            return first;
        case SB_BOTTOM:
            return last;
        default:
            return value;
        }
    };
    int value = current;
    for (;;) {
        const int before = value;
        value = step(value);
        if (value <= first || value >= last || axis.Extent(value) > 0 || value == before)
            break;
    }
    value = std::clamp(value, first, std::max(first, last));
    if (value != current)
        MoveTopLeft(horz ? value : topLeft_.X, horz ? topLeft_.Y : value);
}

// A grid of one column scrolls by pixels. Top goes to the left edge and
// bottom to the right one; the offset never runs past the column's width.
void TCustomGridX::ModifyPixelScrollBar(int code, int pos) {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int room = ClientWidth() - layout.Horz.FixedBoundary;
    const int width = GetColWidths(layout.Horz.FirstGridCell);
    const int charWidth = QFontMetrics(font()).horizontalAdvance(QLatin1Char('0'));
    int offset = colOffset_;
    switch (code) {
    case SB_LINEUP:
        offset -= charWidth;
        break;
    case SB_LINEDOWN:
        offset += charWidth;
        break;
    case SB_PAGEUP:
        offset -= room;
        break;
    case SB_PAGEDOWN:
        offset += room;
        break;
    case SB_THUMBPOSITION:
        offset = pos;
        break;
    case SB_THUMBTRACK:
        if (options_ & goThumbTracking)
            offset = pos;
        break;
    case SB_TOP:
        offset = 0;
        break;
    case SB_BOTTOM:
        offset = width - room;
        break;
    default:
        break;
    }
    offset = std::clamp(offset, 0, std::max(0, width - room));
    if (offset == colOffset_)
        return;
    const int oldOffset = colOffset_;
    colOffset_ = offset;
    ScrollData(oldOffset - offset, 0);
    InvalidateRect(TGridRect{0, 0, 0, fixedRows_});
    UpdateWindow();
    UpdateScrollPos();
}

void TCustomGridX::TopLeftMoved(const TGridCoord& oldTopLeft) {
    UpdateScrollPos();
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridAxisLayoutX& h = layout.Horz;
    const TGridAxisLayoutX& v = layout.Vert;
    const int dx = AxisDistance(h, oldTopLeft.X, topLeft_.X);
    const int dy = AxisDistance(v, oldTopLeft.Y, topLeft_.Y);
    if (dx > h.GridBoundary - h.FixedBoundary || dy > v.GridBoundary - v.FixedBoundary)
        InvalidateGrid();
    else
        ScrollData(oldTopLeft.X < topLeft_.X ? -dx : dx, oldTopLeft.Y < topLeft_.Y ? -dy : dy);
    TopLeftChanged();
}

void TCustomGridX::ScrollData(int dx, int dy) {
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridAxisLayoutX& h = layout.Horz;
    const TGridAxisLayoutX& v = layout.Vert;
    if (dy == 0) {
        ScrollWindowArea(dx, 0, {h.FixedBoundary, 0, h.GridExtent, v.ClientExtent});
    } else if (dx != 0) {
        ScrollWindowArea(dx, 0, {h.FixedBoundary, 0, h.GridExtent, v.FixedBoundary});
        ScrollWindowArea(0, dy, {0, v.FixedBoundary, h.FixedBoundary, v.GridExtent});
        ScrollWindowArea(dx, dy, {h.FixedBoundary, v.FixedBoundary, h.GridExtent, v.GridExtent});
        ScrollWindowArea(dx, 0, {h.FixedBoundary, v.GridExtent, h.GridExtent, v.ClientExtent});
        ScrollWindowArea(0, dy, {h.GridExtent, v.FixedBoundary, h.ClientExtent, v.GridExtent});
    } else {
        ScrollWindowArea(0, dy, {0, v.FixedBoundary, h.ClientExtent, v.GridExtent});
    }
    if (options_ & goRowSelect)
        InvalidateRect(Selection());
}

// The thumb stands for the first scrollable cell shown; with nothing to
// scroll it stays at 0 instead of dividing by zero.
void TCustomGridX::UpdateScrollPos() {
    if (!HandleAllocated() || ScrollBars() == TScrollStyle::ssNone)
        return;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const TGridCoord maxTopLeft = CalcMaxTopLeft({colCount_ - 1, rowCount_ - 1}, layout);
    const auto thumb = [](int first, int fixed, int max) {
        return max > fixed ? MulDiv(first - fixed, kThumbRange, max - fixed) : 0;
    };
    if (ScrollBarWanted(SB_HORZ)) {
        if (colCount_ == 1) {
            const int width = GetColWidths(layout.Horz.FirstGridCell);
            const int room = ClientWidth() - layout.Horz.FixedBoundary;
            if (colOffset_ > 0 && room > width - colOffset_)
                ModifyScrollBar(SB_HORZ, SB_THUMBPOSITION, width - room);
            else if (ScrollPos(SB_HORZ) != colOffset_)
                SetScrollPos(SB_HORZ, colOffset_);
        } else {
            const int pos = thumb(topLeft_.X, fixedCols_, maxTopLeft.X);
            if (ScrollPos(SB_HORZ) != pos)
                SetScrollPos(SB_HORZ, pos);
        }
    }
    if (ScrollBarWanted(SB_VERT)) {
        const int pos = thumb(topLeft_.Y, fixedRows_, maxTopLeft.Y);
        if (ScrollPos(SB_VERT) != pos)
            SetScrollPos(SB_VERT, pos);
    }
}

void TCustomGridX::UpdateScrollRange() {
    if (ScrollBars() == TScrollStyle::ssNone || scrollRangeUpdating_ || !HandleAllocated() ||
        !isVisible())
        return;
    const TGridCoord oldTopLeft = topLeft_;
    const bool horzWanted = ScrollBarWanted(SB_HORZ);
    const bool vertWanted = ScrollBarWanted(SB_VERT);
    const QSize bare = ClientSizeWithoutBars();
    bool updated = false;
    const auto setAxisRange = [&](int width, int height, bool horz) {
        TGridLayoutX layout;
        CalcDrawInfoXY(layout, width, height);
        const TGridCoord maxTopLeft = CalcMaxTopLeft({colCount_ - 1, rowCount_ - 1}, layout);
        const int max = horz ? maxTopLeft.X : maxTopLeft.Y;
        const int fixed = horz ? fixedCols_ : fixedRows_;
        SetScrollRange(horz ? SB_HORZ : SB_VERT, 0, fixed < max ? kThumbRange : 0);
        int& first = horz ? topLeft_.X : topLeft_.Y;
        if ((horz ? oldTopLeft.X : oldTopLeft.Y) > max) {
            if (!updated) {
                UpdateWindow();
                updated = true;
            }
            first = max;
        }
    };
    const auto setHorzRange = [&](int width, int height) {
        if (!horzWanted)
            return;
        if (colCount_ == 1)
            SetScrollRange(SB_HORZ, 0, std::max(GetColWidths(0) - ClientWidth(), 0));
        else
            setAxisRange(width, height, true);
    };
    scrollRangeUpdating_ = true;
    try {
        setHorzRange(bare.width(), bare.height());
        if (vertWanted)
            setAxisRange(bare.width(), ClientHeight(), false);
        if (bare.width() != ClientWidth())
            setHorzRange(ClientWidth(), ClientHeight());
    } catch (...) {
        scrollRangeUpdating_ = false;
        throw;
    }
    scrollRangeUpdating_ = false;
    UpdateScrollPos();
    if (topLeft_ != oldTopLeft)
        TopLeftMoved(oldTopLeft);
}

} // namespace kx
