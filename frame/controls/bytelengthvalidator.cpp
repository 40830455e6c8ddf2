#include "frame/controls/bytelengthvalidator.h"

#include "platform/sys/cp936.h"

namespace kx {

TByteLengthValidator::TByteLengthValidator(QObject* parent, std::function<int()> maxBytes)
    : QValidator(parent), maxBytes_(std::move(maxBytes)) {}

QValidator::State TByteLengthValidator::validate(QString& input, int& pos) const {
    const int limit = maxBytes_();
    if (limit <= 0)
        return Acceptable;
    int over = cp936::ByteLength(input) - limit;
    // What was just put in ends at the cursor: it loses its tail, whole
    // characters at a time, until the text fits.
    int start = pos;
    while (over > 0 && start > 0) {
        --start;
        over -= cp936::ByteLength(input.mid(start, 1));
    }
    if (over > 0)
        return Invalid;
    input.remove(start, pos - start);
    pos = start;
    return Acceptable;
}

} // namespace kx
