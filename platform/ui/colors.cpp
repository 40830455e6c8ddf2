#include "platform/ui/colors.h"

#include <QPalette>

namespace kx::ui {
namespace {

TColor FromQColor(const QColor& c) {
    return RGBColor(c.red(), c.green(), c.blue());
}

// Colours the palette has no role for keep the classic desktop values.
TColor FixedSystemColor(TColor index) {
    switch (index) {
    case clActiveCaption & 0xFF:
        return RGBColor(0x99, 0xB4, 0xD1);
    case clInactiveCaption & 0xFF:
        return RGBColor(0xBF, 0xCD, 0xDB);
    case clBackground & 0xFF:
    case clAppWorkSpace & 0xFF:
        return RGBColor(0xAB, 0xAB, 0xAB);
    case clActiveBorder & 0xFF:
    case clInactiveBorder & 0xFF:
    case clScrollBar & 0xFF:
        return RGBColor(0xD4, 0xD0, 0xC8);
    default:
        return clBlack;
    }
}

TColor SystemColor(TColor color, const QPalette& palette) {
    switch (color) {
    case clWindow:
        return FromQColor(palette.color(QPalette::Base));
    case clWindowText:
        return FromQColor(palette.color(QPalette::Text));
    case clHighlight:
        return FromQColor(palette.color(QPalette::Highlight));
    case clHighlightText:
        return FromQColor(palette.color(QPalette::HighlightedText));
    case clBtnFace:
    case clMenu:
        return FromQColor(palette.color(QPalette::Button));
    case clBtnText:
    case clMenuText:
        return FromQColor(palette.color(QPalette::ButtonText));
    case clBtnShadow:
        return FromQColor(palette.color(QPalette::Dark));
    case clBtnHighlight:
        return FromQColor(palette.color(QPalette::Light));
    case cl3DDkShadow:
        return FromQColor(palette.color(QPalette::Shadow));
    case cl3DLight:
        return FromQColor(palette.color(QPalette::Midlight));
    case clGrayText:
        return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case clInfoText:
        return FromQColor(palette.color(QPalette::ToolTipText));
    case clInfoBk:
        return FromQColor(palette.color(QPalette::ToolTipBase));
    default:
        return FixedSystemColor(color & 0xFF);
    }
}

} // namespace

TColor ColorToRGB(TColor color, const QPalette& palette) {
    if (color & clSystemColor)
        return SystemColor(color, palette);
    return color;
}

QColor ToQColor(TColor color, const QPalette& palette) {
    const TColor rgb = ColorToRGB(color, palette);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

} // namespace kx::ui
