#pragma once
// The command table: every menu item with its number, menu and caption, in
// menu order, and the columns the dispatcher and the menus read: the
// versions whose menu shows the item, the versions for which it does
// something, and what the command does around its implementation.

#include <string>
#include <vector>

namespace dn {

// DATANORM versions as bits of a mask, by `DnVersion` (0, 1, 2).
inline constexpr unsigned kDn3 = 1u << 0, kDn4 = 1u << 1, kDn5 = 1u << 2;
inline constexpr unsigned kAllVersions = kDn3 | kDn4 | kDn5;

// What a command does around its implementation, as bits of a mask.
enum CommandTrait : unsigned {
    kNoTraits = 0,
    // It may make another supplier current: the menu visibility follows
    // afterwards.
    kChangesSupplier = 1u << 0,
    // It writes articles, prices, texts, services or groups into the store:
    // one such command at a time per store.
    kWritesStore = 1u << 1,
    // The host's preview of formatted texts (`f_rtfpreview`) is off while
    // it runs.
    kPreviewOff = 1u << 2,
    // It ends the program.
    kEndsProgram = 1u << 3,
};

struct CommandInfo {
    int number;
    std::string menu;     // top-level menu caption; empty for top-level items
    std::string submenu;  // "&Grafikverwaltung" or empty
    std::string caption;
    unsigned traits = kNoTraits;       // CommandTrait bits
    unsigned shownFor = kAllVersions;  // versions whose menu shows the item
    unsigned runsFor = kAllVersions;   // versions for which the command does something

    bool has(CommandTrait trait) const { return (traits & trait) != 0; }
};

// In menu order.
const std::vector<CommandInfo>& commandTable();
const CommandInfo* findCommand(int number);
// The top-level menus in order ("&Lieferant", "&Rabatte", ...).
const std::vector<std::string>& menuOrder();

// The version's bit for `DnVersion`; 0 for a value outside 0..2.
unsigned versionBit(int dnVersion);

// Whether the menu shows the item for the version; an unknown number is
// always shown.
bool commandVisible(int number, int dnVersion);
// Whether the command does something for the version; an unknown number
// always runs.
bool commandRuns(int number, int dnVersion);
// Whether the command has the trait; an unknown number has none.
bool commandHas(int number, CommandTrait trait);

// The caption without its "&" accelerator marks.
std::string plainCaption(const std::string& caption);

}  // namespace dn
