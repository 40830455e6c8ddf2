#pragma once
// The report engine's own failures: a printer in the wrong state, a damaged
// page file.

#include "platform/sys/exception.h"

namespace kx {

class EBRError : public Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EBRError"); }
};

} // namespace kx
