#include "formats/dn5/record_layout5.h"

#include <algorithm>
#include <array>
#include <vector>

#include "formats/dn5/field_split5.h"

namespace dn {

namespace {

// clang-format off
constexpr std::array kLayouts{
    // V header
    FieldLayout5{'V', "", 3, 1, "file kind"},
    FieldLayout5{'V', "", 4, 8, "date yyyymmdd"},
    FieldLayout5{'V', "", 5, 3, "currency"},
    FieldLayout5{'V', "", 6, 40, "data content"},
    FieldLayout5{'V', "", 7, 40, "copyright"},
    FieldLayout5{'V', "", 8, 13, "manufacturer code"},
    // K customer
    FieldLayout5{'K', "", 2, 10, "customer number"},
    // A article
    FieldLayout5{'A', "", 2, 1, "processing flag"},
    FieldLayout5{'A', "", 3, 15, "article number"},
    FieldLayout5{'A', "", 4, 40, "short text 1"},
    FieldLayout5{'A', "", 5, 40, "short text 2"},
    FieldLayout5{'A', "", 6, 4, "unit"},
    FieldLayout5{'A', "", 7, 1, "price flag"},
    FieldLayout5{'A', "", 8, 6, "price unit"},
    FieldLayout5{'A', "", 9, 10, "price"},
    FieldLayout5{'A', "", 10, 4, "discount group"},
    FieldLayout5{'A', "", 11, 3, "main product group"},
    FieldLayout5{'A', "", 12, 10, "product sub-group"},
    FieldLayout5{'A', "", 13, 15, "matchcode"},
    FieldLayout5{'A', "", 14, 13, ""},
    FieldLayout5{'A', "", 15, 15, ""},
    FieldLayout5{'A', "", 16, 13, ""},
    FieldLayout5{'A', "", 17, 35, ""},
    FieldLayout5{'A', "", 18, 35, ""},
    FieldLayout5{'A', "", 19, 18, ""},
    FieldLayout5{'A', "", 20, 15, "graphics key"},
    FieldLayout5{'A', "", 21, 5, ""},
    FieldLayout5{'A', "", 22, 15, ""},
    FieldLayout5{'A', "", 23, 1, ""},
    FieldLayout5{'A', "", 24, 15, "long-text key"},
    FieldLayout5{'A', "", 25, 2, ""},
    FieldLayout5{'A', "", 26, 1, ""},
    FieldLayout5{'A', "", 27, 17, ""},
    FieldLayout5{'A', "", 28, 17, ""},
    FieldLayout5{'A', "", 29, 1, ""},
    // B deletion / number change
    FieldLayout5{'B', "", 2, 1, "L delete, A change"},
    FieldLayout5{'B', "", 3, 15, "article number"},
    FieldLayout5{'B', "", 4, 15, "new or replacement number"},
    FieldLayout5{'B', "", 5, 8, "date yyyymmdd"},
    // C calculation
    FieldLayout5{'C', "", 2, 1, "processing flag"},
    FieldLayout5{'C', "", 3, 255, "subtype"},
    FieldLayout5{'C', "", 4, 15, "article number"},
    FieldLayout5{'C', "WST1", 6, 8, "metal base"},
    FieldLayout5{'C', "WST1", 8, 10, "metal surcharge"},
    FieldLayout5{'C', "WST2", 5, 4, "unit"},
    FieldLayout5{'C', "WST2", 6, 14, "factor"},
    FieldLayout5{'C', "ARBA", 6, 1, "kind"},
    FieldLayout5{'C', "ARBA", 7, 8, "value"},
    FieldLayout5{'C', "ARBS", 6, 1, "kind"},
    FieldLayout5{'C', "ARBS", 7, 8, "value"},
    FieldLayout5{'C', "ARBS", 8, 15, "text"},
    // D description
    FieldLayout5{'D', "", 2, 1, "processing flag"},
    FieldLayout5{'D', "", 3, 15, "article number"},
    FieldLayout5{'D', "", 4, 2, ""},
    FieldLayout5{'D', "", 5, 1, ""},
    FieldLayout5{'D', "", 6, 40, ""},
    FieldLayout5{'D', "", 7, 15, ""},
    // Z surcharge
    FieldLayout5{'Z', "", 2, 1, "processing flag"},
    FieldLayout5{'Z', "", 3, 15, "article number"},
    FieldLayout5{'Z', "", 5, 1, "subtype"},
    FieldLayout5{'Z', "1", 4, 2, ""},
    FieldLayout5{'Z', "1", 6, 40, ""},
    FieldLayout5{'Z', "1", 7, 40, ""},
    FieldLayout5{'Z', "1", 8, 1, ""},
    FieldLayout5{'Z', "1", 9, 1, ""},
    FieldLayout5{'Z', "1", 10, 1, ""},
    FieldLayout5{'Z', "1", 11, 6, ""},
    FieldLayout5{'Z', "1", 12, 10, "amount"},
    FieldLayout5{'Z', "1", 13, 2, ""},
    FieldLayout5{'Z', "1", 14, 1, ""},
    FieldLayout5{'Z', "1", 15, 8, ""},
    FieldLayout5{'Z', "1", 16, 8, ""},
    FieldLayout5{'Z', "2", 4, 2, ""},
    FieldLayout5{'Z', "2", 6, 2, ""},
    FieldLayout5{'Z', "2", 7, 1, ""},
    FieldLayout5{'Z', "2", 8, 1, ""},
    FieldLayout5{'Z', "2", 9, 1, ""},
    FieldLayout5{'Z', "2", 10, 6, ""},
    FieldLayout5{'Z', "2", 11, 10, "amount"},
    FieldLayout5{'Z', "2", 12, 8, ""},
    FieldLayout5{'Z', "2", 13, 8, ""},
    FieldLayout5{'Z', "2", 14, 6, ""},
    FieldLayout5{'Z', "2", 15, 8, ""},
    FieldLayout5{'Z', "2", 16, 9, ""},
    FieldLayout5{'Z', "3", 4, 2, ""},
    FieldLayout5{'Z', "3", 6, 2, "metal code"},
    FieldLayout5{'Z', "3", 7, 1, ""},
    FieldLayout5{'Z', "3", 8, 6, ""},
    FieldLayout5{'Z', "3", 9, 8, ""},
    FieldLayout5{'Z', "3", 10, 6, ""},
    FieldLayout5{'Z', "3", 11, 8, ""},
    FieldLayout5{'Z', "3", 12, 6, ""},
    // T text
    FieldLayout5{'T', "", 2, 1, "processing flag"},
    FieldLayout5{'T', "", 3, 15, "text key"},
    FieldLayout5{'T', "", 4, 1, "text kind"},
    FieldLayout5{'T', "", 6, 70, "text line"},
    // G graphics binding
    FieldLayout5{'G', "", 2, 1, "processing flag"},
    FieldLayout5{'G', "", 3, 15, "graphics key"},
    FieldLayout5{'G', "", 4, 2, ""},
    FieldLayout5{'G', "", 5, 2, ""},
    FieldLayout5{'G', "", 6, 8, "file name"},
    FieldLayout5{'G', "", 7, 3, "extension"},
    FieldLayout5{'G', "", 8, 40, "text"},
    // R discount group
    FieldLayout5{'R', "", 2, 4, "group"},
    FieldLayout5{'R', "", 3, 1, "kind"},
    FieldLayout5{'R', "", 4, 4, "value"},
    FieldLayout5{'R', "", 5, 40, "text"},
    // S product group
    FieldLayout5{'S', "", 2, 3, "main group"},
    FieldLayout5{'S', "", 3, 10, "sub-group"},
    FieldLayout5{'S', "", 4, 40, "text"},
    // P price change
    FieldLayout5{'P', "", 2, 15, "article number"},
    FieldLayout5{'P', "", 3, 1, "price flag"},
    FieldLayout5{'P', "", 4, 6, "price unit"},
    FieldLayout5{'P', "", 5, 10, "price"},
    FieldLayout5{'P', "", 6, 4, "discount group"},
    FieldLayout5{'P', "", 7, 1, "discount flag 1"},
    FieldLayout5{'P', "", 8, 4, "discount value 1"},
    FieldLayout5{'P', "", 9, 1, "discount flag 2"},
    FieldLayout5{'P', "", 10, 4, "discount value 2"},
    FieldLayout5{'P', "", 11, 1, "discount flag 3"},
    FieldLayout5{'P', "", 12, 4, "discount value 3"},
    // J set: field 4 "L" is the long format, anything else the short one
    FieldLayout5{'J', "", 2, 1, "processing flag"},
    FieldLayout5{'J', "", 3, 15, "set number"},
    FieldLayout5{'J', "", 4, 1, "format"},
    FieldLayout5{'J', "short", 6, 1, "position kind"},
    FieldLayout5{'J', "short", 7, 15, "number"},
    FieldLayout5{'J', "short", 8, 7, "quantity"},
    FieldLayout5{'J', "L", 6, 15, ""},
    FieldLayout5{'J', "L", 7, 40, "text"},
    FieldLayout5{'J', "L", 8, 1, "position kind"},
    FieldLayout5{'J', "L", 9, 15, "number"},
    FieldLayout5{'J', "L", 10, 7, "quantity"},
};
// clang-format on

}  // namespace

std::span<const FieldLayout5> RecordLayouts5() {
    return kLayouts;
}

int SubtypeField5(char letter) {
    switch (letter) {
        case 'C':
            return field5::CalcSubtype;
        case 'Z':
            return field5::SurchargeSubtype;
        case 'J':
            return field5::SetFormat;
        default:
            return 0;
    }
}

std::string_view LayoutVariant5(char letter, std::string_view subtypeValue) {
    if (letter == 'J') return subtypeValue == "L" ? "L" : "short";
    return SubtypeField5(letter) == 0 ? std::string_view{} : subtypeValue;
}

int FieldsNeeded5(std::string_view line) {
    if (line.empty() || (line.size() > 1 && line[1] != ';')) return 0;
    const char letter = line.front();
    const int subtypeField = SubtypeField5(letter);
    const std::string_view variant =
        subtypeField == 0 ? std::string_view{}
                          : LayoutVariant5(letter, dn5::trim(dn5::fieldOf(line, subtypeField)));
    int needed = 0;
    for (const auto& f : kLayouts)
        if (f.letter == letter && (f.subtype.empty() || f.subtype == variant))
            needed = std::max(needed, f.field);
    return needed == 0 ? 0 : std::max(needed, subtypeField);
}

namespace {

constexpr int kTableFields = 64;

// The maxima of one letter and layout variant by field, found once: the
// readers ask for every field of every line.
struct VariantMaxima5 {
    char letter;
    std::string_view variant;  // empty: no variant or one without own fields
    std::array<std::size_t, kTableFields> max;
};

std::size_t scanMax5(char letter, std::string_view variant, int field) {
    for (const auto& f : kLayouts) {
        if (f.letter != letter || f.field != field) continue;
        if (f.subtype.empty() || f.subtype == variant) return f.max;
    }
    return kNoFieldLimit5;
}

std::vector<VariantMaxima5> buildMaxima5() {
    std::vector<VariantMaxima5> out;
    auto add = [&](char letter, std::string_view variant) {
        for (const auto& m : out)
            if (m.letter == letter && m.variant == variant) return;
        VariantMaxima5 m{letter, variant, {}};
        for (int n = 0; n < kTableFields; ++n)
            m.max[static_cast<std::size_t>(n)] = scanMax5(letter, variant, n);
        out.push_back(m);
    };
    for (const auto& f : kLayouts) {
        add(f.letter, {});
        if (!f.subtype.empty()) add(f.letter, f.subtype);
    }
    return out;
}

}  // namespace

FieldMaxima5::FieldMaxima5(char letter, std::string_view subtype)
    : letter_(letter), variant_(LayoutVariant5(letter, subtype)) {
    static const std::vector<VariantMaxima5> maxima = buildMaxima5();
    const VariantMaxima5* plain = nullptr;
    for (const auto& m : maxima) {
        if (m.letter != letter) continue;
        if (m.variant == variant_) {
            table_ = m.max.data();
            return;
        }
        if (m.variant.empty()) plain = &m;
    }
    if (plain) table_ = plain->max.data();
}

std::size_t FieldMaxima5::operator()(int field) const {
    if (field < 0 || field >= kTableFields) return scanMax5(letter_, variant_, field);
    return table_ ? table_[field] : kNoFieldLimit5;
}

std::size_t FieldMax5(char letter, std::string_view subtype, int field) {
    return FieldMaxima5(letter, subtype)(field);
}

}  // namespace dn
