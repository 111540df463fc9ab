// Key rules of the store: trailing blanks do not count, leading blanks do.

#include <string>

#include "host/store.h"

namespace dn {

std::string storeKey(std::string_view key) {
    const auto end = key.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(key.substr(0, end + 1));
}

KeyRange KeyRange::prefix(std::string_view p) {
    KeyRange r;
    if (p.empty()) return r;
    r.from = std::string(p);
    // Stored keys are UTF-8, where the byte 0xFF never occurs: every key
    // beginning with the prefix sorts below prefix + 0xFF.
    r.to = r.from + '\xff';
    r.bounded = true;
    r.byPrefix = true;
    return r;
}

KeyRange KeyRange::between(std::string_view from, std::string_view to) {
    KeyRange r;
    r.from = storeKey(from);
    r.to = storeKey(to);
    r.bounded = true;
    return r;
}

bool KeyRange::contains(std::string_view key) const {
    if (!bounded) return true;
    if (key < std::string_view(from)) return false;
    return byPrefix ? key < std::string_view(to) : key <= std::string_view(to);
}

}  // namespace dn
