#include "common/discount_group.h"

#include "common/protocol.h"
#include "common/session.h"
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

namespace {

// The stored row of `ArticlePrefix` + code; the note when there is none.
std::optional<DiscountGroupRecord> findGroup(Session& s, std::string_view code,
                                             bool missingGroupNote) {
    auto found = s.store().readDiscountGroup(s.ArticlePrefix + std::string(code));
    if (!found && missingGroupNote && s.PrintProtocol) ProtocolLine(s, MissingGroupNote(code));
    return found;
}

}  // namespace

DiscountGroupRecord LoadDiscountGroup(Session& s, std::string_view code, bool missingGroupNote) {
    return findGroup(s, code, missingGroupNote).value_or(MissingDiscountGroup());
}

DiscountGroupRule LoadDiscountGroupRule(Session& s, std::string_view code, bool missingGroupNote) {
    return discountGroupRule(code, findGroup(s, code, missingGroupNote));
}

double ApplyDiscountGroup(Session& s, std::string_view code, double price, bool missingGroupNote) {
    return purchaseFromList(LoadDiscountGroupRule(s, code, missingGroupNote), price, nullptr);
}

bool DiscountGroupSelected(Session& s, std::string_view code) {
    auto found = s.store().readDiscountGroup(s.ArticlePrefix + std::string(code));
    return found && found->selektiert;
}

}  // namespace dn
