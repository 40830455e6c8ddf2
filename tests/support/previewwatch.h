#pragma once
// Acts on the banded-report preview window while its report waits for it:
// the preview runs its own event loop, so the action runs from a timer.

#include "tablereport/prevform.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace kx::test {

// Starts the preview through the trigger and, once the preview window is
// there and `ready` holds (the report's run has ended), takes its page
// notices and runs the action on it; a window the action leaves open is
// closed. True when the action ran.
inline bool WhilePreviewShown(const std::function<void()>& trigger,
                              const std::function<bool(TPrevForm*)>& ready,
                              const std::function<void(TPrevForm*)>& action) {
    bool shown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (shown || !PrevForm || !ready(PrevForm))
            return;
        shown = true;
        QCoreApplication::sendPostedEvents();
        const QPointer<TPrevForm> form = PrevForm;
        action(form);
        if (form)
            form->close();
    });
    poll.start(5);
    trigger();
    return shown;
}

} // namespace kx::test
