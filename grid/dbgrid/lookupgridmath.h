#pragma once
// The arithmetic of the lookup grid: its height for a number of rows and the
// rows a height holds, the row steps of its keys and the pace of its
// auto-scrolling while the mouse is dragged beyond its rows.

#include <QtGlobal>

namespace kx {

constexpr int LookupGridMinRows = 1;
constexpr int LookupGridMaxRows = 100;

// The heights a lookup grid is made of, in pixels.
struct TLookupGridHeights {
    int Title = 0;   // the title row, 0 when titles are hidden
    int SpecRow = 0; // the special row, 0 when it is hidden
    int Row = 0;     // one data row with its line
    int Line = 0;    // the line under the titles, 0 without row lines
    int Border = 0;  // the frame, top and bottom
};

// The height that shows n rows, n limited to 1..100.
int LookupGridHeightForRows(int n, const TLookupGridHeights& heights);
// The whole rows a height holds, at least 1.
int LookupGridRowsForHeight(int height, const TLookupGridHeights& heights);

// The move of a navigation key (Qt key code) over the list; visibleRows are
// the data rows shown. None for a key that does not move.
enum class TLookupStepKind { None, Step, First, Last };
struct TLookupStep {
    TLookupStepKind Kind = TLookupStepKind::None;
    int Distance = 0;
};
TLookupStep LookupKeyStep(int key, int visibleRows, bool horzScrollBarShown);

// The auto-scroll timer's interval when the pointer is pixelsBeyond the
// rows: 200 ms, 15 ms less per pixel, never below the timer's minimum.
int LookupAutoScrollInterval(int pixelsBeyond);

} // namespace kx
