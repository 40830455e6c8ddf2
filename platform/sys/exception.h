#pragma once
// The exception family every layer raises. The application's handler shows
// an exception by its class name and message, so each class names itself.

#include <QString>

#include <exception>

namespace kx {

class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}

    virtual QString ClassName() const { return QStringLiteral("Exception"); }
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A cancelled operation: the handler shows nothing.
class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
    QString ClassName() const override { return QStringLiteral("EAbort"); }
};

// Raised where text does not convert to a number or a date.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EConvertError"); }
};

// The silent abort: leaves the current operation without a message; the
// exception handler lets it pass unshown.
[[noreturn]] inline void Abort() {
    throw EAbort();
}

} // namespace kx
