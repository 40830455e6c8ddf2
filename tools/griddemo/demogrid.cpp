#include "tools/griddemo/demogrid.h"

namespace kx {
namespace {

quint64 Key(int col, int row) {
    return quint64(quint32(col)) << 32 | quint32(row);
}

} // namespace

TDemoGrid::TDemoGrid(int rows, QWidget* parent) : TCustomGridX(parent) {
    SetColCount(30);
    SetRowCount(kTitleRows + rows);
    SetFixedCols(2);
    SetFrozenCols(1);
    SetFixedRows(kTitleRows);
    SetColWidths(0, 48);
    SetOptions(Options() | goColSizing | goRowSizing | goColMoving | goRowMoving | goEditing |
               goTabs | goThumbTracking);
}

QString TDemoGrid::CellText(int col, int row) const {
    const auto it = edited_.constFind(Key(col, row));
    if (it != edited_.constEnd())
        return *it;
    if (row < FixedRows() && col >= FixedCols() - FrozenCols())
        return row == 0 ? QStringLiteral("Column %1").arg(col) : QStringLiteral("#%1").arg(col);
    if (col < FixedCols() - FrozenCols())
        return row < FixedRows() ? QString() : QString::number(row);
    return QStringLiteral("%1,%2").arg(col).arg(row);
}

void TDemoGrid::DrawCell(int col, int row, const ui::TRect& rect, TGridDrawState) {
    Canvas().TextRect(rect, rect.Left + 2, rect.Top + 2, CellText(col, row));
}

QString TDemoGrid::GetEditText(int col, int row) {
    return CellText(col, row);
}

void TDemoGrid::SetEditText(int col, int row, const QString& value) {
    edited_.insert(Key(col, row), value);
    InvalidateCell(col, row);
}

} // namespace kx

#include "moc_demogrid.cpp"
