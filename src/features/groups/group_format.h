#pragma once
// The lines of the group lists and printouts: fixed columns counted in
// characters of UTF-8 text.

#include <string>
#include <string_view>

#include "host/store_records.h"

namespace dn {

// The text cut or padded with blanks to n characters.
std::string padGroupText(std::string_view text, std::size_t n);
// The text padded to at least n characters (a longer text stays whole).
std::string padGroupTextMin(std::string_view text, std::size_t n);
// A number right-aligned in `width` with `decimals` decimals ("%*.*f").
std::string groupNumberText(double value, int width, int decimals);
// The text without leading and trailing blanks.
std::string trimGroupText(std::string_view text);

// The group code of a key: the characters after the prefix, at most n.
std::string codeOfKey(std::string_view key, std::string_view prefix, std::size_t n);

// "Rabatt", "Multi", "Teuerung" for the kinds 1, 2, 3, otherwise empty.
std::string discountKindText(const std::string& kennung);

// Command 23: code (5), blank, description (40), two blanks, "RABATT " or
// "MULTI  ", value (10, 3 decimals).
std::string discountPrintLine(const DiscountGroupRecord& g, std::string_view prefix);
// The older list picker: key (8), description (42), kind (8), value (8, 3).
std::string discountPickerLine(const DiscountGroupRecord& g);
inline constexpr const char* kDiscountPickerHeader =
    "Gruppe ! Bezeichnung                               ! Typ     ! Wert";
// The grid: "Gruppe", "Bezeichnung", "Typ", "Wert" separated by tabs.
std::string discountGridLine(const DiscountGroupRecord& g);

// Command 53 and the older list picker: key (18), three blanks or none, text.
std::string productPrintLine(const ProductGroupRecord& g);
std::string productPickerLine(const ProductGroupRecord& g);
inline constexpr const char* kProductPickerHeader = "Gruppe            ! Bezeichnung";
// The grid: "Gruppe", "Bezeichnung" separated by a tab.
std::string productGridLine(const ProductGroupRecord& g);

}  // namespace dn
