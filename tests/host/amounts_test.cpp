#include "host/amounts.h"

#include <gtest/gtest.h>

#include "host/day_number.h"

namespace dn {
namespace {

TEST(Rund, HalfAwayFromZeroOnTheDecimalValue) {
    const struct {
        double in;
        double out;
    } cases[] = {
        {12.345, 12.35},
        {12.35 * 0.7, 8.65},
        {8.645, 8.65},
        {1.005, 1.01},
        {-2.675, -2.68},
        {2.674999, 2.67},
        {0.004, 0.0},
        {-0.005, -0.01},
        {1234.5, 1234.5},
        {0.1 + 0.2, 0.3},
        {99999999.995, 100000000.0},
        {1e15 + 0.25, 1e15 + 0.25},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(rund(c.in), c.out) << c.in;
}

TEST(Real48, KnownBytesAndRoundTrip) {
    // 1.0: exponent 0x81, mantissa 0.
    const Real48 one{0x81, 0, 0, 0, 0, 0};
    EXPECT_DOUBLE_EQ(real48ToDouble(one), 1.0);
    EXPECT_EQ(doubleToReal48(1.0), one);
    // -2.5 = -1.25 * 2^1: exponent 0x82, top mantissa bits 01, sign set.
    const Real48 minus{0x82, 0, 0, 0, 0, 0xA0};
    EXPECT_DOUBLE_EQ(real48ToDouble(minus), -2.5);
    EXPECT_EQ(doubleToReal48(0.0), Real48{});
    for (double v : {0.5, 3.14159, 812.37, -0.001, 123456789.0})
        EXPECT_NEAR(real48ToDouble(doubleToReal48(v)), v, std::abs(v) * 1e-11) << v;
}

TEST(DayNumber, Conversions) {
    EXPECT_EQ(toDayNumber(Date{1900, 1, 1}), 1);
    const Date d{2026, 12, 9};
    EXPECT_EQ(fromDayNumber(toDayNumber(d)).day, 9);
    EXPECT_EQ(formatDotted(fromDayNumber(toDayNumber(d))), "09.12.2026");
    ASSERT_TRUE(parseDdmmyy("010299").has_value());
    EXPECT_EQ(parseDdmmyy("010299")->year, 1999);
    EXPECT_EQ(parseDdmmyy("311224")->year, 2024);
    EXPECT_FALSE(parseDdmmyy("310224").has_value());
    EXPECT_FALSE(parseDdmmyy("      ").has_value());
    EXPECT_EQ(parseDdmmyyyy("15032025")->month, 3);
    EXPECT_EQ(formatDdmmyy(Date{2025, 3, 15}), "150325");
}

}  // namespace
}  // namespace dn
