#include "tablereport/previewlayout.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(PreviewPagingTest, OnePageDisablesPagingAndReadsFirstOfOne) {
    TPreviewPaging paging;
    paging.SetCount(1);
    EXPECT_FALSE(paging.CanGoBack());
    EXPECT_FALSE(paging.CanGoForward());
    EXPECT_EQ(paging.StatusText(), "第1／1页");
}

TEST(PreviewPagingTest, StepsStayWithinThePagesAndFewerPagesLowerTheCurrent) {
    TPreviewPaging paging;
    paging.SetCount(5);
    paging.Prior();
    EXPECT_EQ(paging.Current(), 1);
    paging.Next();
    EXPECT_EQ(paging.StatusText(), "第2／5页");
    EXPECT_TRUE(paging.CanGoBack());
    paging.Last();
    paging.Next();
    EXPECT_EQ(paging.Current(), 5);
    EXPECT_FALSE(paging.CanGoForward());
    paging.SetCount(3);
    EXPECT_EQ(paging.StatusText(), "第3／3页");
    paging.SetCount(0);
    EXPECT_EQ(paging.StatusText(), "第1／1页");
    paging.SetCount(4);
    paging.First();
    EXPECT_EQ(paging.Current(), 1);
}

TEST(PreviewLayoutTest, BestFitNeverEnlargesAndKeepsAPage) {
    const struct {
        QSize window;
        QSize page;
        int zoom;
    } cases[] = {
        {{1000, 1200}, {758, 1037}, 100}, // the page fits as it is
        {{928, 1147}, {758, 1037}, 100},  // exactly the room there is
        {{715, 550}, {758, 1037}, 42},    // 440 / 1037 of the height
        {{600, 2000}, {758, 1037}, 57},   // 430 / 758 of the width
        {{100, 100}, {758, 1037}, kMinPreviewZoom},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BestFitZoom(c.window, c.page), c.zoom)
            << c.window.width() << " x " << c.window.height();
}

TEST(PreviewLayoutTest, PageIsCentredWhenNarrowAndNeverAboveTen) {
    EXPECT_EQ(CentredPagePosition(1000, 800, {500, 600}), QPoint(240, 55));
    // not narrower than the client width less 20: fixed at 23
    EXPECT_EQ(CentredPagePosition(520, 800, {500, 600}), QPoint(23, 55));
    EXPECT_EQ(CentredPagePosition(1000, 500, {500, 600}), QPoint(240, 10));
    // halves are cut toward zero
    EXPECT_EQ(CentredPagePosition(1001, 801, {500, 600}), QPoint(240, 55));
}

} // namespace
} // namespace kx
