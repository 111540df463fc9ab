// The price rule of the article record, DATANORM 4 and 5 through one table
// of cases: the same record and group in, the prices and protocol out. Rows
// that hold for both versions run through both rules.

#include "common/article_price.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dn {
namespace {

enum Versions { Dn4 = 1, Dn5 = 2, Both = Dn4 | Dn5 };

struct Prices {
    double ek = 0;
    double vk = 0;
    std::optional<double> list;
    std::optional<double> richt;
    std::string surchargeLine;          // the line after the article's line
    std::vector<std::string> protocol;  // as printed: text pieces join the next line
};

struct PriceCase {
    const char* name;
    int versions;
    const char* flag;
    std::optional<double> price;  // none: the price field is empty
    int unit;                     // DATANORM 4: the unit of the price unit code
    DiscountGroupRule group;
    Prices want;
    bool isNew = true;  // false: a change record of an article with these prices
    double oldEk = 0;
    double oldVk = 0;
    bool takeList = false;
};

DiscountGroupRule group(char kind, double value, double surcharge = 0) {
    return {"0001", true, kind, value, surcharge};
}
const DiscountGroupRule kMissing{"0815", false, '1', 0, 0};
const std::string kMissingNote =
    "Hinweis! Rabattgruppe: 0815 existiert nicht! EK-Preis mit 0% Rabatt berechnet";

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

char unitCode(int unit) {
    switch (unit) {
        case 10:
            return '1';
        case 100:
            return '2';
        case 1000:
            return '3';
        default:
            return '0';
    }
}

Prices priceBy4(const PriceCase& c) {
    dn4::ArticlePriceInput in;
    in.priceFlag = c.flag[0];
    in.pricePresent = c.price.has_value();
    in.price = c.price.value_or(0);
    in.priceUnitCode = unitCode(c.unit);
    in.priceUnit = in.listPriceUnit = c.unit;
    in.group = c.group;
    in.oldPurchasePrice = c.oldEk;
    in.oldSalesPrice = c.oldVk;
    in.TakeListPrice = c.takeList;
    const auto r = dn4::PriceFromArticle(in);
    return {r.purchaseprice, r.salesprice, r.listprice, {}, {}, lines(r.protocol)};
}

Prices priceBy5(const PriceCase& c) {
    dn5::ArticlePriceInput in;
    in.isNew = c.isNew;
    in.priceFlag = c.flag;
    in.priceUnitPresent = in.discountGroupPresent = true;
    in.priceUnit = c.unit;
    in.pricePresent = c.price.has_value();
    in.price = c.price.value_or(0);
    in.group = c.group;
    in.oldPurchasePrice = c.oldEk;
    in.oldSalesPrice = c.oldVk;
    in.TakeListPrice = c.takeList;
    const auto r = dn5::PriceFromArticle5(in);
    EXPECT_TRUE(r.applies) << c.name;
    return {r.purchaseprice, r.salesprice,    r.listprice,
            r.richtpreis,    r.surchargeLine, lines(r.protocol)};
}

const PriceCase kCases[] = {
    {"1: discount 20 %", Both, "1", 100, 1, group('1', 20), {80, 100}},
    {"1: multiplier", Both, "1", 100, 1, group('2', 0.6), {60, 100}},
    {"1: multiplier 0.5", Both, "1", 100, 1, group('2', 0.5), {50, 100}},
    {"1: price increase", Both, "1", 100, 1, group('3', 5), {105, 100}},
    {"1: unknown group kind gives the list price", Both, "1", 100, 1, group('7', 30), {100, 100}},
    {"1: missing group", Both, "1", 100, 1, kMissing, {100, 100, {}, {}, "", {kMissingNote}}},
    {"1: list price taken", Both, "1", 100, 1, group('1', 30), {70, 100, 100.0}, true, 0, 0, true},
    {"1: surcharge 0.005 % leaves the list price",
     Both,
     "1",
     100,
     1,
     group('1', 20, 0.005),
     {80, 100}},
    {"1: change without price uses the stored VK",
     Both,
     "1",
     std::nullopt,
     1,
     group('1', 50),
     {40, 80},
     false,
     1,
     80},
    // DATANORM 4: "EGEMA" may give a price unit of 0 (a fraction only)
    {"1: price unit 0 counts as 1, for the list price too",
     Both,
     "1",
     100,
     0,
     group('1', 30),
     {70, 100, 100.0},
     true,
     0,
     0,
     true},
    {"2: net price", Both, "2", 4567, 100, group('1', 30), {45.67, 0}},
    {"2: net price per 10, no group, no note", Both, "2", 50, 10, kMissing, {5, 0}},
    {"2: change with empty price keeps both",
     Both,
     "2",
     std::nullopt,
     1,
     group('1', 30),
     {40, 50},
     false,
     40,
     50},

    // DATANORM 5: rounded prices, the surcharge documented after the article
    {"1: group surcharge 10 %",
     Dn5,
     "1",
     100,
     1,
     group('1', 30, 10),
     {70,
      77,
      {},
      {},
      "                   Listenpreis:    100.00 Aufschlag:  10.00 Neuer VK:     77.00"}},
    {"2: net price with surcharge",
     Dn5,
     "2",
     50,
     1,
     group('1', 30, 10),
     {50,
      55,
      {},
      {},
      "                   Listenpreis:      0.00 Aufschlag:  10.00 Neuer VK:     55.00"}},
    {"1: list price rounded",
     Dn5,
     "1",
     1234.5,
     100,
     group('1', 30),
     {8.65, 12.35, 12.35},
     true,
     0,
     0,
     true},
    {"9: recommended price only",
     Dn5,
     "9",
     1234.5,
     100,
     group('1', 30),
     {40, 50, {}, 12.35},
     false,
     40,
     50},
    {"X: wrong price flag",
     Dn5,
     "X",
     100,
     1,
     group('1', 30),
     {40, 50, {}, {}, "", {"Falsches Preiskennzeichen: \"X\""}},
     false,
     40,
     50},

    // DATANORM 4: prices as computed, the surcharge documented in the price step
    {"1: group surcharge 10 %",
     Dn4,
     "1",
     100,
     1,
     group('1', 30, 10),
     {70, 77, {}, {}, "", {"Hersteller Brutto:     100.00  Aufschlag:  10.00Neuer VK:     77.00"}}},
    {"2: net price with surcharge",
     Dn4,
     "2",
     50,
     1,
     group('1', 30, 10),
     {50, 55, {}, {}, "", {"Hersteller Brutto:       0.00  Aufschlag:  10.00Neuer VK:     55.00"}}},
    {"3: net price", Dn4, "3", 4567, 100, group('1', 30), {45.67, 0}},
    {"1: list price not rounded",
     Dn4,
     "1",
     1234.5,
     100,
     group('1', 30),
     {8.64, 12.345, 12.345},
     true,
     0,
     0,
     true},
    {"9: wrong price flag",
     Dn4,
     "9",
     1234.5,
     100,
     group('1', 30),
     {40, 50, {}, {}, "", {"Falsches Preiskennzeichen"}},
     false,
     40,
     50},
};

TEST(ArticlePrice, OneTableForBothVersions) {
    for (const PriceCase& c : kCases) {
        for (const int version : {Dn4, Dn5}) {
            if (!(c.versions & version)) continue;
            const Prices got = version == Dn4 ? priceBy4(c) : priceBy5(c);
            const std::string name =
                std::string(version == Dn4 ? "DATANORM 4 " : "DATANORM 5 ") + c.name;
            EXPECT_DOUBLE_EQ(got.ek, c.want.ek) << name;
            EXPECT_DOUBLE_EQ(got.vk, c.want.vk) << name;
            EXPECT_EQ(got.list.has_value(), c.want.list.has_value()) << name;
            if (got.list && c.want.list) {
                EXPECT_DOUBLE_EQ(*got.list, *c.want.list) << name;
            }
            EXPECT_EQ(got.richt, c.want.richt) << name;
            EXPECT_EQ(got.surchargeLine, c.want.surchargeLine) << name;
            EXPECT_EQ(got.protocol, c.want.protocol) << name;
        }
    }
}

}  // namespace
}  // namespace dn
