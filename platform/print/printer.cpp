#include "platform/print/printer.h"

#include "platform/sys/files.h"

#include <QDateTime>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <array>
#include <cmath>
#include <utility>

namespace kx::print {

namespace {

const QString kPdfPrinterName = QStringLiteral("PDF file");

// Bin codes by paper source; the two numberings are not a fixed offset apart.
constexpr std::array<std::pair<QPrinter::PaperSource, int>, 12> kBinCodes{{
    {QPrinter::OnlyOne, 1},
    {QPrinter::Lower, 2},
    {QPrinter::Middle, 3},
    {QPrinter::Manual, 4},
    {QPrinter::Envelope, 5},
    {QPrinter::EnvelopeManual, 6},
    {QPrinter::Auto, 7},
    {QPrinter::Tractor, 8},
    {QPrinter::SmallFormat, 9},
    {QPrinter::LargeFormat, 10},
    {QPrinter::LargeCapacity, 11},
    {QPrinter::Cassette, 14},
}};

QString DefaultPdfFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           QStringLiteral("/kxcashier");
}

QString& PdfFolderSetting() {
    static QString folder = DefaultPdfFolder();
    return folder;
}

std::function<void(const QString&)>& PdfViewer() {
    static std::function<void(const QString&)> viewer;
    return viewer;
}

int ToTenths(double millimetres) {
    return int(std::nearbyint(millimetres * 10.0));
}

QPrinterInfo InfoOf(const QPrinter& printer) {
    return QPrinterInfo(printer);
}

} // namespace

QStringList InstalledPrinters() {
    return QPrinterInfo::availablePrinterNames();
}

void SetPdfFolder(const QString& folder) {
    PdfFolderSetting() = folder.isEmpty() ? DefaultPdfFolder() : folder;
}

QString PdfFolder() {
    return PdfFolderSetting();
}

void SetPdfViewer(std::function<void(const QString& fileName)> viewer) {
    PdfViewer() = std::move(viewer);
}

TPrinter::TPrinter() {
    SetPrinterIndex(-1);
}

TPrinter::~TPrinter() {
    if (Printing())
        Abort();
}

QStringList TPrinter::Printers() const {
    const QStringList installed = InstalledPrinters();
    return installed.isEmpty() ? QStringList{kPdfPrinterName} : installed;
}

void TPrinter::SetPrinterIndex(int index) {
    const QStringList installed = InstalledPrinters();
    if (installed.isEmpty()) {
        printerIndex_ = index < 0 ? -1 : 0;
        LoadPrinter({});
        return;
    }
    if (index >= installed.size())
        return;
    printerIndex_ = index;
    LoadPrinter(index < 0 ? QPrinterInfo::defaultPrinterName() : installed.at(index));
}

void TPrinter::LoadPrinter(const QString& name) {
    pdf_ = name.isEmpty();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (pdf_) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setFullPage(true);
        printer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    } else {
        printer_->setPrinterName(name);
        const QPrinterInfo info = InfoOf(*printer_);
        if (!info.isNull())
            printer_->setPageSize(info.defaultPageSize());
    }
    paperCode_ = printer_->pageLayout().pageSize().windowsId();
}

QString TPrinter::PrinterName() const {
    return pdf_ ? kPdfPrinterName : printer_->printerName();
}

int TPrinter::Resolution() const {
    return printer_->resolution();
}

QList<int> TPrinter::PaperCodes() const {
    QList<int> codes;
    if (pdf_) {
        for (int code = 1; code <= 68; ++code)
            if (QPageSize::id(code) != QPageSize::Custom)
                codes.append(code);
        codes.append(kCustomPaperCode);
        return codes;
    }
    const QPrinterInfo info = InfoOf(*printer_);
    for (const QPageSize& size : info.supportedPageSizes())
        if (size.windowsId() > 0 && !codes.contains(size.windowsId()))
            codes.append(size.windowsId());
    if (info.supportsCustomPageSizes())
        codes.append(kCustomPaperCode);
    return codes;
}

QList<int> TPrinter::BinCodes() const {
    // Print Support lists no paper sources for queues here, so none is
    // claimed; the source chosen is still passed on with the job.
    return {};
}

bool TPrinter::SupportsCopies() const {
    return !pdf_ && printer_->supportsMultipleCopies();
}

bool TPrinter::SupportsDuplex() const {
    if (pdf_)
        return false;
    const QList<QPrinter::DuplexMode> modes = InfoOf(*printer_).supportedDuplexModes();
    return modes.contains(QPrinter::DuplexLongSide) || modes.contains(QPrinter::DuplexShortSide);
}

int TPrinter::PaperCode() const {
    return paperCode_;
}

bool TPrinter::SetPaperCode(int code) {
    if (code == kCustomPaperCode || !PaperCodes().contains(code))
        return false;
    printer_->setPageSize(QPageSize(QPageSize::id(code)));
    paperCode_ = code;
    return true;
}

void TPrinter::SetCustomPaper(double widthTenths, double lengthTenths) {
    printer_->setPageSize(
        QPageSize(QSizeF(widthTenths / 10.0, lengthTenths / 10.0), QPageSize::Millimeter));
    paperCode_ = kCustomPaperCode;
}

QSizeF TPrinter::PaperSizeTenths() const {
    const QRectF full = printer_->pageLayout().fullRect(QPageLayout::Millimeter);
    return {double(ToTenths(full.width())), double(ToTenths(full.height()))};
}

QPointF TPrinter::PrintableOffsetTenths() const {
    if (printer_->fullPage())
        return {};
    const QRectF paint = printer_->pageLayout().paintRect(QPageLayout::Millimeter);
    return {double(ToTenths(paint.left())), double(ToTenths(paint.top()))};
}

int TPrinter::Orientation() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
}

void TPrinter::SetOrientation(int code) {
    printer_->setPageOrientation(code == kLandscape ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait);
}

int TPrinter::Copies() const {
    return printer_->copyCount();
}

void TPrinter::SetCopies(int copies) {
    printer_->setCopyCount(qMax(1, copies));
}

bool TPrinter::Collate() const {
    return printer_->collateCopies();
}

void TPrinter::SetCollate(bool collate) {
    printer_->setCollateCopies(collate);
}

int TPrinter::DuplexCode() const {
    switch (printer_->duplex()) {
    case QPrinter::DuplexLongSide:
        return kDuplexLongEdge;
    case QPrinter::DuplexShortSide:
        return kDuplexShortEdge;
    default:
        return kDuplexNone;
    }
}

void TPrinter::SetDuplexCode(int code) {
    if (code == kDuplexLongEdge)
        printer_->setDuplex(QPrinter::DuplexLongSide);
    else if (code == kDuplexShortEdge)
        printer_->setDuplex(QPrinter::DuplexShortSide);
    else
        printer_->setDuplex(QPrinter::DuplexNone);
}

int TPrinter::BinCode() const {
    for (const auto& [source, code] : kBinCodes)
        if (source == printer_->paperSource())
            return code;
    return 1;
}

void TPrinter::SetBinCode(int code) {
    for (const auto& [source, known] : kBinCodes)
        if (known == code) {
            printer_->setPaperSource(source);
            return;
        }
}

QString TPrinter::Title() const {
    return printer_->docName();
}

void TPrinter::SetTitle(const QString& title) {
    printer_->setDocName(title);
}

QPainter* TPrinter::BeginDoc() {
    if (pdf_) {
        const QString fileName = sys::CreateTimedFile(PdfFolder(), Title(), QStringLiteral("pdf"),
                                                      QDateTime::currentDateTime());
        if (fileName.isEmpty())
            return nullptr;
        printer_->setOutputFileName(fileName);
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer_.get())) {
        if (pdf_)
            QFile::remove(printer_->outputFileName());
        return nullptr;
    }
    painter_ = std::move(painter);
    return painter_.get();
}

void TPrinter::NewPage() {
    if (Printing())
        printer_->newPage();
}

void TPrinter::EndDoc() {
    if (!Printing())
        return;
    painter_->end();
    painter_.reset();
    if (pdf_ && PdfViewer())
        PdfViewer()(printer_->outputFileName());
}

void TPrinter::Abort() {
    if (!Printing())
        return;
    printer_->abort();
    painter_->end();
    painter_.reset();
    if (pdf_)
        QFile::remove(printer_->outputFileName());
}

QString TPrinter::OutputFileName() const {
    return pdf_ ? printer_->outputFileName() : QString();
}

TPrinter& Printer() {
    static TPrinter printer;
    return printer;
}

} // namespace kx::print
