#include "platform/ui/application.h"

#include "platform/sys/exception.h"

#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx::ui {
namespace {

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetExceptionHandler([this](const std::exception_ptr& error) {
            try {
                std::rethrow_exception(error);
            } catch (const Exception& e) {
                caught_.append(e.Message());
            }
        });
    }
    void TearDown() override {
        SetExceptionHandler({});
        ClearTerminateRequest();
    }
    QStringList caught_;
};

TEST_F(ApplicationTest, GuardedSlotHandsItsExceptionToTheHandler) {
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked,
                     Guard([] { throw Exception(QStringLiteral("from a slot")); }));
    button.click();
    EXPECT_EQ(caught_, QStringList{QStringLiteral("from a slot")});
}

TEST_F(ApplicationTest, GuardPassesTheSignalArguments) {
    QPushButton button;
    button.setCheckable(true);
    bool seen = false;
    QObject::connect(&button, &QPushButton::toggled, Guard([&](bool checked) { seen = checked; }));
    button.click();
    EXPECT_TRUE(seen);
}

class ThrowingObject : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw Exception(QStringLiteral("from an event"));
        return QObject::event(event);
    }
};

TEST_F(ApplicationTest, NotifyCatchesWhatAnEventHandlerThrows) {
    ThrowingObject receiver;
    QEvent event(QEvent::User);
    EXPECT_FALSE(NotifyGuarded(qApp, &receiver, &event));
    EXPECT_EQ(caught_, QStringList{QStringLiteral("from an event")});
}

TEST_F(ApplicationTest, TerminateRequestClosesModalDialogsAsCancelledBeforeTheyShow) {
    QDialog dialog;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = dialog.isVisible();
        dialog.accept();
    });
    EXPECT_EQ(ExecModal(dialog), QDialog::Accepted);
    EXPECT_TRUE(shown);

    RequestTerminate();
    EXPECT_TRUE(TerminateRequested());
    EXPECT_EQ(ExecModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace kx::ui
