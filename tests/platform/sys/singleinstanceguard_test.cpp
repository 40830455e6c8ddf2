#include "configfolder.h"

#include "platform/sys/singleinstanceguard.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using kx::sys::SingleInstanceGuard;

const QString kTitle = QStringLiteral("岚衡出纳记账管理系统");

// The id of a process that has ended.
qint64 DeadProcessId() {
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForStarted();
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

TEST(SingleInstanceGuard, SecondStartSeesTheFirstAndAsksItForward) {
    ConfigFolderScope config;
    SingleInstanceGuard first(kTitle);
    QSignalSpy activations(&first, &SingleInstanceGuard::ActivationRequested);
    ASSERT_EQ(first.Acquire(), SingleInstanceGuard::Status::First);
    EXPECT_TRUE(first.LockFilePath().endsWith(QStringLiteral("/KX") + kTitle + ".lock"));

    SingleInstanceGuard second(kTitle);
    EXPECT_EQ(second.Acquire(), SingleInstanceGuard::Status::AlreadyRunning);
    EXPECT_TRUE(second.RequestActivation());
    EXPECT_TRUE(activations.wait(5000));
    EXPECT_EQ(activations.count(), 1);

    SingleInstanceGuard other(QStringLiteral("another title"));
    EXPECT_EQ(other.Acquire(), SingleInstanceGuard::Status::First);
}

TEST(SingleInstanceGuard, EndedInstanceFreesTheName) {
    ConfigFolderScope config;
    {
        SingleInstanceGuard first(kTitle);
        ASSERT_EQ(first.Acquire(), SingleInstanceGuard::Status::First);
    }
    SingleInstanceGuard next(kTitle);
    EXPECT_FALSE(next.RequestActivation());
    EXPECT_EQ(next.Acquire(), SingleInstanceGuard::Status::First);
}

TEST(SingleInstanceGuard, LockOfACrashedInstanceDoesNotBlock) {
    ConfigFolderScope config;
    QString path;
    QByteArray content;
    {
        SingleInstanceGuard earlier(kTitle);
        ASSERT_EQ(earlier.Acquire(), SingleInstanceGuard::Status::First);
        path = earlier.LockFilePath();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    // The same lock left behind by a process that died holding it.
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(DeadProcessId()) + content.mid(content.indexOf('\n')));
    stale.close();

    SingleInstanceGuard restarted(kTitle);
    EXPECT_EQ(restarted.Acquire(), SingleInstanceGuard::Status::First);
    QSignalSpy activations(&restarted, &SingleInstanceGuard::ActivationRequested);
    SingleInstanceGuard second(kTitle);
    EXPECT_EQ(second.Acquire(), SingleInstanceGuard::Status::AlreadyRunning);
    EXPECT_TRUE(second.RequestActivation());
    EXPECT_TRUE(activations.wait(5000));
}

TEST(SingleInstanceGuard, NoPlaceForTheLockIsReported) {
    ConfigFolderScope config;
    config.UseBlockedFolder();
    SingleInstanceGuard guard(kTitle);
    EXPECT_EQ(guard.Acquire(), SingleInstanceGuard::Status::Unavailable);
}

} // namespace
