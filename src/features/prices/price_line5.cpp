#include "features/prices/price_line5.h"

#include <array>
#include <cstdint>

#include "formats/dn5/field_split5.h"
#include "formats/dn5/record.h"
#include "formats/dn5/record_layout5.h"
#include "host/codepage.h"

namespace dn {

namespace {

constexpr int kLastField = 12;

// The maxima of the P record's fields, from the layout table.
const std::array<std::size_t, kLastField + 1>& priceFieldMax() {
    static const auto table = [] {
        std::array<std::size_t, kLastField + 1> m{};
        for (int n = 2; n <= kLastField; ++n) m[n] = FieldMax5('P', {}, n);
        return m;
    }();
    return table;
}

}  // namespace

dn5::PriceChangeInput ReadPriceLine5(const dn5::Record& record,
                                     const dn5::CurrencyConversion& convert) {
    const std::string_view line = record.line();
    std::array<std::string_view, kLastField + 1> f{};
    const auto& max = priceFieldMax();
    for (int n = 2; n <= kLastField; ++n) {
        f[n] = dn5::fieldOf(line, n);
        if (f[n].size() > max[n] || line.front() != 'P')
            return ReadPriceChangeFields5(record, convert);
    }
    using namespace field5;
    dn5::PriceChangeInput in;
    in.priceFlag = std::string(f[ChangePriceFlag]);
    in.priceUnit = dn5::integerOf(f[ChangePriceUnit]);
    in.pricePresent = !dn5::trim(f[ChangePrice]).empty();
    const double amount = dn5::parseNumber(f[ChangePrice]).value_or(0.0) / 100.0;
    in.price = convert ? convert(amount) : amount;
    in.discountGroup = std::string(f[ChangeDiscountGroup]);
    in.givenGroup.code = in.discountGroup;
    for (int i = 0; i < 3; ++i) {
        in.discounts[i].flag = std::string(f[ChangeDiscountFlag1 + 2 * i]);
        in.discounts[i].value = std::string(f[ChangeDiscountFlag1 + 2 * i + 1]);
    }
    return in;
}

std::string PriceLineArticleNumber5(const dn5::Record& record) {
    const std::string_view number = dn5::fieldOf(record.line(), field5::ChangeArticleNumber);
    if (number.size() > priceFieldMax()[field5::ChangeArticleNumber] || record.letter() != 'P')
        return record.utf8Field(field5::ChangeArticleNumber);
    return cp850ToUtf8(number);
}

}  // namespace dn
