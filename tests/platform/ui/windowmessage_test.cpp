#include "platform/ui/windowmessage.h"

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace kx::ui {
namespace {

class Recorder : public QObject {
public:
    bool event(QEvent* event) override {
        if (auto* message = dynamic_cast<WindowMessageEvent*>(event)) {
            received.append({message->type(), message->WindowId()});
            return true;
        }
        return QObject::event(event);
    }
    QList<QPair<QEvent::Type, qint64>> received;
};

TEST(WindowMessage, SameNameGivesSameTypeAndDifferentNamesDiffer) {
    const QEvent::Type show = RegisterWindowMessage(QStringLiteral("TestShowMessage"));
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("TestShowMessage")), show);
    EXPECT_NE(RegisterWindowMessage(QStringLiteral("TestHideMessage")), show);
    EXPECT_GE(show, QEvent::User);
}

TEST(WindowMessage, PostedMessageArrivesAfterTheCurrentEventInOrder) {
    Recorder receiver;
    const QEvent::Type first = RegisterWindowMessage(QStringLiteral("TestFirst"));
    const QEvent::Type second = RegisterWindowMessage(QStringLiteral("TestSecond"));
    PostWindowMessage(&receiver, first, 7);
    PostWindowMessage(&receiver, second, 8);
    EXPECT_TRUE(receiver.received.isEmpty());
    QCoreApplication::sendPostedEvents(&receiver);
    ASSERT_EQ(receiver.received.size(), 2);
    EXPECT_EQ(receiver.received[0], qMakePair(first, qint64(7)));
    EXPECT_EQ(receiver.received[1], qMakePair(second, qint64(8)));
}

TEST(WindowHandle, StableForAWindowAndNeverReused) {
    QWidget a;
    const qint64 handleA = WindowHandle(&a);
    EXPECT_GT(handleA, 0);
    EXPECT_EQ(WindowHandle(&a), handleA);
    qint64 handleB = 0;
    {
        QWidget b;
        handleB = WindowHandle(&b);
    }
    QWidget c;
    EXPECT_NE(handleB, handleA);
    EXPECT_NE(WindowHandle(&c), handleB);
}

} // namespace
} // namespace kx::ui
