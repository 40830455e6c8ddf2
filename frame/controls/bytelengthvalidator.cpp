#include "frame/controls/bytelengthvalidator.h"

#include "platform/sys/cp936.h"

namespace kx {

TByteLengthValidator::TByteLengthValidator(QObject* parent, std::function<int()> maxBytes)
    : QValidator(parent), maxBytes_(std::move(maxBytes)) {}

QValidator::State TByteLengthValidator::validate(QString& input, int&) const {
    const int limit = maxBytes_();
    return limit > 0 && cp936::ByteLength(input) > limit ? Invalid : Acceptable;
}

} // namespace kx
