#pragma once
// The price fields of an A or P record, read into the inputs of the
// price rules. The importer adds what the store knows (old prices, the
// discount groups, the settings) before calling the rule.

#include <functional>

#include "formats/dn5/prices5.h"

namespace dn {

class tdatanorm5;
namespace dn5 {
class Record;

// Turns an amount of the file into the host currency (the currency rule of
// common/currency.h, by `FileInEuro`). The identity when both agree.
using CurrencyConversion = std::function<double(double)>;

// The currency rule of the running file: the host's base currency against
// the `FileInEuro` of the data module at the time of the call.
CurrencyConversion FileCurrency(tdatanorm5& dn5);
}  // namespace dn5

// Fields 7 to 10 of an A line: price flag, price unit, price, discount group
// presence. `group.code` is field 10 as it stands.
dn5::ArticlePriceInput ReadArticlePriceFields5(const dn5::Record& record,
                                               const dn5::CurrencyConversion& convert);

// Fields 3 to 12 of a P line.
dn5::PriceChangeInput ReadPriceChangeFields5(const dn5::Record& record,
                                             const dn5::CurrencyConversion& convert);

}  // namespace dn
