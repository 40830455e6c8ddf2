#include "grid/dbgrid/celltextoutput.h"

#include <QPainter>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace kx {

namespace {

const QString Ellipsis = QStringLiteral("...");

unsigned AlignmentFormat(int alignment) {
    switch (alignment) {
    case db::taRightJustify:
        return ui::DT_RIGHT;
    case db::taCenter:
        return ui::DT_CENTER;
    default:
        return ui::DT_LEFT;
    }
}

// Where each character (grapheme) of text begins, and the text's end.
std::vector<int> CharacterBounds(const QString& text) {
    std::vector<int> bounds;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (int position = 0; position >= 0; position = static_cast<int>(finder.toNextBoundary()))
        bounds.push_back(position);
    return bounds;
}

// Draws with the painter's text direction set for one call.
class TReadingDirection {
public:
    TReadingDirection(ui::TCanvas& canvas, bool rightToLeft)
        : painter_(canvas.Painter()), saved_(painter_.layoutDirection()) {
        painter_.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    }
    ~TReadingDirection() { painter_.setLayoutDirection(saved_); }
    TReadingDirection(const TReadingDirection&) = delete;
    TReadingDirection& operator=(const TReadingDirection&) = delete;

private:
    QPainter& painter_;
    Qt::LayoutDirection saved_;
};

} // namespace

int CellTextX(const ui::TRect& rect, int dx, int alignment, int textWidth) {
    switch (alignment) {
    case db::taRightJustify:
        return rect.Right - textWidth - 3;
    case db::taCenter:
        return rect.IsEmpty() ? rect.Left : rect.Left + rect.Width() / 2 - textWidth / 2;
    default:
        return rect.Left + dx;
    }
}

void WriteCellTextPlain(ui::TCanvas& canvas, const ui::TRect& rect, int dx, int alignment,
                        const QString& text, int dy) {
    const int x = CellTextX(rect, dx, alignment, canvas.TextWidth(text));
    canvas.TextRect(rect, x, rect.Top + dy, text);
}

QString ShortenText(const QString& text, const std::function<int(const QString&)>& widthOf,
                    int maxWidth) {
    QString result = text;
    if (widthOf(result) <= maxWidth)
        return result;
    const std::vector<int> bounds = CharacterBounds(text);
    const int characters = static_cast<int>(bounds.size()) - 1;
    for (int step = 1; step <= characters && widthOf(result) > maxWidth; ++step) {
        const int kept = std::max(0, characters - step - 1);
        result = text.left(bounds[static_cast<std::size_t>(kept)]) + Ellipsis;
    }
    return result;
}

QString ShortenText(const QString& text, const ui::TCanvas& canvas, int maxWidth) {
    return ShortenText(
        text, [&canvas](const QString& part) { return canvas.TextWidth(part); }, maxWidth);
}

void DrawTextBlock(ui::TCanvas& canvas, const TTextBlock& block) {
    unsigned format = AlignmentFormat(block.Alignment) | ui::DT_NOPREFIX;
    if (block.WordWrap)
        format |= ui::DT_WORDBREAK;
    if (block.EndEllipsis)
        format |= ui::DT_END_ELLIPSIS;
    ui::TRect rect{block.Rect.Left + block.DX + block.LeftMargin, block.Rect.Top + block.DY,
                   block.Rect.Right - block.DX - block.RightMargin, block.Rect.Bottom - block.DY};
    if (block.Layout != tlTop) {
        ui::TRect measured = rect;
        const int height = canvas.DrawText(block.Text, measured, format | ui::DT_CALCRECT);
        rect.Top = block.Layout == tlCenter ? rect.Top + rect.Height() / 2 - height / 2
                                            : rect.Bottom - height;
    }
    if (block.DX > 0)
        ++rect.Bottom;
    const TReadingDirection direction(canvas, block.RightToLeft);
    canvas.DrawText(block.Text, rect, format);
}

void WriteTextEx(ui::TCanvas& canvas, const ui::TRect& rect, bool fill, bool rightToLeft,
                 int rightMargin, int leftMargin, bool endEllipsis, bool wordWrap,
                 TTextLayout layout, int alignment, const QString& text, int dy, int dx) {
    if (fill)
        canvas.FillRect(rect);
    if (wordWrap) {
        DrawTextBlock(canvas, {rect, text, alignment, layout, true, endEllipsis, rightToLeft, dx,
                               dy, leftMargin, rightMargin});
        return;
    }
    const QString shown = endEllipsis ? ShortenText(text, canvas, rect.Width() - dx) : text;
    const int x = CellTextX(rect, dx, alignment, canvas.TextWidth(shown));
    const int textHeight = canvas.TextHeight(shown);
    int y = rect.Top;
    if (textHeight < rect.Height() - dy) {
        if (layout == tlCenter)
            y = (rect.Top + rect.Bottom - textHeight) / 2 - dy;
        else if (layout == tlBottom)
            y = rect.Bottom - textHeight - dy;
    }
    const ui::TClip saved = canvas.Clip();
    canvas.IntersectClipRect(rect);
    const TReadingDirection direction(canvas, rightToLeft);
    canvas.TextOut(x, y + dy, shown);
    canvas.SetClip(saved);
}

int WriteVerticalText(ui::TCanvas& canvas, const ui::TRect& rect, bool fill, bool measureOnly,
                      TTextLayout layout, int alignment, const QString& text, int dy, int dx) {
    const int length = canvas.TextWidth(text);
    if (measureOnly)
        return length;
    const int height = canvas.TextHeight(text);
    int x = rect.Left + dx;
    if (alignment == db::taRightJustify)
        x = rect.Right - height;
    else if (alignment == db::taCenter)
        x = rect.Left + rect.Width() / 2 - height / 2;
    int y = rect.Top + (rect.Height() + length) / 2;
    if (layout == tlTop)
        y = rect.Top + length;
    else if (layout == tlBottom)
        y = rect.Bottom - dy;
    if (fill)
        canvas.FillRect(rect);
    const ui::TClip saved = canvas.Clip();
    canvas.IntersectClipRect(rect);
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.translate(x, y);
    painter.rotate(-90);
    canvas.TextOut(0, 0, text);
    painter.restore();
    canvas.SetClip(saved);
    return length;
}

void DrawCellImage(ui::TCanvas& canvas, const QImage& image, int alignment, int offset,
                   const ui::TRect& rect) {
    int x = rect.Left + offset;
    if (alignment == db::taRightJustify)
        x = rect.Right - image.width() + offset;
    else if (alignment == db::taCenter)
        x = (rect.Left + rect.Right - image.width()) / 2 + offset;
    const int y = (rect.Top + rect.Bottom - image.height()) / 2;
    const bool inside = x >= rect.Left && y >= rect.Top && x + image.width() <= rect.Right &&
                        y + image.height() <= rect.Bottom;
    if (inside) {
        canvas.Painter().drawImage(x, y, image);
        return;
    }
    const ui::TClip saved = canvas.Clip();
    canvas.IntersectClipRect(rect);
    canvas.Painter().drawImage(x, y, image);
    canvas.SetClip(saved);
}

} // namespace kx
