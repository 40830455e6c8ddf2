#include "frame/dialogs/showpictureform.h"

#include "frame/dialogs/picturegeometry.h"
#include "platform/ui/picturefile.h"
#include "tests/frame/dialogs/pickerfixture.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>

namespace kx {
namespace {

TEST(PictureGeometry, TheDecoderComesFromTheTypeNamesExtension) {
    const struct {
        QString typeName;
        QByteArray format;
    } cases[] = {
        {"photo.bmp", "BMP"}, {"照片.BMP", "BMP"}, {"a.jpg", "JPEG"}, {"a.b.Jpeg", "JPEG"},
        {"a.gif", ""},        {"jpeg", ""},        {"", ""},          {"c:\\照片\\x.jpg", "JPEG"}};
    for (const auto& c : cases)
        EXPECT_EQ(PictureFormatOf(c.typeName), c.format) << c.typeName.toStdString();
}

TEST(PictureGeometry, CentredWithHalvesToTheEvenNeighbourAndNeverBelowZero) {
    EXPECT_EQ(CentredOffset(100, 50), 25);
    EXPECT_EQ(CentredOffset(100, 95), 2) << "2.5 goes to 2";
    EXPECT_EQ(CentredOffset(100, 93), 4) << "3.5 goes to 4";
    EXPECT_EQ(CentredOffset(100, 100), 0);
    EXPECT_EQ(CentredOffset(100, 300), 0);
    EXPECT_EQ(DraggedTopLeft({50, 40}, {10, 10}, {-5, 0}), QPoint(35, 30));
}

// Pictures made by the test: a red bitmap and a blue JPEG, each saved under
// a name without extension as the stored pictures are.
class ShowPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Picture(Qt::red, {120, 80}).save(Path("bitmap"), "BMP"));
        ASSERT_TRUE(Picture(Qt::blue, {2400, 1800}).save(Path("photo"), "JPEG"));
        QFile text(Path("notes"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("this is not a picture\n");
    }

    static QImage Picture(Qt::GlobalColor colour, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QPainter(&image).fillRect(0, 0, 10, 10, Qt::white);
        return image;
    }

    QString Path(const QString& name) const { return folder_.path() + u'/' + name; }

    // Opens the viewer and hands the shown window to the check.
    void Show(const QString& file, const QString& typeName,
              std::function<void(TShowPictureForm&)> check) {
        bool shown = false;
        test::OnNextModal([&](QWidget* window) {
            auto* form = qobject_cast<TShowPictureForm*>(window);
            ASSERT_TRUE(form);
            shown = true;
            check(*form);
            form->close();
        });
        ShowPictureFile("员工照片", file, typeName);
        EXPECT_TRUE(shown);
    }

    QTemporaryDir folder_;
    test::MessageTextRecorder messages_;
};

TEST_F(ShowPictureTest, ABitmapStartsCentredAndOnlyTheLeftButtonDragsIt) {
    Show(Path("bitmap"), "工作照.bmp", [](TShowPictureForm& form) {
        EXPECT_EQ(form.windowTitle(), "员工照片");
        EXPECT_TRUE(form.isMaximized());
        ASSERT_TRUE(form.Image1->isVisible());
        EXPECT_EQ(form.Image1->size(), QSize(120, 80));
        EXPECT_EQ(form.Image1->pos(), QPoint(CentredOffset(form.Panel2->width(), 120),
                                             CentredOffset(form.Panel2->height(), 80)));
        EXPECT_EQ(form.Label1->geometry(), form.Panel2->rect());
        EXPECT_TRUE(test::SaveShot(form, "showpictureform"));

        const QPoint start = form.Image1->pos();
        const QPoint inside = start + QPoint(20, 20);
        QTest::mousePress(form.Label1, Qt::RightButton, {}, inside);
        QTest::mouseMove(form.Label1, inside + QPoint(30, 5));
        QTest::mouseRelease(form.Label1, Qt::RightButton, {}, inside + QPoint(30, 5));
        EXPECT_EQ(form.Image1->pos(), start) << "the right button does not drag";

        QTest::mousePress(form.Label1, Qt::LeftButton, {}, start - QPoint(5, 5));
        QTest::mouseMove(form.Label1, start + QPoint(40, 40));
        EXPECT_EQ(form.Image1->pos(), start) << "a press outside the picture does not drag";
        QTest::mouseRelease(form.Label1, Qt::LeftButton, {}, start + QPoint(40, 40));

        QTest::mousePress(form.Label1, Qt::LeftButton, {}, inside);
        QTest::mouseMove(form.Label1, inside + QPoint(30, -7));
        EXPECT_EQ(form.Image1->pos(), start + QPoint(30, -7));
        QTest::mouseRelease(form.Label1, Qt::LeftButton, {}, inside + QPoint(30, -7));
        QTest::mouseMove(form.Label1, inside + QPoint(60, 60));
        EXPECT_EQ(form.Image1->pos(), start + QPoint(30, -7)) << "the drag ended";
    });
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join('|').toStdString();
}

TEST_F(ShowPictureTest, ALargeJpegStartsAtTheTopLeft) {
    Show(Path("photo"), "合同扫描件.jpeg", [](TShowPictureForm& form) {
        ASSERT_TRUE(form.Image1->isVisible());
        EXPECT_EQ(form.Image1->size(), QSize(2400, 1800));
        EXPECT_EQ(form.Image1->pos(), QPoint(0, 0));
        const QImage shown = form.Image1->grab().toImage();
        EXPECT_EQ(QColor(shown.pixel(100, 100)).blue() > 200, true) << "the JPEG is decoded";
    });
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join('|').toStdString();
}

// A page scanned at 600 dpi and a 50-megapixel photograph are larger than
// the image allocation allows: they open, scaled down to the pixel budget
// and in their own proportions.
TEST_F(ShowPictureTest, ScansAndPhotographsOfAnySizeOpen) {
    const struct {
        const char* name;
        QSize size;
        const char* format;
        QString typeName;
    } cases[] = {{"a4scan", {4960, 7016}, "BMP", "合同扫描件.bmp"},
                 {"camera", {7200, 7200}, "JPEG", "全家福.jpg"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Picture(Qt::blue, c.size).save(Path(c.name), c.format));
        Show(Path(c.name), c.typeName, [&](TShowPictureForm& form) {
            ASSERT_TRUE(form.Image1->isVisible());
            const QSize shown = form.Image1->size();
            EXPECT_LE(double(shown.width()) * shown.height(), ui::kPicturePixelBudget);
            EXPECT_GT(double(shown.width()) * shown.height(), 0.99 * ui::kPicturePixelBudget);
            EXPECT_NEAR(double(shown.width()) / shown.height(),
                        double(c.size.width()) / c.size.height(), 0.001);
        });
        QFile::remove(Path(c.name));
    }
    EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join('|').toStdString();
}

TEST_F(ShowPictureTest, AnotherTypeShowsAnEmptyViewer) {
    Show(Path("photo"), "动画.gif",
         [](TShowPictureForm& form) { EXPECT_FALSE(form.Image1->isVisible()); });
    EXPECT_TRUE(messages_.texts.isEmpty());
}

TEST_F(ShowPictureTest, AFileItsTypeCannotReadIsRefusedWithTwoMessages) {
    const struct {
        QString file;
        QString typeName;
    } cases[] = {{"notes", "照片.jpg"},
                 {"notes", "照片.bmp"},
                 {"photo", "照片.bmp"},
                 {"missing", "照片.jpg"}};
    for (const auto& c : cases) {
        messages_.texts.clear();
        ShowPictureFile("员工照片", Path(c.file), c.typeName);
        EXPECT_EQ(messages_.texts, QStringList({"图形文件装载过程发生错误", "图片文件打开错误"}))
            << c.file.toStdString() << " as " << c.typeName.toStdString();
    }
}

} // namespace
} // namespace kx
