#include "platform/print/pagepicture.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace kx::print {
namespace {

TPagePicture SquarePage() {
    TPagePicture page(QSize(100, 200), 96);
    QPainter* canvas = page.Begin();
    canvas->fillRect(QRect(10, 20, 10, 10), Qt::black);
    page.End();
    return page;
}

// The black pixels along a row of the image.
std::pair<int, int> BlackSpan(const QImage& image, int row) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, row) == QColor(Qt::black)) {
            if (first < 0)
                first = x;
            last = x;
        }
    return {first, last};
}

TEST(TPagePictureTest, PlaysStretchedIntoItsRectangleWhateverTheDeviceResolution) {
    const TPagePicture page = SquarePage();
    for (int dotsPerInch : {96, 300, 1200}) {
        QImage image(200, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
        image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
        {
            QPainter canvas(&image);
            page.Play(canvas, QRectF(0, 0, 200, 400));
        }
        EXPECT_EQ(BlackSpan(image, 45), std::make_pair(20, 39)) << dotsPerInch;
        EXPECT_EQ(BlackSpan(image, 39), std::make_pair(-1, -1)) << dotsPerInch;
    }
}

// Recording a page asks the device for its metrics many times over; none
// may fall to Qt's default, which writes a warning each time.
TEST(TPagePictureTest, RecordingWritesNoWarnings) {
    static int warnings = 0;
    warnings = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
            if (type != QtInfoMsg)
                ++warnings;
        });
    TPagePicture page(QSize(200, 100), 96);
    QPainter* canvas = page.Begin();
    canvas->setFont(QFont(QStringLiteral("宋体"), 9));
    canvas->drawText(10, 20, QStringLiteral("第1页"));
    canvas->drawLine(0, 0, 100, 50);
    canvas->drawRect(5, 5, 50, 20);
    page.End();
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, 0);
}

TEST(TPagePictureTest, SavedBytesCarryTheirLengthAndLoadBack) {
    const QByteArray bytes = SquarePage().Save();
    EXPECT_EQ(bytes.left(4), QByteArray("KXPG"));
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(bytes.size()));
    const auto loaded = TPagePicture::Load(bytes);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->Size(), QSize(100, 200));
    EXPECT_EQ(loaded->DotsPerInch(), 96);
    EXPECT_EQ(loaded->Save(), bytes);
}

TEST(TPagePictureTest, APageWithNothingDrawnLoadsBack) {
    const TPagePicture blank(QSize(30, 40), 96);
    const auto loaded = TPagePicture::Load(blank.Save());
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->Size(), QSize(30, 40));
}

TEST(TPagePictureTest, BytesThatAreNoWholePageGiveNothing) {
    const QByteArray bytes = SquarePage().Save();
    QByteArray zeroWidth = bytes;
    qToLittleEndian<qint32>(0, zeroWidth.data() + 8);
    for (const QByteArray& damaged : {QByteArray(), bytes.left(10), bytes.left(bytes.size() - 1),
                                      QByteArray("XXXX") + bytes.mid(4), zeroWidth})
        EXPECT_FALSE(TPagePicture::Load(damaged).has_value());
}

// Every kind of drawing a report control makes.
void DrawSample(QPainter& canvas) {
    canvas.fillRect(QRect(5, 5, 30, 12), QColor(0x20, 0x80, 0xC0));
    canvas.setPen(QPen(Qt::darkRed, 2, Qt::DashLine));
    canvas.setBrush(QBrush(Qt::yellow, Qt::DiagCrossPattern));
    canvas.drawRect(QRect(40, 5, 20, 20));
    canvas.drawEllipse(QRect(65, 5, 25, 15));
    // A screen draws a rounded rectangle of its own accord; what a page
    // records is its path.
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(5, 30, 40, 20), 6, 6);
    canvas.drawPath(rounded);
    canvas.drawLine(QPoint(50, 30), QPoint(90, 60));
    canvas.drawPolygon(QPolygonF({QPointF(5, 60), QPointF(30, 90), QPointF(50, 65)}));
    QImage dot(4, 4, QImage::Format_RGB32);
    dot.fill(Qt::green);
    canvas.drawImage(QRect(60, 70, 8, 8), dot);
    canvas.setClipRect(QRect(0, 95, 100, 60));
    canvas.setFont(QFont(QStringLiteral("Arial"), 9));
    canvas.setPen(Qt::black);
    canvas.drawText(QPoint(5, 110), QStringLiteral("合计 Total 12.50"));
    canvas.setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    canvas.drawText(QPoint(5, 140), QStringLiteral("页 2"));
}

QImage Painted(const std::function<void(QPainter&)>& paint) {
    QImage image(100, 160, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter canvas(&image);
    paint(canvas);
    canvas.end();
    return image;
}

TEST(TPagePictureTest, APlayedPageLooksAsDrawnDirectlyAlsoAfterLoading) {
    TPagePicture page(QSize(100, 160), 96);
    QPainter* recorder = page.Begin();
    DrawSample(*recorder);
    page.End();
    const auto loaded = TPagePicture::Load(page.Save());
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->Save(), page.Save());
    const QImage direct = Painted(DrawSample);
    const QImage played =
        Painted([&](QPainter& canvas) { loaded->Play(canvas, QRectF(0, 0, 100, 160)); });
    EXPECT_EQ(played, direct);
    EXPECT_NE(direct, Painted([](QPainter&) {}));
}

TEST(TPagePictureTest, DamagedDrawingStepsAreRefused) {
    TPagePicture page(QSize(100, 160), 96);
    QPainter* recorder = page.Begin();
    DrawSample(*recorder);
    page.End();
    const QByteArray bytes = page.Save();
    const int steps = TPagePicture::kHeaderSize + 8;
    const auto patched = [&](int offset, quint32 value) {
        QByteArray damaged = bytes;
        qToLittleEndian<quint32>(value, damaged.data() + offset);
        return damaged;
    };
    // The first step follows the list's 20-byte head: its code, then for
    // the pen its colour and width.
    const int firstStep = TPagePicture::kHeaderSize + 20;
    QByteArray unknownStep = bytes;
    unknownStep[firstStep] = char(99);
    QByteArray notFinite = bytes;
    qToLittleEndian<double>(std::numeric_limits<double>::quiet_NaN(),
                            notFinite.data() + firstStep + 9);
    for (const QByteArray& damaged :
         {patched(steps, 0xFFFFFFFF), patched(steps, 1), patched(TPagePicture::kHeaderSize, 0),
          unknownStep, notFinite})
        EXPECT_FALSE(TPagePicture::Load(damaged).has_value());

    TPagePicture rects(QSize(10, 10), 96);
    rects.Begin()->drawRects(QList<QRectF>{QRectF(1, 1, 2, 2)});
    rects.End();
    QByteArray huge = rects.Save();
    const int count = int(huge.lastIndexOf(QByteArray::fromHex("01000000"), huge.size() - 32));
    ASSERT_GT(count, 0);
    qToLittleEndian<quint32>(0x7FFFFFFF, huge.data() + count);
    EXPECT_FALSE(TPagePicture::Load(huge).has_value());
}

} // namespace
} // namespace kx::print
