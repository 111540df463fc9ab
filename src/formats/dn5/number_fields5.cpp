#include "formats/dn5/number_fields5.h"

#include <array>

#include "formats/dn5/field_split5.h"
#include "formats/dn5/record_layout5.h"

namespace dn {

namespace {

constexpr NumberField kNumberFields[] = {
    // A: price unit, price, and the numeric attributes.
    {'A', "", 8},
    {'A', "", 9},
    {'A', "", 21},
    {'A', "", 25},
    {'A', "", 29},
    // C: metal base and surcharge, calculation factor, minutes.
    {'C', "WST1", 6},
    {'C', "WST1", 8},
    {'C', "WST2", 6},
    {'C', "ARBA", 7},
    {'C', "ARBS", 7},
    // Z: the amounts that are normalized, and the copper values.
    {'Z', "1", 12, 8, "1|2"},
    {'Z', "2", 11, 7, "2"},
    {'Z', "2", 12},
    {'Z', "2", 13},
    {'Z', "3", 9},
    {'Z', "3", 8, 6, "CU"},
    {'Z', "3", 10, 6, "CU"},
    {'Z', "3", 11, 6, "CU"},
    {'Z', "3", 12, 6, "CU"},
    // P: price unit, price, the three discount values.
    {'P', "", 4},
    {'P', "", 5},
    {'P', "", 8},
    {'P', "", 10},
    {'P', "", 12},
    // R: the discount value.
    {'R', "", 4},
};

// Lines of the other letters are passed at once: most lines of a file are
// texts.
constexpr NumberLetters kLetters(kNumberFields);

}  // namespace

std::span<const NumberField> NumberFields5() {
    return kNumberFields;
}

std::optional<FieldFault> NumberFault5(std::string_view line) {
    if (line.empty() || !kLetters.has(line.front())) return std::nullopt;
    const char letter = line.front();
    constexpr int kFields = 30;
    std::array<std::string_view, kFields> f{};
    std::size_t pos = 0;
    for (int n = 1; n < kFields && pos <= line.size(); ++n) {
        const std::size_t end = line.find(';', pos);
        f[n] = line.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? line.size() + 1 : end + 1;
    }
    const int subtypeField = SubtypeField5(letter);
    const std::string_view subtype =
        subtypeField == 0 ? std::string_view{} : dn5::trim(f[subtypeField]);
    for (const auto& nf : kNumberFields) {
        if (nf.letter != letter || (!nf.subtype.empty() && nf.subtype != subtype)) continue;
        if (nf.whenField != 0 && !IsOneOf(dn5::trim(f[nf.whenField]), nf.when)) continue;
        const std::string_view text = f[nf.field];
        if (dn5::trim(text).empty() || dn5::parseNumber(text)) continue;
        return FieldFault{0, letter, nf.field, std::string(text)};
    }
    return std::nullopt;
}

}  // namespace dn
