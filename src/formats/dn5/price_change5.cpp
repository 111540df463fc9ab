// The price rule of a P record (price maintenance): the discount factors,
// the given-group rule, the direct-factor rule and the sales rules after
// them.

#include <string>

#include "formats/dn5/field_split5.h"
#include "formats/dn5/prices5.h"
#include "host/amounts.h"

namespace dn {

double DiscountFactor(std::string_view flag, std::string_view value, PriceProtocol& protocol) {
    if (dn5::trim(value).empty()) return 1.0;
    const double v = dn5::parseNumber(value).value_or(0.0);
    if (flag == "1") return 1.0 - v / 10000.0;
    if (flag == "2") return v / 1000.0;
    if (flag == "3") return 1.0 + v / 10000.0;
    protocol.push_back({"Ungültiges Rabattkennzeichen: " + std::string(flag)});
    return 1.0;
}

namespace {

struct Step {
    const dn5::PriceChangeInput& in;
    dn5::PriceChangeResult& r;
    std::int32_t pu;
    double markup;             // old markup m = (VK - EK) / EK
    bool purchaseSet = false;  // a rule computed a new EK

    void line(std::string text) { r.protocol.push_back({std::move(text), true}); }
    void text(std::string t) { r.protocol.push_back({std::move(t), false}); }
    // The manufacturer's price per unit.
    double perUnit() const { return rund(in.price / pu); }

    void grossPriceLine() {
        line("  Hersteller-Bruttopreis        = " + formatPrice(in.price) +
             "   Preiseinheit = " + std::to_string(pu));
    }

    // Sales mode 0 and 1 take the gross price into the sales price.
    void salesFromGross() {
        if (in.salesMode == 0 || in.salesMode == 1) {
            r.salesprice = perUnit();
            line("  --> wird in VK übernommen: VK = " + formatPrice(r.salesprice));
        } else {
            line("  --> wird nicht in VK übernommen!");
        }
    }

    void wrongFlag() { line("Falsches Preiskennzeichen: \"" + in.priceFlag + "\""); }

    void givenGroup() {
        line("  Verwendung der angegebenen Rabattgruppe: " + in.discountGroup);
        if (in.priceFlag != "1") return wrongFlag();
        grossPriceLine();
        salesFromGross();
        if (in.purchaseMode == 0) {
            // The discount applies to the manufacturer's gross price, also
            // when the sales price is kept.
            r.purchaseprice = purchaseFromList(in.givenGroup, perUnit(),
                                               in.MissingGroupNote ? &r.protocol : nullptr);
            line("  --> EK = VK - Rabatt          = " + formatPrice(r.purchaseprice));
        } else {
            line("  --> wird nicht in EK übernommen!");
        }
        salesAfterGroup();
    }

    void salesAfterGroup() {
        if (in.salesMode == 0) {
            const double percent = in.givenGroup.found ? in.givenGroup.surcharge : 0.0;
            if (!surchargeApplies(percent)) return;
            r.salesprice = rund(salesWithSurcharge(r.purchaseprice, percent));
            line("  Rabattgruppenaufschlag = " + formatFactor(percent));
            line("  --> Neuer VK                  = " + formatPrice(r.salesprice));
        } else if (in.salesMode == 1) {
            salesFromMarkup();
        }
    }

    // Sales mode 1: the sales price follows the purchase price with the
    // article's old markup, whichever rule gave the purchase price.
    void salesFromMarkup() {
        r.salesprice = rund(r.purchaseprice * (1.0 + markup));
        line("  alter Aufschlag = " + formatTrimmed(markup * 100.0, 5, 2) + " %");
        line("  --> VK = EK + Aufschlag       = " + formatPrice(r.salesprice));
    }

    void directFactors(bool purchaseFromListPrice) {
        line("  Verwendung der direkt angegebenen Rabattinformationen");
        if (in.priceFlag == "1") {
            double f[3];
            for (int i = 0; i < 3; ++i)
                f[i] = DiscountFactor(in.discounts[i].flag, in.discounts[i].value, r.protocol);
            const double g = f[0] * f[1] * f[2];
            for (int i = 0; i < 3; ++i)
                text("  Faktor " + std::to_string(i + 1) + " = " + formatFactor(f[i]));
            line("  Gesamtfaktor = " + formatFactor(g));
            grossPriceLine();
            salesFromGross();
            if (in.purchaseMode == 0) {
                r.purchaseprice = rund(perUnit() * g);
                purchaseSet = true;
                line("  --> EK = VK * Gesamtfaktor    = " + formatPrice(r.purchaseprice));
            } else {
                line("  --> wird nicht in EK übernommen!");
            }
        } else if (in.priceFlag == "2") {
            line("  Hersteller-Nettopreis         = " + formatPrice(in.price) +
                 "   Preiseinheit = " + std::to_string(pu));
            if (in.purchaseMode == 0) {
                if (!purchaseFromListPrice) {
                    r.purchaseprice = perUnit();
                    purchaseSet = true;
                    line("  --> wird in EK übernommen: EK = " + formatPrice(r.purchaseprice));
                }
            } else {
                line("  --> wird nicht in EK übernommen!");
            }
        } else if (in.priceFlag != "3" && in.priceFlag != "4" && in.priceFlag != "9") {
            wrongFlag();
        }
    }
};

}  // namespace

dn5::PriceChangeResult PriceMaintenance5Article(const dn5::PriceChangeInput& in) {
    dn5::PriceChangeResult r;
    r.priceflag = in.priceFlag;
    r.priceunit = in.priceUnit == 0 ? 1 : in.priceUnit;
    r.purchaseprice = in.oldPurchasePrice;
    r.salesprice = in.oldSalesPrice;
    if (!in.pricePresent) return r;

    const double m = in.oldPurchasePrice == 0.0
                         ? 0.0
                         : (in.oldSalesPrice - in.oldPurchasePrice) / in.oldPurchasePrice;
    Step step{in, r, r.priceunit, m};

    // A net price of 0: the purchase price follows from the stored list price
    // and the article's group (only when the purchase price is taken over).
    const bool netZero = in.priceFlag == "2" && in.price == 0.0 && in.NetZeroUsesListPrice;
    const bool fromListPrice = netZero && in.purchaseMode == 0;
    if (fromListPrice) {
        r.purchaseprice = purchaseFromList(in.articleGroup, in.storedListPrice,
                                           in.MissingGroupNote ? &r.protocol : nullptr);
        const double v = in.articleGroup.found ? in.articleGroup.value : 0.0;
        step.line("  --> EK aus Listenpreis (" + formatTrimmed(in.storedListPrice, 11, 2) +
                  ") - Rabatt (" + formatTrimmed(v, 5, 2) +
                  " %)  = " + formatTrimmed(r.purchaseprice, 11, 2));
        step.purchaseSet = true;
    }

    if (!dn5::trim(in.discountGroup).empty() && in.priceFlag == "1") {
        r.discountgroup = in.discountGroup;
        step.givenGroup();
    } else {
        step.directFactors(fromListPrice);
        if (in.salesMode == 1 && step.purchaseSet) step.salesFromMarkup();
    }

    if (in.TakeListPrice && !netZero) r.listprice = step.perUnit();
    if (in.priceFlag == "3") r.factoryprice = step.perUnit();
    if (in.priceFlag == "4") r.empfohlenervk = step.perUnit();
    if (in.priceFlag == "9") r.richtpreis = step.perUnit();
    r.purchaseprice = rund(r.purchaseprice);
    r.salesprice = rund(r.salesprice);
    return r;
}

}  // namespace dn
