#include "bandreport/brerror.h"
#include "bandreport/brprinter.h"
#include "bandreport/brprogressform.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx {
namespace {

// Records what the printer posts to its progress window.
class ProgressRecorder : public QObject {
public:
    QList<int> Progress;
    QList<int> PagesAvailable;

    bool event(QEvent* event) override {
        if (event->type() == TBRPrinterEvent::Progress)
            Progress.append(static_cast<TBRPrinterEvent*>(event)->Value);
        else if (event->type() == TBRPrinterEvent::PagesAvailable)
            PagesAvailable.append(static_cast<TBRPrinterEvent*>(event)->Value);
        else
            return QObject::event(event);
        return true;
    }
};

int PdfPageCount(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page/") +
               bytes.count("/Type /Page "));
}

class TBRPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!print::InstalledPrinters().isEmpty())
            GTEST_SKIP() << "print queues are installed";
        ASSERT_TRUE(folder_.isValid());
        print::SetPdfFolder(folder_.filePath(QStringLiteral("temp")));
        print::SetPdfViewer([this](const QString& fileName) { pdfFiles_.append(fileName); });
    }
    void TearDown() override { print::SetPdfViewer({}); }

    // A run of numbered pages, each with its number drawn on it.
    static void Run(TBRPrinter& printer, int pages) {
        printer.StartDocument();
        for (int page = 1; page <= pages; ++page) {
            printer.StartNewPage();
            printer.PageCanvas()->drawText(printer.ToDeviceX(200), printer.ToDeviceY(200),
                                           QStringLiteral("第%1页").arg(page));
        }
        printer.FinishDocument();
    }

    QTemporaryDir folder_;
    QStringList pdfFiles_;
};

TEST(TBRBinTest, OrdinalsNameBinsOnlyWithinTheList) {
    EXPECT_EQ(BinOfOrdinal(0), TBRBin::First);
    EXPECT_EQ(BinOfOrdinal(3), TBRBin::Middle);
    EXPECT_EQ(BinOfOrdinal(13), TBRBin::Last);
    for (int ordinal : {-1, 14, 15, 256})
        EXPECT_FALSE(BinOfOrdinal(ordinal).has_value()) << ordinal;
}

TEST(TBRBinTest, BinsMapToTheirCodesAndBack) {
    const struct {
        TBRBin bin;
        int code;
        TBRBin readBack;
    } cases[] = {
        {TBRBin::First, 1, TBRBin::First},
        {TBRBin::Upper, 1, TBRBin::First},
        {TBRBin::Lower, 2, TBRBin::Lower},
        {TBRBin::Auto, 7, TBRBin::Auto},
        {TBRBin::LargeCapacity, 11, TBRBin::LargeCapacity},
        {TBRBin::Cassette, 14, TBRBin::Cassette},
        {TBRBin::Last, 14, TBRBin::Cassette},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BinCode(c.bin), c.code);
        EXPECT_EQ(BinOfCode(c.code), c.readBack);
    }
    EXPECT_EQ(BinOfCode(12), TBRBin::First);
}

TEST_F(TBRPrinterTest, ConvertsTenthsOfAMillimetreToDevicePixels) {
    TBRPrinter printer;
    printer.StartDocument();
    EXPECT_EQ(printer.ToDeviceX(254), 96);
    EXPECT_EQ(printer.ToDeviceWidth(2100), 794);
    printer.AbortDocument();
    printer.Clear();

    printer.SelectDestination(TBRPrinter::Printer);
    printer.StartDocument();
    const int resolution = printer.PrinterObject().Resolution();
    EXPECT_EQ(printer.ToDeviceX(254), resolution);
    EXPECT_EQ(printer.ToDeviceY(127), resolution / 2);
    printer.AbortDocument();
}

TEST_F(TBRPrinterTest, PaperSizesComeFromTheTableAndLandscapeSwapsThem) {
    TBRPrinter printer;
    ASSERT_TRUE(printer.TrySetPaperSize(TBRPaperSize::A4));
    printer.TrySetOrientation(TBRPrinterOrientation::poLandscape);
    EXPECT_EQ(printer.PaperWidth(), 2970);
    EXPECT_EQ(printer.PaperLength(), 2100);
    EXPECT_EQ(printer.PaperWidthSetting(), 2100);

    // Sizes the printer does not offer change nothing; Default always goes.
    EXPECT_FALSE(printer.TrySetPaperSize(TBRPaperSize::Reserved1));
    EXPECT_EQ(printer.PaperSizeSetting(), TBRPaperSize::A4);
    EXPECT_TRUE(printer.TrySetPaperSize(TBRPaperSize::Default));
}

TEST_F(TBRPrinterTest, RunsOutOfOrderAreRefused) {
    TBRPrinter printer;
    try {
        printer.StartNewPage();
        ADD_FAILURE() << "a page started outside a run";
    } catch (const EBRError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Illegal call to NewPage"));
    }
    printer.StartDocument();
    try {
        printer.StartDocument();
        ADD_FAILURE() << "a second run started on a busy printer";
    } catch (const EBRError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("BRPrinter not ready"));
    }
}

TEST_F(TBRPrinterTest, APreviewRunStoresItsPagesAndTellsHowManyCanBeShown) {
    ProgressRecorder window;
    TBRPrinter printer;
    printer.TrySetPaperSize(TBRPaperSize::A4);
    printer.ProgressWindow = &window;
    Run(printer, 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(printer.Status(), TBRPrinter::Finished);
    EXPECT_EQ(printer.PageCount(), 3);
    EXPECT_EQ(window.PagesAvailable, (QList<int>{1, 2, 3}));
    const auto page = printer.PageMetafile(2);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->Size(), QSize(794, 1123));
    EXPECT_FALSE(printer.PageMetafile(0).has_value());
    EXPECT_FALSE(printer.PageMetafile(4).has_value());
}

TEST_F(TBRPrinterTest, OnlyThePagesOfTheRangeReachPaper) {
    TBRPrinter printer;
    printer.SelectDestination(TBRPrinter::Printer);
    printer.FirstPage = 2;
    printer.LastPage = 3;
    Run(printer, 5);
    ASSERT_EQ(pdfFiles_.size(), 1);
    EXPECT_EQ(PdfPageCount(pdfFiles_.at(0)), 2);
}

TEST_F(TBRPrinterTest, StoredPagesPrintInTheirRangeClampedToThePagesThereAre) {
    const struct {
        int first;
        int last;
        int sheets;
    } cases[] = {{0, 0, 3}, {2, 0, 2}, {2, 9, 2}, {4, 0, 0}};
    for (const auto& c : cases) {
        pdfFiles_.clear();
        TBRPrinter printer;
        Run(printer, 3);
        printer.FirstPage = c.first;
        printer.LastPage = c.last;
        printer.PrintStoredPages();
        if (c.sheets == 0) {
            EXPECT_TRUE(pdfFiles_.isEmpty());
            continue;
        }
        EXPECT_EQ(printer.Progress(), 100);
        ASSERT_EQ(pdfFiles_.size(), 1);
        EXPECT_EQ(PdfPageCount(pdfFiles_.at(0)), c.sheets) << c.first << "-" << c.last;
    }
}

TEST_F(TBRPrinterTest, TheProgressWindowMovesInStepsOfFiveAndCancels) {
    TBRPrinter printer;
    TBRProgressForm form(&printer);
    printer.ProgressWindow = &form;
    printer.ReportProgress(42);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Gauge()->value(), 0);
    EXPECT_TRUE(form.Info()->text().isEmpty());
    printer.ReportProgress(45);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Gauge()->value(), 45);
    EXPECT_EQ(form.Info()->text(), QStringLiteral("45%  Completed"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Printing progress"));
    form.CancelButton()->click();
    EXPECT_TRUE(printer.Cancelled());
}

TEST_F(TBRPrinterTest, ASavedPageFileLoadsBackWithItsPaperGuessed) {
    for (auto orientation :
         {TBRPrinterOrientation::poPortrait, TBRPrinterOrientation::poLandscape}) {
        const QString fileName = folder_.filePath(QStringLiteral("pages.brp"));
        QByteArray firstPage;
        {
            TBRPrinter printer;
            printer.TrySetPaperSize(TBRPaperSize::A4);
            printer.TrySetOrientation(orientation);
            Run(printer, 2);
            printer.SavePageFile(fileName);
            firstPage = printer.PageMetafile(1)->Save();
        }
        TBRPrinter loaded;
        loaded.TrySetPaperSize(TBRPaperSize::Letter);
        loaded.LoadPageFile(fileName);
        EXPECT_EQ(loaded.Status(), TBRPrinter::Finished);
        EXPECT_EQ(loaded.PageCount(), 2);
        EXPECT_EQ(loaded.PageMetafile(1)->Save(), firstPage);
        const bool small = loaded.Settings().PaperSizes[std::size_t(TBRPaperSize::A4Small)];
        EXPECT_EQ(loaded.PaperSizeSetting(), small ? TBRPaperSize::A4Small : TBRPaperSize::A4);
        EXPECT_EQ(loaded.GetOrientationSetting(), orientation);
    }
}

TEST_F(TBRPrinterTest, ALargeRunLeavesNoTemporaryFileBehindOnAnyPath) {
    TBandRep report;
    report.PrinterSettings.MemoryLimit = 0;
    QString tempFile;
    try {
        TBRPrinter printer(&report);
        printer.StartDocument();
        printer.StartNewPage();
        printer.StartNewPage();
        tempFile = printer.PageList().Stream()->TempFileName();
        ASSERT_TRUE(QFile::exists(tempFile));
        throw EBRError(QStringLiteral("the run failed"));
    } catch (const EBRError&) {
    }
    EXPECT_FALSE(tempFile.isEmpty());
    EXPECT_FALSE(QFile::exists(tempFile));
}

} // namespace
} // namespace kx
