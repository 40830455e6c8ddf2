#include "platform/sys/singleinstanceguard.h"

#include "platform/sys/configstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace kx::sys {
namespace {

constexpr int kConnectTimeoutMs = 2000;

// Socket names live in the temporary folder, shared by every user and
// limited in length: name the socket after the lock file, so one lock
// always pairs with one socket.
QString ServerNameFor(const QString& lockFile) {
    const QByteArray hash =
        QCryptographicHash::hash(lockFile.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("kxcashier-") + QString::fromLatin1(hash);
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& applicationTitle, QObject* parent)
    : QObject(parent), name_(QStringLiteral("KX") + applicationTitle),
      serverName_(ServerNameFor(LockFilePath())) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstanceGuard::AcceptRequest);
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::LockFilePath() const {
    return ConfigFolder() + u'/' + name_ + QStringLiteral(".lock");
}

SingleInstanceGuard::Status SingleInstanceGuard::Acquire() {
    if (lock_ && lock_->isLocked())
        return Status::First;
    if (!QDir().mkpath(ConfigFolder()))
        return Status::Unavailable;
    auto lock = std::make_unique<QLockFile>(LockFilePath());
    // Only a dead holder makes the lock stale, never its age: the first
    // instance keeps it for as long as it runs.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return lock->error() == QLockFile::LockFailedError ? Status::AlreadyRunning
                                                           : Status::Unavailable;
    }
    lock_ = std::move(lock);
    Listen();
    return Status::First;
}

void SingleInstanceGuard::Listen() {
    // Holding the lock, any socket left under our name is a crashed
    // instance's.
    QLocalServer::removeServer(serverName_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(serverName_);
}

void SingleInstanceGuard::AcceptRequest() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        socket->close();
        socket->deleteLater();
        emit ActivationRequested();
    }
}

bool SingleInstanceGuard::RequestActivation() const {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

} // namespace kx::sys

#include "moc_singleinstanceguard.cpp"
