#include "formats/dn5/line_options5.h"

#include <cstring>

#include "formats/dn5/edatanormfehler.h"
#include "formats/dn5/record_layout5.h"

namespace dn::dn5 {
namespace {

std::string openFailed(const std::filesystem::path& file, int error) {
    return "Datei " + file.string() + " kann nicht geöffnet werden: " + std::strerror(error);
}

std::string readFailed(const std::filesystem::path& file, int error) {
    return "Dateifehler: " + std::to_string(error) + " (" + file.string() + ")";
}

void raiseTooLong(const std::string& message) {
    throw edatanormfehler(message);
}

}  // namespace

const LineReaderOptions kLineOptions{
    .fieldsNeeded = FieldsNeeded5,
    .openFailed = openFailed,
    .readFailed = readFailed,
    .raiseTooLong = raiseTooLong,
};

}  // namespace dn::dn5
