#pragma once
// Raised when a window or component is used against its rules (a second
// manager or companion on the same form).

#include "platform/sys/exception.h"

namespace kx::ui {

class EInvalidOperation : public kx::Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EInvalidOperation"); }
};

} // namespace kx::ui
