#pragma once
// Raised when a stream cannot grow or what it holds cannot be read back.

#include "platform/sys/exception.h"

namespace kx {

class EStreamError : public Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EStreamError"); }
};

} // namespace kx
