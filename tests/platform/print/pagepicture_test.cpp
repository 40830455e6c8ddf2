#include "platform/print/pagepicture.h"

#include <QImage>
#include <QPainter>
#include <QtEndian>

#include <gtest/gtest.h>

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

TEST(TPagePictureTest, BytesThatAreNoWholePageGiveNothing) {
    const QByteArray bytes = SquarePage().Save();
    QByteArray zeroWidth = bytes;
    qToLittleEndian<qint32>(0, zeroWidth.data() + 8);
    for (const QByteArray& damaged : {QByteArray(), bytes.left(10), bytes.left(bytes.size() - 1),
                                      QByteArray("XXXX") + bytes.mid(4), zeroWidth})
        EXPECT_FALSE(TPagePicture::Load(damaged).has_value());
}

} // namespace
} // namespace kx::print
