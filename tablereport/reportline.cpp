#include "tablereport/reportline.h"

#include "tablereport/reportcontrol.h"

#include <algorithm>
#include <cmath>

namespace kx {

void TReportLine::UpdateHeight() {
    ContentHeight = 0;
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        TReportCell& cell = *Cells[i];
        ContentHeight = std::max(ContentHeight, cell.NeededHeight());
        cell.CellIndex = int32_t(i);
        if (i > 0)
            cell.SetLeft(Cells[i - 1]->CellRight());
        else if (Control)
            cell.SetLeft(Control->LeftMarginPx);
    }
}

TRect TReportLine::CalcRect() {
    int32_t width = 0;
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        Cells[i]->CellIndex = int32_t(i);
        Cells[i]->CalcRects();
        width += Cells[i]->CellWidth();
    }
    const int32_t left = Cells.empty() ? 0 : Cells.front()->CellLeft();
    LineRect = {left, lineTop_, left + width, lineTop_ + Height()};
    return LineRect;
}

void TReportLine::SetTop(int32_t top) {
    if (top == lineTop_)
        return;
    lineTop_ = top;
    for (auto& cell : Cells)
        cell->CalcRects();
}

void TReportLine::CreateCells(int32_t left, int count, int32_t totalWidth) {
    if (count <= 0)
        return;
    const auto width = int32_t(std::trunc(double(totalWidth) / count + 0.5));
    for (int d = 0; d < count; ++d) {
        TReportCell* cell = AppendCell();
        cell->CellIndex = d;
        cell->SetLeft(left + width * d);
        cell->SetWidth(width);
    }
}

void TReportLine::CopyCells(const TReportLine& source, bool insertBeside) {
    UserHeight = 0;
    ContentHeight = 20;
    Control = source.Control;
    Measurer = source.Measurer;
    for (const auto& cell : source.Cells)
        AppendCell()->CopyFrom(*cell, insertBeside);
}

TReportCell* TReportLine::InsertCell(std::size_t position) {
    auto cell = std::make_unique<TReportCell>();
    cell->OwnerLine = this;
    return Cells.insert(Cells.begin() + std::ptrdiff_t(position), std::move(cell))->get();
}

void TReportLine::RemoveCell(const TReportCell* cell) {
    const int index = IndexOf(cell);
    if (index >= 0)
        Cells.erase(Cells.begin() + index);
}

int TReportLine::IndexOf(const TReportCell* cell) const {
    const auto found =
        std::ranges::find_if(Cells, [cell](const auto& own) { return own.get() == cell; });
    return found == Cells.end() ? -1 : int(found - Cells.begin());
}

} // namespace kx
