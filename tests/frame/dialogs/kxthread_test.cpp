#include "frame/dialogs/kxthread.h"

#include "core/sqlfunctions.h"
#include "tests/core/programfixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProgressBar>
#include <QThread>

#include <gtest/gtest.h>

namespace kx {
namespace {

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

TEST(TKXThread, StartShowsOneWindowWithTheCaptionAndStoredMaxima) {
    TKXThread thread;
    thread.SetCaption("正在读取数据，请稍候.....");
    thread.SetProgressBar1(true);
    thread.SetProgressMax1(4);
    thread.SetProgress1(3); // lost: no window yet
    thread.Start();
    TThreadForm* window = thread.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(thread.Active);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "正在读取数据，请稍候.....");
    EXPECT_EQ(window->ProgressBar(1)->maximum(), 4);
    EXPECT_EQ(window->ProgressBar(1)->value(), 0);
    EXPECT_TRUE(thread.ProgressBar1());
    EXPECT_FALSE(thread.ProgressBar2());
    EXPECT_EQ(window->ProgressBar(3)->maximum(), 0);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    thread.Start();
    EXPECT_EQ(thread.Window(), window);

    thread.Stop();
    EXPECT_EQ(thread.Window(), nullptr);
    EXPECT_FALSE(thread.Active);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(thread.ProgressBar1());
}

TEST(TKXThread, MaximumSetWhileOpenIsNotKeptForTheNextStart) {
    TKXThread thread;
    thread.SetProgressBar2(true);
    thread.SetProgressMax2(10);
    thread.Start();
    thread.SetProgress2(6);
    EXPECT_EQ(thread.Window()->ProgressBar(2)->value(), 6);
    thread.SetProgressMax2(3);
    EXPECT_EQ(thread.Window()->ProgressBar(2)->maximum(), 3);
    EXPECT_EQ(thread.Window()->ProgressBar(2)->value(), 0);
    thread.SetProgressBar2(false);
    EXPECT_FALSE(thread.ProgressBar2());
    thread.Stop();

    thread.Start();
    EXPECT_EQ(thread.Window()->ProgressBar(2)->maximum(), 10);
    EXPECT_TRUE(thread.Window()->ProgressBar(2)->isHidden());
    thread.Stop();
}

TEST(TKXThread, EmptyCaptionGivesEmptyTitleAndKindPicksTheAnimation) {
    TKXThread thread;
    thread.SetKind(TOptionKind::crDelete);
    thread.Start();
    EXPECT_EQ(thread.Window()->windowTitle(), "");
    EXPECT_EQ(thread.Window()->Kind(), TOptionKind::crDelete);
    thread.Stop();
}

TEST(TKXThread, StopWithoutStartIsHarmless) {
    TKXThread thread;
    thread.Active = true;
    thread.Stop();
    EXPECT_FALSE(thread.Active);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(TKXThread, StopButtonIsBelowTheVisiblePartAndOnlyRecordsTheRequest) {
    TKXThread thread;
    thread.Start();
    TThreadForm* window = thread.Window();
    auto* button = window->findChild<QAbstractButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_GE(button->y(), window->height());
    button->click();
    EXPECT_FALSE(thread.StopRequested());
    thread.SetProgress2(1);
    EXPECT_TRUE(thread.StopRequested());
    EXPECT_TRUE(thread.Active);
    thread.Stop();
}

TEST(TKXThread, PictureMovesWhileADatabaseStatementHoldsTheThread) {
    test::OpenDataFolder data;
    int otherHookCalls = 0;
    db::SetProgressHook([&] { ++otherHookCalls; });
    {
        TKXThread thread;
        thread.Start();
        auto* picture = thread.Window()->findChild<QWidget*>("Animate1");
        ASSERT_NE(picture, nullptr);
        PaintCounter paints(picture);
        // Long enough for the next frame to be due; no event is handled.
        QThread::msleep(100);
        EXPECT_EQ(GetSqlFirstFloat(kDatabaseName,
                                   "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 "
                                   "FROM N WHERE I < 100000) SELECT COUNT(*) FROM N"),
                  100000);
        EXPECT_GT(paints.Count, 0);
        EXPECT_EQ(otherHookCalls, 0);
        // Left open: the component's end gives the statements back their hook.
    }
    GetSqlFirstFloat(kDatabaseName, "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 "
                                    "FROM N WHERE I < 100000) SELECT COUNT(*) FROM N");
    EXPECT_GT(otherHookCalls, 0);
    db::SetProgressHook({});
}

} // namespace
} // namespace kx
