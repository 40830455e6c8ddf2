#include "grid/dbgrid/layoutlock.h"

#include <QCoreApplication>
#include <QObject>

#include <gtest/gtest.h>

#include <stdexcept>

namespace kx {
namespace {

// Stands in for the grid window: hands the deferred-layout event on.
class TReceiver : public QObject {
public:
    explicit TReceiver(TDBGridLayoutLock& lock) : lock_(lock) {}
    bool event(QEvent* event) override {
        if (event->type() != TDBGridLayoutLock::DeferredLayoutEvent())
            return QObject::event(event);
        lock_.DeferredLayoutArrived();
        return true;
    }

private:
    TDBGridLayoutLock& lock_;
};

class LayoutLockTest : public ::testing::Test {
protected:
    LayoutLockTest() : receiver_(lock_) {
        lock_.RunLayout = [this] { ++layouts_; };
        lock_.BeginColumnsUpdate = [this] { ++columnUpdates_; };
        lock_.EndColumnsUpdate = [this] { --columnUpdates_; };
        lock_.SetReceiver(&receiver_);
    }
    void DeliverQueued() {
        QCoreApplication::sendPostedEvents(&receiver_, TDBGridLayoutLock::DeferredLayoutEvent());
    }

    TDBGridLayoutLock lock_;
    TReceiver receiver_;
    int layouts_ = 0;
    int columnUpdates_ = 0;
};

TEST_F(LayoutLockTest, RequestsDuringAnUpdateLayOutOnceAtTheOutermostEnd) {
    lock_.LayoutChanged();
    EXPECT_EQ(layouts_, 1);
    lock_.BeginLayoutUpdate();
    lock_.BeginLayoutUpdate();
    EXPECT_EQ(columnUpdates_, 1);
    lock_.LayoutChanged();
    lock_.LayoutChanged();
    lock_.EndLayoutUpdate();
    EXPECT_EQ(layouts_, 1);
    lock_.EndLayoutUpdate();
    EXPECT_EQ(layouts_, 2);
    EXPECT_EQ(columnUpdates_, 0);
    EXPECT_FALSE(lock_.UpdateHeld());
    lock_.EndLayoutUpdate(); // nothing to end
    EXPECT_EQ(layouts_, 2);
}

TEST_F(LayoutLockTest, HeldUpdateRefusesTheLockAndDropLaysNothingOut) {
    lock_.BeginLayout();
    EXPECT_FALSE(lock_.AcquireLayoutLock());
    EXPECT_EQ(lock_.LayoutLockCount(), 0);
    lock_.LayoutChanged();
    lock_.EndLayout();
    lock_.EndLayout(); // never below 0
    EXPECT_EQ(layouts_, 0);
    ASSERT_TRUE(lock_.AcquireLayoutLock());
    lock_.DropLayoutUpdate();
    EXPECT_EQ(layouts_, 0);
    EXPECT_EQ(lock_.LayoutLockCount(), 0);
    EXPECT_FALSE(lock_.UpdateHeld());
    EXPECT_EQ(columnUpdates_, 0);
}

TEST_F(LayoutLockTest, AFailedLayoutStillReleasesTheCounters) {
    lock_.RunLayout = [] { throw std::runtime_error("layout failed"); };
    ASSERT_TRUE(lock_.AcquireLayoutLock());
    EXPECT_THROW(lock_.EndLayoutUpdate(), std::runtime_error);
    EXPECT_EQ(lock_.LayoutLockCount(), 0);
    EXPECT_FALSE(lock_.UpdateHeld());
    EXPECT_EQ(columnUpdates_, 0);
}

TEST_F(LayoutLockTest, DeferredLayoutsQueueOneEvent) {
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(lock_.AcquireLayoutLock());
        lock_.PostDeferredLayout();
        EXPECT_FALSE(lock_.UpdateHeld());
    }
    EXPECT_TRUE(lock_.DeferredLayoutPending());
    DeliverQueued();
    EXPECT_EQ(layouts_, 1);
    EXPECT_FALSE(lock_.DeferredLayoutPending());
    DeliverQueued();
    EXPECT_EQ(layouts_, 1);
}

TEST_F(LayoutLockTest, DeferredLayoutWaitsForOthersWithoutTakingTheirCounters) {
    ASSERT_TRUE(lock_.AcquireLayoutLock());
    lock_.PostDeferredLayout();
    lock_.BeginLayout(); // someone else holds an update
    DeliverQueued();
    EXPECT_EQ(layouts_, 0);
    EXPECT_TRUE(lock_.UpdateHeld());
    EXPECT_TRUE(lock_.DeferredLayoutPending());
    lock_.EndLayout();
    DeliverQueued();
    EXPECT_EQ(layouts_, 1);
    EXPECT_FALSE(lock_.UpdateHeld());
}

TEST_F(LayoutLockTest, ALayoutThatRunsNowCancelsTheDeferredOne) {
    ASSERT_TRUE(lock_.AcquireLayoutLock());
    lock_.PostDeferredLayout();
    lock_.CancelDeferredLayout();
    EXPECT_FALSE(lock_.DeferredLayoutPending());
    DeliverQueued();
    EXPECT_EQ(layouts_, 0);
}

} // namespace
} // namespace kx
