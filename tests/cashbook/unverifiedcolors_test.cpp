#include "cashbook/unverifiedcolors.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(UnverifiedColors, ByStatusBackgroundAndRule) {
    using ui::TColor;
    constexpr TColor kPlain = 0xF1FAFE;
    const struct {
        const char* status;
        TColor brush;
        THighlightRule rule;
        TStatusCellColors expected;
    } cases[] = {
        {"未审核", kPlain, THighlightRule::SystemColors, {kUnverifiedColor, ui::clWindowText}},
        {"未审核",
         ui::clHighlight,
         THighlightRule::SystemColors,
         {ui::clHighlight, kUnverifiedColor}},
        {"未审核", ui::clWindow, THighlightRule::SystemColors, {ui::clWindow, kUnverifiedColor}},
        {"未审核",
         ui::clHighlightText,
         THighlightRule::SystemColors,
         {kUnverifiedColor, ui::clWindowText}},
        {"未审核",
         ui::clWindow,
         THighlightRule::HighlightOnly,
         {kUnverifiedColor, ui::clWindowText}},
        {"未审核",
         ui::clHighlight,
         THighlightRule::HighlightOnly,
         {ui::clHighlight, kUnverifiedColor}},
        {"已审核", kPlain, THighlightRule::SystemColors, {kPlain, ui::clBlack}},
        {"", ui::clHighlight, THighlightRule::HighlightOnly, {ui::clHighlight, ui::clBlack}},
    };
    for (const auto& c : cases) {
        TStatusCellColors colors{c.brush, ui::clBlack};
        ApplyUnverifiedColors(c.status, c.rule, colors);
        EXPECT_EQ(colors.Brush, c.expected.Brush) << c.status << " " << std::hex << c.brush;
        EXPECT_EQ(colors.Font, c.expected.Font) << c.status << " " << std::hex << c.brush;
    }
    EXPECT_EQ(kUnverifiedColor, ui::RGBColor(255, 210, 255));
}

} // namespace
} // namespace kx
