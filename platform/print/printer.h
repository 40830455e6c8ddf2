#pragma once
// The printer object the report engine draws through: a print queue of the
// system or, when no queue is installed, a PDF file kept in the user's
// documents folder, so that a user without a printer can always print.
// Paper, bins and duplex speak the Windows codes the report settings keep
// (paper 1..68 and 256 for a custom size, bins 1..14, duplex 1..3,
// orientation 1 portrait and 2 landscape); lengths are in tenths of a
// millimetre.

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;

namespace kx::print {

inline constexpr int kCustomPaperCode = 256;
inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;
inline constexpr int kDuplexNone = 1;
inline constexpr int kDuplexLongEdge = 2;
inline constexpr int kDuplexShortEdge = 3;

// Queues of the system; empty where none is installed.
QStringList InstalledPrinters();

// Where the files the user keeps go: PDF output, named after the job's
// title and the time, and the spreadsheet exports. By default the
// program's sub-folder of the documents folder, never the temporary folder
// that the next start empties. Who shows a finished PDF: nobody until the
// program sets a viewer, so that tests never open windows. An empty folder
// sets the default again.
void SetPdfFolder(const QString& folder);
QString PdfFolder();
void SetPdfViewer(std::function<void(const QString& fileName)> viewer);

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The installed queues, or the single PDF entry when there are none.
    QStringList Printers() const;
    int PrinterIndex() const { return printerIndex_; }
    // Selects a printer (-1: the system's default) and loads its defaults.
    void SetPrinterIndex(int index);
    QString PrinterName() const;
    bool IsPdf() const { return pdf_; }

    int Resolution() const;
    QList<int> PaperCodes() const;
    // The bins the printer reports (empty where the platform tells none).
    QList<int> BinCodes() const;
    bool SupportsCopies() const;
    bool SupportsDuplex() const;

    int PaperCode() const;
    // False, changing nothing, for a code this printer does not offer.
    bool SetPaperCode(int code);
    void SetCustomPaper(double widthTenths, double lengthTenths);
    // The sheet as oriented, and the printable area's offset from its edges.
    QSizeF PaperSizeTenths() const;
    QPointF PrintableOffsetTenths() const;

    int Orientation() const;
    void SetOrientation(int code);
    int Copies() const;
    void SetCopies(int copies);
    bool Collate() const;
    void SetCollate(bool collate);
    int DuplexCode() const;
    void SetDuplexCode(int code);
    int BinCode() const;
    void SetBinCode(int code);

    QString Title() const;
    void SetTitle(const QString& title);

    // A job: BeginDoc gives the canvas in device pixels, NewPage starts the
    // next sheet, EndDoc finishes (and shows a PDF), Abort drops the job.
    QPainter* BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const { return painter_ != nullptr; }
    QPainter* Canvas() const { return painter_.get(); }
    // The PDF file of the last job, empty for a queue.
    QString OutputFileName() const;

    QPrinter& Device() const { return *printer_; }

private:
    void LoadPrinter(const QString& name);

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    int printerIndex_ = -1;
    int paperCode_ = 0;
    bool pdf_ = false;
};

// The application's shared printer object.
TPrinter& Printer();

} // namespace kx::print
