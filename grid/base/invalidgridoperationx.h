#pragma once
// The grid base refuses an operation with this exception and one of the
// texts below; the user sees it through the program's exception handler.

#include "platform/sys/exception.h"

namespace kx {

class EInvalidGridOperationX : public Exception {
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EInvalidGridOperationX"); }
};

inline const char* const SIndexOutOfRange = "Grid index out of range";
inline const char* const STooManyDeleted = "Too many rows or columns deleted";
inline const char* const SGridTooLarge = "Grid too large for operation";
inline const char* const SFixedColTooBig = "Fixed column count must be less than column count";
inline const char* const SFixedRowTooBig = "Fixed row count must be less than row count";
inline const char* const SContraColNegative = "FContraColCount can not be negative.";
inline const char* const SContraRowNegative = "FContraRowCount can not be negative.";

[[noreturn]] inline void InvalidGridOperation(const char* text) {
    throw EInvalidGridOperationX(QString::fromLatin1(text));
}

} // namespace kx
