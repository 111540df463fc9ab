#pragma once
// The record layouts of DATANORM 5: for each record letter (and, for C and Z
// records, each subtype) the fields the reader checks and their maximum
// lengths. One table; the field access and the tests walk it.

#include <cstddef>
#include <limits>
#include <span>
#include <string_view>

namespace dn {

// A field without a maximum in the layout is taken as it stands.
inline constexpr std::size_t kNoFieldLimit5 = std::numeric_limits<std::size_t>::max();

struct FieldLayout5 {
    char letter;  // record letter
    std::string_view
        subtype;      // layout variant (see LayoutVariant5); empty = every record of the letter
    int field;        // counted from 1; field 1 is the letter
    std::size_t max;  // enforced maximum length in characters
    std::string_view meaning;  // short description, empty where the format leaves it open
};

// The whole table, in record order.
std::span<const FieldLayout5> RecordLayouts5();

// The field that selects the layout variant of a letter: 3 for C, 5 for Z,
// 4 for J (the format), 0 for letters with one layout.
int SubtypeField5(char letter);

// The layout variant a subtype value selects: the value itself for C and Z,
// "L" or "short" for J, empty for letters with one layout.
std::string_view LayoutVariant5(char letter, std::string_view subtypeValue);

// Maximum length of field N of a record with this letter and subtype;
// kNoFieldLimit5 when the layout names no maximum for it.
std::size_t FieldMax5(char letter, std::string_view subtype, int field);

// The number of fields a line's record needs: the highest field of its
// letter's layout (and of the variant its subtype selects); 0 for an empty
// line or an unknown letter. A last line with fewer fields was cut off.
int FieldsNeeded5(std::string_view line);

// The maxima of one record kind, looked up once for all fields of a line.
class FieldMaxima5 {
  public:
    FieldMaxima5(char letter, std::string_view subtype);
    std::size_t operator()(int field) const;

  private:
    char letter_;
    std::string_view variant_;
    const std::size_t* table_ = nullptr;  // fields 0..63; none: no maxima
};

// Field numbers the importers use, named after their meaning.
namespace field5 {
inline constexpr int Letter = 1;
inline constexpr int ProcessingFlag = 2;  // "N" new, "A" change, "L" delete

// V header
inline constexpr int HeaderVersion = 2;
inline constexpr int HeaderFileKind = 3;
inline constexpr int HeaderDate = 4;
inline constexpr int HeaderCurrency = 5;
inline constexpr int HeaderContent = 6;
inline constexpr int HeaderCopyright = 7;
inline constexpr int HeaderManufacturer = 8;

// K customer
inline constexpr int CustomerNumber = 2;

// A article
inline constexpr int ArticleNumber = 3;
inline constexpr int ShortText1 = 4;
inline constexpr int ShortText2 = 5;
inline constexpr int Unit = 6;
inline constexpr int PriceFlag = 7;
inline constexpr int PriceUnit = 8;
inline constexpr int Price = 9;
inline constexpr int DiscountGroup = 10;
inline constexpr int MainProductGroup = 11;
inline constexpr int ProductSubGroup = 12;
inline constexpr int Matchcode = 13;
inline constexpr int GraphicsKey = 20;
inline constexpr int LongTextKey = 24;

// B deletion / number change
inline constexpr int NewNumber = 4;
inline constexpr int DeletionDate = 5;

// C calculation
inline constexpr int CalcSubtype = 3;
inline constexpr int CalcArticleNumber = 4;

// Z surcharge
inline constexpr int SurchargeSubtype = 5;

// T text, G graphics binding
inline constexpr int TextKey = 3;
inline constexpr int TextKind = 4;
inline constexpr int TextLine = 6;
inline constexpr int GraphicsFileName = 6;
inline constexpr int GraphicsExtension = 7;
inline constexpr int GraphicsText = 8;

// R discount group
inline constexpr int DiscountGroupCode = 2;
inline constexpr int DiscountKind = 3;
inline constexpr int DiscountValue = 4;
inline constexpr int DiscountText = 5;

// S product group
inline constexpr int ProductMainGroup = 2;
inline constexpr int ProductSubGroupCode = 3;
inline constexpr int ProductGroupText = 4;

// P price change
inline constexpr int ChangeArticleNumber = 2;
inline constexpr int ChangePriceFlag = 3;
inline constexpr int ChangePriceUnit = 4;
inline constexpr int ChangePrice = 5;
inline constexpr int ChangeDiscountGroup = 6;
inline constexpr int ChangeDiscountFlag1 = 7;  // value 1 in 8, flag 2 in 9, ...

// J set
inline constexpr int SetNumber = 3;
inline constexpr int SetFormat = 4;
}  // namespace field5

}  // namespace dn
