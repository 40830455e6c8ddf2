// The canvas keeps the desktop's drawing rules over QPainter: exclusive right
// and bottom edges, lines without their end point, text from the top-left,
// system colours from the palette, inverting frames that a second call undoes.

#include "platform/ui/canvas.h"

#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

#include <functional>

namespace kx::ui {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// Draws on a white 60 x 40 image through a canvas.
QImage Draw(const std::function<void(TCanvas&)>& draw) {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QPalette palette;
    TCanvas canvas(painter, palette, QRegion(0, 0, 60, 40));
    draw(canvas);
    painter.end();
    return image;
}

QRect Painted(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(Canvas, RectanglesAndLinesLeaveOutTheirRightAndBottomEdge) {
    struct Case {
        const char* name;
        std::function<void(TCanvas&)> draw;
        QRect painted;
    };
    const Case cases[] = {
        {"FillRect",
         [](TCanvas& c) {
             c.SetBrushColor(clBlack), c.FillRect({10, 5, 20, 8});
         },
         QRect(10, 5, 10, 3)},
        {"VerticalLine",
         [](TCanvas& c) {
             c.MoveTo(7, 2);
             c.LineTo(7, 12);
         },
         QRect(7, 2, 1, 10)},
        {"LineDrawnBackwards",
         [](TCanvas& c) {
             c.MoveTo(30, 9);
             c.LineTo(20, 9);
         },
         QRect(21, 9, 10, 1)},
        {"WidePenIsCentredOnTheLine",
         [](TCanvas& c) {
             c.SetPenWidth(3);
             const QPoint points[] = {{10, 0}, {10, 20}, {40, 30}, {50, 30}};
             const int counts[] = {2, 2};
             c.PolyPolyline(points, counts, 2);
         },
         QRect(9, 0, 41, 32)},
        {"EmptyRectangleDrawsNothing",
         [](TCanvas& c) {
             c.SetBrushColor(clBlack), c.FillRect({10, 5, 10, 8});
         },
         QRect()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Painted(Draw(c.draw)), c.painted) << c.name;
}

TEST(Canvas, SystemColoursComeFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(200, 201, 202));
    EXPECT_EQ(ColorToRGB(clHighlight, palette), RGBColor(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clBtnFace, palette), RGBColor(200, 201, 202));
    EXPECT_EQ(ColorToRGB(clRed, palette), clRed);
    EXPECT_EQ(ToQColor(RGBColor(0x10, 0x20, 0x30), palette), QColor(0x10, 0x20, 0x30));
}

TEST(Canvas, FocusRectangleAndBandsUndoThemselves) {
    const QImage once = Draw([](TCanvas& c) { c.DrawFocusRect({5, 5, 25, 15}); });
    EXPECT_EQ(Painted(once), QRect(5, 5, 20, 10));
    EXPECT_NE(once.pixel(5, 5), once.pixel(6, 5)) << "dotted";
    const QImage twice = Draw([](TCanvas& c) {
        c.DrawFocusRect({5, 5, 25, 15});
        c.DrawFocusRect({5, 5, 25, 15});
        c.InvertBand({30, 0, 35, 40}, false);
        c.InvertBand({30, 0, 35, 40}, false);
    });
    EXPECT_EQ(Painted(twice), QRect());
}

TEST(Canvas, TextOutPlacesTheTextBelowItsTopLeftCorner) {
    int height = 0;
    const QImage image = Draw([&](TCanvas& c) {
        c.SetFontColor(clBlack);
        height = c.TextHeight(QStringLiteral("W"));
        c.TextOut(10, 10, QStringLiteral("W"));
    });
    const QRect painted = Painted(image);
    EXPECT_GE(painted.top(), 10);
    EXPECT_LT(painted.bottom(), 10 + height);
    EXPECT_GE(painted.left(), 10);
}

TEST(Canvas, DrawTextMeasuresWrapsAndEllipsizes) {
    Draw([](TCanvas& c) {
        TRect line{0, 0, 1000, 0};
        const int height = c.DrawText(QStringLiteral("one two"), line, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_EQ(height, c.FontMetrics().height());
        EXPECT_EQ(line.Width(), c.TextWidth(QStringLiteral("one two")));
        TRect narrow{0, 0, c.TextWidth(QStringLiteral("one ")), 0};
        c.DrawText(QStringLiteral("one two"), narrow, DT_CALCRECT | DT_WORDBREAK);
        EXPECT_EQ(narrow.Height(), 2 * c.FontMetrics().lineSpacing() - c.FontMetrics().leading());
    });
    const QImage clipped = Draw([](TCanvas& c) {
        c.SetFontColor(clBlack);
        TRect rect{0, 0, 30, 20};
        c.DrawText(QStringLiteral("a long text that does not fit"), rect,
                   DT_SINGLELINE | DT_END_ELLIPSIS);
    });
    EXPECT_LT(Painted(clipped).right(), 30);
}

TEST(Canvas, ClippingNarrowsWhatIsVisibleAndComesBack) {
    Draw([](TCanvas& c) {
        EXPECT_TRUE(c.RectVisible({50, 30, 55, 35}));
        const TClip saved = c.Clip();
        c.IntersectClipRect({0, 0, 20, 20});
        EXPECT_FALSE(c.RectVisible({50, 30, 55, 35}));
        EXPECT_TRUE(c.RectVisible({10, 10, 30, 30}));
        c.SetClip(saved);
        EXPECT_TRUE(c.RectVisible({50, 30, 55, 35}));
        EXPECT_FALSE(c.RectVisible({10, 10, 10, 30})) << "an empty rectangle is never visible";
    });
    const QImage image = Draw([](TCanvas& c) {
        c.IntersectClipRect({0, 0, 20, 20});
        c.SetBrushColor(clBlack);
        c.FillRect({10, 10, 30, 30});
    });
    EXPECT_EQ(Painted(image), QRect(10, 10, 10, 10));
}

TEST(Canvas, RaisedEdgeIsLightAboveAndLeftAndDarkBelowAndRight) {
    QPalette palette;
    const QImage image = Draw([](TCanvas& c) {
        c.DrawEdge({10, 10, 30, 20}, BDR_RAISEDINNER, BF_RECT);
    });
    EXPECT_EQ(QColor(image.pixel(12, 10)), ToQColor(clBtnHighlight, palette));
    EXPECT_EQ(QColor(image.pixel(10, 15)), ToQColor(clBtnHighlight, palette));
    EXPECT_EQ(QColor(image.pixel(29, 15)), ToQColor(clBtnShadow, palette));
    EXPECT_EQ(QColor(image.pixel(15, 19)), ToQColor(clBtnShadow, palette));
    EXPECT_EQ(image.pixel(15, 15), kWhite);
}

} // namespace
} // namespace kx::ui
