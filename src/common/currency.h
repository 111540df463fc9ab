#pragma once
// Currency of the amounts of DATANORM 4 and 5 files and the DATANORM 4 price
// unit code.
//
// A file states its currency in the header ("EUR" = `FileInEuro`). Amounts
// are converted when the file's currency is not the host's base currency:
// euro to DM for a DM host, DM to euro for a euro host, at the fixed rate
// `kDmPerEuro`.

#include <optional>
#include <span>
#include <string_view>

namespace dn {

// True when the header's currency code means euro.
bool currencyIsEuro(std::string_view currencyCode);

// `ConvertCurrency`: converts the amount in place; the result tells whether
// a conversion took place. The amount is not rounded here.
bool ConvertCurrency(double& amount, bool euroIsBase, bool fileInEuro);

// The fixed-width amount fields (8, 6 or 3 characters of whole cents or
// hundredths): read the number, convert it by the currency rule and write
// it back right-aligned without decimals in the same width. An absent field
// (zero first byte), a blank field or one that is no number stays as it
// is; so does a converted amount that no longer fits the width (the result
// is then false, the field keeps the file's value).
bool ConvertAmountField(std::span<char> field, bool euroIsBase, bool fileInEuro);

// `PriceUnitFactor`: "0" -> 1, "1" -> 10, "2" -> 100, "3" -> 1000, any other
// code -> 1.
int PriceUnitFactor(char code);

// The number of a fixed-width field of digits (blanks and zero bytes around
// it ignored); 0 when the field holds no number. The importers leave out
// records whose numeric fields hold no number (dn4_numbers.h) before they
// read them.
double fieldNumber(std::string_view field);

// A whole number with an optional sign, blanks and zero bytes around it
// ignored; nothing for anything else (letters, blanks among the digits, a
// decimal point or comma, an exponent, empty text).
std::optional<long long> WholeNumber(std::string_view field);

}  // namespace dn
