#pragma once
// The printer a report run draws through: to the preview, where each page
// is recorded as a page picture in the page list, or to the printer (a
// print queue, or a PDF file where none is installed). Positions come in
// tenths of a millimetre and go to the device in pixels.

#include "bandreport/bandrep.h"
#include "bandreport/brpagelist.h"
#include "bandreport/brpaper.h"
#include "platform/print/pagepicture.h"
#include "platform/print/printer.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QPainter;

namespace kx {
class TBRExportFilter;
}

namespace kx {

int BinCode(TBRBin bin);
// The first bin with the code; First for an unknown code.
TBRBin BinOfCode(int code);
// The bin at the position in the list of bins; nothing outside it.
std::optional<TBRBin> BinOfOrdinal(int ordinal);

// Posted to the progress window: the percentage done, or the number of
// pages that can be shown.
class TBRPrinterEvent : public QEvent {
public:
    static const QEvent::Type Progress;
    static const QEvent::Type PagesAvailable;
    TBRPrinterEvent(QEvent::Type type, int value) : QEvent(type), Value(value) {}
    int Value;
};

using TBRPrinterSettingsEvent = std::function<void(QObject* sender, bool& cancel)>;

// The printer's settings: read from the printer, and written to it before
// a job with the report's wishes.
class TPrinterSettings {
public:
    TPrinterSettings();

    void BindPrinter(print::TPrinter* printer);
    void ReadFromPrinter();
    void ApplyToPrinter();

    QString Device;
    int Copies = 1;
    bool Duplex = false;
    int ExtendedDuplex = 0;
    TBRBin OutputBin = TBRBin::First;
    TBRPaperSize PaperSize = TBRPaperSize::A4;
    TBRPrinterOrientation Orientation = TBRPrinterOrientation::poPortrait;
    int PaperWidth = 0;
    int PaperLength = 0;
    int XResolution = 0;
    int YResolution = 0;
    int TopOffset = 0;
    int LeftOffset = 0;
    int PrintQuality = 0;
    int Collate = 0;
    int ColorOption = 0;
    bool UseCustomBinCode = false;
    int CustomBinCode = 0;
    bool UseCustomPaperCode = false;
    int CustomPaperCode = 0;
    bool PrintMetaFile = false;
    bool UseStandardPrinter = false;
    int MemoryLimit = 250000;
    // Per paper size, whether the printer offers it.
    std::array<bool, kBRPaperSizeCount> PaperSizes{};
    TBRPrinterSettingsEvent OnGetPrinterSettings;
    TBRPrinterSettingsEvent OnApplyPrinterSettings;

    // What the printer lets be set.
    bool HasPaperCodes() const;
    bool HasCopies() const;
    bool HasBins() const;
    bool HasDuplex() const;

private:
    print::TPrinter* printer_ = nullptr;
};

class TBRPrinter : public QObject {
    Q_OBJECT
public:
    enum TBRDestination { Preview, Printer };
    enum TBRStatus { Ready, Busy, Finished };

    explicit TBRPrinter(TCustomBandRep* report = nullptr);
    ~TBRPrinter() override;

    TCustomBandRep* Report() const { return report_; }
    TPrinterSettings& Settings() { return settings_; }
    TBRPageList& PageList() { return pageList_; }
    print::TPrinter& PrinterObject() { return *printer_; }
    bool PrintersAvailable() const { return !printer_->Printers().isEmpty(); }

    int ToDeviceX(long double x) const;
    int ToDeviceY(long double y) const;
    int ToDeviceWidth(long double width) const;
    int ToDeviceHeight(long double height) const;
    long double PixelsPerTenthX() const { return xFactor_; }
    long double PixelsPerTenthY() const { return yFactor_; }

    int PaperWidth() const;
    int PaperLength() const;
    int PaperWidthSetting() const;
    int PaperLengthSetting() const;
    TBRPaperSize PaperSizeSetting() const { return settings_.PaperSize; }
    TBRPrinterOrientation GetOrientationSetting() const { return settings_.Orientation; }

    void SetCompression(bool value) { pageList_.SetCompression(value); }
    void SetPaperWidthSetting(int width) { settings_.PaperWidth = width; }
    void SetPaperLengthSetting(int length) { settings_.PaperLength = length; }
    bool TrySetCopies(int copies);
    bool TrySetOutputBin(TBRBin bin);
    bool TrySetDuplex(bool duplex);
    bool TrySetOrientation(TBRPrinterOrientation orientation);
    // A size the printer does not offer changes nothing; Default always
    // goes.
    bool TrySetPaperSize(TBRPaperSize size);

    void SelectDestination(TBRDestination destination) { destination_ = destination; }
    TBRDestination Destination() const { return destination_; }
    TBRStatus Status() const { return status_; }
    int PageCount() const { return pageCount_; }
    int CurrentPage() const { return currentPage_; }
    int AvailablePages() const { return availablePages_; }
    bool Cancelled() const { return cancelled_; }
    int Progress() const { return progress_; }

    QString Title;
    int FirstPage = 0;
    int LastPage = 0;
    QPointer<QObject> ProgressWindow;
    std::function<void()> AfterPrint;
    std::function<void()> AfterPreview;

    bool ShowingPreview() const { return showingPreview_; }
    // Hands the printer to the report's OnPreview handler, or shows it in
    // the standard preview window when the report has none.
    void ShowPreview();
    QWidget* StandardPreview() const { return standardPreview_; }
    // Tells the report that made the printer that its preview closed.
    void NotifyReportPreviewClosed();
    // A preview that closes cancels a run still making its pages.
    void SetShowingPreview(bool value);

    void StartDocument();
    void StartNewPage();
    void FinishDocument();
    void AbortDocument();
    void RequestCancel() { cancelled_ = true; }
    void ReportProgress(int percent);
    QPainter* PageCanvas() const { return canvas_; }
    bool InPrintRange(int page) const;

    // The page's picture while busy or finished; nothing for other numbers.
    std::optional<print::TPagePicture> PageMetafile(int page);
    // Prints the stored pages of the range, each on its own sheet; pages a
    // report made without completing them are printed by the report anew.
    void PrintStoredPages();
    // The pages are whole: made by a preparing run, a preview run or loaded.
    void MarkPagesComplete() { pagesComplete_ = true; }
    // Runs the report once more into the filter; pages loaded from a file
    // have no report to run and are refused.
    void ExportThroughReport(TBRExportFilter* filter);
    void SavePageFile(const QString& fileName);
    void LoadPageFile(const QString& fileName);
    void SelectPrinter(int index);
    void Clear();

private:
    void ReportPagesAvailable(int pages);
    void ClosePage();
    void StartMetafilePage();
    void StartPrinterPage();
    void SetFactors(long double x, long double y);
    QRectF StoredPageRect() const;

    TCustomBandRep* report_;
    std::unique_ptr<print::TPrinter> ownPrinter_;
    print::TPrinter* printer_;
    TPrinterSettings settings_;
    TBRPageList pageList_;
    std::unique_ptr<print::TPagePicture> metafile_;
    QPainter* canvas_ = nullptr;
    TBRDestination destination_ = Preview;
    TBRStatus status_ = Ready;
    int pageCount_ = 0;
    int currentPage_ = 0;
    int availablePages_ = 0;
    int progress_ = 0;
    bool cancelled_ = false;
    bool sheetsStarted_ = false;
    bool showingPreview_ = false;
    bool pagesComplete_ = false;
    bool exportable_ = true;
    QPointer<QWidget> standardPreview_;
    long double leftWaste_ = 0;
    long double topWaste_ = 0;
    long double xFactor_ = 96.0L / 254;
    long double yFactor_ = 96.0L / 254;
};

} // namespace kx
