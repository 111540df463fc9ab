// The discount-group and discount-factor rules shared by the article import
// and the price maintenance.

#include <cmath>

#include "formats/dn5/field_split5.h"
#include "formats/dn5/prices5.h"
#include "host/amounts.h"

namespace dn {

std::string MissingGroupNote5(std::string_view code) {
    return "Hinweis! Rabattgruppe: " + std::string(code) +
           " existiert nicht! EK-Preis mit 0% Rabatt berechnet";
}

double PurchaseFromList(const DiscountGroupInfo5& group, double listPrice, Protocol5* protocol) {
    if (!group.found) {
        if (protocol) protocol->push_back({MissingGroupNote5(group.code)});
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
            return rund(listPrice);  // no rule for the kind: no discount
    }
}

GroupSurcharge5 GroupSurcharge(const DiscountGroupInfo5& group) {
    const double s = group.found ? group.surcharge : 0.0;
    return {s, std::fabs(s) > 0.009};
}

std::string SurchargeProtocolLine5(double listPrice, double percent, double newSalesPrice) {
    return std::string(19, ' ') + "Listenpreis: " + FormatNumber5(listPrice, 9, 2) +
           " Aufschlag:" + FormatNumber5(percent, 7, 2) +
           " Neuer VK:" + FormatNumber5(newSalesPrice, 10, 2);
}

double DiscountFactor(std::string_view flag, std::string_view value, Protocol5& protocol) {
    if (Trim5(value).empty()) return 1.0;
    const double v = ParseNumber5(value).value_or(0.0);
    if (flag == "1") return 1.0 - v / 10000.0;
    if (flag == "2") return v / 1000.0;
    if (flag == "3") return 1.0 + v / 10000.0;
    protocol.push_back({"Ungültiges Rabattkennzeichen: " + std::string(flag)});
    return 1.0;
}

}  // namespace dn
