#pragma once
// The printer as the table reports see it: whether one is installed, its
// paper in the platform's codes (paper size, orientation 1 portrait or 2
// landscape, length and width in tenths of a millimetre), the printable area
// a page is laid out on, and the printer set-up dialog.

#include "tablereport/reportcontrol.h"

#include <QRect>

#include <cstdint>
#include <optional>

class QPageLayout;
class QPrinter;
class QWidget;

namespace kx {

struct TDevMode {
    int32_t PaperSize = 0;
    int32_t Orientation = 0;
    int32_t PaperLength = 0;
    int32_t PaperWidth = 0;
};

// The printer list is never empty: without a print queue the PDF file is
// the printer.
bool PrinterInstalled();

TDevMode GetPrinterDevMode();
inline constexpr int32_t kA4PaperCode = 9;

// A known paper code is taken as it is; the custom code 256, or a code the
// printer does not offer, takes the length and width. Paper 0 without a
// size is A4 and any orientation but landscape is portrait, as a new
// template is designed: the printer is shared, and a template must never
// come out on the paper the previous job left.
void SetPrinterDevMode(const TDevMode& mode);

// The printable area of the current printer in its device pixels.
std::optional<TPrinterPage> CurrentPrinterPage();
// Where the printable area lies on a page the printer's painter draws on.
QRect PrintableArea(const QPrinter& printer);
// The same for a PDF page of that layout at that resolution.
QRect PdfPrintableArea(const QPageLayout& layout, int dotsPerInch);

// The printer set-up dialog on the current printer; true when confirmed.
bool RunPrinterSetupDialog(QWidget* owner);

} // namespace kx
