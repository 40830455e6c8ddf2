#pragma once
// What the grid's edit actions and its frozen-column sizing stand on: the
// kinds of standard edit actions, the clipboard commands the grid's export
// unit provides, and where a title point lies on a frozen column's border.

#include <QtGlobal>

#include <functional>
#include <vector>

class QAction;

namespace kx {

class TCustomDBGridX;

using TGridEditActionsX = quint8;
constexpr TGridEditActionsX geaCutX = 1u << 0;
constexpr TGridEditActionsX geaCopyX = 1u << 1;
constexpr TGridEditActionsX geaPasteX = 1u << 2;
constexpr TGridEditActionsX geaDeleteX = 1u << 3;
constexpr TGridEditActionsX geaSelectAllX = 1u << 4;

// The kind of a standard edit action, known by its standard shortcut; 0 for
// any other action.
TGridEditActionsX EditActionKind(const QAction* action);

// The clipboard commands of the grid's selection; the export unit sets them
// when it starts. The flag asks for the whole grid instead of the selection.
struct TGridClipboardCommands {
    std::function<void(TCustomDBGridX* grid, bool wholeGrid)> Copy;
    std::function<void(TCustomDBGridX* grid, bool wholeGrid)> Paste;
    std::function<void(TCustomDBGridX* grid, bool wholeGrid)> Cut;
    std::function<void(TCustomDBGridX* grid, bool wholeGrid)> Delete;
};
inline TGridClipboardCommands GridClipboardCommands;

// The clipboard's format of the grid library's own cell data.
inline constexpr const char* GridClipboardMimeType = "application/x-kx-vcldbif";

// Where a title point is on a frozen column's right border.
struct TFrozenSizingHit {
    bool Sizing = false;
    int Index = -1;
    int SizingPos = 0;
    int SizingOfs = 0;
};

struct TFrozenSizingGeometry {
    int ClientWidth = 0;
    int DrawnWidth = 0;  // the base grid's drawn width
    int TitleBottom = 0; // below the title rows and their lines
    int LineWidth = 0;
    int IndicatorWidth = 0; // the indicator columns with their lines
    int FirstFrozen = 0;    // grid index of the first frozen column
    std::vector<int> FrozenWidths;
};

// The border band is seven pixels wide around a thin line and the line
// itself when it is wider; a frozen column cut by the client edge is sized
// at that edge.
TFrozenSizingHit CalcFrozenSizing(const TFrozenSizingGeometry& geometry, int x, int y);

} // namespace kx
