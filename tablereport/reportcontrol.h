#pragma once
// The page of a table report without its window: lines, margins, page size,
// zoom, selection and the re-layout. The widget paints it and turns mouse
// events into its calls; the designer edits through it.

#include "tablereport/logfont.h"
#include "tablereport/reportline.h"
#include "tablereport/reportrect.h"

#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kx {

class TTextMeasurer;

// The printable area of the current printer.
struct TPrinterPage {
    int Width = 0;
    int Height = 0;
    int DpiX = 0;
    int DpiY = 0;
};

// Pixels per millimetre of a page laid out on A4 (758 / 210 and 1037 / 297).
constexpr double kPixelsPerMmX = 3.6095238;
constexpr double kPixelsPerMmY = 3.49158249158;

class TReportControl {
public:
    explicit TReportControl(TTextMeasurer* measurer);
    TReportControl(const TReportControl&) = delete;
    TReportControl& operator=(const TReportControl&) = delete;
    ~TReportControl();

    TTextMeasurer* Measurer;
    // Answers the current printer's page, or nothing when none is installed.
    std::function<std::optional<TPrinterPage>()> PrinterPage;
    // Called with each area, in page pixels, that must be painted again.
    std::function<void(const TRect&)> OnInvalidate;

    bool ReportCellEdit = false;
    bool PreviewLook = false;
    std::vector<std::unique_ptr<TReportLine>> Lines;
    std::vector<TReportCell*> Selection;
    TReportCell* EditingCell = nullptr;
    TReportCell* LastSelected = nullptr;
    int32_t Zoom = 100;
    int32_t PageWidth = 0;
    int32_t PageHeight = 0;
    int32_t LeftMarginPx = 0;
    int32_t RightMarginPx = 0;
    int32_t TopMarginPx = 0;
    int32_t BottomMarginPx = 0;
    TLogFont SelectedFont = TLogFont::Default();
    int32_t LeftMarginMm = 20;
    int32_t RightMarginMm = 10;
    int32_t TopMarginMm = 20;
    int32_t BottomMarginMm = 15;
    int32_t FooterStart = 0;
    uint8_t Reserved1 = 1;
    int32_t Reserved2 = 2000;
    int32_t Reserved3 = 1;
    bool EditAllowed = true;
    int32_t PaperSize = 0;
    int32_t Orientation = 0;
    int32_t PaperLength = 0;
    int32_t PaperWidth = 0;
    int32_t RecordedPageWidth = 0;
    int32_t RecordedPageHeight = 0;
    // The size of the control on screen: the page scaled by the zoom.
    int32_t ControlWidth = 0;
    int32_t ControlHeight = 0;

    bool PrinterInstalled() const;
    void UpdatePageSize();
    void SetPageSize(int32_t width, int32_t height);
    void SetZoom(int32_t percent);
    void SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom);
    // Left, top, right, bottom, in millimetres.
    std::array<int32_t, 4> GetMargins() const;
    void UpdateLines();
    TReportCell* CellAt(QPoint point) const;
    void ClearTable();
    // Raises the loader's error and keeps the former picture when the file
    // cannot be read.
    void LoadCellPicture(TReportCell* cell, const QString& fileName);
    void ClearCellPicture(TReportCell* cell);

    TReportLine* CreateLine(std::size_t position);
    TReportLine* AppendLine() { return CreateLine(Lines.size()); }
    int IndexOf(const TReportLine* line) const;

    void SelectCell(TReportCell* cell);
    void DeselectCell(TReportCell* cell);
    void ClearSelection();
    bool IsCellSelected(const TReportCell* cell) const;

    // Selection by a drag from start to current; with keepOthers (Shift held)
    // cells outside the rectangle stay selected.
    void SelectRect(QPoint start, QPoint current, bool keepOthers);

    // Dragging the bottom edge of a cell: the line that changes (the lowest
    // of a merged area) gets the height down to y, never below its content.
    TReportLine* LineToResize(const TReportCell* cell) const;
    void ResizeLine(const TReportCell* cell, int32_t y);

    // Dragging the right edge of a cell: the cells whose edge moves and how
    // far it may go, so that no cell gets narrower than 10 pixels.
    struct TColumnDrag {
        std::vector<TReportCell*> Cells;
        int32_t Low = 0;
        int32_t High = 0;
    };
    TColumnDrag BeginColumnResize(TReportCell* cell) const;
    // Moves the edge to x within the limits; each right neighbour gives or
    // takes the difference. A move that would cut a merged neighbour is
    // dropped.
    void EndColumnResize(const TColumnDrag& drag, int32_t x);

    // Edit operations on the selection; each does nothing when its
    // precondition fails.
    void NewTable(int columns, int rows);
    void AddLine();
    void InsertLine();
    void DeleteLine();
    void CombineCells();
    void SplitCell();
    void VSplitCell(int count);
    void AddCell();
    void InsertCell();
    void DeleteCell();
    void SetCellFontColor(uint32_t color);
    void SetCellColors(uint32_t textColor, uint32_t backColor);
    void SetCellAlign(int32_t horzAlign, int32_t vertAlign);
    void SetCellDiagonal(int32_t diagonal);
    void SetCellFont(const TLogFont& font);
    void SetCellBorders(const TBorder& left, const TBorder& top, const TBorder& right,
                        const TBorder& bottom);
    void SetCellDispFormat(const QString& format);
    void SetSelectedCellsText(const QString& text);

    // A cell is being freed: no selection or editing reference may keep it.
    void ForgetCell(const TReportCell* cell);
    void Invalidate(const TRect& area) const;

private:
    void UpdateControlSize();
};

} // namespace kx
