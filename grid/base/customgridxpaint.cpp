#include "grid/base/customgridx.h"

#include "grid/base/gridaxis.h"
#include "grid/base/inplaceedit.h"

#include <algorithm>

namespace kx {

using namespace ui;
using namespace gridaxis;

// Painting

// One paint of the grid: lines, cells, focus, background and the contra
// cells, area by area, with the line buffer sized once from the visible counts.
class TCustomGridX::TPainter {
public:
    TPainter(TCustomGridX& grid, TCanvas& canvas)
        : grid_(grid), canvas_(canvas), colors_(grid.LineColors()) {
        grid_.CalcDrawInfo(layout_);
        focused_ = grid_.IsActiveControl();
        selection_ = grid_.Selection();
        editorShown_ = grid_.editor_ && grid_.editor_->GetVisible();
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        visibleCount_ = std::max(h.LastFullVisibleCell + grid_.fixedCols_ - grid_.topLeft_.X,
                                 v.LastFullVisibleCell + grid_.fixedRows_ - grid_.topLeft_.Y);
    }

    void Run() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const bool contra = h.ContraCellCount > 0 || v.ContraCellCount > 0;
        TClip saved;
        if (contra) {
            saved = canvas_.Clip();
            canvas_.IntersectClipRect({0, 0, h.ContraBoundary, v.ContraBoundary});
        }
        SetCapacity(3 + visibleCount_);
        if (h.LineWidth > 0 || v.LineWidth > 0)
            MainLines();
        MainCells();
        RowSelectFocus();
        Background();
        if (contra) {
            canvas_.SetClip(saved);
            SetCapacity(3 + std::max({visibleCount_, h.ContraCellCount, v.ContraCellCount}));
            ContraLines();
            ContraCells();
            ContraBackground();
        }
    }

private:
    struct Area {
        TRect bounds;
        TGridCoord first;
        TColor offColor;
        bool fixedLines;
    };

    void SetCapacity(int capacity) {
        capacity_ = capacity;
        points_.reserve(size_t(2 * capacity + 6));
        counts_.assign(size_t(capacity + 3), 2);
    }

    TColor LineColorOf(TGridCoord first) { return colors_.CellLineColor(first.X, first.Y); }

    // Lines of one area; lastCol and lastRow limit the cells whose lines are drawn.
    void Lines(const Area& area, int lastCol, int lastRow) {
        const TRect& b = area.bounds;
        if (b.Left >= b.Right || b.Top >= b.Bottom)
            return;
        const TGridOptionsX options = grid_.options_;
        const bool horzOn = options & (area.fixedLines ? goFixedHorzLine : goHorzLine);
        const bool vertOn = options & (area.fixedLines ? goFixedVertLine : goVertLine);
        const TColor onColor = LineColorOf(area.first);
        if (horzOn) {
            AxisLines(layout_.Horz, true, area, lastCol, vertOn ? onColor : area.offColor);
            AxisLines(layout_.Vert, false, area, lastRow, horzOn ? onColor : area.offColor);
        } else {
            AxisLines(layout_.Vert, false, area, lastRow, area.offColor);
            AxisLines(layout_.Horz, true, area, lastCol, vertOn ? onColor : area.offColor);
        }
    }

    void AxisLines(const TGridAxisLayoutX& axis, bool vertical, const Area& area, int lastCell,
                   TColor color) {
        if (axis.LineWidth == 0)
            return;
        const TRect& b = area.bounds;
        int cell = vertical ? area.first.X : area.first.Y;
        while (axis.Span(cell) == 0 && cell <= lastCell)
            ++cell;
        int line = (vertical ? b.Left : b.Top) + axis.LineWidth / 2 + axis.Extent(cell);
        const int stop = (vertical ? b.Right : b.Bottom) + axis.LineWidth;
        points_.clear();
        int lines = 0;
        do {
            if (vertical) {
                points_.emplace_back(line, b.Top);
                points_.emplace_back(line, b.Bottom);
            } else {
                points_.emplace_back(b.Left, line);
                points_.emplace_back(b.Right, line);
            }
            ++lines;
            int step;
            do {
                ++cell;
                step = axis.Span(cell);
            } while (step <= 0 && cell <= lastCell);
            line += step;
        } while (line <= stop && cell <= lastCell && lines <= capacity_);
        canvas_.SetPenWidth(grid_.gridLineWidth_);
        canvas_.SetPenStyle(TPenStyle::psSolid);
        canvas_.SetPenColor(color);
        canvas_.PolyPolyline(points_.data(), counts_.data(), lines);
    }

    // A single border line, as wide as the grid's lines.
    void Border(QPoint from, QPoint to, TColor color) {
        canvas_.SetPenWidth(grid_.gridLineWidth_);
        canvas_.SetPenStyle(TPenStyle::psSolid);
        canvas_.SetPenColor(color);
        const QPoint line[2] = {from, to};
        canvas_.Polyline(line, 2);
    }

    void MainLines() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const int fixedCols = grid_.fixedCols_, fixedRows = grid_.fixedRows_;
        const int frozenCols = grid_.frozenCols_, frozenRows = grid_.frozenRows_;
        const TColor fixedColor = grid_.fixedColor_;
        const TGridCoord topLeft = grid_.topLeft_;
        const int lastCol = h.LastFullVisibleCell, lastRow = v.LastFullVisibleCell;
        const int frozenCol = fixedCols - frozenCols, frozenRow = fixedRows - frozenRows;
        Lines({{0, 0, h.FixedBoundary, v.StaticBoundary}, {0, 0}, fixedColor, true}, lastCol,
              lastRow);
        Lines({{0, v.StaticBoundary, h.StaticBoundary, v.FixedBoundary},
               {0, frozenRow},
               fixedColor,
               true},
              lastCol, lastRow);
        Lines({{h.StaticBoundary, v.StaticBoundary, h.FixedBoundary - 1, v.FixedBoundary - 1},
               {frozenCol, frozenRow},
               fixedColor,
               true},
              lastCol, lastRow);
        if (frozenRows > 0)
            Border({h.StaticBoundary, v.FixedBoundary - 1}, {h.FixedBoundary, v.FixedBoundary - 1},
                   colors_.FrozenRowBorderColor(fixedRows - 1));
        if (frozenCols > 0)
            Border({h.FixedBoundary - 1, v.StaticBoundary}, {h.FixedBoundary - 1, v.FixedBoundary},
                   colors_.FrozenColBorderColor(fixedCols - 1));
        Lines({{h.FixedBoundary, 0, h.GridBoundary, v.StaticBoundary},
               {topLeft.X, 0},
               fixedColor,
               true},
              lastCol, lastRow);
        Lines({{h.FixedBoundary, v.StaticBoundary, h.GridBoundary, v.FixedBoundary},
               {topLeft.X, frozenRow},
               fixedColor,
               true},
              lastCol, lastRow);
        if (frozenRows > 0)
            Border({h.FixedBoundary, v.FixedBoundary - 1}, {h.GridBoundary, v.FixedBoundary - 1},
                   colors_.FrozenRowBorderColor(fixedRows - 1));
        Lines({{0, v.FixedBoundary, h.StaticBoundary, v.GridBoundary},
               {0, topLeft.Y},
               fixedColor,
               true},
              lastCol, lastRow);
        Lines({{h.StaticBoundary, v.FixedBoundary, h.FixedBoundary - 1, v.GridBoundary},
               {frozenCol, topLeft.Y},
               fixedColor,
               true},
              lastCol, lastRow);
        if (frozenCols > 0)
            Border({h.FixedBoundary - 1, v.FixedBoundary}, {h.FixedBoundary - 1, v.GridBoundary},
                   colors_.FrozenColBorderColor(fixedCols - 1));
        Lines({{h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary},
               topLeft,
               grid_.Color(),
               false},
              lastCol, lastRow);
    }

    void Cell(int col, int row, const TRect& rect, TGridDrawState state, TColor color,
              bool contra) {
        const TGridOptionsX options = grid_.options_;
        if (!contra) {
            if (focused_ && col == grid_.current_.X && row == grid_.current_.Y)
                state |= gdFocused;
            if (PointInGridRect(col, row, selection_))
                state |= gdSelected;
        }
        if ((state & gdFocused) && (options & goEditing) && editorShown_)
            return;
        const bool defaultDrawing = grid_.defaultDrawing_;
        if (defaultDrawing) {
            canvas_.SetFont(grid_.font());
            if ((state & gdSelected) &&
                (!(state & gdFocused) || (options & (goDrawFocusSelected | goRowSelect)))) {
                canvas_.SetBrushColor(clHighlight);
                canvas_.SetFontColor(clHighlightText);
            } else {
                canvas_.SetBrushColor(color);
                canvas_.SetFontColor(clWindowText);
            }
            canvas_.FillRect(rect);
        }
        grid_.DrawCell(col, row, rect, state);
        const bool vertEdges = options & goFixedVertLine;
        const bool horzEdges = options & goFixedHorzLine;
        if (defaultDrawing && (state & gdFixed) && (vertEdges || horzEdges)) {
            TRect frame = rect;
            if (!vertEdges)
                frame.Right += layout_.Horz.LineWidth;
            else if (!horzEdges)
                frame.Bottom += layout_.Vert.LineWidth;
            grid_.DrawEdgeX(canvas_, frame, true, true, false);
        }
        if (defaultDrawing && (state & gdFocused) &&
            !((options & goEditing) && (options & goAlwaysShowEditor)) && !(options & goRowSelect))
            canvas_.DrawFocusRect(rect);
    }

    // The cells of one area, from its first cell and top-left pixel to its
    // right and bottom bounds.
    void Cells(TGridCoord first, TRect bounds, TGridDrawState state, TColor color,
               bool contra = false) {
        const int colLimit = contra ? grid_.FullColCount() : grid_.colCount_;
        const int rowLimit = contra ? grid_.FullRowCount() : grid_.rowCount_;
        int y = bounds.Top;
        for (int row = first.Y; y < bounds.Bottom && row < rowLimit; ++row) {
            const int height = grid_.GetRowHeights(row);
            int x = bounds.Left;
            for (int col = first.X; x < bounds.Right && col < colLimit; ++col) {
                const int width = grid_.GetColWidths(col);
                const TRect rect{x, y, x + width, y + height};
                if (width > 0 && canvas_.RectVisible(rect))
                    Cell(col, row, rect, state, color, contra);
                x += layout_.Horz.Span(col);
            }
            y += layout_.Vert.Span(row);
        }
    }

    void MainCells() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const TColor fixedColor = grid_.fixedColor_;
        const TColor color = grid_.Color();
        const TGridCoord topLeft = grid_.topLeft_;
        const int frozenCol = grid_.fixedCols_ - grid_.frozenCols_;
        const int frozenRow = grid_.fixedRows_ - grid_.frozenRows_;
        const int dataLeft = h.FixedBoundary - grid_.colOffset_;
        Cells({0, 0}, {0, 0, h.FixedBoundary, v.StaticBoundary}, gdFixed, fixedColor);
        Cells({0, frozenRow}, {0, v.StaticBoundary, h.StaticBoundary, v.FixedBoundary}, gdFixed,
              fixedColor);
        Cells({frozenCol, frozenRow},
              {h.StaticBoundary, v.StaticBoundary, h.FixedBoundary, v.FixedBoundary}, 0, color);
        Cells({topLeft.X, 0}, {dataLeft, 0, h.GridBoundary, v.StaticBoundary}, gdFixed, fixedColor);
        Cells({topLeft.X, frozenRow}, {dataLeft, v.StaticBoundary, h.GridBoundary, v.FixedBoundary},
              0, color);
        Cells({0, topLeft.Y}, {0, v.FixedBoundary, h.StaticBoundary, v.GridBoundary}, gdFixed,
              fixedColor);
        Cells({frozenCol, topLeft.Y},
              {h.StaticBoundary, v.FixedBoundary, h.FixedBoundary, v.GridBoundary}, 0, color);
        Cells(topLeft, {dataLeft, v.FixedBoundary, h.GridBoundary, v.GridBoundary}, 0, color);
    }

    void RowSelectFocus() {
        if (!(grid_.options_ & goRowSelect) || !grid_.defaultDrawing_ || !grid_.Focused())
            return;
        TRect rect;
        grid_.GridRectToScreenRect(selection_, rect, false);
        canvas_.DrawFocusRect(rect);
    }

    void Fill(const TRect& rect) {
        canvas_.SetBrushColor(grid_.Color());
        canvas_.FillRect(rect);
    }

    void Background() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        if (h.GridBoundary < h.GridExtent)
            Fill({h.GridBoundary, 0, h.GridExtent, v.GridBoundary});
        if (v.GridBoundary < v.GridExtent)
            Fill({0, v.GridBoundary, h.GridExtent, v.GridExtent});
    }

    void ContraLines() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const int fixedCols = grid_.fixedCols_, fixedRows = grid_.fixedRows_;
        const int colCount = grid_.colCount_, rowCount = grid_.rowCount_;
        const int frozenCol = fixedCols - grid_.frozenCols_;
        const int frozenRow = fixedRows - grid_.frozenRows_;
        const TColor fixedColor = grid_.fixedColor_;
        const TColor color = grid_.Color();
        const TGridCoord topLeft = grid_.topLeft_;
        const int lastContraCol = h.FullCellCount - 1, lastContraRow = v.FullCellCount - 1;
        const int contraTop = v.ContraBoundary + v.LineWidth;
        const int contraLeft = h.ContraBoundary + h.LineWidth;
        if (v.ContraCellCount > 0) {
            const TColor border = colors_.ContraRowBorderColor(rowCount);
            Lines(
                {{0, contraTop, h.StaticBoundary, v.ClientExtent}, {0, rowCount}, fixedColor, true},
                h.LastFullVisibleCell, lastContraRow);
            Lines({{h.StaticBoundary, contraTop, h.FixedBoundary, v.ClientExtent},
                   {frozenCol, rowCount},
                   fixedColor,
                   true},
                  h.LastFullVisibleCell, lastContraRow);
            if (grid_.frozenCols_ > 0)
                Border({h.FixedBoundary - 1, contraTop}, {h.FixedBoundary - 1, v.ClientExtent},
                       colors_.FrozenColBorderColor(fixedCols - 1));
            Border({0, v.ContraBoundary}, {h.FixedBoundary, v.ContraBoundary}, border);
            Lines({{h.FixedBoundary, contraTop, h.GridBoundary, v.ClientExtent},
                   {topLeft.X, rowCount},
                   color,
                   false},
                  h.LastFullVisibleCell, lastContraRow);
            Border({h.FixedBoundary, v.ContraBoundary}, {h.GridBoundary, v.ContraBoundary}, border);
        }
        if (h.ContraCellCount > 0) {
            const TColor border = colors_.ContraColBorderColor(colCount);
            Lines({{contraLeft, 0, h.ClientExtent, v.StaticBoundary},
                   {colCount, 0},
                   fixedColor,
                   true},
                  lastContraCol, v.LastFullVisibleCell);
            Lines({{contraLeft, v.StaticBoundary, h.ClientExtent, v.FixedBoundary},
                   {colCount, frozenRow},
                   fixedColor,
                   true},
                  lastContraCol, v.LastFullVisibleCell);
            if (grid_.frozenRows_ > 0)
                Border({contraLeft, v.FixedBoundary - 1}, {h.ClientExtent, v.FixedBoundary - 1},
                       colors_.FrozenRowBorderColor(fixedRows - 1));
            Border({h.ContraBoundary, 0}, {h.ContraBoundary, v.FixedBoundary}, border);
            Lines({{contraLeft, v.FixedBoundary, h.ClientExtent, v.GridBoundary},
                   {colCount, topLeft.Y},
                   color,
                   false},
                  lastContraCol, v.LastFullVisibleCell);
            Border({h.ContraBoundary, v.FixedBoundary}, {h.ContraBoundary, v.GridBoundary}, border);
        }
        if (h.ContraCellCount > 0 && v.ContraCellCount > 0) {
            Lines({{contraLeft, contraTop, h.ClientExtent, v.ClientExtent},
                   {colCount, rowCount},
                   color,
                   false},
                  lastContraCol, lastContraRow);
            Border({h.ContraBoundary, v.ContraBoundary}, {h.ClientExtent, v.ContraBoundary},
                   colors_.ContraRowBorderColor(rowCount));
            Border({h.ContraBoundary, v.ContraBoundary}, {h.ContraBoundary, v.ClientExtent},
                   colors_.ContraColBorderColor(colCount));
        }
    }

    // Cells clipped to a rectangle, so that they stay out of the other
    // axis's contra cells.
    void ClippedCells(TGridCoord first, TRect bounds, TColor color, const TRect& clip) {
        const TClip saved = canvas_.Clip();
        canvas_.IntersectClipRect(clip);
        Cells(first, bounds, 0, color, true);
        canvas_.SetClip(saved);
    }

    void ContraCells() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        const int colCount = grid_.colCount_, rowCount = grid_.rowCount_;
        const int frozenCol = grid_.fixedCols_ - grid_.frozenCols_;
        const int frozenRow = grid_.fixedRows_ - grid_.frozenRows_;
        const TColor fixedColor = grid_.fixedColor_;
        const TColor color = grid_.Color();
        const TGridCoord topLeft = grid_.topLeft_;
        const int contraTop = v.ContraBoundary + v.LineWidth;
        const int contraLeft = h.ContraBoundary + h.LineWidth;
        if (v.ContraCellCount > 0) {
            Cells({0, rowCount}, {0, contraTop, h.StaticBoundary, v.ClientExtent}, gdFixed,
                  fixedColor, true);
            Cells({frozenCol, rowCount},
                  {h.StaticBoundary, contraTop, h.FixedBoundary, v.ClientExtent}, 0, color, true);
            ClippedCells(
                {topLeft.X, rowCount},
                {h.FixedBoundary - grid_.colOffset_, contraTop, h.GridBoundary, v.ClientExtent},
                color, {0, 0, h.GridBoundary, v.ClientExtent});
        }
        if (h.ContraCellCount > 0) {
            Cells({colCount, 0}, {contraLeft, 0, h.ClientExtent, v.StaticBoundary}, gdFixed,
                  fixedColor, true);
            Cells({colCount, frozenRow},
                  {contraLeft, v.StaticBoundary, h.ClientExtent, v.FixedBoundary}, 0, color, true);
            ClippedCells({colCount, topLeft.Y},
                         {contraLeft, v.FixedBoundary, h.ClientExtent, v.GridBoundary}, color,
                         {0, 0, h.ClientExtent, v.GridBoundary});
        }
        if (h.ContraCellCount > 0 && v.ContraCellCount > 0)
            Cells({colCount, rowCount}, {contraLeft, contraTop, h.ClientExtent, v.ClientExtent}, 0,
                  color, true);
    }

    void ContraBackground() {
        const TGridAxisLayoutX& h = layout_.Horz;
        const TGridAxisLayoutX& v = layout_.Vert;
        if (h.ContraCellCount > 0 && v.GridBoundary < v.GridExtent)
            Fill({h.ContraBoundary, v.GridBoundary, h.ClientExtent, v.GridExtent});
        if (v.ContraCellCount > 0 && h.GridBoundary < h.GridExtent)
            Fill({h.GridBoundary, v.ContraBoundary, h.ContraBoundary, v.ClientExtent});
    }

    TCustomGridX& grid_;
    TCanvas& canvas_;
    TGridLineColorsX& colors_;
    TGridLayoutX layout_;
    bool focused_ = false;
    bool editorShown_ = false;
    TGridRect selection_;
    int visibleCount_ = 0;
    int capacity_ = 0;
    std::vector<QPoint> points_;
    std::vector<int> counts_;
};

void TCustomGridX::Paint() {
    if (GridLocked())
        return;
    TPainter(*this, Canvas()).Run();
}

void TCustomGridX::DrawEdgeX(TCanvas& canvas, const TRect& rect, bool bottomRight, bool topLeft,
                             bool down) const {
    const unsigned edge = down ? BDR_SUNKENINNER : BDR_RAISEDINNER;
    const unsigned topLeftSides = topLeft ? BF_TOPLEFT : BF_TOP;
    if (!flat_) {
        if (bottomRight && topLeft) {
            canvas.DrawEdge(rect, edge, BF_RECT);
        } else {
            canvas.DrawEdge(rect, edge, topLeftSides);
            canvas.DrawEdge(rect, edge, bottomRight ? BF_BOTTOMRIGHT : BF_BOTTOM);
        }
        return;
    }
    if (bottomRight) {
        canvas.SetPenColor(canvas.BrushColor());
        canvas.SetPenWidth(1);
        canvas.SetPenStyle(TPenStyle::psSolid);
        const QPoint line[3] = {{rect.Left, rect.Bottom - 1},
                                {rect.Right - 1, rect.Bottom - 1},
                                {rect.Right - 1, rect.Top - 1}};
        canvas.Polyline(line, 3);
    }
    canvas.DrawEdge(rect, edge, topLeftSides);
}

} // namespace kx
