#include "tablereport/designerlogic.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(DesignerLogicTest, FitZoomNeverEnlargesAndTakesTheTighterSide) {
    struct Case {
        QSize page, window;
        int zoom;
    };
    const Case cases[] = {
        {{758, 1037}, {1400, 1300}, 100}, // the page fits: no enlarging
        {{758, 1037}, {1400, 1197}, 100}, // exactly the room left: still 100
        {{758, 1037}, {1400, 678}, 50},   // 518 / 1037 = 49.95 -> 50
        {{758, 1037}, {550, 1300}, 50},   // the width is tighter: 379 / 758
        {{758, 1037}, {550, 678}, 50},
        {{758, 1037}, {171, 100}, kMinDesignerZoom}, // no room: the smallest zoom
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesignerFitZoom(c.page, c.window), c.zoom)
            << c.window.width() << "x" << c.window.height();
}

TEST(DesignerLogicTest, PagePositionCentresOnlyWithRoomToSpare) {
    // Narrower than the client: centred in the scroll box; the top half
    // rounds toward zero and gets 5 added.
    EXPECT_EQ(DesignerPagePos({758, 1037}, 1000, 820, 1300), QPoint(21, 61));
    // Not narrower than client width - 20: left 5; no height to spare: top 5.
    EXPECT_EQ(DesignerPagePos({758, 1037}, 778, 820, 1000), QPoint(5, 5));
    // A half that truncates to 0 leaves no room either.
    EXPECT_EQ(DesignerPagePos({100, 100}, 200, 181, 251), QPoint(30, 5));
}

TEST(DesignerLogicTest, PointSizeTruncatesTwice) {
    EXPECT_EQ(PointSizeFromHeight(-16, 96), 12);
    EXPECT_EQ(PointSizeFromHeight(16, 96), 12);
    EXPECT_EQ(PointSizeFromHeight(-15, 96), 11); // 112.5 -> 112 -> 11
    EXPECT_EQ(PointSizeFromHeight(-13, 120), 7); // 78 -> 7
}

TEST(DesignerLogicTest, FontBarBuildsTheLogFont) {
    const TLogFont font =
        FontBarFont(QStringLiteral("宋体"), QStringLiteral("12"), true, false, true);
    EXPECT_EQ(font.FaceName(), QStringLiteral("宋体"));
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(font.Weight(), 700);
    EXPECT_FALSE(font.Italic());
    EXPECT_TRUE(font.Underline());
    EXPECT_EQ(FontBarFont(QStringLiteral("宋体"), QStringLiteral("9"), false, true, false).Weight(),
              400);
    for (const char* size : {"", "abc", "0", "-5", "1.5"})
        EXPECT_EQ(FontBarSize(QString::fromLatin1(size)), 9) << size;
    EXPECT_EQ(FontBarSize(QStringLiteral(" 72 ")), 72);
    EXPECT_EQ(
        FontBarFont(QStringLiteral("宋体"), QStringLiteral("x"), false, false, false).Height(),
        -12);
}

TEST(DesignerLogicTest, AlignmentAndDiagonalCodes) {
    EXPECT_EQ(AlignCode(0), 0);
    EXPECT_EQ(AlignCode(2), 2);
    EXPECT_EQ(AlignCode(-1), 3);
    EXPECT_EQ(DiagonalCode({false, false, false, false, false, false}), 0);
    EXPECT_EQ(DiagonalCode({true, true, true, false, false, false}), 7);
    EXPECT_EQ(DiagonalCode({false, false, false, true, true, true}), 0x700);
    EXPECT_EQ(DiagonalCode({true, false, true, false, true, false}), 1 | 4 | 512);
}

TEST(DesignerLogicTest, CustomPaperConvertsBothWays) {
    EXPECT_EQ(PaperPixels(210, 297), QSize(758, 1037));
    EXPECT_EQ(PaperMillimetres({758, 1037}), QSize(210, 297));
    EXPECT_EQ(PaperPixels(100, 50), QSize(361, 175));
}

TEST(DesignerLogicTest, FirstProgramArgumentNamesTheStartupTemplate) {
    EXPECT_EQ(StartupTemplatePath({"kxcashier", "/t/a.ept", "x"}), QStringLiteral("/t/a.ept"));
    EXPECT_EQ(StartupTemplatePath({"kxcashier"}), QString());
    EXPECT_EQ(StartupTemplatePath({"tablereport_test", "--gtest_filter=*"}), QString());
}

TEST(DesignerLogicTest, SaveTargetFollowsTheModes) {
    QByteArray stream;
    struct Case {
        TDesignerDocument document;
        QString printId, dir, table;
        TSaveTarget target;
    };
    const Case cases[] = {
        {{}, {}, {}, {}, TSaveTarget::Nothing},
        {{true, {}, nullptr, false, false}, {}, {}, {}, TSaveTarget::SaveAs},
        {{true, "/t/a.ept", nullptr, false, false}, {}, {}, {}, TSaveTarget::File},
        {{false, "/t/a.ept", &stream, false, false}, {}, {}, {}, TSaveTarget::Stream},
        {{true, "/t/a.ept", nullptr, true, false}, {}, "/t", {}, TSaveTarget::NoPrintId},
        {{true, {}, nullptr, true, false}, "BX1", "/t", "T", TSaveTarget::CatalogueFile},
        {{true, {}, nullptr, true, false}, "BX1", {}, "T", TSaveTarget::CatalogueTable},
        {{true, {}, nullptr, true, false}, "BX1", {}, {}, TSaveTarget::NoCataloguePlace},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(SaveTargetOf(c.document, c.printId, c.dir, c.table), c.target) << i;
    }
}

} // namespace
} // namespace kx
