#include "features/prices/price_form4.h"

#include <fmt/format.h>

#include "common/protocol.h"
#include "common/session.h"

namespace dn {

TPFLEGEDISKETTE::TPFLEGEDISKETTE(Session& s, PriceModes& modes, int versionMode)
    : EntryForm("TPFLEGEDISKETTE", "Preispflege mit einer Preispflegediskette"),
      s_(s),
      modes_(modes) {
    const std::string number = fmt::format("{:2d}", s.CurrentSupplier);
    const std::string name = s.suppliers.entry(s.CurrentSupplier).name;
    AddDisplay(100, "Lieferant", [number] { return number; });
    AddDisplay(101, "Bezeichnung", [name] { return name; });
    AddRadioGroup(102, "EK-Preise", {"Übernehmen (Brutto-Rabatt oder Netto)", "Nicht ändern"},
                  modes.purchaseMode);
    AddRadioGroup(103, "VK-Preise",
                  {"Übernehmen aus Brutto", "Berechnen aus EK+alte Aufschläge", "Nicht ändern"},
                  modes.salesMode);
    AddYesNo(104, "Protokoll ausgeben", s.PrintProtocol);
    AddDisplay(105, "", [] {
        return std::string("ACHTUNG: Nur Dateien mit Preisen in der Basiswährung übernehmen!!!");
    });
    HideControl(105, versionMode == 1);
    AddButton(kOk, "&OK");
    AddButton(kCancel, "&Abbruch");
    helpContext = 41;
}

const char* refusalOf(const PriceModes& m) {
    if (m.purchaseMode == 1 && m.salesMode == 2) return kMsgNoPriceTakeOver;
    if (m.purchaseMode == 1 && m.salesMode == 1) return kMsgNoPurchaseTakeOver;
    return nullptr;
}

bool TPFLEGEDISKETTE::OK() {
    if (const char* refusal = refusalOf(modes_)) {
        s_.ui.meldung(refusal);
        return Refused(refusal);
    }
    return true;
}

bool AskPriceModes(Session& s, PriceModes& modes, int versionMode) {
    modes = PriceModes{};
    s.PrintProtocol = false;
    TPFLEGEDISKETTE form(s, modes, versionMode);
    return form.Execute(s.ui);
}

void PrintPriceSettings(Session& s, const PriceModes& m) {
    static const char* const purchase[] = {
        "- EK sollen übernommen werden (entweder Bruttopreis-Rabatt oder als Nettopreis).",
        "- EK sollen nicht übernommen werden."};
    static const char* const sales[] = {
        "- VK sollen übernommen werden (Bruttopreis).",
        "- VK sollen durch geänderte EK und alte Aufschläge berechnet werden.",
        "- VK sollen nicht übernommen werden."};
    ProtocolLine(s, "Einstellungen für Preisbildung EK und VK:");
    ProtocolLine(s, std::string(41, '='));
    ProtocolLine(s, purchase[m.purchaseMode == 1 ? 1 : 0]);
    ProtocolLine(s, sales[m.salesMode >= 0 && m.salesMode <= 2 ? m.salesMode : 0]);
    if (s.settings.NetZeroUsesListPrice)
        ProtocolLine(s, "- Netto Null : Listenpreis - Rabatt verwenden.");
    ProtocolLine(s, "");
    ProtocolLine(s, "");
}

void PrintPriceFileInfo(Session& s, const std::string& d, const std::string& text1,
                        const std::string& text2, const std::string& text3) {
    const std::string date =
        d.size() >= 6 ? d.substr(0, 2) + "." + d.substr(2, 2) + "." + d.substr(4, 2) : d;
    ProtocolLine(s, "Allgemeine Informationen über diese Preispflegedatei:");
    ProtocolLine(s, std::string(53, '='));
    ProtocolLine(s, "Erstellungsdatum : " + date);
    ProtocolLine(s, "Informationstext : " + text1);
    ProtocolLine(s, "Mitteilung 1     : " + text2);
    ProtocolLine(s, "Mitteilung 2     : " + text3);
    ProtocolLine(s, "");
    ProtocolLine(s, "");
}

}  // namespace dn
