#pragma once
// The drawing kit of the small buttons inside edits and grid cells (drop-down
// arrow, ellipsis, up-down pair, plus, minus), of check boxes in cells, and
// of the signs and dotted lines of tree cells; plus the check-box placement
// in a cell, the second-click test and a variant comparison that never
// raises.
//
// Each distinct face is painted once into an off-screen bitmap and copied
// afterwards, so that grids with many visible buttons repaint quickly. The
// cache is emptied only when colours or the look change (ResetButtonBitmaps).

#include "platform/ui/canvas.h"

#include <QImage>
#include <QPoint>
#include <QVariant>

#include <vector>

namespace kx {

enum TCellButtonPaintStyleX : quint8 {
    cpsDropDownX,
    cpsEllipsisX,
    cpsUpDownX,
    cpsCheckboxX,
    cpsPlusX,
    cpsMinusX
};

enum TEditButtonStyleX : quint8 {
    ebsDropDownX,
    ebsEllipsisX,
    ebsGlyphX,
    ebsUpDownX,
    ebsPlusX,
    ebsMinusX
};

// Glyph buttons paint themselves; their entry is never used for painting.
constexpr TCellButtonPaintStyleX EditButtonPaintStyles[] = {cpsDropDownX, cpsEllipsisX, cpsUpDownX,
                                                            cpsUpDownX,   cpsPlusX,     cpsMinusX};

enum TCheckBoxState : quint8 { cbUnchecked, cbChecked, cbGrayed };

// The pressed part of a button: none, the button (or the upper half of an
// up-down pair), the lower half.
constexpr int bppNone = 0;
constexpr int bppButton = 1;
constexpr int bppLowerHalf = 2;

// Whether faces take the desktop style's look or the classic 3-D one.
bool ButtonThemesEnabled();
// Changing the look empties the cache.
void SetButtonThemesEnabled(bool enabled);

// One cached face: its key and its bitmap of exactly Width x Height.
struct TButtonBitmapKey {
    int Width = 0;
    int Height = 0;
    TCellButtonPaintStyleX Style = cpsDropDownX;
    bool Flat = false;
    bool Pressed = false;
    bool Active = false;
    bool Enabled = true;
    quint8 Half = 0;       // up-down pairs: 0 upper, 1 lower
    quint8 CheckState = 0; // check boxes only
    bool operator==(const TButtonBitmapKey&) const = default;
};

class TButtonsBitmapCache {
public:
    // The face for the key, painted when it is not cached yet. Negative
    // sizes are kept as 0.
    QImage BitmapFor(TButtonBitmapKey key);
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear() { entries_.clear(); }

private:
    struct Entry {
        TButtonBitmapKey Key;
        QImage Bitmap;
    };
    std::vector<Entry> entries_;
};

TButtonsBitmapCache& ButtonsBitmapCache();
void ResetButtonBitmaps();

// The size of one image of the system check box.
int SystemCheckWidth();
int SystemCheckHeight();
// Two thirds of the screen font's height made odd, at most a scroll bar's
// width; computed once.
int FlatButtonWidth();
int FlatEditButtonWidth();
int EditButtonHeightFor(int buttonWidth, bool flat);

// Paints one button or check box into rect; parentColor is the colour of the
// surface around it.
void PaintCellButton(ui::TCanvas& canvas, const ui::TRect& rect, ui::TColor parentColor,
                     TCellButtonPaintStyleX style, int pressedPart, bool flat, bool active,
                     bool enabled, TCheckBoxState checkState);

// Horizontal alignment: 0 left, 1 right, 2 centre; vertical: 0 top,
// 1 centre, 2 bottom.
ui::TRect FitCheckBoxRect(const ui::TRect& cellRect, int horzAlignment, int vertAlignment);

// One element of a tree cell: kinds 0-2 a minus box, 3-5 a plus box (lines
// up and down, up only, down only), 6-9 connectors without a box.
void DrawTreeNodeSign(ui::TCanvas& canvas, const ui::TRect& rect, int kind, bool shiftBoxLeft,
                      double scaleY, double scaleX, int dotPhase);
// Dots one pixel long and two pen widths apart, on one checkerboard for
// every line of the same phase.
void DrawDottedLine(ui::TCanvas& canvas, QPoint start, int length, int dotPhase, bool horizontal);

bool IsSecondClick(QPoint previousPoint, QPoint newPoint, qint64 elapsedMs);

// Equality of two values that never raises; lists compare element by element
// and two empty lists do not match.
bool VariantsMatch(const QVariant& a, const QVariant& b);

} // namespace kx
