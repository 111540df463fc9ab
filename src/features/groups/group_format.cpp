#include "features/groups/group_format.h"

#include <cstdio>

#include "host/codepage.h"

namespace dn {

std::string padGroupText(std::string_view text, std::size_t n) {
    std::string s = utf8Left(text, n);
    const std::size_t len = utf8Length(s);
    if (len < n) s.append(n - len, ' ');
    return s;
}

std::string padGroupTextMin(std::string_view text, std::size_t n) {
    std::string s(text);
    const std::size_t len = utf8Length(s);
    if (len < n) s.append(n - len, ' ');
    return s;
}

std::string groupNumberText(double value, int width, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, value);
    return buf;
}

std::string trimGroupText(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string codeOfKey(std::string_view key, std::string_view prefix, std::size_t n) {
    if (key.substr(0, prefix.size()) != prefix) return {};
    return utf8Left(key.substr(prefix.size()), n);
}

std::string discountKindText(const std::string& kennung) {
    if (kennung == "1") return "Rabatt";
    if (kennung == "2") return "Multi";
    if (kennung == "3") return "Teuerung";
    return {};
}

std::string discountPrintLine(const DiscountGroupRecord& g, std::string_view prefix) {
    return padGroupTextMin(codeOfKey(g.key, prefix, 4), 5) + " " + padGroupText(g.bezeichnung, 40) +
           "  " + (g.kennung == "1" ? "RABATT " : "MULTI  ") + groupNumberText(g.wert, 10, 3);
}

std::string discountPickerLine(const DiscountGroupRecord& g) {
    return padGroupTextMin(g.key, 8) + padGroupTextMin(g.bezeichnung, 42) +
           padGroupTextMin(discountKindText(g.kennung), 8) + groupNumberText(g.wert, 8, 3);
}

std::string discountGridLine(const DiscountGroupRecord& g) {
    return g.key + "\t" + g.bezeichnung + "\t" + discountKindText(g.kennung) + "\t" +
           groupNumberText(g.wert, 0, 3);
}

std::string productPrintLine(const ProductGroupRecord& g) {
    return padGroupTextMin(g.key, 18) + "   " + g.bezeichnung;
}

std::string productPickerLine(const ProductGroupRecord& g) {
    return padGroupTextMin(g.key, 18) + g.bezeichnung;
}

std::string productGridLine(const ProductGroupRecord& g) {
    return g.key + "\t" + g.bezeichnung;
}

}  // namespace dn
