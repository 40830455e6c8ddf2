#pragma once
// The face painters behind the button cache: each draws one face into a
// rectangle, in the desktop style's look or in the classic 3-D one.

#include "grid/editors/cellbuttons.h"

namespace kx {

// A 1-pixel frame just inside rect.
void FrameRect(ui::TCanvas& canvas, const ui::TRect& rect, ui::TColor color);
ui::TRect InflatedRect(const ui::TRect& rect, int by);

void DrawButtonFace(ui::TCanvas& canvas, const ui::TRect& rect, TCellButtonPaintStyleX style,
                    int half, bool pressed, bool active, bool flat, bool enabled);
void DrawCheckBoxFace(ui::TCanvas& canvas, const ui::TRect& rect, TCheckBoxState state, bool active,
                      bool pressed, bool flat, bool enabled);

// The square inside rect: the longer side cut to the shorter one, the odd
// pixel taken off the bottom or right.
ui::TRect SquareOf(const ui::TRect& rect);

} // namespace kx
