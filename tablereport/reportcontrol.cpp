#include "tablereport/reportcontrol.h"

#include "platform/sys/exception.h"
#include "platform/sys/rounding.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace kx {
namespace {

int32_t TruncHalfUp(double value) {
    return int32_t(std::trunc(value + 0.5));
}

int32_t MarginPixels(int32_t mm) {
    return TruncHalfUp(kLayoutDpi * double(mm) / 25);
}

TRect Grown(const TRect& rect) {
    return {rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1};
}

} // namespace

TReportControl::TReportControl(TTextMeasurer* measurer) : Measurer(measurer) {
    LeftMarginPx = MarginPixels(LeftMarginMm);
    RightMarginPx = MarginPixels(RightMarginMm);
    TopMarginPx = MarginPixels(TopMarginMm);
    BottomMarginPx = MarginPixels(BottomMarginMm);
    UpdatePageSize();
}

TReportControl::~TReportControl() {
    // The cells report their end to this control, which must still be whole.
    Lines.clear();
}

bool TReportControl::PrinterInstalled() const {
    return PrinterPage && PrinterPage().has_value();
}

void TReportControl::UpdatePageSize() {
    const std::optional<TPrinterPage> printer =
        PrinterPage ? PrinterPage() : std::optional<TPrinterPage>();
    if (!printer && RecordedPageWidth != 0) {
        PageWidth = RecordedPageWidth;
        PageHeight = RecordedPageHeight;
    } else if (RecordedPageWidth == 0) {
        if (printer && printer->DpiX > 0 && printer->DpiY > 0) {
            PageWidth = TruncHalfUp(double(printer->Width) / printer->DpiX * kLayoutDpi);
            PageHeight = TruncHalfUp(double(printer->Height) / printer->DpiY * kLayoutDpi);
        } else {
            PageWidth = 758;
            PageHeight = 1037;
        }
    }
    RecordedPageWidth = PageWidth;
    RecordedPageHeight = PageHeight;
    UpdateControlSize();
}

void TReportControl::SetPageSize(int32_t width, int32_t height) {
    PageWidth = RecordedPageWidth = width;
    PageHeight = RecordedPageHeight = height;
    UpdateControlSize();
}

void TReportControl::UpdateControlSize() {
    ControlWidth = TruncHalfUp(PageWidth * double(Zoom) / 100);
    ControlHeight = TruncHalfUp(PageHeight * double(Zoom) / 100);
}

void TReportControl::SetZoom(int32_t percent) {
    Zoom = percent;
    UpdatePageSize();
    Invalidate({0, 0, PageWidth, PageHeight});
}

void TReportControl::SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (left == LeftMarginMm && top == TopMarginMm && right == RightMarginMm &&
        bottom == BottomMarginMm)
        return;
    LeftMarginMm = left;
    TopMarginMm = top;
    RightMarginMm = right;
    BottomMarginMm = bottom;
    LeftMarginPx = int32_t(sys::RoundHalfEven(left * kPixelsPerMmX));
    RightMarginPx = int32_t(sys::RoundHalfEven(right * kPixelsPerMmX));
    TopMarginPx = int32_t(sys::RoundHalfEven(top * kPixelsPerMmY));
    BottomMarginPx = int32_t(sys::RoundHalfEven(bottom * kPixelsPerMmY));
    UpdateLines();
    Invalidate({0, 0, PageWidth, PageHeight});
}

std::array<int32_t, 4> TReportControl::GetMargins() const {
    return {LeftMarginMm, TopMarginMm, RightMarginMm, BottomMarginMm};
}

void TReportControl::UpdateLines() {
    for (auto& line : Lines)
        for (auto& cell : line->Cells)
            if (!cell->MergedCells.empty())
                cell->CalcHeight();
    for (auto& line : Lines)
        line->UpdateHeight();
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        TReportLine& line = *Lines[i];
        line.LineIndex = int32_t(i);
        line.SetTop(i == 0 ? TopMarginPx : Lines[i - 1]->LineTop() + Lines[i - 1]->Height());
        const TRect before = line.LineRect;
        const TRect after = line.CalcRect();
        const bool moved = before.Left != after.Left || before.Top != after.Top ||
                           before.Right != after.Right ||
                           (before.Bottom != after.Bottom && ControlHeight >= after.Top);
        if (!moved)
            continue;
        for (const auto& cell : line.Cells)
            if (cell->MergeOwner)
                Invalidate(Grown(cell->MergeOwner->CellRect));
        Invalidate(Grown(before));
        Invalidate(Grown(after));
    }
}

TReportCell* TReportControl::CellAt(QPoint point) const {
    TReportCell* found = nullptr;
    for (const auto& line : Lines) {
        if (point.y() < line->LineTop() || point.y() > line->LineTop() + line->Height())
            continue;
        const auto hit = std::ranges::find_if(
            line->Cells, [point](const auto& cell) { return cell->CellRect.Contains(point); });
        if (hit != line->Cells.end())
            found = (*hit)->MergeOwner ? (*hit)->MergeOwner : hit->get();
    }
    return found;
}

void TReportControl::ClearTable() {
    Selection.clear();
    Lines.clear();
    Invalidate({0, 0, PageWidth, PageHeight});
}

void TReportControl::LoadCellPicture(TReportCell* cell, const QString& fileName) {
    QImageReader reader(fileName);
    const QImage image = reader.read();
    if (image.isNull())
        throw Exception(reader.errorString());
    QBuffer bmp;
    bmp.open(QIODevice::WriteOnly);
    if (!image.save(&bmp, "BMP"))
        throw Exception(QStringLiteral("Cannot convert %1 to a bitmap").arg(fileName));
    cell->Picture = bmp.data();
    cell->HasPicture = true;
    Invalidate(cell->CellRect);
}

void TReportControl::ClearCellPicture(TReportCell* cell) {
    cell->Picture.clear();
    cell->HasPicture = false;
    Invalidate(cell->CellRect);
}

TReportLine* TReportControl::CreateLine(std::size_t position) {
    auto line = std::make_unique<TReportLine>(this, Measurer);
    return Lines.insert(Lines.begin() + std::ptrdiff_t(position), std::move(line))->get();
}

int TReportControl::IndexOf(const TReportLine* line) const {
    const auto found =
        std::ranges::find_if(Lines, [line](const auto& own) { return own.get() == line; });
    return found == Lines.end() ? -1 : int(found - Lines.begin());
}

void TReportControl::SelectCell(TReportCell* cell) {
    if (!cell)
        return;
    if (!IsCellSelected(cell)) {
        Selection.push_back(cell);
        Invalidate(cell->CellRect);
    }
    LastSelected = cell;
    SelectedFont = cell->LogFont();
}

void TReportControl::DeselectCell(TReportCell* cell) {
    if (!IsCellSelected(cell))
        return;
    std::erase(Selection, cell);
    Invalidate(cell->CellRect);
}

void TReportControl::ClearSelection() {
    for (const TReportCell* cell : Selection)
        Invalidate(cell->CellRect);
    Selection.clear();
}

bool TReportControl::IsCellSelected(const TReportCell* cell) const {
    return cell && std::ranges::find(Selection, cell) != Selection.end();
}

void TReportControl::ForgetCell(const TReportCell* cell) {
    std::erase(Selection, cell);
    if (LastSelected == cell)
        LastSelected = nullptr;
    if (EditingCell == cell)
        EditingCell = nullptr;
}

void TReportControl::Invalidate(const TRect& area) const {
    if (OnInvalidate)
        OnInvalidate(area);
}

} // namespace kx
