#pragma once
// The fields of a P line for the price maintenance, read in one go. A line
// whose fields all keep their maximum lengths is read straight from its
// text; any other line goes the checked way of the reader (which ends the
// file or asks about the cut), so both give the same input.

#include <string>

#include "formats/dn5/price_fields5.h"

namespace dn {

class tdatanorm5;

// Fields 3 to 12 of the P line in `CurrentLine5`, as ReadPriceChangeFields5.
PriceChangeInput5 ReadPriceLine5(tdatanorm5& dn5, const CurrencyConversion5& convert);

// Field 2, the article number, as UTF-8 (checked like GetText5).
std::string PriceLineArticleNumber5(tdatanorm5& dn5);

}  // namespace dn
