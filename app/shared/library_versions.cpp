#include "shared/library_versions.h"

#include <curl/curl.h>
#include <libxml/parser.h>
#include <libxml/xmlversion.h>
#include <sqlite3.h>
#include <zip.h>
#include <zlib.h>

#include <cstdlib>
#include <string>

namespace dn {
namespace {

std::string libxmlVersion() {
    // The library reports its version as one number: major*10000+minor*100+patch.
    const int n = std::atoi(xmlParserVersion);
    return std::to_string(n / 10000) + "." + std::to_string(n / 100 % 100) + "." +
           std::to_string(n % 100);
}

std::string orEmpty(const char* text) {
    return text ? text : "";
}

}  // namespace

std::vector<LibraryVersion> linkedLibraryVersions() {
    const curl_version_info_data* curl = curl_version_info(CURLVERSION_NOW);
    return {
        {"libsqlite3", SQLITE_VERSION, orEmpty(sqlite3_libversion())},
        {"libcurl", LIBCURL_VERSION, curl ? orEmpty(curl->version) : ""},
        {"libxml2", LIBXML_DOTTED_VERSION, libxmlVersion()},
        {"libz", ZLIB_VERSION, orEmpty(zlibVersion())},
        {"libzip", LIBZIP_VERSION, orEmpty(zip_libzip_version())},
    };
}

}  // namespace dn
