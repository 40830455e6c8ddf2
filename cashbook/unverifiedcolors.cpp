#include "cashbook/unverifiedcolors.h"

#include "cashbook/cashbooktables.h"

namespace kx {
namespace {

bool IsHighlighted(ui::TColor brush, THighlightRule rule) {
    if (rule == THighlightRule::HighlightOnly)
        return brush == ui::clHighlight;
    return brush >= ui::clScrollBar && brush <= ui::clHighlight;
}

} // namespace

void ApplyUnverifiedColors(const QString& status, THighlightRule rule, TStatusCellColors& colors) {
    if (status != cashbook::kStatusUnverified)
        return;
    if (IsHighlighted(colors.Brush, rule)) {
        colors.Font = kUnverifiedColor;
        return;
    }
    colors.Brush = kUnverifiedColor;
    colors.Font = ui::clWindowText;
}

} // namespace kx
