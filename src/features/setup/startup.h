#pragma once
// Start-up: the check of the libraries the program links, and the one-time
// set-up of the session (host configuration, settings, supplier table,
// current supplier, command-line switches).

#include <optional>
#include <string>
#include <vector>

namespace dn {

struct Session;

struct LibraryVersion {
    std::string name;
    std::string built;    // version the program was compiled against
    std::string running;  // version found at run time; empty = not found
};

// The check of the runtime libraries: the versions of the linked libraries,
// as the front end lists them, against the versions the program was built
// with. Returns the message of the first failure ("Datei \"...\"
// nicht gefunden!", "Fehler bei Versionsprüfung ...", "Falsche Version der
// Datei: ...").
std::optional<std::string> RuntimeVersionCheck(const std::vector<LibraryVersion>& libraries);

// The set-up of the first activation, in its order. `home` is the --home
// option (empty: $TORVALO_HOME or the per-user default); `args` are the
// command-line parameters ("/KA", "/CU", "EGEMA", "ok", others ignored).
void Setup(Session& s, const std::string& home, const std::vector<std::string>& args);

// The command-line switches alone (set-up step 8).
void evaluateCommandLine(Session& s, const std::vector<std::string>& args);

}  // namespace dn
