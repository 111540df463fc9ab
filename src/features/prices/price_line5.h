#pragma once
// The fields of a P line for the price maintenance, read in one go. A line
// whose fields all keep their maximum lengths is read straight from its
// text; any other line goes the checked way of the reader (which ends the
// file or asks about the cut), so both give the same input.

#include <string>

#include "formats/dn5/price_fields5.h"

namespace dn {

namespace dn5 {
class Record;
}

// Fields 3 to 12 of a P record, as ReadPriceChangeFields5.
dn5::PriceChangeInput ReadPriceLine5(const dn5::Record& record,
                                     const dn5::CurrencyConversion& convert);

// Field 2, the article number, as UTF-8 (checked like Record::utf8Field).
std::string PriceLineArticleNumber5(const dn5::Record& record);

}  // namespace dn
