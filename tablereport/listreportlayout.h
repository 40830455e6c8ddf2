#pragma once
// The placing shared by the program's printed lists: an A4 page with 10 mm
// margins, bands measured in pixels at 96 dpi, ruled columns and cells inset
// from their rules.

#include "bandreport/bandrep.h"
#include "bandreport/brprintable.h"

#include <QList>
#include <QRect>

#include <type_traits>

namespace kx {

// An A4 page less its 10 mm margins is 718 pixels wide.
inline constexpr int kListBodyWidth = 718;

// Millimetres, A4, 10 mm margins all round, the page header on the first
// page and the page footer on the last.
void SetUpListPage(TBandRep& report);

template <typename T> T* PlaceControl(TBRCustomBand* band, const QRect& bounds) {
    auto* control = new T(band);
    if constexpr (std::is_base_of_v<TBRCustomLabel, T>)
        control->AutoSize = false;
    control->SetBounds(bounds);
    return control;
}

TBRLabel* PlaceLabel(TBRCustomBand* band, const QRect& bounds, const QString& caption);

// A band of the given height in pixels that paints no background.
TBRBand* NewListBand(TBandRep& report, TBRBandType type, int height);

void AddColumnRule(TBRCustomBand* band, int x, int top, int height);

// The cell of a column between its left edge and the next, inset from the
// rules.
QRect ListCell(const QList<int>& edges, int column, int top, int height);

// Lays the pages out once to learn their count, writes it into the footer's
// "共 n 页" label, then shows the preview, which lays them out again with it.
void PreviewWithPageCount(TBandRep& report, TBRLabel* pageCountLabel);

} // namespace kx
