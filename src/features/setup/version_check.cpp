// The check of the runtime libraries at start-up: the versions of the
// libraries the program links, compared with those it was built with. The
// front end names the libraries and their versions.

#include <cstdio>

#include "features/setup/startup.h"

namespace dn {
namespace {

struct Version {
    int major = 0, minor = 0, patch = 0;
};

Version parse(const std::string& text) {
    Version v;
    std::sscanf(text.c_str(), "%d.%d.%d", &v.major, &v.minor, &v.patch);
    return v;
}

}  // namespace

std::optional<std::string> RuntimeVersionCheck(const std::vector<LibraryVersion>& libraries) {
    for (const auto& lib : libraries) {
        if (lib.running.empty()) return "Datei \"" + lib.name + "\" nicht gefunden!";
        const Version built = parse(lib.built), running = parse(lib.running);
        if (built.major == 0 && built.minor == 0)
            return "Fehler bei Versionsprüfung \"" + lib.name + "\"!\nFehler: 0";
        // The same major version, and not older than at build time.
        const bool older = running.minor < built.minor ||
                           (running.minor == built.minor && running.patch < built.patch);
        if (running.major != built.major || older) return "Falsche Version der Datei: " + lib.name;
    }
    return std::nullopt;
}

}  // namespace dn
