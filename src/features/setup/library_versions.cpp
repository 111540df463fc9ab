// The versions of the libraries the program links, compared with those it
// was built with: the program's stand-in for the file-version check of the
// runtime libraries.

#include <curl/curl.h>
#include <libxml/parser.h>
#include <libxml/xmlversion.h>
#include <sqlite3.h>
#include <zip.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>

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

std::string libxmlVersion() {
    // The library reports its version as one number: major*10000+minor*100+patch.
    const int n = std::atoi(xmlParserVersion);
    return std::to_string(n / 10000) + "." + std::to_string(n / 100 % 100) + "." +
           std::to_string(n % 100);
}

}  // namespace

std::vector<LibraryVersion> linkedLibraryVersions() {
    const curl_version_info_data* curl = curl_version_info(CURLVERSION_NOW);
    return {
        {"libsqlite3", SQLITE_VERSION, sqlite3_libversion() ? sqlite3_libversion() : ""},
        {"libcurl", LIBCURL_VERSION, curl && curl->version ? curl->version : ""},
        {"libxml2", LIBXML_DOTTED_VERSION, libxmlVersion()},
        {"libz", ZLIB_VERSION, zlibVersion() ? zlibVersion() : ""},
        {"libzip", LIBZIP_VERSION, zip_libzip_version() ? zip_libzip_version() : ""},
    };
}

std::optional<std::string> RuntimeVersionCheck() {
    for (const auto& lib : linkedLibraryVersions()) {
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
