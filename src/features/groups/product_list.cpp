// The product group list of the current supplier, its marks, the deletion
// of the articles of marked main groups and the content-list entries.

#include <map>

#include "common/host_guards.h"
#include "common/session.h"
#include "features/groups/group_format.h"
#include "features/groups/group_grid.h"
#include "features/groups/group_lists.h"
#include "host/store.h"
#include "host/store_transaction.h"

namespace dn {
namespace {

constexpr const char* kSubGroupRefused = "Warenuntergruppe kann nicht markiert werden!";

ListRequest productListRequest(Session& s, const std::vector<ProductGroupRecord>& groups,
                               bool markMode) {
    const bool grid = s.host.f_dbbrowser;
    ListRequest req;
    req.title = "Liste Warengruppen";
    req.markMode = markMode;
    if (!grid) {
        if (markMode) {
            req.explanation.push_back(
                "Leertaste = markieren, F8 = Artikel der markierten Warengruppen löschen, "
                "F5 = markierte Hauptwarengruppen in das Inhaltsverzeichnis");
            req.buttons = {kListContents, kListDeleteArticles};
        }
        req.explanation.push_back(kProductPickerHeader);
    }
    for (const auto& g : groups) {
        req.lines.push_back(grid ? productGridLine(g) : productPickerLine(g));
        if (markMode) req.marked.push_back(g.selektiert);
    }
    if (grid) describeProductGrid(req, groups);
    return req;
}

// The marked main groups with their codes (the key after the prefix).
std::vector<std::pair<ProductGroupRecord, std::string>> markedMainGroups(Session& s) {
    std::vector<std::pair<ProductGroupRecord, std::string>> out;
    for (auto& g : supplierProductGroups(s))
        if (g.selektiert && !g.isSubGroup) {
            std::string code = storeKey(codeOfKey(g.key, s.ArticlePrefix, kMaxKeyLength));
            out.emplace_back(std::move(g), std::move(code));
        }
    return out;
}

}  // namespace

std::vector<ProductGroupRecord> supplierProductGroups(Session& s) {
    return s.store().listProductGroups(KeyRange::prefix(s.ArticlePrefix));
}

MarkResult MarkProductGroup(Session& s, std::string_view key, bool marked, bool refuseSubGroups) {
    auto group = s.store().readProductGroup(key);
    if (!group) return MarkResult::Missing;
    if (refuseSubGroups && group->isSubGroup) {
        s.ui.meldung(kSubGroupRefused);
        return MarkResult::SubGroupRefused;
    }
    s.store().setProductGroupMark(key, marked);
    return MarkResult::Done;
}

bool ProductGroupSelected(Session& s, std::string_view code) {
    auto found = s.store().readProductGroup(s.ArticlePrefix + std::string(code));
    return found && found->selektiert;
}

std::optional<std::string> PickProductGroup(Session& s) {
    const auto groups = supplierProductGroups(s);
    const ListResult r = s.ui.chooseFromList(productListRequest(s, groups, false));
    if (!r.ok || r.selected < 0 || r.selected >= static_cast<int>(groups.size()))
        return std::nullopt;
    const std::string& key = groups[r.selected].key;
    if (key.rfind(s.ArticlePrefix, 0) != 0) return std::nullopt;
    return key;
}

void ProductGroupList(Session& s) {
    int selected = 0;
    for (;;) {
        const auto groups = supplierProductGroups(s);
        ListRequest req = productListRequest(s, groups, true);
        req.selected = selected;
        const ListResult r = s.ui.chooseFromList(req);
        // The grid marks any group; the older picker refuses sub-groups.
        const bool refuseSubGroups = !s.host.f_dbbrowser;
        for (std::size_t i = 0; i < groups.size() && i < r.marked.size(); ++i)
            if (r.marked[i] != groups[i].selektiert)
                MarkProductGroup(s, groups[i].key, r.marked[i], refuseSubGroups);
        if (r.button == kListDeleteArticles)
            DeleteArticlesOfMarkedProductGroups(s);
        else if (r.button == kListContents)
            EnterMarkedMainGroupsInContents(s);
        else
            return;
        selected = r.selected;
    }
}

std::size_t DeleteArticlesOfMarkedProductGroups(Session& s) {
    if (!s.ui.janein("Alle Artikel zu den markierten Warengruppen aus dem Stamm löschen?"))
        return 0;
    HostStore& store = s.store();
    const auto groups = supplierProductGroups(s);
    const auto marked = markedMainGroups(s);
    // One walk over the supplier's articles (not other suppliers' articles
    // with the same main-group code), collecting the keys per main group.
    std::map<std::string, std::vector<std::string>> articlesOf;
    for (const auto& [g, code] : marked) articlesOf[code];
    store.forEachArticle(KeyRange::prefix(s.ArticlePrefix), [&](const ArticleRecord& a) {
        auto it = articlesOf.find(storeKey(a.productgroup));
        if (it != articlesOf.end()) it->second.push_back(a.key);
        return true;
    });
    GroupProgressBar bar(s.ui, "Artikel löschen ...", static_cast<long>(groups.size()));
    StoreTransaction tx(store);
    std::size_t deleted = 0;
    bool escape = false;
    for (const auto& g : groups) {
        if (g.selektiert && !g.isSubGroup) {
            const std::string code = storeKey(codeOfKey(g.key, s.ArticlePrefix, kMaxKeyLength));
            for (const auto& key : articlesOf[code]) {
                if (store.deleteArticle(key)) ++deleted;
                if ((escape = s.ui.EscPressed())) break;
            }
        }
        if (escape || bar.step()) break;
    }
    tx.commit();
    return deleted;
}

std::size_t EnterMarkedMainGroupsInContents(Session& s) {
    if (!s.ui.janein("Alle markierten Hauptwarengruppen in das Inhaltsverzeichnis eintragen?"))
        return 0;
    HostStore& store = s.store();
    const auto groups = supplierProductGroups(s);
    GroupProgressBar bar(s.ui, "Übernehmen ...", static_cast<long>(groups.size()));
    StoreTransaction tx(store);
    std::size_t written = 0;
    for (const auto& g : groups) {
        if (g.selektiert && !g.isSubGroup) {
            store.writeContent(ContentRecord{g.key, 2, g.key, g.key, g.key, g.bezeichnung});
            ++written;
        }
        if (bar.step()) break;
    }
    tx.commit();
    return written;
}

std::size_t DeleteSupplierProductGroups(Session& s) {
    HostStore& store = s.store();
    GroupStatusPanel panel(s.ui, "Warengruppen löschen");
    StoreTransaction tx(store);
    std::size_t deleted = 0;
    for (const auto& g : supplierProductGroups(s)) {
        const bool escape = panel.info(g.key);
        if (store.deleteProductGroup(g.key)) ++deleted;
        if (escape) break;
    }
    tx.commit();
    return deleted;
}

}  // namespace dn
