#pragma once
// Records not verified yet stand out in the record lists in light violet:
// on a row drawn in a highlight colour the text takes it, on any other row
// the background does.

#include "platform/ui/colors.h"

#include <QString>

namespace kx {

constexpr ui::TColor kUnverifiedColor = 0xFFD2FF;

// Which backgrounds count as highlighted: the records list treats every
// system colour from clScrollBar to clHighlight so, the ledger and
// drill-down lists only clHighlight.
enum class THighlightRule { SystemColors, HighlightOnly };

struct TStatusCellColors {
    ui::TColor Brush;
    ui::TColor Font;
};

// The colours of one cell of a record with that status; verified records
// keep theirs.
void ApplyUnverifiedColors(const QString& status, THighlightRule rule, TStatusCellColors& colors);

} // namespace kx
