// The price rule of an A record: purchase and sales price from the price
// flag, the price, the price unit and the article's discount group.

#include "formats/dn5/prices5.h"
#include "host/amounts.h"

namespace dn {

ArticlePriceResult5 PriceFromArticle5(const ArticlePriceInput5& in) {
    ArticlePriceResult5 r;
    r.purchaseprice = in.oldPurchasePrice;
    r.salesprice = in.oldSalesPrice;
    if (!in.isNew && !in.priceUnitPresent && !in.pricePresent && !in.discountGroupPresent) {
        r.applies = false;
        r.priceunit = in.storedPriceUnit;
        return r;
    }
    std::int32_t pu = (in.isNew || in.priceUnitPresent) ? in.priceUnit : in.storedPriceUnit;
    if (pu == 0) pu = 1;
    r.priceunit = pu;
    const bool priceGiven = in.isNew || in.pricePresent;  // a new article takes an empty price as 0

    if (in.priceFlag == "1") {
        if (priceGiven) {
            r.salesprice = rund(in.price / pu);
            if (in.TakeListPrice) r.listprice = r.salesprice;
        }
        r.purchaseprice =
            PurchaseFromList(in.group, r.salesprice, in.MissingGroupNote ? &r.protocol : nullptr);
    } else if (in.priceFlag == "2") {
        if (in.pricePresent) r.purchaseprice = rund(in.price / pu);
    } else if (in.priceFlag == "9") {
        if (in.pricePresent) r.richtpreis = rund(in.price / pu);
    } else {
        r.protocol.push_back({"Falsches Preiskennzeichen: \"" + in.priceFlag + "\""});
    }

    const GroupSurcharge5 surcharge = GroupSurcharge(in.group);
    if (surcharge.applies) {
        const double listPrice = r.salesprice;
        r.salesprice = rund(r.purchaseprice * (1.0 + surcharge.percent / 100.0));
        r.surchargeLine = SurchargeProtocolLine5(listPrice, surcharge.percent, r.salesprice);
    }
    r.purchaseprice = rund(r.purchaseprice);
    r.salesprice = rund(r.salesprice);
    return r;
}

}  // namespace dn
