#include "common/discount_group.h"

#include "common/protocol.h"
#include "common/session.h"
#include "host/amounts.h"
#include "host/codepage.h"
#include "host/store.h"

namespace dn {

std::string GroupKey(std::string_view articlePrefix, std::string_view code) {
    std::string key(articlePrefix);
    key += code;
    const auto first = key.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    key = key.substr(first, key.find_last_not_of(' ') - first + 1);
    return utf8Left(key, kGroupKeyLength);
}

DiscountGroupRecord MissingDiscountGroup() {
    DiscountGroupRecord r;
    r.key = "####";
    r.selektiert = false;
    r.secondmark = "#";
    r.kennung = "1";
    r.wert = 0;
    r.salesSurcharge = 0;
    return r;
}

std::string MissingGroupNote(std::string_view code) {
    return "Hinweis! Rabattgruppe: " + std::string(code) +
           " existiert nicht! EK-Preis mit 0% Rabatt berechnet";
}

DiscountGroupRecord LoadDiscountGroup(Session& s, std::string_view code, bool missingGroupNote) {
    if (auto found = s.store().readDiscountGroup(s.ArticlePrefix + std::string(code)))
        return *found;
    if (missingGroupNote && s.PrintProtocol) ProtocolLine(s, MissingGroupNote(code));
    return MissingDiscountGroup();
}

double DiscountedPrice(const DiscountGroupRecord& group, double price) {
    if (group.kennung == "1") return rund(price * (1.0 - group.wert / 100.0));
    if (group.kennung == "2") return rund(price * group.wert);
    if (group.kennung == "3") return rund(price * (1.0 + group.wert / 100.0));
    return rund(price);
}

double ApplyDiscountGroup(Session& s, std::string_view code, double price, bool missingGroupNote) {
    return DiscountedPrice(LoadDiscountGroup(s, code, missingGroupNote), price);
}

bool DiscountGroupSelected(Session& s, std::string_view code) {
    auto found = s.store().readDiscountGroup(s.ArticlePrefix + std::string(code));
    return found && found->selektiert;
}

}  // namespace dn
