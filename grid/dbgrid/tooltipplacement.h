#pragma once
// Where a grid cell's tool tip goes: laid over the cell so that its text
// stands where the cell's own text stands, shown only when that text is cut.

#include "platform/ui/canvas.h"

#include <QFont>
#include <QPoint>
#include <QString>

namespace kx {

// What a hint over a grid cell shows. Rectangles and points are in the
// grid's client coordinates.
struct TCellHintInfo {
    QString Text;
    // The tip goes when the pointer leaves it.
    ui::TRect CursorRect;
    // Laid over the cell in its own window (else an ordinary hint).
    bool ToolTip = false;
    QPoint Position;
    // Wrapped to this width when above 0.
    int MaxWidth = 0;
    QFont Font;
};

// A cell as the tip placement sees it: its rectangle R (mirrored inside the
// client for a right-to-left column), the right end E of its text when the
// whole column shows, the text's alignment and measured width.
struct TToolTipCell {
    ui::TRect Rect;
    int TextEnd = 0;
    int Alignment = 0; // a db::TAlignment
    int TextWidth = 0;
    bool Fits = true;
    bool Flat = false;
    bool RightToLeft = false;
    int ClientWidth = 0;
};

// True when the tip shows: the text does not fit, or a right-aligned text
// has its right end cut off. position is the tip window's top-left.
bool PlaceCellToolTip(const TToolTipCell& cell, QPoint& position);

// Measures text in rect, less rightIndent + 2 pixels of width and
// textPadding - 1 of height, word-broken when wrap; true when it is wider
// or taller than that.
bool HintTextOverflows(const QFont& font, int rightIndent, bool wrap, const ui::TRect& rect,
                       const QString& text, int textPadding, int& textWidth, int& textHeight);

} // namespace kx
