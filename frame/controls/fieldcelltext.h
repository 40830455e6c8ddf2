#pragma once
// Text output of the program's grids into one data cell: the field's
// display text after a window has changed the cell's colours and font, and
// a memo cut down to fit beside "...".

#include "platform/ui/canvas.h"

#include <QString>

#include <functional>

namespace kx {

namespace db {
class TField;
}

// The cell filled with the canvas's brush and the field's display text in
// the field's alignment, 2 pixels from the left edge or 3 from the right,
// 2 from the top.
void WriteFieldCellText(ui::TCanvas& canvas, const ui::TRect& rect, const db::TField& field);

// The text less at least its last character, cut further until its width
// is below room; whole characters only.
QString ShortenedMemoText(QString text, int room, const std::function<int(const QString&)>& width);

} // namespace kx
