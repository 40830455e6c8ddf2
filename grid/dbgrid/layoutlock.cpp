#include "grid/dbgrid/layoutlock.h"

#include "platform/ui/windowmessage.h"

#include <QCoreApplication>

namespace kx {

QEvent::Type TDBGridLayoutLock::DeferredLayoutEvent() {
    static const QEvent::Type type =
        ui::RegisterWindowMessage(QStringLiteral("KXDBGridDeferLayout"));
    return type;
}

void TDBGridLayoutLock::EndLayout() {
    if (updateCount_ > 0)
        --updateCount_;
}

void TDBGridLayoutLock::BeginLayoutUpdate() {
    BeginLayout();
    if (layoutLockCount_ == 0 && BeginColumnsUpdate)
        BeginColumnsUpdate();
    ++layoutLockCount_;
}

bool TDBGridLayoutLock::AcquireLayoutLock() {
    if (updateCount_ != 0 || layoutLockCount_ != 0)
        return false;
    BeginLayoutUpdate();
    return true;
}

void TDBGridLayoutLock::EndLayoutUpdate() {
    if (layoutLockCount_ <= 0)
        return;
    // The counters come down however the layout ends.
    struct TRelease {
        TDBGridLayoutLock& lock;
        ~TRelease() {
            if (lock.layoutLockCount_ == 1 && lock.EndColumnsUpdate)
                lock.EndColumnsUpdate();
            --lock.layoutLockCount_;
            lock.EndLayout();
        }
    } release{*this};
    if (layoutLockCount_ == 1 && RunLayout)
        RunLayout();
}

void TDBGridLayoutLock::DropLayoutUpdate() {
    if (layoutLockCount_ <= 0)
        return;
    if (layoutLockCount_ == 1 && EndColumnsUpdate)
        EndColumnsUpdate();
    --layoutLockCount_;
    EndLayout();
}

void TDBGridLayoutLock::LayoutChanged() {
    if (AcquireLayoutLock())
        EndLayoutUpdate();
}

void TDBGridLayoutLock::PostDeferredEvent() {
    if (!receiver_ || deferredPending_)
        return;
    deferredPending_ = true;
    ui::PostWindowMessage(receiver_, DeferredLayoutEvent(), 0);
}

void TDBGridLayoutLock::PostDeferredLayout() {
    PostDeferredEvent();
    DropLayoutUpdate();
    EndLayout();
}

void TDBGridLayoutLock::DeferredLayoutArrived() {
    if (!deferredPending_)
        return; // the layout already ran
    deferredPending_ = false;
    if (AcquireLayoutLock())
        EndLayoutUpdate();
    else
        // Someone else holds the counters: they stay theirs, and the layout
        // waits for the next turn.
        PostDeferredEvent();
}

void TDBGridLayoutLock::CancelDeferredLayout() {
    if (!deferredPending_)
        return;
    deferredPending_ = false;
    if (receiver_)
        QCoreApplication::removePostedEvents(receiver_, DeferredLayoutEvent());
}

} // namespace kx
