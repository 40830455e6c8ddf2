#include "bandreport/brprintdialog.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

namespace kx {

QPoint CenterDialogWindow(const QRect& screen, const QSize& dialog) {
    return {screen.left() + (screen.width() - dialog.width()) / 2,
            screen.top() + (screen.height() - dialog.height()) / 3};
}

TBRPrintDialog::TBRPrintDialog(QObject* owner) : QObject(owner) {}

void TBRPrintDialog::SetCopyCount(int copies) {
    copies_ = copies;
    if (Printer)
        Printer->SetCopies(copies);
}

void TBRPrintDialog::Prepare(QPrintDialog& dialog) const {
    QAbstractPrintDialog::PrintDialogOptions options;
    if (Options & poPrintToFile)
        options |= QAbstractPrintDialog::PrintToFile;
    if (Options & poPageNums)
        options |= QAbstractPrintDialog::PrintPageRange;
    if (Options & poSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    options |= QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize;
    dialog.setOptions(options);
    if (MaxPage > 0)
        dialog.setMinMax(qMax(1, MinPage), MaxPage);
    if (PrintRange == prPageNums && FromPage > 0)
        dialog.setFromTo(FromPage, qMax(FromPage, ToPage));
    dialog.setPrintRange(PrintRange == prPageNums    ? QAbstractPrintDialog::PageRange
                         : PrintRange == prSelection ? QAbstractPrintDialog::Selection
                                                     : QAbstractPrintDialog::AllPages);
}

bool TBRPrintDialog::RunDialog() {
    if (!Printer)
        return false;
    QPrinter& device = Printer->Device();
    device.setCollateCopies(Collate != 0);
    QPrintDialog dialog(&device);
    Prepare(dialog);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(CenterDialogWindow(screen->geometry(), dialog.sizeHint()));
    if (OnShow)
        OnShow();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (OnClose)
        OnClose();
    if (!accepted)
        return false;
    TBRPrintDialogResult result;
    result.Range = dialog.printRange() == QAbstractPrintDialog::PageRange   ? prPageNums
                   : dialog.printRange() == QAbstractPrintDialog::Selection ? prSelection
                                                                            : prAllPages;
    result.FromPage = dialog.fromPage();
    result.ToPage = dialog.toPage();
    result.Copies = device.copyCount();
    result.PrintToFile = !device.outputFileName().isEmpty() && !Printer->IsPdf();
    TakeResult(result);
    return true;
}

void TBRPrintDialog::TakeResult(const TBRPrintDialogResult& result) {
    PrintToFile = result.PrintToFile;
    PrintRange = result.Range;
    FromPage = result.FromPage;
    ToPage = result.ToPage;
    copies_ = result.Copies == 1 ? Printer->Copies() : result.Copies;
    OutputBin = Printer->BinCode();
    PaperSize = Printer->PaperCode();
    QSizeF sheet = Printer->PaperSizeTenths();
    if (Printer->Orientation() == print::kLandscape)
        sheet.transpose();
    Paperwidth = sheet.width();
    Paperlength = sheet.height();
    Orientation = Printer->Orientation();
    PrintQuality = Printer->Resolution();
    ColorOption = Printer->Device().colorMode() == QPrinter::Color ? 2 : 1;
    DuplexCode = Printer->DuplexCode();
    Duplex = DuplexCode != print::kDuplexNone;
    Collate = Printer->Collate() ? 1 : 0;
}

} // namespace kx
