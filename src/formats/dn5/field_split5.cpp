#include "formats/dn5/field_split5.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "host/codepage.h"

namespace dn::dn5 {

std::string_view fieldOf(std::string_view line, int n) {
    if (n < 1) return {};
    // The line is read as if a ";" stood before it: field n begins after the
    // (n-1)-th ";" of the line itself.
    std::size_t begin = 0;
    for (int k = 1; k < n; ++k) {
        const auto sep = line.find(';', begin);
        if (sep == std::string_view::npos) return {};
        begin = sep + 1;
    }
    const auto end = line.find(';', begin);
    return line.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

std::optional<double> parseNumber(std::string_view text) {
    text = trim(text);
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Digits gathered as one whole number and scaled once, so that "8.94"
    // gives the same double as the literal 8.94.
    double mantissa = 0.0;
    int decimals = 0;
    bool digits = false;
    bool separator = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
            mantissa = mantissa * 10.0 + (c - '0');
            if (separator) ++decimals;
        } else if (c == '.' && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    const double value = decimals == 0 ? mantissa : mantissa / std::pow(10.0, decimals);
    return negative ? -value : value;
}

std::int32_t roundToInt32(double value) {
    const double r = std::round(value);
    if (r >= static_cast<double>(INT32_MAX)) return INT32_MAX;
    if (r <= static_cast<double>(INT32_MIN)) return INT32_MIN;
    return static_cast<std::int32_t>(r);
}

std::int32_t integerOf(std::string_view text) {
    return roundToInt32(parseNumber(text).value_or(0.0));
}

std::string utf8Of(std::string_view cp850) {
    const bool ascii = std::all_of(cp850.begin(), cp850.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? std::string(cp850) : cp850ToUtf8(cp850);
}

}  // namespace dn::dn5
