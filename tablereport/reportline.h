#pragma once
// One line of a table report: its cells, packed from the left margin, and
// its height, the larger of what the user dragged and what the cells need.

#include "tablereport/reportcell.h"
#include "tablereport/reportrect.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kx {

class TReportControl;
class TTextMeasurer;

class TReportLine {
public:
    // A line of the filler belongs to no control: its first cell keeps its
    // own left edge.
    TReportLine(TReportControl* control, TTextMeasurer* measurer)
        : Control(control), Measurer(measurer) {}
    TReportLine(const TReportLine&) = delete;
    TReportLine& operator=(const TReportLine&) = delete;
    ~TReportLine() = default;

    TReportControl* Control;
    TTextMeasurer* Measurer;
    std::vector<std::unique_ptr<TReportCell>> Cells;
    int32_t LineIndex = 0;
    int32_t ContentHeight = 0;
    int32_t UserHeight = 0;
    TRect LineRect;

    int32_t LineTop() const { return lineTop_; }
    int32_t Height() const { return std::max(UserHeight, ContentHeight); }

    void UpdateHeight();
    TRect CalcRect();
    void SetTop(int32_t top);
    void SetUserHeight(int32_t height) { UserHeight = height; }
    void CreateCells(int32_t left, int count, int32_t totalWidth);
    void CopyCells(const TReportLine& source, bool insertBeside);

    TReportCell* InsertCell(std::size_t position);
    TReportCell* AppendCell() { return InsertCell(Cells.size()); }
    void RemoveCell(const TReportCell* cell);
    int IndexOf(const TReportCell* cell) const;

private:
    int32_t lineTop_ = 0;
};

} // namespace kx
