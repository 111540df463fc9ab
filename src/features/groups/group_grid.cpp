#include "features/groups/group_grid.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "features/groups/group_format.h"
#include "host/codepage.h"

namespace dn {
namespace {

// Upper-case letters that sort as other letters.
constexpr std::pair<const char*, const char*> kSortsAs[] = {
    {"Ä", "A"},
    {"Ö", "O"},
    {"Ü", "U"},
    {"ß", "SS"},
};

std::string blitzindexKey(const std::string& description) {
    std::string key = utf8Upper(trimGroupText(description));
    for (const auto& [letter, as] : kSortsAs) {
        const std::string from(letter);
        for (auto at = key.find(from); at != std::string::npos; at = key.find(from, at))
            key.replace(at, from.size(), as);
    }
    return key;
}

std::vector<int> keyOrder(std::size_t n) {
    std::vector<int> rows(n);
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

template <class Group>
std::vector<std::string> descriptionsOf(const std::vector<Group>& groups) {
    std::vector<std::string> out;
    out.reserve(groups.size());
    for (const auto& g : groups) out.push_back(g.bezeichnung);
    return out;
}

}  // namespace

std::vector<int> blitzindexOrder(const std::vector<std::string>& descriptions) {
    std::vector<std::string> keys;
    keys.reserve(descriptions.size());
    for (const auto& d : descriptions) keys.push_back(blitzindexKey(d));
    std::vector<int> rows = keyOrder(descriptions.size());
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    return rows;
}

// The groups come in key order from the store, so the key order is the
// order of the lines.
void describeDiscountGrid(ListRequest& req, const std::vector<DiscountGroupRecord>& groups) {
    req.columns = {{"Gruppe", 8}, {"Bezeichnung", 43}, {"Typ", 8}, {"Wert", 12, true}};
    req.orders = {{"Rabattgruppe", keyOrder(groups.size())},
                  {"Blitzindex", blitzindexOrder(descriptionsOf(groups))}};
    req.takeOver = "Rabatt überne&hmen";
    req.helpContext = kGroupListHelp;
}

void describeProductGrid(ListRequest& req, const std::vector<ProductGroupRecord>& groups) {
    req.columns = {{"Gruppe", 20}, {"Bezeichnung", 60}};
    req.orders = {{"WG-Key", keyOrder(groups.size())},
                  {"Blitzindex", blitzindexOrder(descriptionsOf(groups))}};
    req.takeOver = "Warengruppe überne&hmen";
    req.helpContext = kGroupListHelp;
}

}  // namespace dn
