#include "host/control_chars.h"

#include <cstdio>

namespace dn {
namespace {

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
        } else if (c == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            out += hexEscape("\\u%04X", static_cast<unsigned char>(utf8[i + 1]));
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace dn
