#pragma once
// The price rule of a DATANORM 5 price-change record as a pure computation:
// every input is passed in, nothing is read from or written to the store.
// The importer loads the article and the discount groups, calls the rule,
// writes the results and prints the protocol entries (`printPriceProtocol`).
// The rule of the article record is in common/article_price.h.
//
// Prices handed in are amounts in the host currency: the file's hundredths
// already divided by 100 (`Record::amount`) and converted by the currency rule.
// Every amount a rule gives back has gone through `rund`.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/article_price.h"
#include "common/discount_rules.h"
#include "common/price_protocol.h"

namespace dn {

// Factor of one discount of a price-change record: 1 for an empty value;
// flag 1: 1 - value/10000, 2: value/1000, 3: 1 + value/10000; any other flag
// adds "Ungültiges Rabattkennzeichen: " + flag to the protocol and gives 1.
double DiscountFactor(std::string_view flag, std::string_view value, PriceProtocol& protocol);

struct DiscountFields5 {
    std::string flag;   // fields 7, 9, 11
    std::string value;  // fields 8, 10, 12
};

namespace dn5 {

struct PriceChangeInput {
    std::string priceFlag;       // field 3
    std::int32_t priceUnit = 0;  // field 4; 0 counts as 1
    bool pricePresent = false;   // field 5 not empty
    double price = 0.0;          // field 5 as amount
    std::string discountGroup;   // field 6; blank = not given
    std::array<DiscountFields5, 3> discounts;
    DiscountGroupRule givenGroup;    // the group of field 6
    DiscountGroupRule articleGroup;  // the article's stored group
    double oldPurchasePrice = 0.0;
    double oldSalesPrice = 0.0;
    double storedListPrice = 0.0;
    int purchaseMode = 0;  // 0 take over, 1 keep
    int salesMode = 0;     // 0 from the gross price, 1 EK + old markup, 2 keep
    bool NetZeroUsesListPrice = false;
    bool TakeListPrice = false;
    bool MissingGroupNote = true;
};

struct PriceChangeResult {
    std::string priceflag;  // write with `priceflagsource` "1"
    std::int32_t priceunit = 1;
    std::optional<std::string> discountgroup;  // the record's group, when taken
    double purchaseprice = 0.0;
    double salesprice = 0.0;
    std::optional<double> listprice;
    std::optional<double> factoryprice;
    std::optional<double> empfohlenervk;  // price flag 4
    std::optional<double> richtpreis;     // price flag 9
    PriceProtocol protocol;
};

}  // namespace dn5

dn5::PriceChangeResult PriceMaintenance5Article(const dn5::PriceChangeInput& in);

}  // namespace dn
