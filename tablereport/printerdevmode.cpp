#include "tablereport/printerdevmode.h"

#include "platform/print/printer.h"
#include "platform/ui/application.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>

#include <cmath>

namespace kx {
namespace {

// A PDF has no unprintable border, but a page laid out for it should fit a
// real printer too: an A4 sheet keeps the 758 x 1037 page of 96-dpi pixels
// that a page gets when no printer answers at all.
constexpr double kPdfBorderMmX = 9.45 / 2;
constexpr double kPdfBorderMmY = 22.63 / 2;

int32_t Tenths(double millimetres) {
    return int32_t(std::lround(millimetres * 10));
}

} // namespace

bool PrinterInstalled() {
    return !print::Printer().Printers().isEmpty();
}

TDevMode GetPrinterDevMode() {
    const QPageLayout layout = print::Printer().Device().pageLayout();
    const QPageSize& size = layout.pageSize();
    const QSizeF paper = size.size(QPageSize::Millimeter);
    const bool custom = size.id() == QPageSize::Custom || size.windowsId() <= 0;
    return {.PaperSize = custom ? print::kCustomPaperCode : size.windowsId(),
            .Orientation = layout.orientation() == QPageLayout::Landscape ? print::kLandscape
                                                                          : print::kPortrait,
            .PaperLength = Tenths(paper.height()),
            .PaperWidth = Tenths(paper.width())};
}

void SetPrinterDevMode(const TDevMode& mode) {
    print::TPrinter& printer = print::Printer();
    const bool sized = mode.PaperLength > 0 && mode.PaperWidth > 0;
    const int32_t code = mode.PaperSize == 0 && !sized ? kA4PaperCode : mode.PaperSize;
    const bool known = code != print::kCustomPaperCode && code != 0 && printer.SetPaperCode(code);
    if (!known && sized)
        printer.SetCustomPaper(mode.PaperWidth, mode.PaperLength);
    printer.SetOrientation(mode.Orientation == print::kLandscape ? print::kLandscape
                                                                 : print::kPortrait);
}

QRect PdfPrintableArea(const QPageLayout& layout, int dotsPerInch) {
    const QRect full = layout.fullRectPixels(dotsPerInch);
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    const int borderX = int((landscape ? kPdfBorderMmY : kPdfBorderMmX) / 25.4 * dotsPerInch);
    const int borderY = int((landscape ? kPdfBorderMmX : kPdfBorderMmY) / 25.4 * dotsPerInch);
    return full.adjusted(borderX, borderY, -borderX, -borderY);
}

QRect PrintableArea(const QPrinter& printer) {
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    if (!printer.fullPage())
        return QRect(QPoint(0, 0), layout.paintRectPixels(dpi).size());
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return layout.fullRectPixels(dpi);
    return PdfPrintableArea(layout, dpi);
}

std::optional<TPrinterPage> CurrentPrinterPage() {
    const QPrinter& printer = print::Printer().Device();
    const QRect area = PrintableArea(printer);
    const int dpi = printer.resolution();
    return TPrinterPage{area.width(), area.height(), dpi, dpi};
}

bool RunPrinterSetupDialog(QWidget* owner) {
    QPageSetupDialog dialog(&print::Printer().Device(), owner);
    if (ui::ExecModal(dialog) != QDialog::Accepted)
        return false;
    // The dialog changed the device behind the printer object's back.
    SetPrinterDevMode(GetPrinterDevMode());
    return true;
}

} // namespace kx
