#include "grid/editors/propertyinterceptors.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

namespace kx {
namespace {

int EntriesFor(const QMetaObject* target) {
    int count = 0;
    for (const auto& entry : PropertyInterceptors())
        if (entry.first == target)
            ++count;
    return count;
}

TEST(PropertyInterceptors, ALaterRegistrationReplacesTheEarlierOne) {
    const QMetaObject* target = &QTimer::staticMetaObject;
    const QMetaObject* first = &QObject::staticMetaObject;
    const QMetaObject* second = &TStoragePropertyInterceptor::staticMetaObject;
    RegisterPropertyInterceptor(target, first);
    RegisterPropertyInterceptor(target, second);
    RegisterPropertyInterceptor(target, second);
    EXPECT_EQ(EntriesFor(target), 1);
    EXPECT_TRUE(PropertyInterceptors().contains({target, second}));
    UnregisterPropertyInterceptor(target, first); // not registered: nothing changes
    EXPECT_EQ(EntriesFor(target), 1);
    UnregisterPropertyInterceptor(target, second);
    EXPECT_EQ(EntriesFor(target), 0);
}

TEST(PropertyInterceptors, FormRectangleIsReadAndScaledBack) {
    QWidget form;
    form.setGeometry(100, 60, 400, 300);
    TFormStoragePropertyInterceptor reading(&form);
    EXPECT_EQ(reading.Left(), 100);
    EXPECT_EQ(reading.Top(), 60);
    EXPECT_EQ(reading.Width(), 400);
    EXPECT_EQ(reading.Height(), 300);

    const int screen = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    TFormStoragePropertyInterceptor writing(&form);
    writing.SetPixelsPerInch(screen * 2); // stored at twice this resolution
    writing.SetWidth(360);
    writing.SetHeight(240);
    EXPECT_FALSE(writing.PositionRead());
    writing.SetLeft(40);
    writing.SetTop(20);
    EXPECT_TRUE(writing.PositionRead());
    writing.AfterPropertiesRead();
    EXPECT_EQ(form.geometry(), QRect(20, 10, 180, 120));

    TFormStoragePropertyInterceptor noResolution(&form);
    noResolution.SetPixelsPerInch(0);
    noResolution.SetWidth(200);
    noResolution.AfterPropertiesRead();
    EXPECT_EQ(form.width(), 200);
}

TEST(PropertyInterceptors, MaximizedFormGivesItsRestoredRectangle) {
    QWidget form;
    form.setGeometry(100, 60, 400, 300);
    form.show();
    form.setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    ASSERT_NE(form.geometry(), QRect(100, 60, 400, 300));
    TFormStoragePropertyInterceptor reading(&form);
    EXPECT_EQ(reading.Width(), 400);
    EXPECT_EQ(reading.Height(), 300);
    EXPECT_EQ(reading.WindowState(), Qt::WindowMaximized);
}

} // namespace
} // namespace kx
