// Feeds arbitrary filter-row texts to the parser under each value type: a
// text must parse or raise one of the parser's exceptions, never crash or
// hang.

#include "grid/base/filterexpressionparser.h"

#include "platform/sys/exception.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    kx::TSTFilterExpressionX expression;
    expression.ExpressionType = data[0] % 5;
    try {
        kx::ParseFilterRowExpression(text, expression);
    } catch (const kx::Exception&) {
        // Refusing the text is the expected answer to most inputs.
    }
    return 0;
}
