#pragma once
// The price rule of an article record, DATANORM 4 and 5 side by side, as
// pure computations: every input is passed in, nothing is read from or
// written to the store. The importer loads the article and its discount
// group, calls the rule, writes the results and prints the protocol entries
// (`printPriceProtocol`).
//
// Prices handed in are amounts in the host currency: the file's hundredths
// already divided by 100 and converted by the currency rule.

#include <cstdint>
#include <optional>
#include <string>

#include "common/discount_rules.h"
#include "common/price_protocol.h"

namespace dn::dn5 {

// The A record. Every amount the rule gives back has gone through `rund`.
struct ArticlePriceInput {
    bool isNew = true;                  // `NewArticle5` or `ChangeArticle5`
    std::string priceFlag;              // field 7
    bool priceUnitPresent = false;      // field 8 not empty
    std::int32_t priceUnit = 0;         // field 8; 0 counts as 1
    std::int32_t storedPriceUnit = 1;   // the article's, for a change without field 8
    bool pricePresent = false;          // field 9 not empty
    double price = 0.0;                 // field 9 as amount
    bool discountGroupPresent = false;  // field 10 not empty
    DiscountGroupRule group;            // the article's discount group after field 10
    double oldPurchasePrice = 0.0;      // 0 for a new article
    double oldSalesPrice = 0.0;
    bool TakeListPrice = false;
    bool MissingGroupNote = true;
};

struct ArticlePriceResult {
    bool applies = true;  // false: a change without fields 8, 9, 10 leaves all prices
    std::int32_t priceunit = 1;
    double purchaseprice = 0.0;
    double salesprice = 0.0;
    std::optional<double> listprice;   // with `TakeListPrice`, price flag 1
    std::optional<double> richtpreis;  // price flag 9 -> `_richtpreis`
    std::string surchargeLine;         // printed after the article's line; empty when none
    PriceProtocol protocol;            // printed with the price step
};

ArticlePriceResult PriceFromArticle5(const ArticlePriceInput& in);

// The line that documents a surcharge on an article: the list price, the
// percentage and the new sales price.
std::string SurchargeProtocolLine(double listPrice, double percent, double newSalesPrice);

}  // namespace dn::dn5

namespace dn::dn4 {

// The A record, on the article as the record leaves it (a change record
// keeps the stored values of the fields it leaves empty). Amounts are given
// back as computed; the store rounds them.
struct ArticlePriceInput {
    char priceFlag = ' ';            // the article's price flag
    bool pricePresent = false;       // the record's price field not empty
    double price = 0.0;              // the record's price as amount
    char priceUnitCode = '0';        // the article's price unit code
    std::int32_t priceUnit = 1;      // the article's price unit; 0 counts as 1 for a net price
    std::int32_t listPriceUnit = 1;  // divides a list price taken over ("EGEMA": from short
                                     // text 1); 0 counts as 1
    DiscountGroupRule group;         // the article's discount group
    double oldPurchasePrice = 0.0;
    double oldSalesPrice = 0.0;
    bool TakeListPrice = false;
};

struct ArticlePriceResult {
    double purchaseprice = 0.0;
    double salesprice = 0.0;
    std::optional<double> listprice;  // with `TakeListPrice`, price flag 1 and a price
    PriceProtocol protocol;
};

// Price flag 1: the sales price is the list price by the price unit code,
// the purchase price follows by the group (a missing group adds its note);
// 2 and 3: the purchase price is the net price by the price unit; any other
// flag adds "Falsches Preiskennzeichen". Then the group's surcharge on the
// purchase price gives the sales price.
ArticlePriceResult PriceFromArticle(const ArticlePriceInput& in);

}  // namespace dn::dn4
