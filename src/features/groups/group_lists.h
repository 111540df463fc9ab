#pragma once
// The group lists of the current supplier (pick mode for the entry dialogs'
// F2, mark mode for commands 26 and 54), the marks, and what the lists do
// with the marked groups: deleting their articles, entering main groups
// into the content list. All of it works on the groups whose key begins
// with `ArticlePrefix`.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/entry_form.h"
#include "host/store_records.h"

namespace dn {

struct Session;

// Extra keys of the older list picker in mark mode.
inline constexpr int kListDeleteArticles = kF8;  // delete the articles of the marked groups
inline constexpr int kListContents = 15;         // F5: marked main groups into the content list

// --- discount groups
std::vector<DiscountGroupRecord> supplierDiscountGroups(Session& s);
// Sets or clears the mark of a group; false when it does not exist.
bool MarkDiscountGroup(Session& s, std::string_view key, bool marked);
// The list "Liste Rabatte" in pick mode: the chosen key, or nothing.
std::optional<std::string> PickDiscountGroup(Session& s);
// The list in mark mode (command 26): marks are written as the list hands
// them back; the older picker's F8 deletes the articles of marked groups.
void DiscountGroupList(Session& s);
// Asks "Alle Artikel zu den markierten Rabattgruppen aus dem Stamm
// löschen?" and deletes the supplier's articles whose discount group is
// marked. Returns the number deleted.
std::size_t DeleteArticlesOfMarkedDiscountGroups(Session& s);
// Deletes all discount groups of the supplier, key by key on the status
// panel "Rabatte löschen", until done or Escape. Returns the number deleted.
std::size_t DeleteSupplierDiscountGroups(Session& s);

// --- product groups
std::vector<ProductGroupRecord> supplierProductGroups(Session& s);
enum class MarkResult { Done, Missing, SubGroupRefused };
// Sets or clears the mark; with `refuseSubGroups` (the older list picker) a
// product group below a main group is refused with "Warenuntergruppe kann
// nicht markiert werden!".
MarkResult MarkProductGroup(Session& s, std::string_view key, bool marked, bool refuseSubGroups);
std::optional<std::string> PickProductGroup(Session& s);
// The list in mark mode (command 54); the older picker's F8 deletes the
// articles of the marked main groups, F5 enters them into the content list.
void ProductGroupList(Session& s);
// Asks "Alle Artikel zu den markierten Warengruppen aus dem Stamm
// löschen?" and deletes the supplier's articles of the marked main groups.
std::size_t DeleteArticlesOfMarkedProductGroups(Session& s);
// Asks "Alle markierten Hauptwarengruppen in das Inhaltsverzeichnis
// eintragen?" and writes a content entry (kind 2) per marked main group.
std::size_t EnterMarkedMainGroupsInContents(Session& s);
// Deletes all product groups of the supplier on the status panel
// "Warengruppen löschen", until done or Escape.
std::size_t DeleteSupplierProductGroups(Session& s);

// The marked test of the importers: the product group of `ArticlePrefix` +
// code exists and is marked.
bool ProductGroupSelected(Session& s, std::string_view code);

}  // namespace dn
