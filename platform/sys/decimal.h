#pragma once
// A double as the decimal digits of its 15 significant digits: the common
// ground of the number formats and the rounding rules, so that a value is
// shown and rounded from the same digits.

#include <string>

namespace kx::sys {

struct Decimal {
    enum class Rounding { HalfEven, HalfAwayFromZero };

    // value = (negative ? -1 : 1) * 0.digits * 10^exponent; digits hold no
    // leading or trailing zeros, so zero has no digits.
    bool negative = false;
    std::string digits;
    int exponent = 0;

    // NaN and infinities have no digits; callers test for them first.
    static Decimal FromDouble(double value);

    bool IsZero() const { return digits.empty(); }
    Decimal Rounded(int decimals, Rounding rule) const;
    double ToDouble() const;

    // The digits left of the decimal point ("0" when there are none) and the
    // first `count` digits right of it, padded with zeros.
    std::string IntegerDigits() const;
    std::string FractionDigits(int count) const;
};

} // namespace kx::sys
