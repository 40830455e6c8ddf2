#pragma once
// Small routines shared by the data-aware grid, its columns and its in-place
// editor: field values as integers, text measuring for cells, list prefix
// search, keyboard state and right-to-left mirroring.

#include "grid/base/customgridx.h"
#include "platform/ui/canvas.h"
#include "platform/ui/customcontrol.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kx {

namespace db {
class TField;
}

// Mirrors everything drawn afterwards left to right inside a width x height
// area, or sets the plain mapping back.
void MirrorCanvasForRightToLeft(ui::TCanvas& canvas, bool mirror, int width, int height);

// The field's value as a 32-bit integer, or defaultValue for a field of
// another kind or a value outside the 32-bit range.
int FieldAsIntegerOrDefault(const db::TField* field, int defaultValue);

// True when every field can be modified; true for an empty list.
bool AllFieldsModifiable(const QList<db::TField*>& fields);

constexpr TGridRect MakeGridRect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}

[[noreturn]] void RaiseGridError(const QString& message);

// Invalidates every cell of one grid row.
void RepaintGridRow(TCustomGridX& grid, int row);

// Keeps Left and Top and swaps the width and the height.
void RotateRectSize(ui::TRect& rect);

// Measures text for a cell (word-broken when wordWrap) within the cell width
// less the right indent and 2; true when it is wider than that width or
// taller than the cell height less lineGap plus 1.
bool TextOverflowsCell(unsigned textFlags, ui::TCanvas& canvas, int rightIndent, int& textHeight,
                       int& textWidth, bool wordWrap, const ui::TRect& cellRect,
                       const QString& text, int lineGap);

int MeasureTextWidth(const ui::TCanvas& canvas, const QString& text);

// FindListPrefix options: match at the start of a string instead of whole.
constexpr int flpPrefix = 2;

// Index of the first string equal to text (or starting with it, with
// flpPrefix), ignoring letter case in the user's locale; -1 when none.
int FindListPrefix(const QStringList& strings, const QString& text, int options);

// Shift, Ctrl and Alt as they are held now.
ui::TShiftState CurrentShiftState();

// True for exactly one control character other than Backspace.
bool IsControlCharText(const QString& text);

// The font's text height, measured on the canvas or, without one, on the
// screen.
int FontTextHeight(ui::TCanvas* canvas, const QFont& font);

} // namespace kx
