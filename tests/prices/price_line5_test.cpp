#include "features/prices/price_line5.h"

#include <gtest/gtest.h>

#include "support/dn5_fixture.h"

namespace dn {
namespace {

class PriceLine5Test : public test::Dn5Test {};

// The straight read of a P line gives what the checked field access gives.
TEST_F(PriceLine5Test, SameInputAsTheCheckedFields) {
    const char* lines[] = {
        "P;A1;1;100;123450;G1;1;2500;3;500;2;850;",
        "P;A1;2;;0;;;;;;;;",
        "P;A1;9;1;1234",
        "P;A1",
        "P;\x8e"
        "BC;1;1;100;;;;;;;;",  // CP850 letter in the number
        "P;A1;1; 10 ;12,5;;x;;;;;;",
    };
    const dn5::CurrencyConversion convert = [](double v) { return v * 2; };
    for (const char* l : lines) {
        SCOPED_TRACE(l);
        line(l);
        const dn5::PriceChangeInput fast = ReadPriceLine5(rec(), convert);
        const dn5::PriceChangeInput checked = ReadPriceChangeFields5(rec(), convert);
        EXPECT_EQ(fast.priceFlag, checked.priceFlag);
        EXPECT_EQ(fast.priceUnit, checked.priceUnit);
        EXPECT_EQ(fast.pricePresent, checked.pricePresent);
        EXPECT_DOUBLE_EQ(fast.price, checked.price);
        EXPECT_EQ(fast.discountGroup, checked.discountGroup);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(fast.discounts[i].flag, checked.discounts[i].flag);
            EXPECT_EQ(fast.discounts[i].value, checked.discounts[i].value);
        }
        EXPECT_EQ(PriceLineArticleNumber5(rec()), rec().utf8Field(2));
    }
}

TEST_F(PriceLine5Test, OverlongFieldEndsTheFileAsTheReaderDoes) {
    line("P;A1;1;1;12345678901;;;;;;;;");
    EXPECT_NE(errorOf([&] { ReadPriceLine5(rec(), {}); }).find("Feldlängenüberschreitung"),
              std::string::npos);
    line("P;1234567890123456;1;1;1;;;;;;;;");
    EXPECT_NE(errorOf([&] { PriceLineArticleNumber5(rec()); }).find("Max-Länge: 15"),
              std::string::npos);
}

}  // namespace
}  // namespace dn
