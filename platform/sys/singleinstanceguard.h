#pragma once
// Makes sure one copy of the program runs per user. The first start holds a
// lock file named "KX" + the application title in the configuration folder
// and listens on a local socket; a later start finds the lock taken and can
// ask the first one, through the socket, to bring its window forward.
// The lock records the holder's process id, so the lock of a crashed
// instance is taken over by the next start.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace kx::sys {

class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    enum class Status { First, AlreadyRunning, Unavailable };

    explicit SingleInstanceGuard(const QString& applicationTitle, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // First: this process now holds the lock and listens for activation
    // requests. AlreadyRunning: another instance holds it. Unavailable: the
    // lock file cannot be created (the caller decides whether to go on).
    Status Acquire();

    // Asks the running instance to come to the front; false when it cannot
    // be reached.
    bool RequestActivation() const;

    QString LockFilePath() const;

signals:
    // Emitted in the first instance each time a later start asks for it.
    void ActivationRequested();

private:
    void Listen();
    void AcceptRequest();

    QString name_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

} // namespace kx::sys
