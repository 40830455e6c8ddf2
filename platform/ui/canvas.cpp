#include "platform/ui/canvas.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace kx::ui {
namespace {

struct EdgeColors {
    TColor topLeft;
    TColor bottomRight;
};

void DrawBorder(TCanvas& canvas, const TRect& r, EdgeColors colors, unsigned sides) {
    if (r.IsEmpty())
        return;
    if (sides & BF_LEFT) {
        canvas.SetBrushColor(colors.topLeft);
        canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
    }
    if (sides & BF_TOP) {
        canvas.SetBrushColor(colors.topLeft);
        canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    }
    if (sides & BF_RIGHT) {
        canvas.SetBrushColor(colors.bottomRight);
        canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
    }
    if (sides & BF_BOTTOM) {
        canvas.SetBrushColor(colors.bottomRight);
        canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    }
}

// The area an axis-aligned segment covers: its start pixel up to, but not
// including, its end pixel, as wide as the pen around the line.
QRect SegmentArea(QPoint from, QPoint to, int width) {
    const int back = width / 2;
    if (from.x() == to.x()) {
        const int top = from.y() <= to.y() ? from.y() : to.y() + 1;
        const int bottom = from.y() <= to.y() ? to.y() : from.y() + 1;
        return QRect(from.x() - back, top, width, bottom - top);
    }
    const int left = from.x() <= to.x() ? from.x() : to.x() + 1;
    const int right = from.x() <= to.x() ? to.x() : from.x() + 1;
    return QRect(left, from.y() - back, right - left, width);
}

Qt::Alignment TextAlignment(unsigned format) {
    Qt::Alignment align = Qt::AlignLeft;
    if (format & DT_CENTER)
        align = Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        align = Qt::AlignRight;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        return align | Qt::AlignVCenter;
    if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        return align | Qt::AlignBottom;
    return align | Qt::AlignTop;
}

} // namespace

TCanvas::TCanvas(QPainter& painter, const QPalette& palette, const QRegion& paintRegion)
    : painter_(painter), palette_(palette), paintRegion_(paintRegion), visible_(paintRegion),
      font_(painter.font()), metrics_(font_) {}

void TCanvas::FillRect(const TRect& rect) {
    if (!rect.IsEmpty())
        painter_.fillRect(rect.ToQRect(), ToQColor(brushColor_, palette_));
}

void TCanvas::LineTo(int x, int y) {
    LineSegment(penPos_, QPoint(x, y));
    penPos_ = QPoint(x, y);
}

void TCanvas::Polyline(const QPoint* points, int count) {
    for (int i = 1; i < count; ++i)
        LineSegment(points[i - 1], points[i]);
    if (count > 0)
        penPos_ = points[count - 1];
}

void TCanvas::PolyPolyline(const QPoint* points, const int* counts, int lineCount) {
    for (int line = 0; line < lineCount; ++line) {
        Polyline(points, counts[line]);
        points += counts[line];
    }
}

void TCanvas::LineSegment(QPoint from, QPoint to) {
    if (from == to)
        return;
    const int width = std::max(penWidth_, 1);
    if (from.x() == to.x() || from.y() == to.y()) {
        const TRect area = TRect::FromQRect(SegmentArea(from, to, width));
        if (penStyle_ == TPenStyle::psDot && width == 1) {
            painter_.fillRect(area.ToQRect(),
                              QBrush(ToQColor(penColor_, palette_), Qt::Dense4Pattern));
            return;
        }
        painter_.fillRect(area.ToQRect(), ToQColor(penColor_, palette_));
        return;
    }
    QPen pen(ToQColor(penColor_, palette_), width,
             penStyle_ == TPenStyle::psDot && width == 1 ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap,
             Qt::MiterJoin);
    painter_.setPen(pen);
    painter_.drawLine(from, to);
}

void TCanvas::SetFont(const QFont& font) {
    if (font_ == font)
        return;
    font_ = font;
    metrics_ = QFontMetrics(font_);
}

int TCanvas::TextWidth(const QString& text) const {
    return metrics_.horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& text) const {
    Q_UNUSED(text);
    return metrics_.height();
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    painter_.setFont(font_);
    painter_.setPen(ToQColor(fontColor_, palette_));
    painter_.drawText(x, y + metrics_.ascent(), text);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const QString& text) {
    FillRect(rect);
    if (rect.IsEmpty())
        return;
    if (x >= rect.Left && y >= rect.Top && y + metrics_.height() <= rect.Bottom &&
        x + metrics_.horizontalAdvance(text) <= rect.Right) {
        TextOut(x, y, text);
        return;
    }
    const TClip saved = Clip();
    IntersectClipRect(rect);
    TextOut(x, y, text);
    SetClip(saved);
}

int TCanvas::DrawText(const QString& text, TRect& rect, unsigned format) {
    int flags = int(TextAlignment(format));
    flags |= (format & DT_SINGLELINE) ? Qt::TextSingleLine : 0;
    flags |= (format & DT_WORDBREAK) && !(format & DT_SINGLELINE) ? Qt::TextWordWrap : 0;
    flags |= (format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
    QString shown = text;
    if ((format & DT_END_ELLIPSIS) && !(format & DT_CALCRECT))
        shown = metrics_.elidedText(text, Qt::ElideRight, rect.Width(), flags);
    if (format & DT_CALCRECT) {
        const int width = (format & DT_WORDBREAK) ? std::max(rect.Width(), 1) : 1 << 20;
        const QRect bounds = metrics_.boundingRect(QRect(rect.Left, rect.Top, width, 1 << 20),
                                                   flags & ~int(Qt::AlignVertical_Mask), shown);
        rect.Right = rect.Left + bounds.width();
        rect.Bottom = rect.Top + bounds.height();
        return bounds.height();
    }
    painter_.setFont(font_);
    painter_.setPen(ToQColor(fontColor_, palette_));
    flags |= (format & DT_NOCLIP) ? Qt::TextDontClip : 0;
    QRect bounds;
    painter_.drawText(rect.ToQRect(), flags, shown, &bounds);
    return bounds.height();
}

void TCanvas::DrawEdge(const TRect& rect, unsigned edge, unsigned sides) {
    const TColor saved = brushColor_;
    TRect r = rect;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        const EdgeColors outer = (edge & BDR_RAISEDOUTER) ? EdgeColors{cl3DLight, cl3DDkShadow}
                                                          : EdgeColors{clBtnShadow, clBtnHighlight};
        DrawBorder(*this, r, outer, sides);
        r = {r.Left + ((sides & BF_LEFT) ? 1 : 0), r.Top + ((sides & BF_TOP) ? 1 : 0),
             r.Right - ((sides & BF_RIGHT) ? 1 : 0), r.Bottom - ((sides & BF_BOTTOM) ? 1 : 0)};
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        const EdgeColors inner = (edge & BDR_RAISEDINNER) ? EdgeColors{clBtnHighlight, clBtnShadow}
                                                          : EdgeColors{cl3DDkShadow, cl3DLight};
        DrawBorder(*this, r, inner, sides);
    }
    brushColor_ = saved;
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    if (rect.IsEmpty())
        return;
    InvertBand({rect.Left, rect.Top, rect.Right, rect.Top + 1}, true);
    if (rect.Height() > 1)
        InvertBand({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, true);
    if (rect.Height() > 2) {
        InvertBand({rect.Left, rect.Top + 1, rect.Left + 1, rect.Bottom - 1}, true);
        if (rect.Width() > 1)
            InvertBand({rect.Right - 1, rect.Top + 1, rect.Right, rect.Bottom - 1}, true);
    }
}

void TCanvas::InvertBand(const TRect& band, bool dotted) {
    if (band.IsEmpty())
        return;
    const QPainter::CompositionMode mode = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter_.setBrushOrigin(0, 0);
    painter_.fillRect(band.ToQRect(), dotted ? QBrush(Qt::white, Qt::Dense4Pattern)
                                             : QBrush(Qt::white, Qt::SolidPattern));
    painter_.setCompositionMode(mode);
}

bool TCanvas::RectVisible(const TRect& rect) const {
    return !rect.IsEmpty() && visible_.intersects(rect.ToQRect());
}

TClip TCanvas::Clip() const {
    return {painter_.hasClipping(), painter_.hasClipping() ? painter_.clipRegion() : QRegion()};
}

void TCanvas::SetClip(const TClip& clip) {
    if (clip.Active) {
        painter_.setClipRegion(clip.Region);
        visible_ = paintRegion_.intersected(clip.Region);
    } else {
        painter_.setClipping(false);
        visible_ = paintRegion_;
    }
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    painter_.setClipRect(rect.ToQRect(),
                         painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    visible_ = visible_.intersected(rect.ToQRect());
}

} // namespace kx::ui
