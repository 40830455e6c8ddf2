#include "tablereport/reportpainter.h"

#include "tablereport/qttextmeasurer.h"
#include "tablereport/reportcontrol.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>
#include <memory>
#include <tuple>

namespace kx {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
const QColor kGuideGrey(0xC0, 0xC0, 0xC0);
const QColor kMarginGrey(0x80, 0x80, 0x80);

int Middle(int a, int b) {
    return int(std::trunc((a + b) / 2.0 + 0.5));
}

QPen SolidPen(const QColor& color, int width) {
    QPen pen(color, std::max(width, 1));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// Pens shared by every cell: a page of thousands of strokes makes few pens.
QPen BlackPen(int width) {
    static const QPen thin = SolidPen(Qt::black, 1);
    return width <= 1 ? thin : SolidPen(Qt::black, width);
}

QPen GuidePen() {
    static const QPen guide = SolidPen(kGuideGrey, 1);
    return guide;
}

QPen TextPen(uint32_t color) {
    return color == 0 ? BlackPen(1) : SolidPen(ColorFromColorRef(color), 1);
}

void Stroke(QPainter& painter, const QPen& pen, QPoint from, QPoint to) {
    painter.setPen(pen);
    painter.drawLine(from, to);
}

// A real border in black, else the grey guide where the design look wants
// one, else nothing.
void Border(QPainter& painter, bool line, int width, bool guide, QPoint from, QPoint to) {
    if (line)
        Stroke(painter, BlackPen(width), from, to);
    else if (guide)
        Stroke(painter, GuidePen(), from, to);
}

struct TCellFont {
    QFont Font;
    double Ascent = 0;
    double LineHeight = 0;
};

// Fonts by their 60 bytes: a page paints many cells in few fonts.
const TCellFont& CellFont(const TLogFont& logFont) {
    // Kept to the end of the process: fonts must not outlive the font
    // database they were made from.
    static auto* fonts = new QHash<QByteArray, TCellFont>;
    const QByteArray key(logFont.Bytes.data(), TLogFont::Size);
    auto found = fonts->constFind(key);
    if (found == fonts->constEnd()) {
        const QFont font = FontFromLogFont(logFont);
        const QFontMetricsF metrics(font);
        found = fonts->insert(key, {font, metrics.ascent(), metrics.height()});
    }
    return *found;
}

// A text whose box was measured for one line is drawn as it stands: no
// line breaking, and laid out once, for the device it is drawn on.
bool PaintOneLine(QPainter& painter, const TReportCell& cell, const TCellFont& font, int width) {
    const QString& text = cell.Text();
    const TRect& box = cell.TextRect;
    // A box too low for a line is cut by the general path.
    const int boxHeight = box.Bottom - box.Top;
    if (boxHeight < font.LineHeight || boxHeight >= 2 * font.LineHeight || text.contains(u'\r') ||
        text.contains(u'\n'))
        return false;
    double left = box.Left;
    if (cell.HorzAlign == 1 || cell.HorzAlign == 2) {
        const double space = width - QFontMetricsF(font.Font).horizontalAdvance(text);
        left += cell.HorzAlign == 1 ? space / 2 : space;
    }
    painter.setFont(font.Font);
    painter.drawText(QPointF(left, box.Top + font.Ascent), text);
    return true;
}

void PaintText(QPainter& painter, const TReportCell& cell) {
    const TRect& box = cell.TextRect;
    // Lines break at the width the cell's height was measured with, which is
    // a little wider than the text box: a text that just fitted when measured
    // must not lose its last word to a line the box has no room for.
    const int width = std::max({box.Right - box.Left, cell.CellWidth() - 2 * cell.TextMargin, 1});
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(cell.HorzAlign == 1   ? Qt::AlignHCenter
                        : cell.HorzAlign == 2 ? Qt::AlignRight
                                              : Qt::AlignLeft);
    const TCellFont& cellFont = CellFont(cell.LogFont());
    painter.setPen(TextPen(cell.TextColor));
    if (PaintOneLine(painter, cell, cellFont, width))
        return;
    const QFont& font = cellFont.Font;
    const QStringList paragraphs = cell.Text().split(QStringLiteral("\r\n"));
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    double y = 0;
    for (const QString& paragraph : paragraphs) {
        auto& layout = layouts.emplace_back(std::make_unique<QTextLayout>(paragraph, font));
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout->endLayout();
    }
    // Only a text taller than its box is cut; clipping every cell would
    // make a printed page many times larger and slower.
    const int height = std::max(box.Bottom - box.Top, 1);
    const bool cut = y > height;
    if (cut) {
        painter.save();
        painter.setClipRect(QRect(box.Left, box.Top, width, height));
    }
    for (const auto& layout : layouts)
        layout->draw(&painter, QPointF(box.Left, box.Top));
    if (cut)
        painter.restore();
}

void PaintDiagonals(QPainter& painter, const TReportCell& cell) {
    const TRect& r = cell.CellRect;
    const QPoint topLeft(r.Left + 1, r.Top + 1);
    const QPoint topRight(r.Right - 1, r.Top + 1);
    const struct {
        int32_t bit;
        QPoint from;
        QPoint to;
    } strokes[] = {
        {DiagonalLeftToCorner, topLeft, {r.Right - 1, r.Bottom - 1}},
        {DiagonalLeftToMiddle, topLeft, {r.Right - 1, Middle(r.Top, r.Bottom)}},
        {DiagonalLeftToBottom, topLeft, {Middle(r.Left, r.Right), r.Bottom - 1}},
        {DiagonalRightToCorner, topRight, {r.Left + 1, r.Bottom - 1}},
        {DiagonalRightToMiddle, topRight, {r.Left + 1, Middle(r.Top, r.Bottom)}},
        {DiagonalRightToBottom, topRight, {Middle(r.Left, r.Right), r.Bottom - 1}},
    };
    for (const auto& stroke : strokes)
        if (cell.Diagonal & stroke.bit)
            Stroke(painter, BlackPen(1), stroke.from, stroke.to);
}

} // namespace

QColor ColorFromColorRef(uint32_t color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

void PaintCell(QPainter& painter, const TReportCell& cell, bool onPaper) {
    if (cell.MergeOwner)
        return;
    const TRect& r = cell.CellRect;
    if (cell.BackColor != kWhite)
        painter.fillRect(QRect(r.Left, r.Top + 1, r.Right + 1 - r.Left, r.Bottom - r.Top - 1),
                         ColorFromColorRef(cell.BackColor));
    const bool firstCell = cell.CellIndex == 0;
    const bool firstLine = cell.OwnerLine && cell.OwnerLine->LineIndex == 0;
    Border(painter, cell.LeftBorder().Line, cell.LeftBorder().Width, !onPaper && firstCell,
           {r.Left, r.Top}, {r.Left, r.Bottom});
    Border(painter, cell.TopBorder().Line, cell.TopBorder().Width, !onPaper && firstLine,
           {r.Left, r.Top}, {r.Right, r.Top});
    Border(painter, cell.RightBorder().Line, cell.RightBorder().Width, !onPaper, {r.Right, r.Top},
           {r.Right, r.Bottom});
    Border(painter, cell.BottomBorder().Line, cell.BottomBorder().Width, !onPaper,
           {r.Left, r.Bottom}, {r.Right, r.Bottom});

    if (cell.Diagonal != 0)
        PaintDiagonals(painter, cell);
    if (!cell.Text().isEmpty())
        PaintText(painter, cell);
}

void PaintPage(QPainter& painter, const TReportControl& control, const TRect& area) {
    painter.setPen(SolidPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, control.PageWidth - 1, control.PageHeight - 1);

    const QPen margin = SolidPen(kMarginGrey, 1);
    const int left = control.LeftMarginPx;
    const int right = control.PageWidth - control.RightMarginPx;
    const int top = control.TopMarginPx;
    const int bottom = control.PageHeight - control.BottomMarginPx;
    for (const auto& [x, y, dx, dy] : {std::tuple{left, top, -25, -25},
                                       {right, top, 25, -25},
                                       {left, bottom, -25, 25},
                                       {right, bottom, 25, 25}}) {
        Stroke(painter, margin, {x, y}, {x + dx, y});
        Stroke(painter, margin, {x, y}, {x, y + dy});
    }

    // On screen a picture fills its cell but for 3 screen pixels each side.
    const double inset = 3 * 100.0 / std::max(control.Zoom, 1);
    for (const auto& line : control.Lines) {
        for (const auto& cell : line->Cells) {
            const TRect& r = cell->CellRect;
            if (r.Left > area.Right || r.Top > area.Bottom)
                break;
            if (r.Right < area.Left || r.Bottom < area.Top)
                continue;
            if (cell->HasPicture)
                painter.drawImage(QRectF(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top)
                                      .adjusted(inset, inset, -inset, -inset),
                                  QImage::fromData(cell->Picture));
            PaintCell(painter, *cell, control.PreviewLook);
        }
    }
    if (control.PreviewLook)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const TReportCell* cell : control.Selection) {
        const TRect& r = cell->CellRect;
        painter.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), Qt::white);
    }
    painter.restore();
}

} // namespace kx
