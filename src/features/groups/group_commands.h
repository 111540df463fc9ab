#pragma once
// The commands of the discount and product groups (menus "&Rabatte" and
// "&Warengruppen") and the field tags of their dialogs.

#include "common/dispatch.h"

namespace dn {

struct Session;

// Discount groups.
CommandOutcome DiscountGroupEntry(Session& s);   // 21 "Manuelle Erfassung der Rabattgruppen"
CommandOutcome ReadDiscountFile4(Session& s);    // 22 for DATANORM 4
CommandOutcome PrintDiscountGroups(Session& s);  // 23
CommandOutcome DeleteDiscountGroupsCommand(Session& s);  // 24
CommandOutcome DiscountGroupSelection(Session& s);       // 26

// Product groups.
CommandOutcome ReadProductFile4(Session& s);       // 51 for DATANORM 4
CommandOutcome ProductGroupEntry(Session& s);      // 52 "Manuelle Erfassung der Warengruppen"
CommandOutcome PrintProductGroups(Session& s);     // 53
CommandOutcome ProductGroupSelection(Session& s);  // 54

// Command 32 for DATANORM 4: choose the article file, print its listing.
CommandOutcome ShowArticlesCommand4(Session& s);

// Form classes and tags.
inline constexpr const char* kDiscountEntryForm = "TW_MANUELL";
inline constexpr const char* kProductEntryForm = "TW_MANUELLWG";
inline constexpr const char* kDiscountReadForm = "TW_RABATTLESEN";
inline constexpr const char* kProductReadForm = "TW_WARENLESEN";
inline constexpr const char* kDiscountDeleteForm = "TW_RABATTLOESCHEN";

enum DiscountEntryField : int {
    kDiscCode = 100,
    kDiscValue = 101,
    kDiscText = 102,
    kDiscKind = 103,
    kDiscSurcharge = 104,
};

enum ProductEntryField : int {
    kProdCode = 100,
    kProdText = 101,
    kProdCostType = 102,
};

enum GroupReadField : int {
    kReadDeleteOld = 100,  // discount reader: delete the supplier's groups first
    kReadProtocol = 101,   // discount reader: print the protocol
};

// The F-keys of both entry dialogs.
enum GroupEntryButton : int {
    kGroupList = 12,    // F2 "&Gruppen-Liste"
    kGroupDelete = 18,  // F8 "&Löschen"
};

}  // namespace dn
