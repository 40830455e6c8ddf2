#pragma once
// The footer total a list grid shows under a field, as plain text, so that a
// printout or an export can carry the same totals as the screen.

#include <QString>

namespace kx {

class TKXNDBGrid;

// The footer value of the first column bound to exactly that field, in
// general decimal form; empty without such a column, without a value, or
// for a grid of fewer than two columns.
QString GetFooterText(const TKXNDBGrid& grid, const QString& fieldName);

} // namespace kx
