#include "features/services/number_change.h"

#include "common/session.h"
#include "features/services/documents.h"
#include "features/services/set_rows.h"
#include "host/codepage.h"
#include "host/store.h"

namespace dn {

bool addNumberChange(NumberChangeTable& table, const std::string& oldKey,
                     const std::string& newKey) {
    return table.emplace(cutKey(oldKey), cutKey(newKey)).second;
}

std::string mapNumber(const NumberChangeTable& table, const std::string& key) {
    if (key.empty()) return {};
    const bool starred = key.front() == '*';
    const std::string plain = starred ? utf8Left(key.substr(1), kMaxKeyLength - 1) : key;
    const auto it = table.find(storeKey(plain));
    if (it == table.end()) return {};
    return starred ? cutKey("*" + it->second) : it->second;
}

NumberChangeResult ApplyNumberChanges(Session& s, const NumberChangeTable& table) {
    NumberChangeResult result;
    HostStore& store = s.store();
    store.forEachService(KeyRange::all(), [&](const ServiceRecord& found) {
        if (s.ui.ESCPanel()) return false;
        s.ui.SetInfo("Leistung: " + found.key);
        ServiceRecord service = found;
        bool changed = false;
        for (ServiceRow& row : service.rows) {
            const std::string mapped = mapNumber(table, trimBlanks(row.articleKey));
            if (mapped.empty()) continue;
            row.articleKey = mapped;
            changed = true;
        }
        if (changed) {
            store.writeService(service);
            ++result.services;
        }
        return true;
    });
    const KeyMapper map = [&table](const std::string& key) { return mapNumber(table, key); };
    if (!s.ui.ESCPanel()) result.documents += rewriteDocuments(s, DocumentKind::Offer, map);
    if (!s.ui.ESCPanel()) result.documents += rewriteDocuments(s, DocumentKind::Measurement, map);
    return result;
}

}  // namespace dn
