#include "host/store_article_columns.h"

#include <array>
#include <charconv>

namespace dn {

namespace {

using A = ArticleRecord;
using K = ColumnKind;

const std::array kColumns{
    ArticleColumn{"key", K::Text, &A::key, false},
    ArticleColumn{"matchcode", K::Text, &A::matchcode, false},
    ArticleColumn{"shorttext1", K::Text, &A::shorttext1, false},
    ArticleColumn{"shorttext2", K::Text, &A::shorttext2, false},
    ArticleColumn{"unit", K::Text, &A::unit, false},
    ArticleColumn{"priceflag", K::Text, &A::priceflag, false},
    ArticleColumn{"priceflagsource", K::Text, &A::priceflagsource, false},
    ArticleColumn{"priceunit", K::Integer, &A::priceunit, false},
    ArticleColumn{"purchaseprice", K::Amount, &A::purchaseprice, false},
    ArticleColumn{"salesprice", K::Amount, &A::salesprice, false},
    ArticleColumn{"listprice", K::Amount, &A::listprice, false},
    ArticleColumn{"factoryprice", K::Amount, &A::factoryprice, false},
    ArticleColumn{"discountgroup", K::Text, &A::discountgroup, false},
    ArticleColumn{"productgroup", K::Text, &A::productgroup, false},
    ArticleColumn{"productsubgroup", K::Text, &A::productsubgroup, false},
    ArticleColumn{"changedate", K::Day, &A::changedate, false},
    ArticleColumn{"assemblyminutes", K::Real, &A::assemblyminutes, false},
    ArticleColumn{"graphickey", K::Text, &A::graphickey, false},
    ArticleColumn{"longtextkey", K::Text, &A::longtextkey, false},
    ArticleColumn{"metalweight", K::Real, &A::metalweight, false},
    ArticleColumn{"metalbase", K::Real, &A::metalbase, false},
    ArticleColumn{"metalkind", K::Text, &A::metalkind, false},
    ArticleColumn{"metalsurcharge", K::Real, &A::metalsurcharge, false},
    ArticleColumn{"extralines", K::Lines, &A::extralines, false},
    ArticleColumn{"newflag", K::Integer, &A::newflag, false},
    ArticleColumn{"textflag", K::Text, &A::textflag, false},
    ArticleColumn{"priceunitcode", K::Text, &A::priceunitcode, false},
    ArticleColumn{"priceunitfraction", K::Integer, &A::priceunitfraction, false},
    ArticleColumn{"attr15", K::Text, &A::attr15, false},
    ArticleColumn{"attr19", K::Text, &A::attr19, false},
    ArticleColumn{"attr21", K::Integer, &A::attr21, false},
    ArticleColumn{"attr22", K::Text, &A::attr22, false},
    ArticleColumn{"attr23", K::Text, &A::attr23, false},
    ArticleColumn{"attr25", K::Integer, &A::attr25, false},
    ArticleColumn{"attr27", K::Text, &A::attr27, false},
    ArticleColumn{"attr28", K::Text, &A::attr28, false},
    ArticleColumn{"attr29", K::Integer, &A::attr29, false},
    ArticleColumn{"attrzero", K::Text, &A::attrzero, false},
    ArticleColumn{"_richtpreis", K::Amount, &A::_richtpreis, true},
    ArticleColumn{"_kuerzelalternativ", K::Text, &A::_kuerzelalternativ, true},
    ArticleColumn{"_kuerzelhersteller", K::Text, &A::_kuerzelhersteller, true},
    ArticleColumn{"_herstellernummer", K::Text, &A::_herstellernummer, true},
    ArticleColumn{"_herstellertype", K::Text, &A::_herstellertype, true},
    ArticleColumn{"_lagermerker", K::Text, &A::_lagermerker, true},
    ArticleColumn{"_kalkmengeneinheit", K::Text, &A::_kalkmengeneinheit, true},
    ArticleColumn{"_kalkfaktor", K::Real, &A::_kalkfaktor, true},
    ArticleColumn{"_empfohlenervk", K::Amount, &A::_empfohlenervk, true},
};

std::string shortest(double v) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, end);
}

std::string fixed2(double v) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    return std::string(buf, end);
}

}  // namespace

std::span<const ArticleColumn> articleColumns() {
    return kColumns;
}

std::string articleColumnText(const ArticleRecord& article, const ArticleColumn& column) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = article.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return value;
            } else if constexpr (std::is_same_v<T, double>) {
                return column.kind == K::Amount ? fixed2(value) : shortest(value);
            } else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                std::string out;
                for (std::size_t i = 0; i < value.size(); ++i) {
                    if (i > 0) out += '\n';
                    out += value[i];
                }
                return out;
            } else {
                return std::to_string(value);
            }
        },
        column.member);
}

}  // namespace dn
