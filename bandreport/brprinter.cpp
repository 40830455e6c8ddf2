#include "bandreport/brprinter.h"

#include "bandreport/brerror.h"
#include "bandreport/brprogressform.h"
#include "bandreport/brstandardpreview.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>

#include <cmath>

namespace kx {

namespace {

constexpr std::array<int, 14> kBinCodes{1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 14};
constexpr int kLastGuessedPaper = 26;
constexpr long double kMinFactor = 0.1L;

long double ScreenFactor() {
    return ScreenPixelsPerInch() / 254.0L;
}

} // namespace

const QEvent::Type TBRPrinterEvent::Progress = QEvent::Type(QEvent::registerEventType());
const QEvent::Type TBRPrinterEvent::PagesAvailable = QEvent::Type(QEvent::registerEventType());

int BinCode(TBRBin bin) {
    return kBinCodes[std::size_t(bin)];
}

TBRBin BinOfCode(int code) {
    for (std::size_t bin = 0; bin < kBinCodes.size(); ++bin)
        if (kBinCodes[bin] == code)
            return TBRBin(bin);
    return TBRBin::First;
}

std::optional<TBRBin> BinOfOrdinal(int ordinal) {
    if (ordinal < int(TBRBin::First) || ordinal > int(TBRBin::Last))
        return std::nullopt;
    return TBRBin(ordinal);
}

TPrinterSettings::TPrinterSettings() = default;

void TPrinterSettings::BindPrinter(print::TPrinter* printer) {
    printer_ = printer;
    if (printer_ && !printer_->Printers().isEmpty())
        ReadFromPrinter();
}

bool TPrinterSettings::HasPaperCodes() const {
    return printer_ && !printer_->PaperCodes().isEmpty();
}

bool TPrinterSettings::HasCopies() const {
    return printer_ && printer_->SupportsCopies();
}

bool TPrinterSettings::HasBins() const {
    return printer_ && !printer_->BinCodes().isEmpty();
}

bool TPrinterSettings::HasDuplex() const {
    return printer_ && printer_->SupportsDuplex();
}

void TPrinterSettings::ReadFromPrinter() {
    if (!printer_)
        return;
    bool cancel = false;
    if (OnGetPrinterSettings)
        OnGetPrinterSettings(nullptr, cancel);
    if (cancel)
        return;
    Device = printer_->PrinterName();
    XResolution = YResolution = printer_->Resolution();
    Copies = HasCopies() ? printer_->Copies() : 1;
    OutputBin = HasBins() ? BinOfCode(printer_->BinCode()) : TBRBin::First;
    if (HasDuplex()) {
        ExtendedDuplex = printer_->DuplexCode();
        Duplex = ExtendedDuplex != print::kDuplexNone;
    }
    const QPointF offset = printer_->PrintableOffsetTenths();
    LeftOffset = qRound(offset.x());
    TopOffset = qRound(offset.y());
    PaperSize = HasPaperCodes() ? PaperSizeOfCode(printer_->PaperCode()) : TBRPaperSize::Default;
    QSizeF sheet = printer_->PaperSizeTenths();
    if (printer_->Orientation() == print::kLandscape)
        sheet.transpose();
    PaperWidth = qRound(sheet.width());
    PaperLength = qRound(sheet.height());
    for (int code : printer_->PaperCodes())
        if (const TBRPaperSize size = PaperSizeOfCode(code); size != TBRPaperSize::Default)
            PaperSizes[std::size_t(size)] = true;
    PrintQuality = printer_->Resolution();
    Collate = printer_->Collate() ? 1 : 0;
    ColorOption = printer_->Device().colorMode() == QPrinter::Color ? 2 : 1;
}

void TPrinterSettings::ApplyToPrinter() {
    if (!printer_)
        return;
    bool cancel = false;
    if (OnApplyPrinterSettings)
        OnApplyPrinterSettings(nullptr, cancel);
    if (cancel)
        return;
    const int paperCode = UseCustomPaperCode ? CustomPaperCode : PaperCode(PaperSize);
    if (paperCode == print::kCustomPaperCode)
        printer_->SetCustomPaper(PaperWidth, PaperLength);
    else if (HasPaperCodes() && PaperSize != TBRPaperSize::Default)
        printer_->SetPaperCode(paperCode);
    if (HasCopies())
        printer_->SetCopies(Copies);
    if (HasDuplex())
        printer_->SetDuplexCode(ExtendedDuplex != 0 ? ExtendedDuplex
                                : Duplex            ? print::kDuplexShortEdge
                                                    : print::kDuplexNone);
    if (HasBins())
        printer_->SetBinCode(UseCustomBinCode ? CustomBinCode : BinCode(OutputBin));
    printer_->SetOrientation(Orientation == TBRPrinterOrientation::poLandscape ? print::kLandscape
                                                                               : print::kPortrait);
    printer_->SetCollate(Collate != 0);
}

TBRPrinter::TBRPrinter(TCustomBandRep* report) : report_(report) {
    if (report) {
        settings_.UseStandardPrinter = report->PrinterSettings.UseStandardprinter;
        settings_.MemoryLimit = report->PrinterSettings.MemoryLimit;
    }
    if (settings_.UseStandardPrinter) {
        printer_ = &print::Printer();
    } else {
        ownPrinter_ = std::make_unique<print::TPrinter>();
        printer_ = ownPrinter_.get();
    }
    settings_.BindPrinter(printer_);
    topWaste_ = settings_.TopOffset;
    leftWaste_ = settings_.LeftOffset;
}

TBRPrinter::~TBRPrinter() {
    if (status_ != Ready)
        Clear();
}

int TBRPrinter::ToDeviceX(long double x) const {
    return int(RoundEven((x - leftWaste_) * xFactor_));
}

int TBRPrinter::ToDeviceY(long double y) const {
    return int(RoundEven((y - topWaste_) * yFactor_));
}

int TBRPrinter::ToDeviceWidth(long double width) const {
    return int(RoundEven(width * xFactor_));
}

int TBRPrinter::ToDeviceHeight(long double height) const {
    return int(RoundEven(height * yFactor_));
}

int TBRPrinter::PaperWidthSetting() const {
    if (const auto paper = PaperDimensions(settings_.PaperSize))
        return int(RoundEven(paper->Width * 10.0L));
    return settings_.PaperWidth;
}

int TBRPrinter::PaperLengthSetting() const {
    if (const auto paper = PaperDimensions(settings_.PaperSize))
        return int(RoundEven(paper->Length * 10.0L));
    return settings_.PaperLength;
}

int TBRPrinter::PaperWidth() const {
    return settings_.Orientation == TBRPrinterOrientation::poLandscape ? PaperLengthSetting()
                                                                       : PaperWidthSetting();
}

int TBRPrinter::PaperLength() const {
    return settings_.Orientation == TBRPrinterOrientation::poLandscape ? PaperWidthSetting()
                                                                       : PaperLengthSetting();
}

bool TBRPrinter::TrySetCopies(int copies) {
    if (!settings_.HasCopies())
        return false;
    settings_.Copies = copies;
    return true;
}

bool TBRPrinter::TrySetOutputBin(TBRBin bin) {
    if (!settings_.HasBins())
        return false;
    settings_.OutputBin = bin;
    return true;
}

bool TBRPrinter::TrySetDuplex(bool duplex) {
    if (!settings_.HasDuplex())
        return false;
    settings_.Duplex = duplex;
    return true;
}

bool TBRPrinter::TrySetOrientation(TBRPrinterOrientation orientation) {
    settings_.Orientation = orientation;
    return true;
}

bool TBRPrinter::TrySetPaperSize(TBRPaperSize size) {
    if (size != TBRPaperSize::Default && !settings_.PaperSizes[std::size_t(size)])
        return false;
    settings_.PaperSize = size;
    return true;
}

bool TBRPrinter::InPrintRange(int page) const {
    return (FirstPage <= 0 || page >= FirstPage) && (LastPage <= 0 || page <= LastPage);
}

void TBRPrinter::SetFactors(long double x, long double y) {
    xFactor_ = x < kMinFactor ? 96.0L / 254 : x;
    yFactor_ = y < kMinFactor ? 96.0L / 254 : y;
}

void TBRPrinter::StartDocument() {
    if (status_ != Ready)
        throw EBRError(QStringLiteral("BRPrinter not ready"));
    metafile_.reset();
    canvas_ = nullptr;
    availablePages_ = 0;
    progress_ = 0;
    cancelled_ = false;
    sheetsStarted_ = false;
    exportable_ = true;
    if (destination_ == Printer) {
        settings_.ApplyToPrinter();
        settings_.ReadFromPrinter();
        leftWaste_ = settings_.LeftOffset;
        topWaste_ = settings_.TopOffset;
    } else {
        leftWaste_ = 0;
        topWaste_ = 0;
    }
    pageCount_ = 0;
    currentPage_ = 0;
    status_ = Busy;
    if (destination_ == Preview) {
        pageList_.SetStream(TBRStream::CreateInMemory(settings_.MemoryLimit));
        SetFactors(ScreenFactor(), ScreenFactor());
    } else {
        SetFactors(printer_->Resolution() / 254.0L, printer_->Resolution() / 254.0L);
    }
}

void TBRPrinter::ClosePage() {
    if (!metafile_)
        return;
    metafile_->End();
    canvas_ = nullptr;
    if (destination_ == Preview)
        pageList_.AddPage(metafile_->Save());
    metafile_.reset();
}

void TBRPrinter::StartNewPage() {
    if (status_ != Busy)
        throw EBRError(QStringLiteral("Illegal call to NewPage"));
    if (currentPage_ > 0) {
        ClosePage();
        ReportPagesAvailable(availablePages_ + 1);
    }
    ++pageCount_;
    ++currentPage_;
    if (destination_ == Printer && InPrintRange(currentPage_))
        StartPrinterPage();
    else
        StartMetafilePage();
}

void TBRPrinter::StartMetafilePage() {
    SetFactors(ScreenFactor(), ScreenFactor());
    const QSize size(ToDeviceWidth(PaperWidth()), ToDeviceHeight(PaperLength()));
    metafile_ = std::make_unique<print::TPagePicture>(size, ScreenPixelsPerInch());
    canvas_ = metafile_->Begin();
}

void TBRPrinter::StartPrinterPage() {
    if (sheetsStarted_) {
        printer_->NewPage();
    } else {
        printer_->SetTitle(Title);
        if (!printer_->BeginDoc())
            throw EBRError(QStringLiteral("The print job could not be started on \"%1\"")
                               .arg(printer_->PrinterName()));
        sheetsStarted_ = true;
    }
    canvas_ = printer_->Canvas();
    SetFactors(printer_->Resolution() / 254.0L, printer_->Resolution() / 254.0L);
}

void TBRPrinter::FinishDocument() {
    if (status_ != Busy)
        return;
    ClosePage();
    canvas_ = nullptr;
    if (destination_ == Printer)
        printer_->EndDoc();
    status_ = Finished;
    ReportPagesAvailable(pageCount_);
    QCoreApplication::processEvents();
    if (destination_ == Preview)
        pageList_.Finish();
    else if (AfterPrint)
        AfterPrint();
}

void TBRPrinter::AbortDocument() {
    if (destination_ == Printer) {
        printer_->Abort();
        metafile_.reset();
        canvas_ = nullptr;
    } else {
        ClosePage();
    }
    status_ = Finished;
}

void TBRPrinter::ShowPreview() {
    if (report_ && report_->OnPreview)
        report_->OnPreview(this);
    else
        standardPreview_ = TBRStandardPreviewInterface().Show(this);
}

void TBRPrinter::NotifyReportPreviewClosed() {
    if (report_)
        report_->PreviewClosed(this);
}

void TBRPrinter::SetShowingPreview(bool value) {
    const bool closing = showingPreview_ && !value;
    showingPreview_ = value;
    if (!closing)
        return;
    if (status_ == Busy)
        RequestCancel();
    if (AfterPreview)
        AfterPreview();
}

void TBRPrinter::ReportProgress(int percent) {
    // The window shows nothing new for the same percentage.
    const bool changed = percent != progress_;
    progress_ = percent;
    if (changed && ProgressWindow)
        QCoreApplication::postEvent(ProgressWindow,
                                    new TBRPrinterEvent(TBRPrinterEvent::Progress, percent));
}

void TBRPrinter::ReportPagesAvailable(int pages) {
    availablePages_ = pages;
    if (ProgressWindow)
        QCoreApplication::postEvent(ProgressWindow,
                                    new TBRPrinterEvent(TBRPrinterEvent::PagesAvailable, pages));
}

std::optional<print::TPagePicture> TBRPrinter::PageMetafile(int page) {
    if (status_ == Ready || page < 1 || page > pageCount_)
        return std::nullopt;
    const std::optional<QByteArray> bytes = pageList_.GetPage(page);
    if (!bytes)
        return std::nullopt;
    auto picture = print::TPagePicture::Load(*bytes);
    if (!picture)
        throw EBRError(QStringLiteral("Page %1 of the report cannot be read").arg(page));
    return picture;
}

QRectF TBRPrinter::StoredPageRect() const {
    const long double x = settings_.XResolution / 254.0L;
    const long double y = settings_.YResolution / 254.0L;
    const long double left = settings_.LeftOffset;
    const long double top = settings_.TopOffset;
    const qreal l = qreal(-RoundEven(left * x));
    const qreal t = qreal(-RoundEven(top * y));
    const qreal r = qreal(RoundEven((PaperWidth() - left) * x));
    const qreal b = qreal(RoundEven((PaperLength() - top) * y));
    return QRectF(QPointF(l, t), QPointF(r, b));
}

void TBRPrinter::ExportThroughReport(TBRExportFilter* filter) {
    if (!report_ || !exportable_)
        throw EBRError(QStringLiteral("Pages loaded from a page file cannot be exported"));
    report_->ExportWithFilter(filter);
}

void TBRPrinter::PrintStoredPages() {
    if (report_ && !pagesComplete_ && !settings_.PrintMetaFile && status_ == Finished) {
        QMetaObject::invokeMethod(report_, &TCustomBandRep::PrintToPrinter, Qt::QueuedConnection);
        return;
    }
    if (status_ != Finished || !PrintersAvailable() || pageCount_ == 0)
        return;
    const int first = qMax(1, FirstPage);
    const int last = LastPage > 0 ? qMin(LastPage, pageCount_) : pageCount_;
    if (first > last)
        return;
    printer_->Abort();
    settings_.ApplyToPrinter();
    settings_.ReadFromPrinter();
    printer_->SetTitle(Title);
    QPainter* canvas = printer_->BeginDoc();
    if (!canvas)
        throw EBRError(QStringLiteral("The print job could not be started on \"%1\"")
                           .arg(printer_->PrinterName()));
    cancelled_ = false;
    TBRProgressForm progress(this);
    progress.show();
    const QPointer<QObject> previousWindow = ProgressWindow;
    ProgressWindow = &progress;
    const auto restore = qScopeGuard([&] { ProgressWindow = previousWindow; });
    const QRectF target = StoredPageRect();
    for (int page = first; page <= last; ++page) {
        QCoreApplication::processEvents();
        ReportProgress(qRound(double(page - first + 1) / (last - first + 1) * 100));
        if (const auto picture = PageMetafile(page))
            picture->Play(*canvas, target);
        if (cancelled_) {
            printer_->Abort();
            return;
        }
        if (page < last)
            printer_->NewPage();
    }
    printer_->EndDoc();
}

void TBRPrinter::SavePageFile(const QString& fileName) {
    if (status_ == Finished)
        pageList_.CopyToFile(fileName);
}

void TBRPrinter::LoadPageFile(const QString& fileName) {
    if (status_ != Ready)
        Clear();
    pageList_.OpenPageFile(fileName);
    pagesComplete_ = true;
    pageCount_ = pageList_.PageCount();
    currentPage_ = 0;
    availablePages_ = pageCount_;
    SetFactors(ScreenFactor(), ScreenFactor());
    status_ = Finished;
    exportable_ = false;
    SetPageFileLoaded(true);
    const auto first = PageMetafile(1);
    if (!first)
        return;
    const int width4 = int(first->Size().width() / xFactor_ / 40);
    const int length4 = int(first->Size().height() / yFactor_ / 40);
    for (int code = 1; code <= kLastGuessedPaper; ++code) {
        const TBRPaperSize size = TBRPaperSize(code);
        const TBRPaperDimensions paper = *PaperDimensions(size);
        const int paperWidth4 = int(paper.Width / 4);
        const int paperLength4 = int(paper.Length / 4);
        if (width4 == paperWidth4 && length4 == paperLength4 && TrySetPaperSize(size))
            TrySetOrientation(TBRPrinterOrientation::poPortrait);
        if (length4 == paperWidth4 && width4 == paperLength4 && TrySetPaperSize(size))
            TrySetOrientation(TBRPrinterOrientation::poLandscape);
    }
}

void TBRPrinter::SelectPrinter(int index) {
    if (!PrintersAvailable() || settings_.UseStandardPrinter)
        return;
    printer_->SetPrinterIndex(index);
    settings_.ReadFromPrinter();
}

void TBRPrinter::Clear() {
    if (status_ == Busy)
        RequestCancel();
    if (printer_->Printing())
        printer_->Abort();
    metafile_.reset();
    canvas_ = nullptr;
    pageList_.SetStream(nullptr);
    pageList_.Reset();
    pageCount_ = 0;
    status_ = Ready;
}

} // namespace kx
