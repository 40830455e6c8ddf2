#pragma once
// The grid's clipboard commands over its selection: copy puts the cells at
// once as plain text, CSV, RTF and the library's own format; paste takes
// the library's format when the clipboard holds it, else plain text; cut
// is copy then delete; delete removes the selected records or clears the
// selected cells, after a confirmation where the grid asks for one.

#include "grid/dbgrid/dbgridproperties.h"

class QByteArray;
class QMimeData;

namespace kx {

class TCustomDBGridX;

// The clipboard formats of the grid's cells, as MIME types; the library's
// own format is GridClipboardMimeType.
inline constexpr const char* ClipboardFormatCsv = "text/csv";
inline constexpr const char* ClipboardFormatRtf = "text/rtf";

void GridCopyToClipboard(TCustomDBGridX* grid, bool wholeGrid);
void GridPasteFromClipboard(TCustomDBGridX* grid, bool wholeGrid);
void GridCutSelection(TCustomDBGridX* grid, bool wholeGrid);
void GridDeleteSelection(TCustomDBGridX* grid, bool wholeGrid);

// The cells of the grid in every clipboard format, as copy puts them.
QMimeData* GridSelectionMimeData(TCustomDBGridX* grid, bool wholeGrid);
// Clipboard text as the text importer reads it: in the program's code
// page, rows ended by CR LF also where another program ended them by LF.
QByteArray ClipboardTextBytes(const QString& text);

// Gives the grid its clipboard commands; the grid library's start calls it.
void RegisterGridClipboardCommands();

} // namespace kx
