#pragma once
// The two counters that batch the data-aware grid's layout work. While an
// update is held the grid paints lightly and lays nothing out; nested layout
// updates of the columns lay the grid out once, when the outermost ends; and
// a layout that cannot run now is deferred to one queued message.

#include <QEvent>
#include <QPointer>

#include <functional>

class QObject;

namespace kx {

class TDBGridLayoutLock {
public:
    // The grid's full layout, and the column collection's batch update.
    std::function<void()> RunLayout;
    std::function<void()> BeginColumnsUpdate;
    std::function<void()> EndColumnsUpdate;

    // The object that receives the deferred-layout event (the grid window);
    // it hands the event to DeferredLayoutArrived.
    void SetReceiver(QObject* receiver) { receiver_ = receiver; }
    static QEvent::Type DeferredLayoutEvent();

    void BeginLayout() { ++updateCount_; }
    void EndLayout();
    bool UpdateHeld() const { return updateCount_ > 0; }
    int LayoutLockCount() const { return layoutLockCount_; }

    void BeginLayoutUpdate();
    // Takes the lock only when nothing holds either counter.
    bool AcquireLayoutLock();
    // The outermost end runs the layout.
    void EndLayoutUpdate();
    // Ends a layout update without laying out.
    void DropLayoutUpdate();
    // Lays out now when the lock is free.
    void LayoutChanged();

    // Gives up the layout update held by the caller and queues one
    // deferred-layout event instead.
    void PostDeferredLayout();
    void DeferredLayoutArrived();
    // The layout runs now: a queued deferred layout has nothing left to do.
    void CancelDeferredLayout();
    bool DeferredLayoutPending() const { return deferredPending_; }

private:
    void PostDeferredEvent();

    QPointer<QObject> receiver_;
    int updateCount_ = 0;
    int layoutLockCount_ = 0;
    bool deferredPending_ = false;
};

} // namespace kx
