#include "host/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "host/errors.h"

namespace dn {

void requirePlainFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec))
        throw IoError("Fehler beim Lesen von " + file.string() +
                      ": das ist ein Verzeichnis, keine Datei");
}

std::string readFileBytes(const std::filesystem::path& file) {
    requirePlainFile(file);
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) throw IoError("Fehler beim Lesen von " + file.string() + ": " + std::strerror(errno));
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad())
        throw IoError("Fehler beim Lesen von " + file.string() + ": " + std::strerror(errno));
    return bytes;
}

}  // namespace dn
