#include "formats/dn5/price_fields5.h"

#include "common/currency.h"
#include "common/session.h"
#include "formats/dn5/tdatanorm5.h"

namespace dn {

namespace {
double converted(const CurrencyConversion5& convert, double amount) {
    return convert ? convert(amount) : amount;
}
}  // namespace

CurrencyConversion5 FileCurrency5(tdatanorm5& dn5) {
    return [&dn5](double amount) {
        ConvertCurrency(amount, dn5.session().host.euroIsBase(), dn5.FileInEuro);
        return amount;
    };
}

dn5::ArticlePriceInput ReadArticlePriceFields5(tdatanorm5& dn5,
                                               const CurrencyConversion5& convert) {
    using namespace field5;
    dn5::ArticlePriceInput in;
    in.priceFlag = dn5.GetField5(PriceFlag);
    in.priceUnitPresent = dn5.FieldPresent5(PriceUnit);
    in.priceUnit = dn5.GetInteger5(PriceUnit);
    in.pricePresent = dn5.FieldPresent5(Price);
    in.price = converted(convert, dn5.GetAmount5(Price));
    in.discountGroupPresent = dn5.FieldPresent5(DiscountGroup);
    in.group.code = dn5.GetField5(DiscountGroup);
    return in;
}

PriceChangeInput5 ReadPriceChangeFields5(tdatanorm5& dn5, const CurrencyConversion5& convert) {
    using namespace field5;
    PriceChangeInput5 in;
    in.priceFlag = dn5.GetField5(ChangePriceFlag);
    in.priceUnit = dn5.GetInteger5(ChangePriceUnit);
    in.pricePresent = dn5.FieldPresent5(ChangePrice);
    in.price = converted(convert, dn5.GetAmount5(ChangePrice));
    in.discountGroup = dn5.GetField5(ChangeDiscountGroup);
    in.givenGroup.code = in.discountGroup;
    for (int i = 0; i < 3; ++i) {
        in.discounts[i].flag = dn5.GetField5(ChangeDiscountFlag1 + 2 * i);
        in.discounts[i].value = dn5.GetField5(ChangeDiscountFlag1 + 2 * i + 1);
    }
    return in;
}

}  // namespace dn
