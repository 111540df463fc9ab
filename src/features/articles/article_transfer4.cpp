// `TransferArticle4`: the A record of the DATANORM 4 article import — the
// group filters, the number range, new, changed, deleted and renumbered
// articles, the fields, the price and the protocol line.

#include <fmt/format.h>

#include <cmath>
#include <cstdlib>
#include <optional>

#include "common/article_price.h"
#include "common/discount_group.h"
#include "common/session.h"
#include "features/articles/article_import4.h"
#include "features/articles/article_importer4.h"
#include "features/articles/import_text4.h"
#include "host/codepage.h"
#include "host/store.h"

namespace dn {
namespace {

// With "EGEMA": characters 34-40 of short text 1, the 4th read as decimal
// point, are the price unit and its hundredths.
struct EgemaPriceUnit {
    int unit = 1;
    int fraction = 0;
};

std::optional<EgemaPriceUnit> egemaPriceUnit(const std::string& shorttext1) {
    std::string digits = utf8Left(shorttext1, 40);
    digits = digits.size() >= 40 ? digits.substr(33, 7) : std::string();
    if (digits.size() != 7) return std::nullopt;
    digits[3] = '.';
    const double v = std::atof(digits.c_str());
    return EgemaPriceUnit{static_cast<int>(v),
                          static_cast<int>(std::lround((v - std::floor(v)) * 100))};
}

}  // namespace

void ArticleImporter4::TransferArticle4(DnRecord rec) {
    using namespace dnpos;
    if (options_.onlySelectedProductGroups) {
        const std::string group =
            utf8Left(GroupKey(s_.ArticlePrefix, dn4ToUtf8(rec.at(ProductGroup, 3))), 6);
        auto found = store_.readProductGroup(group);
        if (!found || !found->selektiert) {
            protocol("Warengruppe: " + group + " nicht ausgewählt!");
            return;
        }
    }
    if (options_.onlySelectedDiscountGroups) {
        const std::string code = dn4ToUtf8(rec.at(DiscountGroup, 4));
        if (!DiscountGroupSelected(s_, code)) {
            protocol("Rabattgruppe: " + s_.ArticlePrefix + code + " nicht ausgewählt!");
            return;
        }
    }
    const std::string key = keyOf(rec);
    p_.key = key;
    p_.deleted = false;
    if (!InNumberRange(options_, key)) return;
    protocol("Asatz");

    auto existing = store_.readArticle(key);
    char flag = rec.flag();
    if (flag == 'A' && !existing) flag = 'N';
    const std::string number = dn4ToUtf8(rec.trimmed(ArticleNumber, 15));
    switch (flag) {
        case 'N':
        case 'A':
            break;
        case 'L':
            if (existing && s_.settings.DeletedArticleMode == 1) {
                existing->shorttext2 = padUtf8("*** Artikel gelöscht ***", 40);
                store_.writeArticle(*existing);
            } else if (existing) {
                store_.deleteArticle(key);
            }
            p_.deleted = true;
            protocol("Artikelnummer : " + s_.ArticlePrefix + number +
                     (existing ? " geloescht!" : " nicht geloescht (existiert nicht) !"));
            return;
        case 'X':
            if (!existing) {
                protocol("Artikelnummer : " + key + " nicht vorhanden!");
                return;
            }
            changeNumber(rec, key);
            return;
        default:
            return;
    }

    const bool isNew = flag == 'N';
    PendingArticle4 fresh;
    fresh.key = key;
    fresh.ArticlePending = true;
    fresh.existed = existing.has_value();
    if (existing) {
        fresh.article = std::move(*existing);
        if (isNew) protocol("Hinweis: " + key + " wird ueberschrieben");
    } else {
        fresh.article.key = key;
    }
    p_ = std::move(fresh);
    ++importedCount_;
    fillArticle(rec, isNew);

    const ArticleRecord& a = p_.article;
    if (s_.PrintProtocol) {
        std::string line = std::to_string(importedCount_) + " " +
                           dn4ToUtf8(rec.at(ArticleNumber, 15)) + " " + padUtf8(a.shorttext1, 30) +
                           " " + padUtf8(a.discountgroup, 4) + " ";
        line += isNew ? fmt::format("{:9.2f} {:9.2f}", a.purchaseprice, a.salesprice)
                      : fmt::format("{:8.2f} {:9.2f} geändert", a.purchaseprice, a.salesprice);
        protocol(line);
    }
}

void ArticleImporter4::changeNumber(const DnRecord& rec, const std::string& key) {
    std::string target = trimBlanks4(dn4ToUtf8(rec.text(dnpos::ShortText1, 15)));
    const std::string newKey = utf8Left(s_.ParamOk ? target : s_.ArticlePrefix + target, 18);
    if (newKey.empty() || store_.articleExists(newKey)) {
        protocol("Fehler: Neue Artikelnummer existiert bereits!");
        protocol("        Artikelnummer nicht geändert!");
        return;
    }
    protocol("Nummernänderung: " + key + " --> " + newKey);
    store_.renameArticle(key, newKey);
}

void ArticleImporter4::fillArticle(const DnRecord& rec, bool all) {
    using namespace dnpos;
    ArticleRecord& a = p_.article;
    auto shortText = [&](std::size_t pos) {
        std::string t = rec.text(pos, 40);
        if (s_.CurrentCaseConversion) t = convertCaseCp850(t);
        return dn4ToUtf8(t);
    };
    auto has = [&](std::size_t pos) { return all || rec.present(pos); };

    if (all && rec.absent(ShortText1)) protocol("Kurztextzeile 1 fehlt !!!");
    if (has(ShortText1)) a.shorttext1 = shortText(ShortText1);
    if (has(ShortText2)) a.shorttext2 = shortText(ShortText2);
    if (has(DiscountGroup)) a.discountgroup = dn4ToUtf8(rec.at(DiscountGroup, 4));
    if (has(PriceFlag)) a.priceflag = dn4ToUtf8(rec.at(PriceFlag, 1));
    if (has(PriceUnitCode)) {
        a.priceunitcode = dn4ToUtf8(rec.at(PriceUnitCode, 1));
        a.priceunit = PriceUnitFactor(rec.byte(PriceUnitCode));
    }
    if (has(ProductGroup)) a.productgroup = dn4ToUtf8(rec.at(ProductGroup, 3));
    std::string textFlag = a.textflag.size() == 2 ? a.textflag : std::string("00");
    for (std::size_t i = 0; i < 2; ++i) {
        const char c = rec.byte(TextFlag + i);
        if (c != '\0')
            textFlag[i] = c;
        else if (all)
            textFlag[i] = '0';
    }
    a.textflag = dn4ToUtf8(textFlag);
    if (has(Unit)) {
        const std::string unit = rec.trimmed(Unit, 4);
        a.unit = unit.empty() ? std::string(4, ' ') : dn4ToUtf8(rec.at(Unit, 4));
    }
    if (has(LongTextNumber)) {
        const std::string number = rec.trimmed(LongTextNumber, 8);
        a.longtextkey =
            number.empty() ? std::string() : utf8Left(s_.ArticlePrefix + dn4ToUtf8(number), 18);
    }
    if (all) a.matchcode = utf8Lower(utf8Left(a.shorttext1, 15));
    const std::optional<EgemaPriceUnit> egema =
        s_.ParamEgema ? egemaPriceUnit(a.shorttext1) : std::nullopt;
    if (all || rec.present(Price) || rec.present(DiscountGroup) || rec.present(PriceUnitCode)) {
        priceArticle(rec, egema ? egema->unit : a.priceunit);
        a.changedate = s_.TodayDate;
    }
    if (egema) {
        a.priceunit = egema->unit;
        a.priceunitfraction = egema->fraction;
    }
}

// The price rule on the article as the record leaves it. A change record
// without a group prices with the article's stored group.
void ArticleImporter4::priceArticle(const DnRecord& rec, int listPriceUnit) {
    using namespace dnpos;
    ArticleRecord& a = p_.article;
    dn4::ArticlePriceInput in;
    in.priceFlag = a.priceflag.empty() ? ' ' : a.priceflag[0];
    in.pricePresent = rec.present(Price);
    in.price = fieldNumber(rec.at(Price, 8)) / 100.0;
    in.priceUnitCode = a.priceunitcode.empty() ? '0' : a.priceunitcode[0];
    in.priceUnit = a.priceunit;
    in.listPriceUnit = listPriceUnit;
    in.group = discountGroup(a.discountgroup);
    in.oldPurchasePrice = a.purchaseprice;
    in.oldSalesPrice = a.salesprice;
    in.TakeListPrice = s_.settings.TakeListPrice;
    const dn4::ArticlePriceResult r = dn4::PriceFromArticle(in);
    a.purchaseprice = r.purchaseprice;
    a.salesprice = r.salesprice;
    if (r.listprice) a.listprice = *r.listprice;
    printPriceProtocol(s_, r.protocol);
}

const DiscountGroupRule& ArticleImporter4::discountGroup(const std::string& code) {
    auto it = groups_.find(code);
    if (it == groups_.end())
        it = groups_
                 .emplace(code, discountGroupRule(
                                    code, store_.readDiscountGroup(s_.ArticlePrefix + code)))
                 .first;
    return it->second;
}

std::string importedMessage4(long count) {
    return std::to_string(count) + " Artikel von der Datei nach TORVALO übernommen!";
}

}  // namespace dn
