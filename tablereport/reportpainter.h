#pragma once
// Paints a table-report page in page pixels: the design look with its grey
// guide grid and selection, or the paper look with the real borders only.
// The painter's transform maps page pixels to the device.

#include "tablereport/reportrect.h"

#include <QColor>

#include <cstdint>

class QPainter;

namespace kx {

class TReportCell;
class TReportControl;

QColor ColorFromColorRef(uint32_t color);

// Background, borders, diagonals and text of one cell; nothing for a cell
// merged into another.
void PaintCell(QPainter& painter, const TReportCell& cell, bool onPaper);

// The sheet, the margin corners, the cells that reach into the area and,
// in the design look, the selection inverted.
void PaintPage(QPainter& painter, const TReportControl& control, const TRect& area);

} // namespace kx
