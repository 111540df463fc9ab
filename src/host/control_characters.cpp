#include "host/control_characters.h"

#include "host/errors.h"

namespace dn {

bool hasControlCharacter(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F) return true;
        // U+0080..U+009F are 0xC2 0x80..0x9F.
        if (c == 0xC2 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9F) return true;
        }
    }
    return false;
}

void refuseControlCharacters(std::string_view utf8, const std::string& what,
                             const std::filesystem::path& file) {
    if (!hasControlCharacter(utf8)) return;
    throw InputError(what +
                     " enthält ein Steuerzeichen (z. B. einen Zeilenumbruch) und wird nicht in " +
                     file.string() + " geschrieben.");
}

}  // namespace dn
