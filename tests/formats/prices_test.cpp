// The price rules of P records and the price fields of A and P lines: one
// table of cases.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "formats/dn5/price_fields5.h"
#include "formats/dn5/prices5.h"
#include "support/dn5_fixture.h"

namespace dn::test {
namespace {

struct Outcome {
    double ek = 0;
    double vk = 0;
    std::optional<double> list, factory, empfohlen, richt;
    std::string surchargeLine;
    std::optional<std::vector<std::string>> protocol;  // checked when given
};

// Protocol entries as the printer receives them: text pieces join the next line.
std::vector<std::string> lines(const PriceProtocol& p) {
    std::vector<std::string> out;
    std::string pending;
    for (const auto& e : p) {
        pending += e.text;
        if (e.lineEnd) out.push_back(std::exchange(pending, {}));
    }
    if (!pending.empty()) out.push_back(pending);
    return out;
}

Outcome of(const dn5::ArticlePriceResult& r) {
    return {r.purchaseprice, r.salesprice,    r.listprice,      {}, {},
            r.richtpreis,    r.surchargeLine, lines(r.protocol)};
}
Outcome of(const dn5::PriceChangeResult& r) {
    return {r.purchaseprice, r.salesprice, r.listprice, r.factoryprice,
            r.empfohlenervk, r.richtpreis, {},          lines(r.protocol)};
}

DiscountGroupRule group(char kind, double value, double surcharge = 0) {
    return {"0001", true, kind, value, surcharge};
}
dn5::ArticlePriceInput article(std::string flag, double price, int pu, DiscountGroupRule g) {
    dn5::ArticlePriceInput in;
    in.priceFlag = std::move(flag);
    in.priceUnitPresent = in.pricePresent = in.discountGroupPresent = true;
    in.price = price;
    in.priceUnit = pu;
    in.group = std::move(g);
    return in;
}
dn5::ArticlePriceInput change(dn5::ArticlePriceInput in, double oldEk, double oldVk) {
    in.isNew = false;
    in.oldPurchasePrice = oldEk;
    in.oldSalesPrice = oldVk;
    return in;
}

dn5::PriceChangeInput priceChange(std::string flag, double price, int pu) {
    dn5::PriceChangeInput in;
    in.priceFlag = std::move(flag);
    in.pricePresent = true;
    in.price = price;
    in.priceUnit = pu;
    in.oldPurchasePrice = 40;
    in.oldSalesPrice = 50;
    in.discountGroup = "    ";
    return in;
}
dn5::PriceChangeInput withGroup(dn5::PriceChangeInput in, DiscountGroupRule g, int salesMode = 0,
                                int purchaseMode = 0) {
    in.discountGroup = "0001";
    in.givenGroup = std::move(g);
    in.salesMode = salesMode;
    in.purchaseMode = purchaseMode;
    return in;
}

const std::string kGross1234 = "  Hersteller-Bruttopreis        =     1234.50   Preiseinheit = 100";
const std::string kGross100 = "  Hersteller-Bruttopreis        =      100.00   Preiseinheit = 1";
const std::string kDirect = "  Verwendung der direkt angegebenen Rabattinformationen";
const std::string kGiven = "  Verwendung der angegebenen Rabattgruppe: 0001";

struct PriceCase {
    const char* name;
    std::function<Outcome(Dn5Test&)> run;
    Outcome expected;
};

class PriceRules5 : public Dn5Test {
  public:
    // Reads the price fields of an A line through the reader.
    dn5::ArticlePriceInput fromLine(const std::string& l, DiscountGroupRule g) {
        line(l);
        auto in = ReadArticlePriceFields5(rec(), {});
        g.code = in.group.code;
        in.group = g;
        return in;
    }
    dn5::PriceChangeInput fromPLine(const std::string& l) {
        line(l);
        auto in = ReadPriceChangeFields5(rec(), {});
        in.oldPurchasePrice = 40;
        in.oldSalesPrice = 50;
        return in;
    }
};

TEST_F(PriceRules5, Table) {
    auto P = [](dn5::PriceChangeInput in) {
        return [in](Dn5Test&) { return of(PriceMaintenance5Article(in)); };
    };
    auto pList = [](dn5::PriceChangeInput in) { return in.TakeListPrice = true, in; };
    auto netZero = [](int purchaseMode) {
        auto in = priceChange("2", 0, 1);
        in.NetZeroUsesListPrice = in.TakeListPrice = true;
        in.storedListPrice = 200;
        in.articleGroup = group('1', 25);
        in.purchaseMode = purchaseMode;
        return in;
    };
    auto factors = [](dn5::PriceChangeInput in, std::array<DiscountFields5, 3> d) {
        return in.discounts = d, in;
    };

    const std::vector<PriceCase> cases{
        // A record read from its line (the rule itself: common/article_price_test.cpp)
        {"A 1: field 123450 is 1234.50, unit 100, discount 30 %",
         [](Dn5Test& t) {
             auto& self = static_cast<PriceRules5&>(t);
             return of(dn5::PriceFromArticle5(
                 self.fromLine("A;N;1;Rohr;;PCE;1;100;123450;0001;", group('1', 30))));
         },
         {8.65, 12.35, {}, {}, {}, {}, "", std::vector<std::string>{}}},
        // P records, direct factors
        {"P 1: factors 2500 and 500 give 0.7875",
         [](Dn5Test& t) {
             auto& self = static_cast<PriceRules5&>(t);
             return of(
                 PriceMaintenance5Article(self.fromPLine("P;4711;1;1;10000;;1;2500;;;3;500;")));
         },
         {78.75,
          100,
          {},
          {},
          {},
          {},
          "",
          std::vector<std::string>{
              kDirect,
              "  Faktor 1 =  0.75  Faktor 2 =  1.00  Faktor 3 =  1.05  Gesamtfaktor =  0.79",
              kGross100, "  --> wird in VK übernommen: VK =      100.00",
              "  --> EK = VK * Gesamtfaktor    =       78.75"}}},
        {"P 1: invalid discount flag counts as 1",
         P(factors(priceChange("1", 100, 1), {{{"7", "1000"}, {"2", "500"}, {"", ""}}})),
         {50,
          100,
          {},
          {},
          {},
          {},
          "",
          std::vector<std::string>{
              kDirect, "Ungültiges Rabattkennzeichen: 7",
              "  Faktor 1 =  1.00  Faktor 2 =  0.50  Faktor 3 =  1.00  Gesamtfaktor =  0.50",
              kGross100, "  --> wird in VK übernommen: VK =      100.00",
              "  --> EK = VK * Gesamtfaktor    =       50.00"}}},
        {"P 1: sales kept, purchase from the gross price",
         P([&] {
             auto in = factors(priceChange("1", 100, 1), {{{"1", "2000"}, {}, {}}});
             in.salesMode = 2;
             return in;
         }()),
         {80, 50}},
        {"P 2: net price",
         P(priceChange("2", 4567, 100)),
         {45.67,
          50,
          {},
          {},
          {},
          {},
          "",
          std::vector<std::string>{
              kDirect, "  Hersteller-Nettopreis         =     4567.00   Preiseinheit = 100",
              "  --> wird in EK übernommen: EK =       45.67"}}},
        {"P 2: net price kept",
         P([] {
             auto in = priceChange("2", 4567, 100);
             in.purchaseMode = 1;
             return in;
         }()),
         {40, 50}},
        {"P 2: net zero takes EK from the list price",
         P(netZero(0)),
         {150,
          50,
          {},
          {},
          {},
          {},
          "",
          std::vector<std::string>{
              "  --> EK aus Listenpreis (200.00) - Rabatt (25.00 %)  = 150.00", kDirect,
              "  Hersteller-Nettopreis         =        0.00   Preiseinheit = 1"}}},
        {"P 2: net zero with the purchase price kept", P(netZero(1)), {40, 50}},
        {"P 3: factory price", P(priceChange("3", 1234.5, 100)), {40, 50, {}, 12.35}},
        {"P 4: recommended sales price", P(priceChange("4", 1234.5, 100)), {40, 50, {}, {}, 12.35}},
        {"P 9: recommended price with list price",
         P(pList(priceChange("9", 1234.5, 100))),
         {40, 50, 12.35, {}, {}, 12.35}},
        {"P 1: list price taken", P(pList(priceChange("1", 100, 0))), {100, 100, 100.0}},
        {"P Q: wrong price flag",
         P(priceChange("Q", 100, 1)),
         {40,
          50,
          {},
          {},
          {},
          {},
          "",
          std::vector<std::string>{kDirect, "Falsches Preiskennzeichen: \"Q\""}}},
        {"P without price",
         P([] {
             auto in = priceChange("1", 0, 1);
             in.pricePresent = false;
             return in;
         }()),
         {40, 50, {}, {}, {}, {}, "", std::vector<std::string>{}}},
        // P records with the given group
        {"P group: discount 30 %",
         P(withGroup(priceChange("1", 1234.5, 100), group('1', 30))),
         {8.65,
          12.35,
          {},
          {},
          {},
          {},
          "",
          std::vector<std::string>{kGiven, kGross1234,
                                   "  --> wird in VK übernommen: VK =       12.35",
                                   "  --> EK = VK - Rabatt          =        8.65"}}},
        {"P group: surcharge 10 %",
         P(withGroup(priceChange("1", 100, 1), group('1', 30, 10))),
         {70,
          77,
          {},
          {},
          {},
          {},
          "",
          std::vector<std::string>{
              kGiven, kGross100, "  --> wird in VK übernommen: VK =      100.00",
              "  --> EK = VK - Rabatt          =       70.00", "  Rabattgruppenaufschlag = 10.00",
              "  --> Neuer VK                  =       77.00"}}},
        {"P group: old markup 25 %",
         P(withGroup(priceChange("1", 100, 1), group('1', 30), 1)),
         {70,
          87.5,
          {},
          {},
          {},
          {},
          "",
          std::vector<std::string>{
              kGiven, kGross100, "  --> wird in VK übernommen: VK =      100.00",
              "  --> EK = VK - Rabatt          =       70.00", "  alter Aufschlag = 25.00 %",
              "  --> VK = EK + Aufschlag       =       87.50"}}},
        {"P group: both kept",
         P(withGroup(priceChange("1", 100, 1), group('1', 30), 2, 1)),
         {40,
          50,
          {},
          {},
          {},
          {},
          "",
          std::vector<std::string>{kGiven, kGross100, "  --> wird nicht in VK übernommen!",
                                   "  --> wird nicht in EK übernommen!"}}},
        {"P group: multiplier, sales kept",
         P(withGroup(priceChange("1", 100, 1), group('2', 0.55), 2)),
         {55, 50}},
        {"P group given with a net price uses the factors",
         P(withGroup(priceChange("2", 100, 1), group('1', 30))),
         {100, 50}},
    };
    for (const auto& c : cases) {
        const Outcome got = c.run(*this);
        const Outcome& want = c.expected;
        EXPECT_DOUBLE_EQ(got.ek, want.ek) << c.name;
        EXPECT_DOUBLE_EQ(got.vk, want.vk) << c.name;
        EXPECT_EQ(got.list, want.list) << c.name;
        EXPECT_EQ(got.factory, want.factory) << c.name;
        EXPECT_EQ(got.empfohlen, want.empfohlen) << c.name;
        EXPECT_EQ(got.richt, want.richt) << c.name;
        EXPECT_EQ(got.surchargeLine, want.surchargeLine) << c.name;
        if (want.protocol) EXPECT_EQ(got.protocol, want.protocol) << c.name;
    }
}

// Sales mode 1 ("Berechnen aus EK+alte Aufschläge"): whichever rule gives
// the new EK, the VK follows it with the article's old markup; rules that
// leave the EK leave the VK.
TEST_F(PriceRules5, SalesMode1FollowsTheNewPurchasePriceInEveryRule) {
    auto mode1 = [](dn5::PriceChangeInput in, double oldEk = 40, double oldVk = 50) {
        in.salesMode = 1;
        in.oldPurchasePrice = oldEk;
        in.oldSalesPrice = oldVk;
        return in;
    };
    auto netZero = [](dn5::PriceChangeInput in) {
        in.NetZeroUsesListPrice = true;
        in.storedListPrice = 200;
        in.articleGroup = group('1', 25);
        return in;
    };
    const struct {
        const char* name;
        dn5::PriceChangeInput in;
        double ek;
        double vk;
    } cases[] = {
        {"given group", mode1(withGroup(priceChange("1", 100, 1), group('1', 30))), 70, 87.5},
        {"direct factors", mode1([] {
             auto in = priceChange("1", 100, 1);
             in.discounts[0] = {"1", "2000"};
             return in;
         }()),
         80, 100},
        {"gross price without factors", mode1(priceChange("1", 100, 1)), 100, 125},
        {"net price", mode1(priceChange("2", 20, 1), 10, 15), 20, 30},
        {"net price per unit", mode1(priceChange("2", 4567, 100)), 45.67, 57.09},
        {"net zero from the list price", mode1(netZero(priceChange("2", 0, 1))), 150, 187.5},
        {"old EK 0 gives VK = EK", mode1(priceChange("2", 20, 1), 0, 15), 20, 20},
        {"factory price leaves both", mode1(priceChange("3", 20, 1)), 40, 50},
        {"recommended price leaves both", mode1(priceChange("9", 20, 1)), 40, 50},
    };
    for (const auto& c : cases) {
        const dn5::PriceChangeResult r = PriceMaintenance5Article(c.in);
        EXPECT_DOUBLE_EQ(r.purchaseprice, c.ek) << c.name;
        EXPECT_DOUBLE_EQ(r.salesprice, c.vk) << c.name;
    }
    const auto protocol =
        lines(PriceMaintenance5Article(mode1(priceChange("2", 20, 1), 10, 15)).protocol);
    ASSERT_GE(protocol.size(), 2u);
    EXPECT_EQ(protocol[protocol.size() - 2], "  alter Aufschlag = 50.00 %");
    EXPECT_EQ(protocol.back(), "  --> VK = EK + Aufschlag       =       30.00");
}

TEST_F(PriceRules5, ChangeWithoutPriceFieldsLeavesTheRuleOut) {
    auto in = change(article("1", 0, 0, group('1', 30)), 40, 50);
    in.priceUnitPresent = in.pricePresent = in.discountGroupPresent = false;
    in.storedPriceUnit = 10;
    const auto r = dn5::PriceFromArticle5(in);
    EXPECT_FALSE(r.applies);
    EXPECT_EQ(r.priceunit, 10);
    EXPECT_DOUBLE_EQ(r.purchaseprice, 40);
    EXPECT_DOUBLE_EQ(r.salesprice, 50);
}

TEST_F(PriceRules5, GivenGroupIsTakenIntoTheArticle) {
    const auto r = PriceMaintenance5Article(withGroup(priceChange("1", 100, 1), group('1', 30)));
    EXPECT_EQ(r.discountgroup, "0001");
    EXPECT_EQ(r.priceflag, "1");
    EXPECT_FALSE(PriceMaintenance5Article(priceChange("1", 100, 1)).discountgroup);
}

TEST_F(PriceRules5, PricesOfADmFileAreConvertedForAEuroHost) {
    line("V;050;A;20010131;DEM;;;;");
    dn5.ShowHeader5(rec(), 'A');
    line("A;N;1;Rohr;;PCE;2;1;195583;0001;");
    const auto convert = dn5::FileCurrency(dn5);
    EXPECT_NEAR(ReadArticlePriceFields5(rec(), convert).price, 1000.0, 1e-9);
    dn5.FileInEuro = true;
    EXPECT_DOUBLE_EQ(ReadArticlePriceFields5(rec(), convert).price, 1955.83);
}

TEST_F(PriceRules5, ProtocolIsPrintedOnlyWithTheOption) {
    const PriceProtocol p{{"  Faktor 1 = 1", false}, {"  Gesamtfaktor = 1", true}};
    printPriceProtocol(session, p);
    EXPECT_TRUE(host.printed.empty());
    session.PrintProtocol = true;
    printPriceProtocol(session, p);
    EXPECT_EQ(host.printed, std::vector<std::string>{"  Faktor 1 = 1  Gesamtfaktor = 1"});
}

}  // namespace
}  // namespace dn::test
