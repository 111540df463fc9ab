// Currency of DATANORM 4 amounts and the price unit code.

#include <string>
#include <vector>

#include "host/amounts.h"
#include "support/dn4_fixture.h"

namespace dn::test {
namespace {

TEST(PriceUnitFactor, ByCode) {
    const std::vector<std::pair<char, int>> cases{{'0', 1}, {'1', 10}, {'2', 100}, {'3', 1000},
                                                  {'4', 1}, {' ', 1},  {'\0', 1},  {'X', 1}};
    for (auto [code, factor] : cases) EXPECT_EQ(PriceUnitFactor(code), factor) << int(code);
}

TEST(ConvertCurrency, Directions) {
    struct Case {
        const char* name;
        bool euroIsBase;
        bool fileInEuro;
        double expected;
        bool changed;
    };
    const std::vector<Case> cases{
        {"euro host, DM file", true, false, 100.0 / kDmPerEuro, true},
        {"DM host, euro file", false, true, 100.0 * kDmPerEuro, true},
        {"euro host, euro file", true, true, 100.0, false},
        {"DM host, DM file", false, false, 100.0, false},
    };
    for (const auto& c : cases) {
        double amount = 100.0;
        EXPECT_EQ(ConvertCurrency(amount, c.euroIsBase, c.fileInEuro), c.changed) << c.name;
        EXPECT_DOUBLE_EQ(amount, c.expected) << c.name;
    }
}

TEST(ConvertAmountField, FixedWidths) {
    struct Case {
        const char* name;
        std::string field;
        bool euroIsBase;
        bool fileInEuro;
        std::string expected;
        bool changed;
    };
    const std::vector<Case> cases{
        {"8 characters DM to euro", "   59200", true, false, "   30268", true},
        {"8 characters left-aligned", "59200   ", true, false, "   30268", true},
        {"8 characters euro to DM", "10000   ", false, true, "   19558", true},
        {"6 characters DM to euro", "  1000", true, false, "   511", true},
        {"3 characters euro to DM", "100", false, true, "196", true},
        {"rounds to whole cents", "  3", false, true, "  6", true},  // 5.87 -> 6
        {"no longer fits: unchanged", "999", false, true, "999", false},
        {"same currency", "   59200", true, true, "   59200", false},
        {"absent field", std::string(8, '\0'), true, false, std::string(8, '\0'), false},
        {"blank field", "        ", true, false, "        ", false},
        {"no number", "  12a   ", true, false, "  12a   ", false},
    };
    for (const auto& c : cases) {
        std::string f = c.field;
        EXPECT_EQ(ConvertAmountField(f, c.euroIsBase, c.fileInEuro), c.changed) << c.name;
        EXPECT_EQ(f, c.expected) << c.name;
    }
}

TEST_F(Dn4Test, ReaderConvertsByHeaderAndHostCurrency) {
    readHeader("DEM");
    ASSERT_TRUE(reader.ConvertDn4Line("A;N;4711;00;Rohr;;1;0;Stck;59200;;;;"));
    EXPECT_TRUE(reader.convertAmount(reader.record().span(dnpos::Price, 8)));
    EXPECT_EQ(reader.record().at(dnpos::Price, 8), "   30268");

    session.host.baseCurrency = "DEM";
    readHeader("EUR");
    double amount = 100.0;
    EXPECT_TRUE(reader.ConvertCurrency(amount));
    EXPECT_DOUBLE_EQ(amount, 195.583);
    reader.setFileInEuro(false);
    EXPECT_FALSE(reader.ConvertCurrency(amount));
}

}  // namespace
}  // namespace dn::test
