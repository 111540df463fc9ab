#include "cli/cli_commands.h"

#include <iomanip>
#include <iostream>

#include "common/change_log.h"
#include "common/command_table.h"
#include "common/current_supplier.h"
#include "common/session.h"
#include "features/setup/info_page.h"
#include "features/setup/settings_dialogs.h"
#include "features/setup/supplier_dialog.h"
#include "host/article_export.h"
#include "host/control_chars.h"
#include "host/day_number.h"
#include "host/errors.h"
#include "routes/command_routes.h"
#include "shared/exit_codes.h"
#include "shared/library_versions.h"

namespace dn::cli {
namespace {

const char* versionName(int dnVersion) {
    switch (dnVersion) {
        case 0:
            return "DATANORM 3";
        case 2:
            return "DATANORM 5";
        default:
            return "DATANORM 4";
    }
}

std::string dateText(const std::string& ddmmyy) {
    auto d = parseDdmmyy(ddmmyy);
    return d ? formatDotted(*d) : std::string();
}

}  // namespace

const std::vector<std::pair<std::string, int>>& supplierEditOptions() {
    static const std::vector<std::pair<std::string, int>> options = {
        {"name", kSupName},
        {"salutation", kSupSalutation},
        {"address-name", kSupAddressName},
        {"title", kSupTitle},
        {"street", kSupStreet},
        {"town", kSupTown},
        {"customer", kSupCustomer},
        {"version", kSupVersion},
        {"letter", kSupLetter},
        {"path", kSupPath},
        {"subdirs", kSupSubdirs},
        {"case", kSupCase},
        {"shk", kSupShk}};
    return options;
}

bool deniedRight(Session& s, int number) {
    if (userMayRun(s, number)) return false;
    std::cerr << "Keine Berechtigung für Befehl " << number << "." << std::endl;
    return true;
}

void prepareSupplierEdit(CliRequest& req) {
    if (req.number < 1 || req.number > kMaxSupplier)
        throw InputError("Lieferantennummer " + std::to_string(req.number) + " außerhalb 1 bis 99");
    auto& sets = req.console.sets;
    sets.clear();
    sets.emplace_back(kSupNumber, std::to_string(req.number));
    for (auto [tag, value] : req.supplierFields) {
        if (tag == kSupVersion) {
            if (value != "3" && value != "4" && value != "5")
                throw InputError("--version nimmt 3, 4 oder 5, nicht \"" + value + "\"");
            value = std::to_string(value[0] - '3');
        }
        // The dialog would turn any other key into a blank; a script is told.
        if (tag == kSupLetter && !value.empty() && value != " " &&
            (value.size() != 1 || !isValidSupplierLetter(value[0])))
            throw InputError(
                "\"" + value +
                "\" ist kein gültiger Kennbuchstabe (ein Buchstabe A bis Z ohne L oder a bis z "
                "ohne f, g, l, s).");
        sets.emplace_back(tag, value);
    }
    // Save (back to number entry), then end the dialog.
    req.console.presses = {kEndSave, kEndSave};
}

int listCommands(Session& s) {
    std::cout << s.caption << " (" << versionName(s.DnVersion) << ")\n";
    for (const auto& c : commandTable()) {
        const bool visible = commandVisible(c.number, s.DnVersion);
        std::string path = plainCaption(c.menu);
        if (!c.submenu.empty()) path += " / " + plainCaption(c.submenu);
        std::cout << std::setw(4) << c.number << (visible ? "   " : " - ")
                  << (path.empty() ? "" : path + " / ") << plainCaption(c.caption) << '\n';
    }
    return kExitDone;
}

int runCommand(Session& s, ConsoleHost& host, const CliRequest& req) {
    const CommandInfo* info = findCommand(req.number);
    if (!info) {
        std::cerr << "Befehl " << req.number << " gibt es nicht (siehe 'datanorm commands')."
                  << std::endl;
        return kExitUsage;
    }
    Dispatcher dispatcher(s, makeCommandRoutes());
    const CommandOutcome outcome = dispatcher.dispatch(req.number);
    if (outcome == CommandOutcome::NotForVersion)
        std::cerr << "Befehl " << req.number << " \"" << plainCaption(info->caption)
                  << "\" ist für " << versionName(s.DnVersion) << " ohne Funktion." << std::endl;
    if (outcome == CommandOutcome::Refused)
        std::cerr << "Keine Berechtigung für Befehl " << req.number << "." << std::endl;
    if (!req.console.sets.empty() && !host.setsUsed() && outcome == CommandOutcome::Done)
        std::cerr << "Hinweis: der Befehl hat keinen Dialog geöffnet; --set wurde nicht verwendet."
                  << std::endl;
    for (const auto& dialog : host.unusedDialogSets())
        std::cerr << "Hinweis: der Dialog " << dialog
                  << " wurde nicht geöffnet; seine --set-Werte wurden "
                  << "nicht verwendet." << std::endl;
    if (!req.console.files.empty() && !host.filesUsed() && outcome == CommandOutcome::Done)
        std::cerr << "Hinweis: der Befehl hat keine Datei gewählt; --file wurde nicht verwendet."
                  << std::endl;
    if (!host.printFailure().empty() && outcome == CommandOutcome::Done) {
        std::cerr << host.printFailure() << std::endl;
        return kExitFailed;
    }
    return exitCodeFor(outcome);
}

int listSuppliers(Session& s) {
    for (int n = 1; n <= kMaxSupplier; ++n) {
        const SupplierEntry& e = s.suppliers.entry(n);
        std::string name = e.name;
        std::cout << std::setw(2) << n << "  " << std::left << std::setw(17) << name << std::right
                  << "  " << e.version << "  " << e.letter << "  " << e.path << '\n';
    }
    return kExitDone;
}

int showSupplier(Session& s, int number) {
    if (number < 1 || number > kMaxSupplier) {
        std::cerr << "Lieferantennummer " << number << " außerhalb 1 bis 99" << std::endl;
        return kExitUsage;
    }
    SupplierRecord r = s.suppliers.readRecord(number);
    std::cout << "Lieferant-Nr.  : " << number << '\n'
              << "Bezeichnung    : " << r.name() << '\n'
              << "Anrede         : " << r.address(SupplierRecord::kSalutation) << '\n'
              << "Name           : " << r.address(SupplierRecord::kAddressName) << '\n'
              << "Titel          : " << r.address(SupplierRecord::kTitle) << '\n'
              << "Straße         : " << r.address(SupplierRecord::kStreet) << '\n'
              << "PLZ / Ort      : " << r.address(SupplierRecord::kTown) << '\n'
              << "Kunden-Nr.     : " << r.customerNumber() << '\n'
              << "Letzte Pflege  : " << dateText(r.maintenanceDate(0)) << ' '
              << dateText(r.maintenanceDate(1)) << ' ' << dateText(r.maintenanceDate(2)) << '\n'
              << "DATANORM       : " << r.version() << '\n'
              << "Kennbuchstabe  : " << r.letter() << '\n'
              << "Dateipfad      : " << r.path() << '\n'
              << "Unterverzeichnisse : " << (r.useSubdirs() ? 1 : 0) << '\n'
              << "Groß-/Kleinbuchstaben : " << (r.caseConversion() ? 1 : 0) << '\n'
              << "SHK-Connect    : " << (r.shkConnect() ? 1 : 0) << '\n'
              << "Präfix         : " << ArticlePrefixFor(number, r.letter()) << '\n';
    return kExitDone;
}

int editSupplier(Session& s, const CliRequest& req) {
    Dispatcher dispatcher(s, makeCommandRoutes());
    const CommandOutcome outcome = dispatcher.dispatch(1);
    if (outcome != CommandOutcome::Done) return exitCodeFor(outcome);
    for (const auto& [tag, value] : req.supplierFields) {
        if (tag != kSupLetter) continue;
        const char wanted = value.empty() ? ' ' : value[0];
        const SupplierEntry& e = s.suppliers.entry(req.number);
        // As the dialog does, a letter another supplier has leaves the
        // record without one; the record is saved all the same.
        if (wanted != ' ' && e.letter != wanted)
            std::cerr << "Kennbuchstabe " << wanted << " hat bereits Lieferant "
                      << s.suppliers.supplierWithLetter(wanted, req.number) << "; Lieferant "
                      << req.number << " wurde ohne Kennbuchstaben gespeichert." << std::endl;
    }
    return showSupplier(s, req.number);
}

int currentSupplier(Session& s, const CliRequest& req) {
    if (req.number != 0) {
        if (req.number < 1 || req.number > kMaxSupplier) {
            std::cerr << "Lieferantennummer " << req.number << " außerhalb 1 bis 99" << std::endl;
            return kExitUsage;
        }
        // The same as "&Wechsel Lieferant".
        if (deniedRight(s, 25)) return kExitRefused;
        SetCurrentSupplier(s, req.number);
        ReadCurrentSupplier(s);
    }
    std::cout << CurrentSupplierDisplayLine(s) << '\n'
              << "Version: " << versionName(s.DnVersion) << '\n'
              << "Präfix : " << s.ArticlePrefix << '\n';
    return kExitDone;
}

int showLog(Session& s, const CliRequest& req) {
    if (req.deleteLog) {
        if (deniedRight(s, 64)) return kExitRefused;
        if (!ReadChangeLog(s)) {
            std::cerr << "Keine Protokolldatei gefunden!" << std::endl;
            return kExitDone;
        }
        if (!s.ui.janein("Wollen Sie die gesamte Protokolldatei löschen?")) return kExitCancelled;
        DeleteChangeLog(s);
        return kExitDone;
    }
    auto log = ReadChangeLog(s);
    if (!log) {
        std::cout << "Keine Protokolldatei gefunden!\n";
        return kExitDone;
    }
    // Control characters in a line are shown escaped.
    std::size_t start = 0;
    while (start < log->size()) {
        std::size_t end = log->find("\r\n", start);
        if (end == std::string::npos) end = log->size();
        const std::string_view line = std::string_view(*log).substr(start, end - start);
        std::cout << EscapeControls(line, LineBreaks::Escape) << '\n';
        start = end + 2;
    }
    return kExitDone;
}

int showInfo(Session& s, const CliRequest& req) {
    for (const auto& line : infoPageLines(s, req.programPath, linkedLibraryVersions()))
        std::cout << line << '\n';
    return kExitDone;
}

int exportArticleList(Session& s, const CliRequest& req) {
    exportArticles(s.store(), req.prefix,
                   req.format == "json" ? ExportFormat::Json : ExportFormat::Csv, std::cout);
    return kExitDone;
}

}  // namespace dn::cli
