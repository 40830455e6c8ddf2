#include "grid/base/customgridx.h"

#include "grid/base/gridaxis.h"
#include "grid/base/inplaceedit.h"
#include "grid/base/invalidgridoperationx.h"
#include "grid/base/streamerror.h"

#include <algorithm>
#include <cstdlib>

namespace kx {

using namespace ui;
using namespace gridaxis;

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const qint64 product = qint64(number) * numerator;
    const qint64 magnitude =
        (std::llabs(product) + std::llabs(denominator) / 2) / std::llabs(qint64(denominator));
    return int((product < 0) != (denominator < 0) ? -magnitude : magnitude);
}

TCustomGridX::TCustomGridX(QWidget* parent) : TCustomControl(parent) {
    SetColor(clWindow);
    resize(colCount_ * defaultColWidth_, rowCount_ * defaultRowHeight_);
    Initialize();
}

// The editor goes first, while the grid it reports to is still whole.
TCustomGridX::~TCustomGridX() {
    delete editor_;
    editor_ = nullptr;
}

TGridLineColorsX& TCustomGridX::LineColors() {
    if (!lineColors_)
        lineColors_ = CreateGridLineColors();
    return *lineColors_;
}

std::unique_ptr<TGridLineColorsX> TCustomGridX::CreateGridLineColors() {
    return std::make_unique<TGridLineColorsX>(*this);
}

// Counts and sizes

void TCustomGridX::SetColCount(int value) {
    if (value == colCount_)
        return;
    value = std::max(value, 1);
    if (fixedCols_ >= value)
        SetFixedCols(value - 1);
    if (contraColCount_ == 0)
        ChangeSize(value, rowCount_);
    else
        AdjustSize(std::min(colCount_, value), value - colCount_, false);
    if (options_ & goRowSelect) {
        anchor_.X = colCount_ - 1;
        InvalidateGrid();
    }
}

void TCustomGridX::SetRowCount(int value) {
    if (value == rowCount_)
        return;
    value = std::max(value, 1);
    if (fixedRows_ >= value)
        SetFixedRows(value - 1);
    if (contraRowCount_ == 0)
        ChangeSize(colCount_, value);
    else
        AdjustSize(std::min(rowCount_, value), value - rowCount_, true);
}

void TCustomGridX::SetFixedCols(int value) {
    if (value == fixedCols_)
        return;
    if (value < 0)
        InvalidGridOperation(SIndexOutOfRange);
    if (value >= colCount_)
        InvalidGridOperation(SFixedColTooBig);
    fixedCols_ = value;
    Initialize();
    InvalidateGrid();
}

void TCustomGridX::SetFixedRows(int value) {
    if (value == fixedRows_)
        return;
    if (value < 0)
        InvalidGridOperation(SIndexOutOfRange);
    if (value >= rowCount_)
        InvalidGridOperation(SFixedRowTooBig);
    fixedRows_ = value;
    Initialize();
    InvalidateGrid();
}

void TCustomGridX::SetFrozenCols(int value) {
    frozenCols_ = value;
    InvalidateGrid();
}

void TCustomGridX::SetContraColCount(int value) {
    if (value == contraColCount_)
        return;
    if (value < 0)
        InvalidGridOperation(SContraColNegative);
    ChangeContraSize(value, contraRowCount_);
}

void TCustomGridX::SetContraRowCount(int value) {
    if (value == contraRowCount_)
        return;
    if (value < 0)
        InvalidGridOperation(SContraRowNegative);
    ChangeContraSize(contraColCount_, value);
}

void TCustomGridX::ResizeAllExtents(std::vector<int>& widths, std::vector<int>& tabStops,
                                    std::vector<int>& heights) const {
    if (!colWidths_.empty())
        widths = ExtentsOfCount(colWidths_, FullColCount(), defaultColWidth_);
    if (!tabStops_.empty())
        tabStops = ExtentsOfCount(tabStops_, FullColCount(), 1);
    if (!rowHeights_.empty())
        heights = ExtentsOfCount(rowHeights_, FullRowCount(), defaultRowHeight_);
}

// A failed resize must not leave the new counts over the old arrays, where
// the footer count would then be believed: the old counts come back and the
// failure goes on to the caller.
void TCustomGridX::ChangeContraSize(int newContraColCount, int newContraRowCount) {
    const int oldContraCols = contraColCount_;
    const int oldContraRows = contraRowCount_;
    contraColCount_ = newContraColCount;
    contraRowCount_ = newContraRowCount;
    std::vector<int> widths, tabStops, heights;
    try {
        ResizeAllExtents(widths, tabStops, heights);
    } catch (...) {
        contraColCount_ = oldContraCols;
        contraRowCount_ = oldContraRows;
        throw;
    }
    if (!colWidths_.empty())
        colWidths_ = std::move(widths);
    if (!tabStops_.empty())
        tabStops_ = std::move(tabStops);
    if (!rowHeights_.empty())
        rowHeights_ = std::move(heights);
    InvalidateGrid();
    UpdateScrollRange();
}

int TCustomGridX::GetColWidths(int index) const {
    if (colWidths_.empty() || index < 0 || index >= std::min(FullColCount(), colWidths_[0]))
        return defaultColWidth_;
    return colWidths_[index + 1];
}

int TCustomGridX::GetRowHeights(int index) const {
    if (rowHeights_.empty() || index < 0 || index >= std::min(FullRowCount(), rowHeights_[0]))
        return defaultRowHeight_;
    return rowHeights_[index + 1];
}

bool TCustomGridX::GetTabStops(int index) const {
    if (tabStops_.empty() || index < 0 || index >= tabStops_[0])
        return true;
    return tabStops_[index + 1] != 0;
}

void TCustomGridX::SetColWidths(int index, int value) {
    if (index < 0 || index >= FullColCount())
        InvalidGridOperation(SIndexOutOfRange);
    if (colWidths_.empty())
        colWidths_ = ExtentsOfCount(colWidths_, FullColCount(), defaultColWidth_);
    if (colWidths_[index + 1] == value)
        return;
    InvalidateGrid();
    colWidths_[index + 1] = value;
    ColWidthsChanged();
}

void TCustomGridX::SetRowHeights(int index, int value) {
    if (index < 0 || index >= FullRowCount())
        InvalidGridOperation(SIndexOutOfRange);
    if (rowHeights_.empty())
        rowHeights_ = ExtentsOfCount(rowHeights_, FullRowCount(), defaultRowHeight_);
    if (rowHeights_[index + 1] == value)
        return;
    InvalidateGrid();
    rowHeights_[index + 1] = value;
    RowHeightsChanged();
}

void TCustomGridX::SetTabStops(int index, bool value) {
    if (index < 0 || index >= FullColCount())
        InvalidGridOperation(SIndexOutOfRange);
    if (tabStops_.empty())
        tabStops_ = ExtentsOfCount(tabStops_, FullColCount(), 1);
    tabStops_[index + 1] = value ? 1 : 0;
}

void TCustomGridX::SetDefaultRowHeight(int value) {
    rowHeights_.clear();
    defaultRowHeight_ = value;
    RowHeightsChanged();
    InvalidateGrid();
}

void TCustomGridX::SetGridLineWidth(int value) {
    if (value == gridLineWidth_)
        return;
    gridLineWidth_ = value;
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGridX::SetFixedColor(TColor value) {
    if (value == fixedColor_)
        return;
    fixedColor_ = value;
    InvalidateGrid();
}

void TCustomGridX::SetFlat(bool value) {
    if (value == flat_)
        return;
    flat_ = value;
    FlatChanged();
    InvalidateGrid();
}

void TCustomGridX::FlatChanged() {}

void TCustomGridX::SetBorderStyle(TBorderStyle value) {
    if (value == BorderStyle())
        return;
    TCustomControl::SetBorderStyle(value);
    UpdateScrollRange();
}

void TCustomGridX::SetScrollBars(TScrollStyle value) {
    if (value == ScrollBars())
        return;
    TCustomControl::SetScrollBars(value);
    UpdateScrollRange();
}

void TCustomGridX::SetOptions(TGridOptionsX value) {
    if (value == options_)
        return;
    if (value & goRowSelect)
        value &= ~goAlwaysShowEditor;
    options_ = value;
    SetThumbTracking(options_ & goThumbTracking);
    if (!editorMode_) {
        if (options_ & goAlwaysShowEditor)
            ShowEditor();
        else
            HideEditor();
    }
    if (options_ & goRowSelect)
        FocusCell(current_.X, current_.Y, false, true);
    InvalidateGrid();
}

// The current cell, the anchor and the view

void TCustomGridX::Initialize() {
    topLeft_ = current_ = anchor_ = {fixedCols_, fixedRows_};
    if (options_ & goRowSelect)
        anchor_.X = colCount_ - 1;
}

bool TCustomGridX::SelectCell(int, int) {
    return true;
}

void TCustomGridX::FocusCell(int col, int row, bool show, bool moveAnchor) {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        InvalidGridOperation(SIndexOutOfRange);
    if (!SelectCell(col, row))
        return;
    const TGridRect oldSelection = Selection();
    const TGridCoord oldCurrent = current_;
    current_ = {col, row};
    if (!(options_ & goAlwaysShowEditor))
        HideEditor();
    if (moveAnchor || !(options_ & goRangeSelect)) {
        anchor_ = current_;
        if (options_ & goRowSelect)
            anchor_.X = colCount_ - 1;
    }
    if (options_ & goRowSelect)
        current_.X = fixedCols_;
    if (show)
        ClampInView(current_);
    SelectionMoved(oldSelection);
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
    InvalidateCell(col, row);
}

void TCustomGridX::InvalidateGridRect(int col, int row, bool show, bool moveAnchor) {
    FocusCell(col, row, show, moveAnchor);
}

void TCustomGridX::MoveToCell(int col, int row, bool moveAnchor) {
    FocusCell(col, row, true, moveAnchor);
    UpdateEdit();
    Click();
}

void TCustomGridX::SetCol(int value) {
    if (value != current_.X)
        MoveToCell(value, current_.Y, true);
}

void TCustomGridX::SetRow(int value) {
    if (value != current_.Y)
        MoveToCell(current_.X, value, true);
}

void TCustomGridX::MoveAnchor(const TGridCoord& newAnchor) {
    if (!(options_ & goRangeSelect) || (options_ & goEditing)) {
        FocusCell(newAnchor.X, newAnchor.Y, true, true);
        return;
    }
    const TGridRect oldSelection = Selection();
    anchor_ = newAnchor;
    if (options_ & goRowSelect)
        anchor_.X = colCount_ - 1;
    ClampInView(newAnchor);
    SelectionMoved(oldSelection);
}

// Out-of-range values would leave the view on cells that do not exist, so
// the setters refuse them as the other index setters do.
void TCustomGridX::SetLeftCol(int value) {
    if (value < fixedCols_ || value >= colCount_)
        InvalidGridOperation(SIndexOutOfRange);
    if (value != topLeft_.X)
        MoveTopLeft(value, topLeft_.Y);
}

void TCustomGridX::SetTopRow(int value) {
    if (value < fixedRows_ || value >= rowCount_)
        InvalidGridOperation(SIndexOutOfRange);
    if (value != topLeft_.Y)
        MoveTopLeft(topLeft_.X, value);
}

void TCustomGridX::MoveTopLeft(int left, int top) {
    if (left == topLeft_.X && top == topLeft_.Y)
        return;
    UpdateWindow();
    const TGridCoord oldTopLeft = topLeft_;
    topLeft_ = {left, top};
    TopLeftMoved(oldTopLeft);
}

void TCustomGridX::ClampInView(const TGridCoord& coord) {
    if (!HandleAllocated())
        return;
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    if (coord.X >= topLeft_.X && coord.X <= layout.Horz.LastFullVisibleCell &&
        coord.Y >= topLeft_.Y && coord.Y <= layout.Vert.LastFullVisibleCell)
        return;
    const TGridCoord maxTopLeft = CalcMaxTopLeft(coord, layout);
    const TGridCoord oldTopLeft = topLeft_;
    UpdateWindow();
    if (coord.X < topLeft_.X && coord.X >= fixedCols_)
        topLeft_.X = coord.X;
    else if (coord.X > layout.Horz.LastFullVisibleCell)
        topLeft_.X = maxTopLeft.X;
    if (coord.Y < topLeft_.Y && coord.Y >= fixedRows_)
        topLeft_.Y = coord.Y;
    else if (coord.Y > layout.Vert.LastFullVisibleCell)
        topLeft_.Y = maxTopLeft.Y;
    if (topLeft_ != oldTopLeft)
        TopLeftMoved(oldTopLeft);
}

// Repainting

void TCustomGridX::InvalidateCell(int col, int row) {
    InvalidateRect(TGridRect{col, row, col, row});
}

void TCustomGridX::InvalidateRect(const TGridRect& rect) {
    if (!HandleAllocated())
        return;
    TRect screen;
    GridRectToScreenRect(rect, screen, true);
    InvalidateWindowRect(screen);
}

void TCustomGridX::InvalidateCol(int col) {
    if (!HandleAllocated())
        return;
    InvalidateRect(TGridRect{col, 0, col, VisibleRowCount() + 1});
    if (contraRowCount_ > 0)
        InvalidateRect(TGridRect{col, rowCount_, col, FullRowCount() - 1});
}

void TCustomGridX::InvalidateGrid() {
    Invalidate();
}

void TCustomGridX::UnlockGrid() {
    if (lockCount_ > 0)
        --lockCount_;
}

void TCustomGridX::SelectionMoved(const TGridRect& oldSelection) {
    if (!HandleAllocated())
        return;
    TRect oldRect, newRect;
    GridRectToScreenRect(oldSelection, oldRect, true);
    GridRectToScreenRect(Selection(), newRect, true);
    const QRegion changed = QRegion(oldRect.ToQRect()).xored(QRegion(newRect.ToQRect()));
    for (const QRect& part : changed)
        InvalidateWindowRect(TRect::FromQRect(part));
}

// Structure

void TCustomGridX::MoveColumn(int fromIndex, int toIndex) {
    if (fromIndex == toIndex)
        return;
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= FullColCount() || toIndex >= FullColCount())
        InvalidGridOperation(SIndexOutOfRange);
    MoveExtent(colWidths_, fromIndex, toIndex);
    MoveExtent(tabStops_, fromIndex, toIndex);
    current_.X = MovedCoordinate(current_.X, fromIndex, toIndex);
    anchor_.X = MovedCoordinate(anchor_.X, fromIndex, toIndex);
    if (editorCol_ >= 0)
        editorCol_ = MovedCoordinate(editorCol_, fromIndex, toIndex);
    if (HandleAllocated())
        InvalidateRect(TGridRect{std::min(fromIndex, toIndex), 0, std::max(fromIndex, toIndex),
                                 VisibleRowCount() + 1});
    ColumnMoved(fromIndex, toIndex);
    if (!colWidths_.empty())
        ColWidthsChanged();
    UpdateEdit();
}

void TCustomGridX::MoveRow(int fromIndex, int toIndex) {
    if (fromIndex == toIndex)
        return;
    if (fromIndex < 0 || toIndex < 0 || fromIndex >= FullRowCount() || toIndex >= FullRowCount())
        InvalidGridOperation(SIndexOutOfRange);
    MoveExtent(rowHeights_, fromIndex, toIndex);
    current_.Y = MovedCoordinate(current_.Y, fromIndex, toIndex);
    anchor_.Y = MovedCoordinate(anchor_.Y, fromIndex, toIndex);
    if (editorRow_ >= 0)
        editorRow_ = MovedCoordinate(editorRow_, fromIndex, toIndex);
    if (HandleAllocated())
        InvalidateRect(TGridRect{0, std::min(fromIndex, toIndex), VisibleColCount() + 1,
                                 std::max(fromIndex, toIndex)});
    RowMoved(fromIndex, toIndex);
    if (!rowHeights_.empty())
        RowHeightsChanged();
    UpdateEdit();
}

void TCustomGridX::DeleteColumn(int col) {
    MoveColumn(col, colCount_ - 1);
    SetColCount(colCount_ - 1);
}

void TCustomGridX::DeleteRow(int row) {
    MoveRow(row, rowCount_ - 1);
    SetRowCount(rowCount_ - 1);
}

void TCustomGridX::PullInsideAfterSizeChange() {
    const TGridCoord inside{std::min(current_.X, colCount_ - 1),
                            std::min(current_.Y, rowCount_ - 1)};
    if (inside != current_)
        FocusCell(inside.X, inside.Y, true, true);
    const TGridCoord anchorInside{std::min(anchor_.X, colCount_ - 1),
                                  std::min(anchor_.Y, rowCount_ - 1)};
    if (anchorInside != anchor_)
        MoveAnchor(anchorInside);
}

void TCustomGridX::RedrawAfterSizeChange(const TGridCoord& oldTopLeft,
                                         const TGridLayoutX* oldLayout) {
    if (FullRedrawOnSizeChange || topLeft_ != oldTopLeft || !oldLayout) {
        InvalidateGrid();
        return;
    }
    TGridLayoutX layout;
    CalcDrawInfo(layout);
    const int firstCol =
        std::min(oldLayout->Horz.LastFullVisibleCell, layout.Horz.LastFullVisibleCell);
    const int firstRow =
        std::min(oldLayout->Vert.LastFullVisibleCell, layout.Vert.LastFullVisibleCell);
    const TRect colRect = CellRect(firstCol, 0);
    InvalidateWindowRect({colRect.Left, colRect.Top, width(), height()});
    const TRect rowRect = CellRect(0, firstRow);
    InvalidateWindowRect({rowRect.Left, rowRect.Top, width(), height()});
}

void TCustomGridX::ChangeSize(int newColCount, int newRowCount) {
    TGridLayoutX oldLayout;
    const bool hadWindow = HandleAllocated();
    if (hadWindow)
        CalcDrawInfo(oldLayout);
    const int oldColCount = colCount_;
    const int oldRowCount = rowCount_;
    const TGridCoord oldTopLeft = topLeft_;
    auto apply = [&](int cols, int rows) {
        colCount_ = cols;
        rowCount_ = rows;
        fixedCols_ = std::min(fixedCols_, colCount_ - 1);
        fixedRows_ = std::min(fixedRows_, rowCount_ - 1);
        std::vector<int> widths, tabStops, heights;
        ResizeAllExtents(widths, tabStops, heights);
        if (!colWidths_.empty())
            colWidths_ = std::move(widths);
        if (!tabStops_.empty())
            tabStops_ = std::move(tabStops);
        if (!rowHeights_.empty())
            rowHeights_ = std::move(heights);
        PullInsideAfterSizeChange();
        RedrawAfterSizeChange(oldTopLeft, hadWindow ? &oldLayout : nullptr);
        UpdateScrollRange();
        SizeChanged(oldColCount, oldRowCount);
    };
    try {
        apply(newColCount, newRowCount);
    } catch (...) {
        apply(oldColCount, oldRowCount);
        InvalidateGrid();
        throw;
    }
}

void TCustomGridX::AdjustSize(int index, int amount, bool rows) {
    if (amount == 0)
        return;
    const int oldColCount = colCount_;
    const int oldRowCount = rowCount_;
    int& count = rows ? rowCount_ : colCount_;
    if (count + amount < index)
        InvalidGridOperation(STooManyDeleted);
    TGridLayoutX oldLayout;
    CalcDrawInfo(oldLayout);
    const TGridAxisLayoutX& oldAxis = rows ? oldLayout.Vert : oldLayout.Horz;
    const int removedPixels = amount < 0 ? AxisDistance(oldAxis, index, index - amount) : 0;
    if (rows && !rowHeights_.empty())
        rowHeights_ = ResizedExtents(rowHeights_, index, amount, defaultRowHeight_);
    if (!rows) {
        std::vector<int> widths = colWidths_;
        if (!widths.empty())
            widths = ResizedExtents(colWidths_, index, amount, defaultColWidth_);
        if (!tabStops_.empty())
            tabStops_ = ResizedExtents(tabStops_, index, amount, 1);
        colWidths_ = std::move(widths);
    }
    count += amount;
    int& coordinate = rows ? current_.Y : current_.X;
    const TGridCoord oldCurrent = current_;
    if (coordinate >= index)
        coordinate = (amount < 0 && coordinate < index - amount) ? index : coordinate + amount;
    coordinate = std::min(coordinate, count - 1);
    anchor_ = {std::min(anchor_.X, colCount_ - 1), std::min(anchor_.Y, rowCount_ - 1)};
    if (HandleAllocated()) {
        TGridLayoutX layout;
        CalcDrawInfo(layout);
        const TGridAxisLayoutX& axis = rows ? layout.Vert : layout.Horz;
        if (index < axis.FirstGridCell && index >= axis.FixedCellCount) {
            InvalidateGrid();
        } else {
            const int start = index < axis.FixedCellCount
                                  ? LinePos(axis, index)
                                  : std::max(LinePos(axis, index), axis.FixedBoundary);
            const int delta =
                amount > 0 ? AxisDistance(axis, index, index + amount) : -removedPixels;
            const TRect band = rows ? TRect{0, start, ClientWidth(), axis.GridExtent}
                                    : TRect{start, 0, axis.GridExtent, ClientHeight()};
            ScrollWindowArea(rows ? 0 : delta, rows ? delta : 0, band);
        }
        if ((rows ? contraRowCount_ : contraColCount_) > 0)
            InvalidateGrid();
    }
    SizeChanged(oldColCount, oldRowCount);
    if (current_ != oldCurrent) {
        const TGridCoord moved = current_;
        current_ = oldCurrent;
        FocusCell(moved.X, moved.Y, true, true);
    }
    UpdateScrollRange();
}

// The stored form of the cell sizes

namespace {

const QString kColWidths = QStringLiteral("ColWidths");
const QString kRowHeights = QStringLiteral("RowHeights");

void WriteExtentList(QDataStream& stream, const QString& name, int count,
                     int (TCustomGridX::*get)(int) const, const TCustomGridX& grid) {
    stream << name << qint32(count);
    for (int i = 0; i < count; ++i)
        stream << qint32((grid.*get)(i));
}

[[noreturn]] void InvalidPropertyValue() {
    throw EStreamError(QStringLiteral("Invalid property value"));
}

std::vector<int> ReadExtentList(QDataStream& stream, int expectedCount) {
    qint32 count = 0;
    stream >> count;
    if (stream.status() != QDataStream::Ok || count != expectedCount)
        InvalidPropertyValue();
    std::vector<int> values(static_cast<size_t>(count));
    for (int& value : values) {
        qint32 read = 0;
        stream >> read;
        value = read;
    }
    if (stream.status() != QDataStream::Ok)
        InvalidPropertyValue();
    return values;
}

} // namespace

void TCustomGridX::WriteCellExtents(QDataStream& stream, const TCustomGridX* ancestor) const {
    if (SaveCellExtents) {
        if (!colWidths_.empty() && !(ancestor && colWidths_ == ancestor->colWidths_))
            WriteExtentList(stream, kColWidths, colCount_, &TCustomGridX::GetColWidths, *this);
        if (!rowHeights_.empty() && !(ancestor && rowHeights_ == ancestor->rowHeights_))
            WriteExtentList(stream, kRowHeights, rowCount_, &TCustomGridX::GetRowHeights, *this);
    }
    stream << QString();
}

void TCustomGridX::ReadCellExtents(QDataStream& stream) {
    for (;;) {
        QString name;
        stream >> name;
        if (stream.status() != QDataStream::Ok)
            InvalidPropertyValue();
        if (name.isEmpty())
            return;
        if (name == kColWidths) {
            const std::vector<int> widths = ReadExtentList(stream, colCount_);
            for (int i = 0; i < colCount_; ++i)
                SetColWidths(i, widths[size_t(i)]);
        } else if (name == kRowHeights) {
            const std::vector<int> heights = ReadExtentList(stream, rowCount_);
            for (int i = 0; i < rowCount_; ++i)
                SetRowHeights(i, heights[size_t(i)]);
        } else {
            InvalidPropertyValue();
        }
    }
}

// Hooks the data grid overrides

void TCustomGridX::ColumnMoved(int, int) {}

void TCustomGridX::RowMoved(int, int) {}

void TCustomGridX::SizeChanged(int, int) {}

void TCustomGridX::ColWidthsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGridX::RowHeightsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGridX::TopLeftChanged() {
    if (editorMode_ && editor_)
        editor_->UpdateLoc(CellRect(current_.X, current_.Y));
}

bool TCustomGridX::CanEditModify() {
    return canEditModify_;
}

QString TCustomGridX::GetEditText(int, int) {
    return QString();
}

void TCustomGridX::SetEditText(int, int, const QString&) {}

int TCustomGridX::GetEditLimit() {
    return 0;
}

QString TCustomGridX::GetEditMask(int, int) {
    return QString();
}

TEditStyle TCustomGridX::GetEditStyle(int, int) {
    return TEditStyle::esSimple;
}

// The in-place editor

TInplaceEdit* TCustomGridX::CreateEditor() {
    return new TInplaceEdit(viewport());
}

bool TCustomGridX::CanEditShow() const {
    return (options_ & goEditing) && !(options_ & goRowSelect) && editorMode_ &&
           HandleAllocated() && ((options_ & goAlwaysShowEditor) || IsActiveControl());
}

void TCustomGridX::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void TCustomGridX::HideEditor() {
    editorMode_ = false;
    HideEdit();
}

void TCustomGridX::SetEditorMode(bool value) {
    if (value) {
        ShowEditor();
        if (editor_)
            editor_->SelectAll();
    } else {
        HideEditor();
    }
}

void TCustomGridX::ShowEditorChar(QChar ch) {
    ShowEditor();
    if (editor_)
        editor_->PostChar(ch);
}

void TCustomGridX::InvalidateEditor() {
    editorCol_ = -1;
    editorRow_ = -1;
    UpdateEdit();
}

void TCustomGridX::UpdateEdit() {
    if (!CanEditShow())
        return;
    const auto load = [this] {
        editorCol_ = current_.X;
        editorRow_ = current_.Y;
        editor_->LoadCellContents();
        canEditModify_ = editor_->MaxLength() != -1;
        editor_->selectAll();
    };
    if (!editor_) {
        editor_ = CreateEditor();
        editor_->SetGrid(this);
        editor_->setFont(font());
        load();
    } else if (current_.X != editorCol_ || current_.Y != editorRow_) {
        HideEdit();
        load();
    }
    if (CanEditShow())
        editor_->UpdateLoc(CellRect(current_.X, current_.Y));
}

void TCustomGridX::HideEdit() {
    if (!editor_)
        return;
    try {
        UpdateText();
    } catch (...) {
        editorCol_ = editorRow_ = -1;
        editor_->Hide();
        throw;
    }
    editorCol_ = editorRow_ = -1;
    editor_->Hide();
}

void TCustomGridX::UpdateText() {
    if (editorCol_ != -1 && editorRow_ != -1)
        SetEditText(editorCol_, editorRow_, editor_->Text());
}

} // namespace kx

#include "moc_customgridx.cpp"
