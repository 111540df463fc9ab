// The discount group list of the current supplier, its marks, and the
// deletion of the articles of marked groups.

#include <set>

#include "common/host_guards.h"
#include "common/session.h"
#include "features/groups/group_format.h"
#include "features/groups/group_grid.h"
#include "features/groups/group_lists.h"
#include "host/store.h"
#include "host/store_transaction.h"

namespace dn {
namespace {

ListRequest discountListRequest(Session& s, const std::vector<DiscountGroupRecord>& groups,
                                bool markMode) {
    const bool grid = s.host.f_dbbrowser;
    ListRequest req;
    req.title = "Liste Rabatte";
    req.markMode = markMode;
    if (!grid) {
        if (markMode) {
            req.explanation.push_back(
                "Leertaste = markieren, F8 = Artikel der markierten Gruppen löschen");
            req.buttons = {kListDeleteArticles};
        }
        req.explanation.push_back(kDiscountPickerHeader);
    }
    for (const auto& g : groups) {
        req.lines.push_back(grid ? discountGridLine(g) : discountPickerLine(g));
        req.marked.push_back(g.selektiert);
    }
    if (!markMode) req.marked.clear();
    if (grid) describeDiscountGrid(req, groups);
    return req;
}

}  // namespace

std::vector<DiscountGroupRecord> supplierDiscountGroups(Session& s) {
    return s.store().listDiscountGroups(KeyRange::prefix(s.ArticlePrefix));
}

bool MarkDiscountGroup(Session& s, std::string_view key, bool marked) {
    return s.store().setDiscountGroupMark(key, marked);
}

std::optional<std::string> PickDiscountGroup(Session& s) {
    const auto groups = supplierDiscountGroups(s);
    const ListResult r = s.ui.chooseFromList(discountListRequest(s, groups, false));
    if (!r.ok || r.selected < 0 || r.selected >= static_cast<int>(groups.size()))
        return std::nullopt;
    const std::string& key = groups[r.selected].key;
    if (key.rfind(s.ArticlePrefix, 0) != 0) return std::nullopt;
    return key;
}

void DiscountGroupList(Session& s) {
    int selected = 0;
    for (;;) {
        const auto groups = supplierDiscountGroups(s);
        ListRequest req = discountListRequest(s, groups, true);
        req.selected = selected;
        const ListResult r = s.ui.chooseFromList(req);
        for (std::size_t i = 0; i < groups.size() && i < r.marked.size(); ++i)
            if (r.marked[i] != groups[i].selektiert)
                MarkDiscountGroup(s, groups[i].key, r.marked[i]);
        if (r.button != kListDeleteArticles) return;
        DeleteArticlesOfMarkedDiscountGroups(s);
        selected = r.selected;
    }
}

std::size_t DeleteArticlesOfMarkedDiscountGroups(Session& s) {
    if (!s.ui.janein("Alle Artikel zu den markierten Rabattgruppen aus dem Stamm löschen?"))
        return 0;
    HostStore& store = s.store();
    std::set<std::string> marked;
    for (const auto& g : supplierDiscountGroups(s))
        if (g.selektiert) marked.insert(storeKey(g.key));
    // Only the supplier's own articles: another supplier's article with the
    // same group code belongs to that supplier's group.
    const KeyRange range = KeyRange::prefix(s.ArticlePrefix);
    GroupProgressBar bar(s.ui, "Artikel löschen ...",
                         static_cast<long>(store.countArticles(range)));
    StoreTransaction tx(store);
    std::size_t deleted = 0;
    store.forEachArticle(range, [&](const ArticleRecord& a) {
        if (marked.count(storeKey(s.ArticlePrefix + a.discountgroup)) && store.deleteArticle(a.key))
            ++deleted;
        return !bar.step();
    });
    tx.commit();
    return deleted;
}

std::size_t DeleteSupplierDiscountGroups(Session& s) {
    HostStore& store = s.store();
    GroupStatusPanel panel(s.ui, "Rabatte löschen");
    StoreTransaction tx(store);
    std::size_t deleted = 0;
    for (const auto& g : supplierDiscountGroups(s)) {
        const bool escape = panel.info(g.key);
        if (store.deleteDiscountGroup(g.key)) ++deleted;
        if (escape) break;
    }
    tx.commit();
    return deleted;
}

}  // namespace dn
