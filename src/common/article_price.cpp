// The price rules of the article records of DATANORM 5 and 4.

#include "common/article_price.h"

#include <fmt/format.h>

#include "common/currency.h"
#include "host/amounts.h"

namespace dn::dn5 {

ArticlePriceResult PriceFromArticle5(const ArticlePriceInput& in) {
    ArticlePriceResult r;
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
            purchaseFromList(in.group, r.salesprice, in.MissingGroupNote ? &r.protocol : nullptr);
    } else if (in.priceFlag == "2") {
        if (in.pricePresent) r.purchaseprice = rund(in.price / pu);
    } else if (in.priceFlag == "9") {
        if (in.pricePresent) r.richtpreis = rund(in.price / pu);
    } else {
        r.protocol.push_back({"Falsches Preiskennzeichen: \"" + in.priceFlag + "\""});
    }

    const double surcharge = in.group.found ? in.group.surcharge : 0.0;
    if (surchargeApplies(surcharge)) {
        const double listPrice = r.salesprice;
        r.salesprice = rund(salesWithSurcharge(r.purchaseprice, surcharge));
        r.surchargeLine = SurchargeProtocolLine(listPrice, surcharge, r.salesprice);
    }
    r.purchaseprice = rund(r.purchaseprice);
    r.salesprice = rund(r.salesprice);
    return r;
}

std::string SurchargeProtocolLine(double listPrice, double percent, double newSalesPrice) {
    return std::string(19, ' ') + "Listenpreis: " + formatNumber(listPrice, 9, 2) +
           " Aufschlag:" + formatNumber(percent, 7, 2) +
           " Neuer VK:" + formatNumber(newSalesPrice, 10, 2);
}

}  // namespace dn::dn5

namespace dn::dn4 {

ArticlePriceResult PriceFromArticle(const ArticlePriceInput& in) {
    ArticlePriceResult r;
    r.purchaseprice = in.oldPurchasePrice;
    r.salesprice = in.oldSalesPrice;
    if (in.priceFlag == '1') {
        if (in.pricePresent) {
            r.salesprice = in.price / PriceUnitFactor(in.priceUnitCode);
            if (in.TakeListPrice)
                r.listprice = in.price / (in.listPriceUnit != 0 ? in.listPriceUnit : 1);
        }
        r.purchaseprice = purchaseFromList(in.group, r.salesprice, &r.protocol);
    } else if (in.priceFlag == '2' || in.priceFlag == '3') {
        if (in.pricePresent) r.purchaseprice = in.price / (in.priceUnit != 0 ? in.priceUnit : 1);
    } else {
        r.protocol.push_back({"Falsches Preiskennzeichen"});
    }
    const double surcharge = in.group.surcharge;
    if (surchargeApplies(surcharge)) {
        r.protocol.push_back(
            {"Hersteller Brutto: " + fmt::format("{:10.2f}", r.salesprice), false});
        r.salesprice = salesWithSurcharge(r.purchaseprice, surcharge);
        r.protocol.push_back({"  Aufschlag:" + fmt::format("{:7.2f}", surcharge), false});
        r.protocol.push_back({"Neuer VK:" + fmt::format("{:10.2f}", r.salesprice)});
    }
    return r;
}

}  // namespace dn::dn4
