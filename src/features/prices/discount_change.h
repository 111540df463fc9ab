#pragma once
// Command 42 "Preispflege nach Rabattänderung": purchase and sales prices of
// all the supplier's articles recomputed after its discount groups changed.

#include "common/dispatch.h"
#include "host/entry_form.h"

namespace dn {

struct Session;
struct ArticleRecord;

struct DiscountChangeModes {
    int purchase = 1;  // 0 keep, 1 from the article's VK, 2 from the list price
    int sales = 0;     // 0 keep, 1 EK + old surcharge, 2 EK + group surcharge
};

inline constexpr const char* kMsgListPriceQuestion =
    "Die Artikel werden momentan ohne Listenpreis übernommen! \n\nWollen Sie wirklich auf der "
    "Basis der Listenpreise den VK berechnen?";

// The dialog; the purchase list starts at 2 with `TakeListPrice`, else 1.
class TRABATTAENDERN : public EntryForm {
  public:
    TRABATTAENDERN(Session& s, DiscountChangeModes& modes);

  protected:
    bool OK() override;

  private:
    Session& s_;
    DiscountChangeModes& modes_;
};

// `PricesAfterDiscountChange`.
CommandOutcome PricesAfterDiscountChange(Session& s);

// The new prices of one article (the store is read for its group).
void RepriceArticle(Session& s, const DiscountChangeModes& modes, ArticleRecord& a);

}  // namespace dn
