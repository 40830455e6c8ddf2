// The run of a report: its data set walked record by record, bands printed
// at a cursor in tenths of a millimetre, pages and columns started as the
// bands need room.

#include "bandreport/bandrep.h"
#include "bandreport/brband.h"
#include "bandreport/brcontroller.h"
#include "bandreport/brerror.h"
#include "bandreport/brexportfilter.h"
#include "bandreport/brprintable.h"
#include "bandreport/brprintdialog.h"
#include "bandreport/brprinter.h"
#include "bandreport/brprogressform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScopeGuard>

namespace kx {

namespace {

// Design pixels per tenth of a millimetre.
constexpr long double kDesignPixelsPerTenth = 0.37795L;

bool SameValue(const TBREvValue& a, const TBREvValue& b) {
    if (a.Kind != b.Kind)
        return false;
    switch (a.Kind) {
    case TBREvKind::Integer:
        return a.IntegerValue == b.IntegerValue;
    case TBREvKind::Float:
        return a.FloatValue == b.FloatValue;
    case TBREvKind::String:
        return a.StringValue == b.StringValue;
    case TBREvKind::Boolean:
        return a.BooleanValue == b.BooleanValue;
    case TBREvKind::Error:
        break;
    }
    return true;
}

// Handling pending events costs more than printing a record: a preview
// and a cancel button stay as responsive when it happens every few
// milliseconds rather than for every record.
void HandlePendingEvents(QElapsedTimer& since) {
    constexpr qint64 kInterval = 5;
    if (since.isValid() && since.elapsed() < kInterval)
        return;
    QCoreApplication::processEvents();
    since.start();
}

bool IsPageBand(TBRBandType type) {
    return type == TBRBandType::rbTitle || type == TBRBandType::rbPageHeader ||
           type == TBRBandType::rbPageFooter || type == TBRBandType::rbOverlay;
}

} // namespace

TBRCustomBand* TCustomBandRep::FirstBand(TBRBandType type) const {
    for (TBRCustomBand* band : Bands())
        if (band->BandType() == type)
            return band;
    return nullptr;
}

QList<TBRPrintable*> TCustomBandRep::Printables() const {
    QList<TBRPrintable*> printables;
    for (TBRCustomBand* band : Bands())
        printables += band->findChildren<TBRPrintable*>(Qt::FindDirectChildrenOnly);
    printables += findChildren<TBRPrintable*>(Qt::FindDirectChildrenOnly);
    return printables;
}

void TCustomBandRep::CreatePrinterIfIdle() {
    if (Running)
        return;
    auto* printer = new TBRPrinter(this);
    printer->setParent(this);
    if (ActivePrinter)
        printer->ProgressWindow = ActivePrinter->ProgressWindow;
    printer->AfterPrint = [this] {
        if (AfterPrint)
            AfterPrint(this);
    };
    printer->AfterPreview = [this] {
        if (AfterPreview)
            AfterPreview(this);
    };
    ActivePrinter = printer;
}

void TCustomBandRep::FreeActivePrinter() {
    delete ActivePrinter;
    ActivePrinter = nullptr;
}

void TCustomBandRep::PreparePages() {
    if (Running)
        return;
    CreatePrinterIfIdle();
    ActivePrinter->SelectDestination(TBRPrinter::Preview);
    ActivePrinter->Title = ReportTitle;
    GenerateReport();
    if (ActivePrinter)
        ActivePrinter->MarkPagesComplete();
}

void TCustomBandRep::ShowPreviewAndWait() {
    QCoreApplication::processEvents();
    if (Running)
        return;
    CreatePrinterIfIdle();
    const QPointer<TBRPrinter> printer = ActivePrinter;
    printer->SelectDestination(TBRPrinter::Preview);
    printer->Title = ReportTitle;
    CopySettingsToPrinter();
    printer->ShowPreview();
    GenerateReport();
    if (printer)
        printer->MarkPagesComplete();
    if (RunCancelled) {
        FreeActivePrinter();
        return;
    }
    while (ActivePrinter && ActivePrinter == printer && printer->ShowingPreview() &&
           !QCoreApplication::closingDown())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TCustomBandRep::PreviewClosed(TBRPrinter* printer) {
    if (Running) {
        CancelRun();
        return;
    }
    if (!printer || printer != ActivePrinter)
        return;
    ActivePrinter = nullptr;
    printer->SetShowingPreview(false);
    printer->deleteLater();
}

void TCustomBandRep::PrintToPrinter() {
    if (Running)
        return;
    TBRPrinter* kept = ActivePrinter;
    auto printer = std::make_unique<TBRPrinter>(this);
    if (!printer->PrintersAvailable())
        return;
    printer->SelectDestination(TBRPrinter::Printer);
    printer->Title = ReportTitle;
    printer->AfterPrint = [this] {
        if (AfterPrint)
            AfterPrint(this);
    };
    TBRProgressForm progress(printer.get());
    if (ShowProgress)
        progress.show();
    printer->ProgressWindow = &progress;
    ActivePrinter = printer.get();
    const auto restore = qScopeGuard([&] { ActivePrinter = kept; });
    GenerateReport();
}

void TCustomBandRep::ExportWithFilter(TBRExportFilter* filter) {
    if (Running)
        throw EBRError(QStringLiteral("The report cannot be exported while it is running"));
    TBRPrinter* kept = ActivePrinter;
    TBRPrinter printer(this);
    printer.Title = ReportTitle;
    filter->Report = this;
    ExportFilter = filter;
    DrawOnCanvas = false;
    ActivePrinter = &printer;
    const auto restore = qScopeGuard([&] {
        ExportFilter = nullptr;
        DrawOnCanvas = true;
        ActivePrinter = kept;
    });
    GenerateReport();
}

void TCustomBandRep::RunPrinterSetupDialog() {
    TBRPrintDialog dialog;
    print::TPrinter& printer = *dialog.Printer;
    printer.SetPrinterIndex(PrinterSettings.PrinterIndex);
    dialog.MinPage = 0;
    dialog.MaxPage = 9999;
    if (ActivePrinter && ActivePrinter->Status() == TBRPrinter::Finished) {
        dialog.MinPage = 1;
        dialog.MaxPage = ActivePrinter->PageCount();
        dialog.ToPage = ActivePrinter->PageCount();
        dialog.FromPage = 1;
    }
    dialog.Options = poPageNums | poWarning;
    printer.SetOrientation(page_.Orientation() == TBRPrinterOrientation::poLandscape
                               ? print::kLandscape
                               : print::kPortrait);
    dialog.SetCopyCount(PrinterSettings.Copies);
    if (!dialog.RunDialog()) {
        Tag = 1;
        return;
    }
    PrinterSettings.Copies = dialog.Copies();
    PrinterSettings.PrinterIndex = printer.PrinterIndex();
    const auto orientation = dialog.Orientation == print::kLandscape
                                 ? TBRPrinterOrientation::poLandscape
                                 : TBRPrinterOrientation::poPortrait;
    page_.SetOrientation(orientation);
    DialogSettings.CustomBinCode = dialog.OutputBin;
    DialogSettings.ExtendedDuplex = dialog.DuplexCode;
    DialogSettings.PrintQuality = dialog.PrintQuality;
    DialogSettings.Collate = dialog.Collate;
    DialogSettings.ColorOption = dialog.ColorOption;
    DialogSettings.Copies = dialog.Copies();
    DialogSettings.Orientation = orientation;
    DialogSettings.FirstPage = dialog.FromPage;
    DialogSettings.LastPage = dialog.ToPage;
    DialogSettings.OutputBin = PrinterSettings.OutputBin;
    DialogSettings.CustomPaperCode = dialog.PaperSize;
    DialogSettings.PrinterIndex = PrinterSettings.PrinterIndex;
    DialogSettings.Duplex = dialog.Duplex;
    const bool pages = dialog.PrintRange == prPageNums;
    PrinterSettings.FirstPage = pages ? dialog.FromPage : 0;
    PrinterSettings.LastPage = pages ? dialog.ToPage : 0;
    Tag = 0;
}

void TCustomBandRep::CancelRun() {
    if (!Running)
        return;
    RunCancelled = true;
    if (ActivePrinter)
        ActivePrinter->RequestCancel();
}

void TCustomBandRep::CopySettingsToPrinter() {
    TBRPrinter& printer = *ActivePrinter;
    const TBandRepPrinterSettings& settings = PrinterSettings;
    printer.SelectPrinter(settings.PrinterIndex);
    printer.TrySetPaperSize(page_.PaperSize());
    if (printer.PaperSizeSetting() == TBRPaperSize::Custom) {
        const bool landscape = page_.Orientation() == TBRPrinterOrientation::poLandscape;
        const long double width = page_.NativeDimension(TBRPage::WidthIndex);
        const long double length = page_.NativeDimension(TBRPage::LengthIndex);
        printer.SetPaperWidthSetting(int(RoundEven(landscape ? length : width)));
        printer.SetPaperLengthSetting(int(RoundEven(landscape ? width : length)));
    }
    printer.TrySetOrientation(page_.Orientation());
    printer.TrySetCopies(settings.Copies);
    printer.TrySetOutputBin(settings.OutputBin);
    printer.FirstPage = settings.FirstPage;
    printer.LastPage = settings.LastPage;
    printer.TrySetDuplex(settings.Duplex);
    TPrinterSettings& target = printer.Settings();
    target.PrintMetaFile = settings.PrintMetaFile;
    target.UseCustomBinCode = settings.UseCustomBinCode;
    target.CustomBinCode = settings.CustomBinCode;
    target.UseCustomPaperCode = settings.UseCustomPaperCode;
    target.CustomPaperCode = settings.CustomPaperCode;
    target.PrintQuality = settings.PrintQuality;
    target.Collate = settings.Collate;
    target.ColorOption = settings.ColorOption;
    target.ExtendedDuplex = settings.ExtendedDuplex;
}

void TCustomBandRep::SetReportConstant(const QString& name, int value) {
    if (TBREvElement* element = functions_.FindConstantElement(name))
        TBREvEnvironment::StoreIntegerConstant(element, value);
}

void TCustomBandRep::GenerateReport() {
    if (Running)
        return;
    if (!ActivePrinter)
        CreatePrinterIfIdle();
    const auto keepMargins = [this](int first, int second, int extent) {
        if (page_.NativeDimension(extent) - page_.NativeDimension(first) -
                page_.NativeDimension(second) <
            0) {
            page_.SetUnits(TBRUnit::Native);
            page_.SetDimension(first, 0);
            page_.SetDimension(second, 0);
        }
    };
    const TBRUnit units = Units();
    keepMargins(TBRPage::LeftMarginIndex, TBRPage::RightMarginIndex, TBRPage::WidthIndex);
    keepMargins(TBRPage::TopMarginIndex, TBRPage::BottomMarginIndex, TBRPage::LengthIndex);
    SetUnits(units);

    Running = true;
    RunCancelled = false;
    LoopFinished = false;
    SkipNextForcedPage = false;
    ForcedColumnArmed = false;
    BrokenByDetail = false;
    RunDatasets.clear();
    // However the run ends, the report is idle again and the document is
    // finished or thrown away.
    const auto end = qScopeGuard([this] {
        RunDatasets.clear();
        Running = false;
    });
    bool printReport = true;
    if (BeforePrint)
        BeforePrint(this, printReport);
    if (!printReport)
        return;
    bool generated = false;
    const auto endDocument = qScopeGuard([&] {
        if (!ActivePrinter)
            return;
        if (RunCancelled || !generated || !DrawOnCanvas)
            ActivePrinter->AbortDocument();
        else
            ActivePrinter->FinishDocument();
    });
    Generate();
    generated = true;
}

void TCustomBandRep::Generate() {
    const TBRUnit units = Units();
    SetUnits(TBRUnit::Native);
    const auto restoreUnits = qScopeGuard([&] { SetUnits(units); });
    CopySettingsToPrinter();
    ActivePrinter->Title = ReportTitle;
    ActivePrinter->SetCompression(Options & Compression);
    ActivePrinter->StartDocument();
    CursorY = -1;
    CurrentPage = 0;
    CurrentColumn = page_.Columns();
    if (ExportFilter && !ExportFilter->Active())
        ExportFilter->Start(RoundEven(page_.Width()), RoundEven(page_.Length()), font_);
    MeasurePageFooters();
    CursorX = RoundEven(page_.LeftMargin());
    controller_->CollectChildren();
    if (controller_->DataSet() && controller_->DataSet()->Active())
        RunDatasets.append(controller_->DataSet());
    for (const QPointer<TBRController>& sub : controller_->Following() + controller_->Preceding())
        if (sub && sub->DataSet() && sub->DataSet()->Active())
            RunDatasets.append(sub->DataSet());

    TBREvEnvironment& global = GlobalReportEnvironment();
    global.CompileAll();
    functions_.AssignDatasets(&RunDatasets);
    functions_.CompileAll();
    if (TBREvElement* title = functions_.FindConstantElement(QStringLiteral("REPORTTITLE")))
        TBREvEnvironment::StoreStringConstant(title, ReportTitle);
    const auto release = qScopeGuard([&] {
        for (TBRPrintable* printable : Printables())
            printable->EndPrintMode();
        controller_->Unprepare();
        functions_.ReleaseAll();
        functions_.AssignDatasets(nullptr);
        global.ReleaseAll();
    });
    controller_->Prepare();
    for (TBRPrintable* printable : Printables())
        printable->BeginPrintMode();
    RunController();
    CursorX = RoundEven(page_.LeftMargin());
    LoopFinished = true;
    if (!RunCancelled)
        FinishPage();
    if (ExportFilter)
        ExportFilter->Finish();
}

void TCustomBandRep::RunController() {
    BindBandsToController();
    controller_->RunDetailLoop();
}

void TCustomBandRep::MeasurePageFooters() {
    FooterReserve = 0;
    for (TBRCustomBand* band : Bands())
        if (band->BandType() == TBRBandType::rbPageFooter && band->Enabled)
            for (TBRCustomBand* part = band; part; part = part->FindChildBand())
                FooterReserve += part->Size().NativeHeight();
}

void TCustomBandRep::StartNextColumn() {
    if (CurrentColumn >= page_.Columns()) {
        CurrentColumn = 1;
        CursorX = RoundEven(page_.LeftMargin());
        StartNextPage();
    } else {
        const TBRCustomBand* detail = controller_->DetailBand();
        const long double space = RoundEven(page_.ColumnSpace());
        const long double width =
            detail
                ? RoundEven(detail->Size().NativeWidth())
                : static_cast<long double>(
                      (int(RoundEven(page_.Width() - (page_.LeftMargin() + page_.RightMargin()))) -
                       int(space) * (page_.Columns() - 1)) /
                      page_.Columns());
        CursorX += space + width;
        CursorY = ColumnTop;
        ++CurrentColumn;
    }
    SetReportConstant(QStringLiteral("COLUMNNUMBER"), CurrentColumn);
    if (CurrentColumn == 1 && CurrentPage == 1)
        return;
    OutputBand(FirstBand(TBRBandType::rbColumnHeader));
    controller_->ReprintGroupHeaders();
}

void TCustomBandRep::StartNextPage() {
    FinishPage();
    if (ExportFilter)
        ExportFilter->NewPage();
    ++CurrentPage;
    SetReportConstant(QStringLiteral("PAGENUMBER"), CurrentPage);
    if (DrawOnCanvas || CurrentPage == 1)
        ActivePrinter->StartNewPage();
    CursorY = RoundEven(page_.TopMargin());
    if (OnStartPage)
        OnStartPage(this);
    if (CurrentPage > 1 || (Options & FirstPageHeader))
        OutputBand(FirstBand(TBRBandType::rbPageHeader));
    ColumnTop = CursorY;
    if (CurrentPage == 1)
        if (const TBRCustomBand* title = FirstBand(TBRBandType::rbTitle))
            ColumnTop += RoundEven(title->Size().NativeHeight());
}

void TCustomBandRep::FinishPage() {
    if (CurrentPage > 0) {
        CursorY = RoundEven(page_.Length() - page_.BottomMargin() - FooterReserve);
        CursorX = RoundEven(page_.LeftMargin());
        if (!LoopFinished || (Options & LastPageFooter))
            OutputBand(FirstBand(TBRBandType::rbPageFooter));
        PrintPageOverlay();
        if (OnEndPage)
            OnEndPage(this);
    }
    if (ExportFilter && CurrentPage > 0)
        ExportFilter->EndPage();
}

void TCustomBandRep::PrintPageOverlay() {
    for (TBRPrintable* printable : findChildren<TBRPrintable*>(Qt::FindDirectChildrenOnly))
        if (printable->Enabled)
            printable->PrintAt(0, 0);
    if (!frame_.AnySideDrawn())
        return;
    TBRPrinter& printer = *ActivePrinter;
    const QPoint topLeft(printer.ToDeviceX(page_.LeftMargin()),
                         printer.ToDeviceY(page_.TopMargin()));
    const QPoint bottomRight(printer.ToDeviceX(page_.Width() - page_.RightMargin()),
                             printer.ToDeviceY(page_.Length() - page_.BottomMargin()));
    const QRect rect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
    if (QPainter* canvas = DrawOnCanvas ? ActivePrinter->PageCanvas() : nullptr)
        frame_.PaintFrame(*canvas, rect, printer.PixelsPerTenthY(), printer.PixelsPerTenthX());
    if (ExportFilter)
        ExportFrame(*ExportFilter, frame_, rect, printer.PixelsPerTenthY(),
                    printer.PixelsPerTenthX());
}

void TCustomBandRep::ForcedNewPage() {
    if (!Running)
        return;
    if (SkipNextForcedPage) {
        SkipNextForcedPage = false;
        return;
    }
    do
        StartNextColumn();
    while (CurrentColumn != 1);
}

void TCustomBandRep::ForcedNewColumn() {
    if (!Running)
        return;
    if (ForcedColumnArmed || CurrentColumn > 1)
        StartNextColumn();
    else
        ForcedColumnArmed = true;
}

void TCustomBandRep::OutputBand(TBRCustomBand* band) {
    if (!band)
        return;
    if (band->AlignToBottom) {
        if (band->BandType() == TBRBandType::rbSummary && !(Options & LastPageFooter))
            FooterReserve = 0;
        const long double paper = ActivePrinter->PaperLength();
        const long double needed =
            RoundEven(band->Size().NativeHeight() + page_.BottomMargin() + FooterReserve);
        if (paper - CursorY >= needed)
            CursorY = RoundEven(paper) - RoundEven(band->Size().NativeHeight()) -
                      RoundEven(page_.BottomMargin() + FooterReserve);
    }
    band->PrintContents();
}

void TBandRep::SetMinDetailRows(int count) {
    Controller().MinDetailRows = count;
    Controller().DetailRowCount = 0;
}

bool TBRGroup::EvaluateBreak() {
    Broken = false;
    const TBREvValue value = evaluator_.ComputeResult();
    if (!HasValue || !SameValue(Value, value)) {
        Value = value;
        HasValue = true;
        Broken = true;
    }
    return Broken;
}

void TBRGroup::PrintHeader() {
    if (TCustomBandRep* report = ParentReport()) {
        report->OutputBand(this);
        PrintedOnPage = report->CurrentPage;
    }
    HeaderPrinted = true;
}

void TBRGroup::PrintFooter() {
    if (footerBand_ && ParentReport())
        ParentReport()->OutputBand(footerBand_);
    HeaderPrinted = false;
}

bool TBRGroup::CheckReprint() {
    const int page = ParentReport() ? ParentReport()->CurrentPage : 0;
    Broken = ReprintOnNewPage && HeaderPrinted && PrintedOnPage != page;
    if (Broken)
        PrintedOnPage = page;
    return Broken;
}

void TBRController::Prepare() {
    NotifyExprs.clear();
    for (const QPointer<TBRGroup>& group : groups_) {
        if (!group)
            continue;
        if (report_) {
            group->Evaluator().AssignDatasets(&report_->RunDatasets);
            group->Evaluator().SetEnvironment(&report_->Functions());
        }
        group->Evaluator().Compile(group->Expression);
        group->HasValue = false;
        group->PrintedOnPage = 1;
    }
    for (const QPointer<TBRController>& sub : preceding_ + following_)
        if (sub)
            sub->Prepare();
}

void TBRController::Unprepare() {
    for (const QPointer<TBRGroup>& group : groups_)
        if (group) {
            group->Evaluator().DropCompiled();
            group->Evaluator().AssignDatasets(nullptr);
        }
    for (const QPointer<TBRController>& sub : preceding_ + following_)
        if (sub)
            sub->Unprepare();
}

void TBRController::NotifyExpressions() {
    for (const QPointer<TBRExpr>& expression : NotifyExprs)
        if (expression)
            expression->ParentNotify(this, 0);
}

void TBRController::PrintWhenEmpty() {
    if (!report_)
        return;
    report_->OutputBand(header_);
    RunSubControllers(preceding_);
    report_->OutputBand(detail_);
    RunSubControllers(following_);
    report_->OutputBand(footer_);
}

void TBRController::RunSubControllers(const QList<QPointer<TBRController>>& controllers) {
    for (const QPointer<TBRController>& controller : controllers)
        if (controller)
            controller->RunDetailLoop();
}

bool TBRController::AtEnd() const {
    return dataSet_ && dataSet_->Eof();
}

bool TBRController::TestGroupBreaks() {
    for (qsizetype index = 0; index < groups_.size(); ++index) {
        if (!groups_.at(index) || !groups_.at(index)->EvaluateBreak())
            continue;
        for (qsizetype later = index + 1; later < groups_.size(); ++later)
            if (TBRGroup* group = groups_.at(later)) {
                group->Value = group->Evaluator().ComputeResult();
                group->HasValue = true;
                group->Broken = true;
            }
        return true;
    }
    return false;
}

void TBRController::PrintBrokenGroupHeaders() {
    for (const QPointer<TBRGroup>& group : groups_)
        if (group && group->Broken)
            group->PrintHeader();
}

void TBRController::PrintBrokenGroupFooters() {
    for (auto group = groups_.crbegin(); group != groups_.crend(); ++group)
        if (*group && (*group)->Broken)
            (*group)->PrintFooter();
}

void TBRController::InvertGroupBreaks() {
    for (const QPointer<TBRGroup>& group : groups_)
        if (group)
            group->Broken = !group->Broken;
}

void TBRController::ReprintGroupHeaders() {
    for (const QPointer<TBRGroup>& group : groups_)
        if (group && group->Broken)
            return;
    for (const QPointer<TBRController>& sub : preceding_)
        if (sub)
            sub->ReprintGroupHeaders();
    for (qsizetype index = 0; index < groups_.size(); ++index) {
        if (!groups_.at(index) || !groups_.at(index)->CheckReprint())
            continue;
        for (qsizetype later = index + 1; later < groups_.size(); ++later)
            if (TBRGroup* group = groups_.at(later)) {
                group->Value = group->Evaluator().ComputeResult();
                group->HasValue = true;
                group->Broken = true;
            }
        PrintBrokenGroupHeaders();
        break;
    }
    for (const QPointer<TBRController>& sub : following_)
        if (sub)
            sub->ReprintGroupHeaders();
}

void TBRController::RunDetailLoop() {
    for (const QPointer<TBRGroup>& group : groups_)
        if (group)
            group->HasValue = false;
    const bool open = dataSet_ && dataSet_->Active();
    if ((!open && !OnNeedData) || !report_) {
        if (PrintIfEmpty)
            PrintWhenEmpty();
        return;
    }
    const bool ownsReport = owner_ == report_;
    QObject* sender = ownsReport ? static_cast<QObject*>(report_) : owner_.data();
    bool moreData = true;
    ProgressTotal = 0;
    if (open) {
        dataSet_->First();
        moreData = !dataSet_->Eof();
        if (auto* bandRep = qobject_cast<TBandRep*>(report_); bandRep && ownsReport)
            ProgressTotal = bandRep->DataSetRecordCount();
        if (!moreData && PrintIfEmpty)
            PrintWhenEmpty();
    } else {
        OnNeedData(sender, moreData);
    }
    RecordsDone = 0;
    if (detail_)
        detail_->SetController(this);
    if (!moreData)
        return;
    QCoreApplication::processEvents();
    if (report_->RunCancelled)
        return;
    report_->OutputBand(header_);
    if (ownsReport && header_)
        report_->SkipNextForcedPage = true;
    if (ownsReport && report_->CurrentPage < 2)
        for (TBRCustomBand* band : report_->Bands())
            if (band->BandType() == TBRBandType::rbColumnHeader) {
                if (band->Enabled) {
                    report_->OutputBand(band);
                    report_->SkipNextForcedPage = true;
                }
                break;
            }
    TestGroupBreaks();
    bool dataEnded = false;
    QElapsedTimer sinceEvents;
    while (moreData) {
        HandlePendingEvents(sinceEvents);
        if (report_->ActivePrinter && report_->ActivePrinter->Cancelled())
            break;
        // A filler row that does not fit ends the fill rather than starting
        // a page that would only be filled again.
        if (dataEnded && detail_ &&
            report_->SpaceLeft() < RoundEven(detail_->HeightWithLinks(true)))
            break;
        ++RecordsDone;
        PrintBrokenGroupHeaders();
        RunSubControllers(preceding_);
        report_->OutputBand(detail_);
        ++DetailRowCount;
        RunSubControllers(following_);
        if (open) {
            dataSet_->Next();
            moreData = !dataSet_->Eof();
            dataEnded = !moreData;
            if (MinDetailRows > 0 && DetailRowCount < MinDetailRows)
                moreData = !(DetailRowCount + 1 >= MinDetailRows && IsSummany && dataSet_->Eof());
        } else {
            moreData = false;
            OnNeedData(sender, moreData);
        }
        if (TestGroupBreaks() && open) {
            dataSet_->Prior();
            PrintBrokenGroupFooters();
            dataSet_->Next();
        }
        if (ProgressTotal > 0 && report_->ActivePrinter)
            report_->ActivePrinter->ReportProgress(qMin(100, RecordsDone * 100 / ProgressTotal));
    }
    InvertGroupBreaks();
    PrintBrokenGroupFooters();
    if (footer_) {
        if (report_->CurrentPage == 0)
            report_->StartNextPage();
        if (footer_->Size().NativeHeight() > report_->SpaceLeft())
            report_->StartNextColumn();
        report_->OutputBand(footer_);
    }
}

long double TBRCustomBand::ComputeContentHeight() const {
    long double largest = size_.NativeHeight();
    long double gap = 0;
    for (TBRPrintable* printable : findChildren<TBRPrintable*>(Qt::FindDirectChildrenOnly)) {
        auto* text = qobject_cast<TBRDBText*>(printable);
        if (!text || !text->Enabled)
            continue;
        const long double bottom =
            (text->Bounds().top() + text->NeededHeight()) / kDesignPixelsPerTenth;
        if (bottom > largest) {
            largest = bottom;
            gap = (bounds_.height() + 1 - text->Bounds().top() - text->Bounds().height()) /
                  kDesignPixelsPerTenth;
        }
    }
    return largest + qMax(0.0L, gap);
}

void TBRCustomBand::EnsureRoom() {
    TCustomBandRep* report = report_;
    const long double height = RoundEven(HeightWithLinks(true));
    const TBRPage& page = report->Page();
    const bool taller = height > page.NativeDimension(TBRPage::LengthIndex) -
                                     (page.NativeDimension(TBRPage::TopMarginIndex) +
                                      page.NativeDimension(TBRPage::BottomMarginIndex));
    const bool fits = report->CurrentPage > 0 && (BandType() == TBRBandType::rbPageFooter ||
                                                  report->SpaceLeft() >= height || taller);
    const bool detail = BandType() == TBRBandType::rbDetail;
    if (!fits) {
        report->BrokenByDetail = detail;
        report->StartNextColumn();
    } else if (detail) {
        report->BrokenByDetail = false;
    }
}

void TBRCustomBand::PrintContents() {
    TCustomBandRep* report = report_;
    if (!report || !report->ActivePrinter)
        return;
    TBRPrinter& printer = *report->ActivePrinter;
    bool printBand = Enabled;
    if (Enabled && BeforePrint)
        BeforePrint(this, printBand);
    if (printBand) {
        const TBRBandType type = BandType();
        if (IsPageBand(type)) {
            EnsureRoom();
        } else if (ForceNewPage && !report->BrokenByDetail && report->CurrentPage > 0) {
            report->ForcedNewPage();
            report->BrokenByDetail = false;
        } else if (ForceNewColumn && report->CurrentPage >= 1) {
            report->ForcedNewColumn();
        } else {
            EnsureRoom();
        }
        if (controller_)
            controller_->NotifyExpressions();
        if (KeepOnOnePage && ComputeContentHeight() > report->SpaceLeft())
            report->StartNextColumn();
        const long double startX = report->CursorX;
        const long double startY = report->CursorY;
        if (bounds_.height() != 0) {
            QPainter* canvas = report->DrawOnCanvas ? printer.PageCanvas() : nullptr;
            const long double backgroundHeight =
                PreCaluculateBandHeight ? ComputeContentHeight() : size_.NativeHeight();
            const QColor color = ui::ToQColor(Color, QGuiApplication::palette());
            if (report->ExportFilter && !TransparentBand) {
                const int left = printer.ToDeviceX(report->CursorX);
                const int top = printer.ToDeviceY(report->CursorY);
                ExportFilledRect(
                    *report->ExportFilter,
                    QRect(left, top,
                          printer.ToDeviceX(report->CursorX + size_.NativeWidth()) - left,
                          printer.ToDeviceY(report->CursorY + backgroundHeight) - top),
                    Color);
            }
            if (canvas && !TransparentBand)
                canvas->fillRect(
                    QRect(QPoint(printer.ToDeviceX(report->CursorX),
                                 printer.ToDeviceY(report->CursorY)),
                          QPoint(printer.ToDeviceX(report->CursorX + size_.NativeWidth()) - 1,
                                 printer.ToDeviceY(report->CursorY + backgroundHeight) - 1)),
                    color);
            Stretch = 0;
            const QList<TBRPrintable*> printables =
                findChildren<TBRPrintable*>(Qt::FindDirectChildrenOnly);
            for (bool firstPass = true;; firstPass = false) {
                bool complete = true;
                bool hideRest = false;
                for (TBRPrintable* printable : printables) {
                    if (auto* text = qobject_cast<TBRDBText*>(printable);
                        text && text->DataSet() && text->DataSet()->Active() &&
                        text->DataSet()->Eof())
                        hideRest = true;
                    const bool on =
                        printable->Enabled && !(hideRest && !qobject_cast<TBRShape*>(printable));
                    if (on && (firstPass || !printable->PrintComplete()))
                        printable->PrintAt(int(report->CursorX), int(report->CursorY));
                    if (on && !printable->PrintComplete())
                        complete = false;
                }
                if (frame_.AnySideDrawn()) {
                    const QPoint topLeft(printer.ToDeviceX(report->CursorX),
                                         printer.ToDeviceY(report->CursorY));
                    const QPoint bottomRight(
                        printer.ToDeviceX(report->CursorX + size_.NativeWidth()),
                        printer.ToDeviceY(report->CursorY + size_.NativeHeight() + Stretch + 1));
                    const QRect rect(topLeft, QSize(bottomRight.x() - topLeft.x(),
                                                    bottomRight.y() - topLeft.y()));
                    if (QPainter* frameCanvas =
                            report->DrawOnCanvas ? printer.PageCanvas() : nullptr)
                        frame_.PaintFrame(*frameCanvas, rect, printer.PixelsPerTenthY(),
                                          printer.PixelsPerTenthX());
                    if (report->ExportFilter)
                        ExportFrame(*report->ExportFilter, frame_, rect, printer.PixelsPerTenthY(),
                                    printer.PixelsPerTenthX());
                }
                if (complete)
                    break;
                report->BrokenByDetail = true;
                report->StartNextColumn();
                report->BrokenByDetail = false;
                Stretch = 0;
            }
            report->CursorY += RoundEven(size_.NativeHeight() + Stretch);
        }
        if (report->ExportFilter)
            report->ExportFilter->BandDone(this, Stretch, startX, startY);
    } else if (!Enabled && controller_) {
        controller_->NotifyExpressions();
    }
    if (AfterPrint)
        AfterPrint(this, printBand);
    if (TBRCustomBand* child = FindChildBand())
        report->OutputBand(child);
    report->BrokenByDetail = false;
}

} // namespace kx
