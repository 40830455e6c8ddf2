#pragma once
// The banded report: page, units, options and the bands that a window
// places on it, kept in print order.

#include "bandreport/brband.h"
#include "bandreport/brcontroller.h"
#include "bandreport/brevenvironment.h"
#include "bandreport/brunitbase.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace kx {

namespace db {
class TDataSet;
}

enum class TBRBin {
    First,
    Upper,
    Lower,
    Middle,
    Manual,
    Envelope,
    EnvManual,
    Auto,
    Tractor,
    SmallFormat,
    LargeFormat,
    LargeCapacity,
    Cassette,
    Last
};

enum class TBRZoomState { brZoomToFit, brZoomToWidth, brZoomOther };
// How the standard preview window stands among the other windows.
enum class TFormStyle { fsNormal, fsStayOnTop };

// What a report asks of the printer.
struct TBandRepPrinterSettings {
    int Copies = 1;
    TBRBin OutputBin = TBRBin::Auto;
    bool Duplex = false;
    int FirstPage = 0;
    int LastPage = 0;
    bool UseStandardprinter = false;
    bool UseCustomBinCode = false;
    int CustomBinCode = 0;
    int ExtendedDuplex = 0;
    bool UseCustomPaperCode = false;
    int CustomPaperCode = 0;
    bool PrintMetaFile = false;
    int MemoryLimit = 250000;
    int PrintQuality = 0;
    int Collate = 0;
    int ColorOption = 0;
    int PrinterIndex = -1;
    TBRPrinterOrientation Orientation = TBRPrinterOrientation::poPortrait;
    int PaperCode = 1;
};

class TCustomBandRep;
class TBRExportFilter;
class TBRExpr;
class TBRPrinter;
class TBRPrintable;
using TBRNotifyEvent = std::function<void(TCustomBandRep* sender)>;
using TBRReportBeforePrintEvent = std::function<void(TCustomBandRep* sender, bool& printReport)>;
using TBRSenderEvent = std::function<void(QObject* sender)>;

// The paper size a new report starts with: what a newly made printer
// reports, Default when it tells none.
// Set when a page file is loaded and cleared when a report is made: the
// standard preview then prints the stored pages instead of running the
// report anew.
bool PageFileLoaded();
void SetPageFileLoaded(bool value);

using TBRNewPrinterPaperSize = std::function<TBRPaperSize()>;
void SetNewPrinterPaperSize(TBRNewPrinterPaperSize source);

class TCustomBandRep : public QObject {
    Q_OBJECT
public:
    enum Option { FirstPageHeader = 1, LastPageFooter = 2, Compression = 4 };

    explicit TCustomBandRep(QObject* owner = nullptr);
    ~TCustomBandRep() override;

    TBRPage& Page() { return page_; }
    const TBRPage& Page() const { return page_; }
    TBRUnit Units() const { return page_.Units(); }
    void SetUnits(TBRUnit units);
    int Zoom() const { return zoom_; }
    // Takes 1..300; other values change nothing.
    void SetZoom(int zoom);
    QFont Font() const { return font_; }
    void SetFont(const QFont& font);
    TBRFrame& Frame() { return frame_; }
    TBREvEnvironment& Functions() { return functions_; }
    TBRController& Controller() { return *controller_; }
    const TBRController& Controller() const { return *controller_; }

    QString ReportTitle;
    QStringList Description;
    int Options = FirstPageHeader | LastPageFooter;
    bool ShowProgress = true;
    bool SnapToGrid = true;
    bool PrevShowThumbs = true;
    bool PrevShowSearch = true;
    TBRZoomState PrevInitialZoom = TBRZoomState::brZoomToFit;
    TFormStyle PrevFormStyle = TFormStyle::fsNormal;
    Qt::WindowStates PreviewInitialState = Qt::WindowNoState;
    TBandRepPrinterSettings PrinterSettings;
    // The last print dialog's choices.
    TBandRepPrinterSettings DialogSettings;
    // 1 after a cancelled printer set-up, 0 after a confirmed one.
    int Tag = 0;
    TBRSenderEvent AfterPrint;
    TBRSenderEvent AfterPreview;
    TBRSenderEvent OnPreview;
    TBRReportBeforePrintEvent BeforePrint;
    TBRNotifyEvent OnStartPage;
    TBRNotifyEvent OnEndPage;

    // 0 or less reads as 500.
    int PreviewWidth() const { return previewWidth_ > 0 ? previewWidth_ : 500; }
    void SetPreviewWidth(int width) { previewWidth_ = width; }
    int PreviewHeight() const { return previewHeight_ > 0 ? previewHeight_ : 500; }
    void SetPreviewHeight(int height) { previewHeight_ = height; }

    db::TDataSet* DataSet() const;
    void SetDataSet(db::TDataSet* dataSet);
    bool PrintIfEmpty() const;
    void SetPrintIfEmpty(bool value);

    // The bands in print order.
    QList<TBRCustomBand*> Bands() const;
    // True when a band of the type stands on the report.
    bool HasBand(TBRBandType type) const;
    // Creates the band when absent (true) or frees the first of the type.
    void SetHasBand(TBRBandType type, bool value);
    TBRBand* CreateBand(TBRBandType type);

    void AddBand(TBRCustomBand* band);
    void RemoveBand(TBRCustomBand* band);
    void RebuildBandOrder();
    void ArrangeBands();

    // Height of a line, and width plus 1, of text in font at screen
    // resolution, in pixels.
    virtual int MeasureTextHeight(const QFont& font, const QString& text) const;
    virtual int MeasureTextWidth(const QFont& font, const QString& text) const;
    // Metrics of the font on the device (the screen for none), kept for the
    // font and device asked last: a run prints in few fonts on one device.
    const QFontMetrics& DeviceMetrics(const QFont& font, const QPaintDevice* device) const;

    // State of a run. The printer is the run's own; the filter is set while
    // the report exports.
    TBRPrinter* ActivePrinter = nullptr;
    TBRExportFilter* ExportFilter = nullptr;
    bool DrawOnCanvas = true;
    // The data sets the expressions of a run reach.
    TBRDatasetList RunDatasets;
    bool Running = false;
    int CurrentPage = 0;
    long double CursorY = -1;
    long double FooterReserve = 0;
    // Room left on the page below the cursor, in tenths of a millimetre.
    long double SpaceLeft() const;
    int CurrentDetailNumber() const { return controller_->RecordsDone; }
    // Expressions whose aggregates follow the report's detail records.
    void AddNotifyExpr(TBRExpr* expression);

    int CurrentColumn = 1;
    long double CursorX = 0;
    long double ColumnTop = 0;
    bool RunCancelled = false;
    bool LoopFinished = false;
    bool SkipNextForcedPage = false;
    bool ForcedColumnArmed = false;
    // The page or column break being made was caused by a detail band.
    bool BrokenByDetail = false;

    // Runs the report into the pages of a new printer, which stays the
    // report's ActivePrinter until FreeActivePrinter.
    void PreparePages();
    // Runs the report while the preview shows the pages as they come, and
    // returns when the preview has closed. The preview is the OnPreview
    // handler's, which attaches a preview control to the printer (Sender).
    void ShowPreviewAndWait();
    // The preview of the printer closed: a run still going is cancelled,
    // otherwise the printer is freed.
    void PreviewClosed(TBRPrinter* printer);
    // Runs the report straight to the printer, a PDF file where no printer
    // is installed.
    void PrintToPrinter();
    // Runs the report once more, handing its texts to the filter; refused
    // while a run is under way.
    void ExportWithFilter(TBRExportFilter* filter);
    void CancelRun();
    // Asks for printer, range and copies and keeps the choices.
    void RunPrinterSetupDialog();
    void FreeActivePrinter();
    virtual void GenerateReport();

    void StartNextColumn();
    void StartNextPage();
    void FinishPage();
    void ForcedNewPage();
    void ForcedNewColumn();
    void OutputBand(TBRCustomBand* band);
    void CopySettingsToPrinter();
    // Printables on the bands and on the report itself, in control order.
    QList<TBRPrintable*> Printables() const;

    // The owner of bands made by the report.
    QObject* BandOwner();
    // A band's height changed: the bands below it move.
    void BandSizeChanged();

protected:
    virtual void BindBandsToController() {}
    virtual void RunController();

private:
    // Metrics at screen resolution of the font measured last.
    const QFontMetrics& ScreenMetrics(const QFont& font) const;
    void CreatePrinterIfIdle();
    void Generate();
    void MeasurePageFooters();
    void PrintPageOverlay();
    void SetReportConstant(const QString& name, int value);
    TBRCustomBand* FirstBand(TBRBandType type) const;

    TBRPage page_;
    TBRFrame frame_;
    QFont font_;
    TBREvEnvironment functions_;
    std::unique_ptr<TBRController> controller_;
    QList<QPointer<TBRCustomBand>> bands_;
    int zoom_ = 100;
    int previewWidth_ = 500;
    int previewHeight_ = 500;
    bool reordering_ = false;
    mutable std::optional<QFontMetrics> metrics_;
    mutable QFont metricsFont_;
    mutable QHash<QString, int> widths_;
    mutable std::optional<QFontMetrics> deviceMetrics_;
    mutable QFont deviceMetricsFont_;
    mutable std::array<int, 3> deviceMetricsKey_{};
};

class TBandRep : public TCustomBandRep {
    Q_OBJECT
public:
    using TCustomBandRep::TCustomBandRep;

    // Records of the report's data set; 1 without an open data set or when
    // asking fails.
    int DataSetRecordCount() const;
    // Pads the last page with empty rows up to count detail rows; the
    // windows call it at every page start, so the count restarts there.
    void SetMinDetailRows(int count);
    bool IsSummany() const { return Controller().IsSummany; }
    void SetIsSummany(bool value) { Controller().IsSummany = value; }

protected:
    void BindBandsToController() override;
};

QString MakeUniqueBandName(QObject* owner, const QString& prefix);

} // namespace kx
