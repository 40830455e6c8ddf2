#include "platform/sys/rounding.h"

#include "platform/sys/decimal.h"

#include <cmath>

namespace kx::sys {
namespace {

double Round(double value, int decimals, Decimal::Rounding rule) {
    if (!std::isfinite(value))
        return value;
    return Decimal::FromDouble(value).Rounded(decimals, rule).ToDouble();
}

} // namespace

double RoundHalfEven(double value, int decimals) {
    return Round(value, decimals, Decimal::Rounding::HalfEven);
}

double RoundHalfAwayFromZero(double value, int decimals) {
    return Round(value, decimals, Decimal::Rounding::HalfAwayFromZero);
}

} // namespace kx::sys
