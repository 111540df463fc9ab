#pragma once
// The command table: every menu item with its number, menu and caption, in
// menu order, and the version-dependent visibility.

#include <string>
#include <vector>

namespace dn {

// DATANORM versions as bits of a mask, by `DnVersion` (0, 1, 2).
inline constexpr unsigned kDn3 = 1, kDn4 = 2, kDn5 = 4, kAllVersions = kDn3 | kDn4 | kDn5;

struct CommandInfo {
    int number;
    std::string menu;     // top-level menu caption; empty for top-level items
    std::string submenu;  // "&Grafikverwaltung" or empty
    std::string caption;
    unsigned shownFor = kAllVersions;  // versions whose menu shows the item
    unsigned runsFor = kAllVersions;   // versions for which the command does something
};

// In menu order.
const std::vector<CommandInfo>& commandTable();
const CommandInfo* findCommand(int number);
// The top-level menus in order ("&Lieferant", "&Rabatte", ...).
const std::vector<std::string>& menuOrder();

// "&Minuten übernehmen" shown only for DATANORM 3, "&Freie Texte
// übernehmen" and the graphics submenu only for DATANORM 5.
bool commandVisible(int number, int dnVersion);
// Whether the command does something for the version: the minutes import
// runs for every version, free texts and graphics only for DATANORM 5.
bool commandRuns(int number, int dnVersion);

// The commands that write articles, prices, texts, services or groups into
// the store: one of them at a time per store.
bool commandWritesStore(int number);

// The caption without its "&" accelerator marks.
std::string plainCaption(const std::string& caption);

}  // namespace dn
