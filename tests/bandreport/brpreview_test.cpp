#include "bandreport/brpreview.h"
#include "bandreport/brprinter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx {
namespace {

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetNewPrinterPaperSize([] { return TBRPaperSize::Default; });
        ASSERT_TRUE(printer_.TrySetPaperSize(TBRPaperSize::A4));
        printer_.TrySetOrientation(TBRPrinterOrientation::poPortrait);
    }
    void TearDown() override {
        preview_.AttachPrinter(nullptr);
        SetNewPrinterPaperSize({});
    }

    TBRPrinter printer_;
    TBRPreview preview_;
};

TEST_F(PreviewTest, ZoomTakesTwoToTwoThousandPercent) {
    preview_.AttachPrinter(&printer_);
    for (int zoom : {1, 2001, 0})
        preview_.SetZoom(zoom);
    EXPECT_EQ(preview_.Zoom(), 100);
    preview_.SetZoom(2);
    EXPECT_EQ(preview_.Zoom(), 2);
    preview_.SetZoom(2000);
    EXPECT_EQ(preview_.Zoom(), 2000);
    EXPECT_EQ(preview_.ZoomState(), TBRZoomState::brZoomOther);
}

TEST_F(PreviewTest, FittingTakesTheSmallerRatioOfBoxAndPage) {
    preview_.AttachPrinter(&printer_);
    preview_.resize(600, 800);
    preview_.FitWholePage();
    EXPECT_EQ(preview_.Zoom(), 68);
    EXPECT_EQ(preview_.ZoomState(), TBRZoomState::brZoomToFit);
    EXPECT_EQ(preview_.Image()->size(), QSize(printer_.ToDeviceWidth(2100 / 100.0L * 68) + 4,
                                              printer_.ToDeviceHeight(2970 / 100.0L * 68) + 4));
    preview_.FitPageWidth();
    EXPECT_EQ(preview_.Zoom(), 68);
    EXPECT_EQ(preview_.ZoomState(), TBRZoomState::brZoomToWidth);
    // The fit follows the box when it is resized.
    preview_.show();
    preview_.resize(300, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview_.Zoom(), 34);
}

TEST_F(PreviewTest, PagesAppearAsTheRunMakesThemAndClosingCancelsTheRun) {
    QList<int> available;
    preview_.OnPageAvailable = [&available](QObject*, int pages) { available.append(pages); };
    printer_.StartDocument();
    preview_.AttachPrinter(&printer_);
    printer_.StartNewPage();
    QCoreApplication::processEvents();
    EXPECT_FALSE(preview_.Image()->HasPage());
    printer_.StartNewPage();
    QCoreApplication::processEvents();
    EXPECT_TRUE(preview_.Image()->HasPage());
    EXPECT_EQ(available, QList<int>{1});

    preview_.SetPageNumber(2);
    EXPECT_EQ(preview_.PageNumber(), 2);
    preview_.SetPageNumber(3);
    EXPECT_EQ(preview_.PageNumber(), 2);

    preview_.AttachPrinter(nullptr);
    EXPECT_TRUE(printer_.Cancelled());
    EXPECT_TRUE(printer_.ProgressWindow.isNull());
}

TEST(DrawMetafilePageTest, DrawsTheSheetWithItsFrameAndShadow) {
    QImage image(50, 60, QImage::Format_RGB32);
    image.fill(Qt::gray);
    {
        QPainter canvas(&image);
        DrawMetafilePage(nullptr, canvas, image.rect(), true);
    }
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(49, 30), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(49, 0), QColor(Qt::gray));
}

} // namespace
} // namespace kx
