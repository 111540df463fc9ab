#pragma once
// Discount groups of the current supplier as the importers use them: the
// group key, loading a group (or its defaults) and applying it to a list
// price, and the selection test of the group marks. The price rules on a
// group are in discount_rules.h.

#include <string>
#include <string_view>

#include "common/discount_rules.h"
#include "host/store_records.h"

namespace dn {

struct Session;

// Longest group key of the store and longest key of a discount record.
inline constexpr std::size_t kGroupKeyLength = 18;
inline constexpr std::size_t kDiscountKeyLength = 10;

// `GroupKey`: the prefix followed by the code, without leading and trailing
// blanks of the whole, at most 18 characters. Blanks in front of a code
// stay behind the prefix ("1-" + " 47" gives "1- 47"), so a key built here
// is the key `LoadDiscountGroup` looks up for the same code.
std::string GroupKey(std::string_view articlePrefix, std::string_view code);

// `LoadDiscountGroup`: the record of `ArticlePrefix` + code (the code
// exactly as passed; the store ignores trailing blanks, so "47  " finds
// "47"). A missing group gives the defaults: key "####", not marked, second
// mark "#", kind "1", value 0, surcharge 0, no description; with
// `missingGroupNote` on and the import protocol on, the protocol line
// "Hinweis! Rabattgruppe: <code> existiert nicht! EK-Preis mit 0% Rabatt
// berechnet" is printed.
DiscountGroupRecord LoadDiscountGroup(Session& s, std::string_view code,
                                      bool missingGroupNote = true);

// The defaults of a missing group.
DiscountGroupRecord MissingDiscountGroup();

// `LoadDiscountGroup` (with the same note) as the price rules take it.
DiscountGroupRule LoadDiscountGroupRule(Session& s, std::string_view code,
                                        bool missingGroupNote = true);

// `ApplyDiscountGroup`: `LoadDiscountGroupRule`(code), then `purchaseFromList`.
double ApplyDiscountGroup(Session& s, std::string_view code, double price,
                          bool missingGroupNote = true);

// The marked test of the importers: the group of `ArticlePrefix` + code
// exists and is marked.
bool DiscountGroupSelected(Session& s, std::string_view code);

}  // namespace dn
