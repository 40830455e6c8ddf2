#pragma once
// The routines through which the data-aware grid writes text and pictures
// into its cells: one plain line, a general writer with alignment, vertical
// layout, word wrap and end ellipsis, text written upwards, and a picture
// placed in a cell and cut at its edges. They know nothing of data sets.
//
// Alignment values are those of db::TAlignment (left, right, centre);
// layouts those of TTextLayout (top, centre, bottom). Every colour is shown
// as it is on the displays we run on, so text never needs an off-screen
// detour to avoid a dithered background.

#include "grid/dbgrid/columnx.h"
#include "platform/ui/canvas.h"

#include <QImage>
#include <QString>

#include <functional>

namespace kx {

// x of a one-line text of textWidth in rect: left + dx, right - width - 3,
// or centred (left when rect is empty).
int CellTextX(const ui::TRect& rect, int dx, int alignment, int textWidth);

// The rect filled with the brush and one line of text in it, cut at rect.
void WriteCellTextPlain(ui::TCanvas& canvas, const ui::TRect& rect, int dx, int alignment,
                        const QString& text, int dy);

// Text cut from the end, whole characters at a time, with "..." added
// until it is no wider than maxWidth; step k drops k + 1 characters, so a
// text that never fits ends as "...". A text that fits stays as it is.
QString ShortenText(const QString& text, const std::function<int(const QString&)>& widthOf,
                    int maxWidth);
QString ShortenText(const QString& text, const ui::TCanvas& canvas, int maxWidth);

struct TTextBlock {
    ui::TRect Rect;
    QString Text;
    int Alignment = 0;
    TTextLayout Layout = tlTop;
    bool WordWrap = false;
    bool EndEllipsis = false;
    bool RightToLeft = false;
    int DX = 0;
    int DY = 0;
    int LeftMargin = 0;
    int RightMargin = 0;
};

// Multi-line text in the block's rectangle less DX and DY and the margins;
// a centre or bottom layout moves it down by its measured height.
void DrawTextBlock(ui::TCanvas& canvas, const TTextBlock& block);

// The general cell-text writer: wrapped text through DrawTextBlock, else
// one line, shortened when endEllipsis, placed by alignment and layout and
// cut at rect. The rect is filled with the brush first when fill is set.
void WriteTextEx(ui::TCanvas& canvas, const ui::TRect& rect, bool fill, bool rightToLeft,
                 int rightMargin, int leftMargin, bool endEllipsis, bool wordWrap,
                 TTextLayout layout, int alignment, const QString& text, int dy, int dx);

// Text running upwards from the bottom of rect; with measureOnly nothing is
// drawn. Answers the text's length in pixels.
int WriteVerticalText(ui::TCanvas& canvas, const ui::TRect& rect, bool fill, bool measureOnly,
                      TTextLayout layout, int alignment, const QString& text, int dy, int dx);

// A picture placed by alignment (offset added to x) and centred vertically,
// cut at rect; the canvas's clipping is the same afterwards.
void DrawCellImage(ui::TCanvas& canvas, const QImage& image, int alignment, int offset,
                   const ui::TRect& rect);

} // namespace kx
