#include "platform/print/printer.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx::print {
namespace {

// Pages of a PDF file, counted by their page objects.
int PdfPageCount(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
               bytes.count("/Type /Page/") + bytes.count("/Type /Page "));
}

class PdfPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!InstalledPrinters().isEmpty())
            GTEST_SKIP() << "print queues are installed";
        ASSERT_TRUE(folder_.isValid());
        SetPdfFolder(folder_.path() + QStringLiteral("/temp"));
    }
    void TearDown() override { SetPdfViewer({}); }

    QTemporaryDir folder_;
};

TEST_F(PdfPrinterTest, WithoutQueuesThePdfFileIsTheOnlyPrinter) {
    TPrinter printer;
    EXPECT_EQ(printer.Printers(), QStringList{QStringLiteral("PDF file")});
    EXPECT_TRUE(printer.IsPdf());
    EXPECT_EQ(printer.PrintableOffsetTenths(), QPointF(0, 0));
    EXPECT_TRUE(printer.PaperCodes().contains(9));
    EXPECT_TRUE(printer.PaperCodes().contains(kCustomPaperCode));
}

TEST_F(PdfPrinterTest, PaperCodesOrientationAndCustomSizes) {
    TPrinter printer;
    ASSERT_TRUE(printer.SetPaperCode(9));
    printer.SetOrientation(kPortrait);
    EXPECT_EQ(printer.PaperCode(), 9);
    EXPECT_EQ(printer.PaperSizeTenths(), QSizeF(2100, 2970));
    printer.SetOrientation(kLandscape);
    EXPECT_EQ(printer.Orientation(), kLandscape);
    EXPECT_EQ(printer.PaperSizeTenths(), QSizeF(2970, 2100));

    printer.SetOrientation(kPortrait);
    printer.SetCustomPaper(1000, 1500);
    EXPECT_EQ(printer.PaperCode(), kCustomPaperCode);
    EXPECT_EQ(printer.PaperSizeTenths(), QSizeF(1000, 1500));

    // A code no paper answers to, and the custom code itself, change nothing.
    EXPECT_FALSE(printer.SetPaperCode(999));
    EXPECT_FALSE(printer.SetPaperCode(kCustomPaperCode));
    EXPECT_EQ(printer.PaperSizeTenths(), QSizeF(1000, 1500));
}

TEST_F(PdfPrinterTest, AJobWritesItsPagesIntoThePdfFolderAndShowsTheFile) {
    QString shown;
    SetPdfViewer([&shown](const QString& fileName) { shown = fileName; });
    TPrinter printer;
    printer.SetTitle(QStringLiteral("部门清单"));
    QPainter* canvas = printer.BeginDoc();
    ASSERT_NE(canvas, nullptr);
    for (int page = 1; page <= 3; ++page) {
        if (page > 1)
            printer.NewPage();
        canvas->drawText(100, 100, QStringLiteral("第%1页").arg(page));
    }
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(printer.OutputFileName().startsWith(PdfFolder()));
    EXPECT_EQ(shown, printer.OutputFileName());
    EXPECT_EQ(PdfPageCount(shown), 3);
}

TEST_F(PdfPrinterTest, AnAbortedJobLeavesNoFileAndShowsNothing) {
    bool shown = false;
    SetPdfViewer([&shown](const QString&) { shown = true; });
    TPrinter printer;
    ASSERT_NE(printer.BeginDoc(), nullptr);
    printer.Canvas()->drawText(10, 10, QStringLiteral("x"));
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
    EXPECT_FALSE(QFile::exists(printer.OutputFileName()));
    EXPECT_FALSE(shown);
}

} // namespace
} // namespace kx::print
