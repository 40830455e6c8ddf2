#include "grid/editors/cellbuttonfaces.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace kx {

namespace {

enum class TArrow { Up, Down };

// What the classic frame control draws around an arrow.
struct TFrameState {
    bool Pushed = false;
    bool Flat = false;
    bool Inactive = false;
};

void FillBox(ui::TCanvas& canvas, const ui::TRect& rect, ui::TColor color) {
    canvas.SetBrushColor(color);
    canvas.FillRect(rect);
}

// Paints in the glyph colour, or embossed when disabled: a highlight copy
// one pixel right and down, then the shadow in place.
template <typename Paint> void PaintGlyph(bool enabled, Paint paint) {
    if (enabled) {
        paint(0, ui::clBtnText);
        return;
    }
    paint(1, ui::clBtnHighlight);
    paint(0, ui::clBtnShadow);
}

void DrawArrow(ui::TCanvas& canvas, const ui::TRect& rect, TArrow arrow, int offset, bool enabled) {
    const int rows = std::max(1, std::min(rect.Width(), rect.Height()) / 4);
    const int centreX = rect.Left + rect.Width() / 2 + offset;
    const int top = rect.Top + (rect.Height() - rows) / 2 + offset;
    PaintGlyph(enabled, [&](int shift, ui::TColor color) {
        for (int i = 0; i < rows; ++i) {
            const int halfWidth = arrow == TArrow::Down ? rows - 1 - i : i;
            const int y = top + i + shift;
            FillBox(canvas,
                    {centreX - halfWidth + shift, y, centreX + halfWidth + 1 + shift, y + 1},
                    color);
        }
    });
}

void DrawClassicScrollButton(ui::TCanvas& canvas, const ui::TRect& rect, TArrow arrow,
                             TFrameState state) {
    FillBox(canvas, rect, ui::clBtnFace);
    if (state.Flat || state.Pushed)
        FrameRect(canvas, rect, ui::clBtnShadow);
    else
        canvas.DrawEdge(rect, ui::BDR_RAISEDOUTER | ui::BDR_RAISEDINNER, ui::BF_RECT);
    DrawArrow(canvas, rect, arrow, state.Pushed ? 1 : 0, !state.Inactive);
}

QStyle::State ThemedState(bool pressed, bool active, bool enabled) {
    if (!enabled)
        return QStyle::State_None;
    if (pressed)
        return QStyle::State_Enabled | QStyle::State_Sunken;
    if (active)
        return QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_Raised;
    return QStyle::State_Enabled | QStyle::State_Raised;
}

void DrawThemedPrimitive(ui::TCanvas& canvas, QStyle::PrimitiveElement element,
                         const ui::TRect& rect, QStyle::State state) {
    // Check boxes are drawn only for button options.
    QStyleOptionButton option;
    option.rect = rect.ToQRect();
    option.palette = canvas.Palette();
    option.state = state;
    QApplication::style()->drawPrimitive(element, &option, &canvas.Painter());
}

void DrawThemedButton(ui::TCanvas& canvas, const ui::TRect& rect, bool toolButton,
                      QStyle::State state) {
    FillBox(canvas, rect, ui::clBtnFace);
    DrawThemedPrimitive(canvas,
                        toolButton ? QStyle::PE_PanelButtonTool : QStyle::PE_PanelButtonCommand,
                        rect, state);
}

void DrawDropDownFace(ui::TCanvas& canvas, const ui::TRect& rect, bool pressed, bool active,
                      bool flat, bool enabled) {
    if (!ButtonThemesEnabled()) {
        DrawClassicScrollButton(canvas, rect, TArrow::Down, {pressed, flat, !enabled});
        return;
    }
    const QStyle::State state = ThemedState(pressed, active, enabled);
    DrawThemedButton(canvas, rect, flat, state);
    DrawThemedPrimitive(canvas, QStyle::PE_IndicatorArrowDown, InflatedRect(rect, -2), state);
}

void DrawUpDownFace(ui::TCanvas& canvas, const ui::TRect& rect, int half, bool pressed, bool active,
                    bool flat, bool enabled) {
    const TArrow arrow = half == 0 ? TArrow::Up : TArrow::Down;
    if (!ButtonThemesEnabled()) {
        DrawClassicScrollButton(canvas, rect, arrow, {pressed, flat, !enabled});
        return;
    }
    const QStyle::State state = ThemedState(pressed, active, enabled);
    DrawThemedButton(canvas, rect, flat, state);
    DrawThemedPrimitive(
        canvas, arrow == TArrow::Up ? QStyle::PE_IndicatorSpinUp : QStyle::PE_IndicatorSpinDown,
        InflatedRect(rect, -1), state);
}

// The button body of ellipsis, plus and minus faces; returns the area left
// for the sign.
ui::TRect DrawSignButton(ui::TCanvas& canvas, const ui::TRect& rect, bool pressed, bool active,
                         bool flat, bool enabled) {
    if (ButtonThemesEnabled()) {
        DrawThemedButton(canvas, rect, flat, ThemedState(pressed, active, enabled));
        return InflatedRect(rect, flat ? -1 : -2);
    }
    FillBox(canvas, rect, ui::clBtnFace);
    if (flat)
        return InflatedRect(rect, -1);
    const unsigned edge = pressed ? ui::BDR_SUNKENOUTER | ui::BDR_SUNKENINNER
                                  : ui::BDR_RAISEDOUTER | ui::BDR_RAISEDINNER;
    canvas.DrawEdge(rect, edge, ui::BF_RECT);
    return InflatedRect(rect, -2);
}

void DrawEllipsisFace(ui::TCanvas& canvas, const ui::TRect& rect, bool pressed, bool active,
                      bool flat, bool enabled) {
    const ui::TRect area = DrawSignButton(canvas, rect, pressed, active, flat, enabled);
    const int size = area.Width() > 7 ? 2 : 1;
    const int gap = area.Width() < 12 ? 1 : 2;
    const int p = pressed ? 1 : 0;
    const int left = area.Left + area.Width() / 2 - size / 2 + p;
    const int top = area.Top + area.Height() / 2 - size / 2 + p;
    PaintGlyph(enabled, [&](int shift, ui::TColor color) {
        for (int dot = -1; dot <= 1; ++dot) {
            const int x = left + dot * (gap + size) + shift;
            FillBox(canvas, {x, top + shift, x + size, top + shift + size}, color);
        }
    });
}

void DrawPlusMinusFace(ui::TCanvas& canvas, const ui::TRect& rect, bool isPlus, bool pressed,
                       bool active, bool flat, bool enabled) {
    const ui::TRect area = DrawSignButton(canvas, rect, pressed, active, flat, enabled);
    const int m = std::min(area.Width(), area.Height());
    int length = std::max(1, m * 4 / 7);
    const int thickness = std::max(1, length / 3);
    if (length % 2 != m % 2)
        length += flat ? -1 : 1;
    if (isPlus && length % 2 != thickness % 2)
        length += m < 12 ? 1 : -1;
    const int p = pressed ? 1 : 0;
    const int left = area.Left + (area.Width() - length) / 2 + p;
    const int top = area.Top + (area.Height() - thickness) / 2 + p;
    const int stem = length / 2 - thickness / 2;
    PaintGlyph(enabled, [&](int shift, ui::TColor color) {
        FillBox(canvas, {left + shift, top + shift, left + length + shift, top + thickness + shift},
                color);
        if (isPlus)
            FillBox(canvas,
                    {left + stem + shift, top - stem + shift, left + stem + thickness + shift,
                     top - stem + length + shift},
                    color);
    });
}

void DrawStyleFace(ui::TCanvas& canvas, const ui::TRect& rect, TCellButtonPaintStyleX style,
                   int half, bool pressed, bool active, bool flat, bool enabled) {
    switch (style) {
    case cpsDropDownX:
        DrawDropDownFace(canvas, rect, pressed, active, flat, enabled);
        break;
    case cpsEllipsisX:
        DrawEllipsisFace(canvas, rect, pressed, active, flat, enabled);
        break;
    case cpsUpDownX:
        DrawUpDownFace(canvas, rect, half, pressed, active, flat, enabled);
        break;
    case cpsPlusX:
    case cpsMinusX:
        DrawPlusMinusFace(canvas, rect, style == cpsPlusX, pressed, active, flat, enabled);
        break;
    case cpsCheckboxX:
        break;
    }
}

void DrawCheckMark(ui::TCanvas& canvas, const ui::TRect& box, ui::TColor color) {
    // A tick seven pixels wide and five high, three pixels thick.
    static constexpr int rise[] = {2, 3, 4, 3, 2, 1, 0};
    const int left = box.Left + (box.Width() - 7) / 2;
    const int top = box.Top + (box.Height() - 7) / 2;
    for (int i = 0; i < 7; ++i)
        FillBox(canvas, {left + i, top + rise[i], left + i + 1, top + rise[i] + 3}, color);
}

void DrawClassicCheckBox(ui::TCanvas& canvas, const ui::TRect& square, TCheckBoxState state,
                         bool pressed, bool enabled) {
    const bool dimmed = pressed || !enabled || state == cbGrayed;
    FillBox(canvas, square, dimmed ? ui::clBtnFace : ui::clWindow);
    canvas.DrawEdge(square, ui::BDR_SUNKENOUTER | ui::BDR_SUNKENINNER, ui::BF_RECT);
    if (state == cbUnchecked)
        return;
    const ui::TColor mark = state == cbGrayed || !enabled ? ui::clBtnShadow : ui::clWindowText;
    DrawCheckMark(canvas, InflatedRect(square, -2), mark);
}

} // namespace

void FrameRect(ui::TCanvas& canvas, const ui::TRect& rect, ui::TColor color) {
    if (rect.IsEmpty())
        return;
    FillBox(canvas, {rect.Left, rect.Top, rect.Right, rect.Top + 1}, color);
    FillBox(canvas, {rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, color);
    FillBox(canvas, {rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, color);
    FillBox(canvas, {rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, color);
}

ui::TRect InflatedRect(const ui::TRect& rect, int by) {
    return {rect.Left - by, rect.Top - by, rect.Right + by, rect.Bottom + by};
}

ui::TRect SquareOf(const ui::TRect& rect) {
    ui::TRect square = rect;
    const int cut = rect.Width() - rect.Height();
    if (cut > 0) {
        square.Left += cut / 2;
        square.Right -= cut - cut / 2;
    } else if (cut < 0) {
        square.Top += -cut / 2;
        square.Bottom -= -cut - -cut / 2;
    }
    return square;
}

void DrawButtonFace(ui::TCanvas& canvas, const ui::TRect& rect, TCellButtonPaintStyleX style,
                    int half, bool pressed, bool active, bool flat, bool enabled) {
    if (ButtonThemesEnabled() || !flat) {
        DrawStyleFace(canvas, rect, style, half, pressed, active, flat, enabled);
        return;
    }
    if (!active) {
        // The bitmap's edges cut the 3-D border off.
        DrawStyleFace(canvas, InflatedRect(rect, 2), style, half, pressed, active, flat, enabled);
        return;
    }
    const ui::TClip saved = canvas.Clip();
    canvas.IntersectClipRect(InflatedRect(rect, -1));
    DrawStyleFace(canvas, InflatedRect(rect, 1), style, half, pressed, active, flat, enabled);
    canvas.SetClip(saved);
    canvas.DrawEdge(rect, pressed ? ui::BDR_SUNKENOUTER : ui::BDR_RAISEDINNER, ui::BF_RECT);
}

void DrawCheckBoxFace(ui::TCanvas& canvas, const ui::TRect& rect, TCheckBoxState state, bool active,
                      bool pressed, bool flat, bool enabled) {
    const ui::TRect square = SquareOf(rect);
    if (ButtonThemesEnabled()) {
        QStyle::State themed = enabled ? QStyle::State_Enabled : QStyle::State_None;
        themed |= state == cbChecked  ? QStyle::State_On
                  : state == cbGrayed ? QStyle::State_NoChange
                                      : QStyle::State_Off;
        FillBox(canvas, rect, ui::clWindow);
        DrawThemedPrimitive(canvas, QStyle::PE_IndicatorCheckBox, square, themed);
        return;
    }
    if (!flat) {
        DrawClassicCheckBox(canvas, square, state, pressed, enabled);
        return;
    }
    const ui::TClip saved = canvas.Clip();
    canvas.IntersectClipRect(InflatedRect(square, -1));
    DrawClassicCheckBox(canvas, InflatedRect(square, 1), state, pressed, enabled);
    canvas.SetClip(saved);
    FrameRect(canvas, square, active ? ui::clBtnFace : ui::clBtnShadow);
}

} // namespace kx
