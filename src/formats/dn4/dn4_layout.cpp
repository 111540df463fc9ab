#include "formats/dn4/dn4_layout.h"

#include <algorithm>
#include <array>

#include "formats/dn4/dn4_fields.h"

namespace dn {
namespace {

using B = Dn4Buffer;

// A, B, C, D, Z begin with the processing flag and the article number.
constexpr Dn4Field kA[] = {
    {2, 1, 2},
    {3, 15, 3},
    {4, 2, 18},
    {5, 40, 20},
    {6, 40, 60},
    {7, 1, 100},
    {8, 1, 101},
    {9, 4, 102},
    {10, 8, 106},
    {11, 4, 114},
    {12, 3, 118},
    // 13 characters from 121 run over the CR LF; only 121-128 are used.
    {13, 13, 121},
};

constexpr Dn4Field kB[] = {
    {2, 1, 2},    {3, 15, 3},  {4, 15, 18},  {5, 15, 33},  {6, 8, 48, B::Record, 6},
    {7, 1, 54},   {8, 3, 55},  {9, 6, 58},   {10, 13, 64}, {11, 12, 77},
    {12, 10, 89}, {13, 2, 99}, {14, 5, 101}, {15, 4, 106}, {16, 17, 110},
};

constexpr Dn4Field kC[] = {{2, 1, 2}, {3, 15, 3}};
constexpr Dn4Field kC1[] = {{4, 15, 20}, {5, 8, 35}, {6, 8, 43},   {7, 10, 51},
                            {8, 10, 61}, {9, 1, 71}, {10, 10, 72}, {11, 15, 82}};
constexpr Dn4Field kC2[] = {{4, 15, 20}, {5, 1, 35}, {6, 1, 36}, {7, 6, 37}};
constexpr Dn4Field kC3[] = {{4, 8, 20}};
constexpr Dn4Field kC4[] = {{4, 5, 20}};
constexpr Dn4Copy kC3Copy[] = {{B::Price, 2, 96}};

constexpr Dn4Field kD[] = {{2, 1, 2},   {3, 15, 3}, {4, 2, 18}, {5, 1, 20},  {6, 8, 21},
                           {7, 40, 29}, {8, 2, 69}, {9, 1, 71}, {10, 8, 72}, {11, 40, 80}};
constexpr Dn4Range kDBlanks[] = {{29, 68}, {80, 119}};

constexpr Dn4Field kText[] = {{2, 1, 2},   {3, 8, 3},  {5, 2, 18},
                              {7, 40, 29}, {8, 2, 69}, {10, 40, 80}};

constexpr Dn4Field kZ[] = {{2, 1, 2}, {3, 15, 3}, {4, 2, 18}, {5, 1, 20}};
constexpr Dn4Field kZ12[] = {{6, 2, 21}, {7, 28, 23}, {8, 1, 51},
                             {9, 8, 52}, {10, 8, 60}, {11, 8, 68}};
constexpr Dn4Field kZ3[] = {{6, 2, 21}, {7, 1, 23},  {8, 8, 24},
                            {9, 6, 32}, {10, 6, 38}, {11, 6, 44}};
constexpr Dn4Field kZ4[] = {{6, 2, 21}, {7, 6, 23}, {8, 6, 29}, {9, 6, 35}, {10, 6, 41}};
constexpr Dn4Field kZ5[] = {{6, 40, 21}, {7, 1, 61}, {8, 8, 62}};
constexpr Dn4Field kZ6[] = {{6, 2, 21},  {7, 1, 23},  {8, 1, 24},  {9, 8, 25}, {10, 6, 33},
                            {11, 6, 39}, {12, 6, 45}, {13, 6, 51}, {14, 6, 57}};

constexpr Dn4Field kK[] = {{3, 10, 3}};
constexpr Dn4Copy kToPriceAndSet[] = {{B::Price, 2, 130}, {B::Set, 2, 130}};

constexpr Dn4Field kR[] = {{3, 4, 3}, {4, 1, 7}, {5, 4, 8}, {6, 40, 12}};
constexpr Dn4Field kS[] = {{3, 3, 3}, {4, 40, 6}, {5, 10, 46}, {6, 40, 56}};

// P: processing flag, then three blocks of nine fields, 39 positions each:
// article number 15, price flag 1, price 8, three pairs of discount flag 1
// and discount 4.
constexpr std::array<Dn4Field, 28> priceFields() {
    std::array<Dn4Field, 28> f{};
    f[0] = {2, 1, 2, B::Price};
    constexpr std::size_t widths[9] = {15, 1, 8, 1, 4, 1, 4, 1, 4};
    std::size_t k = 1;
    for (int block = 0; block < 3; ++block) {
        std::size_t pos = dnpos::PriceBlock + dnpos::PriceBlockSize * block;
        for (int i = 0; i < 9; ++i) {
            f[k++] = {3 + 9 * block + i, widths[i], pos, B::Price};
            pos += widths[i];
        }
    }
    return f;
}
constexpr auto kP = priceFields();

constexpr Dn4Field kJ[] = {
    {2, 1, 2, B::Set},    {3, 15, 3, B::Set},   {6, 15, 18, B::Set}, {9, 15, 33, B::Set},
    {10, 7, 48, B::Set},  {2, 1, 2, B::Set2},   {3, 15, 3, B::Set2}, {5, 1, 35, B::Set2},
    {6, 15, 18, B::Set2}, {7, 28, 36, B::Set2}, {8, 1, 64, B::Set2}, {9, 15, 65, B::Set2},
    {10, 7, 80, B::Set2},
};

// The header's fixed line is rewritten as fields before these are taken.
constexpr Dn4Field kV[] = {{3, 6, 3}, {4, 40, 9}, {5, 40, 49}, {6, 40, 89}};

const Dn4Layout kLayouts[] = {
    {.letter = 'V', .subtype = "", .type = 'V', .fields = kV, .copies = kToPriceAndSet},
    {.letter = 'A', .subtype = "", .type = 'A', .fields = kA},
    {.letter = 'B', .subtype = "", .type = 'B', .fields = kB},
    {.letter = 'C', .subtype = "", .type = 'c', .fields = kC},
    {.letter = 'D', .subtype = "", .type = 'D', .fields = kD, .blanks = kDBlanks},
    {.letter = 'T', .subtype = "", .type = 'T', .fields = kText},
    {.letter = 'E', .subtype = "", .type = 'E', .fields = kText},
    {.letter = 'Z', .subtype = "", .type = 'Z', .fields = kZ},
    {.letter = 'K', .subtype = "", .type = 'K', .fields = kK, .copies = kToPriceAndSet},
    {.letter = 'R', .subtype = "", .type = 'R', .fields = kR},
    {.letter = 'S',
     .subtype = "",
     .type = 'S',
     .fields = kS,
     .emptyCheck = {6, 45},
     .emptyType = 'W'},
    {.letter = 'P', .subtype = "", .type = 'P', .fields = kP},
    {.letter = 'J', .subtype = "", .type = 'J', .fields = kJ},
    // C subtypes, named by field 3.
    {.letter = 'C',
     .subtype = "WERKSTOFF-1",
     .type = 'c',
     .subtypeNumber = kCMaterial,
     .fields = kC1},
    {.letter = 'C', .subtype = "ARBEIT-1", .type = 'c', .subtypeNumber = kCLabour, .fields = kC2},
    {.letter = 'C',
     .subtype = "TERMIN-1",
     .type = 'c',
     .subtypeNumber = kCDate,
     .fields = kC3,
     .copies = kC3Copy},
    {.letter = 'C', .subtype = "MWST-1", .type = 'c', .subtypeNumber = kCVat, .fields = kC4},
    // Z subtypes, named by field 5.
    {.letter = 'Z', .subtype = "1", .type = 'Z', .fields = kZ12},
    {.letter = 'Z', .subtype = "2", .type = 'Z', .fields = kZ12},
    {.letter = 'Z', .subtype = "3", .type = 'Z', .fields = kZ3},
    {.letter = 'Z', .subtype = "4", .type = 'Z', .fields = kZ4},
    {.letter = 'Z', .subtype = "5", .type = 'Z', .fields = kZ5},
    {.letter = 'Z', .subtype = "6", .type = 'Z', .fields = kZ6},
};

}  // namespace

std::span<const Dn4Layout> Dn4Layouts() {
    return kLayouts;
}

int Dn4SubtypeField(char letter) {
    switch (letter) {
        case 'C':
            return 3;
        case 'Z':
            return 5;
        default:
            return 0;
    }
}

const Dn4Layout* FindDn4Layout(char letter, std::string_view subtype) {
    for (const auto& l : kLayouts)
        if (l.letter == letter && l.subtype == subtype) return &l;
    return nullptr;
}

namespace {

int highestField(const Dn4Layout& layout) {
    int n = 0;
    for (const auto& f : layout.fields) n = std::max(n, f.field);
    return n;
}

}  // namespace

int Dn4FieldsNeeded(std::string_view line) {
    if (line.empty() || line.front() == 'V') return 0;
    const char letter = line.front();
    const Dn4Layout* base = FindDn4Layout(letter);
    if (!base) return 0;
    int needed = highestField(*base);
    if (const int f = Dn4SubtypeField(letter)) {
        needed = std::max(needed, f);
        std::string_view subtype = GetField(f, line);
        while (!subtype.empty() && subtype.front() == ' ') subtype.remove_prefix(1);
        while (!subtype.empty() && subtype.back() == ' ') subtype.remove_suffix(1);
        if (const Dn4Layout* sub = FindDn4Layout(letter, subtype))
            needed = std::max(needed, highestField(*sub));
    }
    return needed;
}

}  // namespace dn
