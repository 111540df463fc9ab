#include "common/command_table.h"

namespace dn {

const std::vector<CommandInfo>& commandTable() {
    constexpr unsigned supplier = kChangesSupplier, writes = kWritesStore;
    static const std::vector<CommandInfo> table = {
        // The supplier dialog hands online deliveries to the importers.
        {1, "", "", "&Lieferant", supplier | writes},
        {21, "&Rabatte", "", "&Manuelle Erfassung", writes},
        {22, "&Rabatte", "", "&Einlesen Rabattdaten", writes},
        {23, "&Rabatte", "", "&Drucken Rabattdaten"},
        {24, "&Rabatte", "", "&Löschen Rabattdaten", writes},
        {26, "&Rabatte", "", "&Selektion Rabattgruppen", writes},
        {25, "&Rabatte", "", "&Wechsel Lieferant", supplier},
        {32, "&Artikel", "", "&Zeigen / Drucken Artikel"},
        {33, "&Artikel", "", "&Artikel übernehmen", writes},
        {34, "&Artikel", "", "&Leistung übernehmen", writes},
        {35, "&Artikel", "", "&Minuten übernehmen", writes, kDn3},
        {36, "&Artikel", "", "&Freie Texte übernehmen", writes, kDn5, kDn5},
        {371, "&Artikel", "&Grafikverwaltung", "&Grafiken Kopieren", kNoTraits, kDn5, kDn5},
        {372, "&Artikel", "&Grafikverwaltung", "&Index neu aufbauen", writes, kDn5, kDn5},
        {38, "&Artikel", "", "&Wechsel Lieferant", supplier},
        {41, "&Preispflege", "", "mit &Preispflegedatei", writes | kPreviewOff},
        {42, "&Preispflege", "", "nach &Rabattänderung", writes},
        {43, "&Preispflege", "", "Preis-&Anfrage (Pendeldatei)"},
        {44, "&Preispflege", "", "&Wechsel Lieferant", supplier},
        {52, "&Warengruppen", "", "&Manuelle Erfassung", writes},
        {51, "&Warengruppen", "", "&Einlesen Warengruppen", writes},
        {53, "&Warengruppen", "", "&Drucken Warengruppen"},
        {54, "&Warengruppen", "", "&Selektion Warengruppen", writes},
        {55, "&Warengruppen", "", "&Wechsel Lieferant", supplier},
        {61, "&Diverses", "", "&Laufwerk"},
        {62, "&Diverses", "", "&Artikelnummernänderung in Leistungen", writes},
        {63, "&Diverses", "", "&Parameter"},
        {64, "&Diverses", "", "Pro&tokoll der Änderungen"},
        {99, "", "", "&Hilfe"},
        {10, "", "", "&Ende", kEndsProgram},
    };
    return table;
}

const std::vector<std::string>& menuOrder() {
    static const std::vector<std::string> order = {"&Lieferant",   "&Rabatte",      "&Artikel",
                                                   "&Preispflege", "&Warengruppen", "&Diverses",
                                                   "&Hilfe",       "&Ende"};
    return order;
}

const CommandInfo* findCommand(int number) {
    for (const auto& c : commandTable())
        if (c.number == number) return &c;
    return nullptr;
}

unsigned versionBit(int dnVersion) {
    return dnVersion >= 0 && dnVersion <= 2 ? 1u << dnVersion : 0u;
}

bool commandVisible(int number, int dnVersion) {
    const CommandInfo* c = findCommand(number);
    return !c || (c->shownFor & versionBit(dnVersion)) != 0;
}

bool commandRuns(int number, int dnVersion) {
    const CommandInfo* c = findCommand(number);
    return !c || (c->runsFor & versionBit(dnVersion)) != 0;
}

bool commandHas(int number, CommandTrait trait) {
    const CommandInfo* c = findCommand(number);
    return c && c->has(trait);
}

std::string plainCaption(const std::string& caption) {
    std::string out;
    for (char c : caption)
        if (c != '&') out += c;
    return out;
}

}  // namespace dn
