#include "common/command_table.h"

namespace dn {

const std::vector<CommandInfo>& commandTable() {
    static const std::vector<CommandInfo> table = {
        {1, "", "", "&Lieferant"},
        {21, "&Rabatte", "", "&Manuelle Erfassung"},
        {22, "&Rabatte", "", "&Einlesen Rabattdaten"},
        {23, "&Rabatte", "", "&Drucken Rabattdaten"},
        {24, "&Rabatte", "", "&Löschen Rabattdaten"},
        {26, "&Rabatte", "", "&Selektion Rabattgruppen"},
        {25, "&Rabatte", "", "&Wechsel Lieferant"},
        {32, "&Artikel", "", "&Zeigen / Drucken Artikel"},
        {33, "&Artikel", "", "&Artikel übernehmen"},
        {34, "&Artikel", "", "&Leistung übernehmen"},
        {35, "&Artikel", "", "&Minuten übernehmen", kDn3},
        {36, "&Artikel", "", "&Freie Texte übernehmen", kDn5, kDn5},
        {371, "&Artikel", "&Grafikverwaltung", "&Grafiken Kopieren", kDn5, kDn5},
        {372, "&Artikel", "&Grafikverwaltung", "&Index neu aufbauen", kDn5, kDn5},
        {38, "&Artikel", "", "&Wechsel Lieferant"},
        {41, "&Preispflege", "", "mit &Preispflegedatei"},
        {42, "&Preispflege", "", "nach &Rabattänderung"},
        {43, "&Preispflege", "", "Preis-&Anfrage (Pendeldatei)"},
        {44, "&Preispflege", "", "&Wechsel Lieferant"},
        {52, "&Warengruppen", "", "&Manuelle Erfassung"},
        {51, "&Warengruppen", "", "&Einlesen Warengruppen"},
        {53, "&Warengruppen", "", "&Drucken Warengruppen"},
        {54, "&Warengruppen", "", "&Selektion Warengruppen"},
        {55, "&Warengruppen", "", "&Wechsel Lieferant"},
        {61, "&Diverses", "", "&Laufwerk"},
        {62, "&Diverses", "", "&Artikelnummernänderung in Leistungen"},
        {63, "&Diverses", "", "&Parameter"},
        {64, "&Diverses", "", "Pro&tokoll der Änderungen"},
        {99, "", "", "&Hilfe"},
        {10, "", "", "&Ende"},
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

namespace {

bool inMask(unsigned mask, int dnVersion) {
    return dnVersion >= 0 && dnVersion <= 2 && (mask & (1u << dnVersion)) != 0;
}

}  // namespace

bool commandVisible(int number, int dnVersion) {
    const CommandInfo* c = findCommand(number);
    return !c || inMask(c->shownFor, dnVersion);
}

bool commandRuns(int number, int dnVersion) {
    const CommandInfo* c = findCommand(number);
    return !c || inMask(c->runsFor, dnVersion);
}

bool commandWritesStore(int number) {
    // 1: the supplier dialog hands online deliveries to the importers.
    static constexpr int kWriting[] = {1,  21,  22, 24, 26, 33, 34, 35,
                                       36, 372, 41, 42, 51, 52, 54, 62};
    for (int n : kWriting)
        if (n == number) return true;
    return false;
}

std::string plainCaption(const std::string& caption) {
    std::string out;
    for (char c : caption)
        if (c != '&') out += c;
    return out;
}

}  // namespace dn
