#include "grid/dbgrid/tooltipplacement.h"

#include "platform/db/field.h"

#include <QFontMetrics>

#include <algorithm>
#include <climits>

namespace kx {

bool PlaceCellToolTip(const TToolTipCell& cell, QPoint& position) {
    const ui::TRect& r = cell.Rect;
    const int e = cell.TextEnd;
    const bool cutRight = cell.Alignment == db::taRightJustify && r.Right < e - 2;
    if (cell.Fits && !cutRight)
        return false;
    const int o = cell.Flat ? 2 : 1;
    const int tw = cell.TextWidth;
    int x = r.Left - 1;
    if (cell.Alignment == db::taRightJustify)
        x = e - tw - 6;
    else if (cell.Alignment == db::taCenter)
        x = e - (tw - tw / 2) - (e - r.Left - 4) / 2 - 5;
    if (cell.RightToLeft)
        x = cell.ClientWidth - x;
    position = QPoint(x, r.Top - o);
    return true;
}

bool HintTextOverflows(const QFont& font, int rightIndent, bool wrap, const ui::TRect& rect,
                       const QString& text, int textPadding, int& textWidth, int& textHeight) {
    const int width = std::max(1, rect.Width() - rightIndent - 2);
    const int height = rect.Height() - textPadding + 1;
    const QRect measured = QFontMetrics(font).boundingRect(
        QRect(0, 0, width, INT_MAX / 2),
        Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : Qt::TextSingleLine), text);
    textWidth = measured.width();
    textHeight = measured.height();
    return textWidth > width || textHeight > height;
}

} // namespace kx
