#include "common/current_supplier.h"

#include <filesystem>

#include "common/session.h"

namespace dn {
namespace {

void applySupplier(Session& s, int number) {
    s.CurrentSupplier = number;
    const SupplierEntry& e = s.suppliers.entry(number);
    s.ArticlePrefix = ArticlePrefixFor(number, e.letter);
    switch (e.version) {
        case '3':
            s.DnVersion = 0;
            break;
        case '4':
            s.DnVersion = 1;
            break;
        case '5':
            s.DnVersion = 2;
            break;
        default:
            break;  // any other character keeps the version
    }
    s.caption = "DATANORM: " + SupplierDisplayLine(number, e);
    s.ui.setCaption(s.caption);
}

}  // namespace

void ReadCurrentSupplier(Session& s) {
    const auto dir = s.masterDataDir();
    std::error_code ec;
    if (!std::filesystem::exists(dir / "aktuell.dat", ec)) writeCurrentSupplierNumber(dir, 1);
    const int number = readCurrentSupplierNumber(dir);
    applySupplier(s, number);
    const SupplierEntry& e = s.suppliers.entry(number);
    s.CurrentSupplierPath = e.path;
    s.CurrentUseSubdirs = e.useSubdirs;
    s.CurrentCaseConversion = e.caseConversion;
}

bool RefreshCurrentSupplier(Session& s) {
    if (s.suppliers.file().empty()) return false;
    const int version = s.DnVersion;
    const std::string caption = s.caption;
    s.suppliers.load(s.masterDataDir());
    ReadCurrentSupplier(s);
    return s.DnVersion != version || s.caption != caption;
}

void SetCurrentSupplier(Session& s, int number) {
    writeCurrentSupplierNumber(s.masterDataDir(), number);
    applySupplier(s, number);
}

std::vector<std::string> supplierListLines(const Session& s) {
    std::vector<std::string> lines;
    for (int n = 1; n <= kMaxSupplier; ++n) {
        std::string num = std::to_string(n);
        num.resize(2, ' ');
        const SupplierEntry& e = s.suppliers.entry(n);
        lines.push_back(num + " " + e.name + "   " + std::string(1, e.letter));
    }
    return lines;
}

int ChooseSupplierFromList(Session& s, int preset, bool large) {
    ListRequest req;
    if (large) {
        req.title = "Wechsel des aktuellen Lieferanten";
        req.explanation = {
            "Alle Funktionen zu Erfassung von Rabattgruppen, Übernahme von Artikeln,... werden "
            "jeweils nur für einen ausgewählten Lieferanten durchgeführt. Mit dieser Funktion "
            "wählen Sie jeweils den aktuellen Lieferanten aus Ihrem Lieferantenstamm."};
    } else {
        req.title = "Liste der Lieferanten";
    }
    req.lines = supplierListLines(s);
    req.selected = preset >= 1 && preset <= kMaxSupplier ? preset - 1 : 0;
    ListResult r = s.ui.chooseFromList(req);
    if (!r.ok || r.selected < 0 || r.selected >= kMaxSupplier) return preset;
    return r.selected + 1;
}

bool ChangeSupplierByList(Session& s) {
    const int before = s.CurrentSupplier;
    const int chosen = ChooseSupplierFromList(s, before, true);
    // On cancel the same number is written again.
    SetCurrentSupplier(s, chosen);
    return chosen != before;
}

void RecordMaintenanceDate(Session& s, const std::string& ddmmyy) {
    SupplierRecord r = s.suppliers.readRecord(s.CurrentSupplier);
    if (r.addMaintenanceDate(ddmmyy)) s.suppliers.writeRecord(s.CurrentSupplier, r);
}

std::string CurrentSupplierDisplayLine(const Session& s) {
    return SupplierDisplayLine(s.CurrentSupplier, s.suppliers.entry(s.CurrentSupplier));
}

}  // namespace dn
