#pragma once
// A discount group as the price rules of every version use it, and the pure
// rules on it: the purchase price from a list price, whether the group's
// sales surcharge applies, the sales price with that surcharge. The store's
// row (`DiscountGroupRecord`) becomes this value in `discountGroupRule`.

#include <optional>
#include <string>
#include <string_view>

#include "common/price_protocol.h"
#include "host/store_records.h"

namespace dn {

struct DiscountGroupRule {
    std::string code;        // the code as the record or the article names it
    bool found = false;      // false: the store has no such group
    char kind = '1';         // `kennung`: 1 discount %, 2 multiplier, 3 increase %
    double value = 0.0;      // `wert`
    double surcharge = 0.0;  // `salesSurcharge`, % on the purchase price
};

// The group of `code` from its stored row; without a row the defaults of a
// missing group (kind 1, value 0, no surcharge). A `kennung` of other than
// one character has no rule.
DiscountGroupRule discountGroupRule(std::string_view code,
                                    const std::optional<DiscountGroupRecord>& stored);

// The protocol line of a missing group.
std::string MissingGroupNote(std::string_view code);

// The purchase price of a list price, rounded by `rund`: kind 1 price × (1 −
// value/100), 2 price × value, 3 price × (1 + value/100); any other kind
// leaves the price. A missing group gives the price and adds the
// missing-group note to `notes` when one is given.
double purchaseFromList(const DiscountGroupRule& group, double listPrice, PriceProtocol* notes);

// A sales surcharge counts from more than 0.009 % either way.
bool surchargeApplies(double percent);

// The sales price of a purchase price with the surcharge, not rounded.
double salesWithSurcharge(double purchasePrice, double percent);

}  // namespace dn
