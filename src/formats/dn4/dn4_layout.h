#pragma once
// The record layouts of DATANORM 4: for each record letter (and for the C
// and Z subtypes) which field of the line goes with which width to which
// position of which buffer, plus the few rules that go with a letter
// (blank pre-fill, copies into the companion buffers, the stored type).
// One table; `Dn4Reader::ConvertDn4Line` walks it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace dn {

enum class Dn4Buffer : std::uint8_t { Record, Price, Set, Set2 };

struct Dn4Field {
    int field;             // field number in the line, from 1
    std::size_t width;     // maximum width, the field is padded to it
    std::size_t position;  // first position in the buffer, from 1
    Dn4Buffer buffer = Dn4Buffer::Record;
    std::size_t keep = 0;  // when not 0: only this many characters are stored
};

struct Dn4Range {
    std::size_t first;
    std::size_t last;
};

// Positions first..last of `DnRecord` copied into another buffer, which gets
// the record's type at position 1.
struct Dn4Copy {
    Dn4Buffer to;
    std::size_t first;
    std::size_t last;
};

struct Dn4Layout {
    char letter;               // record letter of the line
    std::string_view subtype;  // empty: the letter's base layout; else the trimmed subtype field
    char type;                 // type stored at position 1 ('c' for C records)
    std::uint16_t subtypeNumber = 0;  // C: stored as 16-bit number at positions 18-19
    std::span<const Dn4Field> fields = {};
    std::span<const Dn4Range> blanks = {};  // set to blanks before the fields are taken
    std::span<const Dn4Copy> copies = {};   // done after the fields
    // When the trimmed positions are empty the type becomes `emptyType`
    // (an S record without main-group text is a product group "W").
    Dn4Range emptyCheck = {0, 0};
    char emptyType = 0;
};

// The whole table: base layouts first, then the subtypes.
std::span<const Dn4Layout> Dn4Layouts();

// The field of the line that names the subtype: 3 for C, 5 for Z, else 0.
int Dn4SubtypeField(char letter);

// The base layout of a letter (subtype empty) or the layout of one of its
// subtypes; nullptr when the table has none (unknown letter or subtype).
const Dn4Layout* FindDn4Layout(char letter, std::string_view subtype = {});

// The number of fields a line's record needs: the highest field its layout
// (and its subtype's) takes; 0 for the header, empty lines and letters
// without a layout. A last line with fewer fields was cut off.
int Dn4FieldsNeeded(std::string_view line);

// The C subtypes by name.
inline constexpr std::uint16_t kCMaterial = 1;  // "WERKSTOFF-1"
inline constexpr std::uint16_t kCLabour = 2;    // "ARBEIT-1"
inline constexpr std::uint16_t kCDate = 3;      // "TERMIN-1"
inline constexpr std::uint16_t kCVat = 4;       // "MWST-1"

// Positions of `DnRecord` the importers read.
namespace dnpos {
inline constexpr std::size_t Type = 1;
inline constexpr std::size_t Flag = 2;
inline constexpr std::size_t ArticleNumber = 3;  // 15
// A
inline constexpr std::size_t TextFlag = 18;         // 2
inline constexpr std::size_t ShortText1 = 20;       // 40
inline constexpr std::size_t ShortText2 = 60;       // 40
inline constexpr std::size_t PriceFlag = 100;       // 1
inline constexpr std::size_t PriceUnitCode = 101;   // 1
inline constexpr std::size_t Unit = 102;            // 4
inline constexpr std::size_t Price = 106;           // 8, cents
inline constexpr std::size_t DiscountGroup = 114;   // 4
inline constexpr std::size_t ProductGroup = 118;    // 3
inline constexpr std::size_t LongTextNumber = 121;  // 8 used
// B
inline constexpr std::size_t MetalNumber = 55;        // 3
inline constexpr std::size_t QuantityPerPrice = 101;  // 5
// C
inline constexpr std::size_t CSubtype = 18;  // 16-bit number
inline constexpr std::size_t CDate = 20;     // 8, "ddmmyyyy"
// K
inline constexpr std::size_t CustomerNumber = 3;  // 10
// V
inline constexpr std::size_t HeaderDate = 3;        // 6, "ddmmyy"
inline constexpr std::size_t HeaderText1 = 9;       // 40
inline constexpr std::size_t HeaderText2 = 49;      // 40
inline constexpr std::size_t HeaderText3 = 89;      // 40
inline constexpr std::size_t HeaderCurrency = 126;  // 3
// P, in PriceRecordBuffer: block i (1..3) starts at PriceBlock + 39 * (i - 1)
inline constexpr std::size_t PriceBlock = 3;
inline constexpr std::size_t PriceBlockSize = 39;
}  // namespace dnpos

}  // namespace dn
