#include "common/currency.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "host/amounts.h"

namespace dn {
namespace {

std::string_view trimField(std::string_view s) {
    auto isPad = [](char c) { return c == ' ' || c == '\0'; };
    while (!s.empty() && isPad(s.front())) s.remove_prefix(1);
    while (!s.empty() && isPad(s.back())) s.remove_suffix(1);
    return s;
}

// Whole numbers with an optional sign; anything else is no number.
std::optional<long long> parseWhole(std::string_view s) {
    s = trimField(s);
    if (s.empty()) return std::nullopt;
    if (s.front() == '+') s.remove_prefix(1);
    long long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

}  // namespace

bool currencyIsEuro(std::string_view currencyCode) {
    return currencyCode == "EUR";
}

bool ConvertCurrency(double& amount, bool euroIsBase, bool fileInEuro) {
    if (!euroIsBase && fileInEuro) {
        amount *= kDmPerEuro;
        return true;
    }
    if (euroIsBase && !fileInEuro) {
        amount /= kDmPerEuro;
        return true;
    }
    return false;
}

bool ConvertAmountField(std::span<char> field, bool euroIsBase, bool fileInEuro) {
    if (field.empty() || field[0] == '\0') return false;
    auto whole = parseWhole(std::string_view(field.data(), field.size()));
    if (!whole) return false;
    double amount = static_cast<double>(*whole);
    if (!ConvertCurrency(amount, euroIsBase, fileInEuro)) return false;
    // Whole cents, half away from zero.
    auto rounded = static_cast<long long>(std::llround(amount));
    std::string digits = std::to_string(rounded);
    if (digits.size() > field.size()) return false;
    std::fill(field.begin(), field.end(), ' ');
    std::copy(digits.begin(), digits.end(),
              field.end() - static_cast<std::ptrdiff_t>(digits.size()));
    return true;
}

int PriceUnitFactor(char code) {
    switch (code) {
        case '1':
            return 10;
        case '2':
            return 100;
        case '3':
            return 1000;
        default:
            return 1;
    }
}

std::optional<long long> WholeNumber(std::string_view field) {
    return parseWhole(field);
}

double fieldNumber(std::string_view field) {
    auto v = parseWhole(field);
    return v ? static_cast<double>(*v) : 0.0;
}

}  // namespace dn
