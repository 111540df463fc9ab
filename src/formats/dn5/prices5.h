#pragma once
// The price and discount rules of DATANORM 5 as pure computations: every
// input is passed in, nothing is read from or written to the store. The
// importer loads the article and the discount groups, calls a rule, writes
// the results and prints the protocol entries (`PrintProtocol5`).
//
// Prices handed in are amounts in the host currency: the file's hundredths
// already divided by 100 (`Record::amount`) and converted by the currency rule.
// Every amount a rule gives back has gone through `rund`.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/price_protocol5.h"

namespace dn {

// A discount group as the store holds it, looked up by `ArticlePrefix` +
// code without any note; `found` false when the store has no such group.
struct DiscountGroupInfo5 {
    std::string code;  // the code as the record or article names it
    bool found = false;
    char kind = '1';         // `kennung`: 1 discount %, 2 multiplier, 3 increase %
    double value = 0.0;      // `wert`
    double surcharge = 0.0;  // `salesSurcharge`, % on the purchase price
};

// The note printed when a group is missing.
std::string MissingGroupNote5(std::string_view code);

// Purchase price from a list price by the group's kind; a missing group
// counts as kind 1 with 0 % and adds the missing-group note to the protocol
// when one is given. A kind outside 1-3 gives the list price.
double PurchaseFromList(const DiscountGroupInfo5& group, double listPrice, Protocol5* protocol);

struct GroupSurcharge5 {
    double percent = 0.0;
    bool applies = false;  // |percent| > 0.009
};
GroupSurcharge5 GroupSurcharge(const DiscountGroupInfo5& group);

// The line that documents a surcharge on an article: the list price, the
// percentage and the new sales price.
std::string SurchargeProtocolLine5(double listPrice, double percent, double newSalesPrice);

// Factor of one discount of a price-change record: 1 for an empty value;
// flag 1: 1 - value/10000, 2: value/1000, 3: 1 + value/10000; any other flag
// adds "Ungültiges Rabattkennzeichen: " + flag to the protocol and gives 1.
double DiscountFactor(std::string_view flag, std::string_view value, Protocol5& protocol);

// --- A record ------------------------------------------------------------

struct ArticlePriceInput5 {
    bool isNew = true;                  // `NewArticle5` or `ChangeArticle5`
    std::string priceFlag;              // field 7
    bool priceUnitPresent = false;      // field 8 not empty
    std::int32_t priceUnit = 0;         // field 8; 0 counts as 1
    std::int32_t storedPriceUnit = 1;   // the article's, for a change without field 8
    bool pricePresent = false;          // field 9 not empty
    double price = 0.0;                 // field 9 as amount
    bool discountGroupPresent = false;  // field 10 not empty
    DiscountGroupInfo5 group;           // the article's discount group after field 10
    double oldPurchasePrice = 0.0;      // 0 for a new article
    double oldSalesPrice = 0.0;
    bool TakeListPrice = false;
    bool MissingGroupNote = true;
};

struct ArticlePriceResult5 {
    bool applies = true;  // false: a change without fields 8, 9, 10 leaves all prices
    std::int32_t priceunit = 1;
    double purchaseprice = 0.0;
    double salesprice = 0.0;
    std::optional<double> listprice;   // with `TakeListPrice`, price flag 1
    std::optional<double> richtpreis;  // price flag 9 -> `_richtpreis`
    std::string surchargeLine;         // printed after the article's line; empty when none
    Protocol5 protocol;                // printed with the price step
};

ArticlePriceResult5 PriceFromArticle5(const ArticlePriceInput5& in);

// --- P record --------------------------------------------------------------

struct DiscountFields5 {
    std::string flag;   // fields 7, 9, 11
    std::string value;  // fields 8, 10, 12
};

struct PriceChangeInput5 {
    std::string priceFlag;       // field 3
    std::int32_t priceUnit = 0;  // field 4; 0 counts as 1
    bool pricePresent = false;   // field 5 not empty
    double price = 0.0;          // field 5 as amount
    std::string discountGroup;   // field 6; blank = not given
    std::array<DiscountFields5, 3> discounts;
    DiscountGroupInfo5 givenGroup;    // the group of field 6
    DiscountGroupInfo5 articleGroup;  // the article's stored group
    double oldPurchasePrice = 0.0;
    double oldSalesPrice = 0.0;
    double storedListPrice = 0.0;
    int purchaseMode = 0;  // 0 take over, 1 keep
    int salesMode = 0;     // 0 from the gross price, 1 EK + old markup, 2 keep
    bool NetZeroUsesListPrice = false;
    bool TakeListPrice = false;
    bool MissingGroupNote = true;
};

struct PriceChangeResult5 {
    std::string priceflag;  // write with `priceflagsource` "1"
    std::int32_t priceunit = 1;
    std::optional<std::string> discountgroup;  // the record's group, when taken
    double purchaseprice = 0.0;
    double salesprice = 0.0;
    std::optional<double> listprice;
    std::optional<double> factoryprice;
    std::optional<double> empfohlenervk;  // price flag 4
    std::optional<double> richtpreis;     // price flag 9
    Protocol5 protocol;
};

PriceChangeResult5 PriceMaintenance5Article(const PriceChangeInput5& in);

}  // namespace dn
