#pragma once
// The host's number services: rounding of amounts and its 6-byte real.

#include <array>
#include <cstdint>

namespace dn {

// Rounds an amount half away from zero to two decimals, on the decimal value
// it stands for: 12.345 gives 12.35, and 12.35 * 0.7 (8.645 in decimal,
// 8.6449999... in binary) gives 8.65.
double rund(double amount);

// The host's 6-byte real (exponent byte, 39-bit mantissa, sign bit), as
// stored in its binary files such as the metal quotation file.
using Real48 = std::array<std::uint8_t, 6>;
double real48ToDouble(const Real48& r);
Real48 doubleToReal48(double v);

// Euro and DM: the host's fixed conversion rate.
inline constexpr double kDmPerEuro = 1.95583;

}  // namespace dn
