// The expand/collapse signs and dotted connector lines of tree cells.

#include "grid/editors/cellbuttonfaces.h"
#include "grid/editors/cellbuttons.h"

#include <cmath>
#include <vector>

namespace kx {

namespace {

struct TSignLines {
    bool Box;
    bool Plus;
    bool Up;
    bool Down;
};

TSignLines LinesOfKind(int kind) {
    const bool plus = kind >= 3;
    switch (kind % 3) {
    case 0:
        return {true, plus, true, true};
    case 1:
        return {true, plus, true, false};
    default:
        return {true, plus, false, true};
    }
}

void DrawConnector(ui::TCanvas& canvas, int kind, int centreX, int centreY, const ui::TRect& rect,
                   int dotPhase) {
    switch (kind) {
    case 6:
    case 9:
        DrawDottedLine(canvas, {centreX, rect.Top}, rect.Height(), dotPhase, false);
        break;
    case 7:
        DrawDottedLine(canvas, {centreX, rect.Top}, centreY - rect.Top, dotPhase, false);
        break;
    case 8:
        DrawDottedLine(canvas, {centreX, centreY}, rect.Bottom - centreY, dotPhase, false);
        break;
    default:
        break;
    }
    if (kind != 9)
        DrawDottedLine(canvas, {centreX, centreY}, rect.Right - centreX, 0, true);
}

} // namespace

void DrawDottedLine(ui::TCanvas& canvas, QPoint start, int length, int dotPhase, bool horizontal) {
    const int startPhase = (start.x() & 1) ^ (start.y() & 1);
    const QPoint step = horizontal ? QPoint(1, 0) : QPoint(0, 1);
    if (dotPhase != startPhase) {
        start += step;
        --length;
    }
    const int spacing = 2 * std::max(canvas.PenWidth(), 1);
    const int dots = length / spacing + (length % 2 != 0 ? 1 : 0);
    if (dots <= 0)
        return;
    std::vector<QPoint> points;
    points.reserve(static_cast<std::size_t>(dots) * 2);
    for (int i = 0; i < dots; ++i) {
        const QPoint dot = start + step * (i * spacing);
        points.push_back(dot);
        points.push_back(dot + step);
    }
    const std::vector<int> counts(static_cast<std::size_t>(dots), 2);
    canvas.PolyPolyline(points.data(), counts.data(), dots);
}

void DrawTreeNodeSign(ui::TCanvas& canvas, const ui::TRect& rect, int kind, bool shiftBoxLeft,
                      double scaleY, double scaleX, int dotPhase) {
    const int centreX = (rect.Left + rect.Right) / 2;
    const int centreY = (rect.Top + rect.Bottom) / 2;
    canvas.SetPenColor(ui::clBtnShadow);
    canvas.SetPenStyle(ui::TPenStyle::psSolid);
    canvas.SetPenWidth(1);
    if (kind >= 6) {
        DrawConnector(canvas, kind, centreX, centreY, rect, dotPhase);
        return;
    }
    const int x1 = static_cast<int>(std::trunc(scaleX));
    const int x2 = static_cast<int>(std::trunc(2 * scaleX));
    const int x4 = static_cast<int>(std::trunc(4 * scaleX));
    const int y1 = static_cast<int>(std::trunc(scaleY));
    const int y2 = static_cast<int>(std::trunc(2 * scaleY));
    const int y4 = static_cast<int>(std::trunc(4 * scaleY));
    const ui::TRect box{centreX - x4, centreY - y4, centreX + x4 + 1, centreY + y4 + 1};
    const TSignLines lines = LinesOfKind(kind);

    canvas.SetBrushColor(ui::clWindow);
    canvas.FillRect(box);
    const int shift = shiftBoxLeft ? 1 : 0;
    FrameRect(canvas, {box.Left - shift, box.Top, box.Right - shift, box.Bottom}, ui::clBtnShadow);
    canvas.SetPenColor(ui::clWindowText);
    canvas.MoveTo(box.Left + x2, centreY);
    canvas.LineTo(box.Right - x2, centreY);
    if (lines.Plus) {
        canvas.MoveTo(centreX, box.Top + y2);
        canvas.LineTo(centreX, box.Bottom - y2);
    }
    canvas.SetPenColor(ui::clBtnShadow);
    DrawDottedLine(canvas, {box.Right + x1, centreY}, rect.Right - box.Right, 0, true);
    if (lines.Up)
        DrawDottedLine(canvas, {centreX, rect.Top}, box.Top - rect.Top, dotPhase, false);
    if (lines.Down)
        DrawDottedLine(canvas, {centreX, box.Bottom + y1}, rect.Bottom - box.Bottom, dotPhase,
                       false);
}

} // namespace kx
