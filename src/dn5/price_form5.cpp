// The price-maintenance options dialog and its settings block.

#include "dn5/price_form5.h"

#include <cstdio>

#include "frame/protocol.h"
#include "frame/session.h"
#include "host/host_services.h"

namespace dn {

namespace {

std::string twoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%2d", n);
    return buf;
}

}  // namespace

PriceMaintenanceForm::PriceMaintenanceForm(int supplierNumber, std::string supplierName,
                                           PriceMaintenanceOptions& options, bool showCurrencyNote)
    : EntryForm("TPFLEGEDISKETTE", "Preispflege mit einer Preispflegediskette"), options_(options) {
    AddDisplay(100, "Lieferant", [supplierNumber] { return twoDigits(supplierNumber); });
    AddDisplay(101, "", [name = std::move(supplierName)] { return name; });
    AddRadioGroup(102, "EK-Preise", {"Übernehmen (Brutto-Rabatt oder Netto)", "Nicht ändern"},
                  options.purchaseMode);
    AddRadioGroup(103, "VK-Preise",
                  {"Übernehmen aus Brutto", "Berechnen aus EK+alte Aufschläge", "Nicht ändern"},
                  options.salesMode);
    AddYesNo(104, "&Protokoll ausgeben", options.protocol);
    AddDisplay(105, "", [] { return std::string("ACHTUNG: Nur Dateien mit Preisen in der Basiswährung übernehmen!!!"); });
    field(105)->hidden = !showCurrencyNote;
    AddButton(kOk, "&OK");
    AddButton(kCancel, "&Abbruch");
    helpContext = 41;
}

std::string PriceMaintenanceForm::RefusalFor(int purchaseMode, int salesMode) {
    if (purchaseMode != 1) return {};
    if (salesMode == 2)
        return "Die Übernahme der EK und VK ist deaktiviert!\nEine Preispflege ist sinnlos.";
    if (salesMode == 1)
        return "Die Übernahme der EK ist deaktiviert und die VK sollen durch die EK und alte "
               "Aufschläge ermittelt werden!\nEine Preispflege ist sinnlos.";
    return {};
}

bool PriceMaintenanceForm::OK() {
    const std::string refusal = RefusalFor(options_.purchaseMode, options_.salesMode);
    if (refusal.empty()) return true;
    if (host()) host()->meldung(refusal);
    return false;
}

bool RunPriceMaintenanceForm(Session& s, PriceMaintenanceOptions& options, bool showCurrencyNote) {
    options = PriceMaintenanceOptions{};
    PriceMaintenanceForm form(s.CurrentSupplier, s.suppliers.entry(s.CurrentSupplier).name, options,
                              showCurrencyNote);
    if (!form.Execute(s.ui)) return false;
    s.PrintProtocol = options.protocol;
    return true;
}

void PrintPriceSettings(Session& s, const PriceMaintenanceOptions& options) {
    static const char* const kPurchase[] = {
        "- EK sollen übernommen werden (entweder Bruttopreis-Rabatt oder als Nettopreis).",
        "- EK sollen nicht übernommen werden.",
    };
    static const char* const kSales[] = {
        "- VK sollen übernommen werden (Bruttopreis).",
        "- VK sollen durch geänderte EK und alte Aufschläge berechnet werden.",
        "- VK sollen nicht übernommen werden.",
    };
    ProtocolLine(s, "Einstellungen für Preisbildung EK und VK:");
    ProtocolLine(s, std::string(41, '='));
    if (options.purchaseMode >= 0 && options.purchaseMode <= 1) ProtocolLine(s, kPurchase[options.purchaseMode]);
    if (options.salesMode >= 0 && options.salesMode <= 2) ProtocolLine(s, kSales[options.salesMode]);
    if (s.settings.NetZeroUsesListPrice) ProtocolLine(s, "- Netto Null : Listenpreis - Rabatt verwenden.");
    ProtocolLine(s, "");
    ProtocolLine(s, "");
}

}  // namespace dn
