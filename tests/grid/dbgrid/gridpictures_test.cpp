#include "grid/dbgrid/gridpictures.h"

#include "grid/dbgrid/dbgridxstyle.h"
#include "grid/editors/propertyinterceptors.h"

#include <QPixmap>

#include <gtest/gtest.h>

namespace kx {
namespace {

class GridUnitTest : public ::testing::Test {
protected:
    GridUnitTest() { StartGridUnit(); }
    ~GridUnitTest() override {
        IncSearchColor = ui::clYellow;
        EndGridUnit();
    }
    TGridPictureList& Indicators() { return *GridUnitResources()->IndicatorImages; }
};

TEST_F(GridUnitTest, StartMakesThePicturesFontCursorsAndStyle) {
    ASSERT_NE(GridUnitResources(), nullptr);
    EXPECT_NE(DefaultGridStyle(), nullptr);
    EXPECT_TRUE(PropertyInterceptors().contains(
        {&QWidget::staticMetaObject, &TFormStoragePropertyInterceptor::staticMetaObject}));
    EXPECT_EQ(Indicators().Count(), 7);
    for (int i = 0; i < Indicators().Count(); ++i)
        EXPECT_EQ(Indicators().Picture(i).size(), QSize(6, 11)) << i;
    const TGridPictureList& markers = *GridUnitResources()->SortMarkerImages;
    ASSERT_EQ(markers.Count(), 2);
    EXPECT_EQ(markers.Picture(smpDown).size(), QSize(10, 9));
    // The sort numbers are 8 pixels high: one less than the marker.
    EXPECT_EQ(GridUnitResources()->SortIndexFont.pixelSize(), 8);
    EXPECT_EQ(GridUnitResources()->SortIndexFont.family(), QStringLiteral("Arial"));
    const QCursor& down = GridUnitResources()->DownCursor;
    EXPECT_EQ(down.pixmap().size(), QSize(32, 32));
    EXPECT_GT(down.hotSpot().y(), 16); // the tip is at the bottom
    EXPECT_GT(GridUnitResources()->RightCursor.hotSpot().x(), 16);
    EXPECT_LT(GridUnitResources()->LeftCursor.hotSpot().x(), 16);
}

TEST_F(GridUnitTest, TransparentColoursBecomeSeeThrough) {
    const QImage& arrow = Indicators().Picture(ipCurrentRecord);
    EXPECT_EQ(qAlpha(arrow.pixel(5, 0)), 0);
    EXPECT_EQ(arrow.pixel(0, 1), qRgba(0, 0, 0, 255));
    const QImage& filled = Indicators().Picture(ipCurrentRecordFilled);
    EXPECT_EQ(qAlpha(filled.pixel(5, 0)), 0); // teal
    EXPECT_EQ(filled.pixel(1, 3), qRgba(255, 255, 255, 255));
    const QImage& marker = GridUnitResources()->SortMarkerImages->Picture(smpUp);
    EXPECT_EQ(qAlpha(marker.pixel(0, 0)), 0); // fuchsia
    EXPECT_EQ(marker.pixel(4, 2), qRgba(128, 128, 128, 255));
}

TEST_F(GridUnitTest, SearchIndicatorTakesTheSearchColourButNeverTeal) {
    struct Case {
        ui::TColor color;
        QRgb fill;
    };
    const Case cases[] = {
        {ui::clYellow, qRgba(255, 255, 0, 255)},
        {ui::RGBColor(0, 128, 128), qRgba(0, 127, 127, 255)}, // teal would vanish
        {ui::clRed, qRgba(255, 0, 0, 255)},
    };
    for (const Case& c : cases) {
        IncSearchColor = c.color;
        RecreateSearchIndicator();
        ASSERT_EQ(Indicators().Count(), 7);
        const QImage& search = Indicators().Picture(ipSearching);
        EXPECT_EQ(search.pixel(1, 4), c.fill) << std::hex << c.color;
        EXPECT_EQ(qAlpha(search.pixel(5, 0)), 0);
        EXPECT_EQ(search.pixel(0, 4), qRgba(0, 0, 0, 255)); // the outline stays
    }
}

TEST(GridUnit, EndFreesEverything) {
    StartGridUnit();
    EndGridUnit();
    EXPECT_EQ(GridUnitResources(), nullptr);
    EXPECT_EQ(DefaultGridStyle(), nullptr);
}

} // namespace
} // namespace kx
