#include "formats/dn5/price_fields5.h"

#include "common/currency.h"
#include "common/session.h"
#include "formats/dn5/tdatanorm5.h"

namespace dn {

namespace {
double converted(const dn5::CurrencyConversion& convert, double amount) {
    return convert ? convert(amount) : amount;
}
}  // namespace

dn5::CurrencyConversion dn5::FileCurrency(tdatanorm5& dn5) {
    return [&dn5](double amount) {
        ConvertCurrency(amount, dn5.session().host.euroIsBase(), dn5.FileInEuro);
        return amount;
    };
}

dn5::ArticlePriceInput ReadArticlePriceFields5(const dn5::Record& r,
                                               const dn5::CurrencyConversion& convert) {
    using namespace field5;
    dn5::ArticlePriceInput in;
    in.priceFlag = r.GetField5(PriceFlag);
    in.priceUnitPresent = r.present(PriceUnit);
    in.priceUnit = r.GetInteger5(PriceUnit);
    in.pricePresent = r.present(Price);
    in.price = converted(convert, r.amount(Price));
    in.discountGroupPresent = r.present(DiscountGroup);
    in.group.code = r.GetField5(DiscountGroup);
    return in;
}

dn5::PriceChangeInput ReadPriceChangeFields5(const dn5::Record& r,
                                             const dn5::CurrencyConversion& convert) {
    using namespace field5;
    dn5::PriceChangeInput in;
    in.priceFlag = r.GetField5(ChangePriceFlag);
    in.priceUnit = r.GetInteger5(ChangePriceUnit);
    in.pricePresent = r.present(ChangePrice);
    in.price = converted(convert, r.amount(ChangePrice));
    in.discountGroup = r.GetField5(ChangeDiscountGroup);
    in.givenGroup.code = in.discountGroup;
    for (int i = 0; i < 3; ++i) {
        in.discounts[i].flag = r.GetField5(ChangeDiscountFlag1 + 2 * i);
        in.discounts[i].value = r.GetField5(ChangeDiscountFlag1 + 2 * i + 1);
    }
    return in;
}

}  // namespace dn
