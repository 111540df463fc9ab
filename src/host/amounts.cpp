#include "host/amounts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace dn {

double rund(double amount) {
    if (!std::isfinite(amount) || amount == 0.0) return amount;
    const double magnitude = std::fabs(amount);
    if (magnitude >= 1e13) return std::round(amount * 100.0) / 100.0;
    // Away from the half cent the binary product rounds the same way as the
    // decimal value; only amounts near a half cent take the exact path below.
    const double scaled = magnitude * 100.0;
    if (std::fabs(scaled - std::floor(scaled) - 0.5) > 1e-6) {
        const double result = std::round(scaled) / 100.0;
        return amount < 0 ? -result : result;
    }
    // Fifteen significant digits give the decimal value the binary number
    // stands for; round that decimal text at the third decimal.
    const int intDigits =
        magnitude < 1.0 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    const int decimals = std::max(3, 15 - intDigits);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, magnitude);
    std::string text(buf);
    const auto dot = text.find('.');
    long long cents = std::atoll(text.substr(0, dot).c_str()) * 100;
    cents += (text[dot + 1] - '0') * 10 + (text[dot + 2] - '0');
    if (text[dot + 3] >= '5') ++cents;
    const double result = static_cast<double>(cents) / 100.0;
    return amount < 0 ? -result : result;
}

double real48ToDouble(const Real48& r) {
    if (r[0] == 0) return 0.0;
    // Bytes 1..5 hold the mantissa, least significant first; the top bit of
    // byte 5 is the sign.
    double mantissa = 0.0;
    for (int i = 1; i <= 4; ++i) mantissa = (mantissa + r[i]) / 256.0;
    mantissa = (mantissa + (r[5] & 0x7F)) / 128.0;
    const double value = std::ldexp(1.0 + mantissa, static_cast<int>(r[0]) - 129);
    return (r[5] & 0x80) ? -value : value;
}

Real48 doubleToReal48(double v) {
    Real48 r{};
    if (v == 0.0 || !std::isfinite(v)) return r;
    int exp = 0;
    double frac = std::frexp(std::fabs(v), &exp);  // 0.5 <= frac < 1
    int biased = exp - 1 + 129;
    if (biased <= 0) return r;
    if (biased > 255) biased = 255;
    // 1.m with 39 bits of m.
    double m = frac * 2.0 - 1.0;
    auto bits = static_cast<std::uint64_t>(std::llround(std::ldexp(m, 39)));
    if (bits >> 39) {  // rounding carried into the hidden bit
        bits = 0;
        if (biased < 255) ++biased;
    }
    r[0] = static_cast<std::uint8_t>(biased);
    for (int i = 1; i <= 5; ++i) {
        r[i] = static_cast<std::uint8_t>(bits & 0xFF);
        bits >>= 8;
    }
    r[5] &= 0x7F;
    if (v < 0) r[5] |= 0x80;
    return r;
}

}  // namespace dn
