#pragma once
// One cell of a table report: geometry, borders, colours, text and picture,
// and the links of a vertical merge.

#include "tablereport/logfont.h"
#include "tablereport/reportrect.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace kx {

class TReportLine;

struct TBorder {
    bool Line = true;
    int32_t Width = 1;
    bool operator==(const TBorder&) const = default;
};

// Bits of TReportCell::Diagonal: strokes from the top-left corner to the
// bottom-right corner, the middle of the right edge and the middle of the
// bottom edge; then the same from the top-right corner.
enum TDiagonal : int32_t {
    DiagonalLeftToCorner = 0x001,
    DiagonalLeftToMiddle = 0x002,
    DiagonalLeftToBottom = 0x004,
    DiagonalRightToCorner = 0x100,
    DiagonalRightToMiddle = 0x200,
    DiagonalRightToBottom = 0x400,
};

constexpr int kMaxCellTextBytes = 3000;
constexpr int kMinCellWidth = 10;

class TReportCell {
public:
    TReportCell() = default;
    TReportCell(const TReportCell&) = delete;
    TReportCell& operator=(const TReportCell&) = delete;
    // Leaves its merge owner and frees its merged cells from itself, and lets
    // the control forget it, so no reference outlives the cell.
    ~TReportCell();

    int32_t TextMargin = 5;
    TReportLine* OwnerLine = nullptr;
    TReportCell* MergeOwner = nullptr;
    std::vector<TReportCell*> MergedCells;
    int32_t CellIndex = -1;
    TRect CellRect;
    TRect TextRect;
    int32_t MinHeight = 0;
    int32_t RequiredHeight = 0;
    int32_t MergedTextHeight = 0;
    int32_t Diagonal = 0;
    uint32_t TextColor = 0;
    uint32_t BackColor = 0xFFFFFF;
    int32_t HorzAlign = 0;
    int32_t VertAlign = 1;
    // Raw BMP file bytes; meaningful while HasPicture is set.
    QByteArray Picture;
    bool HasPicture = false;

    int32_t CellLeft() const { return cellLeft_; }
    int32_t CellWidth() const { return cellWidth_; }
    const TBorder& LeftBorder() const { return left_; }
    const TBorder& TopBorder() const { return top_; }
    const TBorder& RightBorder() const { return right_; }
    const TBorder& BottomBorder() const { return bottom_; }
    const QString& Text() const { return text_; }
    const QString& DisplayFormat() const { return displayFormat_; }
    const TLogFont& LogFont() const { return logFont_; }

    void SetLeft(int32_t left);
    void SetWidth(int32_t width);
    void SetLeftLine(bool on);
    void SetLeftLineWidth(int32_t width);
    void SetTopLine(bool on);
    void SetTopLineWidth(int32_t width);
    void SetRightLine(bool on);
    void SetRightLineWidth(int32_t width);
    void SetBottomLine(bool on);
    void SetBottomLineWidth(int32_t width);
    void SetCellText(const QString& text);
    void SetFont(const TLogFont& font);
    void SetTextColor(uint32_t color) { TextColor = color; }
    void SetBackColor(uint32_t color) { BackColor = color; }
    void SetDisplayFormat(const QString& format) { displayFormat_ = format; }

    int32_t NeededHeight() const;
    int32_t LineTop() const;
    int32_t LineHeight() const;
    int32_t CellRight() const { return cellLeft_ + cellWidth_; }

    void AddMergedCell(TReportCell* cell);
    void ReleaseMergedCells();
    void RemoveMergedCell(TReportCell* cell);
    // Copies the look and geometry, not text, format, picture nor merges of
    // its own; a copy of a merged cell joins the same owner.
    void CopyFrom(const TReportCell& source, bool insertBeside);
    // The same copy that never joins a merge.
    void CopyAttributes(const TReportCell& source);

    void CalcHeight();
    void CalcRects();

    // Stores values as a template holds them, without any re-layout.
    void SetStored(int32_t left, int32_t width, const TBorder& leftBorder, const TBorder& topBorder,
                   const TBorder& rightBorder, const TBorder& bottomBorder, const QString& text,
                   const QString& format, const TLogFont& font);

private:
    void SetBorder(TBorder& border, const TBorder& value);
    void CalcMergedHeight();
    int32_t MeasuredTextHeight() const;
    int32_t BorderHeight() const { return top_.Width + bottom_.Width; }

    int32_t cellLeft_ = 0;
    int32_t cellWidth_ = 0;
    TBorder left_;
    TBorder top_;
    TBorder right_;
    TBorder bottom_;
    QString text_;
    QString displayFormat_;
    TLogFont logFont_ = TLogFont::Default();
};

} // namespace kx
