// Locale text rules, data-set shims, regions and text output of the shims.

#include "grid/base/drawingshims.h"

#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(DrawingShims, LocaleComparisonsGiveMinusOneZeroOrOne) {
    EXPECT_EQ(CompareTextLocale(QStringLiteral("abc"), QStringLiteral("ABC")), 0);
    EXPECT_NE(CompareStrLocale(QStringLiteral("abc"), QStringLiteral("ABC")), 0);
    EXPECT_EQ(CompareStrLocale(QStringLiteral("abc"), QStringLiteral("abd")), -1);
    EXPECT_EQ(CompareStrLocale(QStringLiteral("b"), QStringLiteral("a")), 1);
    EXPECT_EQ(UpperCaseLocale(QStringLiteral("abc")), QStringLiteral("ABC"));
    EXPECT_EQ(LowerCaseLocale(QStringLiteral("ABC")), QStringLiteral("abc"));
}

TEST(DrawingShims, AnObjectWithoutMasterSourceHasNoDataSource) {
    QObject plain;
    EXPECT_EQ(DataSourceOfProperty(&plain), nullptr);
    EXPECT_EQ(DataSourceOfProperty(nullptr), nullptr);
}

TEST(DrawingShims, VariantArraysKeepTheirElements) {
    QVariantList array{1, 2, 3};
    ResizeVariantArray(array, 4);
    ASSERT_EQ(array.size(), 5);
    EXPECT_EQ(array[2], QVariant(3));
    EXPECT_FALSE(array[4].isValid());
    ResizeVariantArray(array, 0);
    EXPECT_EQ(array, QVariantList{1});
}

TEST(DrawingShims, PolygonRegionCoversTheTriangle) {
    const QPoint points[] = {{0, 0}, {20, 0}, {0, 20}};
    const QRegion region = PolygonRegionFromPoints(points, 3, Qt::OddEvenFill);
    EXPECT_TRUE(region.contains(QPoint(2, 2)));
    EXPECT_FALSE(region.contains(QPoint(18, 18)));
}

TEST(DrawingShims, ClippedTextStaysInsideItsRectangle) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPalette palette;
    ui::TCanvas canvas(painter, palette, QRegion(0, 0, 200, 40));
    canvas.SetBrushColor(ui::clWhite);
    canvas.SetFontColor(ui::clBlack);
    const ui::TRect rect{10, 5, 30, 35};
    ExtTextOutString(canvas, 10, 5, ETO_CLIPPED | ETO_OPAQUE, &rect,
                     QStringLiteral("WWWWWWWWWWWWWWWW"), -1);
    painter.end();
    bool inside = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                EXPECT_TRUE(x >= 10 && x < 30 && y >= 5 && y < 35) << x << "," << y;
                inside = true;
            }
    EXPECT_TRUE(inside);
    ui::TRect measured{0, 0, 0, 0};
    TDrawTextParams params;
    params.LeftMargin = 4;
    QPainter again(&image);
    ui::TCanvas second(again, palette, QRegion(0, 0, 200, 40));
    const int height = DrawTextExString(second, QStringLiteral("abcdef"), 3, measured,
                                        ui::DT_CALCRECT | ui::DT_SINGLELINE, params);
    EXPECT_EQ(params.LengthDrawn, 3);
    EXPECT_EQ(height, measured.Height());
    EXPECT_EQ(measured.Width(), 4 + QFontMetrics(again.font()).horizontalAdvance("abc"));
}

} // namespace
} // namespace kx
