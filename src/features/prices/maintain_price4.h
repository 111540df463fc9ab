#pragma once
// `MaintainArticlePrice`: the new price of one article from one block of a
// price-change record (DATANORM 4 P record or DATANORM 3 "datpreis"), by
// its price flag, its three discount pairs and the modes of the run.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "features/prices/price_form4.h"

namespace dn {

struct Session;
struct ArticleRecord;

struct DiscountPair4 {
    char flag = '\0';   // '\0' absent
    std::string value;  // 4 characters as read (CP850)
    bool present() const { return !value.empty() && value[0] != '\0'; }
};

// One article block: number (15), price flag, price in cents (8), three
// discount pairs. Texts are the record's CP850 bytes.
struct PriceBlock4 {
    std::string articleNumber;
    char priceFlag = '\0';
    std::string price;  // 8 characters
    std::array<DiscountPair4, 3> pairs;

    bool hasArticle() const { return !articleNumber.empty() && articleNumber[0] != '\0'; }
};

// Block i (1..3) of a 128-position price record (positions from 1).
PriceBlock4 priceBlockOf(std::string_view record, int i);

// The factor of one discount pair (index 0..2), or nothing for an invalid
// flag. For flag "0" of the first pair `groupFactor` is asked for the
// factor of the named group.
std::optional<double> DiscountFactor(int index, const DiscountPair4& pair,
                                     const std::function<double(const std::string&)>& groupFactor);
// The factor of a discount group by its kind: "1" 1 - value/100, "2" the
// value, other kinds 1 (a missing group gives kind "1" value 0).
double GroupFactor(Session& s, const std::string& code);

// Takes an article with its new prices (the run's batch writes it).
using PricedArticleSink = std::function<void(ArticleRecord&& article)>;

// The per-article rule; `fileInEuro` is the currency of the running file.
// The article with its new prices goes to `write`.
void MaintainArticlePrice(Session& s, const PriceModes& modes, PriceBlock4 block, bool fileInEuro,
                          const PricedArticleSink& write);

// `CopperSurchargeOnPrice`: with "/CU" and an article of surcharge kind
// "c", price += (`CopperQuotation` - base) * metal weight / 100.
void CopperSurchargeOnPrice(Session& s, const ArticleRecord& article, double& price);

}  // namespace dn
