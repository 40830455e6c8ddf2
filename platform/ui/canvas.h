#pragma once
// The drawing surface handed to owner-drawn controls: a thin layer over
// QPainter that keeps the desktop's rules the drawing code is written for.
// Rectangles exclude their right and bottom edges, lines leave out their end
// point, text is placed by the top-left corner of its cell, and colours are
// 0x00BBGGRR values with the system colours resolved through the palette.

#include "platform/ui/colors.h"
#include "platform/ui/rect.h"

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRegion>
#include <QString>

class QPainter;
class QPalette;

namespace kx::ui {

enum class TPenStyle { psSolid, psDot };

// Text layout flags.
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// 3D edges and the sides they are drawn on.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_RECT = BF_TOPLEFT | BF_BOTTOMRIGHT;

// A saved clipping state: none, or a region.
struct TClip {
    bool Active = false;
    QRegion Region;
};

class TCanvas {
public:
    // Draws through painter; only what lies in paintRegion reaches the screen.
    TCanvas(QPainter& painter, const QPalette& palette, const QRegion& paintRegion);

    QPainter& Painter() { return painter_; }
    const QPalette& Palette() const { return palette_; }

    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color) { brushColor_ = color; }
    void FillRect(const TRect& rect);

    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor color) { penColor_ = color; }
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width) { penWidth_ = width; }
    TPenStyle PenStyle() const { return penStyle_; }
    void SetPenStyle(TPenStyle style) { penStyle_ = style; }

    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    void LineTo(int x, int y);
    void Polyline(const QPoint* points, int count);
    // Many separate poly-lines in one call: counts[i] points each.
    void PolyPolyline(const QPoint* points, const int* counts, int lineCount);

    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color) { fontColor_ = color; }
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    const QFontMetrics& FontMetrics() const { return metrics_; }

    // Text whose cell's top-left corner is (x, y).
    void TextOut(int x, int y, const QString& text);
    // The rectangle filled with the brush, then text at (x, y) cut at the rectangle.
    void TextRect(const TRect& rect, int x, int y, const QString& text);
    // Text laid out in rect by DT_ flags; returns the text's height. With
    // DT_CALCRECT nothing is drawn and rect grows or shrinks to fit the text.
    int DrawText(const QString& text, TRect& rect, unsigned format);

    void DrawEdge(const TRect& rect, unsigned edge, unsigned sides);
    // A dotted frame that a second call removes again.
    void DrawFocusRect(const TRect& rect);
    // Inverts the pixels of a band, every other one when dotted; a second call
    // with the same band restores them.
    void InvertBand(const TRect& band, bool dotted);

    bool RectVisible(const TRect& rect) const;
    TClip Clip() const;
    void SetClip(const TClip& clip);
    void IntersectClipRect(const TRect& rect);

private:
    void LineSegment(QPoint from, QPoint to);

    QPainter& painter_;
    const QPalette& palette_;
    QRegion paintRegion_;
    QRegion visible_;
    TColor brushColor_ = clWhite;
    TColor penColor_ = clBlack;
    int penWidth_ = 1;
    TPenStyle penStyle_ = TPenStyle::psSolid;
    QPoint penPos_;
    QFont font_;
    QFontMetrics metrics_;
    TColor fontColor_ = clWindowText;
};

} // namespace kx::ui
