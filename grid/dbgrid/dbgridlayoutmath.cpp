#include "grid/dbgrid/dbgridlayoutmath.h"

#include "grid/base/customgridx.h"
#include "platform/sys/exception.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kx {

int ClampColumnWidth(int width, int minWidth, int maxWidth) {
    int clamped = maxWidth > 0 && maxWidth < width ? maxWidth : width;
    if (minWidth > 0 && clamped < minWidth)
        clamped = minWidth;
    return clamped;
}

namespace {

int AvailableSpace(const std::vector<TFitColumn>& columns, const std::vector<bool>& limited,
                   const TFitSpace& space) {
    int fixed = 0;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (!columns[i].AutoFit || limited[i])
            fixed += columns[i].Width;
    int available = std::max(std::max(space.MinAutoFitWidth, space.ClientWidth) - fixed, 0);
    available -= space.IndicatorWidth;
    if (space.ColLines)
        available -= static_cast<int>(columns.size());
    if (space.ColLines && space.IndicatorWidth > 0)
        available -= 1;
    return available;
}

} // namespace

void FitColumnWidths(std::vector<TFitColumn>& columns, const TFitSpace& space) {
    std::vector<bool> limited(columns.size(), false);
    int available = 0;
    int fitted = 0;
    for (std::size_t pass = 0; pass < columns.size(); ++pass) {
        available = AvailableSpace(columns, limited, space);
        int start = 0;
        int sharing = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i].AutoFit && !limited[i]) {
                start += columns[i].BaseWidth;
                ++sharing;
            }
        }
        // Base widths of 0 would divide by nothing: equal shares instead.
        const bool equalShares = start <= 0;
        fitted = 0;
        bool marked = false;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            TFitColumn& column = columns[i];
            if (!column.AutoFit || limited[i])
                continue;
            const int asked = equalShares ? MulDiv(1, available, sharing)
                                          : MulDiv(column.BaseWidth, available, start);
            column.Width = ClampColumnWidth(asked, column.MinWidth, column.MaxWidth);
            if (column.Width != asked) {
                limited[i] = true;
                marked = true;
            }
            fitted += column.Width;
        }
        if (!marked)
            break;
    }
    if (fitted == available)
        return;
    for (std::size_t i = columns.size(); i-- > 0;) {
        if (columns[i].AutoFit && !limited[i]) {
            columns[i].Width = std::max(columns[i].Width + available - fitted, 0);
            return;
        }
    }
}

int RescaledBaseWidth(int baseWidth, int width, int gridWidth) {
    if (gridWidth <= 0)
        return baseWidth;
    return static_cast<int>(std::lround(static_cast<double>(baseWidth) * width / gridWidth));
}

std::vector<int> ScaledWidths(const std::vector<int>& widths, int multiplier, int divider) {
    std::vector<int> scaled;
    scaled.reserve(widths.size());
    int previous = 0;
    int sum = 0;
    for (const int width : widths) {
        sum += width;
        scaled.push_back(MulDiv(sum, multiplier, divider) - MulDiv(previous, multiplier, divider));
        previous = sum;
    }
    return scaled;
}

TRowFit FitRowHeightToText(int rowHeight, int lineSpace, int textHeight) {
    if (textHeight <= 0)
        return {rowHeight, 0};
    const int rest = rowHeight - lineSpace;
    const int lines = rest / textHeight;
    const int remainder = rest % textHeight;
    const int wholeLines = remainder <= textHeight / 2 && lines > 0 ? lines : lines + 1;
    return {wholeLines * textHeight + lineSpace, wholeLines};
}

int HiddenFrozenCount(const std::vector<bool>& visible, int frozenCols) {
    const int count = static_cast<int>(visible.size());
    int hidden = 0;
    for (int i = 0; i < count && i < frozenCols + hidden; ++i)
        if (!visible[i])
            ++hidden;
    for (int i = frozenCols + hidden; i < count && !visible[i]; ++i)
        ++hidden;
    if (std::none_of(visible.begin(), visible.end(), [](bool shown) { return shown; }))
        --hidden;
    return std::max(hidden, 0);
}

TCellType GetCellType(int col, int row, const TCellTypeAxes& axes) {
    TCellType type{0, col, row};
    if (col >= axes.IndicatorOffset) {
        type.DataCol -= axes.IndicatorOffset;
        type.Kind |= ctDataColumn;
    }
    if (axes.Titles && row < 1)
        return type;
    const int filterRow = axes.Titles ? 1 : 0;
    if (axes.FilterRow && row == filterRow) {
        type.Kind |= ctFilterRow;
        type.DataRow -= filterRow;
    } else if (row >= axes.TitleOffset && row < axes.RowCount) {
        type.Kind |= ctDataRow;
        type.DataRow -= axes.TitleOffset;
    } else if (row >= axes.RowCount) {
        type.Kind |= ctFooterRow;
        type.DataRow = row - axes.RowCount;
    } else {
        throw Exception(QStringLiteral("Algorithm error in TCustomDBGridX.GetCellType"));
    }
    return type;
}

} // namespace kx
