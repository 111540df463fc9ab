#pragma once
// Small text helpers of the DATANORM 4 imports (UTF-8 unless named CP850).

#include <string>
#include <string_view>

#include "host/codepage.h"

namespace dn {

// Cut or padded with blanks to exactly n characters.
inline std::string padUtf8(std::string_view text, std::size_t n) {
    std::string s = utf8Left(text, n);
    s.append(n - utf8Length(s), ' ');
    return s;
}

inline std::string trimBlanks4(std::string_view s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

}  // namespace dn
