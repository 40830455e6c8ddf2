// The edit operations of the page: lines and cells added, inserted, deleted,
// merged and split, and the attributes of the selected cells.

#include "platform/ui/messagedialog.h"
#include "tablereport/reportcontrol.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace kx {
namespace {

TRect GrownByOne(const TRect& rect) {
    return {rect.Left - 1, rect.Top - 1, rect.Right + 1, rect.Bottom + 1};
}

// The selected cells of one line, in line order.
using TLineCells = std::map<int, std::vector<TReportCell*>>;

} // namespace

void TReportControl::NewTable(int columns, int rows) {
    if (!Lines.empty()) {
        ui::ShowMessageDialog(nullptr, QStringLiteral("警告"),
                              QStringLiteral("关闭正在编辑的报表后，才能建立新表格。"),
                              ui::MessageIcon::Warning, ui::MessageButtons::Ok);
        return;
    }
    if (columns <= 0 || rows <= 0)
        return;
    TReportLine* first = AppendLine();
    first->CreateCells(LeftMarginPx, columns, PageWidth - LeftMarginPx - RightMarginPx);
    UpdateLines();
    for (int row = 1; row < rows; ++row)
        AddLine();
}

void TReportControl::AddLine() {
    if (Selection.size() > 1 || Lines.empty())
        return;
    const TReportLine& last = *Lines.back();
    TReportLine* line = AppendLine();
    line->CopyCells(last, false);
    line->SetTop(last.LineTop() + last.Height());
    UpdateLines();
}

void TReportControl::InsertLine() {
    if (Selection.empty())
        return;
    const TReportLine& source = *Selection.front()->OwnerLine;
    TReportLine* line = CreateLine(std::size_t(IndexOf(&source)));
    line->CopyCells(source, true);
    line->SetTop(source.LineTop());
    UpdateLines();
}

void TReportControl::DeleteLine() {
    if (Selection.empty())
        return;
    std::vector<bool> marked(Lines.size());
    for (const TReportCell* cell : Selection)
        marked[std::size_t(IndexOf(cell->OwnerLine))] = true;
    ClearSelection();
    for (std::size_t i = Lines.size(); i-- > 0;) {
        if (!marked[i])
            continue;
        Invalidate(GrownByOne(Lines[i]->LineRect));
        for (auto& cell : Lines[i]->Cells) {
            if (cell->MergeOwner)
                cell->MergeOwner->RemoveMergedCell(cell.get());
            cell->ReleaseMergedCells();
        }
        Lines.erase(Lines.begin() + std::ptrdiff_t(i));
    }
    UpdateLines();
}

void TReportControl::CombineCells() {
    if (Selection.size() < 2)
        return;
    std::vector<TReportCell*> cells = Selection;
    for (const TReportCell* cell : Selection)
        for (TReportCell* merged : cell->MergedCells)
            if (std::ranges::find(cells, merged) == cells.end())
                cells.push_back(merged);
    TLineCells byLine;
    for (TReportCell* cell : cells)
        byLine[IndexOf(cell->OwnerLine)].push_back(cell);
    // Only a rectangle merges: whole runs of cells with the same edges on
    // consecutive lines.
    std::optional<std::pair<int32_t, int32_t>> edges;
    for (auto& [lineIndex, lineCells] : byLine) {
        std::ranges::sort(lineCells, {}, [](const TReportCell* c) { return c->CellIndex; });
        const int32_t left = lineCells.front()->CellLeft();
        const int32_t right = lineCells.back()->CellRight();
        int32_t width = 0;
        for (const TReportCell* cell : lineCells)
            width += cell->CellWidth();
        if ((edges && *edges != std::pair{left, right}) || width != right - left)
            return;
        edges = {left, right};
    }
    if (byLine.rbegin()->first - byLine.begin()->first + 1 != int(byLine.size()))
        return;

    std::vector<TReportCell*> kept;
    for (auto& [lineIndex, lineCells] : byLine) {
        TReportCell* first = lineCells.front();
        int32_t width = first->CellWidth();
        for (auto it = lineCells.begin() + 1; it != lineCells.end(); ++it) {
            width += (*it)->CellWidth();
            (*it)->OwnerLine->RemoveCell(*it);
        }
        first->SetWidth(width);
        kept.push_back(first);
    }
    TReportCell* owner = kept.front();
    for (TReportCell* cell : kept)
        if (cell->MergeOwner && cell->MergeOwner != owner)
            cell->MergeOwner->RemoveMergedCell(cell);
    for (auto it = kept.begin() + 1; it != kept.end(); ++it)
        owner->AddMergedCell(*it);
    ClearSelection();
    SelectCell(owner);
    UpdateLines();
}

void TReportControl::SplitCell() {
    if (Selection.size() != 1 || Selection.front()->MergedCells.empty())
        return;
    TReportCell* cell = Selection.front();
    for (const TReportCell* merged : cell->MergedCells)
        Invalidate(merged->CellRect);
    cell->ReleaseMergedCells();
    UpdateLines();
}

void TReportControl::VSplitCell(int count) {
    if (Selection.size() != 1)
        return;
    TReportCell* cell = Selection.front();
    const int32_t total = cell->CellWidth();
    // A cell narrower than one piece still splits into at least itself.
    const int pieces = std::max(1, std::min(count, int(std::trunc(double(total) / 12 + 0.5))));
    const int32_t width = total / pieces;
    const int32_t remainder = total % pieces;
    cell->SetWidth(width);
    for (TReportCell* merged : cell->MergedCells)
        merged->SetWidth(width);
    for (int piece = 2; piece <= pieces; ++piece) {
        TReportLine* line = cell->OwnerLine;
        TReportCell* added = line->InsertCell(std::size_t(line->IndexOf(cell)) + 1);
        added->CopyFrom(*cell, false);
        added->SetWidth(piece == pieces ? width + remainder : width);
        for (TReportCell* merged : cell->MergedCells) {
            TReportLine* mergedLine = merged->OwnerLine;
            TReportCell* copy =
                mergedLine->InsertCell(std::size_t(mergedLine->IndexOf(merged)) + 1);
            copy->CopyFrom(*added, false);
            added->AddMergedCell(copy);
        }
    }
    UpdateLines();
}

void TReportControl::AddCell() {
    if (Selection.size() != 1)
        return;
    TReportLine* line = Selection.front()->OwnerLine;
    const TReportCell& last = *line->Cells.back();
    TReportCell* added = line->AppendCell();
    // A copy of a merged cell stays out of the merge: its owner would span
    // this line twice.
    added->CopyAttributes(last);
    added->SetLeft(last.CellRight());
    UpdateLines();
}

void TReportControl::InsertCell() {
    if (Selection.size() != 1)
        return;
    TReportCell* cell = Selection.front();
    TReportLine* line = cell->OwnerLine;
    line->InsertCell(std::size_t(line->IndexOf(cell)))->CopyAttributes(*cell);
    UpdateLines();
}

void TReportControl::DeleteCell() {
    if (Selection.empty())
        return;
    const std::vector<TReportCell*> cells = Selection;
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        // A cell freed with an owner deleted before it has left the selection.
        if (!IsCellSelected(*it))
            continue;
        TReportCell* cell = *it;
        const std::vector<TReportCell*> merged = std::move(cell->MergedCells);
        cell->MergedCells.clear();
        for (TReportCell* inner : merged) {
            inner->MergeOwner = nullptr;
            inner->OwnerLine->RemoveCell(inner);
        }
        cell->OwnerLine->RemoveCell(cell);
    }
    Selection.clear();
    std::erase_if(Lines, [](const auto& line) { return line->Cells.empty(); });
    UpdateLines();
    Invalidate({0, 0, PageWidth, PageHeight});
}

void TReportControl::SetCellFontColor(uint32_t color) {
    for (TReportCell* cell : Selection) {
        cell->SetTextColor(color);
        Invalidate(cell->CellRect);
    }
}

void TReportControl::SetCellColors(uint32_t textColor, uint32_t backColor) {
    for (TReportCell* cell : Selection) {
        cell->SetBackColor(backColor);
        cell->SetTextColor(textColor);
        Invalidate(cell->CellRect);
    }
}

void TReportControl::SetCellAlign(int32_t horzAlign, int32_t vertAlign) {
    for (TReportCell* cell : Selection) {
        cell->HorzAlign = horzAlign;
        cell->VertAlign = vertAlign;
        Invalidate(cell->CellRect);
    }
    UpdateLines();
}

void TReportControl::SetCellDiagonal(int32_t diagonal) {
    for (TReportCell* cell : Selection) {
        cell->Diagonal = diagonal;
        Invalidate(cell->CellRect);
    }
}

void TReportControl::SetCellFont(const TLogFont& font) {
    for (TReportCell* cell : Selection) {
        cell->SetFont(font);
        Invalidate(GrownByOne(cell->CellRect));
    }
    UpdateLines();
}

void TReportControl::SetCellBorders(const TBorder& left, const TBorder& top, const TBorder& right,
                                    const TBorder& bottom) {
    for (TReportCell* cell : Selection) {
        cell->SetLeftLine(left.Line);
        cell->SetLeftLineWidth(left.Width);
        cell->SetTopLine(top.Line);
        cell->SetTopLineWidth(top.Width);
        cell->SetRightLine(right.Line);
        cell->SetRightLineWidth(right.Width);
        cell->SetBottomLine(bottom.Line);
        cell->SetBottomLineWidth(bottom.Width);
        Invalidate(GrownByOne(cell->CellRect));
    }
    UpdateLines();
}

void TReportControl::SetCellDispFormat(const QString& format) {
    for (TReportCell* cell : Selection)
        cell->SetDisplayFormat(format);
}

void TReportControl::SetSelectedCellsText(const QString& text) {
    for (TReportCell* cell : Selection)
        cell->SetCellText(text);
}

} // namespace kx

namespace kx {
namespace {

TReportCell* RightNeighbour(const TReportCell* cell) {
    const auto& cells = cell->OwnerLine->Cells;
    const auto index = std::size_t(cell->OwnerLine->IndexOf(cell)) + 1;
    return index < cells.size() ? cells[index].get() : nullptr;
}

} // namespace

void TReportControl::SelectRect(QPoint start, QPoint current, bool keepOthers) {
    if (TReportCell* first = CellAt(start); first && !IsCellSelected(first))
        SelectCell(first);
    TRect area{std::min(start.x(), current.x()), std::min(start.y(), current.y()),
               std::max(start.x(), current.x()), std::max(start.y(), current.y())};
    area.Right = std::max(area.Right, area.Left + 1);
    area.Bottom = std::max(area.Bottom, area.Top + 1);
    if (!keepOthers) {
        const std::vector<TReportCell*> selected = Selection;
        for (TReportCell* cell : selected)
            if (!cell->CellRect.Intersects(area))
                DeselectCell(cell);
    }
    for (const auto& line : Lines) {
        if (!line->LineRect.Intersects(area))
            continue;
        for (const auto& cell : line->Cells) {
            if (!cell->CellRect.Intersects(area))
                continue;
            TReportCell* chosen = cell->MergeOwner ? cell->MergeOwner : cell.get();
            if (!IsCellSelected(chosen))
                SelectCell(chosen);
        }
    }
}

TReportLine* TReportControl::LineToResize(const TReportCell* cell) const {
    const TReportCell* lowest = cell;
    for (const TReportCell* merged : cell->MergedCells)
        if (lowest == cell || merged->LineTop() > lowest->LineTop())
            lowest = merged;
    return lowest->OwnerLine;
}

void TReportControl::ResizeLine(const TReportCell* cell, int32_t y) {
    TReportLine* line = LineToResize(cell);
    y = std::max(cell->LineTop() + 5, std::min(y, ControlHeight - 10));
    for (const auto& own : line->Cells)
        if (own.get() == cell || own->MergeOwner == cell)
            own->CalcHeight();
    line->SetUserHeight(y - line->LineTop());
    UpdateLines();
}

TReportControl::TColumnDrag TReportControl::BeginColumnResize(TReportCell* cell) const {
    TColumnDrag drag;
    const int32_t edge = cell->CellRight();
    const TReportCell* next = RightNeighbour(cell);
    const bool involved = IsCellSelected(cell) ||
                          (next && (IsCellSelected(next) || IsCellSelected(next->MergeOwner)));
    for (const auto& line : Lines) {
        for (const auto& own : line->Cells) {
            if (own->CellRight() != edge)
                continue;
            const TReportCell* neighbour = RightNeighbour(own.get());
            if (!involved || IsCellSelected(own.get()) || IsCellSelected(neighbour)) {
                drag.Cells.push_back(own.get());
                break;
            }
        }
    }
    drag.Low = 0;
    drag.High = next ? std::numeric_limits<int32_t>::max() : ControlWidth - 10;
    for (const TReportCell* moving : drag.Cells) {
        drag.Low = std::max(drag.Low, moving->CellLeft() + kMinCellWidth);
        if (const TReportCell* neighbour = RightNeighbour(moving))
            drag.High = std::min(drag.High, neighbour->CellRight() - kMinCellWidth);
    }
    return drag;
}

void TReportControl::EndColumnResize(const TColumnDrag& drag, int32_t x) {
    if (drag.Cells.empty() || drag.Low > drag.High)
        return;
    x = std::clamp(x, drag.Low, drag.High);
    std::vector<TReportCell*> cells = drag.Cells;
    for (const TReportCell* moving : drag.Cells)
        for (TReportCell* merged : moving->MergedCells)
            if (std::ranges::find(cells, merged) == cells.end())
                cells.push_back(merged);
    int32_t lowest = 0;
    for (const TReportCell* cell : cells)
        lowest = std::max(lowest, cell->CellRect.Bottom);
    const TReportCell* firstNeighbour = RightNeighbour(cells.front());
    if (firstNeighbour && firstNeighbour->MergeOwner)
        return;
    for (const TReportCell* cell : cells)
        if (const TReportCell* neighbour = RightNeighbour(cell);
            neighbour && neighbour->CellRect.Bottom > lowest)
            return;
    for (TReportCell* cell : cells) {
        const int32_t change = x - cell->CellLeft() - cell->CellWidth();
        cell->SetWidth(x - cell->CellLeft());
        if (TReportCell* neighbour = RightNeighbour(cell)) {
            neighbour->SetLeft(neighbour->CellLeft() + change);
            neighbour->SetWidth(neighbour->CellWidth() - change);
        }
        Invalidate(cell->CellRect);
    }
    UpdateLines();
}

} // namespace kx
