#include "cli/cli_messages.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <regex>
#include <vector>

namespace dn::cli {
namespace {

struct Translation {
    std::regex english;
    const char* german;  // format of std::regex_replace: $1, $2 ...
};

// The messages CLI11 raises for our options, each with its German form.
const std::vector<Translation>& translations() {
    static const std::vector<Translation> table = {
        {std::regex("^A subcommand is required$"), "Ein Unterbefehl fehlt."},
        {std::regex("^Requires at least (\\d+) subcommands$"),
         "Es fehlen Unterbefehle (mindestens $1)."},
        {std::regex("^(.*) is required$"), "Angabe fehlt: $1"},
        {std::regex("^Could not convert: (.*) = (.*)$"), "Kein gültiger Wert für $1: $2"},
        {std::regex("^The value (.*) is not an allowed value for (.*)$"),
         "$1 ist für $2 nicht erlaubt."},
        {std::regex("^The following arguments? (?:was|were) not expected: (.*)$"),
         "Unerwartete Angabe: $1"},
        {std::regex("^(.*): (\\d+) required (.*) missing$"), "$1: Wert fehlt."},
        {std::regex("^Expected exactly (\\d+) arguments? to (.*), got (\\d+)$"),
         "$2 erwartet genau $1 Wert(e), angegeben sind $3."},
        {std::regex("^Expected at least (\\d+) arguments? to (.*), got (\\d+)$"),
         "$2 erwartet mindestens $1 Wert(e), angegeben sind $3."},
        {std::regex("^(.*): Value (.*) not in \\{(.*)\\}$"), "$1: $2 ist nicht eine von $3."},
        {std::regex("^(.*): (.*) not in \\{(.*)\\}$"), "$1: $2 ist nicht eine von $3."},
        {std::regex("^(.*): too many inputs for a flag$"), "$1: ein Schalter nimmt keinen Wert."},
        {std::regex("^(.*) excludes (.*)$"), "$1 schließt $2 aus."},
        {std::regex("^(.*) requires (.*)$"), "$1 verlangt $2."},
    };
    return table;
}

}  // namespace

std::string germanParseError(const CLI::Error& e) {
    const std::string text = e.what();
    for (const auto& t : translations())
        if (std::regex_match(text, t.english)) return std::regex_replace(text, t.english, t.german);
    // Our own validation messages are German already.
    return text;
}

void useGermanTexts(CLI::App& app) {
    app.option_defaults()->group("Optionen");
    app.group("Unterbefehle");
    app.set_help_flag("-h,--help", "diese Hilfe zeigen");
    auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("Usage", "Aufruf");
    formatter->label("OPTIONS", "OPTIONEN");
    formatter->label("SUBCOMMAND", "UNTERBEFEHL");
    formatter->label("SUBCOMMANDS", "UNTERBEFEHLE");
    formatter->label("Positionals", "Argumente");
    formatter->label("REQUIRED", "PFLICHT");
    formatter->label("TEXT", "TEXT");
    formatter->label("INT", "ZAHL");
    formatter->label("Needs", "Braucht");
    formatter->label("Excludes", "Schließt aus");
    app.formatter(formatter);
    app.failure_message([](const CLI::App*, const CLI::Error& e) {
        return germanParseError(e) + "\nMehr dazu mit --help.\n";
    });
}

}  // namespace dn::cli
