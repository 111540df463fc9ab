#include "common/discount_rules.h"

#include <cmath>

#include "host/amounts.h"

namespace dn {

DiscountGroupRule discountGroupRule(std::string_view code,
                                    const std::optional<DiscountGroupRecord>& stored) {
    DiscountGroupRule rule;
    rule.code = std::string(code);
    if (!stored) return rule;
    rule.found = true;
    rule.kind = stored->kennung.size() == 1 ? stored->kennung.front() : ' ';
    rule.value = stored->wert;
    rule.surcharge = stored->salesSurcharge;
    return rule;
}

std::string MissingGroupNote(std::string_view code) {
    return "Hinweis! Rabattgruppe: " + std::string(code) +
           " existiert nicht! EK-Preis mit 0% Rabatt berechnet";
}

double purchaseFromList(const DiscountGroupRule& group, double listPrice, PriceProtocol* notes) {
    if (!group.found) {
        if (notes) notes->push_back({MissingGroupNote(group.code)});
        return rund(listPrice);
    }
    switch (group.kind) {
        case '1':
            return rund(listPrice * (1.0 - group.value / 100.0));
        case '2':
            return rund(listPrice * group.value);
        case '3':
            return rund(listPrice * (1.0 + group.value / 100.0));
        default:
            return rund(listPrice);
    }
}

bool surchargeApplies(double percent) {
    return std::fabs(percent) > 0.009;
}

double salesWithSurcharge(double purchasePrice, double percent) {
    return purchasePrice * (1.0 + percent / 100.0);
}

}  // namespace dn
