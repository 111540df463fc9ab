#include "formats/dn4/dn4_numbers.h"

#include "common/currency.h"
#include "formats/dn4/dn4_fields.h"
#include "formats/dn4/dn4_layout.h"

namespace dn {
namespace {

constexpr std::string_view kPriced = "3|4";           // Z: the amount is a price
constexpr std::string_view kDiscountFlags = "1|2|3";  // P: the value is a number, not a group

constexpr NumberField kNumberFields[] = {
    // A: price.
    {'A', "", 10},
    // B: metal number, metal weight, article kind, quantity per price.
    {'B', "", 8},
    {'B', "", 9},
    {'B', "", 13},
    {'B', "", 14},
    // C: metal weight and base, working time.
    {'C', "WERKSTOFF-1", 5},
    {'C', "WERKSTOFF-1", 7},
    {'C', "ARBEIT-1", 7},
    // Z: the amounts converted by the currency rule, the copper values.
    {'Z', "1", 9},
    {'Z', "2", 9, 8, kPriced},
    {'Z', "3", 8, 7, kPriced},
    {'Z', "3", 9},
    {'Z', "3", 10},
    {'Z', "4", 7},
    {'Z', "4", 8, 6, "CU"},
    {'Z', "4", 9, 6, "CU"},
    {'Z', "4", 10, 6, "CU"},
    {'Z', "5", 8, 7, kPriced},
    {'Z', "6", 9},
    {'Z', "6", 10},
    {'Z', "6", 11},
    // P: the price and the discount values of the three article blocks.
    {'P', "", 5},
    {'P', "", 7, 6, kDiscountFlags},
    {'P', "", 9, 8, kDiscountFlags},
    {'P', "", 11, 10, kDiscountFlags},
    {'P', "", 14},
    {'P', "", 16, 15, kDiscountFlags},
    {'P', "", 18, 17, kDiscountFlags},
    {'P', "", 20, 19, kDiscountFlags},
    {'P', "", 23},
    {'P', "", 25, 24, kDiscountFlags},
    {'P', "", 27, 26, kDiscountFlags},
    {'P', "", 29, 28, kDiscountFlags},
    // R: the value of a discount or a multiplier.
    {'R', "", 5, 4, "1|2"},
};

// Lines of the other letters are passed at once: most lines of a file are
// texts.
constexpr NumberLetters kLetters(kNumberFields);

std::string_view trimmed(std::string_view s) {
    auto pad = [](char c) { return c == ' ' || c == '\0'; };
    while (!s.empty() && pad(s.front())) s.remove_prefix(1);
    while (!s.empty() && pad(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::span<const NumberField> Dn4NumberFields() {
    return kNumberFields;
}

std::optional<FieldFault> Dn4NumberFault(const std::vector<std::string_view>& fields) {
    const std::string_view letterField = FieldOf(fields, 1);
    if (letterField.empty() || !kLetters.has(letterField.front())) return std::nullopt;
    const char letter = letterField.front();
    const int subtypeField = Dn4SubtypeField(letter);
    const std::string_view subtype =
        subtypeField == 0 ? std::string_view{} : trimmed(FieldOf(fields, subtypeField));
    for (const auto& nf : kNumberFields) {
        if (nf.letter != letter || (!nf.subtype.empty() && nf.subtype != subtype)) continue;
        if (nf.whenField != 0 && !IsOneOf(trimmed(FieldOf(fields, nf.whenField)), nf.when))
            continue;
        const std::string_view text = FieldOf(fields, nf.field);
        if (trimmed(text).empty() || WholeNumber(text)) continue;
        return FieldFault{0, letter, nf.field, std::string(text)};
    }
    return std::nullopt;
}

}  // namespace dn
