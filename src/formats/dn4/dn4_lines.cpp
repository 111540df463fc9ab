#include "formats/dn4/dn4_lines.h"

#include "formats/dn4/dn4_layout.h"

namespace dn::dn4 {
namespace {

std::string openFailed(const std::filesystem::path& file, int) {
    return "Datei kann nicht geöffnet werden: " + file.string();
}

std::string readFailed(const std::filesystem::path& file, int) {
    return "Lesefehler in Datei: " + file.string();
}

}  // namespace

const LineReaderOptions kLineOptions{
    .fieldsNeeded = Dn4FieldsNeeded,
    .openFailed = openFailed,
    .readFailed = readFailed,
    .raiseTooLong = nullptr,  // an IoError ends the file
};

}  // namespace dn::dn4
