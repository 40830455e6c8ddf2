#include "platform/sys/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kx::sys {
namespace {

constexpr int kSignificantDigits = 15;

void StripTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

bool RoundsUp(const std::string& digits, std::size_t keep, Decimal::Rounding rule) {
    const char first = digits[keep];
    if (rule == Decimal::Rounding::HalfAwayFromZero || first != '5')
        return first >= '5';
    // Digits hold no trailing zeros, so a 5 with anything after it is above half.
    if (keep + 1 < digits.size())
        return true;
    const int previous = keep == 0 ? 0 : digits[keep - 1] - '0';
    return previous % 2 == 1;
}

} // namespace

Decimal Decimal::FromDouble(double value) {
    Decimal d;
    if (value == 0 || !std::isfinite(value))
        return d;
    d.negative = value < 0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string text(buffer, result.ptr);
    // "d.ddddde+XX": the first digit, the rest after the point, the exponent.
    const auto e = text.find('e');
    d.digits = text.substr(0, 1) + (e > 2 ? text.substr(2, e - 2) : std::string());
    d.exponent = std::atoi(text.c_str() + e + 1) + 1;
    StripTrailingZeros(d.digits);
    return d;
}

Decimal Decimal::Rounded(int decimals, Rounding rule) const {
    const long keep = static_cast<long>(exponent) + decimals;
    if (IsZero() || keep >= static_cast<long>(digits.size()))
        return *this;
    Decimal r;
    r.negative = negative;
    if (keep < 0)
        return r;
    const auto kept = static_cast<std::size_t>(keep);
    r.digits = digits.substr(0, kept);
    r.exponent = exponent;
    if (RoundsUp(digits, kept, rule)) {
        std::size_t i = kept;
        while (i > 0 && r.digits[i - 1] == '9') {
            r.digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            r.digits.insert(r.digits.begin(), '1');
            ++r.exponent;
        } else {
            ++r.digits[i - 1];
        }
    }
    StripTrailingZeros(r.digits);
    if (r.IsZero())
        r.exponent = 0;
    return r;
}

double Decimal::ToDouble() const {
    if (IsZero())
        return 0;
    const std::string text = "0." + digits + "e" + std::to_string(exponent);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return negative ? -value : value;
}

std::string Decimal::IntegerDigits() const {
    if (exponent <= 0 || IsZero())
        return "0";
    const auto length = static_cast<std::size_t>(exponent);
    std::string integer = digits.substr(0, length);
    integer.append(length - integer.size(), '0');
    return integer;
}

std::string Decimal::FractionDigits(int count) const {
    std::string fraction;
    for (int i = 0; i < count; ++i) {
        const long index = static_cast<long>(exponent) + i;
        const bool present = index >= 0 && index < static_cast<long>(digits.size());
        fraction += present ? digits[static_cast<std::size_t>(index)] : '0';
    }
    return fraction;
}

} // namespace kx::sys
