#include "tablereport/reportcell.h"

#include "platform/sys/cp936.h"
#include "tablereport/reportcontrol.h"
#include "tablereport/reportline.h"
#include "tablereport/textmeasurer.h"

#include <algorithm>
#include <cmath>

namespace kx {
namespace {

int32_t TruncHalfUp(double value) {
    return int32_t(std::trunc(value + 0.5));
}

int32_t VerticalShift(int32_t vertAlign, int32_t space) {
    if (vertAlign == 1)
        return TruncHalfUp(space / 2.0);
    return vertAlign == 2 ? space : 0;
}

} // namespace

TReportCell::~TReportCell() {
    if (MergeOwner)
        MergeOwner->RemoveMergedCell(this);
    for (TReportCell* merged : MergedCells)
        merged->MergeOwner = nullptr;
    if (OwnerLine && OwnerLine->Control)
        OwnerLine->Control->ForgetCell(this);
}

void TReportCell::SetLeft(int32_t left) {
    if (left == cellLeft_)
        return;
    cellLeft_ = left;
    CalcRects();
}

void TReportCell::SetWidth(int32_t width) {
    width = std::max(width, kMinCellWidth);
    if (width == cellWidth_)
        return;
    cellWidth_ = width;
    CalcHeight();
    CalcRects();
}

void TReportCell::SetBorder(TBorder& border, const TBorder& value) {
    if (border == value)
        return;
    border = value;
    CalcHeight();
    CalcRects();
}

void TReportCell::SetLeftLine(bool on) {
    SetBorder(left_, {on, left_.Width});
}
void TReportCell::SetLeftLineWidth(int32_t width) {
    SetBorder(left_, {left_.Line, width});
}
void TReportCell::SetTopLine(bool on) {
    SetBorder(top_, {on, top_.Width});
}
void TReportCell::SetTopLineWidth(int32_t width) {
    SetBorder(top_, {top_.Line, width});
}
void TReportCell::SetRightLine(bool on) {
    SetBorder(right_, {on, right_.Width});
}
void TReportCell::SetRightLineWidth(int32_t width) {
    SetBorder(right_, {right_.Line, width});
}
void TReportCell::SetBottomLine(bool on) {
    SetBorder(bottom_, {on, bottom_.Width});
}
void TReportCell::SetBottomLineWidth(int32_t width) {
    SetBorder(bottom_, {bottom_.Line, width});
}

void TReportCell::SetCellText(const QString& text) {
    // No character takes more than two bytes: a short text is never cut.
    const QString cut =
        text.size() * 2 <= kMaxCellTextBytes ? text : cp936::CutToBytes(text, kMaxCellTextBytes);
    if (cut == text_)
        return;
    text_ = cut;
    CalcHeight();
}

void TReportCell::SetFont(const TLogFont& font) {
    logFont_ = font;
    CalcHeight();
}

void TReportCell::SetStored(int32_t left, int32_t width, const TBorder& leftBorder,
                            const TBorder& topBorder, const TBorder& rightBorder,
                            const TBorder& bottomBorder, const QString& text, const QString& format,
                            const TLogFont& font) {
    cellLeft_ = left;
    cellWidth_ = width;
    left_ = leftBorder;
    top_ = topBorder;
    right_ = rightBorder;
    bottom_ = bottomBorder;
    text_ = text;
    displayFormat_ = format;
    logFont_ = font;
}

int32_t TReportCell::NeededHeight() const {
    return OwnerLine ? std::max(RequiredHeight, MinHeight) : 0;
}

int32_t TReportCell::LineTop() const {
    return OwnerLine ? OwnerLine->LineTop() : 0;
}

int32_t TReportCell::LineHeight() const {
    return OwnerLine ? OwnerLine->Height() : 0;
}

void TReportCell::AddMergedCell(TReportCell* cell) {
    if (std::ranges::find(MergedCells, cell) != MergedCells.end())
        return;
    cell->MergeOwner = this;
    text_ = cp936::CutToBytes(text_ + cell->text_, kMaxCellTextBytes);
    cell->text_.clear();
    MergedCells.push_back(cell);
    for (TReportCell* inner : cell->MergedCells) {
        inner->MergeOwner = this;
        MergedCells.push_back(inner);
    }
    cell->MergedCells.clear();
}

void TReportCell::ReleaseMergedCells() {
    const std::vector<TReportCell*> released = std::move(MergedCells);
    MergedCells.clear();
    for (TReportCell* cell : released) {
        cell->MergeOwner = nullptr;
        cell->CalcHeight();
    }
}

void TReportCell::RemoveMergedCell(TReportCell* cell) {
    std::erase(MergedCells, cell);
    cell->MergeOwner = nullptr;
}

void TReportCell::CopyAttributes(const TReportCell& source) {
    TextMargin = source.TextMargin;
    CellIndex = source.CellIndex;
    cellLeft_ = source.cellLeft_;
    cellWidth_ = source.cellWidth_;
    MinHeight = source.MinHeight;
    RequiredHeight = source.RequiredHeight;
    left_ = source.left_;
    top_ = source.top_;
    right_ = source.right_;
    bottom_ = source.bottom_;
    Diagonal = source.Diagonal;
    TextColor = source.TextColor;
    BackColor = source.BackColor;
    HorzAlign = source.HorzAlign;
    VertAlign = source.VertAlign;
    logFont_ = source.logFont_;
    CellRect = {};
    TextRect = {};
}

void TReportCell::CopyFrom(const TReportCell& source, bool insertBeside) {
    CopyAttributes(source);
    TReportCell* owner = source.MergeOwner;
    if (!owner)
        return;
    if (!insertBeside) {
        owner->AddMergedCell(this);
        return;
    }
    auto& list = owner->MergedCells;
    list.insert(std::ranges::find(list, &source), this);
    MergeOwner = owner;
}

int32_t TReportCell::MeasuredTextHeight() const {
    if (!OwnerLine || !OwnerLine->Measurer)
        return 16;
    TTextMeasurer& measurer = *OwnerLine->Measurer;
    const QString measured = text_.isEmpty() ? QStringLiteral("汉") : text_;
    int32_t height = measurer.TextHeight(logFont_, measured, cellWidth_ - 2 * TextMargin);
    if (text_.size() > 1 && text_.endsWith(QStringLiteral("\r\n")))
        height += measurer.LetterHeight(logFont_);
    // The measuring box of a cell ends at 65535 pixels.
    return height > 0 ? std::min(height, 65535) : 16;
}

void TReportCell::CalcMergedHeight() {
    RequiredHeight = BorderHeight() + 18;
    TReportCell* owner = MergeOwner;
    int32_t linesHeight = 0;
    TReportCell* lowest = nullptr;
    for (TReportCell* merged : owner->MergedCells) {
        merged->RequiredHeight = merged->BorderHeight() + 18;
        if (merged->OwnerLine)
            merged->OwnerLine->UpdateHeight();
        linesHeight += merged->LineHeight();
        if (!lowest || merged->LineTop() > lowest->LineTop())
            lowest = merged;
    }
    const int32_t missing = owner->MergedTextHeight - owner->LineHeight() - linesHeight;
    if (lowest == this && missing > 0)
        RequiredHeight = LineHeight() + missing;
}

void TReportCell::CalcHeight() {
    if (2 * TextMargin >= cellWidth_) {
        RequiredHeight = BorderHeight() + 18;
        return;
    }
    if (MergeOwner) {
        CalcMergedHeight();
        return;
    }
    const int32_t textHeight = MeasuredTextHeight() + 2 + BorderHeight();
    if (MergedCells.empty()) {
        RequiredHeight = textHeight;
        return;
    }
    MergedTextHeight = textHeight;
    RequiredHeight = BorderHeight() + 18;
    if (OwnerLine)
        OwnerLine->UpdateHeight();
    for (TReportCell* merged : MergedCells)
        merged->CalcHeight();
}

void TReportCell::CalcRects() {
    const int32_t top = LineTop();
    const int32_t lineHeight = LineHeight();
    int32_t y1 = top + top_.Width + 1;
    if (MergedCells.empty()) {
        CellRect = {cellLeft_, top, CellRight(), top + lineHeight};
        int32_t y2 = top + RequiredHeight - bottom_.Width - 1;
        const int32_t shift = VerticalShift(VertAlign, lineHeight - RequiredHeight);
        TextRect = {cellLeft_ + TextMargin + 1, y1 + shift, CellRect.Right - TextMargin - 1,
                    y2 + shift};
        return;
    }
    int32_t areaHeight = lineHeight;
    for (const TReportCell* merged : MergedCells)
        areaHeight += merged->LineHeight();
    CellRect = {cellLeft_, top, CellRight(), top + areaHeight};
    int32_t y2 = top + MergedTextHeight - bottom_.Width - 1;
    const int32_t space = areaHeight - MergedTextHeight;
    if (VertAlign == 1) {
        y1 += TruncHalfUp(space / 2.0);
        y2 += TruncHalfUp(space / 2.0);
    } else if (VertAlign == 2) {
        y1 += space;
        y2 = top + areaHeight - bottom_.Width - 1;
    }
    TextRect = {cellLeft_ + TextMargin + 1, y1, CellRect.Right - TextMargin, y2};
}

} // namespace kx
