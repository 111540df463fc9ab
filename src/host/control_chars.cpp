#include "host/control_chars.h"

#include <cstdio>

#include "host/errors.h"

namespace dn {
namespace {

// A C1 control (U+0080 to U+009F: 0xC2 0x80..0x9F) begins at `i`.
bool c1At(std::string_view utf8, std::size_t i) {
    if (static_cast<unsigned char>(utf8[i]) != 0xC2 || i + 1 >= utf8.size()) return false;
    const auto next = static_cast<unsigned char>(utf8[i + 1]);
    return next >= 0x80 && next <= 0x9F;
}

// "\x1B" for a control byte, "\u009B" for a C1 control.
std::string hexEscape(const char* form, unsigned code) {
    char buf[8];
    std::snprintf(buf, sizeof buf, form, code);
    return buf;
}

}  // namespace

std::string EscapeControls(std::string_view utf8, LineBreaks breaks) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c == '\r' || c == '\n') && breaks == LineBreaks::Keep) {
            out += '\n';
        } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
            out += hexEscape("\\x%02X", c);
        } else if (c1At(utf8, i)) {
            out += hexEscape("\\u%04X", static_cast<unsigned char>(utf8[i + 1]));
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool hasControlCharacter(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F || c1At(utf8, i)) return true;
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
