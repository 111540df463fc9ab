#include "cli/cli_app.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <set>

#include "cli/cli_commands.h"
#include "cli/cli_messages.h"
#include "cli/console_host.h"
#include "common/session.h"
#include "features/setup/startup.h"
#include "host/errors.h"
#include "shared/exit_codes.h"
#include "shared/library_versions.h"

namespace dn::cli {
namespace {

const std::set<std::string> kSubcommands = {"commands", "run",  "supplier", "current", "settings",
                                            "log",      "info", "articles", "groups"};

// Before the subcommand, every argument that is not one of our options is
// a start parameter of the module ("/KA", "/CU", "EGEMA", "ok"); the set-up
// takes the switches among them and ignores the others.
bool isStartParameter(const std::string& a) {
    return !a.empty() && a[0] != '-';
}

// Parses "TAG=VALUE" or "DIALOG:TAG=VALUE" into the console options.
void parseSet(const std::string& text, ConsoleOptions& console) {
    auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0)
        throw CLI::ValidationError("--set", "TAG=VALUE erwartet: " + text);
    std::string tag = text.substr(0, eq), dialog;
    if (auto colon = tag.find(':'); colon != std::string::npos) {
        dialog = tag.substr(0, colon);
        tag = tag.substr(colon + 1);
    }
    int number = 0;
    try {
        std::size_t used = 0;
        number = std::stoi(tag, &used);
        if (used != tag.size()) throw std::invalid_argument(tag);
    } catch (const std::exception&) {
        throw CLI::ValidationError("--set", "TAG ist keine Zahl: " + text);
    }
    if (dialog.empty())
        console.sets.emplace_back(number, text.substr(eq + 1));
    else
        console.dialogSets[dialog].emplace_back(number, text.substr(eq + 1));
}

// Output that did not reach its file (a full disk, a closed pipe) is a
// failure of the command, whatever it reported before.
int checkedOutput(int code) {
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout)) return code;
    std::cerr << "Fehler beim Schreiben der Ausgabe: " << std::strerror(errno) << std::endl;
    return code == kExitDone ? kExitFailed : code;
}

}  // namespace

int runCli(int argc, char** argv) {
    std::vector<std::string> switches, rest;
    bool inSubcommand = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (!inSubcommand && kSubcommands.count(a)) inSubcommand = true;
        if (!inSubcommand && isStartParameter(a)) {
            switches.push_back(a);
            continue;
        }
        rest.push_back(a);
        if (!inSubcommand && a == "--home" && i + 1 < argc) rest.push_back(argv[++i]);
    }

    CLI::App app{"DATANORM-Schnittstelle zu TORVALO", "datanorm"};
    useGermanTexts(app);
    app.footer(
        "SWITCH: /KA, /CU, EGEMA oder ok vor dem Unterbefehl.\n"
        "Exit: 0 erledigt, 1 Fehler, 2 Aufruf, 3 abgebrochen, 4 Datenbankfehler,\n"
        "      5 noch nicht verfügbar, 6 für diese Version ohne Funktion, 7 keine Berechtigung");
    app.require_subcommand(1);
    std::string home;
    bool yes = false, no = false, progress = false;
    app.add_option("--home", home, "Verzeichnis der TORVALO-Konfiguration");
    app.add_flag("--progress", progress, "Fortschritt ohne Terminal zeilenweise auf stderr");
    app.add_flag("--yes", yes, "alle Ja/Nein-Fragen mit Ja beantworten");
    app.add_flag("--no", no, "alle Ja/Nein-Fragen mit Nein beantworten");

    CliRequest req;
    auto* commands = app.add_subcommand("commands", "die Befehlstabelle mit Sichtbarkeit");
    auto* run = app.add_subcommand("run", "Befehl N ausführen");
    std::vector<std::string> sets;
    run->add_option("number", req.number, "Befehlsnummer")->required();
    run->add_option("--set", sets, "Dialogfeld TAG=VALUE");
    run->add_option("--press", req.console.presses, "Schaltfläche des Dialogs drücken");
    run->add_option("--file", req.console.files, "gewählte Datei(en)");
    run->add_option("--pick", req.console.picks, "Zeile einer Liste wählen (ab 1)");
    run->add_option("--dir", req.console.directories, "gewähltes Verzeichnis");
    run->add_option("--protocol", req.console.protocol, "Protokoll in Datei (oder - für stdout)");

    auto* supplier = app.add_subcommand("supplier", "Lieferanten");
    supplier->require_subcommand(1);
    supplier->add_subcommand("list", "alle Lieferanten");
    auto* show = supplier->add_subcommand("show", "einen Lieferanten zeigen");
    show->add_option("number", req.number)->required();
    auto* edit = supplier->add_subcommand("edit", "einen Lieferanten erfassen oder ändern");
    edit->add_option("number", req.number)->required();
    std::map<int, std::string> editValues;
    std::map<int, CLI::Option*> editOptions;
    for (const auto& [name, tag] : supplierEditOptions())
        editOptions[tag] = edit->add_option("--" + name, editValues[tag]);

    auto* current = app.add_subcommand("current", "aktuellen Lieferanten zeigen oder setzen");
    current->add_option("number", req.number);
    auto* settings = app.add_subcommand("settings", "Einstellungen von datanorm.ini");
    settings->add_option("assignments", req.assignments, "NAME=VALUE");
    auto* log = app.add_subcommand("log", "Protokoll der Änderungen");
    log->add_flag("--delete", req.deleteLog, "Protokolldatei löschen");
    app.add_subcommand("info", "Systemkonfiguration");
    auto* articles = app.add_subcommand("articles", "Artikel des Stamms ausgeben");
    articles->add_option("--prefix", req.prefix, "Schlüsselpräfix");
    articles->add_option("--format", req.format, "csv oder json")
        ->check(CLI::IsMember({"csv", "json"}));
    auto runGroups = addGroupsSubcommand(app);

    try {
        std::reverse(rest.begin(), rest.end());
        app.parse(rest);
        for (const auto& s : sets) parseSet(s, req.console);
        for (const auto& [tag, option] : editOptions)
            if (option->count() > 0) req.supplierFields.emplace_back(tag, editValues[tag]);
        if (yes && no) throw CLI::ValidationError("--yes/--no", "nur eines von beiden");
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? kExitDone : kExitUsage;
    }
    if (yes) req.console.answer = true;
    if (no) req.console.answer = false;
    req.console.interactive = isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
    req.console.progressTerminal = isatty(STDERR_FILENO);
    req.console.progressLines = progress;
    req.programPath = argv[0];

    if (auto failure = RuntimeVersionCheck(linkedLibraryVersions())) {
        std::cerr << "Fehler: " << *failure << std::endl;
        return kExitFailed;
    }
    try {
        if (supplier->got_subcommand("edit")) prepareSupplierEdit(req);
    } catch (const InputError& e) {
        std::cerr << e.what() << std::endl;
        return kExitUsage;
    }

    ConsoleHost host(req.console);
    installEscapeHandler();
    Session session(host);
    try {
        Setup(session, home, switches);
        if (commands->parsed()) return checkedOutput(listCommands(session));
        if (run->parsed()) return checkedOutput(runCommand(session, host, req));
        if (supplier->got_subcommand("list")) return checkedOutput(listSuppliers(session));
        if (supplier->got_subcommand("show"))
            return checkedOutput(showSupplier(session, req.number));
        if (supplier->got_subcommand("edit")) return checkedOutput(editSupplier(session, req));
        if (current->parsed()) return checkedOutput(currentSupplier(session, req));
        if (settings->parsed()) return checkedOutput(changeSettings(session, req));
        if (log->parsed()) return checkedOutput(showLog(session, req));
        if (app.got_subcommand("info")) return checkedOutput(showInfo(session, req));
        if (articles->parsed()) return checkedOutput(exportArticleList(session, req));
        if (app.got_subcommand("groups")) return checkedOutput(runGroups(session));
    } catch (const std::exception& e) {
        host.meldung(e.what());
        return exitCodeForError(e);
    }
    return kExitUsage;
}

}  // namespace dn::cli
